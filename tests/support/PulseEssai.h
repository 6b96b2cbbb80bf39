#pragma once
// A PulseAudio server of the test's own: a null sink, a source that records what the sink plays
// (its monitor, remapped into an ordinary source so it becomes the default one) and a private
// socket. PULSE_SERVER then points the program's sound at it. Where the daemon cannot start (no
// package, no permission), Demarrer says so and the caller takes the other way.

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class PulseEssai {
public:
    ~PulseEssai() {
        if (m_processus.state() != QProcess::NotRunning) {
            m_processus.terminate();
            if (!m_processus.waitForFinished(3000))
                m_processus.kill();
            m_processus.waitForFinished(1000);
        }
    }

    // Before anything touches Qt Multimedia in this process. false with why in *raison.
    bool Demarrer(QString* raison) {
        const QString programme = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
        if (programme.isEmpty()) {
            *raison = QStringLiteral("pulseaudio n'est pas installé");
            return false;
        }
        if (!m_dossier.isValid()) {
            *raison = QStringLiteral("pas de dossier temporaire");
            return false;
        }
        const QString prise = m_dossier.filePath(QStringLiteral("prise"));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_dossier.path());
        env.insert(QStringLiteral("HOME"), m_dossier.path());
        env.remove(QStringLiteral("PULSE_SERVER"));
        m_processus.setProcessEnvironment(env);
        m_processus.setProcessChannelMode(QProcess::MergedChannels);
        m_processus.start(programme,
                          {QStringLiteral("--daemonize=no"), QStringLiteral("--exit-idle-time=-1"),
                           QStringLiteral("-n"), QStringLiteral("--use-pid-file=no"),
                           QStringLiteral("--disable-shm=yes"),
                           QStringLiteral("--load=module-null-sink sink_name=essai"),
                           QStringLiteral("--load=module-remap-source master=essai.monitor "
                                          "source_name=micro"),
                           QStringLiteral("--load=module-native-protocol-unix socket=%1 "
                                          "auth-anonymous=1")
                               .arg(prise)});
        if (!m_processus.waitForStarted(5000) ||
            !QTest::qWaitFor(
                [&] {
                    return QFileInfo::exists(prise) || m_processus.state() == QProcess::NotRunning;
                },
                10000) ||
            !QFileInfo::exists(prise)) {
            *raison = QStringLiteral("le serveur n'a pas démarré : %1")
                          .arg(QString::fromLocal8Bit(m_processus.readAll()).trimmed());
            return false;
        }
        qputenv("PULSE_SERVER", ("unix:" + prise).toLocal8Bit());
        return true;
    }

private:
    QTemporaryDir m_dossier;
    QProcess m_processus;
};
