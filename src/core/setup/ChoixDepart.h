#pragma once
// Who is working and where the start form stands, as types rather than the lists' texts: the
// group (none while the list asks "Choisis ton groupe"), the pupil (a visitor, the "Nouveau"
// entry, or a named pupil), and the rules the start form applies to them.

#include <QString>

#include <optional>

enum class GenreEleve { Visiteur, Nouveau, Nomme };

struct EleveChoisi {
    GenreEleve Genre = GenreEleve::Visiteur;
    QString Nom; // a named pupil's name; empty otherwise
    // The name the records are kept under: empty for a visitor and for the "Nouveau" entry.
    QString NomEleve() const { return Genre == GenreEleve::Nomme ? Nom : QString(); }
};

// The records folder of `groupe` under the records root, with its separator; the root itself
// while the list asks to choose one (no value) or shows no entry (empty: the group it
// remembered is gone); empty without a records root (a path built on nothing would point into
// the working folder or at the top of the disk).
QString DossierDuGroupeChoisi(const QString& racineBilans, const std::optional<QString>& groupe);

// What a pupil's start of an exercise asks for his password: nothing (passwords off, a visitor,
// or the pupil who just worked here), a new one to choose (no password file yet), or his own.
enum class MotDePasseAFaire { Aucun, Choisir, Verifier };
MotDePasseAFaire MotDePasseAvantExercice(bool actif, const QString& eleve,
                                         const QString& elevePrecedent, bool fichierExiste);

// Where the folder browser stands once the teacher module closes: where it stood while that is
// still a folder inside the exercise root (the teacher may have moved the root), else the root.
QString PositionApresModuleEnseignant(const QString& ici, const QString& racine);
