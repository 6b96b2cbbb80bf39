// Years of records for one pupil: a history of 20,000 lines and a 5 MB detail record. How long
// the teacher waits when he picks that pupil (four views loaded, history coloured), and how much
// of it the colouring takes.

#include "core/Chemins.h"
#include "core/Etat.h"
#include "core/teacher/ColorationReussis.h"
#include "ui/teacher/FenetreBilans.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextBlock>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

bool Ecrire(const QString& chemin, const QByteArray& octets) {
    QFile f(chemin);
    return f.open(QIODevice::WriteOnly) && f.write(octets) == octets.size();
}

QByteArray Historique(int lignes) {
    static const char* const compteurs[] = {"1", "2", "3", "2-0", "3-1", "4-0-3", "13", "2-3"};
    QRandomGenerator hasard(7);
    QByteArray r;
    for (int i = 0; i < lignes; ++i) {
        // Keys as pupils' answers are: words and short sentences, with accents (Windows-1252).
        r += "le mot num\xE9ro " + QByteArray::number(i) + " de l'\xE9l\xE8ve|" +
             compteurs[hasard.bounded(8)] + "\r\n";
    }
    return r;
}

QByteArray Detail(qsizetype taille) {
    QByteArray r;
    r.reserve(taille + 200);
    int exercice = 0;
    while (r.size() < taille) {
        r += "07/12/2026 \xE0 14:03:27 - 10 items - Exercice sur [Les animaux " +
             QByteArray::number(++exercice) + "]\r\n";
        for (int i = 0; i < 10; ++i)
            r += "le ch\xE2teau fort : le chato - le chateau [1 min 5 s - 3 essais]\r\n";
        r +=
            "\r\nTemps exercice : 4 min 12 s.\r\nScore : 38/50.\r\n" + QByteArray(68, '-') + "\r\n";
    }
    return r;
}

double Mediane(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double Mesurer(int fois, const std::function<void()>& action) {
    std::vector<double> durees;
    for (int i = 0; i < fois; ++i) {
        QElapsedTimer chrono;
        chrono.start();
        action();
        // What the teacher waits for includes the views laid out on screen.
        QCoreApplication::processEvents();
        durees.push_back(double(chrono.nsecsElapsed()) / 1e6);
    }
    return Mediane(durees);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTemporaryDir dossier;
    const QString racine = AvecSeparateur(dossier.path()) + "_Bilans/";
    const QString groupe = racine + "CM1/";
    QDir().mkpath(groupe);
    const QByteArray detail = Detail(5 * 1024 * 1024);
    if (!Ecrire(groupe + "Paul.txt", Historique(20000)) ||
        !Ecrire(groupe + "Paul_Detail.txt", detail) ||
        !Ecrire(groupe + "Paul_Exos.txt",
                QByteArray(2000, 'x').replace(
                    'x', "07/12/2026 | Termin\xE9    |   38 /  50 | Les animaux\r\n")) ||
        !Ecrire(groupe + "Paul_Pwd.txt", "secret\r\n")) {
        std::fprintf(stderr, "bilans: impossible d'écrire les fichiers d'essai\n");
        return 1;
    }

    Etat.Reinitialiser();
    Etat.CheminBilans = racine;
    Etat.DossierGroupe = groupe;
    Etat.ReponsesNecessaires = 3;
    Etat.ModeEnseignant = true;

    FenetreBilans forme(nullptr);
    forme.show();
    forme.RemplirListeElevesBilan();
    QCoreApplication::processEvents();

    const int fois = 9;
    const double chargement = Mesurer(fois, [&] { forme.cChoixEleveChange(); });
    const double coloration = Mesurer(fois, [&] { forme.ColorerItemsReussis(); });

    // Then the teacher opens the detail tab: only what shows is laid out.
    const double onglet = Mesurer(fois, [&] {
        forme.onglets->setCurrentIndex(2);
        QCoreApplication::processEvents();
        forme.onglets->setCurrentIndex(1);
        forme.BilanDetail->repaint();
    });

    QStringList lignes;
    for (QTextBlock b = forme.ItemReussis->document()->begin(); b.isValid(); b = b.next())
        lignes.append(b.text().split(QChar::LineSeparator));
    const double regle = Mesurer(fois, [&] { (void)PlagesRouges(lignes, 3); });
    const qsizetype rouges = PlagesRouges(lignes, 3).size();

    std::printf("bilans: historique %lld lignes, détail %.1f Mo, %lld passages rouges\n",
                static_cast<long long>(lignes.size()), double(detail.size()) / (1024 * 1024),
                static_cast<long long>(rouges));
    std::printf(
        "bilans: cChoixEleveChange (4 vues + couleurs), médiane %.1f ms (objectif <= 300 ms)\n",
        chargement);
    std::printf("bilans: passage à l'onglet du détail de 5 Mo, médiane %.1f ms\n", onglet);
    std::printf("bilans: ColorerItemsReussis, médiane %.1f ms (objectif <= 100 ms)\n", coloration);
    std::printf("bilans:   dont le calcul des passages rouges, médiane %.1f ms\n", regle);
    return 0;
}
