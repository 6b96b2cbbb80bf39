#include "core/studio/DossierStudio.h"

#include "core/Corbeille.h"
#include "core/FichierTexte.h"
#include "core/Texte.h"
#include "core/exercise/DecodageItem.h"
#include "core/setup/ListesDepart.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QSet>
#include <QtEndian>

namespace {

const QString extensionSon = QStringLiteral(".wav");
const QString extensionTexte = QStringLiteral(".TXT");
const QString extensionImage = QStringLiteral(".JPG");

QString Extension(const QString& nom) {
    const qsizetype point = nom.lastIndexOf(u'.');
    return point < 0 ? QString() : MajusculesAZ(nom.mid(point));
}

QString SansExtension(const QString& nom) {
    const qsizetype point = nom.lastIndexOf(u'.');
    return point < 0 ? nom : nom.left(point);
}

// A name the studio may write in the folder: one plain component.
bool NomSimple(const QString& nom) {
    return !nom.isEmpty() && nom != u"." && nom != u".." && !nom.contains(u'/') &&
           !nom.contains(u'\\');
}

bool EcrireAtomique(const QString& chemin, const QByteArray& octets, QString* raison) {
    QSaveFile f(chemin);
    if (f.open(QIODevice::WriteOnly) && f.write(octets) == octets.size() && f.commit())
        return true;
    if (raison)
        *raison = QStringLiteral("Impossible d'écrire le fichier « %1 » : %2")
                      .arg(QFileInfo(chemin).fileName(), f.errorString());
    return false;
}

} // namespace

bool DureeWavOctets(const QByteArray& debut, qint64 tailleFichier, double& secondes) {
    const auto* o = reinterpret_cast<const uchar*>(debut.constData());
    if (debut.size() < 12 || !debut.startsWith("RIFF") || debut.mid(8, 4) != "WAVE")
        return false;
    quint32 octetsParSeconde = 0;
    qint64 i = 12;
    while (i + 8 <= debut.size()) {
        const QByteArray id = debut.mid(i, 4);
        const quint32 taille = qFromLittleEndian<quint32>(o + i + 4);
        if (id == "fmt " && i + 8 + 12 <= debut.size())
            octetsParSeconde = qFromLittleEndian<quint32>(o + i + 8 + 8);
        if (id == "data") {
            if (octetsParSeconde == 0)
                return false;
            // A header written before the end of a recording may announce more than is there.
            const qint64 donnees = std::min<qint64>(taille, tailleFichier - (i + 8));
            secondes = double(std::max<qint64>(0, donnees)) / octetsParSeconde;
            return true;
        }
        i += 8 + qint64(taille) + (taille & 1);
    }
    return false;
}

bool DureeWav(const QString& chemin, double& secondes) {
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    // The chunks before the samples ("fmt ", "LIST", "fact"...) fit in a few KiB.
    return DureeWavOctets(f.read(16 * 1024), f.size(), secondes);
}

QVector<ItemStudio> LireDossierStudio(const QString& dossier) {
    const QDir d(dossier);
    QStringList noms = d.entryList(QDir::Files | QDir::Hidden);
    TrierPourLesGens(noms);
    // Companions by base name whatever its case, the first listed winning.
    QHash<QString, QString> textes;
    QHash<QString, QString> images;
    QHash<QString, QStringList> tous; // every file of the item, whatever its case
    for (const QString& nom : std::as_const(noms)) {
        const QString ext = Extension(nom);
        const QString cle = SansExtension(nom).toCaseFolded();
        if (ext == u".TXT" || ext == u".JPG" || ext == u".WAV")
            tous[cle].append(nom);
        if (ext == u".TXT" && !textes.contains(cle))
            textes.insert(cle, nom);
        else if (ext == u".JPG" && !images.contains(cle))
            images.insert(cle, nom);
    }
    const auto doublons = [&tous](const QString& cle, const ItemStudio& item) {
        QStringList r;
        for (const QString& nom : tous.value(cle))
            if (nom != item.FichierSon && nom != item.FichierTexte && nom != item.FichierImage)
                r.append(nom);
        return r;
    };
    QVector<ItemStudio> items;
    QSet<QString> avecSon;
    for (const QString& nom : std::as_const(noms)) {
        if (Extension(nom) != u".WAV")
            continue;
        ItemStudio item;
        item.FichierSon = nom;
        item.Base = SansExtension(nom);
        item.Orthographes = ReponsesAcceptees(nom);
        const QString cle = item.Base.toCaseFolded();
        avecSon.insert(cle);
        item.FichierTexte = textes.value(cle);
        item.FichierImage = images.value(cle);
        item.Son = DureeWav(d.filePath(nom), item.Duree) ? EtatSon::Present : EtatSon::Illisible;
        item.Doublons = doublons(cle, item);
        items.append(item);
    }
    // Companions without a sound: an item the teacher began and has not given a sound yet. The
    // exercise does not offer it; the studio shows it so it is finished or deleted.
    for (const QString& nom : std::as_const(noms)) {
        const QString ext = Extension(nom);
        const QString cle = SansExtension(nom).toCaseFolded();
        if ((ext != u".TXT" && ext != u".JPG") || avecSon.contains(cle))
            continue;
        avecSon.insert(cle);
        ItemStudio item;
        item.Base = SansExtension(nom);
        item.Orthographes = ReponsesAcceptees(item.Base + extensionSon);
        item.FichierTexte = textes.value(cle);
        item.FichierImage = images.value(cle);
        item.Doublons = doublons(cle, item);
        items.append(item);
    }
    return items;
}

