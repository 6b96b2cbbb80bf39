// The exercise session on its own, without a window: points in play, score, item states, the
// two clocks, what each answer leads to, and the records a whole exercise leaves.

#include "Doubles.h"
#include "core/Etat.h"
#include "core/exercise/SessionExercice.h"
#include "core/records/FichiersEleve.h"
#include "core/records/Reussites.h"

#include <QDir>
#include <QTest>

namespace {

// What the program writes to: the pupil and journal the test set, on the folder it chose.
BilansExercice Bilans() {
    return BilansExercice::DuProgramme(Etat.Choix.DossierExercice);
}

// Paul of CM1 with his files and a journal; `items` in the folder Animaux, which is opened.
QString Preparer(EnvironnementTest& env, const QStringList& items,
                 const QByteArray& historique = {}) {
    PreparerPaulDeCM1(env, historique);
    QDir().mkpath(Etat.Choix.DossierExercice);
    for (const QString& i : items)
        EcrireOctets(Etat.Choix.DossierExercice + "/" + i, "RIFF");
    ChargerReussites();
    Etat.Exercice.Ouvrir(Etat.Choix.DossierExercice, Bilans());
    return Etat.Choix.DossierExercice;
}

QString Lettres() {
    QString r;
    for (const ItemExercice& i : Etat.Exercice.Items())
        r += LettreEtat(i.Etat);
    return r;
}

QByteArray Detail() {
    return LireOctets(Etat.DossierGroupe + "Paul_Detail.txt");
}

// The right answer to the current item: its name without the extension.
QString Juste() {
    return Etat.Exercice.ItemCourant().chopped(4);
}

QByteArray regle() {
    return QByteArray(68, '-') + "\r\n";
}

} // namespace

class TstSessionExercice : public QObject {
    Q_OBJECT
private slots:
    // Points in play, score and states along the answers to the first item, "chat" beside
    // "chien". "j" right, "f" wrong.
    void pointsEtEtats_data() {
        QTest::addColumn<QString>("reponses");
        QTest::addColumn<QList<int>>("points"); // in play after each wrong answer
        QTest::addColumn<int>("score");
        QTest::addColumn<QString>("etats");
        QTest::addColumn<int>("premierEssai");
        QTest::newRow("right at once") << "j" << QList<int>{} << 5 << "ON" << 1;
        QTest::newRow("right at the second attempt") << "fj" << QList<int>{3} << 3 << "RN" << 0;
        QTest::newRow("right at the third") << "ffj" << QList<int>{3, 2} << 2 << "RN" << 0;
        QTest::newRow("right at the fourth") << "fffj" << QList<int>{3, 2, 1} << 1 << "RN" << 0;
        QTest::newRow("no points left from the fifth")
            << "ffffj" << QList<int>{3, 2, 1, 0} << 0 << "RN" << 0;
        QTest::newRow("wrong answers only")
            << "fffff" << QList<int>{3, 2, 1, 0, 0} << 0 << "NN" << 0;
    }
    void pointsEtEtats() {
        QFETCH(QString, reponses);
        QFETCH(QList<int>, points);
        QFETCH(int, score);
        QFETCH(QString, etats);
        QFETCH(int, premierEssai);
        EnvironnementTest env;
        Preparer(env, {"chat.wav", "chien.wav"});
        QVERIFY(Etat.Exercice.Commencer());
        QCOMPARE(Etat.Exercice.ItemCourant(), QStringLiteral("chat.wav"));
        QCOMPARE(Etat.Exercice.PointsEnJeu(), 5);
        QList<int> vus;
        for (const QChar r : reponses)
            if (!Etat.Exercice.Repondre(r == u'j' ? QStringLiteral("chat") : QStringLiteral("chta"))
                     .Juste)
                vus.append(Etat.Exercice.PointsEnJeu());
        QCOMPARE(vus, points);
        QCOMPARE(Etat.Exercice.Score(), score);
        QCOMPARE(Lettres(), etats);
        QCOMPARE(Etat.Exercice.ReussisPremierEssai(), premierEssai);
        QCOMPARE(Etat.Exercice.ScoreMaxi(), 10);
    }

