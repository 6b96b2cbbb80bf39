// The exercise screen driven as a pupil drives it: the controls through one item, the keys,
// the companions of an item, the clock, the accent help, and the names screen readers read.

#include "ExerciceTest.h"
#include "core/FichierTexte.h"
#include "ui/dialogs/DialogueAppreciation.h"
#include "ui/dialogs/DialogueNombreItems.h"
#include "ui/dialogs/DialogueQuitter.h"
#include "ui/exercise/FenetreAideAccents.h"
#include "ui/exercise/LigneCorrigee.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSizeGrip>
#include <QTest>
#include <QTextBlock>
#include <QTimer>
#include <QToolButton>

namespace {

// An item of the exercise as the session hands it to the player: its absolute path.
QString Item(const QString& nom) {
    return QDir(Etat.Choix.DossierExercice).filePath(nom);
}

// The answer of the current item typed and submitted with Enter.
void Repondre(const QString& texte) {
    Fenetres::Exercice->eSaisie->clear();
    QTest::keyClicks(Fenetres::Exercice->eSaisie, texte);
    QTest::keyClick(Fenetres::Exercice->eSaisie, Qt::Key_Return);
}

QString Juste() {
    QString r = Etat.Exercice.ItemCourant();
    r.chop(4);
    return r;
}

void Agir(const QString& action) {
    if (action == u"écoute")
        Fenetres::Exercice->bJEcoute->click();
    else if (action == u"lentement")
        Fenetres::Exercice->bJEcouteLent->click();
    else if (action == u"F2") { // wherever the focus is: the form takes what its controls leave
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : Fenetres::Exercice, Qt::Key_F2);
    } else if (action == u"faux")
        Repondre(QStringLiteral("xyz"));
    else if (action == u"juste")
        Repondre(Juste());
}

void Montrer(QWidget* w) {
    w->show();
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
}

} // namespace

class TstEcran : public QObject {
    Q_OBJECT
private slots:
    void etatsDesControles_data() {
        QTest::addColumn<QStringList>("actions");
        QTest::addColumn<bool>("ecoute");
        QTest::addColumn<bool>("saisie");
        QTest::addColumn<bool>("jaiEcrit");
        QTest::addColumn<bool>("horloge");
        QTest::addColumn<bool>("saisieActive"); // keyboard focus in the answer field
        QTest::addColumn<QString>("selection");
        QTest::newRow("item drawn")
            << QStringList{} << true << false << false << false << false << "";
        QTest::newRow("after a listen")
            << QStringList{"écoute"} << true << true << true << true << true << "";
        QTest::newRow("after a wrong answer")
            << QStringList{"écoute", "faux"} << true << true << true << true << true << "xyz";
        QTest::newRow("after a right answer, next item drawn")
            << QStringList{"écoute", "faux", "juste"} << true << false << false << false << false
            << "";
        QTest::newRow("listen again after a wrong answer")
            << QStringList{"écoute", "faux", "écoute"} << true << true << true << true << true
            << "xyz";
        QTest::newRow("after a slow listen")
            << QStringList{"lentement"} << true << true << true << true << true << "";
        QTest::newRow("F2 before the first listen")
            << QStringList{"F2"} << true << true << true << true << true << "";
        QTest::newRow("F2 in the answer field after a wrong answer")
            << QStringList{"écoute", "faux", "F2"} << true << true << true << true << true << "xyz";
        QTest::newRow("no item left, end declined")
            << QStringList{"écoute", "juste", "écoute", "juste"} << false << false << false << false
            << false << "";
    }
    void etatsDesControles() {
        QFETCH(QStringList, actions);
        ExerciceTest x;
        x.Ouvrir("Paul", x.Dossier("Animaux", {"chat.wav", "chien.wav"}));
        Montrer(Fenetres::Exercice);
        for (const QString& a : actions)
            Agir(a);
        QFETCH(bool, ecoute);
        QFETCH(bool, saisie);
        QFETCH(bool, jaiEcrit);
        QFETCH(bool, horloge);
        QFETCH(bool, saisieActive);
        QFETCH(QString, selection);
        QCOMPARE(Fenetres::Exercice->bJEcoute->isEnabled(), ecoute);
        QCOMPARE(Fenetres::Exercice->bJEcouteLent->isEnabled(), ecoute);
        QCOMPARE(Fenetres::Exercice->eSaisie->isEnabled(), saisie);
        QCOMPARE(Fenetres::Exercice->bJaiEcrit->isEnabled(), jaiEcrit);
        QCOMPARE(Fenetres::Exercice->horlogeItem->isActive(), horloge);
        QCOMPARE(QApplication::focusWidget() == Fenetres::Exercice->eSaisie, saisieActive);
        QCOMPARE(Fenetres::Exercice->eSaisie->selectedText(), selection);
    }

