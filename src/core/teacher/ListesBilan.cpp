#include "core/teacher/ListesBilan.h"

#include "core/Chemins.h"
#include "core/Texte.h"
#include "core/records/FichiersEleve.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QString DossierDuGroupe(const QString& cheminBilans, const QString& groupe) {
    if (groupe == TexteChoisisTonGroupe)
        return cheminBilans;
    // With no group the text is empty and the doubled separator names the root itself.
    return AvecSeparateur(cheminBilans + groupe);
}

qsizetype IndexDansListe(const QStringList& liste, const QString& nom) {
    const qsizetype exact = liste.indexOf(nom);
    if (exact >= 0)
        return exact;
    for (qsizetype i = 0; i < liste.size(); ++i)
        if (MemeNomDeFichier(liste.at(i), nom))
            return i;
    return -1;
}

qsizetype GroupeAPreselectionner(const QStringList& groupes, const QString& texteDepart) {
    if (texteDepart == TexteChoisisTonGroupe)
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
