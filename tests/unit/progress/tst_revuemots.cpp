// The words that come back: the interval rule read from a detail record, the lookup of each
// word's sound below the exercise root, and the review played as an exercise whose records the
// rule reads back.

#include "Doubles.h"
#include "core/Etat.h"
#include "core/FichierTexte.h"
#include "core/exercise/SessionExercice.h"
#include "core/progress/BilanEleve.h"
#include "core/progress/RevueMots.h"
#include "core/records/LignesBilan.h"
#include "core/records/Reussites.h"

#include <QDir>
#include <QTest>

namespace {

const QDate jour0(2026, 3, 2);

// A detail record from a script of exercises, one per event: "day kind word", ";" between
// events. Kinds: R missed, J right at the first attempt, D right "(déjà tenté)", O left open by
// an interruption, V missed in the review, W right in the review. In a word, "£" separates
// alternatives as in a file name; "Fruits/pomme" is missed in Fruits (else in Animaux).
QString Detail(const QString& script) {
    QStringList lignes;
    for (const QString& evenement : script.split(u';', Qt::SkipEmptyParts)) {
        const QStringList p = evenement.trimmed().split(u' ');
        const QString date = jour0.addDays(p.at(0).toInt()).toString(u"dd/MM/yyyy");
        const QChar sorte = p.at(1).at(0);
        const QString mot = p.at(2).section(u'/', -1);
        const QString dossier = p.at(2).contains(u'/') ? p.at(2).section(u'/', 0, 0) : "Animaux";
        const bool revue = sorte == u'V' || sorte == u'W';
        lignes << LigneEnTete(date, "10:00:00", 1, revue ? NomRevue : dossier);
        const QString attendu = TexteAttendu(mot + ".wav");
        const QString tape = mot.section(u'£', 0, 0);
        if (sorte == u'R' || sorte == u'V')
            lignes << DebutLigneRatee(attendu, "xx") + FinLigneRatee("3 s", 2);
        else if (sorte == u'J' || sorte == u'W')
            lignes << LigneJustePremierEssai(tape, "4 s", false);
        else if (sorte == u'D')
            lignes << LigneJustePremierEssai(tape, "4 s", true);
        if (sorte == u'O') {
            QStringList fin = LignesInterruption("5 s");
            fin.first() = DebutLigneRatee(attendu, "xx");
            lignes << fin;
        } else {
            lignes << LignesFinExercice("9 s", "5", "5");
        }
    }
    return lignes.join("\r\n") + "\r\n";
}

QString Cles(const QVector<MotEnRevue>& mots) {
    QStringList r;
    for (const MotEnRevue& m : mots)
        r << QString(m.Cle).replace(u'\n', u'/');
    return r.join(u',');
}

} // namespace

