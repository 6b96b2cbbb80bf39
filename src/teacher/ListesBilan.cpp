#include "ListesBilan.h"

#include "core/Chemins.h"
#include "records/FichiersEleve.h"

#include <QCollator>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <algorithm>

namespace {

const QString promptGroupe = QStringLiteral("Choisis ton groupe");

QStringList Entrees(const QString& dossier, QDir::Filters genre) {
    if (dossier.isEmpty())
        return {};
    const QDir d(ResoudreChemin(dossier));
    return d.entryList(genre | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::NoSort);
}

} // namespace

void TrierPourLecteur(QStringList& noms) {
    QCollator ordre(QLocale(QLocale::French, QLocale::France));
    ordre.setNumericMode(true);
    ordre.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(noms.begin(), noms.end(), [&](const QString& a, const QString& b) {
        const int c = ordre.compare(a, b);
        return c != 0 ? c < 0 : a < b; // names equal for people still come in a fixed order
    });
}

QStringList GroupesBilan(const QString& cheminBilans) {
    QStringList groupes;
    for (const QString& e : Entrees(cheminBilans, QDir::AllEntries))
        if (!e.contains(u'.'))
            groupes.append(e);
    TrierPourLecteur(groupes);
    return groupes;
}

QStringList ElevesBilan(const QString& dossierGroupe) {
    QStringList eleves;
    for (QString e : Entrees(dossierGroupe, QDir::Files)) {
        if (!e.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive) || e.contains(u'_'))
            continue;
        e.remove(QLatin1String(".txt"), Qt::CaseInsensitive);
        if (!e.isEmpty()) // a bare ".txt" names nobody
            eleves.append(e);
    }
    TrierPourLecteur(eleves);
    return eleves;
}

QString DossierDuGroupe(const QString& cheminBilans, const QString& groupe) {
    if (groupe == promptGroupe)
        return cheminBilans;
    // With no group the text is empty and the doubled separator names the root itself.
    return AvecSeparateur(cheminBilans + groupe);
}

qsizetype IndexDansListe(const QStringList& liste, const QString& nom) {
    const qsizetype exact = liste.indexOf(nom);
    if (exact >= 0)
        return exact;
    for (qsizetype i = 0; i < liste.size(); ++i)
        if (liste.at(i).compare(nom, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

qsizetype GroupeAPreselectionner(const QStringList& groupes, const QString& texteDepart) {
    if (texteDepart == promptGroupe)
        return groupes.isEmpty() ? -1 : 0;
    return IndexDansListe(groupes, texteDepart);
}

qsizetype EleveAPreselectionner(const QStringList& eleves, const QString& texteDepart) {
    if (!texteDepart.isEmpty() && texteDepart != u"Visiteur" && texteDepart != u"Nouveau")
        return IndexDansListe(eleves, texteDepart);
    return eleves.isEmpty() ? -1 : 0;
}

QStringList FichiersDeLEleve(const QString& dossierGroupe, const QString& eleve) {
    const QString base = dossierGroupe + eleve;
    return {base + QLatin1String(SuffixeHistorique), base + QLatin1String(SuffixeMotDePasse),
            base + QLatin1String(SuffixeDetail), base + QLatin1String(SuffixeExos)};
}

QStringList SupprimerEleve(const QString& dossierGroupe, const QString& eleve) {
    QStringList supprimes;
    for (const QString& f : FichiersDeLEleve(dossierGroupe, eleve)) {
        if (!FichierExiste(f))
            continue;
        const QString reel = ResoudreChemin(f);
        if (QFile::remove(reel))
            supprimes.append(reel);
    }
    return supprimes;
}
