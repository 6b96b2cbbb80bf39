#include "core/setup/ChoixDepart.h"

#include "core/Chemins.h"
#include "core/Texte.h"

#include <QFileInfo>

QString DossierDuGroupeChoisi(const QString& racineBilans, const std::optional<QString>& groupe) {
    if (racineBilans.isEmpty())
        return {};
    if (!groupe || groupe->isEmpty())
        return racineBilans;
    return racineBilans + *groupe + Separateur;
}

MotDePasseAFaire MotDePasseAvantExercice(bool actif, const QString& eleve,
                                         const QString& elevePrecedent, bool fichierExiste) {
    if (!actif || eleve.isEmpty() || eleve == elevePrecedent)
        return MotDePasseAFaire::Aucun;
    return fichierExiste ? MotDePasseAFaire::Verifier : MotDePasseAFaire::Choisir;
}

QString PositionApresModuleEnseignant(const QString& ici, const QString& racine) {
    const QString haut = SansSeparateurFinal(racine);
    const bool racineIci = MajusculesAZ(AvecSeparateur(ici)) == MajusculesAZ(AvecSeparateur(haut));
    const bool dessous = MajusculesAZ(ici).startsWith(MajusculesAZ(AvecSeparateur(haut)));
    return (racineIci || dessous) && QFileInfo(ici).isDir() ? SansSeparateurFinal(ici) : haut;
}
