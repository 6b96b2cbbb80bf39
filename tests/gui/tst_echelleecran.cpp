// Every window at the scales the program draws at (1, 1,5 and 2): each control stays inside
// its window and no caption or value is cut, with the contents the pupil and the teacher
// really see (an exercise open, the feedback's longest message, a folder of thousands of
// items, the teacher module).

#include "ExerciceTest.h"
#include "core/progress/SuiviClasse.h"
#include "ui/dialogs/DialogueAppreciation.h"
#include "ui/dialogs/DialogueNombreItems.h"
#include "ui/dialogs/DialogueQuitter.h"
#include "ui/exercise/FenetreAideAccents.h"
#include "ui/exercise/FenetreExercice.h"
#include "ui/platform/EchelleQt.h"
#include "ui/setup/DialogueMotDePasse.h"
#include "ui/setup/DialogueNouvelEleve.h"
#include "ui/setup/FenetreDepart.h"
#include "ui/studio/FenetreStudio.h"
#include "ui/teacher/FenetreBilans.h"
#include "ui/teacher/FenetreClasse.h"

#include <QAbstractButton>
#include <QBuffer>
#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

namespace {

// What is wrong with the controls of `fenetre`, one line each; empty when all is well.
QStringList Defauts(QWidget* fenetre) {
    QStringList defauts;
    const QRect cadre = fenetre->rect();
    for (QWidget* w : fenetre->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(fenetre) || w->isWindow())
            continue;
        const QString nom = w->objectName().isEmpty()
                                ? QString::fromLatin1(w->metaObject()->className())
                                : w->objectName();
        const QRect place(w->mapTo(fenetre, QPoint(0, 0)), w->size());
        if (!cadre.contains(place))
            defauts.append(nom + QStringLiteral(" dépasse de sa fenêtre"));
        if (auto* l = qobject_cast<QLabel*>(w); l && !l->text().isEmpty()) {
            const QRect dedans = l->contentsRect();
            if (l->wordWrap()) {
                // The label's whole height for its whole width, frame included.
                if (l->heightForWidth(l->width()) > l->height() + 1)
                    defauts.append(nom + QStringLiteral(" : texte coupé en hauteur"));
            } else {
                for (const QString& ligne : l->text().split(QRegularExpression("[\r\n]")))
                    if (l->fontMetrics().horizontalAdvance(ligne) > dedans.width())
                        defauts.append(nom + QStringLiteral(" : « ") + ligne +
                                       QStringLiteral(" » coupé"));
            }
        }
        if (auto* b = qobject_cast<QAbstractButton*>(w); b && !b->text().isEmpty()) {
            // The caption, and its picture when it stands beside it, within the button's frame.
            int largeur = b->fontMetrics().horizontalAdvance(b->text());
            const auto* o = qobject_cast<QToolButton*>(b);
            if (o && o->toolButtonStyle() == Qt::ToolButtonTextBesideIcon)
                largeur += o->iconSize().width();
            if (largeur + 4 > b->width())
                defauts.append(nom + QStringLiteral(" : « ") + b->text() +
                               QStringLiteral(" » coupé"));
        }
    }
    return defauts;
}

} // namespace

class TstEchelleEcran : public QObject {
    Q_OBJECT
    QTemporaryDir m_medias; // a folder of thousands of items, made once

private slots:
    void initTestCase() {
        for (int i = 0; i < 4321; ++i)
            EcrireOctets(m_medias.path() + QStringLiteral("/Animaux/mot %1.wav").arg(i), "RIFF");
    }
    void cleanup() { AppliquerFacteurEchelle(1); }