    void entreeAvantLaPremiereEcoute() {
        ExerciceTest x;
        x.Ouvrir("Paul", x.Dossier("Animaux", {"chat.wav"}));
        QTest::keyClick(Fenetres::Exercice->eSaisie, Qt::Key_Return);
        QVERIFY(x.env.Son.Joues.isEmpty());
        QCOMPARE(Etat.Exercice.Essais(), 0);
        QVERIFY(!x.modal.Modal.Montres.contains("fMessagePerso"));
        // Enter on the form itself plays the item.
        QTest::keyClick(Fenetres::Exercice, Qt::Key_Return);
        QCOMPARE(x.env.Son.Joues, QStringList{Item("chat.wav")});
        QVERIFY(Fenetres::Exercice->eSaisie->isEnabled());
        QCOMPARE(Etat.Exercice.Essais(), 0);
        // Once listened, Enter on the form submits the answer instead of playing again.
        QTest::keyClick(Fenetres::Exercice, Qt::Key_Return);
        QCOMPARE(x.env.Son.Joues, QStringList{Item("chat.wav")});
        QCOMPARE(Etat.Exercice.Essais(), 1);
    }

    // "J'écoute lentement" plays the item at 70 % of its pace and is a listen like any other:
    // the first one shows the companion and starts the clock, a later one only plays. F2 held
    // down is one listen; ECOUTE LENTE = NON takes the button and its key away.
    void ecouteLente_data() {
        QTest::addColumn<bool>("offerte");
        QTest::newRow("offered") << true;
        QTest::newRow("ECOUTE LENTE = NON") << false;
    }
    void ecouteLente() {
        if (!EcouteLenteIntegree)
            QSKIP("built without SoundTouch: no slow listen");
        QFETCH(bool, offerte);
        ExerciceTest x;
        Etat.EcouteLente = offerte;
        const QString dossier = x.Dossier("Animaux", {"chat.wav"});
        EcrireOctets(dossier + "/CHAT.TXT", "Il miaule.\r\n");
        x.Ouvrir("Paul", dossier);
        Montrer(Fenetres::Exercice);
        QCOMPARE(Fenetres::Exercice->bJEcouteLent->isVisible(), offerte);
        QTest::keyClick(Fenetres::Exercice, Qt::Key_F2);
        Repetition(Fenetres::Exercice, Qt::Key_F2);
        if (!offerte) {
            QVERIFY(x.env.Son.Joues.isEmpty());
            QVERIFY(!Fenetres::Exercice->eSaisie->isEnabled());
            return;
        }
        QCOMPARE(x.env.Son.Joues, QStringList{Item("chat.wav")});
        QCOMPARE(x.env.Son.Vitesses, QVector<double>{VitesseLente});
        QCOMPARE(Fenetres::Exercice->mMessage->toPlainText(), QStringLiteral("Il miaule."));
        QVERIFY(Fenetres::Exercice->horlogeItem->isActive());
        Fenetres::Exercice->CompterUneSeconde();
        Fenetres::Exercice->bJEcoute->click(); // the first listen was the slow one
        Fenetres::Exercice->CompterUneSeconde();
        QCOMPARE(x.env.Son.Vitesses, (QVector<double>{VitesseLente, 1}));
        QCOMPARE(Fenetres::Exercice->mMessage->toPlainText(), QStringLiteral("Il miaule."));
        Repondre("chat");
        QCOMPARE(Etat.Exercice.Score(), 5);
    }

