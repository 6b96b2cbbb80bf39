#include "core/teacher/ListesBilan.h"

#include "core/Corbeille.h"

#include "core/Chemins.h"
#include "core/Texte.h"
#include "core/records/FichiersEleve.h"

#include "core/Services.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

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

qsizetype GroupeAPreselectionner(const QStringList& groupes, const QString& groupeDepart) {
    if (groupeDepart.isEmpty())
        return groupes.isEmpty() ? -1 : 0;
    return IndexDansListe(groupes, groupeDepart);
}

qsizetype EleveAPreselectionner(const QStringList& eleves, const QString& eleveDepart) {
    if (!eleveDepart.isEmpty())
        return IndexDansListe(eleves, eleveDepart);
    return eleves.isEmpty() ? -1 : 0;
}

namespace {

// Where one reads the pupil's file for a suffix: the name written exactly so when it exists,
// else the entry that differs only by letter case or accents; empty when there is none.
QString FichierLu(const QString& dossierGroupe, const QString& eleve, const QString& suffixe) {
    const QString exact = dossierGroupe + eleve + suffixe;
    return QFileInfo::exists(exact) ? exact
           : FichierExiste(exact)   ? ResoudreChemin(exact)
                                    : QString();
}

// The other pupils of the group: every history file but this pupil's own, by the name it
// gives in the list.
QStringList AutresEleves(const QString& dossierGroupe, const QString& eleve) {
    const QString historique =
        QFileInfo(FichierLu(dossierGroupe, eleve, QLatin1String(SuffixeHistorique))).fileName();
    QStringList autres;
    const QStringList entrees =
        QDir(ResoudreChemin(dossierGroupe))
            .entryList({QStringLiteral("*.txt")}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& e : entrees) {
        const QString nom = EleveDepuisEntree(e);
        if (!nom.isEmpty() && e != historique)
            autres.append(nom);
    }
    return autres;
}

} // namespace

QStringList FichiersASupprimer(const QString& dossierGroupe, const QString& eleve) {
    const QStringList autres = AutresEleves(dossierGroupe, eleve);
    const char* const suffixes[] = {SuffixeHistorique, SuffixeMotDePasse, SuffixeDetail,
                                    SuffixeExos};
    QStringList fichiers;
    for (const char* s : suffixes) {
        const QString suffixe = QLatin1String(s);
        const QString exact = dossierGroupe + eleve + suffixe;
        const QFileInfo infoExact(exact);
        if (infoExact.exists()) {
            if (infoExact.isFile())
                fichiers.append(exact);
            continue; // the exactly written name wins, even when it cannot go
        }
        const QString reel = ResoudreChemin(exact);
        if (reel == exact || !QFileInfo(reel).isFile())
            continue;
        const QString nom = QFileInfo(reel).fileName();
        const bool aUnAutre = std::any_of(autres.cbegin(), autres.cend(), [&](const QString& a) {
            return MemeNomDeFichier(a + suffixe, nom);
        });
        if (!aUnAutre)
            fichiers.append(reel);
    }
    return fichiers;
}

namespace {

// One folder per deletion, named by its moment and the pupil, so that a pupil deleted twice
// keeps both sets and the teacher sees at once which to put back. Made only when the desktop
// has no trash to take the files.
QString DossierDeReserve(const QString& dossierGroupe, const QString& eleve) {
    const QString base =
        dossierGroupe + DossierElevesSupprimes + u'/' +
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH-mm-ss")) + u' ' + eleve;
    QString dossier = base;
    for (int n = 2; QFileInfo::exists(dossier); ++n)
        dossier = base + QStringLiteral(" (%1)").arg(n);
    return dossier;
}

} // namespace

QStringList SupprimerEleve(const QString& dossierGroupe, const QString& eleve) {
    QStringList supprimes;
    const QString reserve = DossierDeReserve(dossierGroupe, eleve);
    for (const QString& f : FichiersASupprimer(dossierGroupe, eleve)) {
        bool parti = MettreALaCorbeille(f, reserve);
        // A folder where not even a hidden folder can be made: the teacher asked for the
        // deletion, which goes through as before, without a way back.
        if (!parti && !QFileInfo(reserve).isDir())
            parti = QFile::remove(f);
        if (parti)
            supprimes.append(f);
    }
    return supprimes;
}

QString EnTeteImpression(const QString& eleve, const QString& groupe, const QString& date) {
    const QString tiret = QStringLiteral(" \u2013 ");
    QString r = eleve;
    if (!groupe.isEmpty() && groupe != TexteChoisisTonGroupe)
        r += tiret + QStringLiteral("groupe ") + groupe;
    return r + tiret + date;
}
