#include "ui/platform/SyntheseEspeak.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace {

#ifdef Q_OS_WIN
// Not shipped with the Windows program: eSpeak NG's own installer puts it there.
const QString absente = QStringLiteral(
    "La voix de synthèse n'est pas installée sur cet ordinateur (programme espeak-ng). Demandez "
    "à la personne qui s'occupe des ordinateurs d'installer « eSpeak NG » pour Windows, ou "
    "enregistrez l'item au micro, ou importez un son.");
const QString dossierWindows = QStringLiteral("C:/Program Files/eSpeak NG/");
#else
const QString absente = QStringLiteral(
    "La voix de synthèse n'est pas installée sur cet ordinateur (programme espeak-ng). Demandez "
    "à la personne qui s'occupe des ordinateurs d'installer le paquet « espeak-ng », ou "
    "enregistrez l'item au micro, ou importez un son.");
#endif

} // namespace

SyntheseEspeak::SyntheseEspeak(const QString& programme, QObject* parent)
    : QObject(parent), m_programme(programme) {
#ifdef Q_OS_WIN
    // Its installer does not put it on the search path.
    if (!QFileInfo(m_programme).isAbsolute() &&
        QStandardPaths::findExecutable(m_programme).isEmpty() &&
        QFileInfo::exists(dossierWindows + m_programme + QStringLiteral(".exe")))
        m_programme = dossierWindows + m_programme + QStringLiteral(".exe");
#endif
}

SyntheseEspeak::~SyntheseEspeak() {
    Annuler();
}

bool SyntheseEspeak::Disponible(QString* raison) {
    const bool present = QFileInfo(m_programme).isAbsolute()
                             ? QFileInfo(m_programme).isExecutable()
                             : !QStandardPaths::findExecutable(m_programme).isEmpty();
    if (!present && raison)
        *raison = absente;
    return present;
}

void SyntheseEspeak::Dire(const QString& texte, const QString& sortie,
                          std::function<void(const QString&)> fini) {
    Annuler();
    auto* p = new QProcess(this);
    m_processus = p;
    p->setProcessChannelMode(QProcess::SeparateChannels);
    connect(p, &QProcess::finished, this, [this, p, fini](int code, QProcess::ExitStatus statut) {
        const QString message = QString::fromLocal8Bit(p->readAllStandardError()).trimmed();
        p->deleteLater();
        if (m_processus == p)
            m_processus = nullptr;
        if (!fini)
            return;
        if (statut != QProcess::NormalExit || code != 0)
            fini(QStringLiteral("la voix de synthèse a échoué (%1)")
                     .arg(message.isEmpty() ? QStringLiteral("code %1").arg(code) : message));
        else
            fini({});
    });
    connect(p, &QProcess::errorOccurred, this, [this, p, fini](QProcess::ProcessError e) {
        if (e != QProcess::FailedToStart)
            return; // a crash also ends in finished()
        p->deleteLater();
        if (m_processus == p)
            m_processus = nullptr;
        if (fini)
            fini(absente);
    });
    // "--" ends the options: a text starting with "-" is read, not taken for one.
    p->start(m_programme, {QStringLiteral("-v"), QStringLiteral("fr"), QStringLiteral("-w"), sortie,
                           QStringLiteral("--"), texte});
}

void SyntheseEspeak::Annuler() {
    if (!m_processus)
        return;
    QProcess* p = m_processus;
    m_processus = nullptr;
    p->disconnect(this);
    p->kill();
    // Reaped by Qt once it has ended; nothing waits for it here.
    connect(p, &QProcess::finished, p, &QObject::deleteLater);
}
