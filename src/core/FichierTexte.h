#pragma once
// Text files as teachers keep them: Windows-1252 with CR LF when the program writes, and
// whatever a teacher's editor left when it reads (UTF-8 with or without BOM, UTF-16 with its
// BOM as Windows Notepad saves "Unicode", LF or CR). Every operation opens, works and closes;
// nothing stays open.

#include <QByteArray>
#include <QString>
#include <QStringList>

enum class Encodage { Cp1252, Utf8, Utf16LE, Utf16BE };

namespace Cp1252 {
QString Decoder(const QByteArray& octets);
// A character the code page cannot hold becomes "?".
QByteArray Encoder(const QString& texte);
} // namespace Cp1252

// UTF-16 when the bytes start with its BOM (FF FE little end first, FE FF big end first);
// UTF-8 when they start with its BOM, or are valid UTF-8 holding at least one non-ASCII
// sequence; Windows-1252 otherwise.
Encodage DetecterEncodage(const QByteArray& octets);
QString DecoderTexte(const QByteArray& octets);
// The text in composed form (NFC: "é" one character even when a Mac wrote e + accent), without
// BOM, in the given encoding.
QByteArray EncoderTexte(const QString& texte, Encodage encodage);
// The encoding a new file holding only `texte` is read back in without a change: Windows-1252
// when it holds the text and reads back the same, UTF-8 otherwise.
Encodage EncodagePourTexte(const QString& texte);

// Lines ended by CR LF, LF or CR; a last line without an end counts when it is not empty.
QStringList DecouperLignes(const QString& texte);

// Reads a whole file (its name resolved whatever its case). false with the system's reason
// when it exists but cannot be read; a missing file is also false, with an empty reason.
bool LireFichier(const QString& chemin, QByteArray& octets, QString* raison = nullptr);
bool LireLignes(const QString& chemin, QStringList& lignes, QString* raison = nullptr);

// The encoding to append in: that of the existing file, from its first and last bytes.
Encodage EncodageDuFichier(const QString& chemin);
// The whole content of a file replacing `chemin`: the text in the existing file's encoding,
// behind the BOM that file starts with.
QByteArray ContenuDansLEncodageDe(const QString& chemin, const QString& texte);

// True when the file is empty or its last character is a line end (CR or LF): a file cut by a
// crash or a power cut ends inside a line.
bool FinitParFinDeLigne(const QString& chemin);

// Appends to an existing file in one write in append mode, so that two computers appending
// to one shared file never interleave inside a piece. false when the file is missing or the
// write failed; a write cut short (full disk) is taken back, so no fragment stays to which the
// next append would be glued.
bool AjouterAuFichier(const QString& chemin, const QString& texte);

// Replaces the whole file through a temporary file and a rename: a failed or interrupted
// save leaves the previous content whole. Where the folder refuses new files (shares that let
// pupils change files but not create them), the file is written in place instead.
bool RemplacerFichier(const QString& chemin, const QByteArray& contenu);
