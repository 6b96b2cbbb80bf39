#pragma once
// The comparison rule shared by answers, history keys and passwords.

#include <QString>
#include <QStringView>

// Removes every character whose code is 32 or less at both ends.
QString Rogner(const QString& texte);
QStringView Rogner(QStringView texte);
// Folds only the letters A to Z; accented capitals keep their case.
QString MinusculesAZ(const QString& texte);
// Upper-cases only the letters a to z.
QString MajusculesAZ(const QString& texte);
// The composed form (NFC): "é" is one character even when a Mac wrote it e + U+0301.
QString Compose(const QString& texte);
// The characters a text pasted from a word processor may hide: the soft hyphen, the zero-width
// ones, the byte-order mark and the marks that turn the direction of the text. Nobody types them,
// and a name holding one looks like another name.
bool CaractereInvisible(char32_t c);
// A text as typed or pasted, in the form the program keeps: composed, every no-break or
// typographic space an ordinary one, the invisible characters dropped. A word processor puts a
// no-break space before "?": kept, it would make « Où vas-tu ? » unanswerable.
QString TexteSaisi(const QString& texte);
// TexteSaisi, then Rogner, then MinusculesAZ: the form two texts are compared in.
QString FormeComparaison(const QString& texte);
bool EgauxSelonRegle(const QString& a, const QString& b);
// Two file names that name one entry for this program: equal in composed form, letter case
// ignored (the records were made on a case-insensitive file system).
bool MemeNomDeFichier(const QString& a, const QString& b);
// The text with every control character (C0, DEL, C1) and the Unicode line and paragraph
// separators written "?": pasted into an answer, they would end or forge a record line.
QString SurUneLigne(const QString& texte);
// Reads a whole decimal number; false for anything else (blanks around are allowed).
bool LireEntier(const QString& texte, int& valeur);

// The text as the screen shows it, by French typography: the space before "!", "?" and ";"
// becomes a narrow no-break space, the one before ":" and those inside « » a no-break space,
// so that no punctuation mark starts a line. What the records receive is never changed.
QString TypographieEcran(const QString& texte);
