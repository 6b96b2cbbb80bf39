#include "core/setup/NomsDisque.h"

// Windows' names are UTF-16: the C library's byte names (read in the ANSI code page) would call
// every accented name damaged.
bool NomsDisqueNonUtf8(const QString&) {
    return false;
}
