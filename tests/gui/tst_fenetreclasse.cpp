// The class window, opened from the teacher module: its rows, its sorting, the words the class
// misses and who missed them, the pupil opened by a double click, the export read back, printing
// and the refresh after a pupil's files change.

#include "BancFenetres.h"
#include "core/Etat.h"
#include "core/progress/TextesSuivi.h"
#include "ui/Fenetres.h"
#include "ui/setup/FenetreDepart.h"
#include "ui/teacher/FenetreBilans.h"
#include "ui/teacher/FenetreClasse.h"

#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTreeWidget>

namespace {

QByteArray Detail(const QStringList& rates) {
    QByteArray d = "07/12/2026 \xE0 14:03:27 - 3 items - Exercice sur [Animaux]\r\n";
    for (const QString& r : rates)
        d += r.toLatin1() + " : faux [4 s - 2 essais]\r\n";
    return d + "\r\nTemps exercice : 1 min 12 s.\r\nScore : 9/15.\r\n";
}

struct Classe : BancFenetres {
    QString cm1;
    Classe() {
        cm1 = Bilans + "CM1/";
        QDir().mkpath(cm1);
        Etat.ReponsesNecessaires = 3;
        Eleve("Paul", "chat|3\r\n", Detail({"chat", "chien", "château"}),
              "01/12/2026 | Interrompu |    2 /  10 | A\r\n"
              "07/12/2026 | Termin\xE9    |    9 /  10 | A\r\n");
        Eleve("L\xE9"
              "a",
              "", Detail({"chien", "château", "château"}),
              "03/12/2026 | Termin\xE9    |    4 /  10 | A\r\n"
              "texte ajout\xE9\r\n");
        Eleve("Zo\xE9", "", "", "");
        ListesDuDepart("CM1", "Paul");
    }
    void Eleve(const QByteArray& nom, const QByteArray& h, const QByteArray& d,
               const QByteArray& e) {
        const QString n = QString::fromLatin1(nom);
        EcrireOctets(cm1 + n + ".txt", h);
        EcrireOctets(cm1 + n + "_Detail.txt", d);
        EcrireOctets(cm1 + n + "_Exos.txt", e);
    }
    // Opens the teacher module, then the class window, where `script` plays the teacher.
    void Ouvrir(std::function<void(FenetreClasse*)> script) {
        Etat.ModeEnseignant = true;
        Services::Modal().Montrer(Fenetres::Bilans);
        // The teacher module reads the group ahead; what it read is known before the window.
        Fenetres::Bilans->AttendreLectureDAvance();
        modal.Modal.Ajouter("fClasse", [script](QDialog* d) {
            auto* f = qobject_cast<FenetreClasse*>(d);
            [&] { QTRY_VERIFY(!f->CalculEnCours()); }();
            script(f);
            return 0;
        });
        QTest::mouseClick(Fenetres::Bilans->bClasse, Qt::LeftButton);
        QCOMPARE(modal.Modal.Montres.last(), QStringLiteral("fClasse"));
    }
};

QStringList Colonne(const FenetreClasse* f, int colonne) {
    QStringList r;
    const auto* m = static_cast<const QStandardItemModel*>(f->eClasse->model());
    for (int i = 0; i < m->rowCount(); ++i)
        r.append(m->item(i, colonne)->text());
    return r;
}

} // namespace

class TstFenetreClasse : public QObject {
    Q_OBJECT
private slots:
    void lignesDeLaClasse() {
        Classe c;
        c.Ouvrir([](FenetreClasse* f) {
            QCOMPARE(f->lTitreClasse->text(), QStringLiteral("Classe : CM1"));
            QCOMPARE(Colonne(f, ColonneEleve), (QStringList{"Léa", "Paul", "Zoé"}));
            QCOMPARE(Colonne(f, ColonneExercices), (QStringList{"1", "2", "0"}));
            QCOMPARE(Colonne(f, ColonneTermines), (QStringList{"1", "1", "0"}));
            QCOMPARE(Colonne(f, ColonneDernier), (QStringList{"03/12/2026", "07/12/2026", ""}));
            QCOMPARE(Colonne(f, ColonneMoyenne), (QStringList{"40,0 %", "55,0 %", ""}));
            QCOMPARE(Colonne(f, ColonneMaitrises), (QStringList{"0", "1", "0"}));
            QCOMPARE(Colonne(f, ColonneARevoir), (QStringList{"2", "2", "0"}));
            QVERIFY(f->lEtatClasse->text().contains("3 élèves"));
            QVERIFY(f->lEtatClasse->text().contains("1 ligne illisible"));
            QVERIFY(f->lEtatClasse->toolTip().contains("Léa : 1 ligne illisible"));
        });
    }

