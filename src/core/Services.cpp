#include "core/Services.h"

#include <QDateTime>
#include <QRandomGenerator>

QString HorlogeSysteme::DateCourte() {
    return QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"));
}

QString HorlogeSysteme::HeureLongue() {
    return QTime::currentTime().toString(QStringLiteral("hh:mm:ss"));
}

// The generator is seeded once by the system. Reseeding from the clock before every draw,
// as older programs did, repeats the same draw within one clock tick.
int HasardSysteme::Tirer(int n) {
    if (n <= 1)
        return 0;
    return static_cast<int>(QRandomGenerator::global()->bounded(n));
}

namespace {

// Until the user interface installs its own, the services do nothing visible: a
// core-only program (a benchmark, a fuzzer) must never block on a dialog.
class MessagesSilencieux : public IBoitesMessage {
public:
    void Message(const QString&) override {}
    bool QuestionOuiNon(const QString&) override { return false; }
    bool QuestionOkAnnuler(const QString&) override { return false; }
    void Information(const QString&) override {}
    bool Confirmation(const QString&) override { return false; }
    void Erreur(const QString&) override {}
};

class ModalInactif : public IAffichageModal {
public:
    int Montrer(QDialog*) override { return 0; }
};

class SonMuet : public ISon {
public:
    void DefinirFichier(const QString&) override {}
    bool Ouvrir(QString*) override { return true; }
    void Jouer() override {}
    void Arreter() override {}
};

class PauseInactive : public IPause {
public:
    void Attendre(int) override {}
};

class ShellInactif : public IShell {
public:
    void Ouvrir(const QString&) override {}
    void Lancer(const QString&) override {}
};

// Without a printer service nothing is printed: the set-up counts as cancelled.
class ImprimanteAbsente : public IImprimante {
public:
    bool Configurer(QWidget*) override { return false; }
    void Imprimer(const QString&) override {}
};

// Without a file-choice service no file is chosen: the choice counts as cancelled.
class ChoixFichierAbsent : public IChoixFichier {
public:
    QString FichierAEnregistrer(QWidget*, const QString&, const QString&, const QString&) override {
        return {};
    }
};

MessagesSilencieux messagesParDefaut;
ModalInactif modalParDefaut;
HorlogeSysteme horlogeParDefaut;
HasardSysteme hasardParDefaut;
PauseInactive pauseParDefaut;
SonMuet sonParDefaut;
ShellInactif shellParDefaut;
ImprimanteAbsente imprimanteParDefaut;
ChoixFichierAbsent choixFichierParDefaut;

IBoitesMessage* messages = &messagesParDefaut;
IAffichageModal* modal = &modalParDefaut;
IHorloge* horloge = &horlogeParDefaut;
IHasard* hasard = &hasardParDefaut;
IPause* pauseActive = &pauseParDefaut;
ISon* son = &sonParDefaut;
IShell* shell = &shellParDefaut;
IImprimante* imprimante = &imprimanteParDefaut;
IChoixFichier* choixFichier = &choixFichierParDefaut;

} // namespace

namespace Services {
IBoitesMessage& Messages() {
    return *messages;
}
IAffichageModal& Modal() {
    return *modal;
}
IHorloge& Horloge() {
    return *horloge;
}
IHasard& Hasard() {
    return *hasard;
}
IPause& Pause() {
    return *pauseActive;
}
ISon& Son() {
    return *son;
}
IShell& Shell() {
    return *shell;
}
IImprimante& Imprimante() {
    return *imprimante;
}
IChoixFichier& ChoixFichier() {
    return *choixFichier;
}

void InstallerMessages(IBoitesMessage* s) {
    messages = s ? s : &messagesParDefaut;
}
void InstallerModal(IAffichageModal* s) {
    modal = s ? s : &modalParDefaut;
}
void InstallerHorloge(IHorloge* s) {
    horloge = s ? s : &horlogeParDefaut;
}
void InstallerHasard(IHasard* s) {
    hasard = s ? s : &hasardParDefaut;
}
void InstallerPause(IPause* s) {
    pauseActive = s ? s : &pauseParDefaut;
}
void InstallerSon(ISon* s) {
    son = s ? s : &sonParDefaut;
}
void InstallerShell(IShell* s) {
    shell = s ? s : &shellParDefaut;
}
void InstallerImprimante(IImprimante* s) {
    imprimante = s ? s : &imprimanteParDefaut;
}
void InstallerChoixFichier(IChoixFichier* s) {
    choixFichier = s ? s : &choixFichierParDefaut;
}
} // namespace Services
