#include "ui/platform/Polices.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QFontDatabase>

void PolicesDuProgramme() {
#ifdef Q_OS_WIN
    const QDir polices(QCoreApplication::applicationDirPath() + QStringLiteral("/polices"));
    bool chargee = false;
    for (const QString& f : polices.entryList({QStringLiteral("*.ttf")}, QDir::Files))
        chargee = QFontDatabase::addApplicationFont(polices.filePath(f)) >= 0 || chargee;
    if (!chargee)
        return; // Windows' own letters then
    QFont police = QApplication::font();
    police.setFamily(QStringLiteral("DejaVu Sans"));
    QApplication::setFont(police);
#endif
}
