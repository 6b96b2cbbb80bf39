// The item-count choice without its form: which counts are offered, the captions, the
// progress sentences and the draw that cuts the item list.

#include "Doubles.h"
#include "core/exercise/TirageItems.h"

#include <QSet>
#include <QTest>

namespace {

// n items "item01.wav"... in folder order.
QStringList ListeDe(int n) {
    QStringList r;
    for (int i = 1; i <= n; ++i)
        r.append(QStringLiteral("item%1.wav").arg(i, 2, 10, QLatin1Char('0')));
    return r;
}

} // namespace

class TstTirageItems : public QObject {
    Q_OBJECT
private slots:
    void seuils_data() {
        QTest::addColumn<int>("nbItems");
        // Enabled state of 4, 10, 20, 40, 60, 80, 100.
        QTest::addColumn<QList<bool>>("offerts");
        QTest::newRow("5 items: only four")
            << 5 << QList<bool>{true, false, false, false, false, false, false};
        QTest::newRow("9 items: only four")
            << 9 << QList<bool>{true, false, false, false, false, false, false};
        QTest::newRow("exactly 10")
            << 10 << QList<bool>{true, true, false, false, false, false, false};
        QTest::newRow("19 items") << 19
                                  << QList<bool>{true, true, false, false, false, false, false};
        QTest::newRow("exactly 20")
            << 20 << QList<bool>{true, true, true, false, false, false, false};
        QTest::newRow("39 items") << 39
                                  << QList<bool>{true, true, true, false, false, false, false};
        QTest::newRow("exactly 40")
            << 40 << QList<bool>{true, true, true, true, false, false, false};
        QTest::newRow("exactly 60")
            << 60 << QList<bool>{true, true, true, true, true, false, false};
        QTest::newRow("exactly 80") << 80 << QList<bool>{true, true, true, true, true, true, false};
        QTest::newRow("99 items") << 99 << QList<bool>{true, true, true, true, true, true, false};
        QTest::newRow("exactly 100")
            << 100 << QList<bool>{true, true, true, true, true, true, true};
        QTest::newRow("1000 items")
            << 1000 << QList<bool>{true, true, true, true, true, true, true};
    }
    void seuils() {
        QFETCH(int, nbItems);
        QFETCH(QList<bool>, offerts);
        QList<bool> obtenus;
        for (int n : NombresProposes)
            obtenus.append(ChoixPossible(n, nbItems));
        QCOMPARE(obtenus, offerts);
    }

    void libelle_data() {
        QTest::addColumn<int>("nbItems");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("5 items") << 5 << "5 items (25 points)";
        QTest::newRow("37 items") << 37 << "37 items (185 points)";
        QTest::newRow("1234 items") << 1234 << "1234 items (6170 points)";
    }
    void libelle() {
        QFETCH(int, nbItems);
        QFETCH(QString, attendu);
        QCOMPARE(LibelleNombreItems(nbItems), attendu);
    }

    void progression_data() {
        QTest::addColumn<QString>("eleve");
        QTest::addColumn<int>("dossier");
        QTest::addColumn<int>("items");
        QTest::addColumn<int>("reussis");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("none eliminated, none passed")
            << "Paul" << 37 << 37 << 0
            << QString::fromUtf8(
                   "Tu as éliminé 0 item sur 37.\rTu as réussi 0 item au moins une fois.");
        QTest::newRow("one of each is singular")
            << "Paul" << 12 << 11 << 1
            << QString::fromUtf8(
                   "Tu as éliminé 1 item sur 12.\rTu as réussi 1 item au moins une fois.");
        QTest::newRow("two of each is plural")
            << "Paul" << 12 << 10 << 2
            << QString::fromUtf8(
                   "Tu as éliminé 2 items sur 12.\rTu as réussi 2 items au moins une fois.");
        QTest::newRow("history of other folders counts")
            << "Léa" << 8 << 5 << 140
            << QString::fromUtf8(
                   "Tu as éliminé 3 items sur 8.\rTu as réussi 140 items au moins une fois.");
        QTest::newRow("visitor reads nothing") << "" << 37 << 30 << 5 << QString();
    }
    void progression() {
        QFETCH(QString, eleve);
        QFETCH(int, dossier);
        QFETCH(int, items);
        QFETCH(int, reussis);
        QFETCH(QString, attendu);
        QCOMPARE(TexteProgression(eleve, dossier, items, reussis), attendu);
    }

