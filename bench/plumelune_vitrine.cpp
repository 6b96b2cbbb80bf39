// The program as shipped, walked through its screens by a script so that each can be looked at
// on a real X screen of any size (bench/captures.sh): the start form, a message, the exercise
// with its feedback, full screen, the quit dialog, the pupil's progress, the teacher module, the
// class view, the words the class misses and the studio, empty and on a folder. Each screen is
// saved with ImageMagick's `import` into the folder given as first argument. Never shipped.

#include "core/Etat.h"
#include "ui/Application.h"
#include "ui/Fenetres.h"
#include "ui/dialogs/DialogueQuitter.h"
#include "ui/exercise/FenetreExercice.h"
#include "ui/setup/FenetreDepart.h"
#include "ui/teacher/FenetreBilans.h"
#include "ui/teacher/FenetreClasse.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include <cstdio>
#include <functional>
#include <vector>

namespace {

QString g_sortie;
std::vector<std::function<void()>> g_etapes;
size_t g_suivante = 0;

// Each step schedules the next before it acts: an action that opens a modal dialog does not
// return until the dialog closes, and the next step runs from the dialog's own event loop.
void EtapeSuivante() {
    if (g_suivante >= g_etapes.size())
        return;
    const auto etape = g_etapes[g_suivante++];
    QTimer::singleShot(900, [] { EtapeSuivante(); });
    etape();
}

void Capturer(const QString& nom) {
    const QString fichier = QDir(g_sortie).filePath(nom + QStringLiteral(".png"));
    QProcess::execute(QStringLiteral("import"),
                      {QStringLiteral("-window"), QStringLiteral("root"), fichier});
    std::printf("vitrine: %s\n", qPrintable(fichier));
    std::fflush(stdout);
}

// The visible window named `nom`, or nullptr.
QWidget* Fenetre(const char* nom) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->objectName() == QLatin1String(nom))
            return w;
    return nullptr;
}

template <typename T> T* Dans(QWidget* fenetre, const char* nom) {
    return fenetre ? fenetre->findChild<T*>(QLatin1String(nom)) : nullptr;
}

void Cliquer(QWidget* fenetre, const char* nom) {
    if (auto* b = Dans<QAbstractButton>(fenetre, nom))
        b->click();
    else
        std::fprintf(stderr, "vitrine: pas de bouton %s\n", nom);
}

// Types into the visible name or password dialog and validates it.
void Repondre(const char* dialogue, const char* champ, const QString& texte) {
    QWidget* d = Fenetre(dialogue);
    if (auto* e = Dans<QLineEdit>(d, champ)) {
        e->setText(texte);
        Cliquer(d, "bOk");
    }
}

void Choisir(QComboBox* liste, const QString& texte) {
    const int i = liste->findText(texte);
    liste->setCurrentIndex(i);
    emit liste->activated(i);
}

void Ajouter(std::function<void()> f) {
    g_etapes.push_back(std::move(f));
}

