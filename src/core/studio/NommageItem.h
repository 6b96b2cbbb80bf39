#pragma once
// The studio writes an item's file name from the texts the teacher typed: the inverse of the
// decoding the exercise applies, checked by decoding it back. Folder names get their own check.

#include <QString>
#include <QStringList>

// A file name may hold 255 bytes (UTF-8 here) on the file systems schools use.
inline constexpr int OctetsNomMax = 255;

struct NomItem {
    QString Base;       // the file name without ".wav"; empty when refused
    QStringList Textes; // the accepted spellings as they will be read back (trimmed)
    QString Refus;      // why the texts cannot be a file name, in French; empty when accepted
    bool Accepte() const { return Refus.isEmpty(); }
};

// One spelling with every character the code table stands for written as its code.
QString EncoderOrthographe(const QString& texte);
// The base name of an item from its spellings, in order: each is trimmed (blank spellings are
// left out), encoded, and the pieces joined by "£". Refused when no spelling is left, when a
// spelling holds a control character or a character the records cannot hold (outside
// Windows-1252), holds ".wav" (the exercise strips it from what it shows), when decoding the
// name would not give the texts back, or when the name is too long for a file system.
NomItem NommerItem(const QStringList& orthographes);
// Why `base` cannot sit beside the items `autresBases` of the same folder: two names equal
// whatever their letter case are one file on a case-insensitive disk. Empty when it can.
QString RefusDoublon(const QString& base, const QStringList& autresBases);

// The name a folder is made under from what the teacher typed or an archive holds: TexteSaisi
// (composed, ordinary spaces, no invisible character), trimmed. Two names that look alike on
// screen are then one name.
QString NomDossierNormalise(const QString& nom);
// Why `nom`, once normalised, cannot become an exercise folder (French, naming the character at
// fault); empty when it can. `existants` are the folders already beside it: a name equal to one
// of them once both are normalised, whatever the letter case, is refused.
QString RefusNomDossier(const QString& nom, const QStringList& existants = {});
