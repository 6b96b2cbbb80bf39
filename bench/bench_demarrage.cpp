// Start-up and memory of Plumelune against a bare Qt Widgets program, in the same run, on the
// same display (run it under Xvfb: bench/run-bench-demarrage.sh).
//
// Start-up: from the process start to the main window and the start form painted. The program
// runs in a laid-out program folder, built with the start-up probe (plumelune_sonde), which
// prints "peint" at that moment and ends; the bare program prints the same once its window is
// painted. The medians of alternated runs are compared.
//
// Whether start-up grew: with --avant PROBE (the plumelune_sonde of an earlier build), that
// program runs in the same rounds, laid out as this one is, its ini fixing the scale at 1 and at
// the automatic factor, and this program is judged against it at each.
//
// Memory: the peak resident memory (VmHWM) of a whole exercise - this program run again with
// --exercice: the real forms shown on the display, the real sound player decoding every item,
// one wrong answer and the rest right, to the farewell - against the bare program's.

#include "MemoireProcessus.h"
#include "StatistiquesBanc.h"
#include "core/Chemins.h"
#include "core/Echelle.h"
#include "core/Etat.h"
#include "core/exercise/DecodageItem.h"
#include "core/records/FichiersEleve.h"
#include "core/records/Reussites.h"
#include "sound/LecteurSonQt.h"
#include "ui/Fenetres.h"
#include "ui/dialogs/DialogueAppreciation.h"
#include "ui/dialogs/DialogueNombreItems.h"
#include "ui/exercise/FenetreExercice.h"
#include "ui/platform/ServicesQt.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <cstdio>

