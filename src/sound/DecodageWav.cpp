#include "sound/DecodageWav.h"

#include <QFile>
#include <QFileInfo>

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

// Items are words and sentences, effects a few seconds: anything beyond these bounds is a wrong
// file, and refusing it keeps a bad header from asking for gigabytes.
constexpr int CanauxMax = 8;
constexpr sf_count_t DureeMaxSecondes = 10 * 60;
constexpr sf_count_t EchantillonsMax = DureeMaxSecondes * 48000 * 2;
constexpr qint64 TailleFichierMax = 512LL * 1024 * 1024;
constexpr sf_count_t TrancheLecture = 4096;

struct LectureMemoire {
    const char* Donnees = nullptr;
    sf_count_t Taille = 0;
    sf_count_t Position = 0;
};

sf_count_t LongueurVirtuelle(void* donnees) {
    return static_cast<LectureMemoire*>(donnees)->Taille;
}

sf_count_t DeplacerVirtuel(sf_count_t decalage, int origine, void* donnees) {
    auto* m = static_cast<LectureMemoire*>(donnees);
    sf_count_t base = 0;
    if (origine == SEEK_CUR)
        base = m->Position;
    else if (origine == SEEK_END)
        base = m->Taille;
    m->Position = std::clamp<sf_count_t>(base + decalage, 0, m->Taille);
    return m->Position;
}

sf_count_t LireVirtuel(void* destination, sf_count_t nombre, void* donnees) {
    auto* m = static_cast<LectureMemoire*>(donnees);
    const sf_count_t n = std::clamp<sf_count_t>(nombre, 0, m->Taille - m->Position);
    if (n > 0)
        std::memcpy(destination, m->Donnees + m->Position, static_cast<size_t>(n));
    m->Position += n;
    return n;
}

sf_count_t EcrireVirtuel(const void*, sf_count_t, void*) {
    return 0;
}

sf_count_t PositionVirtuelle(void* donnees) {
    return static_cast<LectureMemoire*>(donnees)->Position;
}

QString TexteLibsndfile(SNDFILE* fichier) {
    const QString texte = QString::fromLocal8Bit(sf_strerror(fichier)).trimmed();
    return texte.isEmpty() ? QStringLiteral("format non reconnu") : texte;
}

// libsndfile hands float data to sf_readf_short unscaled (0.5 becomes 0), so float and double
// files are read as floats and brought to 16 bits here, clipped rather than wrapped.
sf_count_t LireTrancheFlottante(SNDFILE* fichier, qint16* destination, sf_count_t trames,
                                int canaux, std::vector<float>& tampon) {
    tampon.resize(static_cast<size_t>(trames * canaux));
    const sf_count_t lues = sf_readf_float(fichier, tampon.data(), trames);
    for (sf_count_t i = 0; i < lues * canaux; ++i) {
        const float v = std::clamp(tampon[static_cast<size_t>(i)], -1.0f, 1.0f);
        destination[i] = static_cast<qint16>(std::lrint(v * 32767.0f));
    }
    return lues;
}

// Fills sortie or returns a French reason.
QString Decoder(SNDFILE* fichier, const SF_INFO& info, SonDecode& sortie) {
    if (info.channels < 1 || info.channels > CanauxMax)
        return QStringLiteral("le son a %1 canaux, %2 au plus sont acceptés")
            .arg(info.channels)
            .arg(CanauxMax);
    if (info.samplerate < 1)
        return QStringLiteral("fréquence d'échantillonnage invalide (%1 Hz)").arg(info.samplerate);
    const sf_count_t tramesMax =
        std::min<sf_count_t>(DureeMaxSecondes * info.samplerate, EchantillonsMax / info.channels);
    if (info.frames == 0)
        return QStringLiteral("le son ne contient aucun échantillon");
    // A stream of unknown length announces SF_COUNT_MAX; it is read until its end or the bound.
    const bool longueurConnue = info.frames > 0 && info.frames < SF_COUNT_MAX;
    if (longueurConnue && info.frames > tramesMax)
        return QStringLiteral("le son est trop long (plus de 10 minutes)");

    const int sousFormat = info.format & SF_FORMAT_SUBMASK;
    const bool flottant = sousFormat == SF_FORMAT_FLOAT || sousFormat == SF_FORMAT_DOUBLE;
    std::vector<float> tamponFlottant;
    QVector<qint16> echantillons;
    // One slice more than announced, so the last read does not reallocate everything.
    echantillons.reserve(static_cast<qsizetype>(
        ((longueurConnue ? info.frames : 0) + TrancheLecture) * info.channels));
    sf_count_t total = 0;
    for (;;) {
        const sf_count_t voulues = std::min(TrancheLecture, tramesMax + 1 - total);
        if (voulues <= 0)
            return QStringLiteral("le son est trop long (plus de 10 minutes)");
        echantillons.resize(static_cast<qsizetype>((total + voulues) * info.channels));
        qint16* destination = echantillons.data() + total * info.channels;
        const sf_count_t lues = flottant ? LireTrancheFlottante(fichier, destination, voulues,
                                                                info.channels, tamponFlottant)
                                         : sf_readf_short(fichier, destination, voulues);
        if (lues <= 0)
            break;
        total += lues;
    }
    if (total > tramesMax)
        return QStringLiteral("le son est trop long (plus de 10 minutes)");
    if (total == 0) {
        // A header that promised frames but data that cannot be decoded.
        const QString raison = TexteLibsndfile(fichier);
        return sf_error(fichier) != SF_ERR_NO_ERROR
                   ? raison
                   : QStringLiteral("le son ne contient aucun échantillon");
    }
    // A data chunk cut short still plays what it holds: better a clipped word than none.
    echantillons.resize(static_cast<qsizetype>(total * info.channels));
    sortie.Canaux = info.channels;
    sortie.Frequence = info.samplerate;
    sortie.Echantillons = std::move(echantillons);
    return {};
}

