// The exercise dialogs on the real forms: the item-count choice, every way out of the quit
// dialog with the exact lines it leaves in the records, and the feedback message's sizing.

#include "ExerciceTest.h"
#include "ui/dialogs/DialogueAppreciation.h"
#include "ui/dialogs/DialogueNombreItems.h"
#include "ui/dialogs/DialogueQuitter.h"
#include "ui/setup/FenetreDepart.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSet>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

QStringList Items(int n) {
    QStringList r;
    for (int i = 1; i <= n; ++i)
        r.append(QStringLiteral("mot%1.wav").arg(i, 3, 10, QLatin1Char('0')));
    return r;
}

QStringList NomsDesItems() {
    QStringList r;
    for (const ItemExercice& i : Etat.Exercice.Items())
        r.append(i.Nom);
    return r;
}

QList<bool> ChoixActifs() {
    QList<bool> r;
    for (QRadioButton* b : {Fenetres::NombreItems->r4Items, Fenetres::NombreItems->r10Items,
                            Fenetres::NombreItems->r20Items, Fenetres::NombreItems->r40Items,
                            Fenetres::NombreItems->r60Items, Fenetres::NombreItems->r80Items,
                            Fenetres::NombreItems->r100Items})
        r.append(b->isEnabled());
    return r;
}

QRadioButton* ChoixParNom(const QString& nom) {
    return Fenetres::NombreItems->findChild<QRadioButton*>(nom);
}

// The quit dialog's script that presses one of its buttons.
std::function<int(QDialog*)> Presser(const char* bouton) {
    return [bouton](QDialog* d) {
        QTest::mouseClick(d->findChild<QPushButton*>(QString::fromLatin1(bouton)), Qt::LeftButton);
        return d->result();
    };
}

// Two minutes and five seconds of exercise on the first item.
void DeuxMinutesCinq() {
    Fenetres::Exercice->bJEcoute->click();
    for (int i = 0; i < 125; ++i)
        Fenetres::Exercice->CompterUneSeconde();
}

void RepondreFaux(const QString& texte) {
    Fenetres::Exercice->eSaisie->setText(texte);
    QTest::keyClick(Fenetres::Exercice->eSaisie, Qt::Key_Return);
}

const QByteArray EnTete = Ligne("07/12/2026 à 14:03:27 - 2 items - Exercice sur [Animaux]");

} // namespace

class TstDialogues : public QObject {
    Q_OBJECT
private slots:
    // ---- Item-count choice ----

    void seuilsDuChoix_data() {
        QTest::addColumn<int>("items");
        QTest::addColumn<QList<bool>>("actifs");
        QTest::addColumn<QString>("tous");
        QTest::newRow("5 items") << 5 << QList<bool>{true, false, false, false, false, false, false}
                                 << "5 items (25 points)";
        QTest::newRow("100 items") << 100 << QList<bool>{true, true, true, true, true, true, true}
                                   << "100 items (500 points)";
    }
    void seuilsDuChoix() {
        QFETCH(int, items);
        QFETCH(QList<bool>, actifs);
        QFETCH(QString, tous);
        ExerciceTest x;
        bool toutCoche = false;
        QList<bool> vus;
        QString libelle;
        x.modal.Modal.Ajouter("fChoixNbItems", [&](QDialog*) {
            vus = ChoixActifs();
            libelle = Fenetres::NombreItems->rTousLesItems->text();
            toutCoche = Fenetres::NombreItems->rTousLesItems->isChecked();
            QTest::mouseClick(Fenetres::NombreItems->bOk, Qt::LeftButton);
            return Fenetres::NombreItems->result();
        });
        x.Ouvrir("", x.Dossier("Mots", Items(items)));
        QCOMPARE(x.modal.Modal.Montres, (QStringList{"Form2", "fChoixNbItems"}));
        QCOMPARE(vus, actifs);
        QCOMPARE(libelle, tous);
        QVERIFY(toutCoche);
        QCOMPARE(Etat.Exercice.NbItems(), items); // "all" keeps them
        QCOMPARE(NomsDesItems(), Items(items));
        QCOMPARE(Fenetres::Exercice->lNoteMaxi->text(), QString::number(items * 5));
    }

