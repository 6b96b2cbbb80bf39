// Reading back single lines of the exercise summary and the detail record: every form the
// program writes, and what hand edits, crashes and other programs leave instead.

#include "core/progress/LecturesBilan.h"

#include <QTest>

Q_DECLARE_METATYPE(SorteDetail)

namespace {

// Records read on 09/12/2026: dates from 01/01/2000 to 09/12/2027 are readable.
const PlageDates plage = PlageVraisemblable(QDate(2026, 12, 9));

} // namespace

class TstLecturesBilan : public QObject {
    Q_OBJECT
private slots:
    void resume_data() {
        QTest::addColumn<QString>("ligne");
        QTest::addColumn<bool>("lisible");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<bool>("termine");
        QTest::addColumn<int>("score");
        QTest::addColumn<int>("maxi");
        QTest::addColumn<QString>("dossier");
        const QDate d(2026, 12, 7);
        QTest::newRow("terminé") << "07/12/2026 | Terminé    |    8 /  10 | Animaux" << true << d
                                 << true << 8 << 10 << "Animaux";
        QTest::newRow("interrompu") << "08/12/2026 | Interrompu |   15 /  50 | Les fruits" << true
                                    << QDate(2026, 12, 8) << false << 15 << 50 << "Les fruits";
        QTest::newRow("score à 4 chiffres") << "07/12/2026 | Terminé    | 1000 /1000 | Tout" << true
                                            << d << true << 1000 << 1000 << "Tout";
        QTest::newRow("dossier avec une barre") << "07/12/2026 | Terminé    |    5 /   5 | A | B"
                                                << true << d << true << 5 << 5 << "A | B";
        QTest::newRow("jour et mois courts") << "7/2/2026 | Terminé    |    5 /   5 | A" << true
                                             << QDate(2026, 2, 7) << true << 5 << 5 << "A";
        QTest::newRow("casse de l'état")
            << "07/12/2026 | TERMINÉ |  5 / 5 | A" << true << d << true << 5 << 5 << "A";
        QTest::newRow("sans dossier")
            << "07/12/2026 | Terminé    |    5 /   5" << true << d << true << 5 << 5 << "";
        QTest::newRow("état inconnu") << "07/12/2026 | Fini       |    5 /   5 | A" << false
                                      << QDate() << false << 0 << 0 << "";
        QTest::newRow("score pas un nombre") << "07/12/2026 | Terminé    |   dix /  10 | A" << false
                                             << QDate() << false << 0 << 0 << "";
        QTest::newRow("score négatif") << "07/12/2026 | Terminé    |   -5 /  10 | A" << false
                                       << QDate() << false << 0 << 0 << "";
        QTest::newRow("score au-dessus du maximum") << "07/12/2026 | Terminé    |   15 /  10 | A"
                                                    << false << QDate() << false << 0 << 0 << "";
        QTest::newRow("maximum nul") << "07/12/2026 | Interrompu |    0 /   0 | A" << false
                                     << QDate() << false << 0 << 0 << "";
        QTest::newRow("nombre démesuré")
            << "07/12/2026 | Terminé    | 99999999999 / 99999999999 | A" << false << QDate()
            << false << 0 << 0 << "";
        QTest::newRow("date impossible") << "31/02/2026 | Terminé    |    5 /  10 | A" << false
                                         << QDate() << false << 0 << 0 << "";
        QTest::newRow("an 1") << "01/01/0001 | Terminé    |    5 /  10 | A" << false << QDate()
                              << false << 0 << 0 << "";
        QTest::newRow("an 2999") << "01/01/2999 | Terminé    |    5 /  10 | A" << false << QDate()
                                 << false << 0 << 0 << "";
        QTest::newRow("veille de l'an 2000") << "31/12/1999 | Terminé    |    5 /  10 | A" << false
                                             << QDate() << false << 0 << 0 << "";
        QTest::newRow("premier jour de l'an 2000")
            << "01/01/2000 | Terminé    |    5 /  10 | A" << true << QDate(2000, 1, 1) << true << 5
            << 10 << "A";
        QTest::newRow("un an après aujourd'hui")
            << "09/12/2027 | Terminé    |    5 /  10 | A" << true << QDate(2027, 12, 9) << true << 5
            << 10 << "A";
        QTest::newRow("plus d'un an après aujourd'hui")
            << "10/12/2027 | Terminé    |    5 /  10 | A" << false << QDate() << false << 0 << 0
            << "";
        QTest::newRow("date absente")
            << " | Terminé    |    5 /  10 | A" << false << QDate() << false << 0 << 0 << "";
        QTest::newRow("coupée après l'état")
            << "07/12/2026 | Terminé    |" << false << QDate() << false << 0 << 0 << "";
        QTest::newRow("coupée dans le score")
            << "07/12/2026 | Terminé    |    8 /" << false << QDate() << false << 0 << 0 << "";
        QTest::newRow("texte quelconque")
            << "Paul a bien travaillé" << false << QDate() << false << 0 << 0 << "";
    }
    void resume() {
        QFETCH(QString, ligne);
        QFETCH(bool, lisible);
        ExerciceResume e;
        QCOMPARE(LireLigneResume(ligne, e, plage), lisible);
        if (!lisible)
            return;
        QFETCH(QDate, date);
        QFETCH(bool, termine);
        QFETCH(int, score);
        QFETCH(int, maxi);
        QFETCH(QString, dossier);
        QCOMPARE(e.Date, date);
        QCOMPARE(e.Termine, termine);
        QCOMPARE(e.Score, score);
        QCOMPARE(e.Maxi, maxi);
        QCOMPARE(e.Dossier, dossier);
    }

