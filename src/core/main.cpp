// Plumelune: a dictation trainer for primary-school pupils.

#include "core/Chemins.h"
#include "core/Etat.h"
#include "core/Formulaires.h"
#include "core/ServicesQt.h"
#include "exercise/Unit1.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    // Standard buttons and dialogs ("Annuler", "Oui", "Non") in French.
    QTranslator traduction;
    if (traduction.load(QLocale(QLocale::French), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&traduction);

    Etat.DossierProgramme = AvecSeparateur(QCoreApplication::applicationDirPath());
    Etat.Reinitialiser();

    MessagesQt messages;
    ModalQt modal;
    PauseQt pause;
    Services::InstallerMessages(&messages);
    Services::InstallerModal(&modal);
    Services::InstallerPause(&pause);

    CreerFormulaires();
    Form1->show();
    const int code = QApplication::exec();
    DetruireFormulaires();
    Services::InstallerMessages(nullptr);
    Services::InstallerModal(nullptr);
    Services::InstallerPause(nullptr);
    return code;
}
