#pragma once
// The small widget kit every window builds with: named controls (tests and screen readers
// find them by name), hints that screen readers read too, type and colours. What the kit puts
// on screen follows French typography (TypographieEcran); what it tells screen readers stays
// as written. The look of the
// start form and its dialogs (big, rounded, friendly controls a young pupil finds and reads at
// once) is here as well.

#include <QColor>
#include <QRect>
#include <QString>

class QAbstractButton;
class QComboBox;
class QLabel;
class QPushButton;
class QScreen;
class QToolButton;
class QWidget;

namespace Kit {

// A label at its place, its text also its accessible name.
QLabel* Etiquette(QWidget* parent, const char* nom, const QString& texte, const QRect& place);
// A label drawing a value, centred, with a hint when given.
QLabel* Valeur(QWidget* parent, const char* nom, const QRect& place, const QString& bulle = {});
// The hint shown over a control, read by screen readers as its description.
void Bulle(QWidget* w, const QString& texte);
// A tooltip's text as it is: Qt guesses markup in a tooltip, and one quoting an item or a file
// name must never load what a tag in it names.
QString BulleTexte(const QString& texte);

// A flat button with its caption. It takes the focus from Tab only: a click leaves the focus
// in the field being typed in, where Enter and Escape keep their meaning. Focused, Enter or
// Space activates it.
QToolButton* BoutonPlat(QWidget* parent, const char* nom, const QString& texte, const QRect& place);
// A flat button showing a picture, its name told to screen readers and in its hint. Reached
// with Tab only, activated by Space; Enter keeps the meaning its window gives it.
QToolButton* BoutonImage(QWidget* parent, const char* nom, const QString& image,
                         const QString& nomAccessible, const QRect& place);
// Enter on the focused button activates it, as Space does; a key held down activates nothing
// more than its first press did.
void ActiverAuClavier(QAbstractButton* b);
// Tells screen readers what a list box chooses, its accessible name: on Linux they take a list
// box's name from the entry it shows, and what it chooses from a label tied to it (not drawn).
// The entry shown is its description too, kept up to date: a reader that cannot read a list
// box's entry (Orca with Qt 6.4) says the description on arrival and speaks it as it changes.
void NommerListe(QComboBox* liste);
// An ordinary push button with its caption; an empty place leaves it to a layout.
QPushButton* Bouton(QWidget* parent, const char* nom, const QString& texte, const QRect& place);

// Letters `pixels` high, bold when asked; the rest of the control's font kept.
void Police(QWidget* w, int pixels, bool gras = false);
// The text in `texte` (`texteDesactive` once disabled, if given) and, if given, the
// background in `fond` (`fondDesactive` once disabled), on the desktop's colours. Type and
// colours are given to the main window's controls directly, not through style sheets: Qt's
// style-sheet engine would then take part in every polish and paint of the window the pupil
// waits for at start-up.
void Colorer(QWidget* w, const QColor& texte, const QColor& texteDesactive = {},
             const QColor& fond = {}, const QColor& fondDesactive = {});
// The desktop's own colours, held by the control itself: its frame and panels do not take the
// window's sky blue.
void CouleursDuBureau(QWidget* w);
// The sky blue behind the main window, the forms and the message boxes.
inline constexpr QColor BleuCiel(166, 202, 240);

// The start form's and its dialogs' buttons and fields.
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

// The headings of the start form and its dialogs.
inline const QString StyleTitre =
    QStringLiteral("font-size: 14px; font-weight: bold; color: #1c3f73; background: transparent;");

// A window that can be resized, at `voulue` (design pixels) or less: never taller or wider than
// the screen it opens on, whatever the scale; its minimum size shrinks with it.
void TailleDansLEcran(QWidget* fenetre, const QSize& voulue);

// `cadre` moved as little as needed to lie inside the screen's available area (its top-left
// corner first when it is larger than the screen).
QRect DansLEcran(QRect cadre, const QScreen* ecran);

} // namespace Kit
