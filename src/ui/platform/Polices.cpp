#include "ui/platform/Polices.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QHash>

namespace {

#ifdef Q_OS_WIN
// The files of polices/ whose name starts with `debut` (.ttf and .otf), registered; whether one
// was.
bool Enregistrer(const QString& debut) {
    const QDir polices(QCoreApplication::applicationDirPath() + QStringLiteral("/polices"));
    bool chargee = false;
    for (const QString& f : polices.entryList(
             {debut + QStringLiteral("*.ttf"), debut + QStringLiteral("*.otf")}, QDir::Files))
        chargee = QFontDatabase::addApplicationFont(polices.filePath(f)) >= 0 || chargee;
    return chargee;
}
#endif

} // namespace

void PolicesDuProgramme() {
#ifdef Q_OS_WIN
    // DejaVu only: the reading letters are registered when a setting first needs them.
    if (!Enregistrer(QStringLiteral("DejaVu")))
        return; // Windows' own letters then
    QFont police = QApplication::font();
    police.setFamily(QStringLiteral("DejaVu Sans"));
    QApplication::setFont(police);
#endif
}

bool PoliceDisponible(const QString& famille) {
    static QHash<QString, bool> connues;
    const auto trouvee = connues.constFind(famille);
    if (trouvee != connues.constEnd())
        return *trouvee;
#ifdef Q_OS_WIN
    Enregistrer(QString(famille).remove(u' '));
#endif
    const bool disponible = QFontDatabase::hasFamily(famille);
    connues.insert(famille, disponible);
    return disponible;
}