    void fenetres_data() {
        QTest::addColumn<double>("facteur");
        QTest::addColumn<QString>("fenetre");
        for (double f : {1.0, 1.5, 2.0})
            for (const char* nom : {"Form1", "Form2", "CPEcr", "fChoixNbItems", "fQuitter",
                                    "fMessagePerso", "fBilans", "fNouvelEleve", "fMotDePasse"})
                QTest::newRow(qPrintable(QStringLiteral("%1 at %2").arg(nom).arg(f))) << f << nom;
    }
    void fenetres() {
        QFETCH(double, facteur);
        QFETCH(QString, fenetre);
        AppliquerFacteurEchelle(facteur);
        ExerciceTest x;
        QCOMPARE(Fenetres::Exercice->devicePixelRatio(), facteur);
        // The contents they show at their fullest: a pupil in an exercise of many items, whose
        // longest feedback message is up, and the teacher module on a pupil.
        EcrireOctets(x.Bilans + "CM1/Paul.txt", "chat|3\r\n");
        x.Ouvrir("Paul", m_medias.path() + QStringLiteral("/Animaux"));
        Fenetres::Appreciation->TexteMessage =
            QString::fromUtf8("Non, la bonne réponse va s'afficher puis disparaître.");
        Fenetres::Appreciation->TypeMessage = "PasBon";
        Etat.ModeEnseignant = true;
        QWidget* w = fenetre == u"Form1" ? static_cast<QWidget*>(Fenetres::Exercice)
                                         : Fenetres::Exercice->findChild<QWidget*>(fenetre);
        QVERIFY(w);
        if (auto* f = qobject_cast<FormeModale*>(w))
            f->Preparer();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        const QStringList defauts = Defauts(w);
        QVERIFY2(defauts.isEmpty(), qPrintable(defauts.join(QStringLiteral("\n"))));
        w->hide();
    }

    // The teacher's resizable windows, designed larger than the exercise, never open larger
    // than the screen: at a large scale on a small screen their buttons stay on it.
    void fenetresRedimensionnables_data() {
        QTest::addColumn<double>("facteur");
        QTest::newRow("1") << 1.0;
        QTest::newRow("2") << 2.0;
    }
    void fenetresRedimensionnables() {
        QFETCH(double, facteur);
        AppliquerFacteurEchelle(facteur);
        ExerciceTest x;
        FenetreClasse classe(Fenetres::Exercice, std::make_shared<CacheBilans>());
        FenetreStudio studio(Fenetres::Exercice);
        const QSize ecran = Fenetres::Exercice->screen()->availableGeometry().size();
        for (QWidget* w : {static_cast<QWidget*>(&classe), static_cast<QWidget*>(&studio)}) {
            QVERIFY2(w->width() <= ecran.width() && w->height() <= ecran.height(),
                     qPrintable(w->objectName()));
            QVERIFY(w->minimumHeight() <= ecran.height());
        }
    }

    // The studio shows whole, without scrolling, on every screen from 1024 x 768 up at the
    // factor the program picks for that screen: a folder open whose sub-folder the teacher is
    // warned about, an item chosen, the window manager's title bar and borders around it.
    void studioEntierALEcran_data() {
        QTest::addColumn<QSize>("ecran");
        for (const QSize ecran :
             {QSize(1024, 768), QSize(1280, 1024), QSize(1366, 768), QSize(1920, 1080)})
            QTest::newRow(
                qPrintable(QStringLiteral("%1x%2").arg(ecran.width()).arg(ecran.height())))
                << ecran;
    }
    void studioEntierALEcran() {
        QFETCH(QSize, ecran);
        const double facteur = FacteurEchelle({}, QSizeF(ecran));
        AppliquerFacteurEchelle(facteur);
        ExerciceTest x;
        const QString d = x.Dossier("Animaux", {"chat.wav", "chien.wav"});
        QDir().mkpath(d + "/Oiseaux");
        FenetreStudio studio(Fenetres::Exercice);
        studio.OuvrirDossier(d);
        QVERIFY(studio.lAvertissement->isVisibleTo(&studio));
        QCOMPARE(studio.ItemCourant(), 0);
        // At the screen's available size, at most: what the window opens at there.
        const QSize cadre(16, 40); // a window manager's borders and title bar
        const QSize place = (QSizeF(ecran) / facteur).toSize() - cadre;
        studio.resize(place);
        studio.show();
        QVERIFY(QTest::qWaitForWindowExposed(&studio));
        auto* defilement = studio.findChild<QScrollArea*>();
        QVERIFY(defilement);
        const QSize besoin = defilement->widget()->minimumSizeHint();
        QVERIFY2(!defilement->horizontalScrollBar()->isVisible() &&
                     !defilement->verticalScrollBar()->isVisible(),
                 qPrintable(QStringLiteral("%1x%2 needed, %3x%4 on the screen at %5")
                                .arg(besoin.width())
                                .arg(besoin.height())
                                .arg(place.width())
                                .arg(place.height())
                                .arg(facteur)));
        const QStringList defauts = Defauts(&studio);
        QVERIFY2(defauts.isEmpty(), qPrintable(defauts.join(QStringLiteral("\n"))));
    }

