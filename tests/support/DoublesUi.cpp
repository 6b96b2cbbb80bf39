#include "DoublesUi.h"

#include "ui/dialogs/FormeModale.h"

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
