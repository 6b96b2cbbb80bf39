#pragma once
// Test doubles of the platform services. Each records what the program asked for and answers
// from a script, so tests can check every message and drive every question.

#include "core/Services.h"

#include <QDateTime>
#include <QHash>
#include <QStringList>
#include <QTemporaryDir>
#include <QVector>
#include <csignal>
#include <functional>
#ifndef Q_OS_WIN
#include <sys/resource.h>
#endif

struct AppelMessage {
    QString Genre; // "Message", "OuiNon", "OkAnnuler", "Information", "Confirmation", "Erreur"
    QString Texte;
};

class MessagesDouble : public IBoitesMessage {
public:
    QVector<AppelMessage> Appels;
    // Answers to the questions, in order; when empty, `ReponseParDefaut`.
    QVector<bool> Reponses;
    bool ReponseParDefaut = false;
    // Called at every box, before it is answered: a test looks at the files at that moment.
    std::function<void(const AppelMessage&)> Observateur;

    void Message(const QString& t) override { Noter("Message", t); }
    bool QuestionOuiNon(const QString& t) override { return Repondre("OuiNon", t); }
    bool QuestionOkAnnuler(const QString& t) override { return Repondre("OkAnnuler", t); }
    void Information(const QString& t) override { Noter("Information", t); }
    bool Confirmation(const QString& t) override { return Repondre("Confirmation", t); }
    void Erreur(const QString& t) override { Noter("Erreur", t); }

    QStringList Textes() const;

private:
    bool Repondre(const char* genre, const QString& t);
    void Noter(const char* genre, const QString& t);
};

class HorlogeDouble : public IHorloge {
public:
    QString Date = QStringLiteral("07/12/2026");
    QString Heure = QStringLiteral("14:03:27");
    QString DateCourte() override { return Date; }
    QString HeureLongue() override { return Heure; }
};

// Answers the scripted draws in order, then 0.
class HasardDouble : public IHasard {
public:
    QVector<int> Tirages;
    QVector<int> Bornes; // the n of each call, for checks
    int Tirer(int n) override;
};

class PauseDouble : public IPause {
public:
    QVector<int> Pauses;
    void Attendre(int ms) override { Pauses.append(ms); }
};

class SonDouble : public ISon {
public:
    QStringList Joues;        // files played, in order
    QVector<double> Vitesses; // the pace of each, 1 but for a slow listen
    QString Fichier;
    QStringList Illisibles; // files whose opening fails
    void DefinirFichier(const QString& chemin) override { Fichier = chemin; }
    bool Ouvrir(QString* erreur) override;
    void Jouer(double vitesse = 1) override {
        Joues.append(Fichier);
        Vitesses.append(vitesse);
    }
    void Arreter() override {}
};

struct AppelShell {
    QString Genre; // "Ouvrir" or "Lancer"
    QString Cible;
};

// Records what the program asked the desktop to open or start, in order. A target found in
// `Echecs` fails with that sentence: at once, or, when `Differer` is set, only at
// RepondreEnRetard(), as the desktop's opener answers after the call has returned.
class ShellDouble : public IShell {
public:
    QVector<AppelShell> Appels;
    QHash<QString, QString> Echecs;
    bool Differer = false;
    void Ouvrir(const QString& cible, Echec echec) override {
        Appeler(QStringLiteral("Ouvrir"), cible, std::move(echec));
    }
    void Lancer(const QString& programme, Echec echec) override {
        Appeler(QStringLiteral("Lancer"), programme, std::move(echec));
    }
    void RepondreEnRetard();
    QStringList Cibles() const;

private:
    void Appeler(const QString& genre, const QString& cible, Echec echec);
    QVector<std::function<void()>> m_enRetard;
};

// Records the set-up dialogs shown and the texts printed; the dialog's answer is scripted.
class ImprimanteDouble : public IImprimante {
public:
    bool Accepter = true;
    int Configurations = 0;
    QStringList Imprimes;
    bool Configurer(QWidget*) override {
        ++Configurations;
        return Accepter;
    }
    QStringList EnTetes; // the heading of each job
    void Imprimer(const QString& texte, const QString& entete) override {
        Imprimes.append(texte);
        EnTetes.append(entete);
    }
};

// The microphone: a capture gives the samples the test put in `Son`; `SansMicro` makes it fail
// as a machine without one does.
class CaptureDouble : public ICaptureSon {
public:
    SonPcm Son;
    bool SansMicro = false;
    int Demarrages = 0;
    void Demarrer() override;
    void Arreter() override;
    EtatCapture Etat() const override { return m_etat; }
    QString Erreur() const override;
    float Niveau() override { return m_etat == EtatCapture::EnCours ? 0.5f : 0.0f; }
    SonPcm Prendre() override;

private:
    EtatCapture m_etat = EtatCapture::Arretee;
};

// The voice: each text is "spoken" into a short 16-bit WAV of a tone (its length grows with
// the text), answered from the event loop as the real one is. `Absente` makes it missing.
class SyntheseDouble : public ISyntheseVocale {
public:
    bool Absente = false;
    QStringList Dits;   // texts, in order
    QStringList Echecs; // texts whose speech fails
    int Annulations = 0;
    bool Disponible(QString* raison) override;
    void Dire(const QString& texte, const QString& sortie,
              std::function<void(const QString&)> fini) override;
    void Annuler() override;

private:
    int m_generation = 0;
};

// A PCM WAV file of a tone: `secondes` at `frequence`, silence around it.
QByteArray WavTonalite(double secondes, int frequence = 22050, int canaux = 1,
                       double silenceAutour = 0.3);

