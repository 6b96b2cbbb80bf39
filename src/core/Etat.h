#pragma once
// The program-wide variables through which the forms cooperate. One instance, `Etat`,
// reset in one call so tests start from the state of a fresh program.

#include <QString>
#include <QVector>

// One entry of the exercise's item list: the WAV file name as listed, and its state letter
// ("N" new, "R" right after retries, "O" right at the first attempt, finished).
struct ItemListe {
    QString Nom;
    QString Etat;
};

// One entry of the pupil's success history.
struct EntreeReussite {
    QString Date;      // filled only for entries added during this run
    QString Cle;       // the answer text, A-Z folded and trimmed
    QString Compteurs; // "3", "2-0", "4-0-1"
};

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
    int ReponsesNecessaires = 999;
    QString CheminLogSon;

    // Run state
    bool PremiereActivation = true;
    QString FichierJournal;
    bool EcriturePossible = true;

    // Who is working
    QString NomGroupe;
    QString DossierGroupe;
    QString NomEleve;
    QString ElevePrecedent;
    bool ModeEnseignant = false;

    // The open exercise
    QString DossierExercice;
    int NbItemsDossier = 0;
    int NbItems = 0;
    QVector<ItemListe> ListeItems;
    QString FichierSon;
    int NbEssais = 0;
    bool PremiereEcoute = false;
    int Score = 0;
    int NbReussisPremierEssai = 0;
    int TempsItem = 0;
    int TempsTotal = 0;

    // The pupil's history and the file it belongs to. A save writes only to FichierReussites,
    // whatever NomEleve and DossierGroupe say by then.
    QVector<EntreeReussite> ListeReussites;
    int NbItemsDejaReussis = 0;
    QString FichierReussites;
    bool ReussitesChargees = false;

    // Folder of the executable, ending with a separator. Not configurable: the ini, the
    // effect sounds, the default pictures and the journal live there.
    QString DossierProgramme;
    // Caption of the message boxes; "Plumelune - Version 2.0" once started.
    QString TitreApplication = QStringLiteral("Plumelune");

    void Reinitialiser();
};

extern EtatProgramme Etat;
