#pragma once
// The modal-showing double: instead of a nested event loop, a form is prepared as a real
// showing would, then the test's script for that form plays the user's part.

#include "core/Services.h"

#include <QHash>
#include <QStringList>
#include <functional>

class ModalDouble : public IAffichageModal {
public:
    // By form objectName; a form without a script is prepared and closed with result 0.
    QHash<QString, QList<std::function<int(QDialog*)>>> Scripts;
    QStringList Montres; // objectNames, in the order shown
    // Called at every showing once the form is prepared, before its script.
    std::function<void(QDialog*)> Observateur;
    void Ajouter(const QString& forme, std::function<int(QDialog*)> script) {
        Scripts[forme].append(std::move(script));
    }
    int Montrer(QDialog* forme) override;
};

class QWidget;

// A key press the keyboard repeats while the key is held down, sent to `cible`.
void Repetition(QWidget* cible, int touche);
// What a screen reader says a control is.
QString NomAccessible(QWidget* w);

class ModalInstalle {
public:
    ModalInstalle() { Services::InstallerModal(&Modal); }
    ~ModalInstalle() { Services::InstallerModal(nullptr); }
    ModalDouble Modal;
};
