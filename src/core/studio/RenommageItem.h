#pragma once
// Renaming an item renames its sound and its companions together, or none of them.

#include <QString>
#include <QVector>

#include <functional>

struct Renommage {
    QString De; // full paths
    QString Vers;
};

// The one file-system call a renaming makes; tests give one that fails where they want.
using FonctionRenommer = std::function<bool(const QString& de, const QString& vers)>;
bool RenommerFichier(const QString& de, const QString& vers);

// Every pair renamed, or none: a target that exists already (and is not the same file under
// another letter case) stops it before anything moves, and a failure half-way puts back the
// files already renamed. false with a French sentence in *raison.
bool RenommerTout(const QVector<Renommage>& paires, QString* raison,
                  const FonctionRenommer& renommer = RenommerFichier);
