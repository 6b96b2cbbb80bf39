#include "core/setup/ChoixDepart.h"

#include "core/Chemins.h"
#include "core/Texte.h"
#include "core/setup/ListesDepart.h"

#include <QFileInfo>

QString EleveChoisi::NomPourExercice() const {
    return Genre == GenreEleve::Visiteur ? QString() : NomAffiche();
}

QString EleveChoisi::NomAffiche() const {
    switch (Genre) {
    case GenreEleve::Visiteur:
        return TexteVisiteur;
    case GenreEleve::Nouveau:
        return TexteNouveau;
    case GenreEleve::Nomme:
        break;
    }
    return Nom;
}

void ChoixTravail::AuDebut(const QString& racineMedias) {
    Position = SansSeparateurFinal(racineMedias);
}

bool ChoixTravail::ALaRacine(const QString& racineMedias) const {
    return MajusculesAZ(AvecSeparateur(Position)) == MajusculesAZ(AvecSeparateur(racineMedias));
}

QString ChoixTravail::Enfant(const QString& nom) const {
    return AvecSeparateur(Position) + nom;
}

QString ChoixTravail::Parent() const {
    const qsizetype barre = Position.lastIndexOf(Separateur);
    return barre <= 0 ? QString(Separateur) : Position.left(barre);
}

void ChoixTravail::ApresModuleEnseignant(const QString& racineMedias) {
    Position = PositionApresModuleEnseignant(Position, racineMedias);
}

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
