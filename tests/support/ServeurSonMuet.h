#pragma once
// A sound server that is there and never answers, as in a thin-client room whose server hangs:
// a Unix socket that accepts every connection and never writes a byte. Point the sound library
// at it with PULSE_SERVER=unix:<Chemin()> before anything in the process asks for a device.
// Also a small WAV writer for the items played meanwhile.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QtEndian>

#include <atomic>
#include <cmath>
#include <cstring>
#include <thread>
#include <vector>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

class ServeurSonMuet {
public:
    explicit ServeurSonMuet(const QString& chemin) : m_chemin(chemin) {
        m_ecoute = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un adresse{};
        adresse.sun_family = AF_UNIX;
        const QByteArray nom = QFile::encodeName(chemin);
        if (m_ecoute < 0 || size_t(nom.size()) >= sizeof(adresse.sun_path))
            return;
        std::memcpy(adresse.sun_path, nom.constData(), size_t(nom.size()));
        if (::bind(m_ecoute, reinterpret_cast<sockaddr*>(&adresse), sizeof(adresse)) != 0 ||
            ::listen(m_ecoute, 16) != 0)
            return;
        m_pret = true;
        m_fil = std::thread([this] {
            for (;;) {
                const int client = ::accept(m_ecoute, nullptr, nullptr);
                if (client < 0 || m_fin)
                    break;
                m_clients.push_back(client); // held open, never answered
                ++m_connexions;
            }
        });
    }
    ~ServeurSonMuet() {
        m_fin = true;
        ::shutdown(m_ecoute, SHUT_RDWR);
        if (m_fil.joinable())
            m_fil.join();
        for (const int c : m_clients)
            ::close(c);
        ::close(m_ecoute);
        ::unlink(QFile::encodeName(m_chemin).constData());
    }
    ServeurSonMuet(const ServeurSonMuet&) = delete;
    ServeurSonMuet& operator=(const ServeurSonMuet&) = delete;

    bool Pret() const { return m_pret; }
    // The value for PULSE_SERVER.
    QByteArray Adresse() const { return "unix:" + QFile::encodeName(m_chemin); }
    // Connections accepted so far: the sound library did come and knock.
    int Connexions() const { return m_connexions.load(); }

private:
    QString m_chemin;
    int m_ecoute = -1;
    bool m_pret = false;
    std::atomic<bool> m_fin{false};
    std::thread m_fil;
    std::vector<int> m_clients; // the accepting thread's, until it is joined
    std::atomic<int> m_connexions{0};
};

// Half a second of a 440 Hz tone, 16-bit mono PCM at 22050 Hz.
inline bool EcrireWavEssai(const QString& chemin) {
    constexpr quint32 frequence = 22050;
    constexpr quint32 trames = frequence / 2;
    QByteArray donnees(int(trames * 2), Qt::Uninitialized);
    for (quint32 t = 0; t < trames; ++t)
        qToLittleEndian<qint16>(qint16(8000 * std::sin(2 * 3.14159265 * 440 * t / frequence)),
                                donnees.data() + 2 * t);
    QByteArray entete;
    auto mot32 = [&entete](quint32 v) {
        char o[4];
        qToLittleEndian(v, o);
        entete.append(o, 4);
    };
    auto mot16 = [&entete](quint16 v) {
        char o[2];
        qToLittleEndian(v, o);
        entete.append(o, 2);
    };
    entete.append("RIFF");
    mot32(36 + quint32(donnees.size()));
    entete.append("WAVEfmt ");
    mot32(16);
    mot16(1); // PCM
    mot16(1); // mono
    mot32(frequence);
    mot32(frequence * 2);
    mot16(2);
    mot16(16);
    entete.append("data");
    mot32(quint32(donnees.size()));
    QFile f(chemin);
    return f.open(QIODevice::WriteOnly) &&
           f.write(entete + donnees) == entete.size() + donnees.size();
}
