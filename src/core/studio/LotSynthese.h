#pragma once
// Giving several items the synthesised voice, one after the other, without ever waiting: each
// text is spoken into a temporary file, then brought to the items' format and written as the
// item's sound. The window shows the progress and stays usable meanwhile.

#include "core/Services.h"

#include <QObject>
#include <QStringList>
#include <QTemporaryDir>
#include <QVector>

#include <memory>

struct TacheSynthese {
    QString Texte;  // what the voice reads
    QString Sortie; // the item's WAV file
};

class LotSynthese : public QObject {
    Q_OBJECT
public:
    explicit LotSynthese(QObject* parent = nullptr);
    ~LotSynthese() override;

    // Starts the batch; false (and nothing started) when the voice is not there, with why.
    bool Lancer(const QVector<TacheSynthese>& taches, QString* raison);
    void Annuler();
    bool EnCours() const { return m_index >= 0; }
    int Total() const { return static_cast<int>(m_taches.size()); }
    // The failures of the last batch, one French sentence each.
    const QStringList& Erreurs() const { return m_erreurs; }

signals:
    // After each item: `faits` of `total` done, `sortie` written when it succeeded.
    void Avance(int faits, int total, const QString& sortie, bool reussi);
    void Termine();

private:
    void Suivante();
    void Parlee(const QString& erreur);

    QVector<TacheSynthese> m_taches;
    int m_index = -1;
    int m_faits = 0;
    QStringList m_erreurs;
    std::unique_ptr<QTemporaryDir> m_temporaire;
    std::shared_ptr<int> m_generation = std::make_shared<int>(0);
};
