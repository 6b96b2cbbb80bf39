// The two small dialogs of the start form: the new pupil's first name and the password. Each
// closes itself; the caller reads its field afterwards, an empty text meaning cancelled.

#include "BancFenetres.h"
#include "ui/Fenetres.h"
#include "ui/setup/DialogueMotDePasse.h"
#include "ui/setup/DialogueNouvelEleve.h"
#include "ui/setup/FenetreDepart.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStyle>
#include <QTest>
#include <QToolButton>

namespace {

using Banc = BancFenetres;

// The field and buttons of either dialog, found by name as a screen reader would.
struct Champs {
    QLineEdit* champ;
    QToolButton* ok;
    QToolButton* annuler;
};

Champs Trouver(FormeModale* f, const char* champ) {
    return {f->findChild<QLineEdit*>(champ), f->findChild<QToolButton*>("bOk"),
            f->findChild<QToolButton*>("bAnnuler")};
}

FormeModale* Dialogue(const QString& nom) {
    return nom == u"fNouvelEleve" ? static_cast<FormeModale*>(Fenetres::NouvelEleve)
                                  : static_cast<FormeModale*>(Fenetres::MotDePasse);
}

const char* NomChamp(const QString& nom) {
    return nom == u"fNouvelEleve" ? "eUtilisateur" : "eMotDePasse";
}

} // namespace

class TstDialoguesDepart : public QObject {
    Q_OBJECT
private slots:
    void motDePasseMasque() {
        Banc b;
        QCOMPARE(Fenetres::MotDePasse->eMotDePasse->echoMode(), QLineEdit::Password);
        QTest::keyClicks(Fenetres::MotDePasse->eMotDePasse, "lune");
        QCOMPARE(Fenetres::MotDePasse->eMotDePasse->displayText(), QStringLiteral("****"));
        QCOMPARE(Fenetres::MotDePasse->eMotDePasse->text(), QStringLiteral("lune"));
    }

    // Each showing starts from an empty field, whatever the last one left.
    void activationVideLeChamp_data() {
        QTest::addColumn<QString>("dialogue");
        QTest::newRow("new pupil") << "fNouvelEleve";
        QTest::newRow("password") << "fMotDePasse";
    }
    void activationVideLeChamp() {
        QFETCH(QString, dialogue);
        Banc b;
        FormeModale* f = Dialogue(dialogue);
        const Champs c = Trouver(f, NomChamp(dialogue));
        c.champ->setText("reste d'avant");
        f->show();
        QVERIFY(QTest::qWaitForWindowExposed(f));
        QTRY_VERIFY(c.champ->text().isEmpty());
        QTRY_VERIFY(c.champ->hasFocus());
        f->hide();
    }

