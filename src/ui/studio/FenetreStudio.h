#pragma once
// The exercise studio: the teacher chooses or creates an exercise folder, types what the pupil
// must write for each item, adds a text and a picture if he wishes, and gives each item its
// sound from the microphone, the synthesised voice or a file. The program writes the files and
// their names; every rule lives in core/studio, and what is edited in its ModeleStudio: this
// window draws the model and turns clicks into calls.

#include "core/SonPcm.h"
#include "core/studio/ModeleStudio.h"
#include "ui/dialogs/FormeModale.h"

class LotSynthese;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTableWidget;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;
class QGroupBox;

class FenetreStudio : public FormeModale {
    Q_OBJECT
public:
    explicit FenetreStudio(QWidget* parent, Controles controles = Controles::Immediats);
    ~FenetreStudio() override;

    // Folders
    QTreeWidget* arbreDossiers = nullptr;
    QLineEdit* eNomDossier = nullptr;
    QPushButton* bCreerDossier = nullptr;
    QPushButton* bRenommerDossier = nullptr;
    QPushButton* bSupprimerDossier = nullptr;
    QPushButton* bImporter = nullptr;
    // Items of the open folder
    QLabel* lDossier = nullptr;
    QLabel* lAvertissement = nullptr;
    QTableWidget* tableItems = nullptr;
    QPushButton* bNouvelItem = nullptr;
    QPushButton* bSupprimerItem = nullptr;
    QPushButton* bSynthetiserTout = nullptr;
    QProgressBar* barreSynthese = nullptr;
    // The selected item
    QGroupBox* cadreItem = nullptr;
    QListWidget* listeOrthographes = nullptr;
    QLineEdit* eOrthographe = nullptr;
    QPushButton* bAjouterOrthographe = nullptr;
    QPushButton* bRetirerOrthographe = nullptr;
    QPlainTextEdit* eTexteCompagnon = nullptr;
    QLabel* iImage = nullptr;
    QPushButton* bChoisirImage = nullptr;
    QPushButton* bRetirerImage = nullptr;
    QPushButton* bValiderItem = nullptr;
    QLabel* lEtatSon = nullptr;
    QPushButton* bEnregistrer = nullptr;
    QPushButton* bArreter = nullptr;
    QPushButton* bReecouter = nullptr;
    QPushButton* bSynthese = nullptr;
    QPushButton* bImporterSon = nullptr;
    QProgressBar* niveauMicro = nullptr;
    // The folder as a whole
    QPushButton* bEssayer = nullptr;
    QPushButton* bExporter = nullptr;
    QPushButton* bFermer = nullptr;

    // The folder shown (absolute path, no final separator); empty when none.
    QString DossierOuvert() const { return m_modele.Dossier(); }
    const QVector<ItemStudio>& Items() const { return m_modele.Items(); }
    int ItemCourant() const { return m_modele.Courant(); }
    const ModeleStudio& Modele() const { return m_modele; }
    void OuvrirDossier(const QString& dossier);
    void ChoisirItem(int index);

public slots:
    void bCreerDossierClick();
    void bRenommerDossierClick();
    void bSupprimerDossierClick();
    void bImporterClick();
    void bNouvelItemClick();
    void bSupprimerItemClick();
    void bSynthetiserToutClick();
    void bAjouterOrthographeClick();
    void bRetirerOrthographeClick();
    // Applies the spellings (renaming the files) and the companion text. false when refused.
    bool bValiderItemClick();
    void bChoisirImageClick();
    void bRetirerImageClick();
    void bEnregistrerClick();
    void bArreterClick();
    void bReecouterClick();
    void bSyntheseClick();
    void bImporterSonClick();
    void bEssayerClick();
    void bExporterClick();
    void bFermerClick();

protected:
    void ConstruireControles() override;
    void FormShow() override;
    void closeEvent(QCloseEvent* e) override;

private:
    void RemplirArbre(const QString& aSelectionner = {});
    // Lists the branch the teacher opens, then shows its folders.
    void RemplirBranche(QTreeWidgetItem* branche);
    // The folders of a listed branch, and theirs when listed.
    void MontrerBranche(QTreeWidgetItem* branche);
    void DossierChoisi();
    // The folder's name, its warning, its items and the item chosen.
    void MontrerDossier();
    void RemplirTable();
    void MontrerLigne(int ligne);
    void MontrerItem();
    // The spellings of the item chosen, the row `ligne` (or the last) current.
    void MontrerOrthographes(int ligne = -1);
    void MettreAJourBoutons();
    void SuivreMicro();
    void SonPret(const SonPcm& brut, const QString& origine);
    void LancerSynthese(const QVector<int>& indexes);
    // Before writing the files of item `index` under `base`: false when a colleague made one of
    // them meanwhile; the folder is then read again and the teacher told, what he typed kept.
    bool FichiersLibres(int index, const QString& base);
    ItemStudio* Courant() { return m_modele.ItemCourant(); }
    void Refuser(const QString& texte);

    ModeleStudio m_modele;
    bool m_enregistrement = false; // a capture started and not yet written
    bool m_arretDemande = false;
    QTimer* m_minuterieMicro = nullptr;
    LotSynthese* m_lot = nullptr;
};
