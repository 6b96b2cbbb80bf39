// Start-up of the real main form, offscreen: configuration, journal, title, and the end.

#include "Doubles.h"
#include "DoublesUi.h"
#include "core/Etat.h"
#include "ui/Fenetres.h"
#include "ui/Pilote.h"
#include "ui/exercise/FenetreExercice.h"
#include "ui/platform/BusDeSession.h"
#include "ui/setup/FenetreDepart.h"

#include <QApplication>
#include <QBackingStore>
#include <QDBusConnection>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

namespace {
QStringList Journaux(const QString& dossier) {
    return QDir(dossier).entryList({"Bilan_*.txt"}, QDir::Files);
}
} // namespace

class TstDemarrage : public QObject {
    Q_OBJECT
private slots:
    // The two windows of the start have their drawing surface as soon as they show, before
    // anything is painted; what they then paint on it, while the surface's memory is still
    // being brought in beside, is what the windows draw.
    void surfacesDesLAffichage() {
        EnvironnementTest env;
        ModalInstalle modal;
        Fenetres::Creer();
        Etat.PremiereActivation = false; // the windows alone, not the start's dialogue
        QWidget* const fenetres[] = {Fenetres::Exercice, Fenetres::Depart};
        for (QWidget* f : fenetres) {
            f->show();
            QVERIFY(f->backingStore());
            QCOMPARE(f->backingStore()->size(), f->size());
        }
        for (QWidget* f : fenetres) {
            QVERIFY(QTest::qWaitForWindowExposed(f));
            f->repaint();
            const QImage ecran = f->screen()->grabWindow(f->winId()).toImage();
            const QImage dessin = f->grab().toImage();
            QCOMPARE(ecran.size(), dessin.size());
            for (int y : {0, dessin.height() / 2, dessin.height() - 1})
                for (int x : {0, dessin.width() / 3, dessin.width() - 1})
                    QCOMPARE(ecran.pixel(x, y), dessin.pixel(x, y));
        }
        Fenetres::Detruire();
    }

    void formesCreeesDansLOrdre() {
        EnvironnementTest env;
        ModalInstalle modal;
        Fenetres::Creer();
        QCOMPARE(QApplication::topLevelWidgets().contains(Fenetres::Exercice), true);
        struct Attendu {
            QWidget* forme;
            const char* nom;
            const char* titre;
            int l;
            int h;
        };
        const QList<QDialog*> enfants =
            Fenetres::Exercice->findChildren<QDialog*>(Qt::FindDirectChildrenOnly);
        const QStringList ordre = {"Form2",         "CPEcr",   "fChoixNbItems", "fQuitter",
                                   "fMessagePerso", "fBilans", "fNouvelEleve",  "fMotDePasse"};
        QStringList noms;
        for (QDialog* d : enfants)
            noms.append(d->objectName());
        QCOMPARE(noms, ordre);
        const QList<Attendu> formes = {
            {Fenetres::Exercice, "Form1", "Plumelune", 628, 429},
            {Fenetres::Exercice->findChild<QDialog*>("Form2"), "Form2", "Choix dossier", 297, 424},
            {Fenetres::Exercice->findChild<QDialog*>("fChoixNbItems"), "fChoixNbItems",
             "Choix nombre d'items", 254, 364},
            {Fenetres::Exercice->findChild<QDialog*>("fQuitter"), "fQuitter", "Quitter", 290, 48},
            {Fenetres::Exercice->findChild<QDialog*>("fBilans"), "fBilans", "Bilan", 637, 436},
        };
        for (const Attendu& a : formes) {
            QVERIFY(a.forme);
            QCOMPARE(a.forme->windowTitle(), QString::fromUtf8(a.titre));
            QCOMPARE(a.forme->size(), QSize(a.l, a.h));
        }
        QCOMPARE(Fenetres::Exercice->findChild<QDialog*>("CPEcr")->windowTitle(),
                 QStringLiteral("Aide"));
        // The feedback box is sized to its text at the exercise's scale each time it shows.
        QCOMPARE(Fenetres::Exercice->findChild<QDialog*>("fMessagePerso")->windowTitle(),
                 QStringLiteral("Plumelune"));
        QVERIFY(
            Fenetres::Exercice->mMessage->toPlainText().isEmpty()); // the design text never shows
        QVERIFY(!Fenetres::Exercice->iExplication->isVisibleTo(
            Fenetres::Exercice)); // no default picture here
        Fenetres::Detruire();
    }