    // Enter held down: the first press listens; the keyboard's repeats, which then reach the
    // answer field, are no answer. Only a fresh press submits.
    void toucheMaintenue_data() {
        QTest::addColumn<int>("touche");
        QTest::addColumn<bool>("surLeFormulaire"); // the repeats land on the form, not the field
        QTest::newRow("Enter, repeats in the field") << int(Qt::Key_Return) << false;
        QTest::newRow("keypad Enter, repeats in the field") << int(Qt::Key_Enter) << false;
        QTest::newRow("Enter, repeats on the form") << int(Qt::Key_Return) << true;
    }
    void toucheMaintenue() {
        QFETCH(int, touche);
        QFETCH(bool, surLeFormulaire);
        ExerciceTest x;
        x.Ouvrir("Paul", x.Dossier("Animaux", {"chat.wav"}));
        QTest::keyClick(Fenetres::Exercice, Qt::Key(touche)); // the fresh press: a listen
        QCOMPARE(x.env.Son.Joues, QStringList{Item("chat.wav")});
        QWidget* cible = surLeFormulaire ? static_cast<QWidget*>(Fenetres::Exercice)
                                         : Fenetres::Exercice->eSaisie;
        for (int i = 0; i < 10; ++i)
            Repetition(cible, touche);
        QCOMPARE(Etat.Exercice.Essais(), 0);
        QCOMPARE(x.env.Son.Joues, QStringList{Item("chat.wav")});
        QVERIFY(!x.modal.Modal.Montres.contains("fMessagePerso"));
        QCOMPARE(LireOctets(x.FichierEleve("Paul", SuffixeDetail)),
                 Ligne("07/12/2026 à 14:03:27 - 1 item - Exercice sur [Animaux]"));
        // Released and pressed again: that one is an answer.
        QTest::keyClick(Fenetres::Exercice->eSaisie, Qt::Key(touche));
        QCOMPARE(Etat.Exercice.Essais(), 1);
    }

    // A held Escape opens the quit dialog once, from its first press only.
    void echapMaintenu() {
        ExerciceTest x;
        x.Ouvrir("Paul", x.Dossier("Animaux", {"chat.wav"}));
        Fenetres::Exercice->bJEcoute->click();
        for (int i = 0; i < 5; ++i)
            Repetition(Fenetres::Exercice->eSaisie, Qt::Key_Escape);
        QVERIFY(!x.modal.Modal.Montres.contains("fQuitter"));
    }

    // Escape opens the quit dialog once, however often it is pressed meanwhile.
    void echapOuvreLeDialogueUneFois_data() {
        QTest::addColumn<bool>("dansLaSaisie");
        QTest::newRow("in the answer field") << true;
        QTest::newRow("on the form") << false;
    }
    void echapOuvreLeDialogueUneFois() {
        QFETCH(bool, dansLaSaisie);
        ExerciceTest x;
        x.Ouvrir("Paul", x.Dossier("Animaux", {"chat.wav"}));
        Fenetres::Exercice->bJEcoute->click();
        QWidget* cible =
            dansLaSaisie ? static_cast<QWidget*>(Fenetres::Exercice->eSaisie) : Fenetres::Exercice;
        x.modal.Modal.Ajouter("fQuitter", [cible](QDialog*) {
            QTest::keyClick(cible, Qt::Key_Escape);
            QTest::keyClick(cible, Qt::Key_Escape);
            return 0;
        });
        QTest::keyClick(cible, Qt::Key_Escape);
        QCOMPARE(x.modal.Modal.Montres.count("fQuitter"), 1);
        // Back in the exercise, Escape opens it again.
        QTest::keyClick(cible, Qt::Key_Escape);
        QCOMPARE(x.modal.Modal.Montres.count("fQuitter"), 2);
    }

    // A second Enter while the first answer is being dealt with is not a second answer. A
    // wrong answer's line stays open in the session until it is whole.
    void deuxEntreesRapides_data() {
        QTest::addColumn<QString>("reponse");
        QTest::addColumn<int>("score");
        QTest::addColumn<QByteArray>("detail");
        QTest::addColumn<QString>("ouverte");
        QTest::newRow("right answer")
            << "chat" << 5 << QByteArray("chat : [0 s - 1 essai]\r\n") << "";
        QTest::newRow("wrong answer") << "cha" << 0 << QByteArray() << "chat : cha";
    }
    void deuxEntreesRapides() {
        QFETCH(QString, reponse);
        QFETCH(int, score);
        QFETCH(QByteArray, detail);
        QFETCH(QString, ouverte);
        ExerciceTest x;
        x.Ouvrir("Paul", x.Dossier("Animaux", {"chat.wav", "chien.wav"}));
        const QByteArray avant = LireOctets(x.FichierEleve("Paul", SuffixeDetail));
        Fenetres::Exercice->bJEcoute->click();
        x.modal.Modal.Ajouter("fMessagePerso", [](QDialog*) {
            QTest::keyClick(Fenetres::Exercice->eSaisie, Qt::Key_Return);
            QTest::keyClick(Fenetres::Exercice, Qt::Key_Return);
            return 1;
        });
        Repondre(reponse);
        QCOMPARE(x.modal.Modal.Montres.count("fMessagePerso"), 1);
        QCOMPARE(Etat.Exercice.Score(), score);
        QCOMPARE(LireOctets(x.FichierEleve("Paul", SuffixeDetail)), avant + detail);
        QCOMPARE(Etat.Exercice.LigneOuverte(), ouverte);
    }

