// The kinds of 10,000 wrong answers of usual words, and the hint for each, as the teacher's
// views will derive them from a class's records. Prints the median of 21 runs.

#include "core/exercise/Erreurs.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QList>
#include <algorithm>
#include <array>
#include <cstdio>

namespace {

// A pupil's usual slips, drawn in turn: a letter dropped, doubled, swapped, its accents lost
// (or else a letter wrong), a space lost. One answer in fifty is another word.
QString Deformer(const QString& mot, int n) {
    QString r = mot;
    const qsizetype k = n % r.size();
    switch (n % 5) {
    case 0:
        r.remove(k, 1);
        break;
    case 1:
        r.insert(k, r.at(k));
        break;
    case 2:
        if (k + 1 < r.size())
            std::swap(r[k], r[k + 1]);
        else
            r.append(u's');
        break;
    case 3:
        r = r.normalized(QString::NormalizationForm_D);
        r.remove(QChar(0x0301)).remove(QChar(0x0300)).remove(QChar(0x0302)).remove(QChar(0x0327));
        if (r == mot)
            r[k] = r.at(k) == u'z' ? u's' : u'z';
        break;
    default:
        r.replace(u' ', QString()).append(u'e');
        break;
    }
    return r;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const std::array mots = {
        u"chevaux", u"lapin",   u"école",     u"garçon",     u"l'eau",       u"pomme de terre",
        u"arbre",   u"par",     u"un oiseau", u"maison",     u"éléphant",    u"château",
        u"fenêtre", u"poisson", u"jambe",     u"grand",      u"aujourd'hui", u"porte-manteau",
        u"forêt",   u"cerise",  u"hôpital",   u"bicyclette", u"les enfants", u"mercredi",
    };
    QList<QString> tapes;
    QList<QStringList> acceptees;
    for (int i = 0; i < 10000; ++i) {
        const QString mot = QString::fromUtf16(mots[size_t(i) % mots.size()]);
        const QString autre = QString::fromUtf16(mots[size_t(i + 7) % mots.size()]);
        tapes.append(i % 50 == 0 ? autre : Deformer(mot, i / int(mots.size()) + i));
        // One item in eight has two spellings, as "clé£clef".
        acceptees.append(i % 8 == 0 ? QStringList{mot, mot + u's'} : QStringList{mot});
    }
    QList<double> mesures;
    std::array<int, NbGenresErreur> comptes{};
    int indices = 0;
    for (int essai = 0; essai < 21; ++essai) {
        comptes.fill(0);
        indices = 0;
        QElapsedTimer t;
        t.start();
        for (qsizetype i = 0; i < tapes.size(); ++i) {
            const AnalyseErreurs a = AnalyserReponse(tapes.at(i), acceptees.at(i));
            for (const DifferenceReponse& d : a.Differences)
                ++comptes[size_t(d.Genre)];
            indices += PhraseIndice(a).isEmpty() ? 0 : 1;
        }
        mesures.append(double(t.nsecsElapsed()) / 1e6);
    }
    std::sort(mesures.begin(), mesures.end());
    std::printf("erreurs: 10000 reponses classees avec leur indice: mediane %.2f ms, "
                "min %.2f ms, max %.2f ms (objectif <= 50 ms)\n",
                mesures.at(mesures.size() / 2), mesures.first(), mesures.last());
    std::printf("erreurs: %d indices; par genre:", indices);
    for (int g = 0; g < NbGenresErreur; ++g)
        std::printf(" %s %d", qPrintable(LibelleGenre(GenreErreur(g))), comptes[size_t(g)]);
    std::printf("\n");
    return 0;
}