void Scenario() {
    FenetreDepart* d = Fenetres::Depart;
    Ajouter([] { Capturer(QStringLiteral("01-depart")); });
    // Paul, a wrong password first: a message in the program's look.
    Ajouter([d] {
        Choisir(d->cChoixGroupe, QStringLiteral("CM1"));
        Choisir(d->cChoixUtilisateur, QStringLiteral("Paul"));
    });
    // His words due come at the top of the exercises once read.
    Ajouter([] { Capturer(QStringLiteral("01-depart-mots-a-revoir")); });
    Ajouter([d] {
        const auto trouves =
            d->eRepertoires->findItems(QStringLiteral("Les animaux"), Qt::MatchExactly);
        if (!trouves.isEmpty())
            d->eRepertoires->setCurrentItem(trouves.first());
        d->bValider->click();
    });
    Ajouter([] { Capturer(QStringLiteral("02-mot-de-passe")); });
    Ajouter([] { Repondre("fMotDePasse", "eMotDePasse", QStringLiteral("Lune")); });
    Ajouter([] { Capturer(QStringLiteral("03-message")); });
    Ajouter([] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && w->inherits("BoiteMessage"))
                if (auto* b = w->findChild<QAbstractButton*>())
                    b->click();
    });
    Ajouter([d] { d->bValider->click(); });
    Ajouter([] { Repondre("fMotDePasse", "eMotDePasse", QStringLiteral("Soleil")); });
    Ajouter([] { Capturer(QStringLiteral("04-nombre-items")); });
    Ajouter([] { Cliquer(Fenetre("fChoixNbItems"), "rChoix1"); });
    Ajouter([] { Cliquer(Fenetre("fChoixNbItems"), "bOk"); });
    Ajouter([] { Fenetres::Exercice->findChild<QAbstractButton*>("bJEcoute")->click(); });
    Ajouter([] {
        Fenetres::Exercice->findChild<QLineEdit*>("eSaisie")->setText(QStringLiteral("lapain"));
    });
    Ajouter([] { Capturer(QStringLiteral("05-exercice")); });
    Ajouter([] { Fenetres::Exercice->findChild<QAbstractButton*>("bJaiEcrit")->click(); });
    Ajouter([] { Capturer(QStringLiteral("06-retour")); });
    Ajouter([] { Cliquer(Fenetre("fMessagePerso"), "bOk"); });
    Ajouter([] { Fenetres::Exercice->BasculerPleinEcran(); });
    Ajouter([] { Capturer(QStringLiteral("07-plein-ecran")); });
    Ajouter([] { Fenetres::Exercice->BasculerPleinEcran(); });
    // The later attempts: the pupil's answer marked above the model, for a second at the
    // second attempt (caught during that second), to stay from the fourth.
    const auto repondre = [](const char* texte) {
        return [texte] {
            Fenetres::Exercice->findChild<QLineEdit*>("eSaisie")->setText(QString::fromUtf8(texte));
            Fenetres::Exercice->findChild<QAbstractButton*>("bJaiEcrit")->click();
        };
    };
    const auto ok = [] { Cliquer(Fenetre("fMessagePerso"), "bOk"); };
    Ajouter(repondre("lapain"));
    Ajouter(ok);
    Ajouter([] { Capturer(QStringLiteral("06b-corrige-essai-2")); });
    Ajouter(repondre("lapi"));
    Ajouter(ok);
    Ajouter([] { Capturer(QStringLiteral("06c-corrige-essai-3")); });
    Ajouter(ok);
    Ajouter(repondre("Lapun"));
    Ajouter(ok);
    Ajouter([] { Capturer(QStringLiteral("06d-corrige-essai-4")); });
    Ajouter([] { Fenetres::Exercice->findChild<QAbstractButton*>("bStop")->click(); });
    Ajouter([] { Capturer(QStringLiteral("08-quitter")); });
    Ajouter([] { Cliquer(Fenetre("fQuitter"), "bNouvelExo"); });
    // The pupil's own records open on his progress.
    Ajouter([d] { d->bBilan->click(); });
    Ajouter([] { Repondre("fMotDePasse", "eMotDePasse", QStringLiteral("Soleil")); });
    Ajouter([] { Capturer(QStringLiteral("09-progres-eleve")); });
    Ajouter([] { Cliquer(Fenetre("fBilans"), "bQuitterBilan"); });
    // The teacher module.
    Ajouter([d] { d->bSuperviseur->click(); });
    Ajouter([] { Repondre("fMotDePasse", "eMotDePasse", QStringLiteral("maitre")); });
    Ajouter([] {
        FenetreBilans* b = Fenetres::Bilans;
        Choisir(b->cChoixGroupe, QStringLiteral("CM1"));
        Choisir(b->cChoixEleve, QStringLiteral("Paul"));
    });
    Ajouter([] { Capturer(QStringLiteral("10-bilans")); });
    Ajouter([] { Fenetres::Bilans->onglets->setCurrentWidget(Fenetres::Bilans->ongletProgres); });
    Ajouter([] { Capturer(QStringLiteral("11-progres-enseignant")); });
    Ajouter([] { Fenetres::Bilans->bClasse->click(); });
    Ajouter([] { Capturer(QStringLiteral("12-classe")); });
    Ajouter([] {
        FenetreClasse* c = Fenetres::Bilans->fenetreClasse;
        c->ongletsClasse->setCurrentWidget(c->ongletMots);
        if (QTreeWidgetItem* premier = c->eMots->topLevelItem(0))
            c->eMots->setCurrentItem(premier);
    });
    Ajouter([] { Capturer(QStringLiteral("13-mots-de-la-classe")); });
    Ajouter([] { Fenetres::Bilans->fenetreClasse->bFermerClasse->click(); });
    Ajouter([] { Fenetres::Bilans->bStudio->click(); });
    Ajouter([] { Capturer(QStringLiteral("14-studio")); });
    // A folder open, its first item chosen: every control of the studio in use; then a folder
    // holding others, with its warning.
    for (const char* dossier : {"Les animaux", "Grammaire"}) {
        Ajouter([dossier] {
            auto* arbre = Dans<QTreeWidget>(Fenetre("fStudio"), "arbreDossiers");
            const auto trouves = arbre ? arbre->findItems(QString::fromUtf8(dossier),
                                                          Qt::MatchExactly | Qt::MatchRecursive)
                                       : QList<QTreeWidgetItem*>();
            if (!trouves.isEmpty())
                arbre->setCurrentItem(trouves.first());
        });
        Ajouter([dossier] { Capturer(QStringLiteral("15-studio-") + QString::fromUtf8(dossier)); });
    }
    Ajouter([] { QApplication::exit(0); });
    QTimer::singleShot(1500, [] { EtapeSuivante(); });
}

} // namespace

int main(int argc, char* argv[]) {
    g_sortie = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    char* seul[] = {argv[0], nullptr};
    return LancerPlumelune(1, seul, Scenario);
}
