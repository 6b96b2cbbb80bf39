#include "ui/platform/AvantQt.h"

#include <QByteArray>
#include <QtGlobal>

void PreparerAvantQt() {
#ifdef Q_OS_WIN
    qputenv("QT_ENABLE_REGEXP_JIT", QByteArray("0"));
#endif
}
