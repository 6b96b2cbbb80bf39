// The success history: counts rules, loading, saving, and the file the table belongs to.

#include "Doubles.h"
#include "core/Etat.h"
#include "core/records/Reussites.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

namespace {

// A named pupil of group CM1 whose history file holds `contenu`, loaded.
QString PreparerEleve(EnvironnementTest& env, const QString& nom, const QByteArray& contenu,
                      const QString& groupe = QStringLiteral("CM1")) {
    Etat.CheminBilans = env.Programme + "_Bilans/";
    Etat.Choix.Groupe = groupe;
    Etat.DossierGroupe = Etat.CheminBilans + groupe + "/";
    Etat.NomEleve = nom;
    const QString f = Etat.DossierGroupe + nom + ".txt";
    EcrireOctets(f, contenu);
    return f;
}

QStringList Compteurs() {
    QStringList r;
    for (const EntreeReussite& e : Etat.ListeReussites)
        r.append(e.Cle + "|" + e.Compteurs);
    return r;
}

} // namespace

class TstReussites : public QObject {
    Q_OBJECT
private slots:
    void operations_data() {
        QTest::addColumn<QByteArray>("fichier");
        QTest::addColumn<QStringList>("operations"); // "+text" success, "-text" failure
        QTest::addColumn<QStringList>("attendu");
        QTest::newRow("success adds to the last count")
            << QByteArray("chat|4\r\nchien|2-0\r\nx|3-0-2\r\n")
            << QStringList{"+chat", "+chien", "+x"}
            << QStringList{"chat|5", "chien|2-1", "x|3-0-3"};
        QTest::newRow("failure twice is one -0")
            << QByteArray("chat|2\r\n") << QStringList{"-chat", "-chat"} << QStringList{"chat|2-0"};
        QTest::newRow("failure then two successes")
            << QByteArray("chat|2\r\n") << QStringList{"-chat", "+chat", "+chat"}
            << QStringList{"chat|2-2"};
        QTest::newRow("failure on an absent item changes nothing")
            << QByteArray("chat|2\r\n") << QStringList{"-chien"} << QStringList{"chat|2"};
        QTest::newRow("success on an absent item adds it last")
            << QByteArray("chat|2\r\n") << QStringList{"+Chien"}
            << QStringList{"chat|2", "chien|1"};
        QTest::newRow("key folds A-Z and trims")
            << QByteArray("le chat|1\r\n") << QStringList{"+ Le Chat ", "-Le chat"}
            << QStringList{"le chat|2-0"};
        QTest::newRow("accented capital is another key")
            << QByteArray("école|1\r\n") << QStringList{"+École"}
            << QStringList{"école|1", "École|1"};
        QTest::newRow("hand-edited count restarts the run at 1")
            << QByteArray("chat|2-x\r\n") << QStringList{"+chat"} << QStringList{"chat|2-1"};
        QTest::newRow("line without bar")
            << QByteArray("chat\r\n") << QStringList{"+chat"} << QStringList{"chat|1"};
        QTest::newRow("empty text does nothing")
            << QByteArray("chat|1\r\n") << QStringList{"+", "-"} << QStringList{"chat|1"};
        QTest::newRow("empty lines dropped, order kept")
            << QByteArray("b|1\r\n\r\n  \r\na|2\n") << QStringList{} << QStringList{"b|1", "a|2"};
        QTest::newRow("key trimmed and folded at load, counts kept")
            << QByteArray(" Chat |3 \r\n") << QStringList{} << QStringList{"chat|3 "};
    }
    void operations() {
        QFETCH(QByteArray, fichier);
        QFETCH(QStringList, operations);
        QFETCH(QStringList, attendu);
        EnvironnementTest env;
        PreparerEleve(env, "Paul", fichier);
        QVERIFY(ChargerReussites());
        for (const QString& op : operations) {
            if (op.startsWith('+'))
                NoterReussite(op.mid(1));
            else
                NoterEchec(op.mid(1));
        }
        QCOMPARE(Compteurs(), attendu);
    }

    void dejaReussis_data() {
        QTest::addColumn<QByteArray>("fichier");
        QTest::addColumn<int>("nombre");
        QTest::newRow("reference") << LireOctets(PLUMELUNE_EXEMPLES "/Paul.txt") << 4;
        QTest::newRow("leading zero count") << QByteArray("a|0-2\r\nb|1\r\n") << 1;
        QTest::newRow("garbage counts") << QByteArray("a|x\r\nb|\r\nc|-3\r\nd|12abc\r\n") << 1;
        QTest::newRow("empty file") << QByteArray() << 0;
    }
    void dejaReussis() {
        QFETCH(QByteArray, fichier);
        QFETCH(int, nombre);
        EnvironnementTest env;
        PreparerEleve(env, "Paul", fichier);
        QVERIFY(ChargerReussites());
        QCOMPARE(Etat.NbItemsDejaReussis, nombre);
    }

