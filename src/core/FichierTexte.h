#pragma once
// Text files as teachers keep them: Windows-1252 with CR LF when the program writes, and
// whatever a teacher's editor left when it reads (UTF-8 with or without BOM, LF or CR).
// Every operation opens, works and closes; nothing stays open.

#include <QByteArray>
#include <QString>
#include <QStringList>

enum class Encodage { Cp1252, Utf8 };

namespace Cp1252 {
QString Decoder(const QByteArray& octets);
// A character the code page cannot hold becomes "?".
QByteArray Encoder(const QString& texte);
} // namespace Cp1252

// UTF-8 when the bytes start with a BOM, or are valid UTF-8 holding at least one non-ASCII
// sequence; Windows-1252 otherwise.
Encodage DetecterEncodage(const QByteArray& octets);
QString DecoderTexte(const QByteArray& octets);
QByteArray EncoderTexte(const QString& texte, Encodage encodage);

// Lines ended by CR LF, LF or CR; a last line without an end counts when it is not empty.
QStringList DecouperLignes(const QString& texte);

// Reads a whole file (its name resolved whatever its case). false with the system's reason
// when it exists but cannot be read; a missing file is also false, with an empty reason.
bool LireFichier(const QString& chemin, QByteArray& octets, QString* raison = nullptr);
bool LireLignes(const QString& chemin, QStringList& lignes, QString* raison = nullptr);

// The encoding to append in: that of the existing file, from its first and last bytes.
Encodage EncodageDuFichier(const QString& chemin);

// Appends to an existing file in one write in append mode, so that two computers appending
// to one shared file never interleave inside a piece. false when the file is missing or the
// write failed.
bool AjouterAuFichier(const QString& chemin, const QString& texte);

// Replaces the whole file through a temporary file and a rename: a failed or interrupted
// save leaves the previous content whole.
bool RemplacerFichier(const QString& chemin, const QByteArray& contenu);
