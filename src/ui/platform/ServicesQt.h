#pragma once
// The Qt implementations of the platform services that need widgets.

#include "core/Services.h"

class MessagesQt : public IBoitesMessage {
public:
    void Message(const QString& texte) override;
    bool QuestionOuiNon(const QString& texte) override;
    bool QuestionOkAnnuler(const QString& texte) override;
    void Information(const QString& texte) override;
    bool Confirmation(const QString& texte) override;
    void Erreur(const QString& texte) override;
};

class ModalQt : public IAffichageModal {
public:
    int Montrer(QDialog* forme) override;
};

// The save dialog, in the user's documents folder at first.
class ChoixFichierQt : public IChoixFichier {
public:
    QString FichierAEnregistrer(QWidget* proprietaire, const QString& titre,
                                const QString& nomPropose, const QString& filtre) override;
};

// Runs an event loop that ignores the user, so sounds keep being fed while he waits.
class PauseQt : public IPause {
public:
    void Attendre(int ms) override;
};
