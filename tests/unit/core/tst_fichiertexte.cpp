// Windows-1252 and UTF-8 text, line ends, appends and the atomic replacement.

#include "Doubles.h"
#include "core/FichierTexte.h"

#include <QFileInfo>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

class TstFichierTexte : public QObject {
    Q_OBJECT
private slots:
    void allerRetour256Octets() {
        QByteArray tous;
        for (int i = 0; i < 256; ++i)
            tous.append(static_cast<char>(i));
        const QString texte = Cp1252::Decoder(tous);
        QCOMPARE(texte.size(), 256);
        QCOMPARE(Cp1252::Encoder(texte), tous);
    }

    void caracteresConnus_data() {
        QTest::addColumn<QString>("caractere");
        QTest::addColumn<QByteArray>("octet");
        QTest::newRow("e acute") << QStringLiteral("é") << QByteArray("\xE9");
        QTest::newRow("a grave") << QStringLiteral("à") << QByteArray("\xE0");
        QTest::newRow("euro") << QStringLiteral("€") << QByteArray("\x80");
        QTest::newRow("oe ligature") << QStringLiteral("œ") << QByteArray("\x9C");
        QTest::newRow("right quote") << QStringLiteral("’") << QByteArray("\x92");
        QTest::newRow("pound") << QStringLiteral("£") << QByteArray("\xA3");
        QTest::newRow("greek cannot be held") << QStringLiteral("λ") << QByteArray("?");
        QTest::newRow("emoji is one question mark")
            << QString::fromUtf8("\xF0\x9F\x98\x80") << QByteArray("?");
    }
    void caracteresConnus() {
        QFETCH(QString, caractere);
        QFETCH(QByteArray, octet);
        QCOMPARE(Cp1252::Encoder(caractere), octet);
    }

    void detection_data() {
        QTest::addColumn<QByteArray>("octets");
        QTest::addColumn<bool>("utf8");
        QTest::addColumn<QString>("texte");
        QTest::newRow("ascii") << QByteArray("chat|3") << false << "chat|3";
        QTest::newRow("cp1252 accent") << QByteArray("\xE9l\xE8ve") << false << "élève";
        QTest::newRow("utf8 accent") << QByteArray("\xC3\xA9l\xC3\xA8ve") << true << "élève";
        QTest::newRow("utf8 bom ascii") << QByteArray("\xEF\xBB\xBF"
                                                      "chat")
                                        << true << "chat";
        QTest::newRow("cp1252 that looks like a lead byte")
            << QByteArray("caf\xC3") << false << "cafÃ";
        QTest::newRow("overlong is not utf8") << QByteArray("\xC0\xAF") << false << "À¯";
        QTest::newRow("surrogate is not utf8") << QByteArray("\xED\xA0\x80") << false << "í\u00a0€";
    }
    void detection() {
        QFETCH(QByteArray, octets);
        QFETCH(bool, utf8);
        QFETCH(QString, texte);
        QCOMPARE(DetecterEncodage(octets) == Encodage::Utf8, utf8);
        QCOMPARE(DecoderTexte(octets), texte);
    }

    void lignes_data() {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<QStringList>("lignes");
        QTest::newRow("crlf") << "a\r\nb\r\n" << QStringList{"a", "b"};
        QTest::newRow("lf") << "a\nb" << QStringList{"a", "b"};
        QTest::newRow("cr") << "a\rb\r" << QStringList{"a", "b"};
        QTest::newRow("mixed with empty line") << "a\r\n\nb\r\r\n" << QStringList{"a", "", "b", ""};
        QTest::newRow("empty") << "" << QStringList{};
        QTest::newRow("only an end") << "\r\n" << QStringList{""};
    }
    void lignes() {
        QFETCH(QString, texte);
        QFETCH(QStringList, lignes);
        QCOMPARE(DecouperLignes(texte), lignes);
    }

    // A file a teacher re-saved in UTF-8 keeps receiving UTF-8; the others Windows-1252.
    void ajoutDansLEncodageDuFichier_data() {
        QTest::addColumn<QByteArray>("avant");
        QTest::addColumn<QByteArray>("apres");
        QTest::newRow("empty file") << QByteArray() << QByteArray("\xE9t\xE9");
        QTest::newRow("cp1252 file") << QByteArray("\xE0") << QByteArray("\xE0\xE9t\xE9");
        QTest::newRow("utf8 file")
            << QByteArray("\xC3\xA0") << QByteArray("\xC3\xA0\xC3\xA9t\xC3\xA9");
        QTest::newRow("utf8 bom file")
            << QByteArray("\xEF\xBB\xBF") << QByteArray("\xEF\xBB\xBF\xC3\xA9t\xC3\xA9");
    }
    void ajoutDansLEncodageDuFichier() {
        QFETCH(QByteArray, avant);
        QFETCH(QByteArray, apres);
        EnvironnementTest env;
        const QString f = env.Programme + "f.txt";
        EcrireOctets(f, avant);
        QVERIFY(AjouterAuFichier(f, QStringLiteral("été")));
        QCOMPARE(LireOctets(f), apres);
    }

    // A UTF-8 accent far from the start is still seen: the end of the file is sampled too.
    void encodageLuEnFinDeGrosFichier() {
        EnvironnementTest env;
        const QString f = env.Programme + "gros.txt";
        EcrireOctets(f, QByteArray(200000, 'a') + "\xC3\xA9");
        QCOMPARE(EncodageDuFichier(f), Encodage::Utf8);
        EcrireOctets(f, QByteArray(200000, 'a') + "\xE9");
        QCOMPARE(EncodageDuFichier(f), Encodage::Cp1252);
    }

    void ajoutSansFichierNeCreeRien() {
        EnvironnementTest env;
        const QString f = env.Programme + "absent.txt";
        QVERIFY(!AjouterAuFichier(f, QStringLiteral("x")));
        QVERIFY(!QFileInfo::exists(f));
    }

    void lectureSansCasse() {
        EnvironnementTest env;
        EcrireOctets(env.Programme + "Paul.TXT", "chat|1\r\n");
        QStringList l;
        QVERIFY(LireLignes(env.Programme + "paul.txt", l));
        QCOMPARE(l, QStringList{"chat|1"});
    }

    // The save is refused by the system half-way (file size limit, as a full disk would):
    // the previous content stays whole.
    void remplacementEchoueGardeLAncien() {
        EnvironnementTest env;
        const QString f = env.Programme + "Paul.txt";
        EcrireOctets(f, "chat|3\r\n");
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit ancien{};
        getrlimit(RLIMIT_FSIZE, &ancien);
        rlimit petit = ancien;
        petit.rlim_cur = 4096;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &petit), 0);
        const bool ok = RemplacerFichier(f, QByteArray(100000, 'x'));
        setrlimit(RLIMIT_FSIZE, &ancien);
        QVERIFY(!ok);
        QCOMPARE(LireOctets(f), QByteArray("chat|3\r\n"));
        QVERIFY(RemplacerFichier(f, "chien|1\r\n"));
        QCOMPARE(LireOctets(f), QByteArray("chien|1\r\n"));
    }
};

QTEST_GUILESS_MAIN(TstFichierTexte)
#include "tst_fichiertexte.moc"