    void compagnons_data() {
        QTest::addColumn<QString>("nomTexte");
        QTest::addColumn<QByteArray>("texte");
        QTest::addColumn<QString>("nomImage");
        QTest::addColumn<QString>("image"); // "valide", "tronquee", "abimee" or "" for none
        QTest::addColumn<QString>("attendu");
        QTest::addColumn<bool>("imageItem");
        QTest::newRow("CHAT.TXT in Windows-1252 and Chat.jpg")
            << "CHAT.TXT"
            << QByteArray("Le chat a des moustaches.\r\nIl ronronne \xe0 c\xf4t\xe9 du feu.\r\n")
            << "Chat.jpg"
            << "valide"
            << QString::fromUtf8("Le chat a des moustaches.\nIl ronronne à côté du feu.") << true;
        QTest::newRow("chat.txt in UTF-8 with LF")
            << "chat.txt" << QByteArray("Il ronronne \xc3\xa0 c\xc3\xb4t\xc3\xa9 du feu.\nFin\n")
            << "CHAT.JPG"
            << "valide" << QString::fromUtf8("Il ronronne à côté du feu.\nFin") << true;
        QTest::newRow("UTF-8 with BOM and CR line ends")
            << "Chat.Txt"
            << QByteArray("\xef\xbb\xbf"
                          "\xc3\xa9t\xc3\xa9\rhiver\r")
            << ""
            << "" << QString::fromUtf8("été\nhiver") << false;
        QTest::newRow("truncated picture keeps the default one")
            << "CHAT.TXT" << QByteArray("miaou\r\n") << "Chat.jpg"
            << "tronquee"
            << "miaou" << false;
        QTest::newRow("damaged picture keeps the default one")
            << "CHAT.TXT" << QByteArray("miaou\r\n") << "Chat.jpg"
            << "abimee"
            << "miaou" << false;
        QTest::newRow("no companion at all") << "" << QByteArray() << ""
                                             << ""
                                             << "" << false;
    }
    void compagnons() {
        QFETCH(QString, nomTexte);
        QFETCH(QByteArray, texte);
        QFETCH(QString, nomImage);
        QFETCH(QString, image);
        QFETCH(QString, attendu);
        QFETCH(bool, imageItem);
        ExerciceTest x;
        QImage defaut(20, 20, QImage::Format_RGB32);
        defaut.fill(Qt::green);
        QVERIFY(defaut.save(x.env.Programme + "qvx_pardefaut.bmp", "BMP"));
        const QString d = x.Dossier("Animaux", {"chat.wav"});
        if (!nomTexte.isEmpty())
            EcrireOctets(d + "/" + nomTexte, texte);
        if (!image.isEmpty()) {
            QByteArray jpeg =
                LireOctets(QStringLiteral(PLUMELUNE_DEMO) + "/_Medias/Les animaux/Chat.jpg");
            QVERIFY(jpeg.size() > 1000);
            if (image == u"tronquee")
                jpeg.truncate(jpeg.size() / 2);
            else if (image == u"abimee")
                jpeg = QByteArray("\xff\xd8\xff\xe0") + QByteArray(3000, '\x5a');
            EcrireOctets(d + "/" + nomImage, jpeg);
        }
        x.Ouvrir("Paul", d);
        QVERIFY(Fenetres::Exercice->mMessage->toPlainText().isEmpty());
        QVERIFY(Fenetres::Exercice->iExplication->isVisibleTo(Fenetres::Exercice));
        const qint64 imageDefaut = Fenetres::Exercice->iExplication->pixmap().cacheKey();

        Fenetres::Exercice->bJEcoute->click();
        QCOMPARE(Fenetres::Exercice->mMessage->toPlainText(), attendu);
        QVERIFY(Fenetres::Exercice->iExplication->isVisibleTo(Fenetres::Exercice));
        QCOMPARE(Fenetres::Exercice->iExplication->pixmap().cacheKey() != imageDefaut, imageItem);
        QVERIFY(x.env.Messages.Appels.isEmpty());

        // Listening again only plays the sound.
        const qint64 apres = Fenetres::Exercice->iExplication->pixmap().cacheKey();
        Fenetres::Exercice->bJEcoute->click();
        QCOMPARE(Fenetres::Exercice->mMessage->toPlainText(), attendu);
        QCOMPARE(Fenetres::Exercice->iExplication->pixmap().cacheKey(), apres);
        QCOMPARE(x.env.Son.Joues, (QStringList{Item("chat.wav"), Item("chat.wav")}));
    }

