#pragma once
// The start form, shown before every exercise: who is working (group, pupil, password) in its
// upper half, which exercise folder in its lower half, then "Commencer" or "Quitter".

#include "core/progress/RevueMots.h"
#include "core/setup/ChoixDepart.h"
#include "ui/dialogs/FormeModale.h"

#include <QElapsedTimer>
#include <QThreadPool>

#include <atomic>
#include <memory>

class QComboBox;
class QKeyEvent;
class QLabel;
class QListWidget;
class QToolButton;

// Renders Etat.Choix and forwards every choice to it. The form ends with `QDialog::Accepted`
// (an exercise chosen: Etat.Choix.DossierExercice), `Quitter` or `SansConfiguration`.
class FenetreDepart : public FormeModale {
    Q_OBJECT
public:
    explicit FenetreDepart(QWidget* parent);
    ~FenetreDepart() override;

    // The pupil chose to leave the program.
    static constexpr int Quitter = 3;
    // The ini went missing while the teacher module was open: the program cannot go on.
    static constexpr int SansConfiguration = 2;

    QLabel* Fond = nullptr;
    // Upper half: who is working.
    QLabel* lQuiEsTu = nullptr;
    QComboBox* cChoixGroupe = nullptr;
    QComboBox* cChoixUtilisateur = nullptr;
    QToolButton* bNouvelEleve = nullptr;
    QToolButton* bBilan = nullptr;
    QToolButton* bSuperviseur = nullptr;
    // Lower half: the exercise folders, and at the top of the exercises a named pupil's review
    // when words are due ("★ Mes mots à revoir (N)").
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

signals:
    // "Voir mon bilan" (Etat.ModeEnseignant false) or the teacher module (true): the records
    // window, shown by whoever runs the windows; the form goes on when it is closed.
    void bilansDemandes();

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
    // Makes `dossier` the browser's position; false (after the error box) when it cannot be
    // entered.
    bool Entrer(const QString& dossier);
    // Who the lists show, read from what each entry stands for, never from its text.
    std::optional<QString> GroupeDeLaListe() const;
    EleveChoisi EleveDeLaListe() const;
    void RemplirDossiers(bool signalerRacineAbsente);
    QString EntreeChoisie() const;
    void SelectionnerSansCasse(QComboBox* liste, const QString& texte);
    bool ResteDansLeDossierDuGroupe();

    // The review of the pupil's words, computed on a thread of its own once the pupil is
    // known (the form shows without waiting for it), and shown at the top of the exercises.
    void CalculerRevue();
    void RevueCalculee(int demande, const QString& pour, const ItemsRevue& items);
    void MontrerEntreeRevue();
    bool RevueChoisie() const;
    // The records the review is read from ("group folder, pupil"); empty for a visitor and the
    // "Nouveau" entry.
    QString CleDeLaRevue() const;

    bool m_remplissage = false;
    QString m_revuePour;     // the records the review shown or asked for was read from
    QString m_styleHabituel; // the form's own style, kept once high contrast was first applied
    void AppliquerLecture();
    bool m_revuePrete = false;
    ItemsRevue m_revue;
    // Only the latest reading asked for goes on; an older one ends without a result.
    std::shared_ptr<std::atomic<int>> m_revueDemandee = std::make_shared<std::atomic<int>>(0);
    // A folder opened by a click: the second click of a double click must not open the next
    // level too.
    QElapsedTimer m_ouverture;
    // Last: its end waits for a reading under way, while the rest of the form still stands.
    QThreadPool m_calculRevue;
};