    // An item's picture is shown with the pixels the screen really has in its frame, not
    // enlarged from the frame's design size at each painting: a 640 x 480 photograph keeps 320
    // pixels of width at scale 2. A small picture keeps all its pixels and fills the frame.
    void imageDeLItemNette_data() {
        QTest::addColumn<double>("facteur");
        QTest::addColumn<QSize>("photo");
        QTest::addColumn<QSize>("pixels"); // what the frame shows, in the screen's pixels
        QTest::newRow("1") << 1.0 << QSize(640, 480) << QSize(160, 120);
        QTest::newRow("1,5") << 1.5 << QSize(640, 480) << QSize(240, 180);
        QTest::newRow("2") << 2.0 << QSize(640, 480) << QSize(320, 240);
        QTest::newRow("2, small picture") << 2.0 << QSize(80, 60) << QSize(80, 60);
    }
    void imageDeLItemNette() {
        QFETCH(double, facteur);
        QFETCH(QSize, photo);
        QFETCH(QSize, pixels);
        AppliquerFacteurEchelle(facteur);
        ExerciceTest x;
        const QString d = x.Dossier("Photos", {"chat.wav"});
        QImage image(photo, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        QBuffer octets; // the kind of picture is told by its bytes, whatever its name
        octets.open(QIODevice::WriteOnly);
        QVERIFY(image.save(&octets, "BMP"));
        EcrireOctets(d + "/chat.JPG", octets.data());
        x.Ouvrir("Paul", d);
        Fenetres::Exercice->bJEcoute->click();
        const QPixmap montree = Fenetres::Exercice->iExplication->pixmap();
        QCOMPARE(montree.size(), pixels);
        QCOMPARE(montree.deviceIndependentSize().toSize(), QSize(160, 120));
    }

    // F11 fills the screen with the design in the middle, every control where it was relative
    // to the others; F11 again gives back the window of design size, the controls in place.
    void pleinEcran_data() {
        QTest::addColumn<double>("facteur");
        QTest::newRow("1") << 1.0;
        QTest::newRow("2") << 2.0;
    }
    void pleinEcran() {
        QFETCH(double, facteur);
        AppliquerFacteurEchelle(facteur);
        ExerciceTest x;
        FenetreExercice* f = Fenetres::Exercice;
        f->show();
        QVERIFY(QTest::qWaitForWindowExposed(f));
        QHash<QWidget*, QPoint> places;
        for (QWidget* w : f->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (!w->isWindow()) // the dialogs are windows of their own
                places.insert(w, w->pos());
        const QSize ecran = f->screen()->geometry().size();

        QTest::keyClick(f, Qt::Key_F11);
        QTRY_VERIFY(f->isFullScreen());
        QTRY_COMPARE(f->size(), ecran);
        const QPoint decalage(std::max(0, (ecran.width() - 628) / 2),
                              std::max(0, (ecran.height() - 429) / 2));
        QCOMPARE(f->Decalage(), decalage);
        for (auto it = places.cbegin(); it != places.cend(); ++it)
            QVERIFY2(it.key()->pos() == it.value() + decalage, qPrintable(it.key()->objectName()));

        QTest::keyClick(f, Qt::Key_F11);
        QTRY_VERIFY(!f->isFullScreen());
        QTRY_COMPARE(f->size(), QSize(628, 429));
        QCOMPARE(f->Decalage(), QPoint(0, 0));
        for (auto it = places.cbegin(); it != places.cend(); ++it)
            QCOMPARE(it.key()->pos(), it.value());
        f->hide();
    }
};

QTEST_MAIN(TstEchelleEcran)
#include "tst_echelleecran.moc"
