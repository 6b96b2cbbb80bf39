#include "ui/dialogs/RoleAlerte.h"

#include "ui/dialogs/BoiteMessage.h"
#include "ui/dialogs/DialogueAppreciation.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace {

// Qt asks the factories for each class of an object, the most derived first: these two answer
// for the boxes themselves and leave every other widget to Qt's own interfaces.
QAccessibleInterface* FabriqueAlerte(const QString& classe, QObject* objet) {
    if (classe != QLatin1String(BoiteMessage::staticMetaObject.className()) &&
        classe != QLatin1String(DialogueAppreciation::staticMetaObject.className()))
        return nullptr;
    auto* w = qobject_cast<QWidget*>(objet);
    if (!w || !(qobject_cast<BoiteMessage*>(w) || qobject_cast<DialogueAppreciation*>(w)))
        return nullptr;
    return new QAccessibleWidget(w, QAccessible::AlertMessage);
}

} // namespace

void InstallerRoleAlerte() {
    static bool installe = false;
    if (installe)
        return;
    installe = true;
    QAccessible::installFactory(FabriqueAlerte);
}

void AnnoncerAlerte(QWidget* boite) {
    QAccessibleEvent alerte(boite, QAccessible::Alert);
    QAccessible::updateAccessibility(&alerte);
}
