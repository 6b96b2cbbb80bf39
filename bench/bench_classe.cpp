// The class view of a big class: 30 pupils, each with three school years of records (1,000
// exercises, 20,000 detail lines, a 2,000-entry history). How long the teacher waits for the
// view (the records read and counted, then the window filled), and for its refresh after one
// pupil's files changed (one exercise more), which reads only that pupil's files again.
// The files were just written, so they come from the system's file cache, as on a teacher's
// computer once the records were opened.

#include "core/Chemins.h"
#include "core/Etat.h"
#include "core/progress/SuiviClasse.h"
#include "core/progress/TextesSuivi.h"
#include "ui/teacher/FenetreClasse.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

namespace {

constexpr int eleves = 30;
constexpr int exercices = 1000;
constexpr int entreesHistorique = 2000;

bool Ecrire(const QString& chemin, const QByteArray& octets, QIODevice::OpenMode mode) {
    QFile f(chemin);
    return f.open(mode) && f.write(octets) == octets.size();
}

// Words as teachers name items: accents (Windows-1252), codes, alternatives.
QByteArray Mot(int i) {
    switch (i % 10) {
    case 0:
        return "l#apo#\xE9t\xE9 " + QByteArray::number(i);
    case 1:
        return "le ch\xE2teau " + QByteArray::number(i) + "     les ch\xE2teaux " +
               QByteArray::number(i);
    default:
        return "mot num\xE9ro " + QByteArray::number(i);
    }
}

struct Fichiers {
    QByteArray Resume, Detail, Historique;
    int LignesDetail = 0;
};

QByteArray Exercice(QRandomGenerator& h, const QDate& jour, int numero, int& lignes,
                    QByteArray& resume) {
    QByteArray d;
    const int items = 14;
    d += jour.toString("dd/MM/yyyy").toLatin1() + " \xE0 10:12:40 - " + QByteArray::number(items) +
         " items - Exercice sur [Dossier " + QByteArray::number(numero % 40) + "]\r\n";
    int score = 0;
    for (int i = 0; i < items; ++i) {
        const QByteArray mot = Mot(h.bounded(3000));
        if (h.bounded(4) == 0) {
            d += mot + " : une faute - deux fautes [1 min 5 s - 3 essais]\r\n";
            score += 2;
        } else {
            d += mot.left(mot.indexOf("     ") < 0 ? mot.size() : mot.indexOf("     ")) +
                 " : [4 s - 1 essai]\r\n";
            score += 5;
        }
    }
    const bool termine = h.bounded(8) != 0;
    if (termine)
        d += "\r\nTemps exercice : 4 min 12 s.\r\nScore : " + QByteArray::number(score) + "/" +
             QByteArray::number(5 * items) + ".\r\n" + QByteArray(68, '-') + "\r\n";
    else
        d += "\r\nExercice interrompu apr\xE8s 2 min 3 s.\r\n" + QByteArray(68, '-') + "\r\n";
    lignes += items + (termine ? 5 : 4);
    resume += jour.toString("dd/MM/yyyy").toLatin1() +
              (termine ? " | Termin\xE9    | " : " | Interrompu | ") +
              QByteArray::number(score).rightJustified(4) + " /" +
              QByteArray::number(5 * items).rightJustified(4) + " | Dossier " +
              QByteArray::number(numero % 40) + "\r\n";
    return d;
}

Fichiers Generer(quint32 graine) {
    QRandomGenerator h(graine);
    Fichiers f;
    QDate jour(2023, 9, 4);
    for (int x = 0; x < exercices; ++x) {
        if (h.bounded(2) == 0)
            jour = jour.addDays(1);
        f.Detail += Exercice(h, jour, x, f.LignesDetail, f.Resume);
    }
    static const char* const comptes[] = {"1", "2", "3", "2-0", "3-1", "4-0-3", "13", "2-3"};
    for (int i = 0; i < entreesHistorique; ++i) {
        QByteArray cle = Mot(i);
        cle = cle.left(cle.indexOf("     ") < 0 ? cle.size() : cle.indexOf("     "));
        cle.replace("#apo#", "'");
        f.Historique += cle + "|" + comptes[h.bounded(8)] + "\r\n";
    }
    return f;
}

double Mediane(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Processor time of the whole process (every thread), in milliseconds.
double TempsProcesseur() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

struct Mesure {
    double Duree = 0;      // median wall-clock time
    double Processeur = 0; // median processor time, all threads together
};

Mesure Mesurer(int fois, const std::function<void()>& avant, const std::function<void()>& action) {
    std::vector<double> durees;
    std::vector<double> processeur;
    for (int i = 0; i < fois; ++i) {
        avant();
        QElapsedTimer chrono;
        const double p0 = TempsProcesseur();
        chrono.start();
        action();
        durees.push_back(double(chrono.nsecsElapsed()) / 1e6);
        processeur.push_back(TempsProcesseur() - p0);
    }
    return {Mediane(durees), Mediane(processeur)};
}

// The machine's load while measuring: wall-clock times only mean something beside it.
QString Charge() {
    QFile f(QStringLiteral("/proc/loadavg"));
    return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readLine()).section(u' ', 0, 0)
                                       : QStringLiteral("?");
}

// Waits in an event loop, as the program does, until the window shows the result.
void AttendreCalcul(FenetreClasse& f) {
    if (!f.CalculEnCours())
        return;
    QEventLoop boucle;
    QObject::connect(&f, &FenetreClasse::Calculee, &boucle, &QEventLoop::quit);
    boucle.exec();
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTemporaryDir dossier;
    // "--ecrire <dossier>" only writes the class there, to look at it in the program.
    const bool ecrireSeulement = argc == 3 && qstrcmp(argv[1], "--ecrire") == 0;
    const QString groupe = ecrireSeulement ? AvecSeparateur(QString::fromLocal8Bit(argv[2]))
                                           : AvecSeparateur(dossier.path()) + "CM1/";
    QDir().mkpath(groupe);
    qint64 octets = 0;
    int lignesDetail = 0;
    for (int e = 0; e < eleves; ++e) {
        const Fichiers f = Generer(quint32(e + 1));
        const QString base =
            groupe + QStringLiteral("\xC9l\xE8ve %1").arg(e + 1, 2, 10, QChar('0'));
        if (!Ecrire(base + ".txt", f.Historique, QIODevice::WriteOnly) ||
            !Ecrire(base + "_Detail.txt", f.Detail, QIODevice::WriteOnly) ||
            !Ecrire(base + "_Exos.txt", f.Resume, QIODevice::WriteOnly)) {
            std::fprintf(stderr, "classe: impossible d'écrire les fichiers d'essai\n");
            return 1;
        }
        octets += f.Historique.size() + f.Detail.size() + f.Resume.size();
        lignesDetail = f.LignesDetail;
    }
    std::printf("classe: %d élèves, chacun %d exercices, %d lignes de détail, %d entrées "
                "d'historique ; %.1f Mo en tout\n",
                eleves, exercices, lignesDetail, entreesHistorique, double(octets) / 1e6);
    if (ecrireSeulement)
        return 0;

    const int fois = 5;
    const QString modifie = groupe + QStringLiteral("\xC9l\xE8ve 07");
    QRandomGenerator hasard(99);
    int numero = exercices;
    // One exercise more for one pupil, as a pupil's run on another computer appends it.
    const auto unExerciceDePlus = [&] {
        int lignes = 0;
        QByteArray resume;
        const QByteArray detail = Exercice(hasard, QDate(2026, 6, 30), ++numero, lignes, resume);
        Ecrire(modifie + "_Detail.txt", detail, QIODevice::Append);
        Ecrire(modifie + "_Exos.txt", resume, QIODevice::Append);
    };

    // The computation alone, a fresh cache each time (everything read and counted).
    std::unique_ptr<CacheBilans> cache;
    BilanClasse resultat;
    const Mesure calcul = Mesurer(
        fois, [&] { cache = std::make_unique<CacheBilans>(); },
        [&] { resultat = CalculerClasse(*cache, groupe, 3); });
    const Mesure rafraichissement =
        Mesurer(fois, unExerciceDePlus, [&] { resultat = CalculerClasse(*cache, groupe, 3); });
    const int relus = resultat.Relus;
    // The export, as the teacher meets it first: the view just computed, then the mistakes'
    // kinds counted for every pupil and the CSV written out.
    QByteArray csv;
    BilanClasse vue;
    const Mesure export_ = Mesurer(
        fois,
        [&] {
            cache = std::make_unique<CacheBilans>();
            vue = CalculerClasse(*cache, groupe, 3);
        },
        [&] {
            CompleterFautes(vue, *cache, 3);
            csv = CsvClasse(vue);
        });

    // The window: opened on the group, then filled by the computation's result.
    Etat.Reinitialiser();
    auto partage = std::make_shared<CacheBilans>();
    std::unique_ptr<FenetreClasse> fenetre;
    // A new window on an empty cache, the group read ahead into it first or not.
    const auto nouvelleFenetre = [&](bool lueDAvance) {
        fenetre.reset();
        partage->Vider();
        if (lueDAvance)
            CalculerClasse(*partage, groupe, 3);
        fenetre = std::make_unique<FenetreClasse>(nullptr, partage);
        fenetre->Definir(groupe, QStringLiteral("CM1"), 3);
        fenetre->show();
        QCoreApplication::processEvents();
    };
    const auto remplir = [&] {
        fenetre->Preparer();
        AttendreCalcul(*fenetre);
        QCoreApplication::processEvents();
    };
    const Mesure fenetreRemplie = Mesurer(fois, [&] { nouvelleFenetre(false); }, remplir);
    const Mesure fenetreActualisee = Mesurer(fois, unExerciceDePlus, [&] {
        fenetre->bActualiserClasseClick();
        AttendreCalcul(*fenetre);
        QCoreApplication::processEvents();
    });
    // As the teacher finds it: the teacher module read the group ahead while he looked at a
    // pupil (what FenetreBilans starts when it shows a group), then he opens the class view.
    const Mesure fenetreApresLectureDAvance =
        Mesurer(fois, [&] { nouvelleFenetre(true); }, remplir);

    std::printf("classe: %d lignes au tableau, %lld mots les plus ratés, %d lignes illisibles\n",
                int(resultat.Eleves.size()), static_cast<long long>(resultat.Mots.size()),
                resultat.Illisibles);
    std::printf("classe: %d cœurs, charge de la machine %s pendant la mesure\n",
                QThread::idealThreadCount(), qPrintable(Charge()));
    std::printf(
        "classe: vue de la classe calculée (tout lu), médiane %.1f ms (objectif <= 300 ms), "
        "temps processeur %.1f ms\n",
        calcul.Duree, calcul.Processeur);
    std::printf("classe:   fenêtre ouverte et remplie, médiane %.1f ms, temps processeur %.1f ms\n",
                fenetreRemplie.Duree, fenetreRemplie.Processeur);
    std::printf("classe: actualisée après un exercice d'un élève (%d élève relu), médiane %.1f ms "
                "(objectif <= 50 ms), temps processeur %.1f ms\n",
                relus, rafraichissement.Duree, rafraichissement.Processeur);
    std::printf("classe: export CSV (genres d'erreurs comptés, %lld octets), médiane %.1f ms "
                "(objectif <= 100 ms), temps processeur %.1f ms\n",
                static_cast<long long>(csv.size()), export_.Duree, export_.Processeur);
    std::printf("classe:   fenêtre actualisée, médiane %.1f ms, temps processeur %.1f ms\n",
                fenetreActualisee.Duree, fenetreActualisee.Processeur);
    std::printf("classe: fenêtre ouverte sur le groupe lu d'avance par le module enseignant, "
                "médiane %.1f ms (objectif <= 300 ms), temps processeur %.1f ms\n",
                fenetreApresLectureDAvance.Duree, fenetreApresLectureDAvance.Processeur);
    return 0;
}
