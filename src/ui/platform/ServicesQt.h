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

// The desktop's file dialogs; a bare file name to save starts in the user's documents folder.
class ChoixFichierQt : public IChoixFichier {
public:
    QString Ouvrir(QWidget* parent, const QString& titre, const QString& filtre) override;
    QString Enregistrer(QWidget* parent, const QString& titre, const QString& propose,
                        const QString& filtre) override;
};

// Runs an event loop that ignores the user, so sounds keep being fed while he waits.
class PauseQt : public IPause {
public:
    void Attendre(int ms) override;
};
