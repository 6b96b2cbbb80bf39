#include "ui/platform/ShellQt.h"

#include "core/Chemins.h"

#include <QDesktopServices>
#include <QProcess>
#include <QRegularExpression>
#include <QUrl>

bool EstAdresseWeb(const QString& cible) {
    // A scheme of two letters or more: a drive letter is a path.
    static const QRegularExpression schema(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    return schema.match(cible).hasMatch();
}

void ShellQt::Ouvrir(const QString& cible) {
    if (cible.isEmpty())
        return;
    if (EstAdresseWeb(cible))
        QDesktopServices::openUrl(QUrl(cible));
    else
        QDesktopServices::openUrl(QUrl::fromLocalFile(NormaliserSeparateurs(cible)));
}

void ShellQt::Lancer(const QString& programme) {
    if (!programme.isEmpty())
        QProcess::startDetached(programme, {});
}
