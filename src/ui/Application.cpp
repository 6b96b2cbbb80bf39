#include "ui/Application.h"

#include "core/DossierProgramme.h"
#include "core/Etat.h"
#include "core/FichierTexte.h"
#include "ui/Fenetres.h"
#include "ui/exercise/FenetreExercice.h"
#include "ui/platform/ArretPropre.h"
#include "ui/platform/EchelleQt.h"
#include "ui/platform/ImagesQt.h"
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
    // Begun first: the fonts are read while Qt connects to the display, the pictures, at the
    // resolution the screen needs, while the forms are built.
    Prechargement avance({});
    QApplication app(argc, argv);
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

    // The scale is read from the ini now, before any window exists; the rest of the ini, and
    // what a wrong value deserves to be told, once the main window shows.
    QByteArray ini;
    LireFichier(Etat.DossierProgramme + QStringLiteral("plumelune.ini"), ini);
    AppliquerFacteurEchelle(FacteurPourLEcran(ReglageEchelleDuFichier(ini)));
    QStringList images = {ImageFondExercice, ImageFondDepart};
    images += ImagesBoutonsDemarrage();
    for (QString& i : images)
        i = RessourcePourRatio(i, RatioDesFenetres());
    avance.Ajouter(images);

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
    Services::InstallerImprimante(nullptr);
    Services::InstallerSon(nullptr);
    return code;
}
