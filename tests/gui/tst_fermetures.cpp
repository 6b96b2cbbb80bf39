// Every way out of every window. A close that does not come from the program (the window
// manager's close, Alt+F4, a session ending, a signal) is one of the window's own ways out: a
// dialog's close presses the button it stands for, and the exercise window's close records an
// exercise in progress as "Quitter" of the quit dialog does, exactly once, whatever dialog was
// open over it.

#include "ExerciceTest.h"
#include "ui/dialogs/DialogueAppreciation.h"
#include "ui/dialogs/DialogueNombreItems.h"
#include "ui/dialogs/DialogueQuitter.h"
#include "ui/platform/ServicesQt.h"
#include "ui/setup/DialogueMotDePasse.h"
#include "ui/setup/DialogueNouvelEleve.h"
#include "ui/setup/FenetreDepart.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDirIterator>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

// Shown as a modal showing would, then closed as the window manager closes it.
int FermerCommeLeBureau(QDialog* d) {
    d->show();
    d->close();
    return d->result();
}

// Two minutes and five seconds on the first item, then a wrong answer that leaves its detail
// line open.
void DeuxMinutesCinqPuisFaux() {
    Fenetres::Exercice->bJEcoute->click();
    for (int i = 0; i < 125; ++i)
        Fenetres::Exercice->CompterUneSeconde();
    Fenetres::Exercice->eSaisie->setText(QStringLiteral("chta"));
    QTest::keyClick(Fenetres::Exercice->eSaisie, Qt::Key_Return);
}

// A stop asked from outside ends every event loop of the program; the next test needs them.
struct BouclesRelancees {
    ~BouclesRelancees() {
        QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        QCoreApplication::exec(); // starts from, and leaves, a program whose loops run again
    }
};

// A folder "Mots" of `n` items "mot001.wav"...
QString Mots(ExerciceTest& x, int n) {
    QStringList items;
    for (int i = 1; i <= n; ++i)
        items.append(QStringLiteral("mot%1.wav").arg(i, 3, 10, QLatin1Char('0')));
    return x.Dossier(QStringLiteral("Mots"), items);
}

QStringList FichiersSous(const QString& dossier) {
    QStringList r;
    QDirIterator it(dossier, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        r.append(QDir(dossier).relativeFilePath(it.next()));
    return r;
}

const QByteArray EnTete = Ligne("07/12/2026 à 14:03:27 - 2 items - Exercice sur [Animaux]");
const QByteArray Interruption = "\r\n" + Ligne("Exercice interrompu après 2 min 5 s.") + Regle();

} // namespace

class TstFermetures : public QObject {
    Q_OBJECT
private slots:
    // The one-field dialogs: a close is "Annuler", even right after "Valider" refused the text.
    void dialoguesASaisie_data() {
        QTest::addColumn<QString>("dialogue");
        QTest::addColumn<QString>("texte");
        QTest::addColumn<bool>("valider"); // "Valider" pressed (and refused) before the close
        QTest::newRow("new pupil, name refused then window closed")
            << "fNouvelEleve" << "../Intrus" << true;
        QTest::newRow("new pupil, name typed then window closed")
            << "fNouvelEleve" << "Intrus" << false;
        QTest::newRow("password chosen then window closed") << "fMotDePasse" << "lune" << false;
    }
    void dialoguesASaisie() {
        QFETCH(QString, dialogue);
        QFETCH(QString, texte);
        QFETCH(bool, valider);
        BancFenetres b;
        QDir().mkpath(b.Bilans + "CM1");
        Etat.MotDePasseActif = true;
        int resultat = -1;
        bool resteOuvert = true;
        b.modal.Modal.Ajouter(dialogue, [&](QDialog* d) {
            auto* champ = d->findChild<QLineEdit*>();
            champ->setText(texte);
            if (valider)
                d->findChild<QToolButton*>("bOk")->click();
            resultat = FermerCommeLeBureau(d);
            resteOuvert = d->isVisible();
            return resultat;
        });
        Fenetres::Depart->Preparer();
        Fenetres::Depart->cChoixGroupe->setCurrentText("CM1");
        Fenetres::Depart->cChoixGroupeChange();
        if (dialogue == u"fNouvelEleve") {
            Fenetres::Depart->bNouvelEleveClick();
        } else {
            Etat.NomEleve = "Paul";
            Etat.DossierGroupe = b.Bilans + "CM1/";
            QVERIFY(!Fenetres::Depart->ChoisirMotDePasseEleve());
        }
        QCOMPARE(resultat, int(QDialog::Rejected));
        QVERIFY(!resteOuvert);
        QCOMPARE(b.modal.Modal.Montres, QStringList{dialogue});
        // Nothing written anywhere in the program folder, records or not.
        QCOMPARE(FichiersSous(b.env.Programme), QStringList{});
        QCOMPARE(Fenetres::Depart->cChoixUtilisateur->findText("Intrus"), -1);
    }

