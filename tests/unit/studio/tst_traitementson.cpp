// Sound preparation on generated signals: resampling keeps a tone and removes what the new rate
// cannot carry, the silence around the words is cut, the peaks are brought to one level.

#include "Doubles.h"
#include "core/studio/TraitementSon.h"

#include <QTest>

#include <cmath>
#include <numbers>

namespace {

QVector<qint16> Sinus(int frequence, double hz, double secondes, double amplitude,
                      double phase = 0.0) {
    QVector<qint16> s(qsizetype(frequence * secondes));
    for (qsizetype i = 0; i < s.size(); ++i)
        s[i] = qint16(std::lround(
            amplitude * std::sin(2 * std::numbers::pi * hz * double(i) / frequence + phase)));
    return s;
}

QVector<qint16> Silence(int frequence, double secondes, int bruit = 0) {
    QVector<qint16> s(qsizetype(frequence * secondes));
    quint32 graine = 12345;
    for (qint16& v : s) {
        graine = graine * 1664525u + 1013904223u;
        v = bruit ? qint16(int(graine >> 16) % (2 * bruit + 1) - bruit) : 0;
    }
    return s;
}

double Rms(const QVector<qint16>& s, qsizetype debut, qsizetype fin) {
    double somme = 0;
    for (qsizetype i = debut; i < fin; ++i)
        somme += double(s[i]) * s[i];
    return std::sqrt(somme / double(fin - debut));
}

// The amplitude of the `hz` component, by correlation (the middle, away from the edges).
double Composante(const QVector<qint16>& s, int frequence, double hz) {
    const qsizetype debut = s.size() / 4;
    const qsizetype fin = 3 * s.size() / 4;
    double a = 0, b = 0;
    for (qsizetype i = debut; i < fin; ++i) {
        const double t = 2 * std::numbers::pi * hz * double(i) / frequence;
        a += s[i] * std::sin(t);
        b += s[i] * std::cos(t);
    }
    return 2 * std::hypot(a, b) / double(fin - debut);
}

} // namespace

class TstTraitementSon : public QObject {
    Q_OBJECT
private slots:
    void reechantillonnage_data() {
        QTest::addColumn<int>("de");
        QTest::addColumn<double>("hz");
        QTest::addColumn<double>("gardee"); // expected amplitude ratio
        QTest::newRow("44100 -> 22050, 1 kHz kept") << 44100 << 1000.0 << 1.0;
        QTest::newRow("48000 -> 22050, 3 kHz kept") << 48000 << 3000.0 << 1.0;
        QTest::newRow("8000 -> 22050, 440 Hz kept") << 8000 << 440.0 << 1.0;
        QTest::newRow("16000 -> 22050, 2.5 kHz kept") << 16000 << 2500.0 << 1.0;
        // Above the new rate's half: it would fold back to 7050 Hz; it must be gone.
        QTest::newRow("44100 -> 22050, 15 kHz removed") << 44100 << 15000.0 << 0.0;
        QTest::newRow("48000 -> 22050, 12 kHz removed") << 48000 << 12000.0 << 0.0;
    }
    void reechantillonnage() {
        QFETCH(int, de);
        QFETCH(double, hz);
        QFETCH(double, gardee);
        const QVector<qint16> entree = Sinus(de, hz, 1.0, 10000);
        const QVector<qint16> sortie = Reechantillonner(entree, de, 22050);
        QCOMPARE(sortie.size(), qsizetype(22050));
        if (gardee > 0) {
            QVERIFY2(std::abs(Composante(sortie, 22050, hz) - 10000 * gardee) < 300,
                     qPrintable(QString::number(Composante(sortie, 22050, hz))));
        } else {
            const double replie = 22050 - (de - hz) > 0 ? std::abs(de - hz) : hz;
            QVERIFY2(Rms(sortie, 2000, sortie.size() - 2000) < 100,
                     qPrintable(QStringLiteral("reste %1 (repli vers %2 Hz)")
                                    .arg(Rms(sortie, 2000, sortie.size() - 2000))
                                    .arg(replie)));
        }
    }

    void memeFrequence() {
        const QVector<qint16> s = Sinus(22050, 500, 0.1, 1000);
        QCOMPARE(Reechantillonner(s, 22050, 22050), s);
        QVERIFY(Reechantillonner({}, 44100, 22050).isEmpty());
        QVERIFY(Reechantillonner(s, 0, 22050).isEmpty());
    }

    void stereoEnMono() {
        SonPcm s;
        s.Canaux = 2;
        s.Frequence = 8000;
        s.Echantillons = {100, 300, -200, 200, 32767, 32767};
        const SonPcm m = EnMono(s);
        QCOMPARE(m.Canaux, 1);
        QCOMPARE(m.Echantillons, (QVector<qint16>{200, 0, 32767}));
    }

