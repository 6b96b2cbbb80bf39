#pragma once
// What the studio edits, without its window: the folder tree as far as the teacher opened it,
// the open folder and its items, the item chosen and the spellings typed for it and not yet
// written into its name. The window draws this and forwards clicks; it reads nothing back from
// its widgets.

#include "core/studio/DossierStudio.h"
#include "core/studio/NommageItem.h"

#include <QString>
#include <QStringList>
#include <QVector>

// The exercise folders below the root, each branch listed the first time it is opened. A branch
// is known by its index, which the tree's items carry; every index changes at Reinitialiser.
class ArbreStudio {
public:
    // The root alone, not listed yet; its index is 0.
    void Reinitialiser(const QString& racine);
    bool Valide(int id) const { return id >= 0 && id < m_branches.size(); }
    bool EstRacine(int id) const { return id == 0 && Valide(id); }
    // The branch above; -1 for the root and an unknown index.
    int Parent(int id) const;
    // The folder's absolute path (no final separator); empty for an unknown index.
    QString Chemin(int id) const;
    // The folder's own name; empty for the root.
    QString Nom(int id) const;
    // True once the branch's folders are known (at once for a folder holding none).
    bool Listee(int id) const;
    QVector<int> Enfants(int id) const;
    // Lists the folders of the branch by the pupils' rules (no dotted name, sorted for people).
    // True when it did so now; false when it was listed before or the index is unknown.
    bool Lister(int id);
    // The branch of the folder `chemin`, listing the branches down to it; -1 when it is not
    // below the root or is no longer there.
    int Trouver(const QString& chemin);

private:
    struct Branche {
        QString Chemin;
        QString Nom;
        int Parent = -1;
        bool Listee = false;
        QVector<int> Enfants;
    };
    QVector<Branche> m_branches;
};

// What became of a spelling the teacher added or edited.
struct IssueOrthographe {
    bool Acceptee = false;
    QString Refus; // why not, in French; empty when accepted, and when nothing was typed
};

class ModeleStudio {
public:
    ArbreStudio& Arbre() { return m_arbre; }
    const ArbreStudio& Arbre() const { return m_arbre; }

    // The folder shown (absolute path, no final separator); empty when none.
    const QString& Dossier() const { return m_dossier; }
    const QVector<ItemStudio>& Items() const { return m_items; }
    // The items are changed in place by the folder's writes (DossierStudio.h).
    ItemStudio* Item(int index);
    // The index of the item chosen; -1 when none.
    int Courant() const { return m_courant; }
    ItemStudio* ItemCourant() { return Item(m_courant); }

    // Reads the folder; its first item is chosen.
    void Ouvrir(const QString& dossier);
    void Fermer();
    // Reads the folder again (a colleague wrote in it) and keeps what the teacher was doing: the
    // item he was editing stays chosen, or, when it had no file yet, becomes a new item again;
    // its pending spellings stay.
    void Relire();
    // Chooses the item `index` (-1: none), its spellings as its name gives them; anything
    // pending for the item left is dropped. False, and nothing changes, when it was chosen
    // already.
    bool Choisir(int index);
    // The item not yet named: the one there is (one at a time), or a new one at the end.
    int ItemANommer();

    // The spellings shown for the item chosen, those typed and not yet written included.
    const QStringList& Orthographes() const { return m_orthographes; }
    // Adds a spelling as the pupil would type it (TexteSaisi, trimmed). Refused when nothing is
    // left, or when it is one of the list's whatever the case of A to Z or the writing of its
    // accents: the exercise takes both as one answer.
    IssueOrthographe AjouterOrthographe(const QString& texte);
    // Changes the spelling at `ligne` by the same rules; erased, it leaves the list.
    IssueOrthographe ModifierOrthographe(int ligne, const QString& texte);
    bool RetirerOrthographe(int ligne);
    // The name the spellings give the item chosen, refused as well when another item of the
    // folder bears it whatever its letter case.
    NomItem NomEnAttente() const;
    // The item's name was written: its spellings are no longer pending.
    void NomEcrit();

    // The items given their sound at `chemin`: their state read from it; their indexes.
    QVector<int> SonEcrit(const QString& chemin);
    // The named items without a playable sound.
    QVector<int> ItemsSansSon() const;
    bool UnItemASonSon() const;

private:
    IssueOrthographe Verifier(const QString& texte, int ligneRemplacee, QString& forme) const;

    ArbreStudio m_arbre;
    QString m_dossier;
    QVector<ItemStudio> m_items;
    int m_courant = -1;
    QStringList m_orthographes;
};
