#pragma once
// The program's message boxes, in its own look rather than the desktop's grey one: sky blue,
// large type and buttons a child can hit, over the window that asked.

#include <QDialog>
#include <QList>

class QLabel;
class QPushButton;

class BoiteMessage : public QDialog {
    Q_OBJECT
public:
    // What the box shows beside its text.
    enum class Genre { Aucun, Question, Information, Erreur };
    // The answers a box offers, as the caller reads them back.
    enum Reponse { Ok = 1, Annuler, Oui, Non };

    // `boutons` in their order on screen; `parDefaut` answers Enter, `echap` answers Escape and
    // the window's close.
    BoiteMessage(QWidget* proprietaire, Genre genre, const QString& titre, const QString& texte,
                 const QList<Reponse>& boutons, Reponse parDefaut, Reponse echap);

    QPushButton* Bouton(Reponse reponse) const;
    QLabel* Texte() const { return m_texte; }

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    QLabel* m_texte = nullptr;
    QList<QPair<Reponse, QPushButton*>> m_boutons;
    Reponse m_echap;
};
