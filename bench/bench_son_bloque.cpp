// A thin-client room whose sound server is down but still accepts connections: the real
// exercise window, with the real sound module, played through while the server never answers.
// A 5 ms timer measures the longest stall of the event loop while "J'écoute" is clicked (twice
// per item) and the answers are given; the figure must stay under 100 ms. Then the time the
// program takes to end, its sound thread still held by the server.
//
//   bench_son_bloque            (sets PULSE_SERVER to its own silent server)

#include "ServeurSonMuet.h"
#include "core/Etat.h"
#include "core/Services.h"
#include "ui/Fenetres.h"
#include "ui/Pilote.h"
#include "ui/exercise/FenetreExercice.h"
#include "ui/platform/ServicesADemande.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

// The start form's part: the exercise folder is chosen; every other form is answered at once.
class ModalBanc : public IAffichageModal {
public:
    QString Dossier;
    int Montrer(QDialog* forme) override {
        if (forme->objectName() != u"Form2")
            return QDialog::Accepted;
        Etat.Choix.DossierExercice = Dossier;
        return QDialog::Accepted;
    }
};

// Anything the program would say goes to the terminal; every question is answered "no".
class MessagesBanc : public IBoitesMessage {
public:
    void Message(const QString& t) override { Dire(t); }
    bool QuestionOuiNon(const QString&) override { return false; }
    bool QuestionOkAnnuler(const QString&) override { return false; }
    void Information(const QString& t) override { Dire(t); }
    bool Confirmation(const QString&) override { return false; }
    void Erreur(const QString& t) override { Dire(t); }

private:
    static void Dire(const QString& t) { std::fprintf(stderr, "message: %s\n", qPrintable(t)); }
};

} // namespace

int main(int argc, char** argv) {
    QTemporaryDir dossier;
    if (!dossier.isValid())
        return 1;
    ServeurSonMuet serveur(dossier.filePath(QStringLiteral("pulse-muet")));
    if (!serveur.Pret()) {
        std::fprintf(stderr, "son bloqué: impossible d'ouvrir le serveur muet\n");
        return 1;
    }
    // Before Qt: the sound library reads it when it first connects.
    setenv("PULSE_SERVER", serveur.Adresse().constData(), 1);
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);

    const QString programme = dossier.path() + u'/';
    const QString exercice = programme + QStringLiteral("_Medias/Sons");
    QDir().mkpath(exercice);
    QDir().mkpath(programme + QStringLiteral("_Bilans"));
    const QStringList mots = {QStringLiteral("chat"), QStringLiteral("lune"),
                              QStringLiteral("sel")};
    for (const QString& m : mots)
        if (!EcrireWavEssai(exercice + u'/' + m + QStringLiteral(".wav")))
            return 1;
    Etat.DossierProgramme = programme;
    Etat.Reinitialiser();
    Etat.CheminMedias = programme + QStringLiteral("_Medias/");
    Etat.CheminBilans = programme + QStringLiteral("_Bilans/");
    Etat.PremiereActivation = false;

    MessagesBanc messages;
    ModalBanc modal;
    modal.Dossier = exercice;
    auto* son = new SonADemande(QStringLiteral(PLUMELUNE_MODULES "/plumelune_son"));
    Services::InstallerMessages(&messages);
    Services::InstallerModal(&modal);
    Services::InstallerSon(son);
    Fenetres::Creer();
    FenetreExercice* fenetre = Fenetres::Exercice;
    fenetre->show();
    Pilote::NouvelExercice();

    // The event loop's heartbeat: the longest time between two ticks is the longest stall.
    QElapsedTimer horloge;
    horloge.start();
    qint64 dernier = 0;
    qint64 pire = 0;
    QTimer battement;
    battement.setTimerType(Qt::PreciseTimer);
    QObject::connect(&battement, &QTimer::timeout, [&] {
        const qint64 maintenant = horloge.elapsed();
        pire = std::max(pire, maintenant - dernier);
        dernier = maintenant;
    });
    battement.start(5);

    // The pupil: listens twice to each item, then writes it; 300 ms between his actions.
    int ecoutes = 0;
    qint64 clicPire = 0;
    QTimer pupille;
    QObject::connect(&pupille, &QTimer::timeout, [&] {
        QElapsedTimer clic;
        clic.start();
        if (fenetre->Ferme() || Etat.Exercice.ItemCourant().isEmpty()) {
            pupille.stop();
            app.quit();
            return;
        }
        if (ecoutes < 2) {
            fenetre->bJEcoute->click();
            ++ecoutes;
        } else {
            fenetre->eSaisie->setText(Etat.Exercice.ItemCourant().chopped(4));
            fenetre->bJaiEcrit->click();
            ecoutes = 0;
        }
        clicPire = std::max(clicPire, clic.elapsed());
    });
    QTimer::singleShot(100, [&] {
        dernier = horloge.elapsed();
        pupille.start(300);
    });
    QTimer::singleShot(30000, &app, &QApplication::quit); // never more than this
    app.exec();
    battement.stop();
    const bool fini = fenetre->Ferme() && !Etat.Exercice.EnCours();

    QElapsedTimer fin;
    fin.start();
    Fenetres::Detruire();
    Services::InstallerSon(nullptr);
    delete son; // the player and its thread, held by the server
    const qint64 finMs = fin.elapsed();

    std::printf("son bloqué: serveur de son muet (%d connexion%s)\n", serveur.Connexions(),
                serveur.Connexions() > 1 ? "s" : "");
    std::printf("son bloqué: plus long arrêt de la boucle d'événements: %lld ms "
                "(objectif < 100 ms), pire clic %lld ms\n",
                static_cast<long long>(pire), static_cast<long long>(clicPire));
    std::printf("son bloqué: exercice %s, fin du lecteur en %lld ms\n",
                fini ? "mené jusqu'au bout" : "PAS TERMINÉ", static_cast<long long>(finMs));
    Services::InstallerMessages(nullptr);
    Services::InstallerModal(nullptr);
    return fini ? 0 : 1;
}