// A canonical 44-byte PCM header, for the files and headers no encoder would write.
QByteArray EnteteWav(int canaux, int frequence, int bits, quint32 octetsDonnees);

// The loudest sample, as a magnitude.
int Crete(const QVector<qint16>& s);

// Compares two spellings of a path as this system tells files apart: exactly on Linux, whatever
// the letter case on Windows, where both name the one file and the program keeps the one typed.
#ifdef Q_OS_WIN
inline QString CommeLeDisque(const QString& chemin) {
    return chemin.toLower();
}
inline QStringList CommeLeDisque(const QStringList& chemins) {
    QStringList r;
    for (const QString& c : chemins)
        r.append(c.toLower());
    return r;
}
#define QCOMPARE_CHEMIN(a, b) QCOMPARE(CommeLeDisque(a), CommeLeDisque(b))
#else
#define QCOMPARE_CHEMIN(a, b) QCOMPARE(a, b)
#endif

// What a program's file name ends with for this system to run it: Windows goes by the extension.
#ifdef Q_OS_WIN
inline const QString ExtensionProgramme = QStringLiteral(".exe");
#else
inline const QString ExtensionProgramme;
#endif

// Sets the modification time of a file or a folder (Qt sets only a file's).
bool Dater(const QString& chemin, const QDateTime& quand);

// A case that needs two names differing only in letter case cannot be set up where the disk
// names both one file (Windows): the test is skipped there, saying why.
bool CassesConfondues(const QStringList& noms);
#define SAUTER_SI_CASSES_CONFONDUES(noms)                                                          \
    do {                                                                                           \
        if (CassesConfondues(noms))                                                                \
            QSKIP("deux noms qui ne diffèrent que par la casse : un seul fichier sur ce disque");  \
    } while (false)

// Runs `action` with files limited to `octets` bytes: writes beyond are cut short, as a full
// disk would refuse them. False when the limit could not be set (the action ran anyway).
#ifdef Q_OS_WIN
#define SAUTER_SANS_DISQUE_PLEIN()                                                                 \
    QSKIP("Windows n'a pas de limite de taille de fichier par programme")
#else
#define SAUTER_SANS_DISQUE_PLEIN() (void)0
#endif
template <typename F> bool AvecDisquePlein(qint64 octets, F action) {
#ifdef Q_OS_WIN
    // Windows has no per-process file size limit: the action runs unlimited.
    (void)octets;
    action();
    return false;
#else
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit ancien{};
    getrlimit(RLIMIT_FSIZE, &ancien);
    rlimit petit = ancien;
    petit.rlim_cur = static_cast<rlim_t>(octets);
    const bool limite = setrlimit(RLIMIT_FSIZE, &petit) == 0;
    action();
    setrlimit(RLIMIT_FSIZE, &ancien);
    return limite;
#endif
}

// The file choosers answer from scripts; each call is recorded.
class ChoixFichierDouble : public IChoixFichier {
public:
    QStringList Reponses; // taken in order; empty: cancelled
    QStringList Titres;
    QStringList Proposes; // the names offered by the save dialogs, in order
    QString Ouvrir(QWidget*, const QString& titre, const QString&) override;
    QString Enregistrer(QWidget*, const QString& titre, const QString&, const QString&) override;
};

// The trash: by default there is none (as on a network share), so deleted files go to the
// group's hidden folder; with `Disponible`, files are moved into `Dossier` and recorded.
class CorbeilleDouble : public ICorbeille {
public:
    bool Disponible = false;
    QString Dossier; // where the files go when the trash is there
    QStringList Jetes;
    bool Jeter(const QString& chemin) override;
};

// Installs every double for one test and puts the defaults back at its end; the shared
// state is reset and the program folder is a fresh temporary folder.
class EnvironnementTest {
public:
    EnvironnementTest();
    ~EnvironnementTest();
    MessagesDouble Messages;
    HorlogeDouble Horloge;
    HasardDouble Hasard;
    PauseDouble Pause;
    SonDouble Son;
    ShellDouble Shell;
    ImprimanteDouble Imprimante;
    CaptureDouble Capture;
    SyntheseDouble Synthese;
    ChoixFichierDouble ChoixFichier;
    CorbeilleDouble Corbeille;
    QTemporaryDir Dossier;
    QString Programme; // Dossier's path with its final separator
};

// Test helpers for files.
QByteArray LireOctets(const QString& chemin);
void EcrireOctets(const QString& chemin, const QByteArray& octets);

// Paul of CM1 with his three files (`historique` his history) and an empty journal; the
// folder Animaux (not created) is the exercise's.
void PreparerPaulDeCM1(EnvironnementTest& env, const QByteArray& historique);

// An empty file whose name on disk is `nom` in `dossier`, bytes that need not be UTF-8 (as a
// share mounted without UTF-8 file names shows them); removed again at the end, since Qt
// cannot name it to remove it.
// Windows keeps every name in UTF-16, so no name there is ever damaged this way.
#ifdef Q_OS_WIN
#define SAUTER_SANS_NOMS_BRUTS() QSKIP("Windows garde les noms en UTF-16 : aucun n'est abîmé")
#else
#define SAUTER_SANS_NOMS_BRUTS() (void)0
#endif
class FichierNomBrut {
public:
    FichierNomBrut(const QString& dossier, const QByteArray& nom);
    ~FichierNomBrut();
    FichierNomBrut(const FichierNomBrut&) = delete;
    FichierNomBrut& operator=(const FichierNomBrut&) = delete;
    bool Cree = false;

private:
    QByteArray m_chemin;
};
