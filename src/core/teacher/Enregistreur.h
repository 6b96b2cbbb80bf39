#pragma once
// Which sound recorder "Enregistrer un son" starts. The teacher may name one in CHEMINLOGSON;
// otherwise the first recorder found on this desktop's program search path.

#include <QString>
#include <QStringList>

struct ChoixEnregistreur {
    enum Genre {
        Programme, // started on its own
        Document,  // an existing file that is not a program (a launcher): opened by the desktop
        Aucun      // nothing to start on this computer
    };
    Genre Sorte = Aucun;
    QString Cible;
};

// The recorders looked for, in order, when CHEMINLOGSON names nothing usable.
QStringList EnregistreursConnus();

// `cheminLogSon`: the CHEMINLOGSON value ("\" accepted, letter case of the path forgiven,
// relative to the program folder `dossierProgramme`). A bare name is also looked for on the
// search path. `chemins`: the search path to use, empty for the system's.
ChoixEnregistreur ChoisirEnregistreur(const QString& cheminLogSon, const QString& dossierProgramme,
                                      const QStringList& chemins = {});
