#pragma once
// The start form, shown before every exercise: who is working (group, pupil, password) in its
// upper half, which exercise folder in its lower half, then "Commencer" or "Quitter".

#include "core/setup/ChoixDepart.h"
#include "ui/dialogs/FormeModale.h"

#include <QElapsedTimer>

class QComboBox;
class QKeyEvent;
class QLabel;
class QListWidget;
class QToolButton;

class FenetreDepart : public FormeModale {
    Q_OBJECT
public:
    explicit FenetreDepart(QWidget* parent);

    QLabel* Fond = nullptr;
    // Upper half: who is working.
    QLabel* lQuiEsTu = nullptr;
    // Other forms read their current texts (the report form preselects from them).
    QComboBox* cChoixGroupe = nullptr;
    QComboBox* cChoixUtilisateur = nullptr;
    QToolButton* bNouvelEleve = nullptr;
    QToolButton* bBilan = nullptr;
    QToolButton* bSuperviseur = nullptr;
    // Lower half: the exercise folders.
    QLabel* lChoisisUnExercice = nullptr;
    QListWidget* eRepertoires = nullptr;
    QToolButton* bRemonter = nullptr;
    QToolButton* bValider = nullptr;
    QToolButton* bQuitter = nullptr;

    void RemplirListeGroupes();
    void RemplirListeEleves();
    void AppliquerChoixGroupe();
    // true when the pupil is accepted.
    bool VerifierMotDePasseEleve();
    bool ChoisirMotDePasseEleve();

    // `nom` is relative to the browser's folder.
    bool ContientSousDossier(const QString& nom) const;
    void RemplirListeDossiers();
    // Where the browser stands, without a final separator.
    QString DossierCourant() const { return m_dossier; }
    // Who the lists say is working, read from what each entry stands for, never from its text:
    // the group's name (empty while the list asks to choose one) and the pupil.
    std::optional<QString> Groupe() const;
    EleveChoisi Eleve() const;

public slots:
    void cChoixGroupeChange();
    void cChoixUtilisateurChange();
    void bNouvelEleveClick();
    void bBilanClick();
    void bSuperviseurClick();
    void eRepertoiresClick();
    void eRepertoiresDblClick();
    void bRemonterClick();
    void bValiderClick();
    void bQuitterClick();

protected:
    void FormShow() override;
    void FormActivate() override;
    void FermetureDeLaFenetre() override;
    bool eventFilter(QObject* objet, QEvent* e) override;

private:
    void FormCreate();
    void CreerControles();
    bool eRepertoiresKeyPress(const QKeyEvent* e);
    bool EstRacineMedias(const QString& dossier) const;
    // Makes `dossier` the working folder and the browser's position; false (after the error
    // box) when it cannot be entered.
    bool Entrer(const QString& dossier);
    // The browser's position when the form appears: the media root.
    void PositionDeDepart();
    void RemplirDossiers(bool signalerRacineAbsente);
    QString EntreeChoisie() const;
    void SelectionnerSansCasse(QComboBox* liste, const QString& texte);
    bool ResteDansLeDossierDuGroupe();

    QString m_dossier;
    bool m_remplissage = false;
    // A folder opened by a click: the second click of a double click must not open the next
    // level too.
    QElapsedTimer m_ouverture;
};
