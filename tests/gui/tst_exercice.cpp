// Whole exercises played through the real exercise form, offscreen, with scripted dialogs:
// the records, the history and the journal must come out byte for byte.

#include "BancFenetres.h"
#include "core/Etat.h"
#include "core/records/FichiersEleve.h"
#include "core/records/Reussites.h"
#include "ui/Fenetres.h"
#include "ui/Pilote.h"
#include "ui/dialogs/DialogueAppreciation.h"
#include "ui/exercise/FenetreExercice.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

// A program folder with the folder Animaux holding `items`, and the start form's part
// scripted: pupil `eleve` of CM1 (or a visitor) chooses Animaux.
struct Exercice : BancFenetres {
    QStringList messages; // feedback dialog texts, with their kind

    Exercice(const QStringList& items, const QString& eleve, const QByteArray& historique) {
        QDir().mkpath(Etat.CheminMedias + "Animaux");
        for (const QString& i : items)
            EcrireOctets(Etat.CheminMedias + "Animaux/" + i, "RIFF");
        for (const char* effet : {"juste.wav", "faux.wav", "fin.wav", "quitter.wav"})
            EcrireOctets(env.Programme + effet, "RIFF");
        const QString groupe = Etat.CheminBilans + "CM1/";
        if (!eleve.isEmpty()) {
            EcrireOctets(groupe + eleve + ".txt", historique);
            EcrireOctets(groupe + eleve + "_Detail.txt", "");
            EcrireOctets(groupe + eleve + "_Exos.txt", "");
        }
        Etat.FichierJournal = env.Programme + "Bilan_7.txt";
        EcrireOctets(Etat.FichierJournal, "");
        Etat.PremiereActivation = false;
        modal.Modal.Ajouter("Form2", [this, eleve, groupe](QDialog*) {
            Etat.Choix.Groupe = "CM1";
            Etat.DossierGroupe = groupe;
            Etat.NomEleve = eleve;
            Etat.Choix.DossierExercice = Etat.CheminMedias + "Animaux";
            if (!eleve.isEmpty())
                ChargerReussites();
            return 1;
        });
        modal.Modal.Observateur = [this](QDialog* d) {
            if (auto* m = qobject_cast<DialogueAppreciation*>(d))
                messages.append(m->TypeMessage + ":" + m->TexteMessage);
        };
    }

    void Ecouter(int secondes) {
        QTest::mouseClick(Fenetres::Exercice->bJEcoute, Qt::LeftButton);
        for (int i = 0; i < secondes; ++i)
            Fenetres::Exercice->CompterUneSeconde();
    }
    void Repondre(const QString& texte) {
        Fenetres::Exercice->eSaisie->setText(texte);
        QTest::keyClick(Fenetres::Exercice->eSaisie, Qt::Key_Return);
    }
    QByteArray Fichier(const QString& suffixe) const {
        return LireOctets(Etat.CheminBilans + "CM1/Paul" + suffixe);
    }
};

QByteArray Cp(const char* utf8) {
    return QString::fromUtf8(utf8).toLatin1();
}

} // namespace