    // The start form's close is its "Quitter", question included.
    void formulaireDeDepart_data() {
        QTest::addColumn<bool>("reponse");
        QTest::newRow("OK: the program ends") << true;
        QTest::newRow("Annuler: the form stays") << false;
    }
    void formulaireDeDepart() {
        QFETCH(bool, reponse);
        ExerciceTest x;
        x.env.Messages.Reponses = {reponse};
        bool ferme = false;
        x.modal.Modal.Ajouter("Form2", [&](QDialog* d) {
            d->show();
            ferme = d->close();
            return d->result();
        });
        Pilote::NouvelExercice();
        QCOMPARE(x.env.Messages.Textes(),
                 QStringList{QStringLiteral("Veux-tu vraiment quitter le logiciel ?")});
        QCOMPARE(ferme, reponse);
        QCOMPARE(Fenetres::Depart->isVisible(), !reponse);
        QCOMPARE(Fenetres::Exercice->Ferme(), reponse);
        QVERIFY(!Etat.Exercice.EnCours()); // no exercise was run on no folder
        QCOMPARE(QFile::exists(x.Journal), !reponse);
        Fenetres::Depart->hide();
    }

    // The exercise dialogs: the quit dialog's close is "Annuler"; the others have one button.
    void dialoguesDeLExercice() {
        ExerciceTest x;
        x.ScripterDepart("Paul", Mots(x, 12));
        x.modal.Modal.Ajouter("fChoixNbItems", [](QDialog* d) {
            Fenetres::NombreItems->r4Items->setChecked(true);
            return FermerCommeLeBureau(d);
        });
        Pilote::NouvelExercice();
        QCOMPARE(Etat.Exercice.NbItems(), 4); // the choice shown was taken, as "Ok" takes it

        int retour = -1;
        x.modal.Modal.Ajouter("fMessagePerso", [&](QDialog* d) {
            retour = FermerCommeLeBureau(d);
            return retour;
        });
        Fenetres::Exercice->bJEcoute->click();
        Fenetres::Exercice->eSaisie->setText(QStringLiteral("xyz"));
        QTest::keyClick(Fenetres::Exercice->eSaisie, Qt::Key_Return);
        QCOMPARE(retour, int(QDialog::Accepted));
        QVERIFY(Fenetres::Exercice->eSaisie->isEnabled());

        const QByteArray detail = LireOctets(x.FichierEleve("Paul", SuffixeDetail));
        x.modal.Modal.Ajouter("fQuitter", [&](QDialog* d) {
            retour = FermerCommeLeBureau(d);
            return retour;
        });
        Fenetres::Exercice->bStop->click();
        QCOMPARE(retour, int(DialogueQuitter::ChoixAnnuler));
        QCOMPARE(LireOctets(x.FichierEleve("Paul", SuffixeDetail)), detail);
        QVERIFY(!Fenetres::Exercice->Ferme());
        QVERIFY(Etat.Exercice.EnCours());
        QCOMPARE(x.modal.Modal.Montres.count("Form2"), 1);
    }

    // The exercise window closed from outside while the pupil works: the records read as after
    // "Quitter" in the quit dialog, the history is saved and the journal goes; only the
    // farewell is left out.
    void exerciceInterrompu_data() {
        QTest::addColumn<QString>("facon");
        QTest::addColumn<QList<int>>("pauses");
        QTest::newRow("Quitter in the quit dialog") << "Quitter" << QList<int>{3000};
        QTest::newRow("window closed") << "fenetre" << QList<int>{};
        QTest::newRow("stop asked in the quit dialog") << "arret-quitter" << QList<int>{};
        QTest::newRow("stop asked in the feedback, real dialog")
            << "arret-appreciation" << QList<int>{};
    }
    void exerciceInterrompu() {
        QFETCH(QString, facon);
        QFETCH(QList<int>, pauses);
        BouclesRelancees relance;
        ExerciceTest x;
        EcrireOctets(x.env.Programme + "quitter.wav", "RIFF");
        x.Ouvrir("Paul", x.Dossier("Animaux", {"chat.wav", "chien.wav"}));
        // "chat" right at once, a success the history must keep; then "chien".
        Fenetres::Exercice->bJEcoute->click();
        Fenetres::Exercice->eSaisie->setText(QStringLiteral("chat"));
        QTest::keyClick(Fenetres::Exercice->eSaisie, Qt::Key_Return);
        QCOMPARE(Etat.Exercice.ItemCourant(), QStringLiteral("chien.wav"));
        x.env.Pause.Pauses.clear();
        if (facon == u"Quitter" || facon == u"arret-quitter") {
            x.modal.Modal.Ajouter("fQuitter", [facon](QDialog* d) {
                if (facon == u"Quitter")
                    Fenetres::Quitter->bQuitter->click();
                else
                    Fenetres::Exercice->ArretDemande();
                return d->result();
            });
        }
        ModalQt reel;
        if (facon == u"arret-appreciation") {
            Services::InstallerModal(&reel);
            QTimer::singleShot(0, Fenetres::Exercice, [] {
                QVERIFY(Fenetres::Appreciation->isVisible());
                Fenetres::Exercice->ArretDemande();
            });
        }
        DeuxMinutesCinqPuisFaux(); // the real feedback dialog runs in here
        Services::InstallerModal(&x.modal.Modal);
        if (facon == u"fenetre")
            QVERIFY(Fenetres::Exercice->close());
        else if (facon == u"Quitter" || facon == u"arret-quitter")
            Fenetres::Exercice->bStop->click();

        QVERIFY(Fenetres::Exercice->Ferme());
        QVERIFY(!Etat.Exercice.EnCours());
        const QByteArray juste = Ligne("chat : [0 s - 1 essai]");
        QCOMPARE(LireOctets(x.FichierEleve("Paul", SuffixeDetail)),
                 EnTete + juste + "chien : chta" + Interruption);
        QCOMPARE(LireOctets(x.FichierEleve("Paul", SuffixeExos)),
                 Ligne("07/12/2026 | Interrompu |    5 /  10 | Animaux"));
        QCOMPARE(LireOctets(x.FichierEleve("Paul", SuffixeHistorique)), QByteArray("chat|1\r\n"));
        QVERIFY(!QFile::exists(x.Journal));
        QCOMPARE(x.env.Pause.Pauses, pauses);
    }