QString DecoderOctets(const QByteArray& donnees, SonDecode& sortie) {
    if (donnees.isEmpty())
        return QStringLiteral("le fichier est vide");
    LectureMemoire memoire;
    memoire.Donnees = donnees.constData();
    memoire.Taille = donnees.size();
    SF_VIRTUAL_IO acces = {LongueurVirtuelle, DeplacerVirtuel, LireVirtuel, EcrireVirtuel,
                           PositionVirtuelle};
    SF_INFO info;
    std::memset(&info, 0, sizeof info);
    SNDFILE* fichier = sf_open_virtual(&acces, SFM_READ, &info, &memoire);
    if (!fichier)
        return TexteLibsndfile(nullptr);
    const QString raison = Decoder(fichier, info, sortie);
    sf_close(fichier);
    return raison;
}

QString Phrase(const QString& nomFichier, const QString& raison) {
    if (nomFichier.isEmpty())
        return QStringLiteral("Impossible de lire le son : %1").arg(raison);
    return QStringLiteral("Impossible de lire le son « %1 » : %2").arg(nomFichier, raison);
}

} // namespace

bool DecoderSonMemoire(const QByteArray& donnees, SonDecode& sortie, QString& erreur) {
    sortie = SonDecode();
    const QString raison = DecoderOctets(donnees, sortie);
    if (raison.isEmpty())
        return true;
    sortie = SonDecode();
    erreur = Phrase(QString(), raison);
    return false;
}

std::shared_ptr<const SonDecode> DecoderPourJouer(const QString& chemin, QString* erreur) {
    auto son = std::make_shared<SonDecode>();
    QString raison;
    if (DecoderFichierSon(chemin, *son, raison))
        return son;
    if (erreur)
        *erreur = raison;
    return nullptr;
}

bool DecoderFichierSon(const QString& chemin, SonDecode& sortie, QString& erreur) {
    sortie = SonDecode();
    const QString nom =
        QFileInfo(chemin).fileName().isEmpty() ? chemin : QFileInfo(chemin).fileName();
    // Read through QFile, then decode from memory: libsndfile's own open takes a local 8-bit
    // path, which loses accented names.
    QFile fichier(chemin);
    QString raison;
    if (chemin.isEmpty() || !QFileInfo::exists(chemin))
        raison = QStringLiteral("le fichier n'existe pas");
    else if (QFileInfo(chemin).isDir())
        raison = QStringLiteral("c'est un dossier, pas un fichier");
    else if (!fichier.open(QIODevice::ReadOnly))
        raison =
            QStringLiteral("le fichier ne peut pas être ouvert (%1)").arg(fichier.errorString());
    else if (fichier.size() > TailleFichierMax)
        raison = QStringLiteral("le fichier est trop volumineux");
    else {
        const QByteArray donnees = fichier.readAll();
        if (fichier.error() != QFileDevice::NoError)
            raison =
                QStringLiteral("le fichier ne peut pas être lu (%1)").arg(fichier.errorString());
        else
            raison = DecoderOctets(donnees, sortie);
    }
    if (raison.isEmpty())
        return true;
    sortie = SonDecode();
    erreur = Phrase(nom, raison);
    return false;
}