class TstExercice : public QObject {
    Q_OBJECT
private slots:
    void exerciceComplet() {
        Exercice ex({"chat.wav", "chien.wav", "Ecole£École.wav"}, "Paul", "chien|2\r\n");
        auto& env = ex.env;
        // chien, chat, chien again, Ecole, Ecole again.
        env.Hasard.Tirages = {1, 0, 0, 0, 0};
        env.Messages.Reponses = {false, false};
        QByteArray journal;
        env.Messages.Observateur = [&](const AppelMessage& a) {
            if (a.Texte.startsWith("Bravo"))
                journal = LireOctets(Etat.FichierJournal);
        };
        Fenetres::Exercice->show();
        Pilote::NouvelExercice();
        QCOMPARE(Fenetres::Exercice->lNoteMaxi->text(), QStringLiteral("15"));
        QCOMPARE(Fenetres::Exercice->lNbItemsTotal->text(), QStringLiteral("3"));
        QCOMPARE(Etat.Exercice.ItemCourant(), QStringLiteral("chien.wav"));

        ex.Ecouter(5);
        ex.Repondre("chein");
        QCOMPARE(Fenetres::Exercice->lBonus->text(), QStringLiteral("3"));
        ex.Repondre("chien");
        QCOMPARE(Fenetres::Exercice->lNote->text(), QStringLiteral("3"));
        QCOMPARE(LettreEtat(Etat.Exercice.Items().at(1).Etat), QChar(u'R'));

        QCOMPARE(Etat.Exercice.ItemCourant(), QStringLiteral("chat.wav"));
        QCOMPARE(Fenetres::Exercice->lBonus->text(), QStringLiteral("5"));
        ex.Ecouter(4);
        ex.Repondre("Chat");
        QCOMPARE(Fenetres::Exercice->lNbItemsRepondus->text(), QStringLiteral("1"));

        QCOMPARE(Etat.Exercice.ItemCourant(), QStringLiteral("chien.wav"));
        QCOMPARE(Fenetres::Exercice->lBonus->text(), QStringLiteral("1"));
        ex.Ecouter(3);
        ex.Repondre("chien");
        QCOMPARE(Fenetres::Exercice->lNote->text(), QStringLiteral("9"));

        QCOMPARE(Etat.Exercice.ItemCourant(), QString::fromUtf8("Ecole£École.wav"));
        ex.Ecouter(6);
        const QStringList fautes = {QString::fromUtf8("école"), "ecol", "", "x"};
        const QStringList bonus = {"3", "2", "1", "0"};
        for (int i = 0; i < fautes.size(); ++i) {
            ex.Repondre(fautes.at(i));
            QCOMPARE(Fenetres::Exercice->lBonus->text(), bonus.at(i));
        }
        // From the fourth wrong answer the model stays until the right answer.
        QCOMPARE(Fenetres::Exercice->eModele->text(), QString::fromUtf8("Ecole     École"));
        ex.Repondre(QString::fromUtf8(" École "));
        QVERIFY(Fenetres::Exercice->eModele->text().isEmpty());

        QCOMPARE(Fenetres::Exercice->lBonus->text(), QStringLiteral("1"));
        ex.Ecouter(2);
        ex.Repondre("ecole");
        QVERIFY(!Fenetres::Exercice->isVisible());

        const QByteArray regle = QByteArray(68, '-') + "\r\n";
        const QByteArray detail = Cp("07/12/2026 à 14:03:27 - 3 items - Exercice sur [Animaux]\r\n"
                                     "chien : chein [5 s - 2 essais]\r\n"
                                     "Chat : [4 s - 1 essai]\r\n"
                                     "chien : [3 s - 1 essai (déjà tenté)]\r\n"
                                     "Ecole     École : école - ecol - ... - x [6 s - 5 essais]\r\n"
                                     "ecole : [2 s - 1 essai (déjà tenté)]\r\n"
                                     "\r\nTemps exercice : 20 s.\r\nScore : 10/15.\r\n") +
                                  regle;
        QCOMPARE(ex.Fichier("_Detail.txt"), detail);
        QCOMPARE(journal, regle + detail);
        QCOMPARE(ex.Fichier("_Exos.txt"), Cp("07/12/2026 | Terminé    |   10 /  15 | Animaux\r\n"));
        QCOMPARE(ex.Fichier(".txt"), QByteArray("chien|2-0\r\nchat|1\r\n"));
        QVERIFY(!QFile::exists(Etat.FichierJournal));

        QCOMPARE(
            env.Messages.Textes(),
            (QStringList{"Bravo Paul ! Exercice terminé en 20 s,\navec un score de 10 points.\n\n"
                         "Veux-tu en sélectionner un autre ?",
                         "Veux-tu voir ton bilan ?"}));
        // Which box at which attempt is the correction's own table (tst_deroulementexercice);
        // here, that the window showed them.
        QCOMPARE(ex.messages.size(), 11);
        // The brief model answer, then the farewell heard whole.
        QCOMPARE(env.Pause.Pauses, (QVector<int>{1000, 4000}));
        QCOMPARE(env.Son.Joues.first(), QDir(Etat.Choix.DossierExercice).filePath("chien.wav"));
        QVERIFY(env.Son.Joues.last().endsWith("quitter.wav"));
        QVERIFY(env.Son.Joues.contains(env.Programme + "fin.wav"));
    }