    void pasDeChoixSousCinqItems() {
        ExerciceTest x;
        x.Ouvrir("", x.Dossier("Mots", Items(4)));
        QCOMPARE(x.modal.Modal.Montres, QStringList{"Form2"});
        QCOMPARE(Etat.Exercice.NbItems(), 4);
    }

    void choixDUnNombre_data() {
        QTest::addColumn<int>("items");
        QTest::addColumn<QString>("choix");
        QTest::addColumn<QList<int>>("tirages");
        QTest::addColumn<QStringList>("attendu");
        QTest::newRow("4 of 12, in draw order")
            << 12 << "rChoix1" << QList<int>{7, 0, 9, 2}
            << QStringList{"mot008.wav", "mot001.wav", "mot012.wav", "mot004.wav"};
        QTest::newRow("10 of exactly 10 keeps folder order")
            << 10 << "rChoix2" << QList<int>{5, 5, 5} << Items(10);
        QTest::newRow("20 of 25") << 25 << "rChoix3" << QList<int>(20, 0) << Items(20);
    }
    void choixDUnNombre() {
        QFETCH(int, items);
        QFETCH(QString, choix);
        QFETCH(QList<int>, tirages);
        QFETCH(QStringList, attendu);
        ExerciceTest x;
        x.modal.Modal.Ajouter("fChoixNbItems", [&](QDialog*) {
            QTest::mouseClick(ChoixParNom(choix), Qt::LeftButton);
            if (!ChoixParNom(choix)->isChecked() ||
                Fenetres::NombreItems->rTousLesItems->isChecked())
                return -1; // the choices are not one group
            QTest::mouseClick(Fenetres::NombreItems->bOk, Qt::LeftButton);
            x.env.Hasard.Bornes.clear();
            return Fenetres::NombreItems->result();
        });
        x.env.Hasard.Tirages = tirages;
        x.Ouvrir("", x.Dossier("Mots", Items(items)));
        QCOMPARE(NomsDesItems(), attendu);
        QCOMPARE(QSet<QString>(attendu.cbegin(), attendu.cend()).size(), attendu.size());
        QCOMPARE(Etat.Exercice.NbItems(), attendu.size());
        QCOMPARE(Fenetres::Exercice->lNoteMaxi->text(), QString::number(attendu.size() * 5));
        QCOMPARE(Fenetres::Exercice->lNbItemsTotal->text(), QString::number(attendu.size()));
        // The item drawn next is one of the kept ones.
        QVERIFY(attendu.contains(Etat.Exercice.ItemCourant()));
    }

    void phrasesDeProgression_data() {
        QTest::addColumn<QString>("eleve");
        QTest::addColumn<int>("dossier");
        QTest::addColumn<int>("items");
        QTest::addColumn<int>("reussis");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("37 in the folder, none mastered")
            << "Paul" << 37 << 37 << 3
            << QString::fromUtf8(
                   "Tu as éliminé 0 item sur 37.\rTu as réussi 3 items au moins une fois.");
        QTest::newRow("visitor") << "" << 9 << 9 << 0 << QString();
    }
    void phrasesDeProgression() {
        QFETCH(QString, eleve);
        QFETCH(int, dossier);
        QFETCH(int, items);
        QFETCH(int, reussis);
        QFETCH(QString, attendu);
        ExerciceTest x;
        Fenetres::NombreItems->lInfo->setText("reste d'une autre fois");
        Etat.NomEleve = eleve;
        Etat.NbItemsDejaReussis = reussis;
        x.Offrir(items);
        QCOMPARE(Etat.Exercice.NbItemsDossier(), dossier);
        Services::Modal().Montrer(Fenetres::NombreItems);
        QCOMPARE(Fenetres::NombreItems->lInfo->text(), attendu);
        QVERIFY(Fenetres::NombreItems->lInfo->wordWrap());
        QCOMPARE(Fenetres::NombreItems->lInfo->size(), QSize(233, 43));
    }

