#pragma once
// Platform services. Each is a small interface with a Qt implementation used by the program
// and a double used by the tests (tests/support). The program reaches them through
// Services::..., and tests swap them with Services::Installer...().

#include <QString>
#include <QStringList>
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
    virtual void Jouer() = 0;
    virtual void Arreter() = 0;
};

// The desktop's "open": a document or a folder in the program the desktop associates with it
// (a folder in the file manager, a web page in the browser), or a program started on its own.
// The program never waits for what it started and reports nothing of its own: whatever the
// desktop says is all the user sees.
class IShell {
public:
    virtual ~IShell() = default;
    // A file or folder path (any length), or a web address such as "https://...".
    virtual void Ouvrir(const QString& cible) = 0;
    // A program, by its path or by a name found on the program search path.
    virtual void Lancer(const QString& programme) = 0;
};

// The printer: its set-up dialog and plain-text jobs. The printer chosen in the dialog stays
// the program's printer for the later jobs of the run.
class IImprimante {
public:
    virtual ~IImprimante() = default;
    // The printer set-up dialog over `proprietaire`; false when the user cancels it.
    virtual bool Configurer(QWidget* proprietaire) = 0;
    // One job: fixed-pitch 8 pt text over the whole printable area, lines wrapped at the page
    // width, new pages as needed, no title, header, footer or page number.
    virtual void Imprimer(const QString& texte) = 0;
};

// The choice of a file to write, in the desktop's save dialog.
class IChoixFichier {
public:
    virtual ~IChoixFichier() = default;
    // The path the user chose over `proprietaire`, starting from the file name `nomPropose` and
    // showing the files `filtre` names ("Tableur (*.csv)"); empty when he cancels. The dialog
    // itself asks before a file is replaced.
    virtual QString FichierAEnregistrer(QWidget* proprietaire, const QString& titre,
                                        const QString& nomPropose, const QString& filtre) = 0;
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
IChoixFichier& ChoixFichier();

// Each takes a service the caller keeps alive; nullptr puts back the default.
void InstallerMessages(IBoitesMessage* s);
void InstallerSon(ISon* s);
void InstallerModal(IAffichageModal* s);
void InstallerHorloge(IHorloge* s);
void InstallerHasard(IHasard* s);
void InstallerPause(IPause* s);
void InstallerShell(IShell* s);
void InstallerImprimante(IImprimante* s);
void InstallerChoixFichier(IChoixFichier* s);
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
