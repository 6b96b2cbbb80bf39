// The studio's figures: opening a folder of 200 items, preparing and saving a 5-second
// recording, the click on "Enregistrer" until the capture runs (a PulseAudio null sink started
// here when possible), and the voice for 30 items with the longest stall of the event loop
// meanwhile. Run under a display or with QT_QPA_PLATFORM=offscreen.

#include "PulseEssai.h"
#include "core/Etat.h"
#include "core/studio/LotSynthese.h"
#include "core/studio/TraitementSon.h"
#include "ui/platform/ServicesADemande.h"
#include "ui/platform/SyntheseEspeak.h"
#include "ui/studio/FenetreStudio.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <vector>

namespace {

double Ms(const QElapsedTimer& t) {
    return double(t.nsecsElapsed()) / 1e6;
}

double Mediane(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

QByteArray Wav(double secondes) {
    const int n = int(secondes * 22050);
    QByteArray o(
        "RIFF\0\0\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0\x22\x56\0\0\x44\xac\0\0\x02\0\x10\0data", 40);
    char b[4];
    qToLittleEndian(quint32(n * 2), b);
    o.append(b, 4);
    o.append(QByteArray(n * 2, '\x01'));
    return o;
}

// Speech-like: bursts of noise shaped by a slow envelope, silence around.
SonPcm Enregistrement(int frequence, double secondes) {
    SonPcm s;
    s.Frequence = frequence;
    s.Echantillons.resize(qsizetype(frequence * secondes));
    quint32 graine = 1;
    for (qsizetype i = 0; i < s.Echantillons.size(); ++i) {
        const double t = double(i) / frequence;
        graine = graine * 1664525u + 1013904223u;
        const double bruit = double(int(graine >> 16) % 2001 - 1000) / 1000.0;
        const double enveloppe = (t > 1.0 && t < secondes - 1.0)
                                     ? 0.5 + 0.5 * std::sin(2 * std::numbers::pi * 3 * t)
                                     : 0.01;
        s.Echantillons[i] = qint16(6000 * enveloppe * bruit);
    }
    return s;
}

void OuvrirDossier200() {
    QTemporaryDir d;
    const QString dossier = d.filePath(QStringLiteral("Dictée"));
    QDir().mkpath(dossier);
    for (int i = 0; i < 200; ++i) {
        const QString base = dossier + QStringLiteral("/mot n°%1£mot %1").arg(i);
        QFile f(base + QStringLiteral(".wav"));
        f.open(QIODevice::WriteOnly);
        f.write(Wav(1.5));
        if (i % 2 == 0) {
            QFile t(base + QStringLiteral(".TXT"));
            t.open(QIODevice::WriteOnly);
            t.write("Une phrase pour ce mot.\r\n");
        }
    }
    Etat.CheminMedias = d.path() + u'/';
    FenetreStudio studio(nullptr);
    studio.Preparer();
    studio.show();
    std::vector<double> durees;
    for (int essai = 0; essai < 9; ++essai) {
        QElapsedTimer t;
        t.start();
        studio.OuvrirDossier(dossier);
        QCoreApplication::processEvents(); // the table laid out and painted
        durees.push_back(Ms(t));
    }
    std::printf("ouvrir un dossier de 200 items dans le studio : médiane %.1f ms, pire %.1f ms "
                "(objectif <= 100 ms), %d items\n",
                Mediane(durees), *std::max_element(durees.begin(), durees.end()),
                int(studio.Items().size()));
}

void PreparerEtEnregistrer(FichiersSonADemande& fichiers) {
    QTemporaryDir d;
    for (const int frequence : {22050, 48000}) {
        const SonPcm brut = Enregistrement(frequence, 5.0);
        std::vector<double> durees;
        for (int essai = 0; essai < 9; ++essai) {
            QElapsedTimer t;
            t.start();
            const SonPcm pret = PreparerSon(brut);
            QString erreur;
            if (!fichiers.EcrireWav(d.filePath(QStringLiteral("item.wav")), pret, &erreur)) {
                std::fprintf(stderr, "%s\n", qPrintable(erreur));
                return;
            }
            durees.push_back(Ms(t));
        }
        std::printf("rogner, normaliser et enregistrer 5 s captées à %d Hz : médiane %.1f ms, "
                    "pire %.1f ms (objectif <= 50 ms)\n",
                    frequence, Mediane(durees), *std::max_element(durees.begin(), durees.end()));
    }
}

void ClicEnregistrer(bool pulse) {
    CaptureADemande capture(QStringLiteral(PLUMELUNE_MODULES "/plumelune_son"));
    // As the studio does when its window opens: the module loaded and the device list read on
    // the capture's thread, before the first click.
    QElapsedTimer preparation;
    preparation.start();
    capture.Preparer();
    const double rendu = Ms(preparation);
    QElapsedTimer attente;
    attente.start();
    while (attente.elapsed() < 1000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    std::printf("ouverture du studio : module de son chargé et micro préparé, main rendue en %.1f "
                "ms\n",
                rendu);
    for (int essai = 0; essai < 6; ++essai) {
        QElapsedTimer t;
        t.start();
        capture.Demarrer();
        const double retour = Ms(t);
        while (capture.Etat() == EtatCapture::Ouverture && t.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        const double enMarche = Ms(t);
        const EtatCapture etat = capture.Etat();
        while (capture.Prendre().Echantillons.isEmpty() && etat == EtatCapture::EnCours &&
               t.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        const double premiers = Ms(t);
        if (etat != EtatCapture::EnCours) {
            std::printf("clic sur Enregistrer : pas de capture (%s)\n",
                        qPrintable(capture.Erreur()));
            return;
        }
        std::printf("clic sur Enregistrer%s : rendu la main en %.1f ms, capture en marche à %.1f "
                    "ms, premiers échantillons à %.1f ms (objectif <= 50 ms)%s\n",
                    essai == 0 ? " (1er)" : "", retour, enMarche, premiers,
                    pulse ? " [puits nul PulseAudio]" : "");
        capture.Arreter();
        while (capture.Etat() != EtatCapture::Arretee && t.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        capture.Prendre();
    }
}

void Synthese30(FichiersSonADemande& fichiers) {
    SyntheseEspeak voix;
    QString raison;
    if (!voix.Disponible(&raison)) {
        std::printf("voix de synthèse pour 30 items : %s\n", qPrintable(raison));
        return;
    }
    Services::InstallerSynthese(&voix);
    Services::InstallerFichiersSon(&fichiers);
    QTemporaryDir d;
    QVector<TacheSynthese> taches;
    for (int i = 0; i < 30; ++i)
        taches.append({QStringLiteral("le mot numéro %1").arg(i + 1),
                       d.filePath(QStringLiteral("%1.wav").arg(i))});
    LotSynthese lot;
    // A tick every 5 ms: the longest gap between two is the longest the window would not answer.
    QElapsedTimer horloge;
    double plusLongArret = 0;
    double precedent = 0;
    QTimer battement;
    battement.setInterval(5);
    QObject::connect(&battement, &QTimer::timeout, [&] {
        const double maintenant = Ms(horloge);
        plusLongArret = std::max(plusLongArret, maintenant - precedent);
        precedent = maintenant;
    });
    bool fini = false;
    QObject::connect(&lot, &LotSynthese::Termine, [&] { fini = true; });
    horloge.start();
    battement.start();
    QElapsedTimer t;
    t.start();
    const bool lance = lot.Lancer(taches, &raison);
    const double lancement = Ms(t);
    while (lance && !fini && t.elapsed() < 120000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    std::printf("voix de synthèse pour 30 items : %.0f ms en tout, %d erreurs, lancement %.1f ms, "
                "plus long arrêt de la boucle d'événements %.1f ms (objectif : chaque clic "
                "répondu en moins de 100 ms)\n",
                Ms(t), int(lot.Erreurs().size()), lancement, plusLongArret);
    Services::InstallerSynthese(nullptr);
    Services::InstallerFichiersSon(nullptr);
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    PulseEssai serveur;
    QString pourquoi;
    const bool pulse = serveur.Demarrer(&pourquoi);
    if (!pulse)
        std::printf("(serveur PulseAudio de test impossible : %s ; le micro par défaut est pris)\n",
                    qPrintable(pourquoi));
    FichiersSonADemande fichiers(QStringLiteral(PLUMELUNE_MODULES "/plumelune_son"));
    OuvrirDossier200();
    PreparerEtEnregistrer(fichiers);
    ClicEnregistrer(pulse);
    Synthese30(fichiers);
    return 0;
}