    // An item that came back is worth one point, and loses it at the first wrong answer.
    void itemRepris_data() {
        QTest::addColumn<QString>("reponses"); // on the item's second drawing
        QTest::addColumn<int>("score");
        QTest::addColumn<QString>("etat");
        QTest::addColumn<QByteArray>("ligne");
        QTest::newRow("right at once")
            << "j" << 4 << "O" << QByteArray("chat : [0 s - 1 essai (d\xe9j\xe0 tent\xe9)]\r\n");
        QTest::newRow("wrong then right")
            << "fj" << 3 << "R" << QByteArray("chat : chta [0 s - 2 essais]\r\n");
    }
    void itemRepris() {
        QFETCH(QString, reponses);
        QFETCH(int, score);
        QFETCH(QString, etat);
        QFETCH(QByteArray, ligne);
        EnvironnementTest env;
        Preparer(env, {"chat.wav"}, "chat|2\r\n");
        QVERIFY(Etat.Exercice.Commencer());
        Etat.Exercice.Repondre("chta");
        Etat.Exercice.Repondre("chat"); // 3 points, back for another round
        QCOMPARE(Etat.Exercice.ItemCourant(), QStringLiteral("chat.wav"));
        QCOMPARE(Etat.Exercice.PointsEnJeu(), 1);
        const QByteArray avant = Detail();
        for (const QChar r : reponses) {
            const Verdict v =
                Etat.Exercice.Repondre(r == u'j' ? QStringLiteral("chat") : QStringLiteral("chta"));
            if (!v.Juste)
                QCOMPARE(Etat.Exercice.PointsEnJeu(), 0);
        }
        QCOMPARE(Etat.Exercice.Score(), score);
        QCOMPARE(Lettres(), etat);
        QCOMPARE(Detail().mid(avant.size()), ligne);
        // Only the first attempt of the first drawing touched the history: a failure.
        QCOMPARE(Etat.ListeReussites.first().Compteurs, QStringLiteral("2-0"));
    }

    void correctionSelonLEssai_data() {
        QTest::addColumn<int>("essai");
        QTest::addColumn<Correction>("correction");
        QTest::newRow("first") << 1 << Correction::EssaieEncore;
        QTest::newRow("second") << 2 << Correction::ModeleFugace;
        QTest::newRow("third") << 3 << Correction::ModeleAObserver;
        QTest::newRow("fourth") << 4 << Correction::ModeleQuiReste;
        QTest::newRow("ninth") << 9 << Correction::ModeleQuiReste;
    }
    void correctionSelonLEssai() {
        QFETCH(int, essai);
        QFETCH(Correction, correction);
        EnvironnementTest env;
        Preparer(env, {QString::fromUtf8("l#apo#eau£L#apo#EAU.wav")});
        QVERIFY(Etat.Exercice.Commencer());
        Verdict v;
        for (int i = 0; i < essai; ++i)
            v = Etat.Exercice.Repondre("leau");
        QVERIFY(!v.Juste);
        QCOMPARE(v.Essai, essai);
        QCOMPARE(v.Montrer, correction);
        QCOMPARE(v.Modele, QString::fromUtf8("l'eau     L'EAU"));
    }