    void parole_data() {
        QTest::addColumn<double>("avant");  // seconds of silence before
        QTest::addColumn<double>("mot");    // seconds of tone
        QTest::addColumn<double>("apres");  // seconds of silence after
        QTest::addColumn<int>("bruit");     // noise amplitude in the silences
        QTest::addColumn<int>("amplitude"); // of the tone
        QTest::newRow("silence around") << 1.0 << 0.5 << 1.5 << 0 << 8000;
        QTest::newRow("room noise around") << 0.8 << 0.4 << 0.8 << 300 << 8000;
        QTest::newRow("quiet speaker") << 0.5 << 0.3 << 0.5 << 20 << 800;
        QTest::newRow("nothing before") << 0.0 << 0.5 << 1.0 << 0 << 8000;
        QTest::newRow("nothing after") << 1.0 << 0.5 << 0.0 << 0 << 8000;
    }
    void parole() {
        QFETCH(double, avant);
        QFETCH(double, mot);
        QFETCH(double, apres);
        QFETCH(int, bruit);
        QFETCH(int, amplitude);
        const int f = 22050;
        const QVector<qint16> s =
            Silence(f, avant, bruit) + Sinus(f, 440, mot, amplitude) + Silence(f, apres, bruit);
        const BornesSon b = TrouverParole(s, f);
        const qsizetype debutMot = qsizetype(f * avant);
        const qsizetype finMot = debutMot + qsizetype(f * mot);
        // The word whole, with at most the margins (and one 10 ms window) around it.
        QVERIFY2(b.Debut <= debutMot && b.Debut >= debutMot - f / 20 - f / 100,
                 qPrintable(QString::number(b.Debut)));
        QVERIFY2(b.Fin >= finMot && b.Fin <= finMot + 3 * f / 20 + f / 100,
                 qPrintable(QString::number(b.Fin)));
    }

    void silenceSeule() {
        const BornesSon b = TrouverParole(Silence(22050, 2.0, 60), 22050);
        QCOMPARE(b.Debut, b.Fin);
        SonPcm brut;
        brut.Frequence = 44100;
        brut.Echantillons = Silence(44100, 1.0, 50);
        QVERIFY(PreparerSon(brut).Echantillons.isEmpty());
    }

    void normalisation_data() {
        QTest::addColumn<int>("amplitude");
        QTest::newRow("quiet") << 1000;
        QTest::newRow("loud") << 32000;
        QTest::newRow("already there") << CreteCible;
    }
    void normalisation() {
        QFETCH(int, amplitude);
        QVector<qint16> s = Sinus(22050, 440, 0.2, amplitude, 0.3);
        const int avant = Crete(s);
        Normaliser(s);
        QVERIFY(std::abs(Crete(s) - CreteCible) <= 1);
        // The shape is kept: a sample's ratio to the peak does not change.
        const QVector<qint16> reference = Sinus(22050, 440, 0.2, amplitude, 0.3);
        QVERIFY(std::abs(s[100] - reference[100] * double(CreteCible) / avant) <= 1.0);
        QVector<qint16> zero(100, 0);
        Normaliser(zero);
        QCOMPARE(zero, QVector<qint16>(100, 0));
    }

    // The whole road of a recording: 44.1 kHz stereo with an offset, silence around the word.
    void preparationComplete() {
        const int f = 44100;
        const QVector<qint16> mono =
            Silence(f, 1.0, 100) + Sinus(f, 660, 0.6, 3000) + Silence(f, 1.0, 100);
        SonPcm brut;
        brut.Canaux = 2;
        brut.Frequence = f;
        for (const qint16 v : mono)
            brut.Echantillons << qint16(v + 500) << qint16(v + 500);
        const SonPcm pret = PreparerSon(brut);
        QCOMPARE(pret.Canaux, 1);
        QCOMPARE(pret.Frequence, FrequenceItems);
        // 0.6 s of word, at most 0.2 s of margins and one window around it.
        QVERIFY2(pret.Secondes() >= 0.6 && pret.Secondes() <= 0.83,
                 qPrintable(QString::number(pret.Secondes())));
        QVERIFY(std::abs(Crete(pret.Echantillons) - CreteCible) <= 1);
        // The offset is gone and the fades leave no click at the ends.
        QVERIFY(std::abs(pret.Echantillons.first()) < 50);
        QVERIFY(std::abs(pret.Echantillons.last()) < 50);
        QVERIFY(std::abs(Composante(pret.Echantillons, FrequenceItems, 660) - CreteCible) <
                0.05 * CreteCible);
    }
};

QTEST_GUILESS_MAIN(TstTraitementSon)
#include "tst_traitementson.moc"