    // Each showing starts again from "all", whatever was picked the time before.
    void chaqueAffichageRepartDeTous() {
        ExerciceTest x;
        x.Offrir(40);
        x.modal.Modal.Ajouter("fChoixNbItems", [](QDialog*) {
            Fenetres::NombreItems->r10Items->click();
            Fenetres::NombreItems->bOk->click();
            return 1;
        });
        Services::Modal().Montrer(Fenetres::NombreItems);
        QCOMPARE(Etat.Exercice.NbItems(), 10);
        Services::Modal().Montrer(Fenetres::NombreItems);
        QVERIFY(Fenetres::NombreItems->rTousLesItems->isChecked());
        QCOMPARE(Fenetres::NombreItems->rTousLesItems->text(),
                 QStringLiteral("10 items (50 points)"));
        QCOMPARE(ChoixActifs(), (QList<bool>{true, true, false, false, false, false, false}));
        QVERIFY(Fenetres::NombreItems->bOk->isDefault());
    }

    // ---- Quit dialog ----

    // Leaving for another exercise: the lines of the interruption, byte for byte.
    void interruption_data() {
        QTest::addColumn<QString>("eleve");
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<QString>("faux"); // a wrong answer before leaving, or ""
        QTest::addColumn<QByteArray>("detail");
        QTest::addColumn<QByteArray>("journal");
        QTest::addColumn<QByteArray>("exos");
        const QByteArray interrompu = Ligne("Exercice interrompu après 2 min 5 s.") + Regle();
        QTest::newRow("open line closed first")
            << "Paul" << QStringList{"chat.wav", "chien.wav"} << "chta"
            << EnTete + "chat : chta\r\n" + interrompu
            << Regle() + EnTete + "chat : chta\r\n" + interrompu
            << Ligne("07/12/2026 | Interrompu |    0 /  10 | Animaux");
        QTest::newRow("no line open leaves an empty line")
            << "Paul" << QStringList{"chat.wav", "chien.wav"} << "" << EnTete + "\r\n" + interrompu
            << Regle() + EnTete + "\r\n" + interrompu
            << Ligne("07/12/2026 | Interrompu |    0 /  10 | Animaux");
        QTest::newRow("visitor: the journal only")
            << "" << QStringList{"chat.wav", "chien.wav"} << "chta" << QByteArray()
            << Regle() + EnTete + "chat : chta\r\n" + interrompu << QByteArray();
        QTest::newRow("no item: score and maximum 0")
            << "Paul" << QStringList{} << ""
            << "\r\n" + Ligne("Exercice interrompu après 0 s.") + Regle()
            << "\r\n" + Ligne("Exercice interrompu après 0 s.") + Regle()
            << Ligne("07/12/2026 | Interrompu |    0 /   0 | Animaux");
    }
    void interruption() {
        QFETCH(QString, eleve);
        QFETCH(QStringList, items);
        QFETCH(QString, faux);
        QFETCH(QByteArray, detail);
        QFETCH(QByteArray, journal);
        QFETCH(QByteArray, exos);
        ExerciceTest x;
        const QString animaux = x.Dossier("Animaux", items);
        const QString suite = x.Dossier("Couleurs", {"bleu.wav"});
        x.Ouvrir(eleve, animaux);
        if (!items.isEmpty()) {
            QVERIFY(Fenetres::Exercice->bJEcoute->isEnabled());
            DeuxMinutesCinq();
        }
        if (!faux.isEmpty())
            RepondreFaux(faux);
        QCOMPARE(Fenetres::Exercice->lNoteMaxi->text(), QString::number(items.size() * 5));

        x.ScripterDepart(eleve, suite);
        bool horlogeEnMarche = false;
        x.modal.Modal.Ajouter("fQuitter", [&](QDialog* d) {
            horlogeEnMarche = Fenetres::Exercice->horlogeItem->isActive();
            return Presser("bNouvelExo")(d);
        });
        QTest::keyClick(Fenetres::Exercice->eSaisie, Qt::Key_Escape);
        if (!items.isEmpty())
            QVERIFY(horlogeEnMarche); // the clock kept counting while the dialog was open

        // Only the new exercise's header follows the interruption.
        const QByteArray enTeteSuite =
            Ligne("07/12/2026 à 14:03:27 - 1 item - Exercice sur [Couleurs]");
        if (eleve.isEmpty()) {
            QVERIFY(!QFile::exists(x.FichierEleve("Paul", SuffixeDetail)));
            QVERIFY(QDir(Etat.CheminBilans + "CM1").entryList(QDir::Files).isEmpty());
        } else {
            QCOMPARE(LireOctets(x.FichierEleve(eleve, SuffixeDetail)), detail + enTeteSuite);
            QCOMPARE(LireOctets(x.FichierEleve(eleve, SuffixeExos)), exos);
        }
        QCOMPARE(LireOctets(x.Journal), journal + Regle() + enTeteSuite);

        // The new exercise is open, from a clean slate.
        QCOMPARE(x.modal.Modal.Montres.count("Form2"), 2);
        QCOMPARE(Etat.Exercice.Score(), 0);
        QCOMPARE(Fenetres::Exercice->lBonus->text(), QStringLiteral("5"));
        QCOMPARE(Fenetres::Exercice->lNote->text(), QStringLiteral("0"));
        QCOMPARE(Fenetres::Exercice->lNoteMaxi->text(), QStringLiteral("5"));
        QCOMPARE(Fenetres::Exercice->lDossierCourant->text(), QStringLiteral("Couleurs"));
        QCOMPARE(Etat.Exercice.ItemCourant(), QStringLiteral("bleu.wav"));
        QVERIFY(!Fenetres::Exercice->horlogeItem->isActive());
        QVERIFY(Fenetres::Quitter->isHidden());
    }