    void finDExercice_data() {
        QTest::addColumn<QString>("eleve");
        QTest::addColumn<bool>("impression");
        QTest::addColumn<bool>("bruitage");
        QTest::addColumn<QStringList>("questions");
        QTest::addColumn<QStringList>("formes");
        QTest::addColumn<QVector<int>>("pauses");
        QTest::newRow("pupil, printing allowed")
            << "Paul" << true << true << QStringList{"Bravo", "Veux-tu voir ton bilan ?"}
            << QStringList{"Form2", "fMessagePerso", "fBilans"} << QVector<int>{4000};
        QTest::newRow("printing forbidden")
            << "Paul" << false << true << QStringList{"Bravo"}
            << QStringList{"Form2", "fMessagePerso"} << QVector<int>{4000};
        QTest::newRow("visitor never offered the report")
            << "" << true << false << QStringList{"Bravo"} << QStringList{"Form2", "fMessagePerso"}
            << QVector<int>{};
    }
    void finDExercice() {
        QFETCH(QString, eleve);
        QFETCH(bool, impression);
        QFETCH(bool, bruitage);
        QFETCH(QStringList, questions);
        QFETCH(QStringList, formes);
        QFETCH(QVector<int>, pauses);
        Exercice ex({"chat.wav"}, eleve, "");
        Etat.ImpressionAutorisee = impression;
        Etat.Bruitage = bruitage;
        ex.env.Messages.Reponses = {false, true};
        bool sauveAvantBilan = false;
        ex.modal.Modal.Ajouter("fBilans", [&](QDialog*) {
            sauveAvantBilan = ex.Fichier(".txt") == "chat|1\r\n" && !Etat.ModeEnseignant;
            return 0;
        });
        Etat.ModeEnseignant = true;
        Fenetres::Exercice->show();
        Pilote::NouvelExercice();
        ex.Ecouter(1);
        ex.Repondre("chat");
        QStringList debuts;
        for (const QString& t : ex.env.Messages.Textes())
            debuts.append(t.startsWith("Bravo") ? "Bravo" : t);
        QCOMPARE(debuts, questions);
        QCOMPARE(ex.modal.Modal.Montres, formes);
        QCOMPARE(sauveAvantBilan, formes.contains("fBilans"));
        QCOMPARE(ex.env.Pause.Pauses, pauses);
        QVERIFY(!Fenetres::Exercice->isVisible());
    }

    // "Oui" to another exercise: the start form again, score and labels reset.
    void unAutreExercice() {
        Exercice ex({"chat.wav"}, "", "");
        ex.env.Messages.Reponses = {true};
        ex.modal.Modal.Ajouter("Form2", [](QDialog*) { return 1; });
        Fenetres::Exercice->show();
        Pilote::NouvelExercice();
        ex.Ecouter(3);
        ex.Repondre("chat");
        QVERIFY(Fenetres::Exercice->isVisible());
        QCOMPARE(ex.modal.Modal.Montres.count("Form2"), 2);
        QCOMPARE(Etat.Exercice.Score(), 0);
        QCOMPARE(Fenetres::Exercice->lNote->text(), QStringLiteral("0"));
        QCOMPARE(Fenetres::Exercice->lBonus->text(), QStringLiteral("5"));
        QCOMPARE(Fenetres::Exercice->lDossierCourant->text(), QStringLiteral("Animaux"));
        QVERIFY(Fenetres::Exercice->bJEcoute->isEnabled());
    }

    void seuilDuChoixDuNombre_data() {
        QTest::addColumn<int>("nombre");
        QTest::addColumn<bool>("choix");
        QTest::newRow("4 items: no choice") << 4 << false;
        QTest::newRow("5 items: choice") << 5 << true;
    }
    void seuilDuChoixDuNombre() {
        QFETCH(int, nombre);
        QFETCH(bool, choix);
        QStringList items;
        for (int i = 0; i < nombre; ++i)
            items.append(QStringLiteral("mot%1.wav").arg(i));
        Exercice ex(items, "", "");
        Pilote::NouvelExercice();
        QCOMPARE(ex.modal.Modal.Montres.contains("fChoixNbItems"), choix);
    }

    void dossierSansItem() {
        Exercice ex({}, "", "");
        Pilote::NouvelExercice();
        QCOMPARE(ex.env.Messages.Textes(),
                 QStringList{"Il n'y a plus d'items à retravailler dans ce dossier !"});
        QVERIFY(!Fenetres::Exercice->bJEcoute->isEnabled());
        QVERIFY(!Fenetres::Exercice->eSaisie->isEnabled());
        QCOMPARE(LireOctets(Etat.FichierJournal), QByteArray()); // no header without an item
    }

    // An item that cannot be decoded: the error box, and the answer stays closed.
    void sonIllisible() {
        Exercice ex({"chat.wav"}, "", "");
        ex.env.Son.Illisibles = {"chat.wav"};
        Pilote::NouvelExercice();
        QTest::mouseClick(Fenetres::Exercice->bJEcoute, Qt::LeftButton);
        QCOMPARE(ex.env.Messages.Appels.size(), 1);
        QCOMPARE(ex.env.Messages.Appels.first().Genre, QStringLiteral("Erreur"));
        QVERIFY(ex.env.Messages.Appels.first().Texte.contains("chat.wav"));
        QVERIFY(!Fenetres::Exercice->bJaiEcrit->isEnabled());
        QVERIFY(!Fenetres::Exercice->horlogeItem->isActive());
    }
};

QTEST_MAIN(TstExercice)
#include "tst_exercice.moc"
