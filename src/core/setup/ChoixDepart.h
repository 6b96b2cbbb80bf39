#pragma once
// Who is working and on what, as types rather than the lists' texts: the group (none while the
// list asks "Choisis ton groupe"), the pupil (a visitor, the "Nouveau" entry, or a named pupil),
// where the folder browser stands and the exercise folder chosen; and the rules the start form
// applies to them. One `ChoixTravail` (Etat.Choix) holds them for the whole program: the start
// form renders it and forwards each choice, the record window and the exercise read it.

#include <QString>
#include <QStringList>

#include <optional>

enum class GenreEleve { Visiteur, Nouveau, Nomme };

struct EleveChoisi {
    GenreEleve Genre = GenreEleve::Visiteur;
    QString Nom; // a named pupil's name; empty otherwise
    // The name the records are kept under: empty for a visitor and for the "Nouveau" entry.
    QString NomEleve() const { return Genre == GenreEleve::Nomme ? Nom : QString(); }
    // The name launching an exercise gives him: the "Nouveau" entry launched as it is (adding
    // pupils is off) names a pupil « Nouveau », as the program always did.
    QString NomPourExercice() const;
    // As the pupil list shows him, for the exercise window's title.
    QString NomAffiche() const;
    bool operator==(const EleveChoisi&) const = default;
};

struct ChoixTravail {
    // No value: the list asks "Choisis ton groupe"; empty: the group remembered is gone.
    std::optional<QString> Groupe;
    EleveChoisi Eleve;
    // The pupil who worked last in this run: he is not asked his password again.
    QString ElevePrecedent;
    // Where the folder browser stands, absolute, without a final separator.
    QString Position;
    // The exercise folder "Commencer" opened, absolute. For the review of the pupil's words,
    // the review's name below the media root (its records are written under that name; no
    // such folder is read).
    QString DossierExercice;
    // The review chosen: its sounds, absolute, from their own folders. No value: a folder.
    std::optional<QStringList> Revue;

    QString NomGroupe() const { return Groupe.value_or(QString()); }

    // The browser at the top of the exercises, where each exercise is chosen from.
    void AuDebut(const QString& racineMedias);
    bool ALaRacine(const QString& racineMedias) const;
    // The folder `nom` below the position.
    QString Enfant(const QString& nom) const;
    // The folder above the position ("/" above a top-level folder).
    QString Parent() const;
    // Once the teacher module closes (PositionApresModuleEnseignant).
    void ApresModuleEnseignant(const QString& racineMedias);
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
