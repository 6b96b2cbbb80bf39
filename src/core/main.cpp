// Plumelune: a dictation trainer for primary-school pupils.

#include "core/ArretPropre.h"
#include "core/DossierProgramme.h"
#include "core/Etat.h"
#include "core/Formulaires.h"
#include "core/Prechargement.h"
#include "core/ServicesADemande.h"
#include "core/ServicesQt.h"
#include "core/ShellQt.h"
#include "core/SondeDemarrage.h"
#include "exercise/Unit1.h"

#include <QApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QTranslator>

int main(int argc, char* argv[]) {
    // Begun first: the backgrounds and the fonts are read while Qt connects to the display,
    // the buttons' pictures while the forms are built.
    Prechargement avance({ImageFondExercice, ImageFondDepart});
    QApplication app(argc, argv);
    avance.Ajouter(ImagesBoutonsDemarrage());
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    // Standard buttons and dialogs ("Annuler", "Oui", "Non") in French.
    QTranslator traduction;
    if (traduction.load(QLocale(QLocale::French), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&traduction);

    QCoreApplication::setApplicationName(QStringLiteral("plumelune"));
    const QString exe = QCoreApplication::applicationDirPath();
    Etat.DossierProgramme =
        ChoisirDossierProgramme(exe, QFileInfo(exe).isWritable(),
                                QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    Etat.Reinitialiser();

    MessagesQt messages;
    ModalQt modal;
    PauseQt pause;
    ShellQt shell;
    ImprimanteADemande imprimante; // loaded at the first print
    SonADemande son;               // loaded at the first sound
    Services::InstallerMessages(&messages);
    Services::InstallerModal(&modal);
    Services::InstallerPause(&pause);
    Services::InstallerShell(&shell);
    Services::InstallerImprimante(&imprimante);
    Services::InstallerSon(&son);

    CreerFormulaires(FormeModale::Controles::AuPremierAffichage);
    if (qEnvironmentVariableIsSet("PLUMELUNE_BENCH_PEINT"))
        InstallerSondeDemarrage(); // start-up benchmark only
    InstallerArretPropre([] {
        Form1->close();
        QCoreApplication::exit(0); // also ends a dialog left open
    });
    Form1->show();
    const int code = QApplication::exec();
    DetruireFormulaires();
    Services::InstallerMessages(nullptr);
    Services::InstallerModal(nullptr);
    Services::InstallerPause(nullptr);
    Services::InstallerShell(nullptr);
    Services::InstallerImprimante(nullptr);
    Services::InstallerSon(nullptr);
    return code;
}
