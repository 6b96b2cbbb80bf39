#include "core/exercise/TirageItems.h"

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

QStringList TirerItems(const QStringList& offerts, int nombre) {
    // Each draw is uniform among the entries not drawn yet, taken in list order.
    QList<bool> tire(offerts.size(), false);
    QStringList tires;
    for (int tirage = 0; tirage < nombre; ++tirage) {
        QList<int> restants;
        for (int i = 0; i < offerts.size(); ++i)
            if (!tire.at(i))
                restants.append(i);
        if (restants.isEmpty())
            break;
        const int i = restants.at(Services::Hasard().Tirer(static_cast<int>(restants.size())));
        tire[i] = true;
        tires.append(offerts.at(i));
    }
    return tires;
}
