// The "Progrès" tab: the chart drawn offscreen into an image and looked at where the data puts
// its points, at the program's scale and at twice it; and the report form opening on it for a
// pupil, with his words to revise.

#include "BancFenetres.h"
#include "core/Etat.h"
#include "ui/Fenetres.h"
#include "ui/setup/FenetreDepart.h"
#include "ui/teacher/FenetreBilans.h"
#include "ui/teacher/GraphiqueProgres.h"
#include "ui/teacher/VueProgres.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTest>

namespace {

// Close enough to a marker's colour: antialiasing only touches the edges, not the centre.
bool Proche(const QColor& a, const QColor& b) {
    return std::abs(a.red() - b.red()) <= 12 && std::abs(a.green() - b.green()) <= 12 &&
           std::abs(a.blue() - b.blue()) <= 12;
}

QImage Rendu(GraphiqueProgres& g, qreal echelle) {
    QImage image(g.size() * echelle, QImage::Format_ARGB32);
    image.setDevicePixelRatio(echelle);
    image.fill(Qt::black);
    g.render(&image);
    return image;
}

QColor Pixel(const QImage& image, QPointF logique, qreal echelle) {
    return image.pixelColor((logique * echelle).toPoint());
}

const QByteArray historiquePaul = "chat|3\r\nchien|2-3\r\n";
const QByteArray detailPaul = "07/12/2026 \xE0 14:03:27 - 3 items - Exercice sur [Animaux]\r\n"
                              "chat : cha [4 s - 2 essais]\r\n"
                              "chien : chein - chiein [1 min 5 s - 3 essais]\r\n"
                              "l#apo#eau : lo [4 s - 2 essais]\r\n"
                              "\r\nTemps exercice : 1 min 12 s.\r\nScore : 9/15.\r\n";
const QByteArray exosPaul = "01/12/2026 | Interrompu |    2 /  10 | Animaux\r\n"
                            "07/12/2026 | Termin\xE9    |    9 /  15 | Animaux\r\n"
                            "ligne abimee\r\n";

struct Classe : BancFenetres {
    QString cm1;
    Classe() {
        cm1 = Bilans + "CM1/";
        QDir().mkpath(cm1);
        Etat.ReponsesNecessaires = 3;
        EcrireOctets(cm1 + "Paul.txt", historiquePaul);
        EcrireOctets(cm1 + "Paul_Detail.txt", detailPaul);
        EcrireOctets(cm1 + "Paul_Exos.txt", exosPaul);
        EcrireOctets(cm1 + "Paul_Pwd.txt", "secret\r\n");
    }
    void OuvrirEleve() {
        Etat.Choix.Groupe = "CM1";
        Etat.DossierGroupe = cm1;
        Etat.NomEleve = "Paul";
        Etat.ModeEnseignant = false;
        Services::Modal().Montrer(Fenetres::Bilans);
        Fenetres::Bilans->show(); // the tab shown reads its files
    }
};

} // namespace

class TstProgres : public QObject {
    Q_OBJECT
private slots:
    void pointsOuLesDonneesLesPlacent_data() {
        QTest::addColumn<qreal>("echelle");
        QTest::addColumn<bool>("grand");
        QTest::newRow("échelle 1") << 1.0 << false;
        QTest::newRow("échelle 2") << 2.0 << false;
        QTest::newRow("élève, échelle 1,5") << 1.5 << true;
    }
    void pointsOuLesDonneesLesPlacent() {
        QFETCH(qreal, echelle);
        QFETCH(bool, grand);
        GraphiqueProgres g;
        g.resize(520, 220);
        g.DefinirGrand(grand);
        const QDate d(2026, 1, 5);
        // First day at the left edge at the top, last day at the right edge at the bottom.
        const QVector<PointProgres> points = {{d, 100, true},
                                              {d.addDays(10), 0, false},
                                              {d.addDays(15), 50, true},
                                              {d.addDays(20), 0, false}};
        g.Definir(points);
        const QImage image = Rendu(g, echelle);
        const QRectF zone = g.ZoneTrace();
        QVERIFY(zone.width() > 200 && zone.height() > 80);
        const auto place = [&](const PointProgres& p) {
            return QPointF(zone.left() + d.daysTo(p.Date) / 20.0 * zone.width(),
                           zone.bottom() - p.Pourcent / 100.0 * zone.height());
        };
        for (const PointProgres& p : points) {
            const QColor attendu =
                p.Termine ? GraphiqueProgres::CouleurTermine : GraphiqueProgres::CouleurInterrompu;
            const QColor vu = Pixel(image, place(p), echelle);
            QVERIFY2(Proche(vu, attendu), qPrintable(QStringLiteral("%1 à %2 %: %3")
                                                         .arg(p.Date.toString())
                                                         .arg(p.Pourcent)
                                                         .arg(vu.name())));
        }
        // Where no exercise lies, no mark.
        for (const PointProgres& vide :
             {PointProgres{d, 0, true}, PointProgres{d.addDays(20), 100, true},
              PointProgres{d.addDays(5), 50, true}}) {
            const QColor vu = Pixel(image, place(vide), echelle);
            QVERIFY2(!Proche(vu, GraphiqueProgres::CouleurTermine) &&
                         !Proche(vu, GraphiqueProgres::CouleurInterrompu),
                     qPrintable(vu.name()));
        }
    }

