#include "ui/platform/ShellQt.h"

#include "core/Chemins.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QUrl>

bool EstAdresseWeb(const QString& cible) {
    // A scheme of two letters or more: a drive letter is a path.
    static const QRegularExpression schema(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    return schema.match(cible).hasMatch();
}

EchecOuverture EchecSelonXdgOpen(int codeDeSortie) {
    switch (codeDeSortie) {
    case 2:
        return EchecOuverture::Introuvable;
    case 3:
        return EchecOuverture::SansProgramme;
    case 4:
        return EchecOuverture::ProgrammeEnEchec;
    default:
        return EchecOuverture::Autre;
    }
}

QString MessageEchecOuverture(const QString& cible, EchecOuverture raison) {
    const QString debut = QStringLiteral("Impossible d'ouvrir « %1 » : ").arg(cible);
    switch (raison) {
    case EchecOuverture::SansOuvreur:
        return debut + QStringLiteral("cet ordinateur n'a pas de programme pour ouvrir les "
                                      "documents (xdg-open, du paquet xdg-utils, manque).");
    case EchecOuverture::Introuvable:
        return debut + QStringLiteral("il est introuvable.");
    case EchecOuverture::SansProgramme:
        return debut + QStringLiteral("aucun programme de cet ordinateur n'est associé à ce "
                                      "type de document.");
    case EchecOuverture::ProgrammeEnEchec:
        return debut + QStringLiteral("le programme associé à ce type de document n'a pas pu "
                                      "l'ouvrir.");
    case EchecOuverture::Autre:
        break;
    }
    return debut + QStringLiteral("le bureau n'a pas pu l'ouvrir.");
}

QString MessageEchecLancement(const QString& programme) {
    return QStringLiteral("Impossible de lancer le programme « %1 » : il est introuvable ou ne "
                          "peut pas être lancé.")
        .arg(programme);
}

ShellQt::~ShellQt() {
    for (const QPointer<QProcess>& p : std::as_const(m_ouvreurs)) {
        if (!p)
            continue;
        // Its callers may be gone: nothing more is said to them.
        p->disconnect();
        if (p->state() == QProcess::NotRunning) {
            delete p.data(); // ended, its deleteLater not yet run
            continue;
        }
        // An opener still running is the one of a document still open: deleting its QProcess
        // would kill it. It is freed when it ends while the program runs; one still running when
        // the program ends is let go on purpose and lives on after it.
        QObject::connect(p, &QProcess::finished, p, &QObject::deleteLater);
    }
}

void ShellQt::Ouvrir(const QString& cible, Echec echec) {
    if (cible.isEmpty())
        return;
    const bool web = EstAdresseWeb(cible);
    const QString argument = web ? cible : NormaliserSeparateurs(cible);
    const QString montre = web ? cible : QDir::toNativeSeparators(argument);
    auto dire = [echec](const QString& message) {
        if (echec)
            echec(message);
    };

#ifdef Q_OS_WIN
    // Windows opens through its file associations (ShellExecute), which answer at once.
    if (!web && !QFileInfo::exists(argument))
        dire(MessageEchecOuverture(montre, EchecOuverture::Introuvable));
    else if (!QDesktopServices::openUrl(web ? QUrl(cible) : QUrl::fromLocalFile(argument)))
        dire(MessageEchecOuverture(montre, EchecOuverture::SansProgramme));
    return;
#else
    const QString xdgOpen = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (xdgOpen.isEmpty()) {
        // Without the desktop's opener, Qt may still know one of the desktop's own.
        const QUrl url = web ? QUrl(cible) : QUrl::fromLocalFile(argument);
        if (!QDesktopServices::openUrl(url))
            dire(MessageEchecOuverture(montre, EchecOuverture::SansOuvreur));
        return;
    }
    // xdg-open's exit status says whether it found a program: it is awaited, never waited for.
    auto* p = new QProcess;
    p->setProgram(xdgOpen);
    p->setArguments({argument});
    p->setStandardInputFile(QProcess::nullDevice());
    p->setStandardOutputFile(QProcess::nullDevice());
    p->setStandardErrorFile(QProcess::nullDevice());
    QObject::connect(p, &QProcess::finished, p,
                     [p, dire, montre](int code, QProcess::ExitStatus statut) {
                         if (statut != QProcess::NormalExit)
                             dire(MessageEchecOuverture(montre, EchecOuverture::Autre));
                         else if (code != 0)
                             dire(MessageEchecOuverture(montre, EchecSelonXdgOpen(code)));
                         p->deleteLater();
                     });
    QObject::connect(p, &QProcess::errorOccurred, p, [p, dire, montre](QProcess::ProcessError e) {
        if (e != QProcess::FailedToStart)
            return; // the others end in `finished`
        dire(MessageEchecOuverture(montre, EchecOuverture::SansOuvreur));
        p->deleteLater();
    });
    m_ouvreurs.removeAll(nullptr);
    m_ouvreurs.append(p);
    p->start();
#endif
}

void ShellQt::Lancer(const QString& programme, Echec echec) {
    if (programme.isEmpty())
        return;
    if (!QProcess::startDetached(programme, {}) && echec)
        echec(MessageEchecLancement(programme));
}
