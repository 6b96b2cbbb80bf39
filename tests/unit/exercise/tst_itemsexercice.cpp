// The item list of a folder, mastery, the draw, and what the exercise writes.

#include "Doubles.h"
#include "core/Etat.h"
#include "core/FichierTexte.h"
#include "core/exercise/EcrituresExercice.h"
#include "core/exercise/ItemsExercice.h"
#include "core/records/FichiersEleve.h"
#include "core/records/Reussites.h"

#include <QDir>
#include <QTest>

namespace {

// What the program writes to: the pupil and journal the test set, on the folder it chose.
BilansExercice Bilans() {
    return BilansExercice::DuProgramme(Etat.Choix.DossierExercice);
}

// Paul of CM1 with his three files and a journal, the folder Animaux open.
void PreparerPaul(EnvironnementTest& env, const QByteArray& historique) {
    PreparerPaulDeCM1(env, historique);
    QVERIFY(ChargerReussites());
}

} // namespace

class TstItemsExercice : public QObject {
    Q_OBJECT
private slots:
    void listeDuDossier() {
        EnvironnementTest env;
        const QString d = env.Programme + "Animaux/";
        for (const char* f :
             {"chat.wav", "CHIEN.WAV", "notes.txt", "lapin.Wav", "image.jpg", "son.wav.txt"})
            EcrireOctets(d + f, "x");
        QDir(d).mkpath("dossier.wav"); // a folder is not an item
        int sons = -1;
        QCOMPARE(ItemsARetravailler(d, sons), (QStringList{"chat.wav", "CHIEN.WAV", "lapin.Wav"}));
        QCOMPARE(sons, 3);
        QVERIFY(ItemsARetravailler(env.Programme + "absent", sons).isEmpty());
        QCOMPARE(sons, 0);
    }

    void maitrise_data() {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<int>("necessaires");
        QTest::addColumn<QByteArray>("historique");
        QTest::addColumn<bool>("offert");
        QTest::newRow("run 2 of 3 after a failure")
            << "Paul" << 3 << QByteArray("chat|3-2\r\n") << true;
        QTest::newRow("run 3 of 3") << "Paul" << 3 << QByteArray("chat|1-3\r\n") << false;
        QTest::newRow("absent from history") << "Paul" << 1 << QByteArray("chien|5\r\n") << true;
        QTest::newRow("no limit") << "Paul" << 0 << QByteArray("chat|50\r\n") << true;
        QTest::newRow("999 or more is no limit")
            << "Paul" << 999 << QByteArray("chat|1000\r\n") << true;
        QTest::newRow("998 is a number") << "Paul" << 998 << QByteArray("chat|1000\r\n") << false;
        QTest::newRow("visitor always") << "" << 1 << QByteArray("chat|5\r\n") << true;
        QTest::newRow("garbage count is zero") << "Paul" << 1 << QByteArray("chat|x\r\n") << true;
        QTest::newRow("first entry of the key wins")
            << "Paul" << 2 << QByteArray("chat|1\r\nchat|9\r\n") << true;
    }
    void maitrise() {
        QFETCH(QString, nom);
        QFETCH(int, necessaires);
        QFETCH(QByteArray, historique);
        QFETCH(bool, offert);
        EnvironnementTest env;
        PreparerPaul(env, historique);
        Etat.NomEleve = nom;
        if (necessaires > 0) // 0: no limit, as the ini's 0 reads
            Etat.ReponsesNecessaires = necessaires;
        QCOMPARE(ItemARetravailler(" Chat.wav"), offert);
        EcrireOctets(env.Programme + "F/Chat.wav", "x");
        int sons = 0;
        QCOMPARE(ItemsARetravailler(env.Programme + "F", sons).size(), offert ? 1 : 0);
        QCOMPARE(sons, 1);
    }

    // The key of an item with alternatives holds them all, the history the typed one.
    void alternativesJamaisMaitrisees() {
        EnvironnementTest env;
        PreparerPaul(env, "ecole|9\r\nl'eau|9\r\n");
        Etat.ReponsesNecessaires = 1;
        QVERIFY(ItemARetravailler("Ecole£École.wav"));
        QVERIFY(!ItemARetravailler("L#apo#EAU.WAV"));
        QCOMPARE(CleItem("Ecole£École.wav"), QStringLiteral("ecole£École"));
    }

