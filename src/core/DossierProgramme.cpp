#include "core/DossierProgramme.h"

#include "core/Chemins.h"
#include "core/FichierTexte.h"
#include "core/Texte.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace {

bool CopierSiAbsent(const QString& source, const QString& cible) {
    if (QFileInfo::exists(cible) || !QFileInfo(source).isFile())
        return true;
    QDir().mkpath(QFileInfo(cible).absolutePath());
    return QFile::copy(source, cible);
}

// The installed ini with an empty REPERTOIRE pointed at the installed exercises, since the
// user's folder holds none; in the installed file's encoding.
QByteArray IniUtilisateur(const QString& iniInstalle, const QString& medias) {
    QByteArray installe;
    LireFichier(iniInstalle, installe);
    QStringList lignes = DecouperLignes(DecoderTexte(installe));
    bool trouve = false;
    for (QString& l : lignes) {
        const qsizetype egal = l.indexOf(u'=');
        if (egal < 0 || MajusculesAZ(Rogner(l.left(egal))) != u"REPERTOIRE")
            continue;
        trouve = true;
        if (Rogner(l.mid(egal + 1)).isEmpty())
            l = QStringLiteral("REPERTOIRE = ") + medias;
    }
    if (!trouve)
        lignes.append(QStringLiteral("REPERTOIRE = ") + medias);
    return ContenuDansLEncodageDe(iniInstalle,
                                  lignes.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

} // namespace

bool PreparerDossierUtilisateur(const QString& installe, const QString& utilisateur) {
    const QString src = AvecSeparateur(installe);
    const QString dst = AvecSeparateur(utilisateur);
    if (!QDir().mkpath(dst))
        return false;
    bool ok = true;
    const QString ini = dst + QStringLiteral("plumelune.ini");
    const QString iniInstalle = src + QStringLiteral("plumelune.ini");
    // An installed program without its ini is as broken as a portable one: no made-up ini, so
    // that the start says "Fichier INI non trouvé." instead of running without a password.
    if (!FichierExiste(ini) && FichierExiste(iniInstalle)) {
        QFile f(ini);
        ok = f.open(QIODevice::WriteOnly) &&
             f.write(IniUtilisateur(iniInstalle, src + QStringLiteral("_Medias"))) >= 0;
    }
    const QStringList fichiers = QDir(src).entryList(
        {QStringLiteral("*.wav"), QStringLiteral("qvx_pardefaut.*")}, QDir::Files);
    for (const QString& f : fichiers)
        ok = CopierSiAbsent(src + f, dst + f) && ok;
    QDirIterator aide(src + QStringLiteral("aide"), QDir::Files, QDirIterator::Subdirectories);
    while (aide.hasNext()) {
        const QString f = aide.next();
        ok = CopierSiAbsent(f, dst + f.mid(src.size())) && ok;
    }
    QDir().mkpath(dst + QStringLiteral("_Bilans"));
    for (const QString& g :
         QDir(src + QStringLiteral("_Bilans")).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        QDir().mkpath(dst + QStringLiteral("_Bilans/") + g);
    return ok;
}

QString ChoisirDossierProgramme(const QString& dossierExe, bool exeInscriptible,
                                const QString& dossierUtilisateur) {
    if (exeInscriptible &&
        !QFileInfo::exists(AvecSeparateur(dossierExe) + QLatin1String(MarqueInstallation)))
        return AvecSeparateur(dossierExe);
    PreparerDossierUtilisateur(dossierExe, dossierUtilisateur);
    return AvecSeparateur(dossierUtilisateur);
}