    void nouvelExerciceEnregistreLHistorique() {
        ExerciceTest x;
        x.Ouvrir("Paul", x.Dossier("Animaux", {"chat.wav", "chien.wav"}));
        Fenetres::Exercice->bJEcoute->click();
        Fenetres::Exercice->eSaisie->setText(Etat.Exercice.ItemCourant().chopped(4));
        QTest::keyClick(Fenetres::Exercice->eSaisie, Qt::Key_Return);
        QVERIFY(LireOctets(x.FichierEleve("Paul", SuffixeHistorique)).isEmpty());
        x.ScripterDepart("Paul", Etat.Choix.DossierExercice);
        x.modal.Modal.Ajouter("fQuitter", Presser("bNouvelExo"));
        Fenetres::Exercice->bStop->click();
        QCOMPARE(LireOctets(x.FichierEleve("Paul", SuffixeHistorique)), QByteArray("chat|1\r\n"));
        // The score of the exercise left stays in its summary line.
        QCOMPARE(LireOctets(x.FichierEleve("Paul", SuffixeExos)),
                 Ligne("07/12/2026 | Interrompu |    5 /  10 | Animaux"));
    }

    // An interruption right after the new exercise opens counts none of the old one's time.
    void nouvelExerciceRepartDeZero() {
        ExerciceTest x;
        const QString d = x.Dossier("Animaux", {"chat.wav", "chien.wav"});
        x.Ouvrir("Paul", d);
        DeuxMinutesCinq();
        x.ScripterDepart("Paul", d);
        x.modal.Modal.Ajouter("fQuitter", Presser("bNouvelExo"));
        Fenetres::Exercice->bStop->click();
        x.modal.Modal.Ajouter("fQuitter", Presser("bNouvelExo"));
        x.ScripterDepart("Paul", d);
        Fenetres::Exercice->bStop->click();
        const QByteArray detail = LireOctets(x.FichierEleve("Paul", SuffixeDetail));
        QVERIFY(detail.contains(Ligne("Exercice interrompu après 2 min 5 s.")));
        QVERIFY(detail.contains(Ligne("Exercice interrompu après 0 s.")));
    }