    // A companion text longer than its box is shown from its first line, not its last.
    void compagnonLongLuDuDebut() {
        ExerciceTest x;
        const QString d = x.Dossier("Animaux", {"chat.wav"});
        QByteArray texte;
        for (int i = 1; i <= 40; ++i)
            texte += "Ligne " + QByteArray::number(i) + "\r\n";
        EcrireOctets(d + "/CHAT.TXT", texte);
        x.Ouvrir("Paul", d);
        Fenetres::Exercice->show();
        Fenetres::Exercice->bJEcoute->click();
        const QScrollBar* barre = Fenetres::Exercice->mMessage->verticalScrollBar();
        QVERIFY(barre->maximum() > 0); // the text does overflow the box
        QCOMPARE(barre->value(), 0);
        QCOMPARE(Fenetres::Exercice->mMessage->cursorForPosition(QPoint(4, 4)).block().text(),
                 QStringLiteral("Ligne 1"));
    }

    void horloge_data() {
        QTest::addColumn<int>("total");
        QTest::addColumn<int>("secondes");
        QTest::addColumn<QString>("affiche");
        QTest::newRow("first second of the exercise") << 0 << 1 << " 0 h  0 min  1 s";
        QTest::newRow("earlier items count") << 120 << 5 << " 0 h  2 min  5 s";
        QTest::newRow("past an hour") << 3599 << 3 << " 1 h  0 min  2 s";
        QTest::newRow("two-digit fields") << 36000 + 59 * 60 << 58 << "10 h 59 min 58 s";
    }
    void horloge() {
        QFETCH(int, total);
        QFETCH(int, secondes);
        QFETCH(QString, affiche);
        ExerciceTest x;
        x.Ouvrir("Paul", x.Dossier("Animaux", {"chat.wav", "chien.wav"}));
        if (total > 0) { // the first item took that long
            Fenetres::Exercice->bJEcoute->click();
            for (int i = 0; i < total; ++i)
                Fenetres::Exercice->CompterUneSeconde();
            Repondre(Juste());
        }
        Fenetres::Exercice->bJEcoute->click();
        for (int i = 0; i < secondes; ++i)
            Fenetres::Exercice->CompterUneSeconde();
        QCOMPARE(Etat.Exercice.TempsItem(), secondes);
        QCOMPARE(Fenetres::Exercice->lTemps->text(), affiche);
    }

    // An item answered right has had its time counted: it is not counted again later.
    void tempsDUnItemCompteUneFois() {
        ExerciceTest x;
        x.Ouvrir("Paul", x.Dossier("Animaux", {"chat.wav", "chien.wav"}));
        Fenetres::Exercice->bJEcoute->click();
        for (int i = 0; i < 10; ++i)
            Fenetres::Exercice->CompterUneSeconde();
        Repondre(Juste());
        QCOMPARE(Etat.Exercice.TempsTotal(), 10);
        x.modal.Modal.Ajouter("fQuitter", [](QDialog* d) {
            static_cast<DialogueQuitter*>(d)->bNouvelExo->click();
            return d->result();
        });
        x.ScripterDepart("Paul", Etat.Choix.DossierExercice);
        Fenetres::Exercice->bStopClick();
        QVERIFY(LireOctets(x.Journal).contains("Exercice interrompu apr\xe8s 10 s.\r\n"));
    }

