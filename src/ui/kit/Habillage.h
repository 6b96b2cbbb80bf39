#pragma once
// The look shared by the start form and its two dialogs: big, rounded, friendly controls a
// young pupil finds and reads at once.

#include <QLabel>
#include <QString>
#include <QToolButton>

namespace Habillage {

// A flat button with its caption (a speed button: it never takes the focus, Enter and Escape
// belong to the field being typed in).
inline QToolButton* Bouton(QWidget* parent, const char* nom, const QString& texte,
                           const QRect& place) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(nom));
    b->setText(texte);
    b->setAccessibleName(texte);
    b->setGeometry(place);
    b->setFocusPolicy(Qt::NoFocus);
    b->setCursor(Qt::PointingHandCursor);
    return b;
}

inline void Bulle(QWidget* w, const QString& texte) {
    w->setToolTip(texte);
    w->setAccessibleDescription(texte);
}

inline QLabel* Etiquette(QWidget* parent, const char* nom, const QString& texte,
                         const QRect& place) {
    auto* l = new QLabel(texte, parent);
    l->setObjectName(QString::fromLatin1(nom));
    l->setAccessibleName(texte);
    l->setGeometry(place);
    return l;
}

inline const QString StyleBoutons = QStringLiteral(
    "QToolButton { background: #ffffff; border: 2px solid #7fb0e0; border-radius: 8px;"
    " color: #1c3f73; font-size: 14px; font-weight: bold; padding: 2px 6px; }"
    "QToolButton:hover { background: #e6f1fc; }"
    "QToolButton:pressed { background: #cfe3f8; }"
    "QToolButton:disabled { color: #a4b4c8; border-color: #cfdcea; background: #f4f7fb; }");

inline const QString StyleChamp =
    QStringLiteral("QLineEdit { background: white; border: 2px solid #7fb0e0; border-radius: 6px;"
                   " padding: 1px 6px; font-size: 16px; color: #0b2447; }"
                   "QLineEdit:focus { border-color: #3f82c9; }");

} // namespace Habillage
