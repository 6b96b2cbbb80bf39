// Windows-1252, UTF-8 and UTF-16 text, line ends, appends and the atomic replacement.

#include "Doubles.h"
#include "core/FichierTexte.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#ifndef Q_OS_WIN
#include <unistd.h>
#endif

namespace {

// Runs `action` as a user the folder's permissions apply to. Permissions do not stop root, so
// a root test run takes the identity of "nobody" for the action (and back: the saved id
// stays root).
template <typename F> void SansDroitsDAdministrateur(F action) {
#ifdef Q_OS_WIN
    action(); // Windows' folders are not refused by these permissions (the test skips there)
#else
    if (::geteuid() != 0) {
        action();
        return;
    }
    QVERIFY(::setegid(65534) == 0 && ::seteuid(65534) == 0);
    action();
    QVERIFY(::seteuid(0) == 0 && ::setegid(0) == 0);
#endif
}

} // namespace

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

    // Windows Notepad's "Unicode": UTF-16 behind its BOM, little end first ("Unicode") or big
    // end first ("Unicode big endian").
    void utf16_data() {
        QTest::addColumn<QByteArray>("octets");
        QTest::addColumn<int>("encodage");
        QTest::addColumn<QString>("texte");
        QTest::newRow("little endian ini")
            << QByteArray("\xFF\xFE"
                          "M\0O\0T\0 \0=\0 \0\xE9\0\r\0\n\0",
                          20)
            << int(Encodage::Utf16LE) << QString::fromUtf8("MOT = é\r\n");
        QTest::newRow("big endian") << QByteArray("\xFE\xFF\0c\0h\x20\xAC", 8)
                                    << int(Encodage::Utf16BE) << QString::fromUtf8("ch€");
        QTest::newRow("surrogate pair") << QByteArray("\xFF\xFE\x3D\xD8\x00\xDE", 6)
                                        << int(Encodage::Utf16LE) << QString::fromUtf8("😀");
        QTest::newRow("odd last byte dropped") << QByteArray("\xFF\xFE"
                                                             "a\0b",
                                                             5)
                                               << int(Encodage::Utf16LE) << "a";
        QTest::newRow("BOM alone") << QByteArray("\xFF\xFE") << int(Encodage::Utf16LE) << "";
    }
    void utf16() {
        QFETCH(QByteArray, octets);
        QFETCH(int, encodage);
        QFETCH(QString, texte);
        QCOMPARE(int(DetecterEncodage(octets)), encodage);
        QCOMPARE(DecoderTexte(octets), texte);
        EnvironnementTest env;
        EcrireOctets(env.Programme + "f.txt", octets);
        QCOMPARE(int(EncodageDuFichier(env.Programme + "f.txt")), encodage);
        QStringList lignes;
        QVERIFY(LireLignes(env.Programme + "f.txt", lignes));
        QCOMPARE(lignes, DecouperLignes(texte));
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
        QTest::newRow("utf-16 LE file")
            << QByteArray("\xFF\xFE") << QByteArray("\xFF\xFE\xE9\0t\0\xE9\0", 8);
        QTest::newRow("utf-16 BE file")
            << QByteArray("\xFE\xFF\0a", 4) << QByteArray("\xFE\xFF\0a\0\xE9\0t\0\xE9", 10);
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

    void finitParFinDeLigne_data() {
        QTest::addColumn<QByteArray>("octets");
        QTest::addColumn<bool>("fin");
        QTest::newRow("empty") << QByteArray() << true;
        QTest::newRow("CR LF") << QByteArray("a\r\n") << true;
        QTest::newRow("LF") << QByteArray("a\n") << true;
        QTest::newRow("CR") << QByteArray("a\r") << true;
        QTest::newRow("cut inside a line") << QByteArray("chat : zzz") << false;
        QTest::newRow("utf-16 BOM only") << QByteArray("\xFF\xFE") << true;
        QTest::newRow("utf-8 BOM only") << QByteArray("\xEF\xBB\xBF") << true;
        QTest::newRow("utf-16 LE ended") << QByteArray("\xFF\xFE"
                                                       "a\0\n\0",
                                                       6)
                                         << true;
        QTest::newRow("utf-16 LE open") << QByteArray("\xFF\xFE\n\0a\0", 6) << false;
        QTest::newRow("utf-16 BE ended") << QByteArray("\xFE\xFF\0a\0\r", 6) << true;
        // U+0A0D ends with the byte of LF in little-endian order; it is no line end.
        QTest::newRow("utf-16 LE unit ending in 0A") << QByteArray("\xFF\xFE\x0D\x0A", 4) << false;
    }
    void finitParFinDeLigne() {
        QFETCH(QByteArray, octets);
        QFETCH(bool, fin);
        EnvironnementTest env;
        EcrireOctets(env.Programme + "f.txt", octets);
        QCOMPARE(FinitParFinDeLigne(env.Programme + "f.txt"), fin);
    }

    // A full disk cuts an append short: what it wrote is taken back, so the next line starts
    // where the file ended before instead of being glued to a fragment.
    void ajoutCoupeCourtRetire() {
        SAUTER_SANS_DISQUE_PLEIN();
        EnvironnementTest env;
        const QString f = env.Programme + "Paul_Detail.txt";
        const QByteArray avant = QByteArray(100, 'x') + "\r\n";
        EcrireOctets(f, avant);
        bool ok = true;
        AvecDisquePlein(
            150, [&] { ok = AjouterAuFichier(f, QString(200, u'a') + QStringLiteral("\r\n")); });
        QVERIFY(!ok);
        QCOMPARE(LireOctets(f), avant);
        QVERIFY(AjouterAuFichier(f, QStringLiteral("chat : [4 s - 1 essai]\r\n")));
        QCOMPARE(LireOctets(f), avant + "chat : [4 s - 1 essai]\r\n");
    }

    // Shares often let pupils change their files but not create or rename any: the history is
    // written in place there, since no temporary file can stand beside it.
    void remplacementSansDroitDeCreer() {
#ifdef Q_OS_WIN
        QSKIP("Windows ignores these Unix permissions on a folder");
#endif
        QTemporaryDir d;
        QFile::setPermissions(d.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                            QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                            QFileDevice::ExeOther | QFileDevice::ReadGroup |
                                            QFileDevice::ExeGroup);
        const QString groupe = d.filePath("CM1");
        QVERIFY(QDir().mkpath(groupe));
        const QString f = groupe + "/Paul.txt";
        EcrireOctets(f, "chat|3\r\n");
        QVERIFY(QFile::setPermissions(f, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                             QFileDevice::ReadOther | QFileDevice::WriteOther |
                                             QFileDevice::ReadGroup | QFileDevice::WriteGroup));
        // Read and enter, but no new entry.
        QVERIFY(QFile::setPermissions(groupe, QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                                  QFileDevice::ReadOther | QFileDevice::ExeOther |
                                                  QFileDevice::ReadGroup | QFileDevice::ExeGroup));
        bool ok = false;
        bool creationRefusee = false;
        SansDroitsDAdministrateur([&] {
            QFile essai(groupe + "/essai");
            creationRefusee = !essai.open(QIODevice::WriteOnly);
            ok = RemplacerFichier(f, "chat|4\r\nchien|1\r\n");
        });
        QFile::setPermissions(groupe, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ExeOwner);
        QVERIFY(creationRefusee);
        QVERIFY(ok);
        QCOMPARE(LireOctets(f), QByteArray("chat|4\r\nchien|1\r\n"));
        QCOMPARE(QDir(groupe).entryList(QDir::Files | QDir::Hidden), QStringList{"Paul.txt"});
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
#ifdef Q_OS_WIN
        QSKIP("Windows has no per-process file size limit to make a disk full");
#endif
        EnvironnementTest env;
        const QString f = env.Programme + "Paul.txt";
        EcrireOctets(f, "chat|3\r\n");
        bool ok = true;
        QVERIFY(AvecDisquePlein(4096, [&] { ok = RemplacerFichier(f, QByteArray(100000, 'x')); }));
        QVERIFY(!ok);
        QCOMPARE(LireOctets(f), QByteArray("chat|3\r\n"));
        QVERIFY(RemplacerFichier(f, "chien|1\r\n"));
        QCOMPARE(LireOctets(f), QByteArray("chien|1\r\n"));
    }
};

QTEST_GUILESS_MAIN(TstFichierTexte)
#include "tst_fichiertexte.moc"
