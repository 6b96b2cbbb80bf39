// The sound player and the printer loaded at their first use: nothing of Qt's multimedia or
// printing libraries before, the real player after, and a French sentence when the library is
// missing.

#include "Doubles.h"
#include "ProgrammeEssai.h"
#include "ui/platform/ServicesADemande.h"

#include <QApplication>
#include <QDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {
const QString ModuleSon = QStringLiteral(PLUMELUNE_MODULES "/plumelune_son");
const QString ModuleImpression = QStringLiteral(PLUMELUNE_MODULES "/plumelune_impression");
const QString ModuleAbsent = QStringLiteral(PLUMELUNE_MODULES "/plumelune_absent");
} // namespace

class TstServicesADemande : public QObject {
    Q_OBJECT
private slots:
    // First, while nothing has played nor printed in this process.
    void rienAuDepart() {
        SonADemande son(ModuleSon);
        ImprimanteADemande imprimante(ModuleImpression);
        son.DefinirFichier(QStringLiteral(PLUMELUNE_DEMO "/juste.wav"));
        son.Arreter();
        son.Jouer(); // not opened: nothing to play, nothing loaded
        QVERIFY(BibliothequeChargee("libQt6Widgets.so")); // the look-up itself works
        for (const char* bibliotheque :
             {"libplumelune_son.so", "libplumelune_impression.so", "libQt6Multimedia.so",
              "libQt6PrintSupport.so", "libsndfile.so"})
            QVERIFY2(!BibliothequeChargee(bibliotheque), bibliotheque);
    }

    void sonChargeALaPremiereOuverture() {
        SonADemande son(ModuleSon);
        son.DefinirFichier(QStringLiteral(PLUMELUNE_DEMO "/juste.wav"));
        QString erreur;
        QVERIFY2(son.Ouvrir(&erreur), qPrintable(erreur));
        QVERIFY(BibliothequeChargee("libplumelune_son.so"));
#ifdef Q_OS_WIN
        QVERIFY(BibliothequeChargee("libsndfile.so")); // Windows' sound is the system's own
#else
        QVERIFY(BibliothequeChargee("libQt6Multimedia.so"));
#endif
        son.Jouer(); // no device here: silence, never an error
        son.Arreter();
        // The file named next is the one opened.
        QTemporaryDir dossier;
        const QString abime = dossier.filePath(QStringLiteral("abime.wav"));
        QFile f(abime);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("RIFF pas un son");
        f.close();
        son.DefinirFichier(abime);
        QVERIFY(!son.Ouvrir(&erreur));
        QVERIFY2(erreur.startsWith(QStringLiteral("Impossible de lire le son « abime.wav »")),
                 qPrintable(erreur));
    }

    void sonSansSaBibliotheque() {
        SonADemande son(ModuleAbsent);
        son.DefinirFichier(QStringLiteral("/dossier/chat.wav"));
        QString erreur;
        QVERIFY(!son.Ouvrir(&erreur));
        QVERIFY2(erreur.startsWith(QStringLiteral("Impossible de lire le son « chat.wav » : le "
                                                  "lecteur de sons est introuvable (")),
                 qPrintable(erreur));
        QVERIFY2(erreur.contains(QStringLiteral("plumelune_absent")), qPrintable(erreur));
        son.Jouer();
        son.Arreter();
        QVERIFY(!son.Ouvrir(nullptr)); // asked again, refused again, without a sentence
    }

    // The printer's module loads and gives a printer (its set-up dialog is not shown here).
    void imprimanteChargeeDeSonModule() {
        QString raison;
        std::unique_ptr<IImprimante> imprimante(static_cast<IImprimante*>(
            CreerDepuisModule(ModuleImpression, "PlumeluneCreerImprimante", &raison)));
        QVERIFY2(imprimante, qPrintable(raison));
        QVERIFY(BibliothequeChargee("libQt6PrintSupport.so"));
        QVERIFY(!CreerDepuisModule(ModuleImpression, "FabriqueInconnue", &raison));
        QVERIFY(!raison.isEmpty());
    }

    // Through the service as the report form uses it: the module's print dialog comes up, and
    // cancelling it answers false.
    void imprimanteConfigureeParSonModule() {
#ifdef Q_OS_WIN
        QSKIP("Windows' print dialog is the system's own, not a Qt window a test can answer");
#endif
        EnvironnementTest env;
        ImprimanteADemande imprimante(ModuleImpression);
        QString dialogue;
        QTimer::singleShot(200, [&dialogue] {
            if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                dialogue = QString::fromLatin1(d->metaObject()->className());
                d->reject();
            }
        });
        QVERIFY(!imprimante.Configurer(nullptr));
        QCOMPARE(dialogue, QStringLiteral("QPrintDialog"));
        QVERIFY(env.Messages.Appels.isEmpty());
    }

    void imprimanteSansSaBibliotheque() {
        EnvironnementTest env;
        ImprimanteADemande imprimante(ModuleAbsent);
        QVERIFY(!imprimante.Configurer(nullptr));
        imprimante.Imprimer(QStringLiteral("rien"), {}); // nothing set up: nothing printed
        QCOMPARE(env.Messages.Appels.size(), 1);
        QCOMPARE(env.Messages.Appels.first().Genre, QStringLiteral("Erreur"));
        QVERIFY(env.Messages.Appels.first().Texte.startsWith(QStringLiteral(
            "L'impression est impossible : le module d'impression est introuvable (")));
    }
};

QTEST_MAIN(TstServicesADemande)
#include "tst_servicesademande.moc"
