// The studio's naming: every text a teacher may type becomes a file name that the exercise
// decodes back to exactly that text, or is refused with a sentence naming what is wrong.

#include "core/FichierTexte.h"
#include "core/exercise/CodesItem.h"
#include "core/exercise/DecodageItem.h"
#include "core/studio/NommageItem.h"

#include <QTest>

class TstNommageItem : public QObject {
    Q_OBJECT
private slots:
    // Each character of the table, alone and inside words, is written as its code and read back.
    void codeParCode_data() {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<QString>("base");
        for (const CodeItem& c : CodesItem) {
            const QString car(QChar(c.Caractere));
            const QString code = QLatin1String(c.Code);
            QTest::addRow("%s seul", c.Code) << car << code;
            QTest::addRow("%s dans un mot", c.Code)
                << QStringLiteral("a") + car + QStringLiteral("b")
                << QStringLiteral("a") + code + QStringLiteral("b");
            QTest::addRow("%s deux fois", c.Code) << car + car << code + code;
        }
        QTest::newRow("l'eau") << "l'eau"
                               << "l#apo#eau";
        QTest::newRow("every code at once") << "*?/\\:\"<>|£!@'"
                                            << "#ast##int##sla##ant##2po##gui##inf##sup##pip##liv#"
                                               "#exc##aro##apo#";
        QTest::newRow("a lone # stays") << "C#"
                                        << "C#";
        QTest::newRow("# before a code letter-run") << "#ap'"
                                                    << "#ap#apo#";
    }
    void codeParCode() {
        QFETCH(QString, texte);
        QFETCH(QString, base);
        const NomItem nom = NommerItem({texte});
        QVERIFY2(nom.Accepte(), qPrintable(nom.Refus));
        QCOMPARE(nom.Base, base);
        QCOMPARE(ReponsesAcceptees(nom.Base + ".wav"), QStringList{texte});
    }

    // Every printable character of Windows-1252 goes through, alone and between letters.
    void chaqueCaractereCp1252() {
        int essais = 0;
        for (int octet = 0x20; octet <= 0xFF; ++octet) {
            if (octet == 0x7F ||
                (octet >= 0x80 && octet < 0xA0 &&
                 Cp1252::Decoder(QByteArray(1, char(octet))).at(0).unicode() < 0xA0))
                continue; // the control characters, refused below
            if (octet == 0xA0 || octet == 0xAD)
                continue; // stored as a space, and dropped: see alternatives()
            const QString c = Cp1252::Decoder(QByteArray(1, char(octet)));
            for (const QString& texte :
                 {QStringLiteral("x") + c + QStringLiteral("y"), c + QStringLiteral("z")}) {
                if (texte.trimmed() != texte)
                    continue;
                const NomItem nom = NommerItem({texte});
                QVERIFY2(nom.Accepte(),
                         qPrintable(QStringLiteral("0x%1 : %2").arg(octet, 2, 16).arg(nom.Refus)));
                QCOMPARE(ReponsesAcceptees(nom.Base + ".wav"), QStringList{texte});
                // Only the characters of the table are coded; the rest is written as it is.
                bool code = false;
                for (const CodeItem& k : CodesItem)
                    code = code || k.Caractere == c.at(0).unicode();
                QCOMPARE(nom.Base.contains(c), !code);
                ++essais;
            }
        }
        QVERIFY(essais > 400);
    }

    void alternatives_data() {
        QTest::addColumn<QStringList>("textes");
        QTest::addColumn<QString>("base");
        QTest::addColumn<QStringList>("relus");
        QTest::newRow("two spellings")
            << QStringList{"Ecole", "École"} << "Ecole£École" << QStringList{"Ecole", "École"};
        QTest::newRow("a pound inside one spelling")
            << QStringList{"10 £", "dix livres"} << "10 #liv#£dix livres"
            << QStringList{"10 £", "dix livres"};
        QTest::newRow("blanks trimmed, blank spellings left out")
            << QStringList{"  chat ", "", "\t", "chats"} << "chat£chats"
            << QStringList{"chat", "chats"};
        QTest::newRow("inner blanks kept")
            << QStringList{"le  chat"} << "le  chat" << QStringList{"le  chat"};
        // Pasted from a word processor: « Où vas-tu ? » must stay answerable.
        QTest::newRow("no-break spaces stored as spaces")
            << QStringList{QString::fromUtf8("Où vas-tu\u00A0?\u202F")} << "Où vas-tu #int#"
            << QStringList{"Où vas-tu ?"};
        QTest::newRow("soft hyphen and zero-width dropped")
            << QStringList{QString::fromUtf8("para\u00ADpluie\u200B")} << "parapluie"
            << QStringList{"parapluie"};
    }
    void alternatives() {
        QFETCH(QStringList, textes);
        QFETCH(QString, base);
        QFETCH(QStringList, relus);
        const NomItem nom = NommerItem(textes);
        QVERIFY2(nom.Accepte(), qPrintable(nom.Refus));
        QCOMPARE(nom.Base, base);
        QCOMPARE(nom.Textes, relus);
        QCOMPARE(ReponsesAcceptees(nom.Base + ".wav"), relus);
    }

