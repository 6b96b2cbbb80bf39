// The program with the keyboard only: Tab reaches every control of the start form, the dialogs,
// the teacher module and the exercise window in reading order, the focus is always marked,
// Enter or Space activates the focused button, and every button has a name a screen reader
// can say. The forms are shown for real (offscreen), so Qt's own focus chain is what is tested.

#include "ExerciceTest.h"
#include "ui/dialogs/DialogueAppreciation.h"
#include "ui/dialogs/DialogueNombreItems.h"
#include "ui/dialogs/DialogueQuitter.h"
#include "ui/exercise/FenetreAideAccents.h"
#include "ui/kit/MarqueFocus.h"
#include "ui/platform/ServicesQt.h"
#include "ui/setup/DialogueMotDePasse.h"
#include "ui/setup/DialogueNouvelEleve.h"
#include "ui/setup/FenetreDepart.h"
#include "ui/teacher/FenetreBilans.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

// An item of the exercise as the session hands it to the player: its absolute path.
QString Item(const QString& nom) {
    return QDir(Etat.Choix.DossierExercice).filePath(nom);
}

void Montrer(QWidget* w) {
    w->show();
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
}

QString Focus() {
    QWidget* f = QApplication::focusWidget();
    return f ? f->objectName() : QString();
}

// Tab pressed `n` times from `depart`: where the focus went, in order. At each stop the mark
// must stand around the focused control (text fields excepted).
QStringList Tabulations(QWidget* fenetre, QWidget* depart, int n) {
    depart->setFocus(Qt::TabFocusReason);
    QStringList r{Focus()};
    for (int i = 0; i < n; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* f = QApplication::focusWidget();
        r.append(Focus());
        const MarqueFocus* marque = fenetre->findChild<MarqueFocus*>();
        if (qobject_cast<QLineEdit*>(f))
            continue;
        if (!marque || marque->Cible() != f)
            return r << QStringLiteral("(pas de marque)");
        const QRect place(f->mapTo(fenetre, QPoint(0, 0)), f->size());
        // Around the control, inside the window (a control at the window's edge is hugged).
        const QRect autour = place
                                 .adjusted(-MarqueFocus::Marge, -MarqueFocus::Marge,
                                           MarqueFocus::Marge, MarqueFocus::Marge)
                                 .intersected(fenetre->rect());
        if (!marque->geometry().contains(place.intersected(fenetre->rect())) ||
            marque->geometry() != autour)
            return r << QStringLiteral("(marque mal placée)");
    }
    return r;
}

} // namespace

class TstClavier : public QObject {
    Q_OBJECT
private slots:
    // --- Start form --------------------------------------------------------------------------

    void ordreDuDepart_data() {
        QTest::addColumn<bool>("toutActif");
        QTest::addColumn<QStringList>("ordre");
        QTest::newRow("every control enabled")
            << true << QStringList{"cChoixGroupe", "cChoixUtilisateur", "bNouvelEleve", "bBilan",
                                   "bSuperviseur", "bRemonter",         "eRepertoires", "bValider",
                                   "bQuitter",     "cChoixGroupe"};
        // As the form opens: no group, at the media root, nothing chosen. Disabled buttons are
        // passed over.
        QTest::newRow("as the form opens")
            << false << QStringList{"cChoixGroupe", "cChoixUtilisateur", "bSuperviseur",
                                    "eRepertoires", "bQuitter",          "cChoixGroupe"};
    }
    void ordreDuDepart() {
        QFETCH(bool, toutActif);
        QFETCH(QStringList, ordre);
        BancFenetres b;
        QDir().mkpath(b.Medias + "Animaux");
        Montrer(Fenetres::Depart);
        if (toutActif)
            for (QToolButton* t : Fenetres::Depart->findChildren<QToolButton*>())
                t->setEnabled(true);
        QCOMPARE(
            Tabulations(Fenetres::Depart, Fenetres::Depart->cChoixGroupe, int(ordre.size()) - 1),
            ordre);
        Fenetres::Depart->hide();
    }

