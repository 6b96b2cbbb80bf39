// A second process for the shared-folder tests: it writes to record files exactly as the
// program does, so several of it can race on one folder.
//   ecrivain ajouter <file> <count> <tag>      append <count> whole lines
//   ecrivain sauver <history file> <count>     rewrite the history <count> times, growing
//   ecrivain journal <folder> <number>         create a journal, first drawing <number>;
//                                              print its path, wait for a line on stdin,
//                                              then delete it as the program does at close

#include "core/Etat.h"
#include "core/Services.h"
#include "core/records/FichiersEleve.h"
#include "core/records/Journal.h"
#include "core/records/Reussites.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <cstdio>

namespace {

class HasardForce : public IHasard {
public:
    explicit HasardForce(int premier) : m_premier(premier) {}
    int Tirer(int n) override {
        if (m_premier >= 0) {
            const int r = m_premier;
            m_premier = -1;
            return r % n;
        }
        return m_systeme.Tirer(n);
    }

private:
    int m_premier;
    HasardSysteme m_systeme;
};

// Version v of the history: v + 1 entries, each naming v, so a reader can tell a whole
// version from a torn one.
QString VersionHistorique(int v) {
    QString t;
    for (int k = 0; k <= v % 200; ++k)
        t += QStringLiteral("mot %1 de la version %2|%2\r\n").arg(k).arg(v);
    return t;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList a = app.arguments();
    if (a.size() < 4)
        return 2;
    const QString mode = a.at(1);
    if (mode == u"ajouter") {
        const int n = a.at(3).toInt();
        const QString tag = a.value(4);
        for (int i = 0; i < n; ++i)
            AjouterLigne(
                a.at(2),
                QStringLiteral("%1 ligne %2 élève appliqué").arg(tag).arg(i, 5, 10, QChar(u'0')));
        return 0;
    }
    if (mode == u"sauver") {
        // Through the program's own save: load once, then rewrite whole versions.
        const QFileInfo f(a.at(2));
        Etat.DossierGroupe = f.absolutePath() + u'/';
        Etat.NomEleve = f.completeBaseName();
        if (!ChargerReussites())
            return 3;
        const int n = a.at(3).toInt();
        for (int v = 0; v < n; ++v) {
            Etat.ListeReussites.clear();
            for (const QString& ligne :
                 VersionHistorique(v).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) {
                const qsizetype barre = ligne.indexOf(u'|');
                Etat.ListeReussites.append({QString(), ligne.left(barre), ligne.mid(barre + 1)});
            }
            if (!EnregistrerReussites())
                return 4;
            std::printf("%d\n", v);
            std::fflush(stdout);
        }
        return 0;
    }
    if (mode == u"journal") {
        Etat.DossierProgramme = a.at(2).endsWith(u'/') ? a.at(2) : a.at(2) + u'/';
        HasardForce hasard(a.at(3).toInt());
        Services::InstallerHasard(&hasard);
        if (!CreerJournal())
            return 5;
        std::printf("%s\n", qPrintable(Etat.FichierJournal));
        std::fflush(stdout);
        QTextStream entree(stdin);
        entree.readLine();
        QFile::remove(Etat.FichierJournal);
        Services::InstallerHasard(nullptr);
        return 0;
    }
    return 2;
}