    void demarrageEtFermeture() {
        EnvironnementTest env;
        ModalInstalle modal;
        QDir(env.Programme).mkpath("_Medias");
        QDir(env.Programme).mkpath("_Bilans");
        EcrireOctets(env.Programme + "plumelune.ini",
                     "REPERTOIRE =\r\nBILAN =\r\nREPONSES NECESSAIRES = 2\r\n");
        EcrireOctets(env.Programme + "_Medias/Animaux/chat.wav", "RIFF");
        // The start form's part: a visitor chooses the folder Animaux.
        modal.Modal.Ajouter("Form2", [&](QDialog*) {
            Etat.Choix.DossierExercice = env.Programme + "_Medias/Animaux";
            return 1;
        });
        Fenetres::Creer();
        Fenetres::Exercice->eSaisie->setText("reste");
        Fenetres::Exercice->show();
        QTRY_VERIFY(!Etat.PremiereActivation);
        QCOMPARE(Fenetres::Exercice->windowTitle(),
                 QStringLiteral("Plumelune - Version 2.0 - Elève : Visiteur"));
        QVERIFY(Fenetres::Exercice->eSaisie->text().isEmpty()); // nothing typed stays
        QCOMPARE(Etat.CheminBilans, env.Programme + "_Bilans/");
        QCOMPARE(Etat.ReponsesNecessaires, 2);
        QVERIFY(Etat.EcriturePossible);
        const QStringList journaux = Journaux(env.Programme);
        QCOMPARE(journaux.size(), 1);
        QCOMPARE(Etat.FichierJournal, env.Programme + journaux.first());
        QCOMPARE(Fenetres::Exercice->lBonus->text(), QStringLiteral("5"));
        QCOMPARE(modal.Modal.Montres, QStringList{"Form2"});
        QCOMPARE(Fenetres::Exercice->lDossierCourant->text(), QStringLiteral("Animaux"));
        QCOMPARE(Etat.Exercice.ItemCourant(), QStringLiteral("chat.wav"));
        // A later activation does not start again.
        Pilote::Demarrer();
        QCOMPARE(Journaux(env.Programme).size(), 1);
        QVERIFY(env.Messages.Appels.isEmpty());

        Fenetres::Exercice->close();
        QVERIFY(Journaux(env.Programme).isEmpty());
        Fenetres::Detruire();
    }

    void sansIniLeProgrammeSArrete() {
        EnvironnementTest env;
        ModalInstalle modal;
        Fenetres::Creer();
        Fenetres::Exercice->show();
        QTRY_VERIFY(!Fenetres::Exercice->isVisible());
        QCOMPARE(env.Messages.Textes(), QStringList{"Fichier INI non trouvé."});
        QVERIFY(Journaux(env.Programme).isEmpty());
        Fenetres::Detruire();
    }

    void imageParDefaut() {
        EnvironnementTest env;
        ModalInstalle modal;
        QImage img(16, 16, QImage::Format_RGB32);
        img.fill(Qt::yellow);
        QVERIFY(img.save(env.Programme + "QVX_PARDEFAUT.jpg",
                         "PNG")); // a PNG under a .jpg name, other case
        Fenetres::Creer();
        QVERIFY(Fenetres::Exercice->iExplication->isVisibleTo(Fenetres::Exercice));
        Fenetres::Detruire();
    }

    // The session bus is connected ahead only where Qt's accessibility bridge would ask for it,
    // and it is Qt's own session connection, the one the bridge is then handed.
    void busDeSessionEnAvance() {
        struct Cas {
            const char* Plateforme;
            bool Attendu;
        };
        for (const Cas& c : {Cas{"xcb", true}, Cas{"wayland-egl", true}, Cas{"offscreen", false}})
            QCOMPARE(AccessibiliteParLeBus(QString::fromLatin1(c.Plateforme)), c.Attendu);

        // Without a bus to join, connecting would fork beside the main thread's work: not ahead.
        QTemporaryDir sansBus, avecBus;
        QFile socket(avecBus.path() + "/bus");
        QVERIFY(socket.open(QIODevice::WriteOnly));
        QVERIFY(AdresseDeBusConnue("unix:path=/run/user/1000/bus", QString()));
        QVERIFY(AdresseDeBusConnue(QByteArray(), avecBus.path()));
        QVERIFY(!AdresseDeBusConnue(QByteArray(), sansBus.path()));
        QVERIFY(!AdresseDeBusConnue(QByteArray(), QString()));
        const QByteArray dossierExecution = qgetenv("XDG_RUNTIME_DIR");
        qunsetenv("DBUS_SESSION_BUS_ADDRESS");
        qputenv("XDG_RUNTIME_DIR", sansBus.path().toLocal8Bit());
        QVERIFY(!BusDeSessionEnAvance(QStringLiteral("xcb")).Lance());
        qputenv("XDG_RUNTIME_DIR", dossierExecution);

        QProcess demon; // a bus of the test's own
        demon.start(QStringLiteral("dbus-daemon"), {"--session", "--nofork", "--print-address"});
        QVERIFY2(demon.waitForReadyRead(10000), "dbus-daemon did not start");
        qputenv("DBUS_SESSION_BUS_ADDRESS", demon.readLine().trimmed());
        // Qt's name for its default session connection: looking it up creates nothing.
        const auto connecte = [] {
            return QDBusConnection(QStringLiteral("qt_default_session_bus")).isConnected();
        };
        {
            const BusDeSessionEnAvance rien(QStringLiteral("offscreen"));
            QVERIFY(!rien.Lance());
        }
        QVERIFY(!connecte());
        {
            const BusDeSessionEnAvance bus(QStringLiteral("xcb"));
            QVERIFY(bus.Lance());
        } // the attempt has ended here
        QVERIFY(connecte());
        QCOMPARE(QDBusConnection::sessionBus().baseService(),
                 QDBusConnection(QStringLiteral("qt_default_session_bus")).baseService());
        demon.kill();
        demon.waitForFinished();
    }
};

QTEST_MAIN(TstDemarrage)
#include "tst_demarrage.moc"
