// The program's message boxes, shown for real: what each key and the window's close answer,
// the French texts of their buttons, the text shown with French typography, and the place
// over the window that asked.

#include "BancFenetres.h"
#include "ui/dialogs/BoiteMessage.h"
#include "ui/dialogs/DialogueAppreciation.h"
#include "ui/platform/ServicesQt.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QtTest/qtestaccessible.h>
#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

namespace {

// Plays the user's part on the box once it is up, then reports what it showed.
struct Joueur {
    QStringList boutons;
    QString titre;
    QString affiche;
    QPoint centreBoite;

    void Jouer(const std::function<void(BoiteMessage*)>& geste) {
        QTimer::singleShot(0, [this, geste] {
            QTRY_VERIFY(qobject_cast<BoiteMessage*>(QApplication::activeModalWidget()));
            auto* b = qobject_cast<BoiteMessage*>(QApplication::activeModalWidget());
            QTRY_VERIFY(b->isVisible());
            for (QPushButton* p : b->findChildren<QPushButton*>())
                boutons.append(p->text());
            titre = b->windowTitle();
            affiche = b->Texte()->text();
            centreBoite = b->frameGeometry().center();
            geste(b);
        });
    }
};

} // namespace

class TstBoiteMessage : public QObject {
    Q_OBJECT
private slots:
    // Each question and what each way of answering it gives.
    void reponses_data() {
        QTest::addColumn<QString>("sorte");
        QTest::addColumn<QString>(
            "geste"); // "Entrée", "Échap", "fermer", "Tab+Entrée", or a button
        QTest::addColumn<bool>("oui");
        QTest::addColumn<QStringList>("boutons");
        QTest::addColumn<QString>("titre");
        const QStringList ouiNon = {"Oui", "Non"};
        const QStringList okAnnuler = {"OK", "Annuler"};
        QTest::newRow("yes/no, Enter is yes") << "OuiNon" << "Entrée" << true << ouiNon << "T";
        QTest::newRow("yes/no, Escape is no") << "OuiNon" << "Échap" << false << ouiNon << "T";
        QTest::newRow("yes/no, closing is no") << "OuiNon" << "fermer" << false << ouiNon << "T";
        QTest::newRow("yes/no, Tab then Enter is no")
            << "OuiNon" << "Tab+Entrée" << false << ouiNon << "T";
        QTest::newRow("yes/no, click Non") << "OuiNon" << "Non" << false << ouiNon << "T";
        QTest::newRow("ok/cancel, Enter is OK")
            << "OkAnnuler" << "Entrée" << true << okAnnuler << "T";
        QTest::newRow("ok/cancel, closing cancels")
            << "OkAnnuler" << "fermer" << false << okAnnuler << "T";
        QTest::newRow("confirmation, Enter is yes")
            << "Confirmation" << "Entrée" << true << ouiNon << "Confirmation";
        QTest::newRow("confirmation, Escape is no")
            << "Confirmation" << "Échap" << false << ouiNon << "Confirmation";
    }
    void reponses() {
        QFETCH(QString, sorte);
        QFETCH(QString, geste);
        QFETCH(bool, oui);
        QFETCH(QStringList, boutons);
        QFETCH(QString, titre);
        BancFenetres banc;
        Etat.TitreApplication = "T";
        MessagesQt messages;
        Joueur j;
        j.Jouer([geste](BoiteMessage* b) {
            if (geste == u"Entrée")
                QTest::keyClick(b, Qt::Key_Return);
            else if (geste == u"Échap")
                QTest::keyClick(b, Qt::Key_Escape);
            else if (geste == u"fermer")
                b->close();
            else if (geste == u"Tab+Entrée") {
                QTest::keyClick(b->focusWidget(), Qt::Key_Tab);
                QTest::keyClick(b->focusWidget(), Qt::Key_Return);
            } else
                QTest::mouseClick(b->findChild<QPushButton*>("b" + geste), Qt::LeftButton);
        });
        bool r = false;
        if (sorte == u"OuiNon")
            r = messages.QuestionOuiNon("Veux-tu ?");
        else if (sorte == u"OkAnnuler")
            r = messages.QuestionOkAnnuler("Vraiment ?");
        else
            r = messages.Confirmation("Supprimer ?");
        QCOMPARE(r, oui);
        QCOMPARE(j.boutons, boutons);
        QCOMPARE(j.titre, titre);
    }

