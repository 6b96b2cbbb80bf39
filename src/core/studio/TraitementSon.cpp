#include "core/studio/TraitementSon.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace {

// The filter reaches this many zero crossings of the sinc on each side: enough for speech, and a
// 5-second recording at 48 kHz is brought down in a few milliseconds.
constexpr int DemiLargeur = 12;
// Its kernel is tabulated with this many steps per zero crossing, then interpolated.
constexpr int Resolution = 512;

// Blackman-windowed sinc over [0, DemiLargeur], tabulated once.
const std::vector<float>& Noyau() {
    static const std::vector<float> noyau = [] {
        std::vector<float> n(DemiLargeur * Resolution + 2);
        for (size_t i = 0; i < n.size(); ++i) {
            const double x = double(i) / Resolution;
            if (x >= DemiLargeur) {
                n[i] = 0.0f;
                continue;
            }
            const double sinc =
                x == 0.0 ? 1.0 : std::sin(std::numbers::pi * x) / (std::numbers::pi * x);
            const double t = x / DemiLargeur; // 0 at the centre, 1 at the edge
            const double fenetre = 0.42 + 0.5 * std::cos(std::numbers::pi * t) +
                                   0.08 * std::cos(2.0 * std::numbers::pi * t);
            n[i] = float(sinc * fenetre);
        }
        return n;
    }();
    return noyau;
}

inline float Valeur(const std::vector<float>& noyau, double x) {
    x = std::abs(x) * Resolution;
    const auto i = static_cast<size_t>(x);
    if (i + 1 >= noyau.size())
        return 0.0f;
    const float f = float(x - double(i));
    return noyau[i] + (noyau[i + 1] - noyau[i]) * f;
}

inline qint16 Borner(double v) {
    return static_cast<qint16>(std::clamp(std::lround(v), -32768L, 32767L));
}

} // namespace

SonPcm EnMono(const SonPcm& son) {
    if (son.Canaux <= 1)
        return son;
    SonPcm r;
    r.Frequence = son.Frequence;
    const qsizetype trames = son.Trames();
    r.Echantillons.resize(trames);
    const qint16* s = son.Echantillons.constData();
    for (qsizetype i = 0; i < trames; ++i) {
        int somme = 0;
        for (int c = 0; c < son.Canaux; ++c)
            somme += s[i * son.Canaux + c];
        r.Echantillons[i] = static_cast<qint16>(somme / son.Canaux);
    }
    return r;
}

QVector<qint16> Reechantillonner(const QVector<qint16>& mono, int de, int vers) {
    if (de <= 0 || vers <= 0 || mono.isEmpty())
        return {};
    if (de == vers)
        return mono;
    const std::vector<float>& noyau = Noyau();
    const double rapport = double(vers) / de;
    // Going down, the cut-off follows the new rate: the sinc is stretched over more inputs.
    const double coupure = std::min(1.0, rapport) * 0.9;
    const double portee = DemiLargeur / coupure;
    const qsizetype n = mono.size();
    const auto sorties = static_cast<qsizetype>(std::llround(double(n) * rapport));
    QVector<qint16> r(sorties);
    const qint16* s = mono.constData();
    for (qsizetype i = 0; i < sorties; ++i) {
        const double t = double(i) / rapport;
        const auto premier = std::max<qsizetype>(0, qsizetype(std::ceil(t - portee)));
        const auto dernier = std::min<qsizetype>(n - 1, qsizetype(std::floor(t + portee)));
        float somme = 0.0f;
        for (qsizetype k = premier; k <= dernier; ++k)
            somme += float(s[k]) * Valeur(noyau, (t - double(k)) * coupure);
        r[i] = Borner(somme * coupure);
    }
    return r;
}

BornesSon TrouverParole(const QVector<qint16>& mono, int frequence) {
    BornesSon b;
    if (mono.isEmpty() || frequence <= 0)
        return b;
    const qsizetype fenetre = std::max(1, frequence / 100);
    const qsizetype nbFenetres = (mono.size() + fenetre - 1) / fenetre;
    std::vector<double> niveaux(static_cast<size_t>(nbFenetres));
    double plusFort = 0.0;
    for (qsizetype f = 0; f < nbFenetres; ++f) {
        const qsizetype debut = f * fenetre;
        const qsizetype fin = std::min(mono.size(), debut + fenetre);
        double somme = 0.0;
        for (qsizetype i = debut; i < fin; ++i)
            somme += double(mono[i]) * mono[i];
        const double rms = std::sqrt(somme / double(fin - debut));
        niveaux[size_t(f)] = rms;
        plusFort = std::max(plusFort, rms);
    }
    // -20 dB under the loudest window, and never under -50 dBFS: a quiet room is not speech.
    const double seuil = std::max(plusFort * 0.1, 32768.0 * 0.00316);
    qsizetype premiere = -1;
    qsizetype derniere = -1;
    for (qsizetype f = 0; f < nbFenetres; ++f) {
        if (niveaux[size_t(f)] <= seuil)
            continue;
        if (premiere < 0)
            premiere = f;
        derniere = f;
    }
    if (premiere < 0)
        return b;
    // A consonant starts softer than the vowel after it, and a word dies away: keep 50 ms
    // before and 150 ms after.
    const qsizetype avant = frequence / 20;
    const qsizetype apres = frequence * 3 / 20;
    b.Debut = std::max<qsizetype>(0, premiere * fenetre - avant);
    b.Fin = std::min(mono.size(), (derniere + 1) * fenetre + apres);
    return b;
}

void Normaliser(QVector<qint16>& mono) {
    int crete = 0;
    for (const qint16 v : std::as_const(mono))
        crete = std::max(crete, std::abs(int(v)));
    if (crete == 0)
        return;
    const double gain = double(CreteCible) / crete;
    for (qint16& v : mono)
        v = Borner(v * gain);
}

SonPcm PreparerSon(const SonPcm& brut) {
    SonPcm r;
    r.Frequence = FrequenceItems;
    const SonPcm mono = EnMono(brut);
    QVector<qint16> s = Reechantillonner(mono.Echantillons, mono.Frequence, FrequenceItems);
    if (s.isEmpty())
        return r;
    // A microphone's constant offset would count as sound and shift every peak.
    double moyenne = 0.0;
    for (const qint16 v : std::as_const(s))
        moyenne += v;
    moyenne /= double(s.size());
    if (std::abs(moyenne) >= 1.0)
        for (qint16& v : s)
            v = Borner(v - moyenne);
    const BornesSon b = TrouverParole(s, FrequenceItems);
    if (b.Fin <= b.Debut)
        return r;
    s = s.mid(b.Debut, b.Fin - b.Debut);
    const qsizetype fondu = std::min<qsizetype>(FrequenceItems / 200, s.size() / 2);
    for (qsizetype i = 0; i < fondu; ++i) {
        const double g = double(i) / double(fondu);
        s[i] = Borner(s[i] * g);
        s[s.size() - 1 - i] = Borner(s[s.size() - 1 - i] * g);
    }
    Normaliser(s);
    r.Echantillons = std::move(s);
    return r;
}