    // A stop from outside at the other moments of a run: one record of the exercise, never
    // two, and nothing started after it.
    void arretAuxAutresMoments_data() {
        QTest::addColumn<QString>("moment");
        QTest::addColumn<QByteArray>("detail");
        QTest::addColumn<QByteArray>("exos");
        // Opened, not yet begun: left with nothing played.
        QTest::newRow("item-count choice")
            << "fChoixNbItems" << "\r\n" + Ligne("Exercice interrompu après 0 s.") + Regle()
            << Ligne("07/12/2026 | Interrompu |    0 /  25 | Mots");
        // The exercise before was left through "Nouvel exercice": that record only.
        QTest::newRow("start form of the next exercise")
            << "Form2"
            << Ligne("07/12/2026 à 14:03:27 - 5 items - Exercice sur [Mots]") + "\r\n" +
                   Ligne("Exercice interrompu après 0 s.") + Regle()
            << Ligne("07/12/2026 | Interrompu |    0 /  25 | Mots");
        // The exercise is done: its end, and no interruption after it.
        QTest::newRow("question at the end")
            << "fin"
            << Ligne("07/12/2026 à 14:03:27 - 1 item - Exercice sur [Un]") +
                   Ligne("mot : [0 s - 1 essai]") + "\r\n" + Ligne("Temps exercice : 0 s.") +
                   Ligne("Score : 5/5.") + Regle()
            << Ligne("07/12/2026 | Terminé    |    5 /   5 | Un");
    }
    void arretAuxAutresMoments() {
        QFETCH(QString, moment);
        QFETCH(QByteArray, detail);
        QFETCH(QByteArray, exos);
        BouclesRelancees relance;
        ExerciceTest x;
        auto arret = [](QDialog*) {
            Fenetres::Exercice->ArretDemande();
            return 0;
        };
        if (moment == u"fin") {
            x.Ouvrir("Paul", x.Dossier("Un", {"mot.wav"}));
            x.env.Messages.Observateur = [](const AppelMessage& a) {
                if (a.Texte.startsWith(QStringLiteral("Bravo")))
                    Fenetres::Exercice->ArretDemande();
            };
            Fenetres::Exercice->bJEcoute->click();
            Fenetres::Exercice->eSaisie->setText(QStringLiteral("mot"));
            QTest::keyClick(Fenetres::Exercice->eSaisie, Qt::Key_Return);
            QCOMPARE(x.env.Messages.Textes().size(), 1); // "Veux-tu voir ton bilan ?" never came
        } else {
            const QString mots = Mots(x, 5);
            if (moment == u"fChoixNbItems") {
                x.ScripterDepart("Paul", mots);
                x.modal.Modal.Ajouter("fChoixNbItems", arret);
                Pilote::NouvelExercice();
            } else {
                x.Ouvrir("Paul", mots);
                x.modal.Modal.Ajouter("fQuitter", [](QDialog* d) {
                    Fenetres::Quitter->bNouvelExo->click();
                    return d->result();
                });
                x.modal.Modal.Ajouter("Form2", arret);
                Fenetres::Exercice->bStop->click();
            }
        }
        QVERIFY(Fenetres::Exercice->Ferme());
        QVERIFY(!Etat.Exercice.EnCours());
        QCOMPARE(LireOctets(x.FichierEleve("Paul", SuffixeDetail)), detail);
        QCOMPARE(LireOctets(x.FichierEleve("Paul", SuffixeExos)), exos);
        QVERIFY(!QFile::exists(x.Journal));
        QVERIFY(x.env.Pause.Pauses.isEmpty()); // no farewell: the program is asked to end now
    }
};

QTEST_MAIN(TstFermetures)
#include "tst_fermetures.moc"