    void comptes_data() {
        QTest::addColumn<QString>("compteurs");
        QTest::addColumn<int>("dernier");
        QTest::newRow("single") << "3" << 3;
        QTest::newRow("after failure") << "3-2" << 2;
        QTest::newRow("just failed") << "4-0" << 0;
        QTest::newRow("garbage") << "3-x" << 0;
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("trailing dash") << "3-" << 0;
        QTest::newRow("huge") << "99999999999999" << 0;
    }
    void comptes() {
        QFETCH(QString, compteurs);
        QFETCH(int, dernier);
        QCOMPARE(DernierCompte(compteurs), dernier);
    }

    // Loaded, one count changed, saved: the reference history is rewritten byte for byte but
    // for that count.
    void allerRetourReference() {
        EnvironnementTest env;
        const QByteArray ref = LireOctets(PLUMELUNE_EXEMPLES "/Paul.txt");
        const QString f = PreparerEleve(env, "Paul", ref);
        QVERIFY(ChargerReussites());
        NoterEchec("chat");
        QVERIFY(EnregistrerReussites());
        QByteArray attendu = ref;
        attendu.replace("chat|3\r\n", "chat|3-0\r\n");
        QCOMPARE(LireOctets(f), attendu);
    }

    // Another computer, or the teacher's editor, changed the file after this run loaded it. The
    // save writes only what this run changed since its last save, over what the file holds by
    // then; the table then is what the file holds.
    void fusion_data() {
        QTest::addColumn<QByteArray>("charge");
        QTest::addColumn<QStringList>("operations"); // "+text" success, "-text" failure
        QTest::addColumn<QByteArray>("entreTemps");  // the file just before the save
        QTest::addColumn<QByteArray>("apres");
        QTest::newRow("nothing changed here: the other computer's success stays")
            << QByteArray("chien|2\r\n") << QStringList{} << QByteArray("chien|3\r\n")
            << QByteArray("chien|3\r\n");
        QTest::newRow("a success here, another item's there: both kept")
            << QByteArray("chien|2\r\nchat|1\r\n") << QStringList{"+chat"}
            << QByteArray("chien|3\r\nchat|1\r\n") << QByteArray("chien|3\r\nchat|2\r\n");
        QTest::newRow("an entry added elsewhere is kept")
            << QByteArray("chat|1\r\n") << QStringList{"+chat"}
            << QByteArray("chat|1\r\nloup|1\r\n") << QByteArray("chat|2\r\nloup|1\r\n");
        QTest::newRow("same item on both: this save wins for that item only")
            << QByteArray("chat|1\r\nchien|1\r\n") << QStringList{"+chat"}
            << QByteArray("chat|5\r\nchien|4\r\n") << QByteArray("chat|2\r\nchien|4\r\n");
        QTest::newRow("a new entry here comes after the file's")
            << QByteArray("chat|1\r\n") << QStringList{"+loup"}
            << QByteArray("chat|1\r\nours|2\r\n") << QByteArray("chat|1\r\nours|2\r\nloup|1\r\n");
        QTest::newRow("hand edit: a line removed stays removed unless changed here")
            << QByteArray("chat|3\r\nchien|2\r\nloup|1\r\n") << QStringList{"-chien"}
            << QByteArray("chat|1\r\nloup|1\r\n")
            << QByteArray("chat|1\r\nloup|1\r\nchien|2-0\r\n");
        QTest::newRow("a failure that changes nothing is no change")
            << QByteArray("chat|2-0\r\n") << QStringList{"-chat"} << QByteArray("chat|5\r\n")
            << QByteArray("chat|5\r\n");
        QTest::newRow("a key written twice: the first line, the one read, takes the change")
            << QByteArray("chat|1\r\n") << QStringList{"+chat"}
            << QByteArray("Chat|7\r\nchat|9\r\n") << QByteArray("chat|2\r\nchat|9\r\n");
    }
    void fusion() {
        QFETCH(QByteArray, charge);
        QFETCH(QStringList, operations);
        QFETCH(QByteArray, entreTemps);
        QFETCH(QByteArray, apres);
        EnvironnementTest env;
        const QString f = PreparerEleve(env, "Paul", charge);
        QVERIFY(ChargerReussites());
        for (const QString& op : operations) {
            if (op.startsWith('+'))
                NoterReussite(op.mid(1));
            else
                NoterEchec(op.mid(1));
        }
        EcrireOctets(f, entreTemps);
        QVERIFY(EnregistrerReussites());
        QCOMPARE(LireOctets(f), apres);
        // Once written, the table holds what the file does; the next save without a change
        // writes nothing over a later change made elsewhere.
        if (apres != entreTemps)
            QCOMPARE(Compteurs().join("\r\n") + "\r\n", QString::fromLatin1(apres));
        EcrireOctets(f, "chat|8\r\n");
        QVERIFY(EnregistrerReussites());
        QCOMPARE(LireOctets(f), QByteArray("chat|8\r\n"));
    }

