// An item's text companion read for the screen: whole when a teacher wrote it, cut at a whole
// character (and a whole line where there is one) when it is larger than any teacher writes.

#include "Doubles.h"
#include "core/exercise/TexteCompagnon.h"

#include <QTemporaryDir>
#include <QTest>

class TstTexteCompagnon : public QObject {
    Q_OBJECT
private slots:
    void lecture_data() {
        QTest::addColumn<QByteArray>("octets");
        QTest::addColumn<bool>("coupe");
        QTest::addColumn<QString>("debut");       // what the text starts with
        QTest::addColumn<QString>("avantMarque"); // the last line kept before the mark
        const QByteArray bom16("\xFF\xFE", 2);
        QByteArray utf16;
        for (int i = 0; i < 5000; ++i)
            utf16 += QByteArray("l\0i\0g\0n\0e\0\r\0\n\0", 14);
        QByteArray lignes;
        for (int i = 0; i < 20000; ++i)
            lignes += "ligne " + QByteArray::number(i) + "\r\n";
        QTest::newRow("a riddle") << QByteArray("Il miaule.\r\nQui est-ce ?\r\n") << false
                                  << "Il miaule.\nQui est-ce ?" << "";
        QTest::newRow("one endless word")
            << QByteArray(300 * 1024, 'a') << true << "aaaa" << QString(OctetsCompagnonMax, u'a');
        QTest::newRow("many lines cut at a line end")
            << lignes << true << "ligne 0\nligne 1" << "ligne 5552";
        // 0xC3 0xA9 is "é": a cut through it must not turn the text into Windows-1252.
        QTest::newRow("UTF-8 endless line cut inside a letter")
            << QByteArray("x") + QByteArray(100 * 1024, 'a').replace("a", "\xC3\xA9") << true
            << QString::fromUtf8("xéé") << "x" + QString((OctetsCompagnonMax - 1) / 2, u'é');
        QTest::newRow("UTF-16 cut at a line end")
            << bom16 + utf16 << true << "ligne\nligne" << "ligne";
    }
    void lecture() {
        QFETCH(QByteArray, octets);
        QFETCH(bool, coupe);
        QFETCH(QString, debut);
        QFETCH(QString, avantMarque);
        QTemporaryDir dossier;
        const QString chemin = dossier.filePath("chat.TXT");
        EcrireOctets(chemin, octets);
        const TexteCompagnon t = LireTexteCompagnonBorne(dossier.filePath("CHAT.txt"));
        QVERIFY(t.Lu);
        QCOMPARE(t.Coupe, coupe);
        QVERIFY2(t.Texte.startsWith(debut), qPrintable(t.Texte.left(40)));
        QVERIFY(!t.Texte.contains(QChar::ReplacementCharacter));
        if (coupe) {
            QVERIFY(t.Texte.endsWith(u'\n' + MarqueCoupure()));
            const QStringList l = t.Texte.split(u'\n');
            QCOMPARE(l.at(l.size() - 2), avantMarque);
        } else {
            QVERIFY(!t.Texte.contains(MarqueCoupure()));
        }
    }
    void absent() {
        QTemporaryDir dossier;
        QVERIFY(!LireTexteCompagnonBorne(dossier.filePath("rien.TXT")).Lu);
    }
};

QTEST_APPLESS_MAIN(TstTexteCompagnon)
#include "tst_textecompagnon.moc"
