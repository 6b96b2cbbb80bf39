// Durations and left padding, as the records and the running clock show them.

#include "core/records/Durees.h"

#include <QTest>

class TstDurees : public QObject {
    Q_OBJECT
private slots:
    void duree_data() {
        QTest::addColumn<int>("secondes");
        QTest::addColumn<bool>("aligne");
        QTest::addColumn<QString>("texte");
        QTest::newRow("zero") << 0 << false << "0 s";
        QTest::newRow("one minute") << 60 << false << "1 min 0 s";
        QTest::newRow("75 s") << 75 << false << "1 min 15 s";
        QTest::newRow("one hour no minutes") << 3600 << false << "1 h 0 s";
        QTest::newRow("3661 s") << 3661 << false << "1 h 1 min 1 s";
        QTest::newRow("3725 s") << 3725 << false << "1 h 2 min 5 s";
        QTest::newRow("two days") << 180000 << false << "50 h 0 s";
        QTest::newRow("aligned 59") << 59 << true << " 0 h  0 min 59 s";
        QTest::newRow("aligned 75") << 75 << true << " 0 h  1 min 15 s";
        QTest::newRow("aligned 100 hours grows") << 360000 << true << "100 h  0 min  0 s";
    }
    void duree() {
        QFETCH(int, secondes);
        QFETCH(bool, aligne);
        QFETCH(QString, texte);
        QCOMPARE(FormaterDuree(secondes, aligne), texte);
    }

    void completer_data() {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<int>("largeur");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("date unchanged") << "07/12/2026" << 10 << "07/12/2026";
        QTest::newRow("short") << "7" << 4 << "   7";
        QTest::newRow("never cut") << "12345" << 4 << "12345";
        QTest::newRow("empty") << "" << 3 << "   ";
    }
    void completer() {
        QFETCH(QString, texte);
        QFETCH(int, largeur);
        QFETCH(QString, attendu);
        QCOMPARE(CompleterAGauche(texte, largeur, QStringLiteral(" ")), attendu);
    }
};

QTEST_GUILESS_MAIN(TstDurees)
#include "tst_durees.moc"
