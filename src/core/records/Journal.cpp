#include "core/records/Journal.h"

#include "core/Etat.h"
#include "core/Services.h"

#include <QFile>
#include <QFileInfo>

bool CreerJournal() {
    // Two copies started together may draw the same number: the exclusive creation makes
    // the second one draw again instead of sharing (and later deleting) the first one's file.
    for (int essai = 0; essai < 1000; ++essai) {
        const int n = Services::Hasard().Tirer(10000000);
        const QString chemin = Etat.DossierProgramme + QStringLiteral("Bilan_") +
                               QString::number(n) + QStringLiteral(".txt");
        Etat.FichierJournal = chemin;
        if (QFileInfo::exists(chemin))
            continue;
        QFile f(chemin);
        if (f.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return true;
        if (!QFileInfo::exists(chemin))
            return false; // the folder refuses new files
    }
    Etat.FichierJournal.clear(); // never keep a name that belongs to another copy
    return false;
}
