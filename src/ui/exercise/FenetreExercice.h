#pragma once
// The exercise screen, the program's main window: it stays on screen for the whole run and
// closing it ends the program. It shows the exercise (Etat.Exercice) and turns the pupil's
// clicks and keys into the exercise's steps; the rules and the records are the session's.

#include "core/ReglagesLecture.h"
#include "core/exercise/DeroulementExercice.h"

#include <QWidget>

class LigneCorrigee;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTimer;
class QToolButton;

// The picture shown when an item has none, beside the program, and the frame pictures fill.
inline const QString ImageParDefaut = QStringLiteral("qvx_pardefaut.jpg");
inline constexpr QSize CadreImageItem{160, 160};

// The correction of each answer is the core's (DeroulementExercice); the window is its face.
class FenetreExercice : public QWidget, private IFaceExercice {
    Q_OBJECT
public:
    explicit FenetreExercice(QWidget* parent = nullptr);

    QLabel* FondEcran = nullptr;
    QToolButton* bJEcoute = nullptr;
    QToolButton* bJEcouteLent = nullptr; // "J'écoute lentement" (F2), unless the ini hides it
    QToolButton* bJaiEcrit = nullptr;
    QToolButton* bStop = nullptr;
    QToolButton* bClavier = nullptr;   // the accent help
    QLineEdit* eSaisie = nullptr;      // the pupil's answer
    QLabel* lJObserve = nullptr;       // the caption of the model answer
    QLineEdit* eModele = nullptr;      // the model answer, after wrong answers
    LigneCorrigee* lCorrige = nullptr; // above it, the pupil's answer, its mistakes marked
    QPlainTextEdit* mMessage = nullptr;
    QLabel* iExplication = nullptr;
    QLabel* lDossierCourant = nullptr;
    QLabel* lBonus = nullptr; // points in play
    QLabel* lNote = nullptr;  // score
    QLabel* lNoteMaxi = nullptr;
    QLabel* lNbItemsRepondus = nullptr; // items right at the first attempt
    QLabel* lNbItemsTotal = nullptr;
    QLabel* lTemps = nullptr;
    QTimer* horlogeItem = nullptr; // one tick a second while the item's clock runs

    // Opens the exercise the start form chose (Etat.Choix) and shows its first item.
    void Ouvrir();
    // The reading settings (letters, spacing, high contrast) as they now are, put on the
    // pupil's texts when they changed; at the standard setting, nothing is done.
    void AppliquerLecture();
    // The exercise is over and no other follows: nothing more to listen to or answer.
    void Arreter();
    // True once the window has closed: the program is ending.
    bool Ferme() const { return m_ferme; }
    // The program is asked to stop from outside (a signal): the window closes as a window
    // manager's close would, and every dialog still open over it ends.
    void ArretDemande();

signals:
    // What the window asks of the program's flow (Pilote): each activation (the first one starts
    // the program), a new exercise or the end from the stop dialog, the end of an exercise.
    void activee();
    void nouvelExerciceDemande();
    void quitterDemande();
    void exerciceTermine();

public slots:
    void bJEcouteClick();
    void bJEcouteLentClick();
    void bJaiEcritClick();
    void bStopClick();
    void bClavierClick();
    void CompterUneSeconde();

protected:
    void showEvent(QShowEvent* e) override;
    void changeEvent(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    bool eventFilter(QObject* objet, QEvent* e) override;

public:
    // F11: the whole screen, the design centred on the sky blue; F11 again: the window.
    void BasculerPleinEcran();
    // Where the design's top-left corner sits in the window (0, 0 outside full screen).
    QPoint Decalage() const { return m_decalage; }

private:
    QPoint m_decalage;
    QPoint m_placeNormale; // the window's place before full screen
    bool m_pleinEcran = false;
    void FormCreate();
    void FormClose();
    void CreerControles();
    // The face the correction steps go through.
    void Effet(const QString& nom) override;
    bool Appreciation(const QString& texte, bool bon, const QString& indice) override;
    void Modele(const QString& modele, const CorrigeReponse& corrige) override;
    // The score, the points in play and the counts as the session has them.
    void AfficherSession() override;
    void Reessayer() override;
    void ItemSuivant() override;
    void Fin() override;
    // Both listens, at the item's pace or slowly, counted alike.
    void Ecouter(double vitesse);
    void ActiverEcoute(bool actif);
    // A fresh item on screen: the default picture, no companion text, listen first.
    void MontrerNouvelItem();
    void MontrerImageParDefaut(const QString& nomFichier);
    void MontrerCompagnons();

    DeroulementExercice m_deroulement;
    ReglagesLecture m_lecture; // what AppliquerLecture last put on the controls
    bool m_ferme = false;
    bool m_verification = false; // an answer is being checked: a second Enter waits its turn
    bool m_quitterOuvert = false;
};
