// Any bytes as a pupil's exercise summary, detail record and history, read as the progress view
// and the class view read them: no crash, no read outside a line, and what is read back keeps
// the rules its readers promise (dates in range, scores within their maximum, views inside the
// line they were read from, a word for every miss counted).

#include "core/FichierTexte.h"
#include "core/progress/BilanEleve.h"

#include <cstdint>
#include <cstdlib>

namespace {

// Fixed, so that a finding replays whatever the day.
const PlageDates plage = PlageVraisemblable(QDate(2026, 12, 9));

void Verifier(bool condition) {
    if (!condition)
        std::abort();
}

bool Dans(QStringView vue, QStringView ligne) {
    return vue.isNull() ||
           (vue.data() >= ligne.data() && vue.data() + vue.size() <= ligne.data() + ligne.size());
}

void LireLigne(QStringView ligne) {
    ExerciceResume e;
    if (LireLigneResume(ligne, e, plage)) {
        Verifier(plage.Contient(e.Date));
        Verifier(e.Maxi > 0 && e.Score >= 0 && e.Score <= e.Maxi);
    }
    const LigneDetail l = LireLigneDetail(ligne, plage);
    Verifier(Dans(l.Dossier, ligne) && Dans(l.Attendu, ligne) && Dans(l.Reponse, ligne));
    switch (l.Sorte) {
    case SorteDetail::EnTete:
        Verifier(plage.Contient(l.Date));
        Verifier(l.EnTeteColle == -1 || (l.EnTeteColle > 0 && l.EnTeteColle < ligne.size()));
        break;
    case SorteDetail::Juste:
        Verifier(l.Essais == 1);
        break;
    case SorteDetail::Ratee:
        Verifier(l.Essais >= 2 && !l.Attendu.isEmpty());
        break;
    case SorteDetail::Ouverte:
        Verifier(!l.Attendu.isEmpty());
        break;
    default:
        Verifier(l.EnTeteColle == -1);
        break;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
    const QString texte = DecoderTexte(
        QByteArray(reinterpret_cast<const char*>(donnees), static_cast<qsizetype>(taille)));

    // Each line on its own, line ends of any kind.
    const QStringView t(texte);
    qsizetype debut = 0;
    for (qsizetype i = 0; i <= t.size(); ++i)
        if (i == t.size() || t.at(i) == u'\n' || t.at(i) == u'\r') {
            LireLigne(t.mid(debut, i - debut));
            debut = i + 1;
        }

    // The whole text as each of the three files, with and without the group's dictionary.
    DictionnaireMots mots;
    BilanLu avec;
    LireResume(texte, avec, plage);
    LireDetail(texte, avec, &mots, plage);
    LireHistorique(texte, avec);
    BilanLu sans;
    LireDetail(texte, sans, nullptr, plage);
    Verifier(avec.Mots.size() == sans.Mots.size());
    Verifier(avec.ExercicesDetail == sans.ExercicesDetail);
    Verifier(avec.IllisiblesDetail == sans.IllisiblesDetail);
    int erreurs = 0;
    for (const MotRate& m : std::as_const(avec.Mots)) {
        Verifier(m.Erreurs >= 1 && m.DernierExercice >= 0 &&
                 m.DernierExercice < avec.ExercicesDetail);
        Verifier(m.Numero >= 0 && m.Numero < mots.Taille());
        Verifier(avec.MotNumero(m.Numero) == &m);
        erreurs += m.Erreurs;
    }
    for (const ExerciceResume& e : std::as_const(avec.Exercices))
        Verifier(plage.Contient(e.Date) && e.Score <= e.Maxi);

    const StatistiquesEleve s = CalculerEleve(QStringLiteral("Paul"), avec, 3);
    Verifier(s.Exercices == s.Termines + s.Interrompus);
    Verifier(s.Exercices == 0 ? s.Moyenne == -1 : s.Moyenne >= 0 && s.Moyenne <= 100);
    Verifier(s.MotsARevoir.size() <= avec.Mots.size());
    Verifier(s.Maitrises <= int(avec.Historique.size()));
    Verifier(erreurs >= avec.Mots.size());
    return 0;
}