    // The item clock runs from the first listen to the right answer; the exercise clock holds
    // the items done, each counted once, and the item left when the exercise is.
    void horloges() {
        EnvironnementTest env;
        Preparer(env, {"chat.wav", "chien.wav"});
        QVERIFY(Etat.Exercice.Commencer());
        Etat.Exercice.CompterUneSeconde(); // before the first listen: not counted
        QCOMPARE(Etat.Exercice.TempsAffiche(), 0);
        QVERIFY(Etat.Exercice.Ecouter());
        QVERIFY(!Etat.Exercice.Ecouter()); // listening again changes nothing
        for (int i = 0; i < 7; ++i)
            Etat.Exercice.CompterUneSeconde();
        Etat.Exercice.Repondre("xyz");
        Etat.Exercice.CompterUneSeconde(); // a wrong answer leaves it running
        QCOMPARE(Etat.Exercice.TempsItem(), 8);
        QVERIFY(Etat.Exercice.Repondre(Juste()).Juste);
        QVERIFY(!Etat.Exercice.HorlogeEnMarche());
        Etat.Exercice.CompterUneSeconde(); // between an answer and the next listen
        QCOMPARE(Etat.Exercice.TempsTotal(), 8);
        QCOMPARE(Etat.Exercice.TempsAffiche(), 8);
        QVERIFY(Etat.Exercice.Ecouter());
        for (int i = 0; i < 4; ++i)
            Etat.Exercice.CompterUneSeconde();
        QCOMPARE(Etat.Exercice.TempsAffiche(), 12);
        Etat.Exercice.Interrompre();
        QCOMPARE(Etat.Exercice.TempsTotal(), 12);
        QVERIFY(!Etat.Exercice.HorlogeEnMarche());
        QVERIFY(Detail().endsWith("Exercice interrompu apr\xe8s 12 s.\r\n" + QByteArray(68, '-') +
                                  "\r\n"));
    }

    // The exercise of the records' own example, answer by answer, and the lines it leaves.
    void exerciceEntier() {
        EnvironnementTest env;
        Preparer(env, {"chat.wav", "chien.wav"}, "chien|2\r\n");
        // chat, then chien twice (the second time it came back)
        env.Hasard.Tirages = {0, 0, 0};
        QVERIFY(Etat.Exercice.Commencer());
        Etat.Exercice.Ecouter();
        for (int i = 0; i < 4; ++i)
            Etat.Exercice.CompterUneSeconde();
        QVERIFY(Etat.Exercice.Repondre("chat").Juste);
        QCOMPARE(Etat.Exercice.ItemCourant(), QStringLiteral("chien.wav"));
        Etat.Exercice.Ecouter();
        for (int i = 0; i < 65; ++i)
            Etat.Exercice.CompterUneSeconde();
        QVERIFY(!Etat.Exercice.Repondre("chein").Juste);
        QVERIFY(!Etat.Exercice.Repondre("chiein").Juste);
        const Verdict v = Etat.Exercice.Repondre("chien");
        QVERIFY(v.Juste && !v.Termine);
        Etat.Exercice.Ecouter();
        for (int i = 0; i < 3; ++i)
            Etat.Exercice.CompterUneSeconde();
        QVERIFY(Etat.Exercice.Repondre("chien").Termine);
        QVERIFY(Etat.Exercice.ItemCourant().isEmpty());
        Etat.Exercice.Terminer();

        QCOMPARE(Etat.Exercice.Score(), 8);
        // chat, and chien when it came back: both right at the first attempt of a drawing.
        QCOMPARE(Etat.Exercice.ReussisPremierEssai(), 2);
        const QByteArray corps = "chat : [4 s - 1 essai]\r\n"
                                 "chien : chein - chiein [1 min 5 s - 3 essais]\r\n"
                                 "chien : [3 s - 1 essai (d\xe9j\xe0 tent\xe9)]\r\n"
                                 "\r\n"
                                 "Temps exercice : 1 min 12 s.\r\n"
                                 "Score : 8/10.\r\n" +
                                 QByteArray(68, '-') + "\r\n";
        const QByteArray entete = "07/12/2026 \xe0 14:03:27 - 2 items - Exercice sur [Animaux]\r\n";
        QCOMPARE(Detail(), entete + corps);
        QCOMPARE(LireOctets(Etat.FichierJournal), QByteArray(68, '-') + "\r\n" + entete + corps);
        QCOMPARE(LireOctets(Etat.DossierGroupe + "Paul_Exos.txt"),
                 QByteArray("07/12/2026 | Termin\xe9    |    8 /  10 | Animaux\r\n"));
        QCOMPARE(Etat.Exercice.QuestionFin(),
                 QString::fromUtf8("Bravo Paul ! Exercice terminé en 1 min 12 s,\navec un score "
                                   "de 8 points.\n\nVeux-tu en sélectionner un autre ?"));
        // chat counted a success, chien's first attempt a failure.
        EnregistrerReussites();
        QCOMPARE(LireOctets(Etat.DossierGroupe + "Paul.txt"),
                 QByteArray("chien|2-0\r\nchat|1\r\n"));
    }

