#include "core/exercise/TirageItems.h"

#include "core/Etat.h"
#include "core/Services.h"

#include <QStringList>

bool ChoixPossible(int nombre, int nbItems) {
    return nombre <= 4 || nbItems >= nombre;
}

QString LibelleNombreItems(int nbItems) {
    return QString::number(nbItems) + QStringLiteral(" items (") + QString::number(nbItems * 5) +
           QStringLiteral(" points)");
}

namespace {
QString Items(int n) {
    return n >= 2 ? QStringLiteral(" items") : QStringLiteral(" item");
}
} // namespace

QString TexteProgression(const QString& nomEleve, int nbItemsDossier, int nbItems,
                         int nbItemsDejaReussis) {
    if (nomEleve.isEmpty())
        return {};
    const int elimines = nbItemsDossier - nbItems;
    return QStringLiteral("Tu as éliminé ") + QString::number(elimines) + Items(elimines) +
           QStringLiteral(" sur ") + QString::number(nbItemsDossier) + QStringLiteral(".\r") +
           QStringLiteral("Tu as réussi ") + QString::number(nbItemsDejaReussis) +
           Items(nbItemsDejaReussis) + QStringLiteral(" au moins une fois.");
}

void GarderItemsTires(int nouveauNombre) {
    // Only the places the exercise uses take part, however long the list happens to be.
    const int offerts = static_cast<int>(std::min<qsizetype>(Etat.NbItems, Etat.ListeItems.size()));
    // Asking for as many or more than there is would draw from an empty list: keep them all.
    if (nouveauNombre == Etat.NbItems || nouveauNombre >= offerts || nouveauNombre < 0)
        return;

    QStringList tires;
    for (int tirage = 0; tirage < nouveauNombre; ++tirage) {
        QStringList restants;
        for (int i = 0; i < offerts; ++i)
            if (Etat.ListeItems.at(i).Etat == u"N")
                restants.append(Etat.ListeItems.at(i).Nom);
        if (restants.isEmpty())
            break;
        const QString nom =
            restants.at(Services::Hasard().Tirer(static_cast<int>(restants.size())));
        tires.append(nom);
        // The first new entry of that name leaves the draw, so a name is never drawn twice.
        for (int i = 0; i < offerts; ++i) {
            ItemListe& item = Etat.ListeItems[i];
            if (item.Etat == u"N" && item.Nom == nom) {
                item.Etat = QStringLiteral("O");
                break;
            }
        }
    }

    // The places beyond the new count are no longer used: the list is cut to it.
    Etat.ListeItems.resize(tires.size());
    for (int i = 0; i < tires.size(); ++i)
        Etat.ListeItems[i] = {tires.at(i), QStringLiteral("N")};
    Etat.NbItems = static_cast<int>(tires.size());
}
