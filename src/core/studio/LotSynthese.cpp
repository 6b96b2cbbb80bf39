#include "core/studio/LotSynthese.h"

#include "core/studio/TraitementSon.h"

#include <QDir>
#include <QFileInfo>
#include <QTimer>

LotSynthese::LotSynthese(QObject* parent) : QObject(parent) {}

LotSynthese::~LotSynthese() {
    Annuler();
}

bool LotSynthese::Lancer(const QVector<TacheSynthese>& taches, QString* raison) {
    Annuler();
    if (!Services::Synthese().Disponible(raison))
        return false;
    m_temporaire = std::make_unique<QTemporaryDir>();
    if (!m_temporaire->isValid()) {
        if (raison)
            *raison = QStringLiteral("Impossible de créer un dossier temporaire.");
        return false;
    }
    m_taches = taches;
    m_erreurs.clear();
    m_faits = 0;
    m_index = 0;
    Suivante();
    return true;
}

void LotSynthese::Annuler() {
    if (m_index < 0)
        return;
    ++*m_generation;
    m_index = -1;
    Services::Synthese().Annuler();
    m_temporaire.reset();
}

void LotSynthese::Suivante() {
    if (m_index < 0)
        return;
    if (m_index >= m_taches.size()) {
        m_index = -1;
        m_temporaire.reset();
        emit Termine();
        return;
    }
    const TacheSynthese& t = m_taches.at(m_index);
    const QString brut = QDir(m_temporaire->path()).filePath(QStringLiteral("voix.wav"));
    QFile::remove(brut);
    // A batch cancelled or restarted meanwhile ignores what comes back for the old one.
    const std::weak_ptr<int> generation = m_generation;
    const int numero = *m_generation;
    Services::Synthese().Dire(t.Texte, brut, [this, generation, numero](const QString& erreur) {
        const auto g = generation.lock();
        if (!g || *g != numero)
            return;
        Parlee(erreur);
    });
}

void LotSynthese::Parlee(const QString& erreurVoix) {
    if (m_index < 0)
        return;
    const TacheSynthese t = m_taches.at(m_index);
    QString erreur = erreurVoix;
    if (erreur.isEmpty()) {
        SonPcm brut;
        const QString fichier = QDir(m_temporaire->path()).filePath(QStringLiteral("voix.wav"));
        if (Services::FichiersSon().Lire(fichier, brut, &erreur)) {
            const SonPcm pret = PreparerSon(brut);
            if (pret.Echantillons.isEmpty())
                erreur = QStringLiteral("la voix n'a rien dit");
            else
                Services::FichiersSon().EcrireWav(t.Sortie, pret, &erreur);
        }
    }
    ++m_faits;
    const bool reussi = erreur.isEmpty();
    if (!reussi)
        m_erreurs.append(QStringLiteral("« %1 » : %2").arg(t.Texte, erreur));
    ++m_index;
    emit Avance(m_faits, Total(), t.Sortie, reussi);
    // The next one from the event loop: the window repaints between two items.
    const std::weak_ptr<int> generation = m_generation;
    const int numero = *m_generation;
    QTimer::singleShot(0, this, [this, generation, numero] {
        const auto g = generation.lock();
        if (g && *g == numero)
            Suivante();
    });
}
