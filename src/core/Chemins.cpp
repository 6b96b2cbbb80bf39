#include "core/Chemins.h"

#include "core/Texte.h"

#include <QDir>
#include <QFileInfo>

QString NormaliserSeparateurs(const QString& chemin) {
    QString r = chemin;
    r.replace(u'\\', Separateur);
    return r;
}

QString AvecSeparateur(const QString& dossier) {
    QString r = NormaliserSeparateurs(dossier);
    while (r.size() > 1 && r.endsWith(Separateur) && r.at(r.size() - 2) == Separateur)
        r.chop(1);
    if (!r.endsWith(Separateur))
        r += Separateur;
    return r;
}

QString DernierComposant(const QString& chemin) {
    const qsizetype i = std::max(chemin.lastIndexOf(u'\\'), chemin.lastIndexOf(u'/'));
    return i < 0 ? chemin : chemin.mid(i + 1);
}

namespace {

// Finds `nom` in `dossier` ignoring case and how accents are spelt; empty when absent.
QString EntreeSansCasse(const QString& dossier, const QString& nom) {
    const QDir d(dossier.isEmpty() ? QStringLiteral(".") : dossier);
    const QStringList entrees =
        d.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& e : entrees)
        if (MemeNomDeFichier(e, nom))
            return e;
    return {};
}

} // namespace

QString ResoudreChemin(const QString& chemin) {
    const QString normal = NormaliserSeparateurs(chemin);
    if (normal.isEmpty() || QFileInfo::exists(normal))
        return normal;
    // Walk from the deepest existing ancestor; only missing components are listed.
    const bool finSeparateur = normal.endsWith(Separateur);
    QStringList parties = normal.split(Separateur);
    if (finSeparateur)
        parties.removeLast();
    QString base;
    qsizetype i = 0;
    if (normal.startsWith(QLatin1String("//")) && parties.size() > 3) {
        // A network share (\\serveur\classe): the server and the share are names the network
        // answers for, never folders to look through, and the two leading separators stay.
        base = QStringLiteral("//") + parties.at(2) + Separateur + parties.at(3);
        i = 4;
    } else if (normal.startsWith(Separateur)) {
        base = QStringLiteral("/");
        i = 1;
    }
    for (; i < parties.size(); ++i) {
        const QString& partie = parties.at(i);
        QString suivant = base.isEmpty()              ? partie
                          : base.endsWith(Separateur) ? base + partie
                                                      : base + Separateur + partie;
        if (partie.isEmpty() || partie == u"." || partie == u".." || QFileInfo::exists(suivant)) {
            base = suivant;
            continue;
        }
        const QString trouve = EntreeSansCasse(base, partie);
        if (trouve.isEmpty())
            return normal;
        base = base.isEmpty()              ? trouve
               : base.endsWith(Separateur) ? base + trouve
                                           : base + Separateur + trouve;
    }
    if (finSeparateur && !base.endsWith(Separateur))
        base += Separateur;
    return base;
}

bool FichierExiste(const QString& chemin) {
    const QFileInfo f(ResoudreChemin(chemin));
    return f.exists() && !f.isDir();
}

bool DossierExiste(const QString& chemin) {
    return QFileInfo(ResoudreChemin(chemin)).isDir();
}

QString SansSeparateurFinal(const QString& dossier) {
    QString d = NormaliserSeparateurs(dossier);
    while (d.size() > 1 && d.endsWith(Separateur))
        d.chop(1);
    return d;
}
