// A sound server that accepts connections and never answers (a thin-client room whose server
// is down): with the real sound module, every click of "J'écoute" returns and the window goes
// on, the exercise is played to its end in silence, and the program can still end. How long
// the longest stall lasts is bench_son_bloque's figure; here only a generous bound.

#include "ExerciceTest.h"
#include "ServeurSonMuet.h"
#include "ui/platform/ServicesADemande.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <cstdlib>

namespace {

ServeurSonMuet* serveur = nullptr;

// Clicks and returns how long the event loop took to run again, counted from the click.
qint64 RepriseApres(QToolButton* bouton) {
    QElapsedTimer depuis;
    depuis.start();
    qint64 reprise = -1;
    QTimer::singleShot(0, qApp, [&] { reprise = depuis.elapsed(); });
    bouton->click();
    if (!QTest::qWaitFor([&] { return reprise >= 0; }, 60000))
        return -1;
    return reprise;
}

// How many threads of this process bear that name (Linux names them after their QThread).
int FilsNommes(const QByteArray& nom) {
    int n = 0;
    const QDir taches(QStringLiteral("/proc/self/task"));
    for (const QString& t : taches.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile comm(taches.filePath(t + QStringLiteral("/comm")));
        if (comm.open(QIODevice::ReadOnly) && comm.readAll().trimmed() == nom)
            ++n;
    }
    return n;
}

} // namespace

class TstSonBloque : public QObject {
    Q_OBJECT
private slots:
    void exerciceEnSilence() {
        ExerciceTest x;
        SonADemande son(CheminModuleSon());
        Services::InstallerSon(&son);
        const QString dossier = x.Dossier("Sons", {"chat.wav", "lune.wav"});
        for (const char* m : {"chat", "lune"})
            QVERIFY(EcrireWavEssai(dossier + "/" + QLatin1String(m) + ".wav"));
        x.Ouvrir("Paul", dossier);

        for (int item = 0; item < 2; ++item) {
            for (int ecoute = 0; ecoute < 2; ++ecoute) {
                const qint64 reprise = RepriseApres(Fenetres::Exercice->bJEcoute);
                QVERIFY2(reprise >= 0 && reprise < 5000, qPrintable(QString::number(reprise)));
                QVERIFY(Fenetres::Exercice->eSaisie->isEnabled()); // the listen went through
            }
            QVERIFY(x.env.Messages.Appels.isEmpty()); // silence is not an error
            Fenetres::Exercice->eSaisie->setText(Etat.Exercice.ItemCourant().chopped(4));
            QTest::keyClick(Fenetres::Exercice->eSaisie, Qt::Key_Return);
        }
        // The library did knock at the silent server: this was the hung case, not a plain
        // machine without sound.
        QVERIFY(QTest::qWaitFor([] { return serveur->Connexions() > 0; }, 10000));
        QVERIFY(Fenetres::Exercice->Ferme()); // played to its end, then the farewell
        QVERIFY(LireOctets(x.FichierEleve("Paul", SuffixeDetail)).contains("Score : 10/10."));
        Services::InstallerSon(&x.env.Son);
        // `son` ends here, its thread still held by the server and let go.
    }

    // The server closes its connections at last while the program runs on: the thread the
    // player let go wakes, ends on its own and nothing crashes (under the sanitizer, its
    // engine's work after the player's end is checked too).
    void serveurQuiSeFerme() {
        QVERIFY(FilsNommes("Son") >= 1); // still held since the exercise
        delete serveur;
        serveur = nullptr;
        QTRY_COMPARE_WITH_TIMEOUT(FilsNommes("Son"), 0, 30000);
        QTest::qWait(100); // the thread's own object is freed by this loop
    }

private:
    static QString CheminModuleSon() { return QStringLiteral(PLUMELUNE_MODULES "/plumelune_son"); }
};

int main(int argc, char** argv) {
    QTemporaryDir dossier;
    // Freed by the last test, while the program runs. Were it freed at the end of main, its
    // connections would close while the process ends and wake the thread the player let go in
    // the middle of the teardown, where Qt's sound code runs on freed state: a coincidence in a
    // real room, a certainty here.
    serveur = new ServeurSonMuet(dossier.filePath(QStringLiteral("pulse-muet")));
    if (!serveur->Pret())
        return 1;
    // Before Qt: the sound library reads it when it first connects.
    setenv("PULSE_SERVER", serveur->Adresse().constData(), 1);
    QApplication app(argc, argv);
    TstSonBloque t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_sonbloque.moc"
