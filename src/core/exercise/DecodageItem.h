#pragma once
// An item's file name carries the text to type: alternatives separated by "£", and five-
// character codes for what a file name cannot hold.

#include <QString>
#include <QStringList>

// Replaces every code of the table, in its order, letter case exact.
QString DecoderNomItem(const QString& texte);
// The accepted answers of an item file: its name without the last 4 characters, split at "£"
// before decoding (so "#liv#" is a "£" inside one answer).
QStringList ReponsesAcceptees(const QString& fichierSon);
// The typed text, trimmed and A-Z folded, equals one accepted answer A-Z folded, both in
// composed form.
bool ReponseJuste(const QString& tape, const QString& fichierSon);
// What eModele shows: the decoded name, ".wav" removed in any case, "£" as five blanks.
QString ModeleReponse(const QString& fichierSon);
