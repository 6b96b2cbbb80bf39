#pragma once
// Platform services. Each is a small interface with a Qt implementation used by the program
// and a double used by the tests (tests/support). The program reaches them through
// Services::..., and tests swap them with Services::Installer...().

#include "core/SonPcm.h"

#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>

class QWidget;
class QDialog;

// Message boxes. Every text is French and shown exactly as given.
class IBoitesMessage {
public:
    virtual ~IBoitesMessage() = default;
    // Plain box: application title, one "OK" button.
    virtual void Message(const QString& texte) = 0;
    // "Oui" / "Non": true for "Oui".
    virtual bool QuestionOuiNon(const QString& texte) = 0;
    // "OK" / "Annuler", no icon: true for "OK".
    virtual bool QuestionOkAnnuler(const QString& texte) = 0;
    // Title "Information", information icon, "OK".
    virtual void Information(const QString& texte) = 0;
    // Title "Confirmation", question icon, "Oui" default, Escape = "Non": true for "Oui".
    virtual bool Confirmation(const QString& texte) = 0;
    // The general error box: an action stopped on an unexpected file-system error.
    virtual void Erreur(const QString& texte) = 0;
};

// Modal showing of a form. The form's FormShow/FormActivate run in both implementations.
class IAffichageModal {
public:
    virtual ~IAffichageModal() = default;
    virtual int Montrer(QDialog* forme) = 0;
};

class IHorloge {
public:
    virtual ~IHorloge() = default;
    virtual QString DateCourte() = 0;  // dd/mm/yyyy
    virtual QString HeureLongue() = 0; // hh:mm:ss
};

class IHasard {
public:
    virtual ~IHasard() = default;
    // A whole number r with 0 <= r < n (n >= 1).
    virtual int Tirer(int n) = 0;
};

class IPause {
public:
    virtual ~IPause() = default;
    // Blocks the user for ms milliseconds; sounds already started go on playing.
    virtual void Attendre(int ms) = 0;
};

// The sound player `Son`. Opening decodes the whole file at once, so an unreadable file fails
// there and not later; playing returns at once and cuts whatever was still playing. Without a
// sound device everything stays silent and nothing fails.
class ISon {
public:
    virtual ~ISon() = default;
    virtual void DefinirFichier(const QString& chemin) = 0;
    // false with a French sentence naming the file and the system's reason in *erreur.
    virtual bool Ouvrir(QString* erreur) = 0;
    // `vitesse` below 1 plays the sound slower with its pitch kept ("J'écoute lentement"),
    // stretched by the player on its own thread; a build without the stretching plays it as is.
    virtual void Jouer(double vitesse = 1) = 0;
    virtual void Arreter() = 0;
};

// "J'écoute lentement": the item at about 70 % of its pace. The sound module stretches it with
// SoundTouch; a build without SoundTouch (PLUMELUNE_ECOUTE_LENTE undefined) offers no such
// control.
inline constexpr double VitesseLente = 0.7;
#ifdef PLUMELUNE_ECOUTE_LENTE
inline constexpr bool EcouteLenteIntegree = true;
#else
inline constexpr bool EcouteLenteIntegree = false;
#endif

// The desktop's "open": a document or a folder in the program the desktop associates with it
// (a folder in the file manager, a web page in the browser), or a program started on its own.
// The program never waits for what it started. A failure (no opener on this desktop, no program
// for that kind of file, a program that cannot start) reaches `echec` with a French sentence
// naming the target, on the interface thread: at once when it is known at once, later when the
// desktop's opener gives up after the call returned.
class IShell {
public:
    using Echec = std::function<void(const QString& message)>;
    virtual ~IShell() = default;
    // A file or folder path (any length), or a web address such as "https://...".
    virtual void Ouvrir(const QString& cible, Echec echec) = 0;
    // A program, by its path or by a name found on the program search path.
    virtual void Lancer(const QString& programme, Echec echec) = 0;
};

// The printer: its set-up dialog and plain-text jobs. The printer chosen in the dialog stays
// the program's printer for the later jobs of the run.
class IImprimante {
public:
    virtual ~IImprimante() = default;
    // The printer set-up dialog over `proprietaire`; false when the user cancels it.
    virtual bool Configurer(QWidget* proprietaire) = 0;
    // One job: `entete` (who, which group, which day) in bold at the top of the first page,
    // then the fixed-pitch text, lines wrapped at the page width inside margins a teacher can
    // hole-punch and file, new pages as needed, no title, footer or page number.
    virtual void Imprimer(const QString& texte, const QString& entete) = 0;
};

// Sound files read and written through the sound module (libsndfile): every format it reads
// (WAV of any encoding, FLAC, OGG, AIFF...), and 16-bit PCM WAV written.
class IFichiersSon {
public:
    virtual ~IFichiersSon() = default;
    // false with a French sentence naming the file and the reason in *erreur.
    virtual bool Lire(const QString& chemin, SonPcm& son, QString* erreur) = 0;
    // The file is replaced only once whole: a failure leaves the previous one as it was.
    virtual bool EcrireWav(const QString& chemin, const SonPcm& son, QString* erreur) = 0;
};

