#include "ui/Application.h"

#include "core/Chemins.h"
#include "core/DossierProgramme.h"
#include "core/Etat.h"
#include "core/FichierTexte.h"
#include "core/records/Journal.h"
#include "ui/Fenetres.h"
#include "ui/dialogs/RoleAlerte.h"
#include "ui/exercise/FenetreExercice.h"
#include "ui/platform/ArretPropre.h"
#include "ui/platform/AvantQt.h"
#include "ui/platform/BusDeSession.h"
#include "ui/platform/DossierDonnees.h"
#include "ui/platform/EchelleQt.h"
#include "ui/platform/ImagesQt.h"
#include "ui/platform/Polices.h"
#include "ui/platform/Prechargement.h"
#include "ui/platform/ServicesADemande.h"
#include "ui/platform/ServicesQt.h"
#include "ui/platform/ShellQt.h"
#include "ui/platform/SyntheseEspeak.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

// The ini beside the executable, read before Qt starts (an installed program keeps its ini in
// the user's folder: this one then only guesses).
struct IniLu {
    QString Chemin;
    QByteArray Octets;
};
IniLu IniPresDeLExecutable() {
    const QString exe = QFile::symLinkTarget(QStringLiteral("/proc/self/exe"));
    IniLu ini;
    if (!exe.isEmpty()) {
        ini.Chemin = QFileInfo(exe).absolutePath() + QStringLiteral("/plumelune.ini");
        LireFichier(ini.Chemin, ini.Octets);
    }
    return ini;
}

// The device pixels per design pixel the windows will most likely be drawn at: the ini's fixed
// scale, or, for the automatic one, that of the classroom screens it is made for.
qreal RatioProbable(const QByteArray& ini) {
    const ReglageEchelle reglage = ReglageEchelleDuFichier(ini);
    return reglage.Automatique ? 2.0 : reglage.Facteur;
}

} // namespace

int LancerPlumelune(int argc, char* argv[], const std::function<void()>& apresCreation) {
    PreparerAvantQt();
    // Begun first: the backgrounds and the fonts are read while Qt connects to the display, the
    // buttons' pictures while the forms are built. The resolution the pictures need is known
    // for sure only once the screen is: until then, the one the ini beside the executable most
    // likely leads to.
    Prechargement::EnregistrerImages();
    const IniLu iniAvantQt = IniPresDeLExecutable();
    const qreal ratioProbable = RatioProbable(iniAvantQt.Octets);
    QStringList fonds = {ImageFondExercice, ImageFondDepart};
    for (QString& f : fonds)
        f = RessourcePourRatio(f, ratioProbable);
    Prechargement avance(fonds);
    QApplication app(argc, argv);
    // Message and feedback boxes are alerts to a screen reader (a factory added to a list).
    InstallerRoleAlerte();
    // The bus the accessibility bridge asks for while the forms are built, connected meanwhile.
    const BusDeSessionEnAvance bus(QGuiApplication::platformName());
    PolicesDuProgramme();
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    // Standard buttons and dialogs ("Annuler", "Oui", "Non") in French.
    QTranslator traduction;
    if (traduction.load(QLocale(QLocale::French), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&traduction);

    QCoreApplication::setApplicationName(QStringLiteral("plumelune"));
    const QString exe = QCoreApplication::applicationDirPath();
    Etat.DossierProgramme =
        ChoisirDossierProgramme(exe, QFileInfo(exe).isWritable(), DossierDonneesInstallees());
    Etat.Reinitialiser();
    // A shutdown is heard before the journal exists, so that it is never left behind; the
    // request waits in the event loop, which first runs once the windows are there.
    InstallerArretPropre([] {
        if (Fenetres::Exercice)
            Fenetres::Exercice->ArretDemande();
    });
    CreerJournalEnFond();

    // The scale is read from the ini now, before any window exists; the rest of the ini, and
    // what a wrong value deserves to be told, once the main window shows. Usually the file
    // already read before Qt started.
    const QString cheminIni = Etat.DossierProgramme + QStringLiteral("plumelune.ini");
    QByteArray ini = iniAvantQt.Octets;
    if (QDir::cleanPath(cheminIni) != QDir::cleanPath(iniAvantQt.Chemin))
        LireFichier(cheminIni, ini);
    AppliquerFacteurEchelle(FacteurPourLEcran(ReglageEchelleDuFichier(ini)));
    QStringList images = {ImageFondExercice, ImageFondDepart};
    images += ImagesBoutonsDemarrage();
    for (QString& i : images)
        i = RessourcePourRatio(i, RatioDesFenetres());
    for (const QString& f : fonds)
        images.removeOne(f); // already on their way
    avance.Ajouter(images);
    avance.AjouterAjustee(ResoudreChemin(Etat.DossierProgramme + ImageParDefaut), CadreImageItem,
                          RatioDesFenetres());

    MessagesQt messages;
    ModalQt modal;
    PauseQt pause;
    ShellQt shell;
    ImprimanteADemande imprimante; // loaded at the first print
    SonADemande son;               // loaded at the first sound
    // The studio's: the microphone and sound files from the sound module, archives from their
    // own, each at its first use; the voice is a program started when asked.
    CaptureADemande capture;
    FichiersSonADemande fichiersSon;
    ArchiveADemande archive;
    SyntheseEspeak synthese;
    ChoixFichierQt choixFichier;
    Services::InstallerMessages(&messages);
    Services::InstallerModal(&modal);
    Services::InstallerPause(&pause);
    Services::InstallerShell(&shell);
    Services::InstallerImprimante(&imprimante);
    Services::InstallerSon(&son);
    Services::InstallerCapture(&capture);
    Services::InstallerFichiersSon(&fichiersSon);
    Services::InstallerArchive(&archive);
    Services::InstallerSynthese(&synthese);
    Services::InstallerChoixFichier(&choixFichier);

    // The forms' first text needs the font configuration the thread is reading.
    Prechargement::AttendrePolices();
    Fenetres::Creer(FormeModale::Controles::AuPremierAffichage);
    if (apresCreation)
        apresCreation();
    Fenetres::Exercice->show();
    const int code = QApplication::exec();
    Fenetres::Detruire();
    Services::InstallerMessages(nullptr);
    Services::InstallerModal(nullptr);
    Services::InstallerPause(nullptr);
    Services::InstallerShell(nullptr);
    Services::InstallerImprimante(nullptr);
    Services::InstallerSon(nullptr);
    Services::InstallerCapture(nullptr);
    Services::InstallerFichiersSon(nullptr);
    Services::InstallerArchive(nullptr);
    Services::InstallerSynthese(nullptr);
    Services::InstallerChoixFichier(nullptr);
    return code;
}