    void quitterLeProgramme_data() {
        QTest::addColumn<bool>("bruitage");
        QTest::addColumn<bool>("sonPresent");
        QTest::addColumn<QStringList>("joues");
        QTest::addColumn<QList<int>>("pauses");
        QTest::newRow("farewell sound heard whole")
            << true << true << QStringList{"chat.wav", "quitter.wav"} << QList<int>{3000};
        QTest::newRow("effects off") << false << true << QStringList{"chat.wav"} << QList<int>{};
        QTest::newRow("no farewell sound")
            << true << false << QStringList{"chat.wav"} << QList<int>{};
    }
    void quitterLeProgramme() {
        QFETCH(bool, bruitage);
        QFETCH(bool, sonPresent);
        QFETCH(QStringList, joues);
        QFETCH(QList<int>, pauses);
        ExerciceTest x;
        if (sonPresent)
            EcrireOctets(x.env.Programme + "quitter.wav", "RIFF");
        Etat.Bruitage = bruitage;
        x.Ouvrir("Paul", x.Dossier("Animaux", {"chat.wav", "chien.wav"}));
        DeuxMinutesCinq();
        RepondreFaux("chta");
        bool cacheAvantAdieu = false;
        x.modal.Modal.Ajouter("fQuitter", [&](QDialog* d) {
            // Clicked twice in a hurry: one interruption, one farewell.
            QObject::connect(Fenetres::Quitter->bQuitter, &QPushButton::clicked, Fenetres::Quitter,
                             [&] { cacheAvantAdieu = Fenetres::Quitter->isHidden(); });
            Fenetres::Quitter->bQuitter->click();
            Fenetres::Quitter->bQuitter->click();
            return d->result();
        });
        QTest::keyClick(Fenetres::Exercice->eSaisie, Qt::Key_Escape);
        QVERIFY(Fenetres::Exercice->Ferme());
        QVERIFY(!Fenetres::Exercice->isVisible());
        QVERIFY(cacheAvantAdieu);
        QCOMPARE(x.env.Son.Joues.size(), joues.size());
        for (int i = 0; i < joues.size(); ++i)
            QVERIFY2(x.env.Son.Joues.at(i).endsWith(joues.at(i)),
                     qPrintable(x.env.Son.Joues.at(i)));
        QCOMPARE(x.env.Pause.Pauses, pauses);
        QCOMPARE(LireOctets(x.FichierEleve("Paul", SuffixeDetail)),
                 EnTete + "chat : chta\r\n" + Ligne("Exercice interrompu après 2 min 5 s.") +
                     Regle());
        QCOMPARE(LireOctets(x.FichierEleve("Paul", SuffixeExos)),
                 Ligne("07/12/2026 | Interrompu |    0 /  10 | Animaux"));
        QVERIFY(!QFile::exists(x.Journal)); // the run's journal goes with the program
    }

    void annulerNeChangeRien_data() {
        QTest::addColumn<bool>("parEntree");
        QTest::newRow("Annuler clicked") << false;
        QTest::newRow("Enter in the dialog") << true;
    }
    void annulerNeChangeRien() {
        QFETCH(bool, parEntree);
        ExerciceTest x;
        x.Ouvrir("Paul", x.Dossier("Animaux", {"chat.wav", "chien.wav"}));
        DeuxMinutesCinq();
        RepondreFaux("chta");
        const QStringList fichiers = {x.FichierEleve("Paul", SuffixeDetail),
                                      x.FichierEleve("Paul", SuffixeExos),
                                      x.FichierEleve("Paul", SuffixeHistorique), x.Journal};
        QList<QByteArray> avant;
        for (const QString& f : fichiers)
            avant.append(LireOctets(f));
        const int tempsItem = Etat.Exercice.TempsItem();
        const int tempsTotal = Etat.Exercice.TempsTotal();
        const QString note = Fenetres::Exercice->lNote->text();
        const QString bonus = Fenetres::Exercice->lBonus->text();
        int resultat = -1;
        x.modal.Modal.Ajouter("fQuitter", [&](QDialog* d) {
            if (parEntree) {
                d->show();
                QTest::keyClick(d, Qt::Key_Return);
            } else {
                QTest::mouseClick(Fenetres::Quitter->bAnnuler, Qt::LeftButton);
            }
            resultat = d->result();
            return resultat;
        });
        Fenetres::Exercice->bStop->click();
        QCOMPARE(resultat, int(QDialog::Rejected));
        QVERIFY(!Fenetres::Quitter->isVisible());
        for (int i = 0; i < fichiers.size(); ++i)
            QCOMPARE(LireOctets(fichiers.at(i)), avant.at(i));
        QCOMPARE(Etat.Exercice.TempsItem(), tempsItem);
        QCOMPARE(Etat.Exercice.TempsTotal(), tempsTotal);
        QCOMPARE(Fenetres::Exercice->lNote->text(), note);
        QCOMPARE(Fenetres::Exercice->lBonus->text(), bonus);
        QVERIFY(Fenetres::Exercice->horlogeItem->isActive());
        QVERIFY(Fenetres::Exercice->eSaisie->isEnabled());
        QCOMPARE(x.modal.Modal.Montres.count("Form2"), 1);
    }