enum class EtatCapture {
    Arretee,   // nothing captured now (before, or once stopped)
    Ouverture, // the microphone is being looked up and opened
    EnCours,   // samples are coming
    Erreur,    // no microphone, or it failed: Erreur() says so
};

// The microphone. Every call returns at once: the device is looked up, opened and closed on a
// thread of its own, so a sound server that hangs never freezes the window.
class ICaptureSon {
public:
    virtual ~ICaptureSon() = default;
    // Gets the microphone's side ready ahead (the studio asks when it opens), so that the first
    // "Enregistrer" finds it up; returns at once.
    virtual void Preparer() {}
    // Starts a capture; what an earlier one held is dropped.
    virtual void Demarrer() = 0;
    virtual void Arreter() = 0;
    virtual EtatCapture Etat() const = 0;
    // In French, once Etat() is EtatCapture::Erreur.
    virtual QString Erreur() const = 0;
    // The loudest peak since the previous call, from 0 to 1: the level meter.
    virtual float Niveau() = 0;
    // What was captured so far, one channel, at the device's rate; the capture keeps nothing.
    virtual SonPcm Prendre() = 0;
};

// A voice that reads French text aloud into a WAV file.
class ISyntheseVocale {
public:
    virtual ~ISyntheseVocale() = default;
    // Whether the voice can speak; otherwise why not, in French.
    virtual bool Disponible(QString* raison) = 0;
    // Starts reading `texte` into the file `sortie` and returns at once; `fini` runs later, on
    // the calling thread, with an empty text on success or the French reason of the failure.
    virtual void Dire(const QString& texte, const QString& sortie,
                      std::function<void(const QString& erreur)> fini) = 0;
    // Stops what is being read; its `fini` is not called.
    virtual void Annuler() = 0;
};

// One entry of a zip archive as its directory announces it.
struct EntreeArchive {
    QString Nom; // relative, "/" between folders, as stored
    qint64 Taille = 0;
    bool Dossier = false;
    bool Lien = false; // a symbolic link (or any entry that is not a plain file or folder)
};
struct ExtractionArchive {
    int Index = 0;       // in the list Lister gave
    QString Destination; // a file that does not exist yet
};

// Zip archives, through the archive module (libzip), loaded at the first export or import.
class IArchive {
public:
    virtual ~IArchive() = default;
    // The archive holds `fichiers` (relative to `racine`, "/" between folders); its file is
    // replaced only once whole.
    virtual bool Ecrire(const QString& zip, const QString& racine, const QStringList& fichiers,
                        QString* erreur) = 0;
    virtual bool Lister(const QString& zip, QVector<EntreeArchive>& entrees, QString* erreur) = 0;
    // Writes the entries into new files; fails past `octetsMax` bytes written in all, whatever
    // the directory announced.
    virtual bool Extraire(const QString& zip, const QVector<ExtractionArchive>& plan,
                          qint64 octetsMax, QString* erreur) = 0;
};

// The desktop's file choosers. Empty when the user cancels.
class IChoixFichier {
public:
    virtual ~IChoixFichier() = default;
    virtual QString Ouvrir(QWidget* parent, const QString& titre, const QString& filtre) = 0;
    virtual QString Enregistrer(QWidget* parent, const QString& titre, const QString& propose,
                                const QString& filtre) = 0;
};

// The desktop's trash, from which a deleted file can be restored.
class ICorbeille {
public:
    virtual ~ICorbeille() = default;
    // Moves the file there; false where there is none (a network share often has none).
    virtual bool Jeter(const QString& chemin) = 0;
};

namespace Services {
IBoitesMessage& Messages();
ISon& Son();
IAffichageModal& Modal();
IHorloge& Horloge();
IHasard& Hasard();
IPause& Pause();
IShell& Shell();
IImprimante& Imprimante();
IFichiersSon& FichiersSon();
ICaptureSon& Capture();
ISyntheseVocale& Synthese();
IArchive& Archive();
IChoixFichier& ChoixFichier();
ICorbeille& Corbeille();

// Each takes a service the caller keeps alive; nullptr puts back the default.
void InstallerMessages(IBoitesMessage* s);
void InstallerSon(ISon* s);
void InstallerModal(IAffichageModal* s);
void InstallerHorloge(IHorloge* s);
void InstallerHasard(IHasard* s);
void InstallerPause(IPause* s);
void InstallerShell(IShell* s);
void InstallerImprimante(IImprimante* s);
void InstallerFichiersSon(IFichiersSon* s);
void InstallerCapture(ICaptureSon* s);
void InstallerSynthese(ISyntheseVocale* s);
void InstallerArchive(IArchive* s);
void InstallerChoixFichier(IChoixFichier* s);
void InstallerCorbeille(ICorbeille* s);
} // namespace Services

// QtCore implementations (the widget ones live in ServicesQt.h).
class HorlogeSysteme : public IHorloge {
public:
    QString DateCourte() override;
    QString HeureLongue() override;
};

class HasardSysteme : public IHasard {
public:
    int Tirer(int n) override;
};

// The freedesktop.org trash, through QFile::moveToTrash.
class CorbeilleSysteme : public ICorbeille {
public:
    bool Jeter(const QString& chemin) override;
};
