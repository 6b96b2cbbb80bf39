#include "ui/platform/DossierDonnees.h"

#include <QDir>
#include <QStandardPaths>

QString DossierDonneesInstallees() {
#ifdef Q_OS_WIN
    const QString public_ = qEnvironmentVariable("PUBLIC");
    if (!public_.isEmpty())
        return QDir::fromNativeSeparators(public_) + QStringLiteral("/Documents/Plumelune");
#endif
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}