    // A folder with nothing left to work: no item, no header, and the counts at zero.
    void dossierSansItem_data() {
        QTest::addColumn<QStringList>("fichiers");
        QTest::addColumn<QByteArray>("historique");
        QTest::addColumn<int>("dossier");
        QTest::newRow("empty folder") << QStringList{} << QByteArray() << 0;
        QTest::newRow("no sound") << QStringList{"notes.txt"} << QByteArray() << 0;
        QTest::newRow("all mastered")
            << QStringList{"chat.wav", "CHIEN.WAV"} << QByteArray("chat|3\r\nchien|1-3\r\n") << 2;
    }
    void dossierSansItem() {
        QFETCH(QStringList, fichiers);
        QFETCH(QByteArray, historique);
        QFETCH(int, dossier);
        EnvironnementTest env;
        Etat.ReponsesNecessaires = 3;
        Preparer(env, fichiers, historique);
        QVERIFY(!Etat.Exercice.Commencer());
        QCOMPARE(Etat.Exercice.NbItems(), 0);
        QCOMPARE(Etat.Exercice.NbItemsDossier(), dossier);
        QCOMPARE(Etat.Exercice.ScoreMaxi(), 0);
        QVERIFY(Etat.Exercice.ItemCourant().isEmpty());
        QCOMPARE(LireOctets(Etat.FichierJournal), QByteArray());
        // Leaving it still says it was left, with a score of 0 out of 0.
        Etat.Exercice.Interrompre();
        QVERIFY(LireOctets(Etat.DossierGroupe + "Paul_Exos.txt").contains(" |    0 /   0 | "));
    }

    // The item-count choice keeps the list as it is, or cuts it to the count drawn.
    void nombreGarde_data() {
        QTest::addColumn<int>("nombre");
        QTest::addColumn<QStringList>("attendu");
        const QStringList tous = {"a.wav", "b.wav", "c.wav", "d.wav", "e.wav", "f.wav"};
        QTest::newRow("all") << 6 << tous;
        QTest::newRow("more than on offer") << 10 << tous;
        QTest::newRow("four, drawn in order")
            << 4 << QStringList{"f.wav", "a.wav", "e.wav", "b.wav"};
    }
    void nombreGarde() {
        QFETCH(int, nombre);
        QFETCH(QStringList, attendu);
        EnvironnementTest env;
        Preparer(env, {"a.wav", "b.wav", "c.wav", "d.wav", "e.wav", "f.wav"});
        env.Hasard.Tirages = {5, 0, 3, 0};
        Etat.Exercice.GarderItemsTires(nombre);
        QStringList noms;
        for (const ItemExercice& i : Etat.Exercice.Items())
            noms.append(i.Nom);
        QCOMPARE(noms, attendu);
        QCOMPARE(Lettres(), QString(attendu.size(), u'N'));
        QCOMPARE(Etat.Exercice.NbItemsDossier(), 6);
        QCOMPARE(Etat.Exercice.ScoreMaxi(), attendu.size() * 5);
    }

