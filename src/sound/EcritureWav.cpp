#include "sound/EcritureWav.h"

#include "sound/DecodageWav.h"

#include <QFileInfo>
#include <QSaveFile>

#include <sndfile.h>

#include <algorithm>
#include <cstring>

namespace {

struct EcritureMemoire {
    QByteArray Octets;
    sf_count_t Position = 0;
};

sf_count_t Longueur(void* d) {
    return static_cast<EcritureMemoire*>(d)->Octets.size();
}

sf_count_t Deplacer(sf_count_t decalage, int origine, void* d) {
    auto* m = static_cast<EcritureMemoire*>(d);
    sf_count_t base = 0;
    if (origine == SEEK_CUR)
        base = m->Position;
    else if (origine == SEEK_END)
        base = m->Octets.size();
    m->Position = std::max<sf_count_t>(0, base + decalage);
    return m->Position;
}

sf_count_t Lire(void* destination, sf_count_t nombre, void* d) {
    auto* m = static_cast<EcritureMemoire*>(d);
    const sf_count_t n = std::clamp<sf_count_t>(m->Octets.size() - m->Position, 0, nombre);
    if (n > 0)
        std::memcpy(destination, m->Octets.constData() + m->Position, size_t(n));
    m->Position += n;
    return n;
}

sf_count_t Ecrire(const void* source, sf_count_t nombre, void* d) {
    auto* m = static_cast<EcritureMemoire*>(d);
    const sf_count_t fin = m->Position + nombre;
    if (fin > m->Octets.size())
        m->Octets.resize(qsizetype(fin));
    std::memcpy(m->Octets.data() + m->Position, source, size_t(nombre));
    m->Position = fin;
    return nombre;
}

sf_count_t Position(void* d) {
    return static_cast<EcritureMemoire*>(d)->Position;
}

} // namespace

QByteArray EncoderWav(const SonPcm& son, QString& erreur) {
    if (son.Canaux < 1 || son.Frequence < 1 || son.Echantillons.isEmpty()) {
        erreur = QStringLiteral("le son est vide");
        return {};
    }
    EcritureMemoire memoire;
    SF_VIRTUAL_IO acces = {Longueur, Deplacer, Lire, Ecrire, Position};
    SF_INFO info;
    std::memset(&info, 0, sizeof info);
    info.samplerate = son.Frequence;
    info.channels = son.Canaux;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* f = sf_open_virtual(&acces, SFM_WRITE, &info, &memoire);
    if (!f) {
        erreur = QString::fromLocal8Bit(sf_strerror(nullptr));
        return {};
    }
    const sf_count_t trames = son.Trames();
    const sf_count_t ecrites = sf_writef_short(f, son.Echantillons.constData(), trames);
    const int fermeture = sf_close(f);
    if (ecrites != trames || fermeture != 0) {
        erreur = QStringLiteral("l'écriture du son a échoué");
        return {};
    }
    return memoire.Octets;
}

bool EcrireFichierWav(const QString& chemin, const SonPcm& son, QString& erreur) {
    QString raison;
    const QByteArray octets = EncoderWav(son, raison);
    if (!octets.isEmpty()) {
        QSaveFile f(chemin);
        if (f.open(QIODevice::WriteOnly) && f.write(octets) == octets.size() && f.commit())
            return true;
        raison = f.errorString();
    }
    erreur = QStringLiteral("Impossible d'enregistrer le son « %1 » : %2")
                 .arg(QFileInfo(chemin).fileName(), raison);
    return false;
}

bool FichiersSonSndfile::Lire(const QString& chemin, SonPcm& son, QString* erreur) {
    SonDecode decode;
    QString raison;
    if (!DecoderFichierSon(chemin, decode, raison)) {
        if (erreur)
            *erreur = raison;
        return false;
    }
    son.Canaux = decode.Canaux;
    son.Frequence = decode.Frequence;
    son.Echantillons = std::move(decode.Echantillons);
    return true;
}

bool FichiersSonSndfile::EcrireWav(const QString& chemin, const SonPcm& son, QString* erreur) {
    QString raison;
    if (EcrireFichierWav(chemin, son, raison))
        return true;
    if (erreur)
        *erreur = raison;
    return false;
}