    void tirage_data() {
        QTest::addColumn<int>("offerts");
        QTest::addColumn<int>("choisis");
        QTest::addColumn<QList<int>>("tirages");
        QTest::addColumn<QStringList>("attendu");
        QTest::addColumn<QList<int>>("bornes"); // what the draws were asked to pick among
        QTest::newRow("4 of 12, each draw among those left")
            << 12 << 4 << QList<int>{0, 0, 5, 8}
            << QStringList{"item01.wav", "item02.wav", "item08.wav", "item12.wav"}
            << QList<int>{12, 11, 10, 9};
        QTest::newRow("4 of 12 in draw order, not folder order")
            << 12 << 4 << QList<int>{11, 3, 0, 7}
            << QStringList{"item12.wav", "item04.wav", "item01.wav", "item10.wav"}
            << QList<int>{12, 11, 10, 9};
        QTest::newRow("10 of 37") << 37 << 10 << QList<int>{36, 35, 34, 33, 32, 31, 30, 29, 28, 27}
                                  << QStringList{"item37.wav", "item36.wav", "item35.wav",
                                                 "item34.wav", "item33.wav", "item32.wav",
                                                 "item31.wav", "item30.wav", "item29.wav",
                                                 "item28.wav"}
                                  << QList<int>{37, 36, 35, 34, 33, 32, 31, 30, 29, 28};
        QTest::newRow("as many as on offer, in draw order")
            << 3 << 3 << QList<int>{2, 0, 0}
            << QStringList{"item03.wav", "item01.wav", "item02.wav"} << QList<int>{3, 2, 1};
        QTest::newRow("more than on offer: all of them")
            << 2 << 5 << QList<int>{1, 0} << QStringList{"item02.wav", "item01.wav"}
            << QList<int>{2, 1};
    }
    void tirage() {
        QFETCH(int, offerts);
        QFETCH(int, choisis);
        QFETCH(QList<int>, tirages);
        QFETCH(QStringList, attendu);
        QFETCH(QList<int>, bornes);
        EnvironnementTest env;
        env.Hasard.Tirages = tirages;
        QCOMPARE(TirerItems(ListeDe(offerts), choisis), attendu);
        QCOMPARE(env.Hasard.Bornes, bornes);
    }

    // Whatever the generator answers, the kept items are distinct items of the folder.
    void tirageToujoursDistinct_data() {
        QTest::addColumn<int>("graine");
        for (int g : {1, 7, 42, 1234, 99991})
            QTest::newRow(qPrintable(QStringLiteral("seed %1").arg(g))) << g;
    }
    void tirageToujoursDistinct() {
        QFETCH(int, graine);
        EnvironnementTest env;
        // A small linear congruential sequence, in unsigned arithmetic (no overflow).
        quint32 x = static_cast<quint32>(graine);
        for (int i = 0; i < 20; ++i, x = (x * 1103515245u + 12345u) & 0x7fffffffu)
            env.Hasard.Tirages.append(static_cast<int>(x));
        const QStringList tous = ListeDe(40);
        const QSet<QString> dossier(tous.cbegin(), tous.cend());
        const QStringList noms = TirerItems(tous, 20);
        QCOMPARE(noms.size(), 20);
        QCOMPARE(QSet<QString>(noms.cbegin(), noms.cend()).size(), 20);
        for (const QString& n : noms)
            QVERIFY2(dossier.contains(n), qPrintable(n));
    }
};

QTEST_GUILESS_MAIN(TstTirageItems)
#include "tst_tirageitems.moc"
