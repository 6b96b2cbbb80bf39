// libplumelune_impression: printing, loaded by the program at its first print.

#include "printing/ImprimanteQt.h"

#include <QtGlobal>

extern "C" Q_DECL_EXPORT IImprimante* PlumeluneCreerImprimante() {
    return new ImprimanteQt;
}
