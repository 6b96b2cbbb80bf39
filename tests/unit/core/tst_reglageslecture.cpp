// The pupil's letters and colours: the ini's POLICE and CONTRASTE keys, good and bad values,
// what each setting sets the texts in, the teacher's choice for the run, and the missing-font
// notice said once.

#include "Doubles.h"
#include "core/Configuration.h"
#include "core/Etat.h"
#include "core/ReglagesLecture.h"

#include <QTest>

class TstReglagesLecture : public QObject {
    Q_OBJECT
private slots:
    // The lines of an ini, read in order: the last good value wins, a bad one is said and
    // leaves what came before.
    void cles_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<int>("police");
        QTest::addColumn<int>("contraste");
        QTest::addColumn<int>("messages");
        using P = PoliceLecture;
        using C = ContrasteLecture;
        QTest::newRow("absent: standard, normal")
            << QByteArray("BRUITAGE = NON\r\n") << int(P::Standard) << int(C::Normal) << 0;
        QTest::newRow("ECOLE") << QByteArray("POLICE = ECOLE\r\n") << int(P::Ecole)
                               << int(C::Normal) << 0;
        QTest::newRow("dys in lower case, no blanks")
            << QByteArray("police=dys\r\n") << int(P::Dys) << int(C::Normal) << 0;
        QTest::newRow("école with its accent (Windows-1252)")
            << QByteArray("POLICE = \xE9"
                          "cole\r\n")
            << int(P::Ecole) << int(C::Normal) << 0;
        QTest::newRow("ÉCOLE in capitals (UTF-8)") << QByteArray("\xEF\xBB\xBFPOLICE = \xC3\x89"
                                                                 "COLE\r\n")
                                                   << int(P::Ecole) << int(C::Normal) << 0;
        QTest::newRow("back to STANDARD") << QByteArray("POLICE = DYS\r\nPOLICE = Standard\r\n")
                                          << int(P::Standard) << int(C::Normal) << 0;
        QTest::newRow("unknown value said, earlier kept")
            << QByteArray("POLICE = DYS\r\nPOLICE = Comic Sans\r\n") << int(P::Dys)
            << int(C::Normal) << 1;
        QTest::newRow("empty value said")
            << QByteArray("POLICE =\r\n") << int(P::Standard) << int(C::Normal) << 1;
        QTest::newRow("FORT") << QByteArray("CONTRASTE = fort\r\n") << int(P::Standard)
                              << int(C::Fort) << 0;
        QTest::newRow("both keys") << QByteArray("CONTRASTE = FORT\r\nPOLICE = ECOLE\r\n")
                                   << int(P::Ecole) << int(C::Fort) << 0;
        QTest::newRow("unknown contrast said, earlier kept")
            << QByteArray("CONTRASTE = FORT\r\nCONTRASTE = tres fort\r\n") << int(P::Standard)
            << int(C::Fort) << 1;
    }
    void cles() {
        QFETCH(QByteArray, ini);
        QFETCH(int, police);
        QFETCH(int, contraste);
        QFETCH(int, messages);
        EnvironnementTest env;
        AppliquerConfiguration(ini);
        QCOMPARE(int(Etat.Lecture().Police), police);
        QCOMPARE(int(Etat.Lecture().Contraste), contraste);
        QCOMPARE(env.Messages.Textes().size(), messages);
        for (const QString& m : env.Messages.Textes())
            QVERIFY2(m.contains(u"POLICE") || m.contains(u"CONTRASTE"), qPrintable(m));
    }

    // The teacher's choice holds for the run, over the ini read again after the teacher module.
    void choixDeLaSeanceAvantLIni() {
        EnvironnementTest env;
        AppliquerConfiguration("POLICE = ECOLE\r\n");
        Etat.LectureDeLaSeance = ReglagesLecture{PoliceLecture::Dys, ContrasteLecture::Fort};
        AppliquerConfiguration("POLICE = STANDARD\r\nCONTRASTE = NORMAL\r\n");
        QCOMPARE(Etat.Lecture(), (ReglagesLecture{PoliceLecture::Dys, ContrasteLecture::Fort}));
        Etat.Reinitialiser();
        QCOMPARE(Etat.Lecture(), ReglagesLecture{});
    }

    // Standard changes nothing; each reading font spaces its letters and lines wider.
    void miseEnPage_data() {
        QTest::addColumn<int>("police");
        QTest::addColumn<QString>("famille");
        QTest::newRow("standard") << int(PoliceLecture::Standard) << QString();
        QTest::newRow("école") << int(PoliceLecture::Ecole) << QStringLiteral("Andika");
        QTest::newRow("dys") << int(PoliceLecture::Dys) << QStringLiteral("OpenDyslexic");
    }
    void miseEnPage() {
        QFETCH(int, police);
        QFETCH(QString, famille);
        const MiseEnPageLecture m = MiseEnPagePour(PoliceLecture(police));
        QCOMPARE(m.Famille, famille);
        if (famille.isEmpty()) {
            QCOMPARE(m, MiseEnPageLecture{});
            return;
        }
        QVERIFY(m.EspacementLettres > 100);
        QVERIFY(m.Interligne >= 130);
    }

    // A missing font is said once in a run, whatever the teacher chooses again; an installed
    // font or the standard letters say nothing.
    void policeAbsenteDiteUneFois() {
        AvisPoliceAbsente avis;
        QVERIFY(avis.ADire(PoliceLecture::Ecole, true).isEmpty());
        QVERIFY(avis.ADire(PoliceLecture::Standard, false).isEmpty());
        QCOMPARE(avis.ADire(PoliceLecture::Dys, false),
                 QStringLiteral("La police OpenDyslexic n'est pas installée sur cet ordinateur : "
                                "le programme garde sa police habituelle."));
        QVERIFY(avis.ADire(PoliceLecture::Dys, false).isEmpty());
        QVERIFY(avis.ADire(PoliceLecture::Ecole, false).contains(u"Andika"));
    }
};

QTEST_GUILESS_MAIN(TstReglagesLecture)
#include "tst_reglageslecture.moc"