    // A history saved as "Unicode" by Windows Notepad is read, and saved back in UTF-16 behind
    // its BOM.
    void historiqueUtf16() {
        EnvironnementTest env;
        const QString f = PreparerEleve(env, "Paul",
                                        QByteArray("\xFF\xFE\xE9\0t\0\xE9\0|\0"
                                                   "2\0\r\0\n\0",
                                                   16));
        QVERIFY(ChargerReussites());
        QCOMPARE(Compteurs(), QStringList{QString::fromUtf8("été|2")});
        NoterReussite(QString::fromUtf8("été"));
        QVERIFY(EnregistrerReussites());
        QCOMPARE(LireOctets(f), QByteArray("\xFF\xFE\xE9\0t\0\xE9\0|\0"
                                           "3\0\r\0\n\0",
                                           16));
    }

    void nouvelleEntreeDateeEtEcrite() {
        EnvironnementTest env;
        env.Horloge.Date = "09/12/2026";
        const QString f = PreparerEleve(env, "Paul", "chat|3\r\n");
        QVERIFY(ChargerReussites());
        NoterReussite("l'eau");
        QCOMPARE(Etat.ListeReussites.last().Date, QStringLiteral("09/12/2026"));
        QVERIFY(Etat.ListeReussites.first().Date.isEmpty());
        QVERIFY(EnregistrerReussites());
        QCOMPARE(LireOctets(f), QByteArray("chat|3\r\nl'eau|1\r\n"));
    }

    // The table keeps belonging to its file when the start form or the report form change
    // the pupil and the group afterwards.
    void sauvegardeDansLeBonFichier() {
        EnvironnementTest env;
        const QString paul = PreparerEleve(env, "Paul", "chat|1\r\n");
        QVERIFY(ChargerReussites());
        NoterReussite("chat");
        const QString lea = PreparerEleve(env, "Lea", "chien|1\r\n", "CM2");
        QVERIFY(EnregistrerReussites());
        QCOMPARE(LireOctets(paul), QByteArray("chat|2\r\n"));
        QCOMPARE(LireOctets(lea), QByteArray("chien|1\r\n"));
        QVERIFY(!QFileInfo::exists(env.Programme + "_Bilans/CM2/Paul.txt"));
    }

    void visiteurNeSauveRien() {
        EnvironnementTest env;
        const QString paul = PreparerEleve(env, "Paul", "chat|1\r\n");
        QVERIFY(ChargerReussites());
        Etat.NomEleve.clear();
        QVERIFY(!EnregistrerReussites());
        NoterReussite("chat");
        QCOMPARE(Compteurs(), QStringList{"chat|1"});
        // A visitor's start empties the table and unties it from Paul's file: naming Paul again
        // without a load must not write an empty history over his.
        QVERIFY(ChargerReussites());
        Etat.NomEleve = "Paul";
        QVERIFY(!EnregistrerReussites());
        QCOMPARE(LireOctets(paul), QByteArray("chat|1\r\n"));
    }

    void rienCharge() {
        EnvironnementTest env;
        PreparerEleve(env, "Paul", "chat|1\r\n");
        QVERIFY(!EnregistrerReussites());
    }

    void eleveSupprimeResteSupprime() {
        EnvironnementTest env;
        const QString f = PreparerEleve(env, "Paul", "chat|1\r\n");
        QVERIFY(ChargerReussites());
        QFile::remove(f);
        QVERIFY(!EnregistrerReussites());
        QVERIFY(!QFileInfo::exists(f));
    }

    void fichierEnAutreCasseEtUtf8() {
        EnvironnementTest env;
        PreparerEleve(env, "paul", "");
        QFile::remove(Etat.DossierGroupe + "paul.txt");
        const QString vrai = Etat.DossierGroupe + "Paul.TXT";
        EcrireOctets(vrai, "\xC3\xA9l\xC3\xA8ve|1\n");
        QVERIFY(ChargerReussites());
        QCOMPARE(Compteurs(), QStringList{"élève|1"});
        NoterReussite("élève");
        QVERIFY(EnregistrerReussites());
        QCOMPARE(LireOctets(vrai), QByteArray("\xC3\xA9l\xC3\xA8ve|2\r\n"));
        QCOMPARE(QDir(Etat.DossierGroupe).entryList(QDir::Files), QStringList{"Paul.TXT"});
    }
};

QTEST_GUILESS_MAIN(TstReussites)
#include "tst_reussites.moc"