namespace {

// ---- The scripted exercise (child process) ----

// Events are processed, the user's input aside, so forms paint and timers run.
void Patienter(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

class MessagesBanc : public IBoitesMessage {
public:
    void Message(const QString&) override {}
    bool QuestionOuiNon(const QString&) override { return false; } // no other exercise, no report
    bool QuestionOkAnnuler(const QString&) override { return false; }
    void Information(const QString&) override {}
    bool Confirmation(const QString&) override { return false; }
    void Erreur(const QString& t) override { std::fprintf(stderr, "%s\n", qPrintable(t)); }
};

// Each form really shown and painted, then the pupil's part played.
class ModalBanc : public IAffichageModal {
public:
    int Montrer(QDialog* forme) override {
        forme->show();
        Patienter(40);
        const QString nom = forme->objectName();
        int r = 1;
        if (nom == u"Form2") {
            Etat.Choix.Groupe = QStringLiteral("CM1");
            Etat.DossierGroupe = Etat.CheminBilans + QStringLiteral("CM1/");
            QDir().mkpath(Etat.DossierGroupe);
            Etat.NomEleve = QStringLiteral("Banc");
            for (const char* s : {SuffixeHistorique, SuffixeDetail, SuffixeExos})
                CreerFichierVide(FichierEleve(QString::fromLatin1(s)));
            ChargerReussites();
            Etat.Choix.DossierExercice = Etat.CheminMedias + QStringLiteral("Les animaux");
        } else if (nom == u"fChoixNbItems") {
            Fenetres::NombreItems->bOk->click();
        } else if (nom == u"fMessagePerso") {
            Fenetres::Appreciation->bOk->click();
        }
        forme->hide();
        return r;
    }
};

void ConduireExercice() {
    bool premier = true;
    for (int garde = 0; garde < 200 && !Fenetres::Exercice->Ferme(); ++garde) {
        Fenetres::Exercice->bJEcoute->click();
        Patienter(100);
        if (premier) {
            for (const char* faux : {"xyz", "xyzt"}) { // the second one shows the model for 1 s
                Fenetres::Exercice->eSaisie->setText(QString::fromLatin1(faux));
                Fenetres::Exercice->bJaiEcrit->click();
            }
            premier = false;
        }
        Fenetres::Exercice->eSaisie->setText(
            ReponsesAcceptees(Etat.Exercice.ItemCourant()).value(0));
        Fenetres::Exercice->bJaiEcrit->click();
    }
}

int Exercice(const QString& programme) {
    Etat.DossierProgramme = AvecSeparateur(programme);
    Etat.Reinitialiser();
    MessagesBanc messages;
    ModalBanc modal;
    PauseQt pause;
    LecteurSonQt son;
    Services::InstallerMessages(&messages);
    Services::InstallerModal(&modal);
    Services::InstallerPause(&pause);
    Services::InstallerSon(&son);
    Fenetres::Creer();
    Fenetres::Exercice->show();
    QTimer::singleShot(200, ConduireExercice);
    QApplication::exec();
    const bool fini = Fenetres::Exercice->Ferme();
    Fenetres::Detruire();
    Services::InstallerMessages(nullptr);
    Services::InstallerModal(nullptr);
    Services::InstallerPause(nullptr);
    Services::InstallerSon(nullptr);
    std::printf("memoire %ld %s\n", MemoireCrete(), fini ? "fini" : "inacheve");
    return fini ? 0 : 1;
}

// ---- The driver ----

struct Mesure {
    double ms = -1;
    long kB = -1;
    QByteArray ligne;
};

// Starts a program and waits for the first line beginning with `mot`.
Mesure Lancer(const QString& exe, const QStringList& arguments, const QByteArray& mot,
              const QProcessEnvironment& env) {
    QProcess p;
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::SeparateChannels);
    QElapsedTimer t;
    t.start();
    p.start(exe, arguments);
    Mesure m;
    QByteArray lu;
    while (p.waitForReadyRead(60000)) {
        lu += p.readAllStandardOutput();
        const qsizetype i = lu.indexOf(mot);
        if (i >= 0 && lu.indexOf('\n', i) > i) {
            m.ms = t.nsecsElapsed() / 1e6;
            m.ligne = lu.mid(i, lu.indexOf('\n', i) - i);
            const QList<QByteArray> champs = m.ligne.split(' ');
            if (champs.size() > 1)
                m.kB = champs.at(1).toLong();
            break;
        }
    }
    if (!p.waitForFinished(20000)) {
        p.kill();
        p.waitForFinished();
    }
    if (m.ms < 0)
        std::fprintf(stderr, "%s: %s\n", qPrintable(exe), p.readAllStandardError().constData());
    return m;
}

// The spread of the ratios taken round by round (both programs started one after the other):
// how far a single median ratio may stand from the next run's, on a machine that is never quiet.
QByteArray EcartRatios(const QList<double>& programme, const QList<double>& nue) {
    const QList<double> r = RatiosParTour(programme, nue);
    return QStringLiteral("round by round, quartiles %1-%2")
        .arg(Quantile(r, 0.25), 0, 'f', 2)
        .arg(Quantile(r, 0.75), 0, 'f', 2)
        .toLatin1();
}

// A program folder laid out around this build's probe, or around another build's.
bool Disposer(const QString& programme, const QString& sonde = QStringLiteral(PLUMELUNE_SONDE)) {
    QProcess p;
    p.start(QStringLiteral("bash"), {QStringLiteral(PLUMELUNE_DISPOSITION), sonde, programme});
    return p.waitForFinished(60000) && p.exitCode() == 0;
}

// The factor the program picks on this display by itself.
double FacteurAutomatique() {
    return FacteurEchelle(ReglageEchelle{},
                          QGuiApplication::primaryScreen()->availableGeometry().size());
}

// A program folder laid out for the benchmark around `sonde`, its ini fixing the scale at
// `echelle`.
bool DisposerAvecEchelle(const QString& programme, const QString& echelle,
                         const QString& sonde = QStringLiteral(PLUMELUNE_SONDE)) {
    if (!Disposer(programme, sonde))
        return false;
    QFile ini(programme + QStringLiteral("/plumelune.ini"));
    if (!ini.open(QIODevice::Append))
        return false;
    ini.write("\r\nECHELLE = " + echelle.toLatin1() + "\r\n");
    return true;
}

// `sondeAvant`: another build's probe, or empty. Both programs are laid out alike: an earlier
// program laid out otherwise (another scale, Qt's scaling over its own) would be judged on what
// it was asked to draw, not on what it costs.
int Comparer(int tours, const QString& sondeAvant) {
    QTemporaryDir dossier;
    const QString programme1 = dossier.path() + QStringLiteral("/Plumelune1");
    const QString programmeAuto = dossier.path() + QStringLiteral("/PlumeluneAuto");
    const QString programmeAvant1 = dossier.path() + QStringLiteral("/PlumeluneAvant1");
    const QString programmeAvantAuto = dossier.path() + QStringLiteral("/PlumeluneAvantAuto");
    if (!DisposerAvecEchelle(programme1, QStringLiteral("1")) ||
        !DisposerAvecEchelle(programmeAuto, QStringLiteral("AUTO")) ||
        (!sondeAvant.isEmpty() &&
         (!DisposerAvecEchelle(programmeAvant1, QStringLiteral("1"), sondeAvant) ||
          !DisposerAvecEchelle(programmeAvantAuto, QStringLiteral("AUTO"), sondeAvant)))) {
        std::fprintf(stderr, "the program folders could not be laid out\n");
        return 1;
    }
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM")); // the display, not offscreen
    env.remove(QStringLiteral("QT_SCALE_FACTOR"));
    const QString nue = QStringLiteral(PLUMELUNE_FENETRE_NUE);
    const QString plumelune1 = programme1 + QStringLiteral("/plumelune");
    const QString plumeluneAuto = programmeAuto + QStringLiteral("/plumelune");
    const QString avant1 = programmeAvant1 + QStringLiteral("/plumelune");
    const QString avantAuto = programmeAvantAuto + QStringLiteral("/plumelune");

    // One of each first, uncounted: the libraries come into the page cache.
    const QStringList texte = {QStringLiteral("--texte")};
    Lancer(nue, {}, "peint", env);
    Lancer(plumelune1, {}, "peint", env);
    Lancer(plumeluneAuto, {}, "peint", env);
    // The bare window drawn at the program's automatic scale too: what more pixels cost anyone.
    QProcessEnvironment envAuto = env;
    envAuto.insert(QStringLiteral("QT_SCALE_FACTOR"), QString::number(FacteurAutomatique()));
    if (!sondeAvant.isEmpty()) {
        Lancer(avant1, {}, "peint", env);
        Lancer(avantAuto, {}, "peint", env);
    }
    QList<double> tempsNue, tempsTexte, temps1, tempsAuto, tempsNueAuto, tempsAvant1,
        tempsAvantAuto;
    QList<long> memoireNue;
    for (int i = 0; i < tours; ++i) {
        const Mesure a = Lancer(nue, {}, "peint", env);
        const Mesure b = Lancer(plumelune1, {}, "peint", env);
        const Mesure c = Lancer(nue, texte, "peint", env);
        const Mesure d = Lancer(plumeluneAuto, {}, "peint", env);
        const Mesure e = Lancer(nue, {}, "peint", envAuto);
        tempsNueAuto.append(e.ms);
        bool avantPeint = true;
        if (!sondeAvant.isEmpty()) {
            const Mesure f = Lancer(avant1, {}, "peint", env);
            const Mesure g = Lancer(avantAuto, {}, "peint", env);
            tempsAvant1.append(f.ms);
            tempsAvantAuto.append(g.ms);
            avantPeint = f.ms >= 0 && g.ms >= 0;
        }
        if (a.ms < 0 || b.ms < 0 || c.ms < 0 || d.ms < 0 || e.ms < 0 || !avantPeint) {
            std::fprintf(stderr, "a start-up did not reach its painting\n");
            return 1;
        }
        tempsNue.append(a.ms);
        temps1.append(b.ms);
        tempsTexte.append(c.ms);
        tempsAuto.append(d.ms);
        memoireNue.append(a.kB);
    }
    const double tn = Mediane(tempsNue);
    const double tt = Mediane(tempsTexte);
    const double t1 = Mediane(temps1);
    const double ta = Mediane(tempsAuto);
    const double tna = Mediane(tempsNueAuto);
    std::printf("Start-up to painted windows, median of %d alternated runs:\n", tours);
    std::printf("  bare Qt Widgets window, scale 1         %8.1f ms\n", tn);
    std::printf("  Plumelune (Form1 + Form2), scale 1      %8.1f ms   ratio %.2f (target <= 2)\n",
                t1, t1 / tn);
    std::printf("%46s%s\n", "", EcartRatios(temps1, tempsNue).constData());
    // More pixels cost any program: against the bare window drawn at the same scale.
    std::printf("  bare window, automatic scale %.2f       %8.1f ms\n", FacteurAutomatique(), tna);
    std::printf("  Plumelune, automatic scale %.2f         %8.1f ms   ratio %.2f ",
                FacteurAutomatique(), ta, ta / tna);
    if (sondeAvant.isEmpty())
        std::printf("(whether it grew: --avant)\n");
    else
        std::printf("(the earlier program: %.2f)\n", Mediane(tempsAvantAuto) / tna);
    std::printf("%46s%s\n", "", EcartRatios(tempsAuto, tempsNueAuto).constData());
    std::printf("  for reference: Plumelune at the automatic scale against the bare window at "
                "scale 1 %.2f;\n",
                ta / tn);
    std::printf("  bare window with one line of text %.1f ms, ratios %.2f and %.2f\n", tt, t1 / tt,
                ta / tt);
    if (!sondeAvant.isEmpty()) {
        // Whether start-up grew: this program against the earlier one, at each scale, in the
        // same rounds.
        std::printf("Did start-up grow? Against the earlier build, in the same rounds\n"
                    "  (%s);\n"
                    "  Plumelune / earlier, median of the rounds [95 %% interval]: it grew only "
                    "if the whole\n  interval is above 1 (target: not above)\n",
                    qPrintable(sondeAvant));
        const auto ligne = [](const char* quoi, const QList<double>& avant,
                              const QList<double>& programme) {
            const Intervalle i = IntervalleDesRatios(programme, avant);
            std::printf("  %-40s%8.1f ms   %.2f [%.2f-%.2f]  %s\n", quoi, Mediane(avant), i.Mediane,
                        i.Bas, i.Haut, i.PlusLent() ? "grew" : "did not grow");
        };
        ligne("earlier program, scale 1", tempsAvant1, temps1);
        ligne(qPrintable(QStringLiteral("earlier program, automatic scale %1")
                             .arg(FacteurAutomatique(), 0, 'f', 2)),
              tempsAvantAuto, tempsAuto);
    }

    const Mesure ex = Lancer(QCoreApplication::applicationFilePath(),
                             {QStringLiteral("--exercice"), programme1}, "memoire", env);
    const long mn = *std::max_element(memoireNue.cbegin(), memoireNue.cend());
    if (ex.kB <= 0 || !ex.ligne.endsWith("fini")) {
        std::fprintf(stderr, "the scripted exercise did not finish\n");
        return 1;
    }
    std::printf("Peak memory (VmHWM):\n");
    std::printf("  bare Qt Widgets window      %8ld kB\n", mn);
    std::printf("  Plumelune, whole exercise   %8ld kB\n", ex.kB);
    std::printf("  ratio                       %8.2f   (target <= 2)\n", double(ex.kB) / mn);
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() >= 3 && args.at(1) == u"--exercice")
        return Exercice(args.at(2));
    int tours = 21;
    if (const qsizetype i = args.indexOf(QStringLiteral("--tours")); i > 0 && i + 1 < args.size())
        tours = std::max(1, args.at(i + 1).toInt());
    QString sondeAvant;
    if (const qsizetype i = args.indexOf(QStringLiteral("--avant")); i > 0 && i + 1 < args.size())
        sondeAvant = QFileInfo(args.at(i + 1)).absoluteFilePath();
    if (!sondeAvant.isEmpty() && !QFileInfo(sondeAvant).isExecutable()) {
        std::fprintf(stderr, "--avant: no probe program at %s\n", qPrintable(sondeAvant));
        return 2;
    }
    return Comparer(tours, sondeAvant);
}
