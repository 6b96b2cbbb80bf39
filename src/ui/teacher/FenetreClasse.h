#pragma once
// The class at a glance, opened from the teacher module for the group it shows: one row per
// pupil, sortable by every column, and the words the class misses most with who missed them.
// The records are read on a thread of their own, so the window answers at once however big the
// group; a double click on a pupil closes it and shows him in the report form.

#include "core/progress/SuiviClasse.h"
#include "ui/dialogs/FormeModale.h"

#include <QThreadPool>

#include <memory>
#include <optional>

class QLabel;
class QListWidget;
class QModelIndex;
class QPushButton;
class QStandardItemModel;
class QTabWidget;
class QTableView;
class QTreeWidget;

class FenetreClasse : public FormeModale {
    Q_OBJECT
public:
    FenetreClasse(QWidget* parent, std::shared_ptr<CacheBilans> cache);
    ~FenetreClasse() override;

    // The group the next showing is about: its folder, its name for people, and the number of
    // first-try successes that makes an item mastered.
    void Definir(const QString& dossierGroupe, const QString& groupe,
                 std::optional<int> reponsesNecessaires);
    // The pupil the teacher double-clicked; empty when the window was closed otherwise.
    QString EleveChoisi() const { return m_eleveChoisi; }
    bool CalculEnCours() const { return m_enCours; }
    const BilanClasse& Classe() const { return m_classe; }
    // The class as shown: the pupils in the order of the table's current sort.
    BilanClasse ClasseAffichee() const;

    QLabel* lTitreClasse = nullptr;
    QTabWidget* ongletsClasse = nullptr;
    QWidget* ongletEleves = nullptr;
    QWidget* ongletMots = nullptr;
    QTableView* eClasse = nullptr;
    QTreeWidget* eMots = nullptr;
    QLabel* lElevesMot = nullptr;
    QListWidget* eElevesMot = nullptr;
    QLabel* lEtatClasse = nullptr;
    QPushButton* bExporterClasse = nullptr;
    QPushButton* bImprimerClasse = nullptr;
    QPushButton* bActualiserClasse = nullptr;
    QPushButton* bFermerClasse = nullptr;

signals:
    // The rows and words of the last computation are shown.
    void Calculee();

public slots:
    void bExporterClasseClick();
    void bImprimerClasseClick();
    void bActualiserClasseClick();
    void bFermerClasseClick();
    void eClasseDoubleClick(const QModelIndex& index);
    void eMotsChange();

protected:
    void ConstruireControles() override;
    void FormActivate() override;
    // Escape closes the window, as "Fermer" does.
    void keyPressEvent(QKeyEvent* e) override;

private:
    void Calculer();
    void Afficher(BilanClasse classe);
    void RemplirEleves();
    void RemplirMots();
    std::shared_ptr<CacheBilans> m_cache;
    QStandardItemModel* m_modeleClasse = nullptr;
    QString m_dossier;
    QString m_groupe;
    std::optional<int> m_necessaires; // empty: no limit
    QString m_eleveChoisi;
    BilanClasse m_classe;
    bool m_enCours = false;
    bool m_aRefaire = false;
    // One computation at a time, waited for before the window goes.
    QThreadPool m_calculs;
};