class TstRevueMots : public QObject {
    Q_OBJECT
private slots:
    void regle_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<int>("jour");
        QTest::addColumn<QString>("dus");
        QTest::newRow("a miss is not due the same day") << "0 R chat" << 0 << "";
        QTest::newRow("a miss is due the next day") << "0 R chat" << 1 << "chat";
        QTest::newRow("right at day+1: not before +3") << "0 R chat; 1 J chat" << 3 << "";
        QTest::newRow("right at day+1: back at +3") << "0 R chat; 1 J chat" << 4 << "chat";
        QTest::newRow("right at +3: back at +7") << "0 R chat; 1 J chat; 4 J chat" << 11 << "chat";
        QTest::newRow("right at +7: not before +14")
            << "0 R chat; 1 J chat; 4 J chat; 11 J chat" << 24 << "";
        QTest::newRow("right at +7: back at +14")
            << "0 R chat; 1 J chat; 4 J chat; 11 J chat" << 25 << "chat";
        QTest::newRow("success at 14: gone")
            << "0 R chat; 1 J chat; 4 J chat; 11 J chat; 25 J chat" << 200 << "";
        QTest::newRow("gone, then missed again: back")
            << "0 R chat; 1 J chat; 4 J chat; 11 J chat; 25 J chat; 30 R chat" << 31 << "chat";
        QTest::newRow("missed again restarts at one day")
            << "0 R chat; 1 J chat; 2 R chat" << 3 << "chat";
        QTest::newRow("several misses the same day")
            << "0 R chat; 0 R chat; 0 O chat" << 1 << "chat";
        QTest::newRow("right before its day changes nothing")
            << "0 R chat; 0 J chat; 1 J chat; 2 J chat" << 4 << "chat";
        QTest::newRow("déjà tenté is no success") << "0 R chat; 1 D chat" << 2 << "chat";
        QTest::newRow("a line left open by an interruption is a miss") << "0 O chat" << 1 << "chat";
        QTest::newRow("right in the review counts") << "0 R chat; 1 W chat" << 3 << "";
        QTest::newRow("missed in the review restarts")
            << "0 R chat; 1 J chat; 2 V chat" << 3 << "chat";
        QTest::newRow("right with another accepted answer")
            << "0 R chat£chats; 1 J chats" << 3 << "";
        QTest::newRow("two words, earliest due first")
            << "0 R chien; 0 R chat; 1 J chien; 2 R lapin" << 9 << "chat,lapin,chien";
    }
    void regle() {
        QFETCH(QString, script);
        QFETCH(int, jour);
        QFETCH(QString, dus);
        QCOMPARE(Cles(MotsDus(Detail(script), jour0.addDays(jour))), dus);
    }

    // What a word is found by: the folder and expected text of its last miss outside the
    // review; lines the program cannot have written are skipped.
    void provenance() {
        const QString texte = "garbage line\r\nchien : xx [3 s - 2 essais]\r\n" +
                              Detail("0 R chat£chats; 1 V chat£chats");
        const QVector<MotEnRevue> dus = MotsDus(texte, jour0.addDays(5));
        QCOMPARE(dus.size(), 1); // chien stands before any header: no date, not counted
        QCOMPARE(dus.first().Dossier, QStringLiteral("Animaux"));
        QCOMPARE(dus.first().Attendu, QStringLiteral("chat     chats"));
        QCOMPARE(dus.first().Depuis, jour0.addDays(1));
    }

    void trouver_data() {
        QTest::addColumn<QString>("dossier");
        QTest::addColumn<QString>("attendu");
        QTest::addColumn<QString>("trouve"); // below the root; empty: skipped
        QTest::newRow("in its folder, two levels down")
            << "Animaux" << "chat" << "CP/Animaux/chat.wav";
        QTest::newRow("two folders of that name: the one that holds it")
            << "Animaux" << "chien" << "CE1/Animaux/chien.WAV";
        QTest::newRow("alternatives")
            << "Fruits" << "pomme     pommes" << "Fruits/pomme£pommes.wav";
        QTest::newRow("letter case of folder and sound") << "animaux" << "CHAT"
                                                         << "CP/Animaux/chat.wav";
        QTest::newRow("the answer recorded, the file coded")
            << "Accents" << "l'eau" << "Accents/l#apo#eau.wav";
        QTest::newRow("a spelling added since") << "Deux" << "Étoile" << "Deux/Etoile£Étoile.wav";
        QTest::newRow("sound gone") << "Fruits" << "poire" << "";
        QTest::newRow("folder gone") << "Savane" << "lion" << "";
        QTest::newRow("a folder with a dot is not an exercise") << "Old.Animaux" << "lion" << "";
        QTest::newRow("only ever missed in reviews") << "" << "chat" << "";
    }
    void trouver() {
        QFETCH(QString, dossier);
        QFETCH(QString, attendu);
        QFETCH(QString, trouve);
        EnvironnementTest env;
        const QString racine = env.Programme + "_Medias/";
        for (const char* f : {"CP/Animaux/chat.wav", "CP/Animaux/chat.TXT", "CE1/Animaux/chien.WAV",
                              "Fruits/pomme£pommes.wav", "Fruits/poire.txt", "Old.Animaux/lion.wav",
                              "Accents/l#apo#eau.wav", "Deux/Etoile£Étoile.wav"})
            EcrireOctets(racine + QString::fromUtf8(f), "RIFF");
        MotEnRevue m;
        m.Dossier = dossier;
        m.Attendu = attendu;
        m.Cle = MotDepuisAttendu(attendu).Cle; // as the rule names it
        m.Cles = MotDepuisAttendu(attendu).Cles;
        MotEnRevue autre; // found: counted apart from the one under test
        autre.Dossier = "Fruits";
        autre.Attendu = "pomme     pommes";
        const ItemsRevue items = TrouverItemsRevue({m, autre}, racine);
        if (trouve.isEmpty()) {
            QCOMPARE(items.Absents, 1);
            QCOMPARE(items.Chemins.size(), 1);
        } else {
            QCOMPARE(items.Absents, 0);
            QCOMPARE(items.Chemins.first(), racine + trouve);
        }
    }

    // The review played: each item's sound from its own folder, the records under the
    // review's name, and its first-try success read back by the rule.
    void revueJouee() {
        EnvironnementTest env;
        PreparerPaulDeCM1(env, "chat|1-0\r\n");
        const QString racine = env.Programme + "_Medias/";
        EcrireOctets(racine + "CP/Animaux/chat.wav", "RIFF");
        EcrireOctets(racine + "Fruits/pomme.wav", "RIFF");
        EcrireOctets(Etat.DossierGroupe + "Paul_Detail.txt",
                     Cp1252::Encoder(Detail("0 R chat; 0 R Fruits/pomme; 2 R lapin")));
        env.Horloge.Date = jour0.addDays(3).toString(u"dd/MM/yyyy");

        const ItemsRevue items = PreparerRevue(Etat.DossierGroupe, "Paul", racine, DateDuJour());
        QCOMPARE(items.Chemins.size(), 2);
        QCOMPARE(items.Absents, 1); // lapin's folder Animaux holds no lapin
        QCOMPARE(TexteEntreeRevue(items), QStringLiteral("★ Mes mots à revoir (2 sur 3)"));

        Etat.Choix.DossierExercice = racine + NomRevue;
        ChargerReussites();
        Etat.Exercice.OuvrirListe(items.Chemins,
                                  BilansExercice::DuProgramme(Etat.Choix.DossierExercice));
        QCOMPARE(Etat.Exercice.NbItemsDossier(), 2);
        Etat.Exercice.GarderItemsTires(1); // the draw keeps each item's own folder
        QCOMPARE(Etat.Exercice.NbItems(), 1);
        QVERIFY(items.Chemins.contains(Etat.Exercice.Items().first().Chemin));
        Etat.Exercice.OuvrirListe(items.Chemins,
                                  BilansExercice::DuProgramme(Etat.Choix.DossierExercice));
        env.Hasard.Tirages = {0, 0};
        QVERIFY(Etat.Exercice.Commencer());
        QStringList joues;
        while (!Etat.Exercice.ItemCourant().isEmpty()) {
            joues << Etat.Exercice.CheminItemCourant();
            Etat.Exercice.Repondre(Etat.Exercice.ItemCourant().chopped(4));
        }
        Etat.Exercice.Terminer();
        QCOMPARE(joues, items.Chemins);
        QCOMPARE(Etat.Exercice.Score(), 10);

        const QString detail = DecoderTexte(LireOctets(Etat.DossierGroupe + "Paul_Detail.txt"));
        QVERIFY(detail.contains("14:03:27 - 2 items - Exercice sur [Mes mots à revoir]\r\n"
                                "chat : [0 s - 1 essai]\r\npomme : [0 s - 1 essai]\r\n"));
        QVERIFY(DecoderTexte(LireOctets(Etat.DossierGroupe + "Paul_Exos.txt"))
                    .endsWith("|   10 /  10 | Mes mots à revoir\r\n"));
        // Both answered right at their day: back at +3 from today, not before.
        QCOMPARE(Cles(MotsDus(detail, jour0.addDays(5))), QStringLiteral("lapin"));
        QCOMPARE(Cles(MotsDus(detail, jour0.addDays(6))), QStringLiteral("lapin,chat,pomme"));
    }
};

QTEST_GUILESS_MAIN(TstRevueMots)
#include "tst_revuemots.moc"
