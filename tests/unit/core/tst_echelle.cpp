// The scale the windows are drawn at: the ini's values, good and bad, and the factor a screen
// gets from them.

#include "Doubles.h"
#include "core/Configuration.h"
#include "core/Echelle.h"
#include "core/Etat.h"

#include <QTest>

class TstEchelle : public QObject {
    Q_OBJECT
private slots:
    void valeurs_data() {
        QTest::addColumn<QString>("valeur");
        QTest::addColumn<bool>("lue");
        QTest::addColumn<bool>("automatique");
        QTest::addColumn<double>("facteur");
        QTest::newRow("AUTO") << "AUTO" << true << true << 1.0;
        QTest::newRow("auto in lower case, blanks") << "  auto " << true << true << 1.0;
        QTest::newRow("whole number") << "2" << true << false << 2.0;
        QTest::newRow("decimal comma") << "1,5" << true << false << 1.5;
        QTest::newRow("decimal dot") << "1.75" << true << false << 1.75;
        QTest::newRow("largest") << "8" << true << false << 8.0;
        QTest::newRow("below 1") << "0,5" << false << true << 1.0;
        QTest::newRow("zero") << "0" << false << true << 1.0;
        QTest::newRow("too large") << "9" << false << true << 1.0;
        QTest::newRow("negative") << "-2" << false << true << 1.0;
        QTest::newRow("words") << "grand" << false << true << 1.0;
        QTest::newRow("percent") << "150%" << false << true << 1.0;
        QTest::newRow("two separators") << "1,5,2" << false << true << 1.0;
        QTest::newRow("exponent") << "1e1" << false << true << 1.0;
        QTest::newRow("trailing separator") << "2." << false << true << 1.0;
        QTest::newRow("empty") << "" << false << true << 1.0;
    }
    void valeurs() {
        QFETCH(QString, valeur);
        QFETCH(bool, lue);
        QFETCH(bool, automatique);
        QFETCH(double, facteur);
        ReglageEchelle r{false, 3};
        QCOMPARE(LireReglageEchelle(valeur, r), lue);
        if (lue) {
            QCOMPARE(r.Automatique, automatique);
            if (!automatique)
                QCOMPARE(r.Facteur, facteur);
        } else {
            QCOMPARE(r, (ReglageEchelle{false, 3})); // untouched
        }
    }

    // The factor a screen gets: most of its height by default, the setting's when fixed, never
    // beyond the screen, never below 1.
    void facteurs_data() {
        QTest::addColumn<QString>("valeur");
        QTest::addColumn<QSizeF>("ecran");
        QTest::addColumn<double>("facteur");
        QTest::newRow("auto, 1920 x 1080 (task bar)") << "AUTO" << QSizeF(1920, 1040) << 2.0;
        QTest::newRow("auto, 1920 x 1080") << "AUTO" << QSizeF(1920, 1080) << 2.0;
        QTest::newRow("auto, 1366 x 768") << "AUTO" << QSizeF(1366, 728) << 1.25;
        QTest::newRow("auto, 1024 x 768") << "AUTO" << QSizeF(1024, 768) << 1.5;
        QTest::newRow("auto, 3840 x 2160") << "AUTO" << QSizeF(3840, 2120) << 4.0;
        QTest::newRow("auto, a narrow tall screen") << "AUTO" << QSizeF(900, 1600) << 1.375;
        QTest::newRow("auto, a small screen") << "AUTO" << QSizeF(800, 480) << 1.0;
        QTest::newRow("fixed 1 on a large screen") << "1" << QSizeF(1920, 1040) << 1.0;
        QTest::newRow("fixed 1,5") << "1,5" << QSizeF(1920, 1040) << 1.5;
        QTest::newRow("fixed, larger than the screen") << "3" << QSizeF(1366, 728) << 1.5;
    }
    void facteurs() {
        QFETCH(QString, valeur);
        QFETCH(QSizeF, ecran);
        QFETCH(double, facteur);
        ReglageEchelle r;
        QVERIFY(LireReglageEchelle(valeur, r));
        const double f = FacteurEchelle(r, ecran);
        QCOMPARE(f, facteur);
        // Whatever the setting, the exercise window and its frame fit on the screen.
        if (f > 1) {
            QVERIFY(TailleFenetreExercice.width() * f <= ecran.width());
            QVERIFY(TailleFenetreExercice.height() * f <= ecran.height());
        }
    }

    // Read before the windows exist: the last value that is a scale wins; a key left out, or
    // only wrong values, mean automatic.
    void lectureAnticipee_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<bool>("automatique");
        QTest::addColumn<double>("facteur");
        QTest::newRow("no key") << QByteArray("BILAN =\r\n") << true << 1.0;
        QTest::newRow("fixed") << QByteArray("echelle = 1,5\r\n") << false << 1.5;
        QTest::newRow("last good value wins")
            << QByteArray("ECHELLE = 2\r\nECHELLE = beaucoup\r\n") << false << 2.0;
        QTest::newRow("AUTO after a number")
            << QByteArray("ECHELLE = 2\nECHELLE = AUTO\n") << true << 1.0;
        QTest::newRow("inner blanks make another key")
            << QByteArray("E CHELLE = 2\r\n") << true << 1.0;
    }
    void lectureAnticipee() {
        QFETCH(QByteArray, ini);
        QFETCH(bool, automatique);
        QFETCH(double, facteur);
        const ReglageEchelle r = ReglageEchelleDuFichier(ini);
        QCOMPARE(r.Automatique, automatique);
        if (!automatique)
            QCOMPARE(r.Facteur, facteur);
    }

    // The configuration says a wrong value once, naming it, and keeps the automatic factor.
    void valeurFausseDite() {
        EnvironnementTest env;
        AppliquerConfiguration("ECHELLE = géant\r\n");
        QCOMPARE(env.Messages.Appels.size(), 1);
        QVERIFY(env.Messages.Appels.first().Texte.contains(QString::fromUtf8("« géant »")));
        QVERIFY(env.Messages.Appels.first().Texte.contains("ECHELLE"));
        QVERIFY(Etat.Echelle.Automatique);
        AppliquerConfiguration("ECHELLE = 1,5\r\n");
        QCOMPARE(env.Messages.Appels.size(), 1);
        QCOMPARE(Etat.Echelle, (ReglageEchelle{false, 1.5}));
    }
};

QTEST_GUILESS_MAIN(TstEchelle)
#include "tst_echelle.moc"