    void propositionDuBilan_data() {
        QTest::addColumn<bool>("impression");
        QTest::addColumn<QString>("eleve");
        QTest::addColumn<bool>("propose");
        QTest::newRow("named pupil, printing allowed") << true << "Paul" << true;
        QTest::newRow("printing forbidden") << false << "Paul" << false;
        QTest::newRow("visitor") << true << "" << false;
    }
    void propositionDuBilan() {
        QFETCH(bool, impression);
        QFETCH(QString, eleve);
        QFETCH(bool, propose);
        EnvironnementTest env;
        Etat.ImpressionAutorisee = impression;
        Etat.NomEleve = eleve;
        QCOMPARE(Etat.Exercice.ProposerBilan(), propose);
    }

    // An exercise is in progress from its opening, with or without items, until it is done or
    // left: a program ending meanwhile must record the interruption, and only then.
    void enCours_data() {
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<QString>("fin"); // "", "terminer" or "interrompre"
        QTest::addColumn<bool>("attendu");
        QTest::newRow("opened") << QStringList{"chat.wav"} << "" << true;
        QTest::newRow("opened without item") << QStringList{} << "" << true;
        QTest::newRow("done") << QStringList{"chat.wav"} << "terminer" << false;
        QTest::newRow("left") << QStringList{"chat.wav"} << "interrompre" << false;
        QTest::newRow("left without item") << QStringList{} << "interrompre" << false;
    }
    void enCours() {
        QFETCH(QStringList, items);
        QFETCH(QString, fin);
        QFETCH(bool, attendu);
        EnvironnementTest env;
        QVERIFY(!Etat.Exercice.EnCours()); // a fresh program has none
        Preparer(env, items);
        Etat.Exercice.Commencer();
        if (fin == u"terminer") {
            Etat.Exercice.Ecouter();
            QVERIFY(Etat.Exercice.Repondre(Juste()).Termine);
            QVERIFY(Etat.Exercice.EnCours()); // the last answer alone does not end it
            Etat.Exercice.Terminer();
        } else if (fin == u"interrompre") {
            Etat.Exercice.Interrompre();
        }
        QCOMPARE(Etat.Exercice.EnCours(), attendu);
    }

    // A new exercise starts from nothing, whatever the last one left.
    void ouvrirRepartDeZero() {
        EnvironnementTest env;
        const QString dossier = Preparer(env, {"chat.wav", "chien.wav"});
        QVERIFY(Etat.Exercice.Commencer());
        Etat.Exercice.Ecouter();
        Etat.Exercice.CompterUneSeconde();
        Etat.Exercice.Repondre("xyz");
        Etat.Exercice.Repondre(Juste());
        Etat.Exercice.Ouvrir(dossier, BilansExercice::DuProgramme(dossier));
        QCOMPARE(Etat.Exercice.Score(), 0);
        QCOMPARE(Etat.Exercice.TempsAffiche(), 0);
        QCOMPARE(Etat.Exercice.Essais(), 0);
        QCOMPARE(Etat.Exercice.PointsEnJeu(), 5);
        QCOMPARE(Lettres(), QStringLiteral("NN"));
        QVERIFY(!Etat.Exercice.HorlogeEnMarche());
    }

