#pragma once
// "Essayer": the studio's folder played as an exercise by a visitor. It runs an exercise session
// of its own, so the real exercise (Etat.Exercice) is not touched, handed no records at all:
// nothing is written, and the shared state is left as it is. Each answer is corrected by the
// exercise's own steps (DeroulementExercice), feedback boxes and model answer included.

#include "core/exercise/DeroulementExercice.h"
#include "core/exercise/SessionExercice.h"
#include "ui/dialogs/FormeModale.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTimer;
class DialogueAppreciation;

class FenetreEssai : public FormeModale, private IFaceExercice {
    Q_OBJECT
public:
    FenetreEssai(QWidget* parent, const QString& dossier);

    QLabel* lDossier = nullptr;
    QPushButton* bEcouter = nullptr;
    QPushButton* bEcouterLent = nullptr; // "Lentement" (F2), as in the exercise
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
    void bEcouterLentClick();
    void bValiderClick();
    void bRevenirClick();

protected:
    void ConstruireControles() override;
    void FormShow() override;
    bool eventFilter(QObject* objet, QEvent* e) override;

private:
    void NouvelItem();
    void Ecouter(double vitesse);

    void Effet(const QString& nom) override;
    bool Appreciation(const QString& texte, bool bon, const QString& indice) override;
    void Modele(const QString& modele, const CorrigeReponse& corrige) override;
    void AfficherSession() override;
    void Reessayer() override;
    void ItemSuivant() override;
    void Fin() override;

    QString m_dossier;
    SessionExercice m_session;
    DeroulementExercice m_deroulement{m_session, *this};
    DialogueAppreciation* m_appreciation = nullptr;
    QTimer* m_horloge = nullptr;
};