    // "Quitter" in the start form while a new exercise is being chosen: the program ends there.
    void quitterDepuisLeFormulaireDeDepart() {
        ExerciceTest x;
        x.Ouvrir("Paul", x.Dossier("Animaux", {"chat.wav", "chien.wav"}));
        DeuxMinutesCinq();
        QCOMPARE(Fenetres::Exercice->lDossierCourant->text(), QStringLiteral("Animaux"));
        x.modal.Modal.Ajouter("Form2", [](QDialog*) {
            Fenetres::Exercice->lDossierCourant->clear(); // to see that nothing comes after
            Fenetres::Exercice->close();
            return 0;
        });
        x.modal.Modal.Ajouter("fQuitter", Presser("bNouvelExo"));
        Fenetres::Exercice->bStop->click();
        QVERIFY(Fenetres::Exercice->Ferme());
        QCOMPARE(x.modal.Modal.Montres, (QStringList{"Form2", "fQuitter", "Form2"}));
        QCOMPARE(Fenetres::Exercice->lDossierCourant->text(), QString());
        QCOMPARE(Etat.Exercice.ItemCourant(), QStringLiteral("chat.wav"));
        QCOMPARE(LireOctets(x.FichierEleve("Paul", SuffixeExos)),
                 Ligne("07/12/2026 | Interrompu |    0 /  10 | Animaux"));
    }

    // Every form opens over the exercise window, where the pupil is looking, and stays whole
    // on the screen when that window stands against an edge or partly off it.
    void placeSurLaFenetreExercice_data() {
        QTest::addColumn<QString>("ou"); // where the exercise window stands
        QTest::newRow("in the middle of the screen") << "milieu";
        QTest::newRow("partly off the top-left corner") << "hautGauche";
        QTest::newRow("partly off the bottom-right corner") << "basDroit";
    }
    void placeSurLaFenetreExercice() {
        QFETCH(QString, ou);
        ExerciceTest x;
        FenetreExercice* exercice = Fenetres::Exercice;
        const QRect dispo = exercice->screen()->availableGeometry();
        QRect place(QPoint(0, 0), exercice->size());
        place.moveCenter(dispo.center());
        if (ou == u"hautGauche")
            place.moveTopLeft(dispo.topLeft() - QPoint(300, 200));
        else if (ou == u"basDroit")
            place.moveBottomRight(dispo.bottomRight() + QPoint(300, 200));
        exercice->move(place.topLeft());
        exercice->show();
        QVERIFY(QTest::qWaitForWindowExposed(exercice));
        QDialog* const formes[] = {Fenetres::Depart, Fenetres::Quitter, Fenetres::NombreItems};
        for (QDialog* forme : formes) {
            // Shown once first: a window's frame is known once the window exists.
            forme->show();
            forme->hide();
            forme->show();
            const QRect g = forme->frameGeometry();
            forme->hide();
            QVERIFY2(dispo.contains(g), qPrintable(forme->objectName()));
            if (ou == u"milieu")
                QVERIFY2((g.center() - exercice->geometry().center()).manhattanLength() <= 1,
                         qPrintable(forme->objectName()));
            else if (ou == u"hautGauche")
                QCOMPARE(g.topLeft(), dispo.topLeft());
            else
                QCOMPARE(g.bottomRight(), dispo.bottomRight());
        }
    }