    // Every column sorts, by value and not by the text shown.
    void tri_data() {
        QTest::addColumn<int>("colonne");
        QTest::addColumn<int>("ordre");
        QTest::addColumn<QStringList>("eleves");
        QTest::newRow("élève, décroissant")
            << int(ColonneEleve) << int(Qt::DescendingOrder) << QStringList{"Zoé", "Paul", "Léa"};
        QTest::newRow("exercices") << int(ColonneExercices) << int(Qt::AscendingOrder)
                                   << QStringList{"Zoé", "Léa", "Paul"};
        QTest::newRow("dernier, décroissant")
            << int(ColonneDernier) << int(Qt::DescendingOrder) << QStringList{"Paul", "Léa", "Zoé"};
        QTest::newRow("moyenne") << int(ColonneMoyenne) << int(Qt::AscendingOrder)
                                 << QStringList{"Zoé", "Léa", "Paul"};
        QTest::newRow("maîtrisés, décroissant") << int(ColonneMaitrises) << int(Qt::DescendingOrder)
                                                << QStringList{"Paul", "Léa", "Zoé"};
        QTest::newRow("à revoir") << int(ColonneARevoir) << int(Qt::AscendingOrder)
                                  << QStringList{"Zoé", "Léa", "Paul"};
    }
    void tri() {
        QFETCH(int, colonne);
        QFETCH(int, ordre);
        QFETCH(QStringList, eleves);
        Classe c;
        c.Ouvrir([&](FenetreClasse* f) {
            f->eClasse->sortByColumn(colonne, Qt::SortOrder(ordre));
            QCOMPARE(Colonne(f, ColonneEleve), eleves);
            // What is printed and exported follows the order shown.
            QStringList affichee;
            for (const StatistiquesEleve& e : f->ClasseAffichee().Eleves)
                affichee.append(e.Eleve);
            QCOMPARE(affichee, eleves);
        });
    }

    void motsDeLaClasse() {
        Classe c;
        c.Ouvrir([](FenetreClasse* f) {
            f->ongletsClasse->setCurrentWidget(f->ongletMots);
            QCOMPARE(f->eMots->topLevelItemCount(), 3);
            const auto ligne = [&](int i) {
                const QTreeWidgetItem* it = f->eMots->topLevelItem(i);
                return it->text(0) + "|" + it->text(2) + "|" + it->text(3);
            };
            QCOMPARE(ligne(0), QStringLiteral("château|2|3"));
            QCOMPARE(ligne(1), QStringLiteral("chien|2|2"));
            QCOMPARE(ligne(2), QStringLiteral("chat|1|1"));
            // What was typed instead, then the kinds it shows, one line each.
            QCOMPARE(f->eMots->topLevelItem(0)->text(1).section(u'\n', 0, 0),
                     QStringLiteral("faux ×3"));
            f->eMots->setCurrentItem(f->eMots->topLevelItem(0));
            QCOMPARE(f->eElevesMot->count(), 2);
            QCOMPARE(f->eElevesMot->item(0)->text(),
                     QStringLiteral("Léa : 2 fois, la dernière le 07/12/2026"));
            QCOMPARE(f->eElevesMot->item(1)->text(),
                     QStringLiteral("Paul : 1 fois, le 07/12/2026"));
        });
    }

    // A double click shows that pupil in the report form's views.
    void doubleClicOuvreLEleve() {
        Classe c;
        c.Ouvrir([](FenetreClasse* f) {
            f->show();
            QVERIFY(QTest::qWaitForWindowExposed(f));
            const QModelIndex lea = f->eClasse->model()->index(0, ColonneMaitrises);
            const QRect r = f->eClasse->visualRect(lea);
            QVERIFY(!r.isEmpty());
            // As the mouse does: a click, then the second click of the double click.
            QTest::mouseClick(f->eClasse->viewport(), Qt::LeftButton, {}, r.center());
            QTest::mouseDClick(f->eClasse->viewport(), Qt::LeftButton, {}, r.center());
            QVERIFY(!f->isVisible());
            QCOMPARE(f->EleveChoisi(), QStringLiteral("Léa"));
        });
        QCOMPARE(Fenetres::Bilans->cChoixEleve->currentText(), QStringLiteral("Léa"));
        QCOMPARE(Fenetres::Bilans->windowTitle(), QStringLiteral("Léa"));
        QVERIFY(Fenetres::Bilans->BilanExo->toPlainText().startsWith("03/12/2026"));
    }

    void fermerNeChangePasDEleve() {
        Classe c;
        c.Ouvrir([](FenetreClasse* f) { QTest::mouseClick(f->bFermerClasse, Qt::LeftButton); });
        QCOMPARE(Fenetres::Bilans->cChoixEleve->currentText(), QStringLiteral("Paul"));
    }

