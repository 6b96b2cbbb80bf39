// The start-up's pictures decoded ahead on a thread of their own: begun before the QApplication,
// as main() does, they are handed over once each, exactly as decoded on the spot, and the thread
// never takes the place of the program's main thread.

#include "Doubles.h"
#include "DoublesUi.h"
#include "ui/Fenetres.h"
#include "ui/platform/ImagesQt.h"
#include "ui/platform/Prechargement.h"

#include <QApplication>
#include <QThread>
#include <QtTest>

#include <future>
#include <memory>
#include <thread>

namespace {
std::unique_ptr<Prechargement> avance;
QStringList messagesDuDemarrage;

void Noter(QtMsgType, const QMessageLogContext&, const QString& message) {
    messagesDuDemarrage.append(message);
}
} // namespace

class TstPrechargement : public QObject {
    Q_OBJECT
private slots:
    // Qt takes as its main thread the first one that asks; the worker, started first and busy
    // with Qt files, must not be it: once a Prechargement exists, the thread that made it is.
    void filPrincipal() {
        for (const QString& m : std::as_const(messagesDuDemarrage))
            QVERIFY2(!m.contains(QStringLiteral("main() thread")), qPrintable(m));
    }

    void imageRemiseUneFois() {
        const std::optional<QImage> image = Prechargement::Prendre(ImageFondExercice);
        QVERIFY(image.has_value());
        const QImage surPlace = ChargerImage(ImageFondExercice);
        QVERIFY(!surPlace.isNull());
        QCOMPARE(*image, surPlace);
        QVERIFY(!Prechargement::Prendre(ImageFondExercice).has_value());
    }

    // The main thread waits for the font configuration the thread reads (rather than reading
    // it a second time); the wait ends, whether pictures are still being decoded or not, and
    // costs nothing once no thread runs.
    void attentePolices() {
        auto attente = std::async(std::launch::async, [] { Prechargement::AttendrePolices(); });
        QVERIFY(attente.wait_for(std::chrono::seconds(20)) == std::future_status::ready);
    }

    void imageNonDemandee() {
        QVERIFY(!Prechargement::Prendre(QStringLiteral(":/art/aide_clavier.jpg")).has_value());
    }

    // The forms get it through ChargerImageRessource, as they would get it decoded there.
    void parLesFormulaires() {
        const QPixmap pixmap = ChargerImageRessource(ImageFondDepart);
        QCOMPARE(pixmap.toImage(), ChargerImage(ImageFondDepart));
        QVERIFY(!Prechargement::Prendre(ImageFondDepart).has_value()); // taken by the form
        QVERIFY(!ChargerImageRessource(ImageFondDepart).isNull());     // then decoded on the spot
    }

    void fini() {
        avance.reset();
        Prechargement::AttendrePolices(); // no thread: returns at once
        {
            Prechargement sansImage({}); // the fonts alone
            auto attente = std::async(std::launch::async, [] { Prechargement::AttendrePolices(); });
            QVERIFY(attente.wait_for(std::chrono::seconds(20)) == std::future_status::ready);
        }
        QVERIFY(!Prechargement::Prendre(ImageFondExercice).has_value());
        QVERIFY(!ChargerImageRessource(ImageFondExercice).isNull());
    }

    // Pictures added once the QApplication exists (Qt's PNG reader) come the same way.
    void ajoutees() {
        Prechargement p({ImageFondDepart});
        p.Ajouter({QStringLiteral(":/art/ecoute.png")});
        const std::optional<QImage> image =
            Prechargement::Prendre(QStringLiteral(":/art/ecoute.png"));
        QVERIFY(image.has_value());
        QCOMPARE(*image, ChargerImage(QStringLiteral(":/art/ecoute.png")));
        QCOMPARE(p.Restantes(), QStringList{ImageFondDepart});
    }

    // A picture file asked fitted to a frame comes fitted, enlarged on the thread, as the
    // fitting gives it on the spot.
    void ajusteeDAvance() {
        const QString chemin = QStringLiteral(PLUMELUNE_DEMO) + "/qvx_pardefaut.jpg";
        Prechargement p({});
        p.AjouterAjustee(chemin, QSize(160, 160), 2);
        const std::optional<QImage> image = Prechargement::Prendre(chemin);
        QVERIFY(image.has_value());
        QCOMPARE(*image, ImageAjustee(ChargerImage(chemin), QSize(160, 160), 2, true));
        QCOMPARE(image->size(), QSize(320, 320));
    }

    // Every picture decoded ahead is one the main window and the start form take as they are
    // created: none decoded in vain, none left behind.
    void toutesPrisesParLesFormulaires() {
        EnvironnementTest env;
        ModalInstalle modal;
        Prechargement p({ImageFondExercice, ImageFondDepart});
        p.Ajouter(ImagesBoutonsDemarrage());
        Fenetres::Creer(FormeModale::Controles::AuPremierAffichage);
        QCOMPARE(p.Restantes(), QStringList());
        Fenetres::Detruire();
    }
};

int main(int argc, char* argv[]) {
    // main()'s order: the thread first, then the QApplication. Another thread uses Qt in
    // between and is still there when the QApplication comes, as the worker may be.
    avance = std::make_unique<Prechargement>(QStringList{ImageFondExercice, ImageFondDepart});
    std::promise<void> pret;
    std::promise<void> fin;
    std::thread autre([&pret, attente = fin.get_future()] {
        const QObject objet;
        pret.set_value();
        attente.wait();
    });
    pret.get_future().wait();
    qInstallMessageHandler(Noter);
    QApplication app(argc, argv);
    qInstallMessageHandler(nullptr);
    fin.set_value();
    autre.join();
    TstPrechargement essais;
    const int r = QTest::qExec(&essais, argc, argv);
    avance.reset();
    return r;
}

#include "tst_prechargement.moc"
