// A second process for the shared-folder tests: it writes to record files exactly as the
// program does, so several of it can race on one folder, or be killed mid-way.
//   ecrivain ajouter <file> <count> <tag>      append <count> whole lines
//   ecrivain sauver <history file> <count>     save the history <count> times, each time with
//                                              one more success on every item
//   ecrivain reussites <history file>          the history of one running copy, driven line by
//                                              line on stdin: "charger", "+text" (success),
//                                              "-text" (failure), "sauver", "fin"; each answered
//                                              "ok" or "echec" on stdout
//   ecrivain journal <folder> <number>         create a journal, first drawing <number>;
//                                              print its path, wait for a line on stdin,
//                                              then delete it as the program does at close
//   ecrivain exercice <program folder> <group folder> <pupil> <exercise folder> <mode>
//                                              a pupil's exercise through the session:
//                                              "ouvert": the first item answered wrong, then
//                                              "ouvert" printed and the process waits; SIGTERM,
//                                              SIGHUP or SIGINT end the exercise as the quit
//                                              dialog's "Quitter" does (the journal is kept for
//                                              the test to read);
//                                              "complet <n>": n whole exercises, each item
//                                              answered wrong once, then right

#include "core/Etat.h"
#include "core/Services.h"
#include "core/exercise/DecodageItem.h"
#include "core/records/FichiersEleve.h"
#include "core/records/Journal.h"
#include "core/records/Reussites.h"
#include "ui/platform/ArretPropre.h"

#include <QCoreApplication>
#include <QDir>
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

void Dire(const char* texte) {
    std::printf("%s\n", texte);
    std::fflush(stdout);
}

// The pupil whose history file this is.
void EleveDuFichier(const QString& historique) {
    const QFileInfo f(historique);
    Etat.DossierGroupe = f.absolutePath() + u'/';
    Etat.NomEleve = f.completeBaseName();
}

int Sauver(const QString& historique, int n) {
    // Through the program's own save: load once, then each version counts one more success
    // on every item.
    EleveDuFichier(historique);
    if (!ChargerReussites())
        return 3;
    for (int v = 0; v < n; ++v) {
        for (int k = 0; k < 50; ++k)
            NoterReussite(QStringLiteral("mot %1 de la liste").arg(k));
        if (!EnregistrerReussites())
            return 4;
        std::printf("%d\n", v);
        std::fflush(stdout);
    }
    return 0;
}

int Reussites(const QString& historique) {
    EleveDuFichier(historique);
    QTextStream entree(stdin);
    for (QString ligne = entree.readLine(); !ligne.isNull(); ligne = entree.readLine()) {
        bool ok = true;
        if (ligne == u"charger")
            ok = ChargerReussites();
        else if (ligne == u"sauver")
            ok = EnregistrerReussites();
        else if (ligne.startsWith(u'+'))
            NoterReussite(ligne.mid(1));
        else if (ligne.startsWith(u'-'))
            NoterEchec(ligne.mid(1));
        else if (ligne == u"fin")
            return 0;
        Dire(ok ? "ok" : "echec");
    }
    return 0;
}

int Exercice(QCoreApplication& app, const QStringList& a) {
    Etat.DossierProgramme = QDir(a.at(2)).absolutePath() + u'/';
    Etat.DossierGroupe = QDir(a.at(3)).absolutePath() + u'/';
    Etat.NomEleve = a.at(4);
    Etat.Choix.DossierExercice = QDir(a.at(5)).absolutePath();
    const QString mode = a.value(6);
    if (!CreerJournal() || !ChargerReussites())
        return 5;
    SessionExercice& exercice = Etat.Exercice;
    if (mode == u"ouvert") {
        exercice.Ouvrir(Etat.Choix.DossierExercice,
                        BilansExercice::DuProgramme(Etat.Choix.DossierExercice));
        if (!exercice.Commencer())
            return 6;
        exercice.Ecouter();
        exercice.Repondre(QStringLiteral("zzz"));
        InstallerArretPropre([] {
            Etat.Exercice.Interrompre();
            QCoreApplication::exit(0);
        });
        Dire("ouvert");
        return app.exec();
    }
    if (mode != u"complet")
        return 2;
    for (int n = a.value(7).toInt(); n > 0; --n) {
        exercice.Ouvrir(Etat.Choix.DossierExercice,
                        BilansExercice::DuProgramme(Etat.Choix.DossierExercice));
        if (!exercice.Commencer())
            return 6;
        bool termine = false;
        while (!termine) {
            exercice.Ecouter();
            if (exercice.PointsEnJeu() == SessionExercice::PointsItemNouveau)
                exercice.Repondre(QStringLiteral("faux"));
            termine = exercice.Repondre(ReponsesAcceptees(exercice.ItemCourant()).first()).Termine;
        }
        exercice.Terminer();
    }
    QFile::remove(Etat.FichierJournal);
    Dire("fini");
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList a = app.arguments();
    if (a.size() < 3)
        return 2;
    const QString mode = a.at(1);
    if (mode == u"ajouter" && a.size() >= 4) {
        const int n = a.at(3).toInt();
        const QString tag = a.value(4);
        for (int i = 0; i < n; ++i)
            AjouterLigne(
                a.at(2),
                QStringLiteral("%1 ligne %2 élève appliqué").arg(tag).arg(i, 5, 10, QChar(u'0')));
        return 0;
    }
    if (mode == u"sauver" && a.size() >= 4)
        return Sauver(a.at(2), a.at(3).toInt());
    if (mode == u"reussites")
        return Reussites(a.at(2));
    if (mode == u"journal" && a.size() >= 4) {
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
    if (mode == u"exercice" && a.size() >= 7)
        return Exercice(app, a);
    return 2;
}