    void nomDossier() {
        EnvironnementTest env;
        Etat.Choix.DossierExercice = "/m/Grammaire/Les articles";
        QCOMPARE(NomDossierCourant(), QStringLiteral("Les articles"));
    }

    void enTete_data() {
        QTest::addColumn<int>("nbItems");
        QTest::addColumn<QString>("eleve");
        QTest::addColumn<QByteArray>("detail");
        QTest::addColumn<QByteArray>("journal");
        const QByteArray regle = QByteArray(68, '-') + "\r\n";
        QTest::newRow("one item")
            << 1 << "Paul"
            << QByteArray("07/12/2026 \xE0 14:03:27 - 1 item - Exercice sur [Animaux]\r\n")
            << regle + "07/12/2026 \xE0 14:03:27 - 1 item - Exercice sur [Animaux]\r\n";
        QTest::newRow("two items, visitor")
            << 2 << "" << QByteArray()
            << regle + "07/12/2026 \xE0 14:03:27 - 2 items - Exercice sur [Animaux]\r\n";
    }
    void enTete() {
        QFETCH(int, nbItems);
        QFETCH(QString, eleve);
        QFETCH(QByteArray, detail);
        QFETCH(QByteArray, journal);
        EnvironnementTest env;
        PreparerPaul(env, "");
        Etat.NomEleve = eleve;
        EcrireEnTeteExercice(Bilans(), nbItems);
        QCOMPARE(LireOctets(Etat.DossierGroupe + "Paul_Detail.txt"), detail);
        QCOMPARE(LireOctets(Etat.FichierJournal), journal);
    }

    // chein, nothing, then the right answer: one line, "..." for the empty answer, written
    // whole at the right answer only; the history marks the first failure only.
    void ligneRateePuisJuste() {
        EnvironnementTest env;
        PreparerPaul(env, "chien|2\r\n");
        QString ligne = LigneApresReponseFausse(Bilans(), {}, "chien.wav", "chein", 1);
        ligne = LigneApresReponseFausse(Bilans(), ligne, "chien.wav", "", 2);
        QCOMPARE(ligne, QStringLiteral("chien : chein - ..."));
        QCOMPARE(LireOctets(Etat.DossierGroupe + "Paul_Detail.txt"), QByteArray());
        QCOMPARE(LireOctets(Etat.FichierJournal), QByteArray());
        EcrireReponseJuste(Bilans(), "chien", 65, 3, false, ligne);
        const QByteArray attendu = "chien : chein - ... [1 min 5 s - 3 essais]\r\n";
        QCOMPARE(LireOctets(Etat.DossierGroupe + "Paul_Detail.txt"), attendu);
        QCOMPARE(LireOctets(Etat.FichierJournal), attendu);
        QCOMPARE(Etat.ListeReussites.first().Compteurs, QStringLiteral("2-0"));
    }

    void justesPremierEssai_data() {
        QTest::addColumn<bool>("nouveau");
        QTest::addColumn<QByteArray>("ligne");
        QTest::addColumn<QString>("compteurs");
        QTest::newRow("fresh item counts")
            << true << QByteArray("Chat : [4 s - 1 essai]\r\n") << "3";
        QTest::newRow("item that came back")
            << false << QByteArray("Chat : [4 s - 1 essai (d\xE9j\xE0 tent\xE9)]\r\n") << "2";
    }
    void justesPremierEssai() {
        QFETCH(bool, nouveau);
        QFETCH(QByteArray, ligne);
        QFETCH(QString, compteurs);
        EnvironnementTest env;
        PreparerPaul(env, "chat|2\r\n");
        EcrireReponseJuste(Bilans(), "Chat", 4, 1, nouveau, {});
        QCOMPARE(LireOctets(Etat.DossierGroupe + "Paul_Detail.txt"), ligne);
        QCOMPARE(LireOctets(Etat.FichierJournal), ligne);
        QCOMPARE(Etat.ListeReussites.first().Compteurs, compteurs);
    }

    void visiteurEcritSeulementLeJournal() {
        EnvironnementTest env;
        PreparerPaul(env, "chat|2\r\n");
        Etat.NomEleve.clear();
        const QString ligne = LigneApresReponseFausse(Bilans(), {}, "chat.wav", "chta", 1);
        EcrireReponseJuste(Bilans(), "chat", 0, 2, false, ligne);
        EcrireFinExercice(Bilans(), 10, 3, 5);
        EcrireInterruption(Bilans(), 10, 3, 5, {});
        QCOMPARE(LireOctets(Etat.DossierGroupe + "Paul_Detail.txt"), QByteArray());
        QCOMPARE(LireOctets(Etat.DossierGroupe + "Paul_Exos.txt"), QByteArray());
        QVERIFY(LireOctets(Etat.FichierJournal)
                    .startsWith("chat : chta [0 s - 2 essais]\r\n\r\nTemps exercice : 10 s.\r\n"));
        QCOMPARE(Etat.ListeReussites.first().Compteurs, QStringLiteral("2"));
    }

