#pragma once
// "Essayer": the studio's folder played as an exercise by a visitor. It runs an exercise session
// of its own, so the real exercise (Etat.Exercice) is not touched, and while it is open the
// shared variables the session reads say "nobody": no pupil, no journal. Nothing is written, and
// every variable it changed is put back when it closes.

#include "core/exercise/SessionExercice.h"
#include "ui/dialogs/FormeModale.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTimer;

class FenetreEssai : public FormeModale {
    Q_OBJECT
public:
    FenetreEssai(QWidget* parent, const QString& dossier);
    ~FenetreEssai() override;

    QLabel* lDossier = nullptr;
    QPushButton* bEcouter = nullptr;
    QLineEdit* eReponse = nullptr;
    QPushButton* bValider = nullptr;
    QLabel* lRetour = nullptr;
    QLineEdit* eModele = nullptr;
    QLabel* lScore = nullptr;
    QPlainTextEdit* mTexte = nullptr;
    QLabel* iImage = nullptr;
    QPushButton* bRevenir = nullptr;

    const SessionExercice& Session() const { return m_session; }

public slots:
    void bEcouterClick();
    void bValiderClick();
    void bRevenirClick();

protected:
    void ConstruireControles() override;
    void FormShow() override;
    bool eventFilter(QObject* objet, QEvent* e) override;

private:
    void Afficher();
    void NouvelItem();

    // What the session reads from the shared state, as it was before the trial.
    struct Sauvegarde {
        QString NomEleve;
        QString FichierJournal;
        QString DossierExercice;
    };
    QString m_dossier;
    Sauvegarde m_avant;
    SessionExercice m_session;
    QTimer* m_horloge = nullptr;
};
