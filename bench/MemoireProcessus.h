#pragma once
// The process's peak resident memory so far, in kB (VmHWM of /proc/self/status).

#include <QFile>
#include <QString>

inline long MemoireCrete() {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& ligne : f.readAll().split('\n'))
        if (ligne.startsWith("VmHWM:"))
            return ligne.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}
