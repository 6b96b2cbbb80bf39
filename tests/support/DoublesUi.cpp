#include "DoublesUi.h"

#include "ui/dialogs/FormeModale.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>

int ModalDouble::Montrer(QDialog* forme) {
    const QString nom = forme->objectName();
    Montres.append(nom);
    if (auto* f = qobject_cast<FormeModale*>(forme))
        f->Preparer();
    if (Observateur)
        Observateur(forme);
    auto it = Scripts.find(nom);
    if (it == Scripts.end() || it->isEmpty())
        return 0;
    auto script = it->takeFirst();
    return script(forme);
}

void Repetition(QWidget* cible, int touche) {
    QKeyEvent repetee(QEvent::KeyPress, touche, Qt::NoModifier, QString(), /*autorep*/ true);
    QApplication::sendEvent(cible, &repetee);
}

QString NomAccessible(QWidget* w) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
    return a ? a->text(QAccessible::Name) : QString();
}