    // The pupil's answer above the model: his own text as typed, its mark (a letter too many)
    // where it differs, said in words to a screen reader; a long one drawn smaller, never cut.
    void corrigeSousLesYeux() {
        ExerciceTest x;
        x.Ouvrir("Paul", x.Dossier("Animaux", {"chat.wav"}));
        Fenetres::Exercice->bJEcoute->click();
        for (const char* r : {"x", "y", "z", "c<hat"})
            Repondre(QString::fromUtf8(r));
        LigneCorrigee* ligne = Fenetres::Exercice->lCorrige;
        const QList<SegmentCorrige> attendu = {{"c", MarqueCorrige::Aucune},
                                               {"<", MarqueCorrige::LettreEnTrop},
                                               {"hat", MarqueCorrige::Aucune}};
        QCOMPARE(ligne->Segments(), attendu);
        QCOMPARE(Fenetres::Exercice->eModele->text(), QStringLiteral("chat"));
        QCOMPARE(Fenetres::Exercice->eModele->accessibleDescription(),
                 QStringLiteral("Tu as écrit c<hat. Il fallait écrire chat."));
        QCOMPARE(ligne->TaillePolice(), LigneCorrigee::TailleNormale);
        Repondre(QStringLiteral("le petit chat de la voisine dort au soleil"));
        QVERIFY(ligne->TaillePolice() < LigneCorrigee::TailleNormale);
        QVERIFY(ligne->LargeurLigne() <= ligne->width());
        Repondre(QStringLiteral("chat"));
        QVERIFY(ligne->Segments().isEmpty());
        QVERIFY(Fenetres::Exercice->eModele->accessibleDescription().isEmpty());
    }

    void aideAuxAccents() {
        ExerciceTest x;
        QSize vue;
        x.modal.Modal.Ajouter("CPEcr", [&vue](QDialog* d) {
            vue = d->size();
            return 0;
        });
        QTest::mouseClick(Fenetres::Exercice->bClavier, Qt::LeftButton);
        QCOMPARE(x.modal.Modal.Montres, QStringList{"CPEcr"});
        QCOMPARE(vue, QSize(384, 311));
        QCOMPARE(Fenetres::AideAccents->windowTitle(), QStringLiteral("Aide"));
        QVERIFY(Fenetres::AideAccents->windowFlags() & Qt::WindowCloseButtonHint);
        QVERIFY(!Fenetres::AideAccents->iAccents->pixmap().isNull());
        QVERIFY(Fenetres::AideAccents->iAccents->hasScaledContents());

        // Shown for real: the picture fills the window at any size, and Escape closes it.
        Montrer(Fenetres::AideAccents);
        QCOMPARE(Fenetres::AideAccents->size(), QSize(384, 311));
        QCOMPARE(Fenetres::AideAccents->iAccents->geometry(), Fenetres::AideAccents->rect());
        Fenetres::AideAccents->resize(700, 520);
        QTRY_COMPARE(Fenetres::AideAccents->iAccents->geometry(), Fenetres::AideAccents->rect());
        Fenetres::AideAccents->resize(200, 160);
        QTRY_COMPARE(Fenetres::AideAccents->iAccents->geometry(), Fenetres::AideAccents->rect());
        QTest::keyClick(Fenetres::AideAccents, Qt::Key_Escape);
        QVERIFY(!Fenetres::AideAccents->isVisible());
        QCOMPARE(Fenetres::AideAccents->result(), int(QDialog::Rejected));
        // And so does its close button.
        Montrer(Fenetres::AideAccents);
        QVERIFY(Fenetres::AideAccents->close());
        QVERIFY(!Fenetres::AideAccents->isVisible());
    }

    // Every control of these forms goes by a name, so tests and screen readers can find it.
    void chaqueControleANom_data() {
        QTest::addColumn<QString>("forme");
        for (const char* f : {"Form1", "fChoixNbItems", "fQuitter", "fMessagePerso", "CPEcr",
                              "Form2", "fNouvelEleve", "fMotDePasse", "fBilans"})
            QTest::newRow(f) << QString::fromLatin1(f);
    }
    void chaqueControleANom() {
        QFETCH(QString, forme);
        ExerciceTest x;
        QWidget* f = forme == u"Form1" ? static_cast<QWidget*>(Fenetres::Exercice)
                                       : Fenetres::Exercice->findChild<QWidget*>(forme);
        QVERIFY(f);
        // Forms build their controls at their first showing.
        if (auto* d = qobject_cast<QDialog*>(f))
            Services::Modal().Montrer(d);
        int controles = 0;
        for (QWidget* w : f->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (qobject_cast<QDialog*>(w) || qobject_cast<QSizeGrip*>(w))
                continue; // the other forms; the window's own resize corner
            ++controles;
            QVERIFY2(!w->objectName().isEmpty(), w->metaObject()->className());
            if (qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w))
                QVERIFY2(!NomAccessible(w).isEmpty(), qPrintable(w->objectName()));
        }
        QVERIFY(controles > 0);
    }
};

QTEST_MAIN(TstEcran)
#include "tst_ecran.moc"
