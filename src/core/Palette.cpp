#include "core/Palette.h"

QString NomCss(CouleurRgb couleur) {
    return QStringLiteral("#%1").arg(couleur & 0xffffff, 6, 16, QChar(u'0'));
}

QList<PaireCouleurs> PairesCouleurs(const ReglagesLecture& reglages) {
    if (reglages.Contraste == ContrasteLecture::Fort)
        return PairesContrasteFort();
    using namespace Couleurs;
    return {
        // The exercise.
        {"dossier courant", BleuLegende, FondTitreExercice},
        {"texte de l'item", EncreTexte, FondTexteItem},
        {"J'écoute, J'ai écrit", BleuLegende, FondBandeBoutons},
        {"réponse", Encre, Blanc},
        {"J'observe", BleuLegende, FondJObserve},
        {"modèle", GrisModele, FondJObserve},
        {"corrigé", EncreTexte, FondJObserve},
        {"corrigé, lettre fausse", LettreFausse, FondJObserve},
        {"corrigé, lettre en trop", LettreEnTrop, FondJObserve},
        {"corrigé, accent", AccentOublie, FondJObserve},
        {"scores", Encre, Blanc},
        // The feedback box and the message boxes.
        {"appréciation", Encre, BleuCiel},
        {"indice", BleuLegende, BleuCiel},
        {"texte d'une boîte", Encre, Blanc},
        {"bouton", BleuLegende, Blanc},
        {"bouton survolé", BleuLegende, Survol},
        {"bouton enfoncé", BleuLegende, Enfonce},
        {"bouton avec le focus", BleuLegende, Focus},
        {"avis du nombre d'items", RougeAvis, BleuCiel},
        // The start form.
        {"titre du départ", BleuLegende, FondTitreDepart},
        {"liste", Encre, Blanc},
        {"liste survolée", Encre, Survol},
        {"entrée choisie", Blanc, Selection},
        {"mots à revoir", OrangeRevue, Blanc},
        {"mots à revoir survolés", OrangeRevue, Survol},
        {"Commencer", Blanc, VertValider},
        {"Commencer survolé", Blanc, VertValiderSurvol},
    };
}
