#include "core/setup/ListesDepart.h"

#include "core/Chemins.h"
#include "core/Services.h"
#include "core/Texte.h"
#include "core/setup/NomsDisque.h"

#include <QCollator>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSet>

#include <algorithm>

namespace {

const QString extensionTxt = QStringLiteral(".txt");

// Every kind of entry, hidden and system ones too: a teacher's folder may carry any attribute.
constexpr QDir::Filters toutesEntrees =
    QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
// A pupil is a history file; a folder that happens to end in ".txt" names nobody.
constexpr QDir::Filters fichiersSeuls = QDir::Files | QDir::Hidden | QDir::System;
constexpr QDir::Filters dossiersSeuls =
    QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;

QString Dossier(const QString& chemin) {
    return ResoudreChemin(chemin);
}

} // namespace

void TrierPourLesGens(QStringList& noms) {
    QCollator ordre{QLocale(QLocale::French, QLocale::France)};
    ordre.setNumericMode(true);
    ordre.setCaseSensitivity(Qt::CaseInsensitive);
    // Compared, not sorted by the collator's keys: Windows' keys (through Wine at least) leave
    // numbers in text order, "mot100" before "mot002". 3,000 names take about 5 ms.
    std::stable_sort(noms.begin(), noms.end(), [&ordre](const QString& a, const QString& b) {
        const int c = ordre.compare(a, b);
        // Names equal for people ("paul", "Paul") still come in one fixed order.
        return c != 0 ? c < 0 : a < b;
    });
}

QStringList ListerGroupes(const QString& racineBilans) {
    QStringList groupes;
    // No root is no group: an empty path names the working folder on Windows.
    if (racineBilans.isEmpty())
        return groupes;
    QDirIterator it(Dossier(racineBilans), toutesEntrees);
    while (it.hasNext()) {
        it.next();
        const QString nom = it.fileName();
        if (!nom.contains(u'.'))
            groupes.append(nom);
    }
    TrierPourLesGens(groupes);
    return groupes;
}

QString EleveDepuisEntree(const QString& entree) {
    if (!entree.endsWith(extensionTxt, Qt::CaseInsensitive) || entree.contains(u'_'))
        return {};
    QString nom = entree;
    nom.remove(extensionTxt, Qt::CaseInsensitive);
    return nom;
}

ListeEleves ListerEleves(const QString& dossierGroupe) {
    ListeEleves liste;
    if (dossierGroupe.isEmpty())
        return liste; // as for the groups: never the working folder
    QDirIterator it(Dossier(dossierGroupe), fichiersSeuls);
    while (it.hasNext()) {
        it.next();
        const QString entree = it.fileName();
        if (!entree.endsWith(extensionTxt, Qt::CaseInsensitive))
            continue;
        liste.Nouveau = true;
        const QString nom = EleveDepuisEntree(entree);
        // A file named ".txt" alone would give an empty entry, which reads as "no pupil".
        if (!nom.isEmpty())
            liste.Eleves.append(nom);
    }
    TrierPourLesGens(liste.Eleves);
    return liste;
}

bool ContientSousDossier(const QString& dossier) {
    QDirIterator it(Dossier(dossier), dossiersSeuls);
    while (it.hasNext()) {
        it.next();
        if (!it.fileName().contains(u'.'))
            return true;
    }
    return false;
}

QStringList ListerDossiers(const QString& dossier) {
    const QString base = AvecSeparateur(Dossier(dossier));
    QStringList noms;
    QDirIterator it(base, dossiersSeuls);
    while (it.hasNext()) {
        it.next();
        const QString nom = it.fileName();
        if (!nom.contains(u'.'))
            noms.append(nom);
    }
    TrierPourLesGens(noms);
    QStringList entrees;
    entrees.reserve(noms.size());
    for (const QString& nom : std::as_const(noms))
        entrees.append(ContientSousDossier(base + nom) ? MarqueSousDossiers + nom : nom);
    return entrees;
}

QString SansMarque(const QString& entree) {
    QString nom = entree;
    nom.remove(MarqueSousDossiers, Qt::CaseSensitive);
    return nom;
}

bool ContientSon(const QString& dossier) {
    QDirIterator it(Dossier(dossier), toutesEntrees);
    while (it.hasNext()) {
        it.next();
        const QString nom = it.fileName();
        const qsizetype point = nom.lastIndexOf(u'.');
        if (point >= 0 && MajusculesAZ(nom.mid(point)) == u".WAV")
            return true;
    }
    return false;
}

namespace {

// Control characters, C1 ones included, the invisible ones and the marks that turn the direction
// of the text: a name holding them shows as another one, or as nothing, in the lists.
bool EstUnControle(char16_t c) {
    return c < 32 || (c >= 0x7F && c <= 0x9F) || CaractereInvisible(c);
}

} // namespace

bool ContientNomsNonUtf8(const QString& dossier) {
    return NomsDisqueNonUtf8(Dossier(dossier));
}

void SignalerNomsNonUtf8(const QString& dossier) {
    static QSet<QString> signales;
    const QString cle = QDir::cleanPath(QFileInfo(Dossier(dossier)).absoluteFilePath());
    if (signales.contains(cle) || !ContientNomsNonUtf8(dossier))
        return;
    signales.insert(cle);
    Services::Messages().Message(
        QStringLiteral(
            "Le dossier « %1 » contient des fichiers dont le nom n'est pas écrit en UTF-8 : "
            "Plumelune ne peut pas les lire, et les bilans ou les exercices qu'ils contiennent "
            "semblent absents.\n"
            "C'est le cas d'un dossier partagé monté sans noms de fichiers en UTF-8. Pour "
            "corriger, ajoutez l'option iocharset=utf8 au montage du partage (cifs, dans "
            "/etc/fstab) ou, pour un partage NFS, faites écrire les noms en UTF-8 par le "
            "serveur, puis relancez Plumelune.")
            .arg(QDir::toNativeSeparators(cle)));
}

QString RefusPrenom(const QString& nom) {
    if (Rogner(nom).isEmpty())
        return QStringLiteral("Saisis ton prénom.");
    if (nom == u"." || nom == u"..")
        return QStringLiteral("Ce prénom n'est pas possible.");
    static const QString interdits = QStringLiteral("/\\:*?\"<>|");
    for (const QChar c : nom)
        if (interdits.contains(c) || EstUnControle(c.unicode()))
            return QStringLiteral("Un prénom ne peut pas contenir les caractères "
                                  "/ \\ : * ? \" < > | ni de caractère de contrôle.");
    // The list's own entries, in any letter case: a pupil "Nouveau" would open the new-pupil
    // dialog instead of being chosen, and "visiteur" would be told from the visitor by case
    // alone.
    if (nom.compare(TexteVisiteur, Qt::CaseInsensitive) == 0 ||
        nom.compare(TexteNouveau, Qt::CaseInsensitive) == 0)
        return QStringLiteral("Prénom déjà existant dans la liste. Choisir un autre prénom");
    // The list skips every name holding "_" (the companion files): such a pupil would be
    // created and never shown.
    if (nom.contains(u'_'))
        return QStringLiteral("Un prénom ne peut pas contenir le caractère « _ ».");
    // "Léa.txt" would be listed as "Léa", a pupil whose files are other ones.
    if (EleveDepuisEntree(nom + extensionTxt) != nom)
        return QStringLiteral("Ce prénom n'est pas possible.");
    // The longest record file name must fit the 255 bytes a file system gives a name.
    if ((nom + QStringLiteral("_Detail.txt")).toUtf8().size() > 255)
        return QStringLiteral("Ce prénom est trop long.");
    return {};
}
