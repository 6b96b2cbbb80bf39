#pragma once
// The mark around the control that has the keyboard focus: a thick rounded frame, orange edged
// with black, drawn over the window, so a pupil or a teacher working with the keyboard
// always sees where Tab has brought him. One per window; it follows the focus on its own.
// Text fields are left to their caret and their own focused border.

#include <QPointer>
#include <QWidget>

class MarqueFocus : public QWidget {
    Q_OBJECT
public:
    // Puts the mark on `fenetre` (once: a second call changes nothing) and returns it.
    static MarqueFocus* Poser(QWidget* fenetre);

    // The control marked now; nullptr when the mark is hidden.
    QWidget* Cible() const { return isVisible() ? m_cible.data() : nullptr; }

    static constexpr int Marge = 3; // around the control, in pixels

protected:
    void paintEvent(QPaintEvent* e) override;
    bool eventFilter(QObject* objet, QEvent* e) override;

private:
    explicit MarqueFocus(QWidget* fenetre);
    void Suivre(QWidget* focus);
    void Placer();

    QPointer<QWidget> m_cible;
};
