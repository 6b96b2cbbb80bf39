// The words a pupil must review, from a detail record of 1,000 exercises (ten items each, one
// a day, about one item in five missed) and an exercise root of 60 folders of 20 sounds: the
// rule alone on the text read, then the whole preparation the start form runs on its thread
// (the file read, the rule, each due word's sound looked up). Prints the median of 15 rounds.

#include "core/FichierTexte.h"
#include "core/progress/RevueMots.h"
#include "core/records/LignesBilan.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int Exercices = 1000;
constexpr int Dossiers = 60;
constexpr int ItemsParDossier = 20;
constexpr int Tours = 15;

QString Mot(int dossier, int item) {
    return QStringLiteral("mot%1x%2").arg(dossier).arg(item);
}

template <typename F> double Mediane(F f) {
    std::vector<double> ms;
    for (int i = 0; i < Tours; ++i) {
        QElapsedTimer t;
        t.start();
        f();
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dossier;
    const QString medias = dossier.path() + "/_Medias/";
    const QString groupe = dossier.path() + "/_Bilans/CM1/";
    QDir().mkpath(groupe);
    for (int d = 0; d < Dossiers; ++d) {
        const QString f = medias + QStringLiteral("Niveau%1/Dossier%2/").arg(d % 4).arg(d);
        QDir().mkpath(f);
        for (int i = 0; i < ItemsParDossier; ++i) {
            QFile son(f + Mot(d, i) + ".wav");
            if (!son.open(QIODevice::WriteOnly))
                return 1;
            son.write("RIFF");
        }
    }

    QRandomGenerator hasard(27);
    const QDate debut(2023, 9, 1);
    const QDate aujourdhui = debut.addDays(Exercices);
    QStringList lignes;
    for (int e = 0; e < Exercices; ++e) {
        const int d = int(hasard.bounded(Dossiers));
        lignes << LigneEnTete(debut.addDays(e).toString(u"dd/MM/yyyy"), "10:00:00", 10,
                              QStringLiteral("Dossier%1").arg(d));
        for (int k = 0; k < 10; ++k) {
            const QString mot = Mot(d, int(hasard.bounded(ItemsParDossier)));
            if (hasard.bounded(5) == 0) {
                lignes << DebutLigneRatee(mot, mot + "e") + FinLigneRatee("12 s", 2);
                lignes << LigneJustePremierEssai(mot, "3 s", true);
            } else {
                lignes << LigneJustePremierEssai(mot, "4 s", false);
            }
        }
        lignes << LignesFinExercice("2 min 3 s", "41", "50");
    }
    const QString texte = lignes.join("\r\n") + "\r\n";
    QFile detail(groupe + "Paul_Detail.txt");
    if (!detail.open(QIODevice::WriteOnly))
        return 1;
    detail.write(Cp1252::Encoder(texte));
    detail.close();

    int dus = 0;
    const double regle = Mediane([&] { dus = int(MotsDus(texte, aujourdhui).size()); });
    ItemsRevue items;
    const double tout = Mediane([&] { items = PreparerRevue(groupe, "Paul", medias, aujourdhui); });
    std::printf("detail record: %d exercises, %d lines, %lld KiB\n", Exercices, int(lignes.size()),
                static_cast<long long>(detail.size() / 1024));
    std::printf("words due: %d (%d sounds found, %d gone)\n", dus, int(items.Chemins.size()),
                items.Absents);
    std::printf("the rule on the text read:             %6.2f ms (median of %d)\n", regle, Tours);
    std::printf("read + rule + sounds looked up:        %6.2f ms (aim: 30 ms or less)\n", tout);
    return 0;
}
