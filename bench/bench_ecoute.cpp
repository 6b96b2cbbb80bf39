// How long a click on "listen" takes before the program has the sound going: naming the file,
// opening it (the whole decode) and starting it, for a 5-second item at 22050 Hz mono.

#include "sound/LecteurSonQt.h"

#include <QAudioDevice>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMediaDevices>
#include <QTemporaryDir>

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

bool EcrireItem(const QString& chemin) {
    const int frequence = 22050;
    const int trames = 5 * frequence;
    SF_INFO info = {};
    info.samplerate = frequence;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* f = sf_open(QFile::encodeName(chemin).constData(), SFM_WRITE, &info);
    if (!f)
        return false;
    std::vector<short> echantillons(trames);
    for (int t = 0; t < trames; ++t)
        echantillons[size_t(t)] =
            short(12000 * std::sin(2 * 3.14159265358979 * 330 * t / frequence));
    sf_writef_short(f, echantillons.data(), trames);
    sf_close(f);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath(QStringLiteral("item.wav"));
    if (!dossier.isValid() || !EcrireItem(chemin)) {
        std::fprintf(stderr, "ecoute: impossible d'écrire le son d'essai\n");
        return 1;
    }

    const bool peripherique = !QMediaDevices::defaultAudioOutput().isNull();
    LecteurSonQt son;
    std::vector<double> durees;
    std::vector<double> demarrages; // until the output really runs, on the audio thread
    for (int essai = 0; essai < 20; ++essai) {
        QElapsedTimer chrono;
        chrono.start();
        son.DefinirFichier(chemin);
        QString erreur;
        if (!son.Ouvrir(&erreur)) {
            std::fprintf(stderr, "ecoute: %s\n", qPrintable(erreur));
            return 1;
        }
        son.Jouer();
        durees.push_back(double(chrono.nsecsElapsed()) / 1e6);
        while (peripherique && !son.EnCours() && chrono.elapsed() < 2000)
            QCoreApplication::processEvents();
        if (peripherique && son.EnCours())
            demarrages.push_back(double(chrono.nsecsElapsed()) / 1e6);
    }
    son.Arreter();
    // The first run also wakes the audio system up; the median leaves it aside.
    const double premier = durees.front();
    auto mediane = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return (v[(v.size() - 1) / 2] + v[v.size() / 2]) / 2;
    };
    std::printf("ecoute: ouvrir+jouer 5 s: median %.1f ms (objectif <= 30 ms)%s\n", mediane(durees),
                peripherique ? "" : " [sans périphérique de son]");
    std::printf("ecoute: premier essai %.1f ms, pire %.1f ms\n", premier,
                *std::max_element(durees.begin(), durees.end()));
    if (!demarrages.empty())
        std::printf("ecoute: jusqu'à la sortie en marche: median %.1f ms (%zu essais)\n",
                    mediane(demarrages), demarrages.size());
    return 0;
}
