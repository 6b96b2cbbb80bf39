// Builds the item list of a 2,000-item folder for a pupil whose history holds 20,000 entries.
// Prints the median of 20 runs.

#include "core/Etat.h"
#include "core/exercise/ItemsExercice.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dossier;
    for (int i = 0; i < 2000; ++i) {
        QFile f(dossier.filePath(QStringLiteral("mot numero %1.wav").arg(i)));
        if (!f.open(QIODevice::WriteOnly))
            return 1;
    }
    Etat.NomEleve = QStringLiteral("Paul");
    Etat.ReponsesNecessaires = 3;
    for (int i = 0; i < 20000; ++i)
        Etat.ListeReussites.append({QString(), QStringLiteral("mot numero %1").arg(i * 7),
                                    QStringLiteral("%1-%2").arg(i % 5).arg(i % 4)});
    QVector<double> mesures;
    for (int essai = 0; essai < 20; ++essai) {
        QElapsedTimer t;
        t.start();
        Etat.Exercice.Ouvrir(dossier.path(), BilansExercice::DuProgramme(dossier.path()));
        mesures.append(t.nsecsElapsed() / 1e6);
    }
    std::sort(mesures.begin(), mesures.end());
    std::printf("items: opening an exercise, 2000 WAV, historique de 20000 lignes: "
                "mediane %.2f ms (objectif <= 20 ms), %d items retenus sur %d\n",
                mesures.at(mesures.size() / 2), Etat.Exercice.NbItems(),
                Etat.Exercice.NbItemsDossier());
    return 0;
}