    // Whatever the desktop's font, no caption is cut by its designed width.
    void libellesEntiers_data() {
        QTest::addColumn<QString>("forme");
        QTest::addColumn<int>("items");
        QTest::newRow("item-count choice, 5 items") << "fChoixNbItems" << 5;
        QTest::newRow("item-count choice, 4321 items") << "fChoixNbItems" << 4321;
        QTest::newRow("quit dialog") << "fQuitter" << 0;
    }
    void libellesEntiers() {
        QFETCH(QString, forme);
        QFETCH(int, items);
        ExerciceTest x;
        x.Offrir(items);
        QDialog* d = Fenetres::Exercice->findChild<QDialog*>(forme);
        Services::Modal().Montrer(d);
        const QList<QAbstractButton*> boutons = d->findChildren<QAbstractButton*>();
        QVERIFY(boutons.size() >= 3);
        for (QAbstractButton* b : boutons) {
            QVERIFY2(b->sizeHint().width() <= b->width(), qPrintable(b->text()));
            QVERIFY2(b->geometry().right() < d->width(), qPrintable(b->text()));
        }
    }

    // ---- Feedback message ----

    // Read by the pupil who reads the exercise: its type as large as the exercise's model
    // answer, the box centred on the exercise at each message's own size and never wider than
    // it, the hint under the message only when there is one; Escape answers it as Ok does.
    void messagesSuccessifs() {
        ExerciceTest x;
        FenetreExercice* exercice = Fenetres::Exercice;
        exercice->show();
        QVERIFY(QTest::qWaitForWindowExposed(exercice));
        DialogueAppreciation* a = Fenetres::Appreciation;
        // Shown once first: a window's frame is known once the window exists.
        a->show();
        a->hide();
        struct Message {
            const char* type;
            const char* texte;
            const char* indice;
        };
        const Message messages[] = {
            {"Bon", "C'est bien, continue.", ""},
            {"PasBon", "Ce n'est pas la bonne réponse. Essaie encore.",
             "Il y a une lettre en trop."},
            {"PasBon", "Non, la bonne réponse va s'afficher puis disparaître.", ""},
            {"bon", "J'essaie encore.", ""},
        };
        for (const Message& m : messages) {
            a->TexteMessage = QString::fromUtf8(m.texte);
            a->TypeMessage = QString::fromUtf8(m.type);
            a->Indice = QString::fromUtf8(m.indice);
            a->show();
            const QRect g = a->frameGeometry();
            QVERIFY2((g.center() - exercice->geometry().center()).manhattanLength() <= 1, m.texte);
            QVERIFY2(g.width() <= exercice->width(), m.texte);
            QVERIFY(a->lTexte->font().pixelSize() >= exercice->eModele->font().pixelSize());
            for (QWidget* w : {static_cast<QWidget*>(a->lTexte), static_cast<QWidget*>(a->bOk),
                               static_cast<QWidget*>(a->iBon)})
                QVERIFY2(a->rect().contains(w->geometry()), m.texte);
            QCOMPARE(a->lTexte->height(), a->lTexte->heightForWidth(a->lTexte->width()));
            QCOMPARE(a->lIndice->isVisibleTo(a), *m.indice != 0);
            QCOMPARE(a->iBon->isVisibleTo(a), a->TypeMessage == u"Bon");
            QCOMPARE(a->iPasBon->isVisibleTo(a), a->TypeMessage != u"Bon");
            QTest::keyClick(a->bOk, Qt::Key_Escape);
            QVERIFY(!a->isVisible());
            QCOMPARE(a->result(), int(QDialog::Accepted));
        }
    }
};

QTEST_MAIN(TstDialogues)
#include "tst_dialogues.moc"
