#pragma once
// The real program, started as a pupil would find it: a fresh program folder laid out in a
// temporary folder (one exercise folder, one group, an ini with both paths empty, the executable
// and its modules copied from the build), shown offscreen.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

// Lays the folder out: the executable and its modules, the ini, an exercise folder, a group.
inline bool PreparerProgramme(const QString& exe, const QTemporaryDir& dossier) {
    const QDir d(dossier.path());
    if (!d.mkpath(QStringLiteral("_Medias/Animaux")) || !d.mkpath(QStringLiteral("_Bilans/CM1")))
        return false;
    QFile ini(d.filePath(QStringLiteral("plumelune.ini")));
    if (!ini.open(QIODevice::WriteOnly) || ini.write("REPERTOIRE =\r\nBILAN =\r\n") < 0)
        return false;
    ini.close();
    const QDir construit = QFileInfo(exe).absoluteDir();
    for (const QString& f : construit.entryList(
             {QFileInfo(exe).fileName(), QStringLiteral("libplumelune_*.so")}, QDir::Files)) {
        const QString copie =
            d.filePath(f == QFileInfo(exe).fileName() ? QStringLiteral("plumelune") : f);
        if (!QFile::copy(construit.filePath(f), copie) ||
            !QFile::setPermissions(copie, QFile::permissions(construit.filePath(f))))
            return false;
    }
    return true;
}

// Starts one more copy of the program laid out in `dossier`; true once it has written its
// journal (a name that was not there before), which it does when its configuration is read,
// just before the start form. The journal's path in `*journal`.
inline bool LancerProgramme(const QTemporaryDir& dossier, QProcess& p, QString* journal = nullptr) {
    const QDir d(dossier.path());
    const QStringList avant = d.entryList({QStringLiteral("Bilan_*.txt")});
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(d.path());
    p.start(d.filePath(QStringLiteral("plumelune")), {});
    QString nouveau;
    const bool pret = p.waitForStarted() &&
                      QTest::qWaitFor(
                          [&] {
                              for (const QString& j : d.entryList({QStringLiteral("Bilan_*.txt")}))
                                  if (!avant.contains(j))
                                      nouveau = d.filePath(j);
                              return !nouveau.isEmpty();
                          },
                          10000);
    if (journal)
        *journal = nouveau;
    return pret;
}

// Lays the folder out and starts `exe` there, as LancerProgramme.
inline bool DemarrerProgramme(const QString& exe, const QTemporaryDir& dossier, QProcess& p) {
    return PreparerProgramme(exe, dossier) && LancerProgramme(dossier, p);
}

// Whether a library whose file name holds `nom` is mapped into the process ("self": this one).
#ifdef Q_OS_WIN
// On Windows, in this process: the library by the name Windows gives it (libQt6Widgets.so is
// Qt6Widgets.dll there).
inline bool BibliothequeChargee(const char* nom, const QString& = QStringLiteral("self")) {
    QString dll = QString::fromLatin1(nom);
    dll.replace(QStringLiteral(".so"), QStringLiteral(".dll"));
    const auto charge = [](const QString& n) {
        return GetModuleHandleW(reinterpret_cast<const wchar_t*>(n.utf16())) != nullptr;
    };
    // Qt's and the program's own drop the prefix; libsndfile.dll keeps it.
    return charge(dll) || (dll.startsWith(QStringLiteral("lib")) && charge(dll.mid(3)));
}
#else
inline bool BibliothequeChargee(const char* nom,
                                const QString& processus = QStringLiteral("self")) {
    QFile cartes(QStringLiteral("/proc/%1/maps").arg(processus));
    return cartes.open(QIODevice::ReadOnly) && cartes.readAll().contains(nom);
}
#endif