    // Enter or Space on the focused button does what its click does; a held key, nothing more.
    void boutonsDuDepart_data() {
        QTest::addColumn<int>("touche");
        QTest::addColumn<bool>("repetee");
        QTest::addColumn<int>("questions");
        QTest::newRow("Enter") << int(Qt::Key_Return) << false << 1;
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << false << 1;
        QTest::newRow("Space") << int(Qt::Key_Space) << false << 1;
        QTest::newRow("Enter repeated by a held key") << int(Qt::Key_Return) << true << 0;
    }
    void boutonsDuDepart() {
        QFETCH(int, touche);
        QFETCH(bool, repetee);
        QFETCH(int, questions);
        BancFenetres b;
        b.env.Messages.Reponses = {false}; // "Annuler": the form stays
        Montrer(Fenetres::Depart);
        Fenetres::Depart->bQuitter->setFocus(Qt::TabFocusReason);
        if (repetee)
            Repetition(Fenetres::Depart->bQuitter, touche);
        else
            QTest::keyClick(Fenetres::Depart->bQuitter, Qt::Key(touche));
        QCOMPARE(b.env.Messages.Appels.size(), questions);
        if (questions)
            QCOMPARE(b.env.Messages.Appels.first().Texte,
                     QStringLiteral("Veux-tu vraiment quitter le logiciel ?"));
        QVERIFY(Fenetres::Depart->isVisible());
        Fenetres::Depart->hide();
    }

    // Enter in the folder list does what a double click does on the entry the arrows stand on,
    // and starts the exercise once "Commencer" is enabled.
    void entreeDansLaListe_data() {
        QTest::addColumn<QString>("entree");
        QTest::addColumn<bool>("choisie"); // already chosen (selected) before Enter
        QTest::addColumn<QString>("dossier");
        QTest::addColumn<bool>("commencer");
        QTest::addColumn<bool>("lance");
        QTest::newRow("marked folder under the arrows: opened")
            << "[+] Grammaire" << false << "Grammaire" << false << false;
        QTest::newRow("exercise under the arrows: chosen")
            << "Animaux" << false << "" << true << false;
        QTest::newRow("exercise chosen: started") << "Animaux" << true << "Animaux" << true << true;
    }
    void entreeDansLaListe() {
        QFETCH(QString, entree);
        QFETCH(bool, choisie);
        QFETCH(QString, dossier);
        QFETCH(bool, commencer);
        QFETCH(bool, lance);
        BancFenetres b;
        for (const char* f : {"Animaux/chat.wav", "Grammaire/Articles/le.wav"})
            EcrireOctets(b.Medias + f, "RIFF");
        Montrer(Fenetres::Depart);
        QListWidget* liste = Fenetres::Depart->eRepertoires;
        liste->setFocus(Qt::TabFocusReason);
        QListWidgetItem* ici = liste->findItems(entree, Qt::MatchExactly).value(0);
        QVERIFY(ici);
        liste->setCurrentItem(ici, choisie ? QItemSelectionModel::ClearAndSelect
                                           : QItemSelectionModel::NoUpdate);
        QTest::keyClick(liste, Qt::Key_Return);
        const QString racine = QDir(b.Medias).absolutePath();
        QCOMPARE(Etat.Choix.Position, dossier.isEmpty() ? racine : racine + "/" + dossier);
        QCOMPARE(Fenetres::Depart->bValider->isEnabled(), commencer);
        QCOMPARE(Fenetres::Depart->result() == QDialog::Accepted && !Fenetres::Depart->isVisible(),
                 lance);
        Fenetres::Depart->hide();
    }

    // --- Dialogs -------------------------------------------------------------------------------

