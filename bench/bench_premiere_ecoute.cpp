// The first click on "listen" in a fresh program: the sound module, and Qt's multimedia libraries
// behind it, are loaded then, on top of the open and the start of every listen. Each run is a
// fresh process, as only the first load costs.

#include "ui/platform/ServicesADemande.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>

#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const QString son = QStringLiteral(PLUMELUNE_DEMO "/juste.wav");
    if (application.arguments().contains(QStringLiteral("--une"))) {
        SonADemande lecteur(QStringLiteral(PLUMELUNE_MODULES "/plumelune_son"));
        QElapsedTimer chrono;
        chrono.start();
        lecteur.DefinirFichier(son);
        QString erreur;
        if (!lecteur.Ouvrir(&erreur)) {
            std::fprintf(stderr, "premiere ecoute: %s\n", qPrintable(erreur));
            return 1;
        }
        lecteur.Jouer();
        std::printf("%.3f\n", double(chrono.nsecsElapsed()) / 1e6);
        lecteur.Arreter();
        return 0;
    }
    std::vector<double> durees;
    for (int essai = 0; essai < 11; ++essai) {
        QProcess p;
        p.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--une")});
        if (!p.waitForFinished(30000) || p.exitCode() != 0) {
            std::fprintf(stderr, "%s", p.readAllStandardError().constData());
            return 1;
        }
        durees.push_back(p.readAllStandardOutput().trimmed().toDouble());
    }
    std::sort(durees.begin(), durees.end());
    std::printf("premiere ecoute (module chargé, ouvrir, jouer): median %.1f ms, pire %.1f ms "
                "(objectif d'une écoute <= 30 ms)\n",
                durees[durees.size() / 2], durees.back());
    return 0;
}