    void exporter_data() {
        QTest::addColumn<bool>("choisi");
        QTest::newRow("fichier choisi") << true;
        QTest::newRow("annulé") << false;
    }
    void exporter() {
        QFETCH(bool, choisi);
        Classe c;
        const QString chemin = c.env.Programme + "export/classe.csv";
        QDir().mkpath(c.env.Programme + "export");
        if (choisi)
            c.env.ChoixFichier.Reponses = {chemin};
        c.Ouvrir([](FenetreClasse* f) {
            f->eClasse->sortByColumn(ColonneMoyenne, Qt::DescendingOrder);
            QTest::mouseClick(f->bExporterClasse, Qt::LeftButton);
        });
        QCOMPARE(c.env.ChoixFichier.Proposes, QStringList{"Classe CM1.csv"});
        QCOMPARE(QFile::exists(chemin), choisi);
        if (!choisi) {
            QVERIFY(c.env.Messages.Appels.isEmpty());
            return;
        }
        const QByteArray octets = LireOctets(chemin);
        QVERIFY(octets.startsWith("\xEF\xBB\xBF"));
        const QStringList lignes = QString::fromUtf8(octets.mid(3)).split("\r\n");
        QCOMPARE(lignes.at(1).section(';', 0, 0), QStringLiteral("Paul")); // 55 % first
        QCOMPARE(lignes.at(1).section(';', 5, 5), QStringLiteral("55,0"));
        QCOMPARE(lignes.at(2).section(';', 0, 0), QStringLiteral("Léa"));
        // The kinds, worked out for the export only: three "faux", far from every word.
        QCOMPARE(lignes.at(1).section(';', 10, 10), QStringLiteral("3"));
        QCOMPARE(lignes.at(1).section(';', 19, 19), QStringLiteral("3"));
        QCOMPARE(c.env.Messages.Appels.size(), 1);
        QCOMPARE(c.env.Messages.Appels.at(0).Genre, QStringLiteral("Information"));
    }

    void exportImpossible() {
        Classe c;
        c.env.ChoixFichier.Reponses = {c.env.Programme + "dossier/absent/classe.csv"};
        c.Ouvrir([](FenetreClasse* f) { QTest::mouseClick(f->bExporterClasse, Qt::LeftButton); });
        QCOMPARE(c.env.Messages.Appels.size(), 1);
        QCOMPARE(c.env.Messages.Appels.at(0).Genre, QStringLiteral("Erreur"));
        QVERIFY(
            c.env.Messages.Appels.at(0).Texte.startsWith("Impossible d'enregistrer le fichier « "));
    }

    void impression_data() {
        QTest::addColumn<bool>("mots");
        QTest::addColumn<QString>("debut");
        QTest::newRow("la classe")
            << false << "Suivi de la classe : CM1 - 3 élèves - le 07/12/2026";
        QTest::newRow("les mots") << true << "Les mots que la classe rate le plus : CM1";
    }
    void impression() {
        QFETCH(bool, mots);
        QFETCH(QString, debut);
        Classe c;
        c.Ouvrir([&](FenetreClasse* f) {
            if (mots)
                f->ongletsClasse->setCurrentWidget(f->ongletMots);
            QTest::mouseClick(f->bImprimerClasse, Qt::LeftButton);
        });
        QCOMPARE(c.env.Imprimante.Configurations, 1);
        QCOMPARE(c.env.Imprimante.Imprimes.size(), 1);
        // The title is the printout's bold heading; the table follows.
        QVERIFY2(c.env.Imprimante.EnTetes.at(0).startsWith(debut),
                 qPrintable(c.env.Imprimante.EnTetes.at(0)));
        QVERIFY(c.env.Imprimante.Imprimes.at(0).contains(mots ? "Élèves  Erreurs" : "Moyenne"));
    }

    void impressionAnnulee() {
        Classe c;
        c.env.Imprimante.Accepter = false;
        c.Ouvrir([](FenetreClasse* f) { QTest::mouseClick(f->bImprimerClasse, Qt::LeftButton); });
        QVERIFY(c.env.Imprimante.Imprimes.isEmpty());
    }

    // The records were read ahead when the teacher module showed the group; after a pupil's
    // exercise the refresh shows it, and the others are not read again.
    void actualiser() {
        Classe c;
        c.Ouvrir([&](FenetreClasse* f) {
            QCOMPARE(f->Classe().Relus, 0);
            EcrireOctets(c.cm1 + "Zoé_Exos.txt", "08/12/2026 | Terminé    |   10 /  10 | A\r\n");
            QTest::mouseClick(f->bActualiserClasse, Qt::LeftButton);
            QTRY_VERIFY(!f->CalculEnCours());
            QCOMPARE(f->Classe().Relus, 1);
            QCOMPARE(Colonne(f, ColonneDernier).at(2), QStringLiteral("08/12/2026"));
        });
        // Opened again: the records still in memory, nothing is read.
        c.Ouvrir([](FenetreClasse* f) { QCOMPARE(f->Classe().Relus, 0); });
    }

    void groupeVide() {
        Classe c;
        QDir().mkpath(c.Bilans + "CE2");
        BancFenetres::ListesDuDepart("CE2", "Paul");
        c.Ouvrir([](FenetreClasse* f) {
            QCOMPARE(f->eClasse->model()->rowCount(), 0);
            QVERIFY(f->lEtatClasse->text().contains("Aucun élève"));
            QVERIFY(!f->bExporterClasse->isEnabled());
        });
    }
};

QTEST_MAIN(TstFenetreClasse)
#include "tst_fenetreclasse.moc"
