#include "ui/Application.h"

#include "core/DossierProgramme.h"
#include "core/Etat.h"
#include "ui/Fenetres.h"
#include "ui/exercise/FenetreExercice.h"
#include "ui/platform/ArretPropre.h"
#include "ui/platform/Prechargement.h"
#include "ui/platform/ServicesADemande.h"
#include "ui/platform/ServicesQt.h"
#include "ui/platform/ShellQt.h"

#include <QApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QTranslator>

int LancerPlumelune(int argc, char* argv[], const std::function<void()>& apresCreation) {
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
    ChoixFichierQt choixFichier;
    ImprimanteADemande imprimante; // loaded at the first print
    SonADemande son;               // loaded at the first sound
    Services::InstallerMessages(&messages);
    Services::InstallerModal(&modal);
    Services::InstallerPause(&pause);
    Services::InstallerShell(&shell);
    Services::InstallerChoixFichier(&choixFichier);
    Services::InstallerImprimante(&imprimante);
    Services::InstallerSon(&son);

    Fenetres::Creer(FormeModale::Controles::AuPremierAffichage);
    if (apresCreation)
        apresCreation();
    InstallerArretPropre([] {
        Fenetres::Exercice->close();
        QCoreApplication::exit(0); // also ends a dialog left open
    });
    Fenetres::Exercice->show();
    const int code = QApplication::exec();
    Fenetres::Detruire();
    Services::InstallerMessages(nullptr);
    Services::InstallerModal(nullptr);
    Services::InstallerPause(nullptr);
    Services::InstallerShell(nullptr);
    Services::InstallerChoixFichier(nullptr);
    Services::InstallerImprimante(nullptr);
    Services::InstallerSon(nullptr);
    return code;
}