    void finEtInterruption() {
        EnvironnementTest env;
        PreparerPaul(env, "");
        env.Horloge.Date = "08/12/2026";
        EcrireInterruption(Bilans(), 125, 15, 50, {});
        EcrireFinExercice(Bilans(), 72, 8, 10);
        const QByteArray regle = QByteArray(68, '-') + "\r\n";
        const QByteArray detail = "\r\nExercice interrompu apr\xE8s 2 min 5 s.\r\n" + regle +
                                  "\r\nTemps exercice : 1 min 12 s.\r\nScore : 8/10.\r\n" + regle;
        QCOMPARE(LireOctets(Etat.DossierGroupe + "Paul_Detail.txt"), detail);
        QCOMPARE(LireOctets(Etat.FichierJournal), detail);
        QCOMPARE(LireOctets(Etat.DossierGroupe + "Paul_Exos.txt"),
                 QByteArray("08/12/2026 | Interrompu |   15 /  50 | Animaux\r\n"
                            "08/12/2026 | Termin\xE9    |    8 /  10 | Animaux\r\n"));
    }

    // Characters the code page cannot hold reach the records as "?", never as garbage.
    void horsCodePage() {
        EnvironnementTest env;
        PreparerPaul(env, "");
        EcrireInterruption(Bilans(), 0, 0, 5,
                           LigneApresReponseFausse(Bilans(), {}, "λ.wav", "Ω", 1));
        QVERIFY(LireOctets(Etat.FichierJournal).startsWith("? : ?\r\n"));
    }

    // A file that a crash, a power cut or an older copy left inside a line: the next header
    // starts a line of its own instead of being glued to it.
    void enTeteSurUneLigneNeuve_data() {
        QTest::addColumn<QByteArray>("avant");
        QTest::addColumn<QByteArray>("termine"); // what stands before the header afterwards
        QTest::newRow("line left open") << QByteArray("chat : zzz") << QByteArray("chat : zzz\r\n");
        QTest::newRow("ends with CR LF")
            << QByteArray("chat : zzz\r\n") << QByteArray("chat : zzz\r\n");
        QTest::newRow("ends with LF (hand edit)")
            << QByteArray("chat : zzz\n") << QByteArray("chat : zzz\n");
        QTest::newRow("empty") << QByteArray() << QByteArray();
        QTest::newRow("UTF-16 left open") << QByteArray("\xFF\xFE"
                                                        "a\0",
                                                        4)
                                          << QByteArray("\xFF\xFE"
                                                        "a\0\r\0\n\0",
                                                        8);
    }
    void enTeteSurUneLigneNeuve() {
        QFETCH(QByteArray, avant);
        QFETCH(QByteArray, termine);
        EnvironnementTest env;
        PreparerPaul(env, "");
        EcrireOctets(Etat.DossierGroupe + "Paul_Detail.txt", avant);
        EcrireOctets(Etat.FichierJournal, avant);
        EcrireEnTeteExercice(Bilans(), 2);
        const QString entete =
            QString::fromUtf8("07/12/2026 à 14:03:27 - 2 items - Exercice sur [Animaux]\r\n");
        const Encodage e = avant.startsWith("\xFF\xFE") ? Encodage::Utf16LE : Encodage::Cp1252;
        QCOMPARE(LireOctets(Etat.DossierGroupe + "Paul_Detail.txt"),
                 termine + EncoderTexte(entete, e));
        QCOMPARE(LireOctets(Etat.FichierJournal),
                 termine + EncoderTexte(QString(68, u'-') + "\r\n" + entete, e));
    }