    void detail_data() {
        QTest::addColumn<QString>("ligne");
        QTest::addColumn<SorteDetail>("sorte");
        QTest::addColumn<QString>("texte"); // Attendu, Reponse or Dossier
        QTest::addColumn<int>("essais");
        QTest::addColumn<int>("colle");
        using S = SorteDetail;
        QTest::newRow("en-tête") << "07/12/2026 à 14:03:27 - 2 items - Exercice sur [Animaux]"
                                 << S::EnTete << "Animaux" << 0 << -1;
        QTest::newRow("en-tête d'un item")
            << "07/12/2026 à 14:03:27 - 1 item - Exercice sur [A]" << S::EnTete << "A" << 0 << -1;
        QTest::newRow("en-tête, dossier à crochets")
            << "07/12/2026 à 14:03:27 - 1 item - Exercice sur [Les [vrais] mots]" << S::EnTete
            << "Les [vrais] mots" << 0 << -1;
        QTest::newRow("en-tête, dossier nommé comme une fin de ligne")
            << "07/12/2026 à 14:03:27 - 2 items - Exercice sur [Dictée : 3 essais]" << S::EnTete
            << "Dictée : 3 essais" << 0 << -1;
        QTest::newRow("en-tête sans nombre")
            << "07/12/2026 à 14:03:27 - items - Exercice sur [A]" << S::Illisible << "" << 0 << -1;
        // Damaged headers: the word without its number, or no number and no word at all.
        QTest::newRow("en-tête sans nombre, un item")
            << "07/12/2026 à 14:03:27 - item - Exercice sur [A]" << S::Illisible << "" << 0 << -1;
        QTest::newRow("en-tête sans nombre ni mot")
            << "07/12/2026 à 14:03:27 - Exercice sur [A]" << S::Illisible << "" << 0 << -1;
        QTest::newRow("en-tête en l'an 1") << "01/01/0001 à 14:03:27 - 2 items - Exercice sur [A]"
                                           << S::Illisible << "" << 0 << -1;
        QTest::newRow("en-tête en 2999") << "31/12/2999 à 14:03:27 - 2 items - Exercice sur [A]"
                                         << S::Illisible << "" << 0 << -1;
        QTest::newRow("en-tête collé en 2999")
            << "chat : c01/01/2999 à 09:00:00 - 1 item - Exercice sur [A]" << S::Illisible << ""
            << 0 << -1;
        QTest::newRow("en-tête à date impossible")
            << "32/12/2026 à 14:03:27 - 2 items - Exercice sur [A]" << S::Illisible << "" << 0
            << -1;
        QTest::newRow("juste") << "chat : [4 s - 1 essai]" << S::Juste << "chat" << 1 << -1;
        QTest::newRow("juste déjà tenté")
            << "chien : [3 s - 1 essai (déjà tenté)]" << S::Juste << "chien" << 1 << -1;
        QTest::newRow("juste, réponse à deux-points")
            << "a : b : [1 h 2 min 3 s - 1 essai]" << S::Juste << "a : b" << 1 << -1;
        QTest::newRow("juste, durée abîmée")
            << "chat : [4 secondes - 1 essai]" << S::Illisible << "" << 0 << -1;
        QTest::newRow("ratée") << "chien : chein - chiein [1 min 5 s - 3 essais]" << S::Ratee
                               << "chien" << 3 << -1;
        QTest::newRow("ratée, codes et variantes")
            << "l#apo#eau     l#apo#o : lo [7 s - 2 essais]" << S::Ratee << "l#apo#eau     l#apo#o"
            << 2 << -1;
        QTest::newRow("ratée, réponse vide")
            << "chat : ... [1 h 0 s - 2 essais]" << S::Ratee << "chat" << 2 << -1;
        QTest::newRow("ratée, réponse à crochets")
            << "chat : [x] - [y [9 s - 4 essais]" << S::Ratee << "chat" << 4 << -1;
        QTest::newRow("fin d'une ligne juste seule")
            << " - 1 essai (déjà tenté)]" << S::Illisible << "" << 0 << -1;
        QTest::newRow("ratée en un essai")
            << "chat : chta [4 s - 1 essais]" << S::Illisible << "" << 0 << -1;
        QTest::newRow("ratée, essais pas un nombre")
            << "chat : chta [4 s - trois essais]" << S::Illisible << "" << 0 << -1;
        QTest::newRow("ratée sans attendu")
            << " : chta [4 s - 2 essais]" << S::Illisible << "" << 0 << -1;
        QTest::newRow("ligne ouverte")
            << "chien : chein - chiein" << S::Ouverte << "chien" << 0 << -1;
        QTest::newRow("temps") << "Temps exercice : 1 min 12 s." << S::Temps << "" << 0 << -1;
        QTest::newRow("temps abîmé")
            << "Temps exercice : beaucoup." << S::Illisible << "" << 0 << -1;
        QTest::newRow("score") << "Score : 8/10." << S::Score << "" << 0 << -1;
        QTest::newRow("score pas un nombre") << "Score : huit/10." << S::Illisible << "" << 0 << -1;
        QTest::newRow("interruption")
            << "Exercice interrompu après 2 min 3 s." << S::Interruption << "" << 0 << -1;
        QTest::newRow("règle") << QString(68, u'-') << S::Regle << "" << 0 << -1;
        QTest::newRow("vide") << "" << S::Vide << "" << 0 << -1;
        QTest::newRow("blancs") << "   \t" << S::Vide << "" << 0 << -1;
        QTest::newRow("blancs en fin")
            << "chat : [4 s - 1 essai]  " << S::Juste << "chat" << 1 << -1;
        QTest::newRow("texte quelconque")
            << "Paul a bien travaillé" << S::Illisible << "" << 0 << -1;
        // A crash left "chien : chein" without its end; the next run's header followed it.
        QTest::newRow("en-tête collé à une ligne coupée")
            << "chien : chein08/12/2026 à 09:00:00 - 3 items - Exercice sur [Fruits]" << S::EnTete
            << "Fruits" << 0 << 13;
        QTest::newRow("en-tête collé à des chiffres")
            << "chat : 1208/12/2026 à 09:00:00 - 3 items - Exercice sur [Fruits]" << S::EnTete
            << "Fruits" << 0 << 9;
        QTest::newRow("deux en-têtes collés")
            << "chat : c07/12/2026 à 09:00:00 - 1 item - Exercice sur [A]08/12/2026 à 10:00:00 - "
               "2 items - Exercice sur [B]"
            << S::EnTete << "B" << 0 << 57;
        QTest::newRow("crochet final sans en-tête")
            << "on verra [plus tard]" << S::Illisible << "" << 0 << -1;
    }
    void detail() {
        QFETCH(QString, ligne);
        QFETCH(SorteDetail, sorte);
        QFETCH(QString, texte);
        QFETCH(int, essais);
        QFETCH(int, colle);
        const LigneDetail l = LireLigneDetail(ligne, plage);
        QCOMPARE(l.Sorte, sorte);
        QCOMPARE(l.EnTeteColle, qsizetype(colle));
        QCOMPARE(l.Essais, essais);
        switch (sorte) {
        case SorteDetail::EnTete:
            QCOMPARE(l.Dossier.toString(), texte);
            QVERIFY(l.Date.isValid());
            break;
        case SorteDetail::Juste:
            QCOMPARE(l.Reponse.toString(), texte);
            break;
        case SorteDetail::Ratee:
        case SorteDetail::Ouverte:
            QCOMPARE(l.Attendu.toString(), texte);
            break;
        default:
            break;
        }
    }

    void duree_data() {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<bool>("valide");
        QTest::newRow("secondes") << "0 s" << true;
        QTest::newRow("minutes") << "1 min 5 s" << true;
        QTest::newRow("heures") << "1 h 0 s" << true;
        QTest::newRow("tout") << "2 h 3 min 4 s" << true;
        QTest::newRow("sans secondes") << "1 min" << false;
        QTest::newRow("ordre inversé") << "3 min 1 h 4 s" << false;
        QTest::newRow("unité inconnue") << "4 sec" << false;
        QTest::newRow("nombre absent") << "min 4 s" << false;
        QTest::newRow("vide") << "" << false;
        QTest::newRow("suite après les secondes") << "4 s 5 s" << false;
    }
    void duree() {
        QFETCH(QString, texte);
        QFETCH(bool, valide);
        QCOMPARE(DureeValide(texte), valide);
    }
};

QTEST_APPLESS_MAIN(TstLecturesBilan)
#include "tst_lecturesbilan.moc"