    void touches_data() {
        QTest::addColumn<QString>("dialogue");
        QTest::addColumn<QString>("tape");
        QTest::addColumn<int>("touche");
        QTest::addColumn<bool>("ferme");
        QTest::addColumn<int>("resultat");
        QTest::addColumn<QString>("reste");
        QTest::addColumn<QString>("message");
        QTest::newRow("name, Enter")
            << "fNouvelEleve"
            << "Zoé" << int(Qt::Key_Return) << true << int(QDialog::Accepted) << "Zoé"
            << "";
        QTest::newRow("name, keypad Enter")
            << "fNouvelEleve"
            << "Zoé" << int(Qt::Key_Enter) << true << int(QDialog::Accepted) << "Zoé"
            << "";
        QTest::newRow("name, Escape empties")
            << "fNouvelEleve"
            << "Zoé" << int(Qt::Key_Escape) << true << int(QDialog::Rejected) << ""
            << "";
        QTest::newRow("empty name, Enter stays open")
            << "fNouvelEleve"
            << "" << int(Qt::Key_Return) << false << 0 << ""
            << "Saisis ton prénom.";
        QTest::newRow("name kept as typed")
            << "fNouvelEleve"
            << "  Léa " << int(Qt::Key_Return) << true << int(QDialog::Accepted) << "  Léa "
            << "";
        QTest::newRow("bar refused, stays open")
            << "fNouvelEleve"
            << "Léa|Zoé" << int(Qt::Key_Return) << false << 0 << "Léa|Zoé"
            << "Un prénom ne peut pas contenir les caractères / \\ : * ? \" < > | ni de caractère "
               "de contrôle.";
        QTest::newRow("password, Enter")
            << "fMotDePasse"
            << "Lune" << int(Qt::Key_Return) << true << int(QDialog::Accepted) << "Lune"
            << "";
        QTest::newRow("password, Escape empties")
            << "fMotDePasse"
            << "Lune" << int(Qt::Key_Escape) << true << int(QDialog::Rejected) << ""
            << "";
        QTest::newRow("empty password, Enter stays open")
            << "fMotDePasse"
            << "" << int(Qt::Key_Return) << false << 0 << ""
            << "Saisis ton mot de passe.";
        QTest::newRow("blank password is a password")
            << "fMotDePasse"
            << " " << int(Qt::Key_Return) << true << int(QDialog::Accepted) << " "
            << "";
    }
    void touches() {
        QFETCH(QString, dialogue);
        QFETCH(QString, tape);
        QFETCH(int, touche);
        QFETCH(bool, ferme);
        QFETCH(int, resultat);
        QFETCH(QString, reste);
        QFETCH(QString, message);
        Banc b;
        FormeModale* f = Dialogue(dialogue);
        const Champs c = Trouver(f, NomChamp(dialogue));
        f->Preparer();
        QSignalSpy fin(f, &QDialog::finished);
        c.champ->insert(tape);
        QTest::keyClick(c.champ, Qt::Key(touche));
        QCOMPARE(fin.size(), ferme ? 1 : 0);
        if (ferme)
            QCOMPARE(fin.first().first().toInt(), resultat);
        QCOMPARE(c.champ->text(), reste);
        QCOMPARE(b.env.Messages.Textes(), message.isEmpty() ? QStringList{} : QStringList{message});
        if (!message.isEmpty())
            QCOMPARE(b.env.Messages.Appels.first().Genre, QStringLiteral("Message"));
    }

    void boutons_data() {
        QTest::addColumn<QString>("dialogue");
        QTest::newRow("new pupil") << "fNouvelEleve";
        QTest::newRow("password") << "fMotDePasse";
    }
    void boutons() {
        QFETCH(QString, dialogue);
        Banc b;
        FormeModale* f = Dialogue(dialogue);
        const Champs c = Trouver(f, NomChamp(dialogue));
        f->Preparer();
        QSignalSpy fin(f, &QDialog::finished);
        c.champ->setText("Paulo");
        c.ok->click();
        QCOMPARE(fin.size(), 1);
        QCOMPARE(c.champ->text(), QStringLiteral("Paulo"));
        f->Preparer();
        c.champ->setText("Paulo");
        c.annuler->click();
        QCOMPARE(fin.size(), 2);
        QCOMPARE(fin.last().first().toInt(), int(QDialog::Rejected));
        QVERIFY(c.champ->text().isEmpty());
    }

    // The pupil list of the start form is compared exactly, letter case included; the list's
    // own entries "Visiteur" and "Nouveau" in any case.
    void doublonsDeLaListe_data() {
        QTest::addColumn<QString>("tape");
        QTest::addColumn<bool>("refuse");
        QTest::newRow("Visiteur") << "Visiteur" << true;
        QTest::newRow("visiteur") << "visiteur" << true;
        QTest::newRow("nOUVEAU") << "nOUVEAU" << true;
        QTest::newRow("Nouveau listed") << "Nouveau" << true;
        QTest::newRow("Paul") << "Paul" << true;
        QTest::newRow("paul") << "paul" << false;
        QTest::newRow("Paul with a blank") << "Paul " << false;
    }
    void doublonsDeLaListe() {
        QFETCH(QString, tape);
        QFETCH(bool, refuse);
        Banc b;
        Fenetres::NouvelEleve->NomsPris = {"Visiteur", "Nouveau", "Paul"};
        Fenetres::NouvelEleve->Preparer();
        QSignalSpy fin(Fenetres::NouvelEleve, &QDialog::finished);
        Fenetres::NouvelEleve->eUtilisateur->setText(tape);
        Fenetres::NouvelEleve->bOk->click();
        QCOMPARE(fin.size(), refuse ? 0 : 1);
        QCOMPARE(b.env.Messages.Textes(),
                 refuse ? QStringList{"Prénom déjà existant dans la liste. Choisir un autre prénom"}
                        : QStringList{});
    }
};

QTEST_MAIN(TstDialoguesDepart)
#include "tst_dialoguesdepart.moc"
