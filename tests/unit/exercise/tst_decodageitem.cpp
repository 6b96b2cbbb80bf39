// Item names: codes, "£" alternatives, the comparison of a typed answer, the model answer.

#include "core/exercise/DecodageItem.h"

#include <QTest>

class TstDecodageItem : public QObject {
    Q_OBJECT
private slots:
    void codes_data() {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<QString>("texte");
        QTest::newRow("apostrophe") << "l#apo#eau"
                                    << "l'eau";
        QTest::newRow("every code")
            << "#ast##int##sla##ant##2po##gui##inf##sup##pip##liv##exc##aro##apo#"
            << "*?/\\:\"<>|£!@'";
        QTest::newRow("twice") << "#apo##apo#"
                               << "''";
        QTest::newRow("case exact") << "l#APO#eau"
                                    << "l#APO#eau";
        QTest::newRow("not a code") << "#xyz#"
                                    << "#xyz#";
        // Decoded left to right in table order: the "#" a code leaves does not make a new code.
        QTest::newRow("codes do not chain") << "#ast#apo#"
                                            << "*apo#";
        QTest::newRow("empty") << ""
                               << "";
    }
    void codes() {
        QFETCH(QString, nom);
        QFETCH(QString, texte);
        QCOMPARE(DecoderNomItem(nom), texte);
    }

    void reponses_data() {
        QTest::addColumn<QString>("fichier");
        QTest::addColumn<QString>("tape");
        QTest::addColumn<bool>("juste");
        QTest::newRow("L'eau folded") << "l#apo#eau.wav"
                                      << "L'eau" << true;
        QTest::newRow("ecole first alternative") << "Ecole£École.wav"
                                                 << "ecole" << true;
        QTest::newRow("École second alternative") << "Ecole£École.wav"
                                                  << "École" << true;
        QTest::newRow("école not folded from É") << "Ecole£École.wav"
                                                 << "école" << false;
        QTest::newRow("blanks around accepted") << "le chat.wav"
                                                << "  le chat\t" << true;
        QTest::newRow("inner blanks must match") << "le chat.wav"
                                                 << "le  chat" << false;
        QTest::newRow("accepted answer not trimmed") << " chat.wav"
                                                     << "chat" << false;
        QTest::newRow("pound inside one answer") << "10 #liv#.wav"
                                                 << "10 £" << true;
        QTest::newRow("pound code does not split") << "a#liv#b.wav"
                                                   << "a" << false;
        QTest::newRow("three alternatives") << "a£b£c.wav"
                                            << "C" << true;
        QTest::newRow("upper-case extension") << "CHAT.WAV"
                                              << "chat" << true;
        QTest::newRow("name that is only an extension") << ".wav"
                                                        << "" << true;
        QTest::newRow("empty answer") << "chat.wav"
                                      << "" << false;
        QTest::newRow("question mark code") << "Où est le chat #int#.wav"
                                            << "où est le chat ?" << true;
        QTest::newRow("outside windows-1252 compared in memory") << "λ.wav"
                                                                 << "λ" << true;
        QTest::newRow("short name") << "ab"
                                    << "" << true;
        // A name pasted from a word processor: the model looks the same, the pupil types spaces.
        QTest::newRow("no-break space in the name")
            << QString::fromUtf8("Où vas-tu\u00A0#int#.wav") << "Où vas-tu ?" << true;
        QTest::newRow("narrow no-break space typed")
            << "Où vas-tu #int#.wav" << QString::fromUtf8("Où vas-tu\u202F?") << true;
        QTest::newRow("soft hyphen in the name")
            << QString::fromUtf8("para\u00ADpluie.wav") << "parapluie" << true;
    }
    void reponses() {
        QFETCH(QString, fichier);
        QFETCH(QString, tape);
        QFETCH(bool, juste);
        QCOMPARE(ReponseJuste(tape, fichier), juste);
    }

    void modele_data() {
        QTest::addColumn<QString>("fichier");
        QTest::addColumn<QString>("modele");
        QTest::newRow("alternatives side by side") << "Ecole£École.wav"
                                                   << "Ecole     École";
        QTest::newRow("extension any case") << "l#apo#eau.WaV"
                                            << "l'eau";
        QTest::newRow("pound code kept inside") << "10 #liv#.wav"
                                                << "10 £";
    }
    void modele() {
        QFETCH(QString, fichier);
        QFETCH(QString, modele);
        QCOMPARE(ModeleReponse(fichier), modele);
    }
};

QTEST_GUILESS_MAIN(TstDecodageItem)
#include "tst_decodageitem.moc"
