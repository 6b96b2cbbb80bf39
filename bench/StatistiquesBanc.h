#pragma once
// The figures the start-up benchmark draws from its rounds: medians, quartiles, and whether one
// program is slower than another beyond the noise of a machine that is never quiet.

#include <QList>

#include <algorithm>
#include <random>

inline double Quantile(QList<double> v, double q) {
    std::sort(v.begin(), v.end());
    return v.isEmpty() ? -1 : v.at(std::min<qsizetype>(v.size() - 1, qsizetype(q * v.size())));
}

inline double Mediane(const QList<double>& v) {
    return Quantile(v, 0.5);
}

inline QList<double> RatiosParTour(const QList<double>& programme, const QList<double>& reference) {
    QList<double> r;
    for (qsizetype i = 0; i < std::min(programme.size(), reference.size()); ++i)
        r.append(programme.at(i) / reference.at(i));
    return r;
}

// The median of the round-by-round ratios, and the interval holding it in 95 % of reruns of as
// many rounds (the rounds drawn again at random). A program is slower than another only if the
// whole interval lies above 1: a median of 1.01 is the machine's noise, not a growth.
struct Intervalle {
    double Mediane = -1, Bas = -1, Haut = -1;
    bool PlusLent() const { return Bas > 1; }
};
inline Intervalle IntervalleDesRatios(const QList<double>& programme,
                                      const QList<double>& reference) {
    const QList<double> r = RatiosParTour(programme, reference);
    if (r.isEmpty())
        return {};
    std::mt19937 alea(20261208); // the same rounds always give the same interval
    std::uniform_int_distribution<qsizetype> tirage(0, r.size() - 1);
    QList<double> medianes;
    QList<double> echantillon(r.size());
    for (int i = 0; i < 2000; ++i) {
        for (double& x : echantillon)
            x = r.at(tirage(alea));
        medianes.append(Mediane(echantillon));
    }
    return {Mediane(r), Quantile(medianes, 0.025), Quantile(medianes, 0.975)};
}
