#pragma once
// An exercise folder as the studio edits it: one item per WAV file, with the spellings its name
// carries, its companions found whatever their letter case, and its sound's state and length
// read from the WAV header alone (a folder of 200 items opens at once). Every write stays inside
// the folder and goes through a temporary file.

#include <QString>
#include <QStringList>
#include <QVector>

#include "core/exercise/TexteCompagnon.h"
#include "core/studio/RenommageItem.h"

enum class EtatSon {
    Absent,    // no WAV yet: the item is being made
    Present,   // a WAV whose header gives a length
    Illisible, // a file that is not a WAV the exercise can play
};

struct ItemStudio {
    QString Base;             // the file name without its extension; empty while not named
    QString FichierSon;       // the WAV entry as listed ("CHAT.WAV"); empty when none
    QString FichierTexte;     // the ".TXT" companion as listed; empty when none
    QString FichierImage;     // the ".JPG" companion as listed; empty when none
    QStringList Orthographes; // decoded from the name
    // Other files of the item read with it (the same name in another letter case, on a
    // case-sensitive disk): known, so never taken for a colleague's, and left as they are.
    QStringList Doublons;
    EtatSon Son = EtatSon::Absent;
    double Duree = 0.0; // seconds
};

// The items of the folder: its WAV files sorted for people, then the items begun without a
// sound (companions whose WAV is missing), which the exercise does not offer yet.
QVector<ItemStudio> LireDossierStudio(const QString& dossier);

// The length of a RIFF WAV file from its header (data size over bytes per second): false when
// the file is not one.
bool DureeWav(const QString& chemin, double& secondes);
bool DureeWavOctets(const QByteArray& debut, qint64 tailleFichier, double& secondes);

// The bytes of a ".TXT" companion: Windows-1252 with CR LF when every character fits, UTF-8
// with a byte-order mark and CR LF otherwise, so nothing the teacher typed is lost.
QByteArray ContenuTexteCompagnon(const QString& texte);
// The companion's text as the studio shows it, lines joined by "\n", cut beyond
// OctetsCompagnonMax.
TexteCompagnon LireTexteCompagnon(const QString& dossier, const ItemStudio& item);

// Why the studio may not write the item's files under `base` (its own name when empty): a
// file of that name (".wav", ".TXT" or ".JPG", whatever its letter case or the spelling of its
// accents) is in the folder and is not one the studio read as the item's. A colleague on the
// shared folder made it since the folder was read; it is his, and nothing replaces it or
// joins it. French, naming the file; empty when the studio may write.
QString RefusFichierEtranger(const QString& dossier, const ItemStudio& item,
                             const QString& base = {});

// The three writes below refuse (false, the reason above) before touching a colleague's file.
// Writes (or, for an empty text, sends to the trash) the item's ".TXT" companion.
bool EcrireTexteCompagnon(const QString& dossier, ItemStudio& item, const QString& texte,
                          QString* raison);
// Writes the item's ".JPG" companion (bytes already JPEG), replacing the one of any case.
bool EcrireImageCompagnon(const QString& dossier, ItemStudio& item, const QByteArray& jpeg,
                          QString* raison);
bool RetirerImageCompagnon(const QString& dossier, ItemStudio& item, QString* raison);
// Renames the item's files to `nouvelleBase` (".wav", ".TXT", ".JPG"), all or none.
bool RenommerItem(const QString& dossier, ItemStudio& item, const QString& nouvelleBase,
                  QString* raison, const FonctionRenommer& renommer = RenommerFichier);
// Sends every file of the item to the trash.
bool SupprimerItem(const QString& dossier, const ItemStudio& item, QString* raison);
// Where the item's sound goes, and where it is once there.
QString CheminSon(const QString& dossier, const ItemStudio& item);
