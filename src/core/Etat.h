#pragma once
// The program-wide variables through which the forms cooperate. One instance, `Etat`,
// reset in one call so tests start from the state of a fresh program.

#include "core/Echelle.h"
#include "core/ReglagesLecture.h"
#include "core/exercise/SessionExercice.h"
#include "core/setup/ChoixDepart.h"

#include <QString>
#include <QVector>

#include <optional>

// One entry of the pupil's success history.
struct EntreeReussite {
    QString Date;      // filled only for entries added during this run
    QString Cle;       // the answer text, A-Z folded and trimmed
    QString Compteurs; // "3", "2-0", "4-0-1"
    // Changed by this run since its last save: only such entries are written over what the
    // file holds by then.
    bool Modifiee = false;
};

// How the ini file and the teacher's messages spell "no limit" for REPONSES NECESSAIRES. A value
// of this number or more in the ini is kept as the number it is, which marks no item mastered;
// the items drawn take it as no limit, as they always have (no pupil gets an item right that
// many times in a row).
inline constexpr int ReponsesSansLimite = 999;

struct EtatProgramme {
    // Configuration
    QString CheminMedias;
    QString CheminBilans;
    QString MotDePasseEnseignant;
    bool MotDePasseActif = true;
    bool Bruitage = true;
    bool ImpressionAutorisee = true;
    bool AjoutNouvelEleve = true;
    bool EnregistrementSon = false;
    // After a wrong answer: a hint at the first attempt, the pupil's answer marked above the
    // model at the later ones (INDICES = NON gives the model alone).
    bool Indices = true;
    // "J'écoute lentement" offered beside "J'écoute" (ECOUTE LENTE = NON hides it).
    bool EcouteLente = true;
    // First-try successes after which an item is no longer offered; empty: no limit.
    std::optional<int> ReponsesNecessaires;
    QString CheminLogSon;
    ReglageEchelle Echelle; // the windows' scale, applied at start-up
    // The pupil's letters and colours as the ini sets them; the teacher module's choice, for
    // this run only, goes before them (Lecture()).
    ReglagesLecture LectureIni;
    std::optional<ReglagesLecture> LectureDeLaSeance;
    ReglagesLecture Lecture() const { return LectureDeLaSeance.value_or(LectureIni); }

    // Run state
    bool PremiereActivation = true;
    QString FichierJournal;
    bool EcriturePossible = true;

    // Who is working and on what, as the start form's lists have it.
    ChoixTravail Choix;
    // Whose records are read and written: the pupil and group folder the start form applied
    // when an exercise or a record view began, or the group the teacher module shows.
    QString DossierGroupe;
    QString NomEleve;
    bool ModeEnseignant = false;

    // The exercise worked in the folder the start form chose.
    SessionExercice Exercice;

    // The pupil's history and the file it belongs to. A save writes only to FichierReussites,
    // whatever NomEleve and DossierGroupe say by then.
    QVector<EntreeReussite> ListeReussites;
    int NbItemsDejaReussis = 0;
    QString FichierReussites;
    bool ReussitesChargees = false;

    // Folder of the executable, ending with a separator. Not configurable: the ini, the
    // effect sounds, the default pictures and the journal live there.
    QString DossierProgramme;
    // Caption of the message boxes; with the version (Version.h) once started.
    QString TitreApplication = QStringLiteral("Plumelune");

    void Reinitialiser();
};

extern EtatProgramme Etat;