    // The history knows an item by its answer, codes decoded: a first-attempt failure on
    // "l#apo#eau" lands on "l'eau", so an item the pupil keeps missing comes back. The record
    // line keeps the name as the folder spells it; "£" alternatives keep their old behaviour.
    void echecSurUnNomCode_data() {
        QTest::addColumn<QString>("fichierSon");
        QTest::addColumn<QByteArray>("historique");
        QTest::addColumn<QString>("compteurs");
        QTest::addColumn<QString>("ligne");
        QTest::addColumn<bool>("offertApres"); // with 2 successes needed
        QTest::newRow("apostrophe") << "l#apo#eau.wav" << QByteArray("l'eau|2\r\n") << "2-0"
                                    << "l#apo#eau : leau" << true;
        QTest::newRow("question mark") << "quoi#int#.wav" << QByteArray("quoi?|3\r\n") << "3-0"
                                       << "quoi#int# : leau" << true;
        QTest::newRow("pound inside one answer")
            << "5#liv#.wav" << QByteArray("5\xA3|2\r\n") << "2-0"
            << "5#liv# : leau" << true;
        QTest::newRow("alternatives: never left out, history untouched")
            << QString::fromUtf8("Ecole£École.wav") << QByteArray("ecole|2\r\n") << "2"
            << "Ecole     \u00c9cole : leau" << true;
    }
    void echecSurUnNomCode() {
        QFETCH(QString, fichierSon);
        QFETCH(QByteArray, historique);
        QFETCH(QString, compteurs);
        QFETCH(QString, ligne);
        QFETCH(bool, offertApres);
        EnvironnementTest env;
        PreparerPaul(env, historique);
        Etat.ReponsesNecessaires = 2;
        QCOMPARE(LigneApresReponseFausse(Bilans(), {}, fichierSon, "leau", 1), ligne);
        QCOMPARE(Etat.ListeReussites.first().Compteurs, compteurs);
        QCOMPARE(ItemARetravailler(fichierSon), offertApres);
    }

    // Control characters pasted into the answer field are written "?", like any character the
    // code page cannot hold: a typed answer never ends a record line or starts a forged one.
    void caracteresDeControle_data() {
        QTest::addColumn<QString>("tape");
        QTest::addColumn<QByteArray>("ecrit");
        QTest::newRow("CR LF and a forged header")
            << "x\r\n07/12/2026 \u00e0 09:00:00 - 1 item"
            << QByteArray("x??07/12/2026 \xE0 09:00:00 - 1 item");
        QTest::newRow("LF") << "a\nb" << QByteArray("a?b");
        QTest::newRow("ESC") << "a\x1b[2Jb" << QByteArray("a?[2Jb");
        QTest::newRow("NUL") << QString("a") + QChar(0) + "b" << QByteArray("a?b");
        QTest::newRow("C1 next line") << "a\u0085b" << QByteArray("a?b");
        QTest::newRow("C1 CSI") << "a\u009bb" << QByteArray("a?b");
        QTest::newRow("line separator") << "a\u2028b" << QByteArray("a?b");
        QTest::newRow("DEL") << "a\x7f"
                                "b"
                             << QByteArray("a?b");
    }
    void caracteresDeControle() {
        QFETCH(QString, tape);
        QFETCH(QByteArray, ecrit);
        EnvironnementTest env;
        PreparerPaul(env, "");
        EcrireOctets(Etat.DossierGroupe + "Paul_Detail.txt", "\xC3\xA9\r\n"); // a UTF-8 file too
        const QString ligne = LigneApresReponseFausse(Bilans(), {}, "chat.wav", tape, 1);
        EcrireReponseJuste(Bilans(), "chat", 4, 2, false,
                           LigneApresReponseFausse(Bilans(), ligne, "chat.wav", tape, 2));
        const QByteArray attendu = "chat : " + ecrit + " - " + ecrit + " [4 s - 2 essais]\r\n";
        QCOMPARE(LireOctets(Etat.FichierJournal), attendu);
        QCOMPARE(LireOctets(Etat.DossierGroupe + "Paul_Detail.txt"),
                 "\xC3\xA9\r\n" + QString::fromLatin1(attendu).toUtf8());
    }

    // A right answer with a pasted line end is right (blanks and controls are trimmed), and its
    // line is still one line.
    void justeAvecFinDeLigneCollee() {
        EnvironnementTest env;
        PreparerPaul(env, "");
        EcrireReponseJuste(Bilans(), "chat\r\n", 4, 1, true, {});
        QCOMPARE(LireOctets(Etat.FichierJournal), QByteArray("chat?? : [4 s - 1 essai]\r\n"));
        QCOMPARE(Etat.ListeReussites.first().Cle, QStringLiteral("chat"));
    }
};

QTEST_GUILESS_MAIN(TstItemsExercice)
#include "tst_itemsexercice.moc"
