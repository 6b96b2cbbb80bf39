// Texts that come from files (item names, records a pupil or a colleague may have edited,
// archive names) are shown as they are on every screen that shows them: a tag in them is never
// read as markup, which could make the program read any local file (`<img src="/dev/zero">`
// read it until memory ran out).

#include "BancFenetres.h"
#include "core/Etat.h"
#include "core/FichierTexte.h"
#include "ui/Fenetres.h"
#include "ui/dialogs/BoiteMessage.h"
#include "ui/setup/FenetreDepart.h"
#include "ui/teacher/FenetreBilans.h"
#include "ui/teacher/FenetreClasse.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTest>
#include <QTreeWidget>

namespace {

// A file nobody has: were it loaded, nothing would show, but the label would be rich text.
const QString balise = QStringLiteral("<img src=\"/plumelune-absent.png\">");

// What a widget shows of `texte` as markup: a label whose text Qt reads as rich text, or a
// tooltip that holds the tag unescaped.
QStringList LusCommeBalises(const QWidget* racine) {
    QStringList r;
    QList<const QWidget*> widgets{racine};
    for (const QWidget* w : racine->findChildren<QWidget*>())
        widgets.append(w);
    for (const QWidget* w : widgets) {
        if (const auto* l = qobject_cast<const QLabel*>(w)) {
            const bool riche = l->textFormat() == Qt::RichText ||
                               (l->textFormat() == Qt::AutoText && Qt::mightBeRichText(l->text()));
            if (riche && l->text().contains(QStringLiteral("<img")))
                r.append(w->objectName());
        }
        if (w->toolTip().contains(QStringLiteral("<img")))
            r.append(w->objectName() + QStringLiteral(" (bulle)"));
    }
    return r;
}

// The labels that show the tag as text: the test sees the payload reached the screen.
int MontrentLaBalise(const QWidget* racine) {
    int n = 0;
    for (const QLabel* l : racine->findChildren<QLabel*>())
        n += l->text().contains(QStringLiteral("<img")) ? 1 : 0;
    return n;
}

struct Classe : BancFenetres {
    QString cm1;
    Classe() {
        cm1 = Bilans + "CM1/";
        QDir().mkpath(cm1);
        Etat.ReponsesNecessaires = 3;
        // Missed at the first attempt and not mastered: a word to revise, and the class's
        // most missed word. The first line as a pupil typed it into his record, the second as
        // the studio codes it in a file name.
        const QByteArray detail = "07/12/2026 \xE0 14:03:27 - 2 items - Exercice sur [A]\r\n" +
                                  balise.toLatin1() + " : faux [4 s - 2 essais]\r\n" +
                                  "#inf#b#sup#gras#inf##sla#b#sup# : faux [4 s - 2 essais]\r\n"
                                  "\r\nTemps exercice : 1 min 12 s.\r\nScore : 2/10.\r\n";
        EcrireOctets(cm1 + "Paul.txt", "");
        EcrireOctets(cm1 + "Paul_Detail.txt", detail);
        EcrireOctets(cm1 + "Paul_Exos.txt", "07/12/2026 | Termin\xE9    |    2 /  10 | A\r\n");
        Etat.Choix.Groupe = "CM1";
        Etat.DossierGroupe = cm1;
        Etat.NomEleve = "Paul";
        ListesDuDepart("CM1", "Paul");
    }
};

} // namespace

class TstTextesBruts : public QObject {
    Q_OBJECT
private slots:
    // The pupil's "Voir mon bilan" and the teacher's "Progrès" tab: the words to revise.
    void progres_data() {
        QTest::addColumn<bool>("enseignant");
        QTest::newRow("pupil") << false;
        QTest::newRow("teacher") << true;
    }
    void progres() {
        QFETCH(bool, enseignant);
        Classe c;
        Etat.ModeEnseignant = enseignant;
        Services::Modal().Montrer(Fenetres::Bilans);
        Fenetres::Bilans->show();
        Fenetres::Bilans->onglets->setCurrentWidget(Fenetres::Bilans->ongletProgres);
        QTRY_VERIFY(MontrentLaBalise(Fenetres::Bilans) > 0);
        QCOMPARE(LusCommeBalises(Fenetres::Bilans), QStringList());
    }

    // "Mots que la classe rate": the list, its tooltips, and the word clicked.
    void motsDeLaClasse() {
        Classe c;
        Etat.ModeEnseignant = true;
        Services::Modal().Montrer(Fenetres::Bilans);
        Fenetres::Bilans->AttendreLectureDAvance();
        QStringList lus;
        int montres = 0;
        c.modal.Modal.Ajouter("fClasse", [&](QDialog* d) {
            auto* f = qobject_cast<FenetreClasse*>(d);
            [&] { QTRY_VERIFY(!f->CalculEnCours()); }();
            for (int i = 0; i < f->eMots->topLevelItemCount(); ++i) {
                f->eMots->setCurrentItem(f->eMots->topLevelItem(i));
                lus += LusCommeBalises(f);
                montres += MontrentLaBalise(f);
            }
            return 0;
        });
        QTest::mouseClick(Fenetres::Bilans->bClasse, Qt::LeftButton);
        QVERIFY(montres > 0);
        QCOMPARE(lus, QStringList());
    }

    // Every message box: the studio's "Supprimer l'item" quotes the item, the import quotes
    // the archive.
    void boiteMessage() {
        BoiteMessage boite(nullptr, BoiteMessage::Genre::Question, QStringLiteral("Plumelune"),
                           QStringLiteral("Supprimer l'item « %1 » ?").arg(balise),
                           {BoiteMessage::Oui, BoiteMessage::Non}, BoiteMessage::Oui,
                           BoiteMessage::Non);
        QCOMPARE(MontrentLaBalise(&boite), 1);
        QCOMPARE(LusCommeBalises(&boite), QStringList());
    }
};

QTEST_MAIN(TstTextesBruts)
#include "tst_textesbruts.moc"
