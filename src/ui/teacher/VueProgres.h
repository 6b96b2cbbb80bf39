#pragma once
// The "Progrès" tab of the report form: the pupil's exercises drawn as points, his recent
// average, and below them the words he should revise in large type; for the teacher, the kinds
// of his mistakes over his last weeks. Read from the same record
// files as the other tabs, when the tab is shown.

#include "core/progress/SuiviClasse.h"

#include <QWidget>

#include <memory>
#include <optional>

class GraphiqueProgres;
class QLabel;
class QScrollArea;

class VueProgres : public QWidget {
    Q_OBJECT
public:
    VueProgres(QWidget* parent, std::shared_ptr<CacheBilans> cache);

    // The pupil to show; his files are read now when the tab is visible, else when it shows.
    void Definir(const QString& dossierGroupe, const QString& eleve,
                 std::optional<int> reponsesNecessaires);
    // A pupil looking at his own progress: larger type, his words, no notes for the teacher.
    void DefinirModeEleve(bool eleve);
    // Reads the files (only those that changed) and redraws.
    void Actualiser();
    const StatistiquesEleve& Statistiques() const { return m_stats; }

    QLabel* lResumeProgres = nullptr;
    GraphiqueProgres* gProgres = nullptr;
    QLabel* lTitreMots = nullptr;
    QLabel* lMotsARevoir = nullptr;
    QLabel* lGenres = nullptr;
    QLabel* lIllisibles = nullptr;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void Afficher();
    std::shared_ptr<CacheBilans> m_cache;
    QScrollArea* m_defilement = nullptr;
    QString m_dossier;
    QString m_eleve;
    std::optional<int> m_necessaires; // empty: no limit
    bool m_modeEleve = false;
    bool m_aJour = false;
    std::shared_ptr<const BilanLu> m_bilan;
    StatistiquesEleve m_stats;
};