    // What the box shows never lets a punctuation mark start a line; it is centred over the
    // window that asked, wherever that window stands.
    void texteEtPlace() {
        EnvironnementTest env;
        QWidget fenetre;
        fenetre.resize(500, 300);
        fenetre.show();
        fenetre.move(120, 80);
        fenetre.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&fenetre));
        MessagesQt messages;
        Joueur j;
        j.Jouer([](BoiteMessage* b) { QTest::keyClick(b, Qt::Key_Return); });
        messages.Message(QString::fromUtf8("Bravo Zoé ! Veux-tu en sélectionner un autre ?"));
        QCOMPARE(j.affiche, QString::fromUtf8("Bravo Zoé\u202f! Veux-tu en sélectionner un "
                                              "autre\u202f?"));
        QVERIFY2((j.centreBoite - fenetre.frameGeometry().center()).manhattanLength() < 4,
                 qPrintable(QStringLiteral("%1,%2").arg(j.centreBoite.x()).arg(j.centreBoite.y())));
    }

    // A refusal quoting a long archive or item name, with or without spaces, stays inside the
    // screen, all of its text within reach.
    void texteLongDansLEcran_data() {
        QTest::addColumn<QString>("texte");
        QTest::newRow("names without a space")
            << QStringLiteral("Ces entrées sont refusées :\n") +
                   QStringList(30, QString(250, u'x') + QStringLiteral(".wav")).join(u'\n');
        QTest::newRow("a hundred lines")
            << QStringLiteral("Ces fichiers ont été laissés de côté :\n") +
                   QStringList(100, QStringLiteral("notes du maître.odt")).join(u'\n');
    }
    void texteLongDansLEcran() {
        QFETCH(QString, texte);
        BoiteMessage b(nullptr, BoiteMessage::Genre::Erreur, QStringLiteral("Plumelune"), texte,
                       {BoiteMessage::Ok}, BoiteMessage::Ok, BoiteMessage::Ok);
        b.show();
        QVERIFY(QTest::qWaitForWindowExposed(&b));
        const QRect ecran = b.screen()->availableGeometry();
        QVERIFY2(ecran.contains(b.frameGeometry()),
                 qPrintable(QStringLiteral("%1x%2").arg(b.width()).arg(b.height())));
        QVERIFY(b.Bouton(BoiteMessage::Ok)->isVisible());
    }
    // Each kind of box is an alert to a screen reader: read by its text (the feedback by its
    // sentence and its hint), its buttons by their captions, announced as it shows, with the
    // focus on its default answer.
    void alerte_data() {
        QTest::addColumn<QString>("sorte");
        QTest::addColumn<QStringList>("texte"); // the feedback's hint second
        QTest::addColumn<QStringList>("boutons");
        QTest::addColumn<QString>("parDefaut");
        QTest::newRow("feedback, right")
            << "Bon" << QStringList{"C'est bien, continue."} << QStringList{"Ok"} << "Ok";
        QTest::newRow("feedback, wrong with a hint")
            << "PasBon"
            << QStringList{"Ce n'est pas la bonne réponse. Essaie encore.", "Il manque un accent."}
            << QStringList{"Ok"} << "Ok";
        QTest::newRow("error") << "Erreur"
                               << QStringList{"Le son de cet item ne peut pas être lu : "
                                              "le fichier « chat.wav » est abîmé."}
                               << QStringList{"OK"} << "OK";
        QTest::newRow("question") << "Question" << QStringList{"Veux-tu recommencer ?"}
                                  << QStringList{"Oui", "Non"} << "Oui";
        QTest::newRow("ok or cancel, the default second")
            << "Aucun" << QStringList{"Tout effacer ?"} << QStringList{"OK", "Annuler"}
            << "Annuler";
        QTest::newRow("information")
            << "Information" << QStringList{"Le groupe a été créé."} << QStringList{"OK"} << "OK";
    }
    void alerte() {
        QFETCH(QString, sorte);
        QFETCH(QStringList, texte);
        QFETCH(QStringList, boutons);
        QFETCH(QString, parDefaut);
        EnvironnementTest env;
        // As when a screen reader listens: the platform's bridge on, its events recorded.
        QTestAccessibility::initialize();
        QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
        OublierEvenements();
        std::unique_ptr<QDialog> boite;
        if (sorte.startsWith(u"Bon") || sorte.startsWith(u"PasBon")) {
            auto* a = new DialogueAppreciation(nullptr);
            a->TexteMessage = texte.value(0);
            a->Indice = texte.value(1);
            a->TypeMessage = sorte;
            boite.reset(a);
        } else {
            using R = BoiteMessage::Reponse;
            const QMap<QString, R> reponses = {
                {"OK", R::Ok}, {"Annuler", R::Annuler}, {"Oui", R::Oui}, {"Non", R::Non}};
            const QMap<QString, BoiteMessage::Genre> genres = {
                {"Erreur", BoiteMessage::Genre::Erreur},
                {"Question", BoiteMessage::Genre::Question},
                {"Information", BoiteMessage::Genre::Information},
                {"Aucun", BoiteMessage::Genre::Aucun}};
            QList<R> liste;
            for (const QString& b : boutons)
                liste.append(reponses[b]);
            boite =
                std::make_unique<BoiteMessage>(nullptr, genres[sorte], "Plumelune", texte.value(0),
                                               liste, reponses[parDefaut], liste.last());
        }
        boite->show();
        QVERIFY(QTest::qWaitForWindowExposed(boite.get()));
        auto* focus = qobject_cast<QPushButton*>(boite->focusWidget());
        QTRY_VERIFY(focus && focus->hasFocus());
        QCOMPARE(qobject_cast<QPushButton*>(boite->focusWidget())->text(), parDefaut);

        QAccessibleInterface* ia = QAccessible::queryAccessibleInterface(boite.get());
        QVERIFY(ia);
        QCOMPARE(ia->role(), QAccessible::AlertMessage);
        QCOMPARE(ia->text(QAccessible::Name), texte.join(u'\n'));
        QStringList nommes;
        for (int i = 0; i < ia->childCount(); ++i)
            if (ia->child(i)->role() == QAccessible::Button)
                nommes.append(ia->child(i)->text(QAccessible::Name));
        QCOMPARE(nommes, boutons);
        QAccessibleEvent alerte(boite.get(), QAccessible::Alert);
        QTRY_VERIFY(QTestAccessibility::containsEvent(&alerte));
        boite.reset();
        OublierEvenements();
    }

private:
    // Qt's recorder keeps copies of the events it is sent; clearing its list does not free them.
    static void OublierEvenements() {
        qDeleteAll(QTestAccessibility::events());
        QTestAccessibility::clearEvents();
    }
};

QTEST_MAIN(TstBoiteMessage)
#include "tst_boitemessage.moc"