    // One day only: its points stand in the middle, at their heights.
    void unSeulJour() {
        GraphiqueProgres g;
        g.resize(400, 200);
        const QDate d(2026, 3, 2);
        g.Definir({{d, 80, true}, {d, 20, false}});
        const QImage image = Rendu(g, 1);
        const QRectF zone = g.ZoneTrace();
        const double x = zone.center().x();
        QVERIFY(Proche(Pixel(image, {x, zone.bottom() - 0.8 * zone.height()}, 1),
                       GraphiqueProgres::CouleurTermine));
        QVERIFY(Proche(Pixel(image, {x, zone.bottom() - 0.2 * zone.height()}, 1),
                       GraphiqueProgres::CouleurInterrompu));
    }

    void sansExercice() {
        GraphiqueProgres g;
        g.resize(400, 200);
        g.Definir({});
        const QImage image = Rendu(g, 1);
        for (int y = 0; y < image.height(); y += 2)
            for (int x = 0; x < image.width(); x += 2)
                QVERIFY(!Proche(image.pixelColor(x, y), GraphiqueProgres::CouleurTermine));
    }

    // A pupil's report opens on his progress, never on the password, whatever tab was last.
    void eleveOuvreSurLesProgres() {
        Classe c;
        Fenetres::Bilans->Construire();
        Fenetres::Bilans->onglets->setCurrentWidget(Fenetres::Bilans->ongletMotDePasse);
        c.OuvrirEleve();
        QCOMPARE(Fenetres::Bilans->onglets->currentWidget(), Fenetres::Bilans->ongletProgres);
        QCOMPARE(Fenetres::Bilans->onglets->tabText(4), QStringLiteral("Progrès"));
        VueProgres* v = Fenetres::Bilans->Progres;
        const StatistiquesEleve& s = v->Statistiques();
        QCOMPARE(s.Exercices, 2);
        QCOMPARE(s.Termines, 1);
        QCOMPARE(s.Illisibles, 1);
        // chat|3 is mastered; chien|2-3 and l'eau are not.
        QCOMPARE(s.MotsARevoir, (QStringList{"chien", "l'eau"}));
        QVERIFY(v->lMotsARevoir->text().contains("chien"));
        QVERIFY(v->lMotsARevoir->text().contains("l'eau"));
        QVERIFY(v->lMotsARevoir->font().pixelSize() >= 22); // large type for a young reader
        QVERIFY(v->lResumeProgres->text().contains("★"));
        QVERIFY(!v->lIllisibles->isVisibleTo(v)); // the teacher's note only
        QCOMPARE(v->gProgres->Points().size(), 2);
        QCOMPARE(v->gProgres->Points().at(1).Termine, true);
        QCOMPARE(v->gProgres->Points().at(1).Pourcent, 60.0);
    }

    // The teacher keeps the last tab he looked at; the progress follows the pupil chosen.
    void enseignantGardeSonOnglet() {
        Classe c;
        EcrireOctets(c.cm1 + "Lea.txt", "");
        EcrireOctets(c.cm1 + "Lea_Exos.txt", "02/12/2026 | Termin\xE9    |   10 /  10 | A\r\n");
        // The start form shows the group; its pupil list shows nobody in particular.
        BancFenetres::ListesDuDepart("CM1", "");
        Etat.ModeEnseignant = true;
        Services::Modal().Montrer(Fenetres::Bilans);
        Fenetres::Bilans->onglets->setCurrentWidget(Fenetres::Bilans->ongletProgres);
        Fenetres::Bilans->show();
        Fenetres::Bilans->hide();
        Services::Modal().Montrer(Fenetres::Bilans);
        Fenetres::Bilans->show();
        QCOMPARE(Fenetres::Bilans->onglets->currentWidget(), Fenetres::Bilans->ongletProgres);
        VueProgres* v = Fenetres::Bilans->Progres;
        QCOMPARE(v->Statistiques().Eleve, QStringLiteral("Lea"));
        QCOMPARE(v->Statistiques().Exercices, 1);
        QVERIFY(v->lIllisibles->isVisibleTo(v));

        Fenetres::Bilans->cChoixEleve->setCurrentIndex(1);
        Fenetres::Bilans->cChoixEleveChange();
        QCOMPARE(v->Statistiques().Eleve, QStringLiteral("Paul"));
        QCOMPARE(v->lIllisibles->text(), QStringLiteral("1 ligne illisible"));
        QVERIFY(v->lTitreMots->text().contains("(2)"));
    }

    void impressionDesProgres() {
        Classe c;
        c.OuvrirEleve();
        QTest::mouseClick(Fenetres::Bilans->bImprime, Qt::LeftButton);
        QCOMPARE(c.env.Imprimante.Imprimes.size(), 1);
        const QString t = c.env.Imprimante.Imprimes.at(0);
        QVERIFY(t.startsWith("Progrès de : Paul\n"));
        QVERIFY(t.contains("chien, l'eau"));
        QVERIFY2(c.env.Imprimante.EnTetes.at(0).startsWith(QStringLiteral("Paul \u2013 groupe ")),
                 qPrintable(c.env.Imprimante.EnTetes.at(0)));
    }
};

QTEST_MAIN(TstProgres)
#include "tst_progres.moc"
