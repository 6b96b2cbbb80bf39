// How long the start form takes to fill its lists on a big school's disk: the folder browser
// over a media root of 1,000 folders (half holding subfolders, the others 30 recordings each),
// and the pupil list of a group of 500 pupils (2,000 record files). Medians of 21 refills,
// with the list widgets filled as the form does it. Targets: 100 ms and 20 ms.

#include "core/Etat.h"
#include "core/setup/ListesDepart.h"
#include "ui/Fenetres.h"
#include "ui/setup/FenetreDepart.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

bool Toucher(const QString& chemin) {
    QFile f(chemin);
    return f.open(QIODevice::WriteOnly);
}

bool PreparerMedias(const QString& racine) {
    for (int i = 0; i < 1000; ++i) {
        const QString dossier = racine + QStringLiteral("Exercice %1/").arg(i);
        if (!QDir().mkpath(dossier))
            return false;
        if (i % 2 == 0) {
            for (int s = 0; s < 3; ++s)
                if (!QDir().mkpath(dossier + QStringLiteral("Niveau %1").arg(s)))
                    return false;
        } else {
            for (int w = 0; w < 30; ++w)
                if (!Toucher(dossier + QStringLiteral("mot numéro %1.wav").arg(w)))
                    return false;
        }
    }
    return true;
}

bool PreparerGroupe(const QString& groupe) {
    if (!QDir().mkpath(groupe))
        return false;
    for (int i = 0; i < 500; ++i) {
        const QString eleve = groupe + QStringLiteral("Élève %1").arg(i);
        for (const char* suffixe : {".txt", "_Detail.txt", "_Exos.txt", "_Pwd.txt"})
            if (!Toucher(eleve + QString::fromLatin1(suffixe)))
                return false;
    }
    return true;
}

double Mediane(const std::function<void()>& travail) {
    std::vector<double> ms;
    travail(); // the first pass warms the disk cache, as a second showing finds it
    for (int essai = 0; essai < 21; ++essai) {
        QElapsedTimer chrono;
        chrono.start();
        travail();
        ms.push_back(double(chrono.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen"); // figures without a display too
    QApplication application(argc, argv);
    QTemporaryDir dossier;
    const QString racine = dossier.path() + QStringLiteral("/");
    const QString medias = racine + QStringLiteral("_Medias/");
    const QString bilans = racine + QStringLiteral("_Bilans/");
    if (!dossier.isValid() || !PreparerMedias(medias) ||
        !PreparerGroupe(bilans + QStringLiteral("CM1/"))) {
        std::fprintf(stderr, "depart: impossible de préparer les dossiers d'essai\n");
        return 1;
    }

    Etat.DossierProgramme = racine;
    Etat.Reinitialiser();
    Fenetres::Creer();
    Etat.CheminMedias = medias;
    Etat.CheminBilans = bilans;
    Etat.Choix.Groupe = QStringLiteral("CM1");
    Fenetres::Depart->Preparer(); // the group is preselected, as for the class's next pupil

    const double coeurDossiers = Mediane([&] { ListerDossiers(medias); });
    const double formeDossiers = Mediane([] { Fenetres::Depart->RemplirListeDossiers(); });
    const double coeurEleves = Mediane([&] { ListerEleves(Etat.DossierGroupe); });
    const double formeEleves = Mediane([] { Fenetres::Depart->RemplirListeEleves(); });

    std::printf("depart: RemplirListeDossiers, 1000 dossiers (%d entrées) : médiane %.1f ms "
                "(liste seule %.1f ms), objectif <= 100 ms\n",
                Fenetres::Depart->eRepertoires->count(), formeDossiers, coeurDossiers);
    std::printf(
        "depart: RemplirListeEleves, 500 élèves (2000 fichiers, %d entrées) : médiane %.1f ms "
        "(liste seule %.1f ms), objectif <= 20 ms\n",
        Fenetres::Depart->cChoixUtilisateur->count(), formeEleves, coeurEleves);
    Fenetres::Detruire();
    return formeDossiers <= 100.0 && formeEleves <= 20.0 ? 0 : 2;
}
