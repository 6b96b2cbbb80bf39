// Whether the start-up benchmark tells a slower program from the noise of the machine.

#include "StatistiquesBanc.h"

#include <QTest>

#include <random>

namespace {

// Rounds of a reference program (30-40 ms) and of a program `facteur` times as long, each round
// off by up to `bruit` either way; the first `aberrants` rounds of the program three times as
// long (the machine busy elsewhere).
struct Tours {
    QList<double> Programme, Reference;
};
Tours Simuler(int tours, double facteur, double bruit, int aberrants) {
    std::mt19937 alea(7);
    std::uniform_real_distribution<double> duree(30, 40), ecart(-bruit, bruit);
    Tours t;
    for (int i = 0; i < tours; ++i) {
        const double ref = duree(alea);
        t.Reference.append(ref);
        t.Programme.append(ref * facteur * (1 + ecart(alea)) * (i < aberrants ? 3 : 1));
    }
    return t;
}

} // namespace

class TstStatistiquesBanc : public QObject {
    Q_OBJECT
private slots:
    void verdict_data() {
        QTest::addColumn<double>("facteur");
        QTest::addColumn<double>("bruit");
        QTest::addColumn<int>("aberrants");
        QTest::addColumn<bool>("plusLent");
        QTest::newRow("as fast, noisy rounds") << 1.0 << 0.08 << 0 << false;
        QTest::newRow("5 % slower shows through the noise") << 1.05 << 0.04 << 0 << true;
        QTest::newRow("a tenth faster") << 0.9 << 0.08 << 0 << false;
        QTest::newRow("a few rounds on a busy machine are not a growth")
            << 1.0 << 0.04 << 6 << false;
    }
    void verdict() {
        QFETCH(double, facteur);
        QFETCH(double, bruit);
        QFETCH(int, aberrants);
        QFETCH(bool, plusLent);
        const Tours t = Simuler(41, facteur, bruit, aberrants);
        const Intervalle i = IntervalleDesRatios(t.Programme, t.Reference);
        QCOMPARE(i.PlusLent(), plusLent);
        QVERIFY(i.Bas <= i.Mediane && i.Mediane <= i.Haut);
        QVERIFY(qAbs(i.Mediane - facteur) < bruit); // paired round by round, not sorted apart
        // The same rounds give the same interval, run after run.
        const Intervalle j = IntervalleDesRatios(t.Programme, t.Reference);
        QCOMPARE(j.Bas, i.Bas);
        QCOMPARE(j.Haut, i.Haut);
    }

    void sansTours() {
        const Intervalle i = IntervalleDesRatios({}, {});
        QCOMPARE(i.Mediane, -1.0);
        QVERIFY(!i.PlusLent());
        // Rounds of one program beyond the other's are left out.
        const Intervalle k = IntervalleDesRatios({20, 20, 20, 90}, {10, 10, 10});
        QCOMPARE(k.Mediane, 2.0);
        QCOMPARE(k.Haut, 2.0);
    }
};

QTEST_APPLESS_MAIN(TstStatistiquesBanc)
#include "tst_statistiquesbanc.moc"