    void refus_data() {
        QTest::addColumn<QStringList>("textes");
        QTest::addColumn<QString>("dansLeMessage");
        QTest::newRow("nothing typed") << QStringList{} << "Écrivez le texte";
        QTest::newRow("only blanks") << QStringList{" ", "\t"} << "Écrivez le texte";
        QTest::newRow("tab inside") << QStringList{"le\tchat"} << "caractère de contrôle n° 9";
        QTest::newRow("line feed inside") << QStringList{"a\nb"} << "caractère de contrôle n° 10";
        QTest::newRow("DEL") << QStringList{"a\x7f"
                                            "b"}
                             << "caractère de contrôle n° 127";
        QTest::newRow("C1 control")
            << QStringList{QString("a") + QChar(0x81) + "b"} << "caractère de contrôle n° 129";
        QTest::newRow("outside Windows-1252")
            << QStringList{QString::fromUtf8("ĉapelo")} << "le caractère « ĉ »";
        QTest::newRow("emoji") << QStringList{QString::fromUtf8("chat 🐱")}
                               << "le caractère « 🐱 »";
        QTest::newRow("a code typed as such") << QStringList{"#apo#"} << "le code « #apo# »";
        QTest::newRow("# then a code's letters") << QStringList{"#int'"} << "le code « #int# »";
        QTest::newRow(".wav inside") << QStringList{"son.WAV du chat"} << "« .wav »";
        QTest::newRow("too long") << QStringList{QString(252, u'a')} << "trop longs";
        QTest::newRow("too long once accented") << QStringList{QString(126, u'é')} << "256 octets";
        QTest::newRow("too long with its spellings")
            << QStringList{QString(120, u'a'), QString(120, u'b'), QString(20, u'c')}
            << "trop longs";
    }
    void refus() {
        QFETCH(QStringList, textes);
        QFETCH(QString, dansLeMessage);
        const NomItem nom = NommerItem(textes);
        QVERIFY(!nom.Accepte());
        QVERIFY(nom.Base.isEmpty());
        QVERIFY2(nom.Refus.contains(dansLeMessage), qPrintable(nom.Refus));
    }

    void longueurLimite() {
        // 251 bytes and ".wav": exactly what a file name holds.
        const NomItem nom = NommerItem({QString(251, u'a')});
        QVERIFY2(nom.Accepte(), qPrintable(nom.Refus));
    }

    void doublons_data() {
        QTest::addColumn<QString>("base");
        QTest::addColumn<QStringList>("autres");
        QTest::addColumn<bool>("refuse");
        QTest::newRow("none") << "chat" << QStringList{"chien"} << false;
        QTest::newRow("same") << "chat" << QStringList{"chat"} << true;
        QTest::newRow("ASCII case") << "Chat" << QStringList{"cHAT"} << true;
        QTest::newRow("accented case") << "École" << QStringList{"école"} << true;
        QTest::newRow("accents differ") << "ecole" << QStringList{"école"} << false;
        QTest::newRow("alternatives") << "a£b" << QStringList{"A£B"} << true;
    }
    void doublons() {
        QFETCH(QString, base);
        QFETCH(QStringList, autres);
        QFETCH(bool, refuse);
        QCOMPARE(!RefusDoublon(base, autres).isEmpty(), refuse);
    }

    void nomsDeDossiers_data() {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<QString>("dansLeMessage"); // empty: accepted
        QTest::newRow("plain") << "Les animaux" << "";
        QTest::newRow("accents and digits") << "Dictée n°3 - été" << "";
        for (const char* c : {"/", "\\", ":", "*", "?", "\"", "<", ">", "|"})
            QTest::addRow("refused %s", c) << QStringLiteral("a%1b").arg(QLatin1String(c))
                                           << QStringLiteral("« %1 »").arg(QLatin1String(c));
        QTest::newRow("control") << "a\x01"
                                    "b"
                                 << "caractère de contrôle n° 1";
        QTest::newRow("dot") << "." << "ne peut pas être le nom";
        QTest::newRow("dot dot") << ".." << "ne peut pas être le nom";
        QTest::newRow("a dot hides it from pupils") << "CM1.a" << "ne verraient pas";
        QTest::newRow("empty") << "  " << "Écrivez le nom";
        QTest::newRow("exists whatever its case") << "animaux" << "existe déjà";
        QTest::newRow("too long") << QString(256, u'x') << "trop long";
        // Look-alikes of an existing folder are that folder.
        QTest::newRow("zero-width space inside")
            << QString::fromUtf8("Ani\u200Bmaux") << "existe déjà";
        QTest::newRow("no-break space at the end")
            << QString::fromUtf8("Animaux\u00A0") << "existe déjà";
        QTest::newRow("decomposed accents")
            << QString::fromUtf8("E\u0301te\u0301") << "existe déjà";
        QTest::newRow("existing one decomposed") << QString::fromUtf8("Chanson") << "existe déjà";
        QTest::newRow("emoji") << QString::fromUtf8("Les chats 🐱") << "ne peuvent pas écrire";
        QTest::newRow("right-to-left override dropped") << QString::fromUtf8("\u202Egnirts") << "";
    }
    void nomsDeDossiers() {
        QFETCH(QString, nom);
        QFETCH(QString, dansLeMessage);
        const QString refus =
            RefusNomDossier(nom, {QStringLiteral("Animaux"), QString::fromUtf8("Été"),
                                  QString::fromUtf8("Chanson\u200B")});
        if (dansLeMessage.isEmpty())
            QVERIFY2(refus.isEmpty(), qPrintable(refus));
        else
            QVERIFY2(refus.contains(dansLeMessage), qPrintable(refus));
    }
};

QTEST_GUILESS_MAIN(TstNommageItem)
#include "tst_nommageitem.moc"