    // A missed item's line is kept by the session while the pupil retries, and written whole:
    // at the right answer, or at an interruption, where it ends before "Exercice interrompu"
    // with no empty line between. A second interruption does not write it again.
    void ligneOuverteGardeeJusquAuBout_data() {
        QTest::addColumn<QStringList>("fautes");
        QTest::addColumn<QByteArray>("fin");
        const QByteArray regle = QByteArray(68, '-') + "\r\n";
        QTest::newRow("two wrong answers, then interrupted")
            << QStringList{"zzz", ""}
            << "chat : zzz - ...\r\nExercice interrompu apr\xe8s 3 s.\r\n" + regle;
        QTest::newRow("interrupted before any answer")
            << QStringList{} << "\r\nExercice interrompu apr\xe8s 3 s.\r\n" + regle;
    }
    void ligneOuverteGardeeJusquAuBout() {
        QFETCH(QStringList, fautes);
        QFETCH(QByteArray, fin);
        EnvironnementTest env;
        Preparer(env, {"chat.wav"});
        QVERIFY(Etat.Exercice.Commencer());
        const QByteArray entete = Detail();
        Etat.Exercice.Ecouter();
        for (int i = 0; i < 3; ++i)
            Etat.Exercice.CompterUneSeconde();
        for (const QString& f : fautes)
            QVERIFY(!Etat.Exercice.Repondre(f).Juste);
        QCOMPARE(Detail(), entete); // nothing of the open line on disk yet
        QCOMPARE(Etat.Exercice.LigneOuverte().isEmpty(), fautes.isEmpty());
        Etat.Exercice.Interrompre();
        QCOMPARE(Detail(), entete + fin);
        QCOMPARE(LireOctets(Etat.FichierJournal), regle() + entete + fin);
        QVERIFY(Etat.Exercice.LigneOuverte().isEmpty());
        Etat.Exercice.Interrompre();
        QCOMPARE(Detail().count("chat : zzz"), fautes.isEmpty() ? 0 : 1);
    }

    // An exercise folder copied from a Mac spells its accents in two characters: the answer
    // typed here is still right, and the records get the composed letters.
    void accentsDecomposes_data() {
        QTest::addColumn<QString>("fichier");
        QTest::addColumn<QString>("tape");
        QTest::addColumn<bool>("juste");
        QTest::addColumn<QByteArray>("ligne"); // what the answer leaves, for a wrong one its open
                                               // line as the interruption writes it
        const QString nfd = QString::fromUtf8("e\u0301le\u0300ve.wav");
        QTest::newRow("composed answer, decomposed name")
            << nfd << QString::fromUtf8("élève") << true
            << QByteArray("\xe9l\xe8ve : [0 s - 1 essai]\r\n");
        QTest::newRow("decomposed answer, decomposed name")
            << nfd << QString::fromUtf8("e\u0301le\u0300ve") << true
            << QByteArray("\xe9l\xe8ve : [0 s - 1 essai]\r\n");
        QTest::newRow("decomposed answer, composed name")
            << QString::fromUtf8("élève.wav") << QString::fromUtf8(" E\u0301le\u0300ve") << false
            << QByteArray("\xe9l\xe8ve :  \xc9l\xe8ve\r\n");
        QTest::newRow("wrong answer: the expected text composed, not ?")
            << nfd << "eleve" << false << QByteArray("\xe9l\xe8ve : eleve\r\n");
    }
    void accentsDecomposes() {
        QFETCH(QString, fichier);
        QFETCH(QString, tape);
        QFETCH(bool, juste);
        QFETCH(QByteArray, ligne);
        EnvironnementTest env;
        Preparer(env, {fichier});
        QVERIFY(Etat.Exercice.Commencer());
        const QByteArray entete = Detail();
        Etat.Exercice.Ecouter();
        QCOMPARE(Etat.Exercice.Repondre(tape).Juste, juste);
        if (!juste)
            Etat.Exercice.Interrompre();
        QCOMPARE(Detail().mid(entete.size(), ligne.size()), ligne);
        if (juste) {
            // The history key is the one the mastery of this very file looks for.
            EnregistrerReussites();
            QCOMPARE(LireOctets(Etat.DossierGroupe + "Paul.txt"), QByteArray("\xe9l\xe8ve|1\r\n"));
            Etat.ReponsesNecessaires = 1;
            ChargerReussites();
            Etat.Exercice.Ouvrir(Etat.Choix.DossierExercice, Bilans());
            QCOMPARE(Etat.Exercice.NbItems(), 0);
        }
    }
};

QTEST_GUILESS_MAIN(TstSessionExercice)
#include "tst_sessionexercice.moc"