QString RefusFichierEtranger(const QString& dossier, const ItemStudio& item, const QString& base) {
    const QString nom = base.isEmpty() ? item.Base : base;
    if (nom.isEmpty())
        return {};
    const QStringList entrees = QDir(dossier).entryList(QDir::AllEntries | QDir::Hidden |
                                                        QDir::System | QDir::NoDotAndDotDot);
    for (const QString& entree : entrees) {
        if (entree == item.FichierSon || entree == item.FichierTexte ||
            entree == item.FichierImage || item.Doublons.contains(entree))
            continue;
        for (const QString& ext : {extensionSon, extensionTexte, extensionImage})
            if (MemeNomDeFichier(entree, nom + ext))
                return QStringLiteral("Un fichier « %1 » existe déjà dans ce dossier (un collègue "
                                      "l'a sans doute ajouté depuis son ouverture) : il n'a pas "
                                      "été remplacé, et rien n'a été écrit.")
                    .arg(entree);
    }
    return {};
}

QByteArray ContenuTexteCompagnon(const QString& texte) {
    QStringList lignes = DecouperLignes(texte);
    while (!lignes.isEmpty() && Rogner(lignes.last()).isEmpty())
        lignes.removeLast();
    if (lignes.isEmpty())
        return {};
    const QString corps = lignes.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
    const QByteArray cp1252 = Cp1252::Encoder(corps);
    if (Cp1252::Decoder(cp1252) == corps)
        return cp1252;
    return QByteArray("\xEF\xBB\xBF") + corps.toUtf8();
}

TexteCompagnon LireTexteCompagnon(const QString& dossier, const ItemStudio& item) {
    if (item.FichierTexte.isEmpty())
        return {};
    return LireTexteCompagnonBorne(QDir(dossier).filePath(item.FichierTexte));
}

bool EcrireTexteCompagnon(const QString& dossier, ItemStudio& item, const QString& texte,
                          QString* raison) {
    if (!NomSimple(item.Base))
        return false;
    const QDir d(dossier);
    const QByteArray octets = ContenuTexteCompagnon(texte);
    if (octets.isEmpty()) {
        if (item.FichierTexte.isEmpty())
            return true;
        if (!MettreALaCorbeille(d.filePath(item.FichierTexte), raison))
            return false;
        item.FichierTexte.clear();
        return true;
    }
    if (const QString refus = RefusFichierEtranger(dossier, item); !refus.isEmpty()) {
        if (raison)
            *raison = refus;
        return false;
    }
    const QString nom =
        item.FichierTexte.isEmpty() ? item.Base + extensionTexte : item.FichierTexte;
    if (!EcrireAtomique(d.filePath(nom), octets, raison))
        return false;
    item.FichierTexte = nom;
    return true;
}

bool EcrireImageCompagnon(const QString& dossier, ItemStudio& item, const QByteArray& jpeg,
                          QString* raison) {
    if (!NomSimple(item.Base))
        return false;
    if (const QString refus = RefusFichierEtranger(dossier, item); !refus.isEmpty()) {
        if (raison)
            *raison = refus;
        return false;
    }
    const QString nom =
        item.FichierImage.isEmpty() ? item.Base + extensionImage : item.FichierImage;
    if (!EcrireAtomique(QDir(dossier).filePath(nom), jpeg, raison))
        return false;
    item.FichierImage = nom;
    return true;
}

bool RetirerImageCompagnon(const QString& dossier, ItemStudio& item, QString* raison) {
    if (item.FichierImage.isEmpty())
        return true;
    if (!MettreALaCorbeille(QDir(dossier).filePath(item.FichierImage), raison))
        return false;
    item.FichierImage.clear();
    return true;
}

QString CheminSon(const QString& dossier, const ItemStudio& item) {
    const QString nom = item.FichierSon.isEmpty() ? item.Base + extensionSon : item.FichierSon;
    return QDir(dossier).filePath(nom);
}

bool RenommerItem(const QString& dossier, ItemStudio& item, const QString& nouvelleBase,
                  QString* raison, const FonctionRenommer& renommer) {
    if (!NomSimple(nouvelleBase))
        return false;
    if (const QString refus = RefusFichierEtranger(dossier, item, nouvelleBase); !refus.isEmpty()) {
        if (raison)
            *raison = refus;
        return false;
    }
    const QDir d(dossier);
    QVector<Renommage> paires;
    const QString son = nouvelleBase + extensionSon;
    const QString texte = nouvelleBase + extensionTexte;
    const QString image = nouvelleBase + extensionImage;
    if (!item.FichierSon.isEmpty())
        paires.append({d.filePath(item.FichierSon), d.filePath(son)});
    if (!item.FichierTexte.isEmpty())
        paires.append({d.filePath(item.FichierTexte), d.filePath(texte)});
    if (!item.FichierImage.isEmpty())
        paires.append({d.filePath(item.FichierImage), d.filePath(image)});
    if (!RenommerTout(paires, raison, renommer))
        return false;
    item.Base = nouvelleBase;
    item.Orthographes = ReponsesAcceptees(son);
    if (!item.FichierSon.isEmpty())
        item.FichierSon = son;
    if (!item.FichierTexte.isEmpty())
        item.FichierTexte = texte;
    if (!item.FichierImage.isEmpty())
        item.FichierImage = image;
    return true;
}

bool SupprimerItem(const QString& dossier, const ItemStudio& item, QString* raison) {
    const QDir d(dossier);
    bool ok = true;
    for (const QString& nom : {item.FichierSon, item.FichierTexte, item.FichierImage}) {
        if (nom.isEmpty())
            continue;
        QString pourquoi;
        if (!MettreALaCorbeille(d.filePath(nom), &pourquoi)) {
            if (raison && ok)
                *raison = QStringLiteral("L'item n'a pas pu être supprimé entièrement : %1.")
                              .arg(pourquoi);
            ok = false;
        }
    }
    return ok;
}
