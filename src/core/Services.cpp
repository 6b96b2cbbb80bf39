#include "core/Services.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QStandardPaths>

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

bool CorbeilleSysteme::Jeter(const QString& chemin) {
    // Without the user's data folder, Qt's trash falls back to a "files" folder in the working
    // directory, which may be an exercise folder: then the hidden folder beside is the safer
    // place.
    const QString donnees = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (donnees.isEmpty() || !QDir().mkpath(donnees + QStringLiteral("/Trash/files")) ||
        !QDir().mkpath(donnees + QStringLiteral("/Trash/info")))
        return false;
    QString ou;
    if (!QFile::moveToTrash(chemin, &ou))
        return false;
    if (QDir::isRelativePath(ou)) {
        QDir().rename(ou, chemin);
        return false;
    }
    return true;
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
    void Jouer(double) override {}
    void Arreter() override {}
};

class PauseInactive : public IPause {
public:
    void Attendre(int) override {}
};

class ShellInactif : public IShell {
public:
    void Ouvrir(const QString&, Echec) override {}
    void Lancer(const QString&, Echec) override {}
};

// Without a printer service nothing is printed: the set-up counts as cancelled.
class ImprimanteAbsente : public IImprimante {
public:
    bool Configurer(QWidget*) override { return false; }
    void Imprimer(const QString&, const QString&) override {}
};

// Without the modules nothing reads, writes, captures, speaks or zips: each says so.
const QString sansModule = QStringLiteral("le module nécessaire n'est pas chargé");

class FichiersSonAbsents : public IFichiersSon {
public:
    bool Lire(const QString&, SonPcm&, QString* erreur) override { return Refuser(erreur); }
    bool EcrireWav(const QString&, const SonPcm&, QString* erreur) override {
        return Refuser(erreur);
    }

private:
    static bool Refuser(QString* erreur) {
        if (erreur)
            *erreur = sansModule;
        return false;
    }
};

class CaptureAbsente : public ICaptureSon {
public:
    void Demarrer() override {}
    void Arreter() override {}
    EtatCapture Etat() const override { return EtatCapture::Erreur; }
    QString Erreur() const override { return sansModule; }
    float Niveau() override { return 0.0f; }
    SonPcm Prendre() override { return {}; }
};

class SyntheseAbsente : public ISyntheseVocale {
public:
    bool Disponible(QString* raison) override {
        if (raison)
            *raison = sansModule;
        return false;
    }
    void Dire(const QString&, const QString&, std::function<void(const QString&)> fini) override {
        if (fini)
            fini(sansModule);
    }
    void Annuler() override {}
};

class ArchiveAbsente : public IArchive {
public:
    bool Ecrire(const QString&, const QString&, const QStringList&, QString* erreur) override {
        return Refuser(erreur);
    }
    bool Lister(const QString&, QVector<EntreeArchive>&, QString* erreur) override {
        return Refuser(erreur);
    }
    bool Extraire(const QString&, const QVector<ExtractionArchive>&, qint64,
                  QString* erreur) override {
        return Refuser(erreur);
    }

private:
    static bool Refuser(QString* erreur) {
        if (erreur)
            *erreur = sansModule;
        return false;
    }
};

class ChoixFichierInactif : public IChoixFichier {
public:
    QString Ouvrir(QWidget*, const QString&, const QString&) override { return {}; }
    QString Enregistrer(QWidget*, const QString&, const QString&, const QString&) override {
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
FichiersSonAbsents fichiersSonParDefaut;
CaptureAbsente captureParDefaut;
SyntheseAbsente syntheseParDefaut;
ArchiveAbsente archiveParDefaut;
ChoixFichierInactif choixFichierParDefaut;
CorbeilleSysteme corbeilleParDefaut;

IBoitesMessage* messages = &messagesParDefaut;
IAffichageModal* modal = &modalParDefaut;
IHorloge* horloge = &horlogeParDefaut;
IHasard* hasard = &hasardParDefaut;
IPause* pauseActive = &pauseParDefaut;
ISon* son = &sonParDefaut;
IShell* shell = &shellParDefaut;
IImprimante* imprimante = &imprimanteParDefaut;
IFichiersSon* fichiersSon = &fichiersSonParDefaut;
ICaptureSon* capture = &captureParDefaut;
ISyntheseVocale* synthese = &syntheseParDefaut;
IArchive* archive = &archiveParDefaut;
IChoixFichier* choixFichier = &choixFichierParDefaut;
ICorbeille* corbeille = &corbeilleParDefaut;

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
IFichiersSon& FichiersSon() {
    return *fichiersSon;
}
ICaptureSon& Capture() {
    return *capture;
}
ISyntheseVocale& Synthese() {
    return *synthese;
}
IArchive& Archive() {
    return *archive;
}
IChoixFichier& ChoixFichier() {
    return *choixFichier;
}
ICorbeille& Corbeille() {
    return *corbeille;
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
void InstallerFichiersSon(IFichiersSon* s) {
    fichiersSon = s ? s : &fichiersSonParDefaut;
}
void InstallerCapture(ICaptureSon* s) {
    capture = s ? s : &captureParDefaut;
}
void InstallerSynthese(ISyntheseVocale* s) {
    synthese = s ? s : &syntheseParDefaut;
}
void InstallerArchive(IArchive* s) {
    archive = s ? s : &archiveParDefaut;
}
void InstallerChoixFichier(IChoixFichier* s) {
    choixFichier = s ? s : &choixFichierParDefaut;
}
void InstallerCorbeille(ICorbeille* s) {
    corbeille = s ? s : &corbeilleParDefaut;
}
} // namespace Services
