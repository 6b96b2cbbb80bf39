#pragma once
// The report form: the four record files of one pupil, one per tab. A pupil sees his own; the
// teacher browses every group and pupil and gets the tools that print, open, and delete.

#include "core/ReglagesLecture.h"
#include "ui/dialogs/FormeModale.h"

#include <QThreadPool>

#include <atomic>
#include <memory>

class QComboBox;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTextEdit;
class FenetreStudio;
class CacheBilans;
class FenetreClasse;
class VueProgres;

class FenetreBilans : public FormeModale {
    Q_OBJECT
public:
    explicit FenetreBilans(QWidget* parent, Controles controles = Controles::Immediats);
    ~FenetreBilans() override;

    QLabel* lTitre = nullptr;
    QTabWidget* onglets = nullptr;
    QWidget* ongletExos = nullptr;
    QWidget* ongletDetail = nullptr;
    QWidget* ongletReussis = nullptr;
    QWidget* ongletMotDePasse = nullptr;
    QPlainTextEdit* BilanExo = nullptr;
    QPlainTextEdit* BilanDetail = nullptr;
    QPlainTextEdit* ItemReussis = nullptr;
    QPlainTextEdit* MotDePasse = nullptr;
    QGroupBox* cadreChoix = nullptr;
    QComboBox* cChoixGroupe = nullptr;
    QComboBox* cChoixEleve = nullptr;
    // Where print jobs are composed; never shown.
    QTextEdit* tamponImpression = nullptr;

    QPushButton* bSupprimer = nullptr;
    QPushButton* bGererGroupes = nullptr;
    QPushButton* bConfigurer = nullptr;
    QPushButton* bMagneto = nullptr;
    QPushButton* bImprime = nullptr;
    QPushButton* bModifier = nullptr;
    QPushButton* bRafraichir = nullptr;
    QPushButton* bBanque = nullptr;
    QPushButton* bAide = nullptr;
    QPushButton* bApropos = nullptr;
    QPushButton* bQuitterBilan = nullptr;
    QPushButton* bStudio = nullptr; // the exercise studio, teacher mode only
    // The pupils' letters and colours for this run, teacher mode only.
    QPushButton* bLecture = nullptr;
    FenetreStudio* studio = nullptr; // made at the first click, not at start-up

    // The pupil's progress beside the four files, and the class view the group's button opens.
    QWidget* ongletProgres = nullptr;
    VueProgres* Progres = nullptr;
    QPushButton* bClasse = nullptr;
    FenetreClasse* fenetreClasse = nullptr; // made at its first opening

    void RemplirListeGroupesBilan();
    void RemplirListeElevesBilan();
    void ChargerBilanEleve(const QString& eleve);
    void ColorerItemsReussis();

    // Returns once the group's records asked ahead are read (tests, benchmarks).
    void AttendreLectureDAvance();

    // The page shipped with the program that explains how teachers share exercise folders.
    static QString AdresseBanque();

public slots:
    void cChoixGroupeChange();
    void cChoixEleveChange();
    void bRafraichirClick();
    void bQuitterBilanClick();
    void bImprimeClick();
    void bModifierClick();
    void bConfigurerClick();
    void bSupprimerClick();
    void bGererGroupesClick();
    void bMagnetoClick();
    void bAideClick();
    void bAproposClick();
    void bBanqueClick();
    void bStudioClick();
    void BilanExoContextPopup();
    void BilanDetailContextPopup();
    void ItemReussisContextPopup();
    void MotDePasseContextPopup();
    void bClasseClick();

protected:
    void ConstruireControles() override;
    void FormActivate() override;

private:
    void ChoisirLecture(const ReglagesLecture& lecture);
    // The reading font missing on this computer, said once in the run.
    void DireSiPoliceAbsente();
    void ChargerVue(QPlainTextEdit* vue, const QString& chemin);
    // G + selected pupil + suffix, opened by the desktop when that file exists.
    void OuvrirFichierEleve(const char* suffixe);
    void OuvrirSiExiste(const QString& chemin);
    void AppliquerMode();
    void ImprimerProgres();
    // Reads the group's records on a thread while the teacher looks at one pupil, so that the
    // class view opens on records already in memory.
    void LireClasseDAvance();
    // The pupils' records as last read, shared by the progress tab and the class view.
    std::shared_ptr<CacheBilans> m_cache;
    // The latest reading ahead asked for; an older one stops at its next pupil.
    std::shared_ptr<std::atomic<int>> m_lectureDemandee = std::make_shared<std::atomic<int>>(0);
    QThreadPool m_lectureDAvance;
};