    void dialogueSaisie_data() {
        QTest::addColumn<QString>("focus"); // where Tab left the focus
        QTest::addColumn<int>("touche");
        QTest::addColumn<int>("resultat"); // -1: still open
        QTest::addColumn<QString>("message");
        QTest::newRow("Enter on Annuler") << "bAnnuler" << int(Qt::Key_Return) << 0 << "";
        QTest::newRow("Space on Annuler") << "bAnnuler" << int(Qt::Key_Space) << 0 << "";
        QTest::newRow("Escape on Valider") << "bOk" << int(Qt::Key_Escape) << 0 << "";
        QTest::newRow("Enter on Valider, nothing typed")
            << "bOk" << int(Qt::Key_Return) << -1 << "Saisis ton prénom.";
    }
    void dialogueSaisie() {
        QFETCH(QString, focus);
        QFETCH(int, touche);
        QFETCH(int, resultat);
        QFETCH(QString, message);
        BancFenetres b;
        DialogueNouvelEleve* d = Fenetres::NouvelEleve;
        Montrer(d);
        QTRY_COMPARE(Focus(), QStringLiteral("eUtilisateur")); // the field first
        QCOMPARE(Tabulations(d, d->eUtilisateur, 3),
                 (QStringList{"eUtilisateur", "bOk", "bAnnuler", "eUtilisateur"}));
        d->findChild<QWidget*>(focus)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(touche));
        QCOMPARE(d->isVisible(), resultat < 0);
        if (resultat >= 0)
            QCOMPARE(d->result(), resultat);
        QCOMPARE(b.env.Messages.Textes(), message.isEmpty() ? QStringList{} : QStringList{message});
        d->hide();
    }

    // The new pupil typed and validated with Enter in the real modal showing, the forms built
    // as the program builds them (at their first showing): his files are created, as the
    // caller takes the text of a dialog that "Valider" closed.
    void nouvelEleveEnVrai() {
        BancFenetres b;
        Fenetres::Detruire();
        Fenetres::Creer(FormeModale::Controles::AuPremierAffichage);
        QDir().mkpath(b.Bilans + "CM1");
        ModalQt reel;
        Services::InstallerModal(&reel);
        Fenetres::Depart->Preparer();
        Fenetres::Depart->cChoixGroupe->setCurrentText("CM1");
        QTimer::singleShot(200, Fenetres::NouvelEleve, [] {
            QTest::keyClicks(Fenetres::NouvelEleve->eUtilisateur, "Zoe");
            QTest::keyClick(Fenetres::NouvelEleve->eUtilisateur, Qt::Key_Return);
        });
        Fenetres::Depart->bNouvelEleveClick();
        Services::InstallerModal(&b.modal.Modal);
        QVERIFY(QFile::exists(b.Bilans + "CM1/Zoe.txt"));
        QCOMPARE(Fenetres::Depart->cChoixUtilisateur->currentText(), QStringLiteral("Zoe"));
    }

    // The quit dialog: Tab through its three buttons; Enter presses the one that has the focus.
    void dialogueQuitter() {
        BancFenetres b;
        DialogueQuitter* d = Fenetres::Quitter;
        Montrer(d);
        QCOMPARE(Tabulations(d, d->bNouvelExo, 3),
                 (QStringList{"bNouvelExo", "bQuitter", "bAnnuler", "bNouvelExo"}));
        d->bQuitter->setFocus(Qt::TabFocusReason);
        Repetition(d->bQuitter, Qt::Key_Return);
        QVERIFY(d->isVisible()); // a held Enter leaves nobody
        QTest::keyClick(d->bQuitter, Qt::Key_Return);
        QVERIFY(!d->isVisible());
        QCOMPARE(d->result(), int(DialogueQuitter::ChoixQuitter));
    }

    // --- Teacher module ------------------------------------------------------------------------

    void moduleEnseignant() {
        BancFenetres b;
        EcrireOctets(b.Bilans + "CM1/Paul.txt", "chat|1\r\n");
        Etat.ModeEnseignant = true;
        FenetreBilans* f = Fenetres::Bilans;
        Montrer(f);
        QTRY_COMPARE(f->cChoixEleve->currentText(), QStringLiteral("Paul"));
        QCOMPARE(Tabulations(f, f->cChoixGroupe, 18),
                 (QStringList{"cChoixGroupe", "bClasse", "cChoixEleve", "bStudio", "bLecture",
                              "qt_tabwidget_tabbar", "ItemReussis", "bSupprimer", "bGererGroupes",
                              "bConfigurer", "bMagneto", "bImprime", "bModifier", "bRafraichir",
                              "bBanque", "bAide", "bApropos", "bQuitterBilan", "cChoixGroupe"}));
        QTest::keyClick(f->bApropos, Qt::Key_Return);
        QCOMPARE(b.env.Messages.Appels.size(), 1);
        QCOMPARE(b.env.Messages.Appels.first().Genre, QStringLiteral("Information"));
        f->bQuitterBilan->setFocus(Qt::TabFocusReason);
        QTest::keyClick(f->bQuitterBilan, Qt::Key_Space);
        QVERIFY(!f->isVisible());
    }

    // --- Exercise window -----------------------------------------------------------------------

    // Tab reaches everything a pupil needs; Space presses the focused button, Enter keeps its
    // meaning on the whole window: listen, or submit once listened.
    void exercice() {
        ExerciceTest x;
        x.Ouvrir("Paul", x.Dossier("Animaux", {"chat.wav", "chien.wav"}));
        Montrer(Fenetres::Exercice);
        QCOMPARE(Focus(), QStringLiteral("bJEcoute")); // the first thing to do
        QTest::keyClick(Fenetres::Exercice->bJEcoute, Qt::Key_Space);
        QCOMPARE(x.env.Son.Joues, QStringList{Item("chat.wav")});
        QCOMPARE(Focus(), QStringLiteral("eSaisie"));
        // The slow listen comes after the row's two big buttons, where it stands.
        // Then the figures down their column, for a pupil who cannot see them, and the stop.
        QStringList ordre{"bJEcoute",         "bJaiEcrit",     "bJEcouteLent", "eSaisie",
                          "bClavier",         "lBonus",        "lNote",        "lNoteMaxi",
                          "lNbItemsRepondus", "lNbItemsTotal", "bStop"};
        if (!EcouteLenteIntegree)
            ordre.removeOne("bJEcouteLent");
        QCOMPARE(Tabulations(Fenetres::Exercice, Fenetres::Exercice->bJEcoute, ordre.size()),
                 ordre + QStringList{"bJEcoute"});
        Fenetres::Exercice->bClavier->setFocus(Qt::TabFocusReason);
        QTest::keyClick(Fenetres::Exercice->bClavier, Qt::Key_Space);
        QCOMPARE(x.modal.Modal.Montres.count("CPEcr"), 1);
        // Enter with the focus on the accent help's button still submits the answer.
        Fenetres::Exercice->eSaisie->setText("chat");
        Fenetres::Exercice->bClavier->setFocus(Qt::TabFocusReason);
        QTest::keyClick(Fenetres::Exercice->bClavier, Qt::Key_Return);
        QCOMPARE(Etat.Exercice.Score(), 5);
        QCOMPARE(x.modal.Modal.Montres.count("CPEcr"), 1);
        QCOMPARE(Focus(), QStringLiteral("bJEcoute")); // the next item: listen first
    }

    // --- Names ---------------------------------------------------------------------------------

    // Every button, with or without a caption, has a name a screen reader says; the teacher
    // module's title says what it shows.
    void nomsAccessibles() {
        BancFenetres b;
        QList<QWidget*> fenetres = {
            Fenetres::Exercice,     Fenetres::Depart, Fenetres::NombreItems, Fenetres::Quitter,
            Fenetres::Appreciation, Fenetres::Bilans, Fenetres::NouvelEleve, Fenetres::MotDePasse};
        for (QWidget* f : fenetres)
            for (QAbstractButton* bouton : f->findChildren<QAbstractButton*>())
                QVERIFY2(!NomAccessible(bouton).trimmed().isEmpty(),
                         qPrintable(f->objectName() + "/" + bouton->objectName()));
        for (const bool enseignant : {false, true}) {
            Etat.ModeEnseignant = enseignant;
            Fenetres::Bilans->Preparer();
            const QString titre = enseignant ? "MODULE ENSEIGNANT" : "MON BILAN";
            QCOMPARE(Fenetres::Bilans->lTitre->text(), titre);
            QCOMPARE(NomAccessible(Fenetres::Bilans->lTitre), titre);
        }
    }
};

QTEST_MAIN(TstClavier)
#include "tst_clavier.moc"
