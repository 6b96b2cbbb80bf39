#pragma once
// Test doubles of the platform services. Each records what the program asked for and answers
// from a script, so tests can check every message and drive every question.

#include "core/Services.h"

#include <QStringList>
#include <QTemporaryDir>
#include <QVector>
#include <functional>

struct AppelMessage {
    QString Genre; // "Message", "OuiNon", "OkAnnuler", "Information", "Confirmation", "Erreur"
    QString Texte;
};

class MessagesDouble : public IBoitesMessage {
public:
    QVector<AppelMessage> Appels;
    // Answers to the questions, in order; when empty, `ReponseParDefaut`.
    QVector<bool> Reponses;
    bool ReponseParDefaut = false;
    // Called at every box, before it is answered: a test looks at the files at that moment.
    std::function<void(const AppelMessage&)> Observateur;

    void Message(const QString& t) override { Noter("Message", t); }
    bool QuestionOuiNon(const QString& t) override { return Repondre("OuiNon", t); }
    bool QuestionOkAnnuler(const QString& t) override { return Repondre("OkAnnuler", t); }
    void Information(const QString& t) override { Noter("Information", t); }
    bool Confirmation(const QString& t) override { return Repondre("Confirmation", t); }
    void Erreur(const QString& t) override { Noter("Erreur", t); }

    QStringList Textes() const;

private:
    bool Repondre(const char* genre, const QString& t);
    void Noter(const char* genre, const QString& t);
};

class HorlogeDouble : public IHorloge {
public:
    QString Date = QStringLiteral("07/12/2026");
    QString Heure = QStringLiteral("14:03:27");
    QString DateCourte() override { return Date; }
    QString HeureLongue() override { return Heure; }
};

// Answers the scripted draws in order, then 0.
class HasardDouble : public IHasard {
public:
    QVector<int> Tirages;
    QVector<int> Bornes; // the n of each call, for checks
    int Tirer(int n) override;
};

class PauseDouble : public IPause {
public:
    QVector<int> Pauses;
    void Attendre(int ms) override { Pauses.append(ms); }
};

class SonDouble : public ISon {
public:
    QStringList Joues; // files played, in order
    QString Fichier;
    QStringList Illisibles; // files whose opening fails
    void DefinirFichier(const QString& chemin) override { Fichier = chemin; }
    bool Ouvrir(QString* erreur) override;
    void Jouer() override { Joues.append(Fichier); }
    void Arreter() override {}
};

struct AppelShell {
    QString Genre; // "Ouvrir" or "Lancer"
    QString Cible;
};

// Records what the program asked the desktop to open or start, in order.
class ShellDouble : public IShell {
public:
    QVector<AppelShell> Appels;
    void Ouvrir(const QString& cible) override { Appels.append({QStringLiteral("Ouvrir"), cible}); }
    void Lancer(const QString& programme) override {
        Appels.append({QStringLiteral("Lancer"), programme});
    }
    QStringList Cibles() const;
};

// Records the set-up dialogs shown and the texts printed; the dialog's answer is scripted.
class ImprimanteDouble : public IImprimante {
public:
    bool Accepter = true;
    int Configurations = 0;
    QStringList Imprimes;
    bool Configurer(QWidget*) override {
        ++Configurations;
        return Accepter;
    }
    void Imprimer(const QString& texte) override { Imprimes.append(texte); }
};

// Records the save dialogs asked for and answers the scripted paths, then "" (cancelled).
class ChoixFichierDouble : public IChoixFichier {
public:
    QStringList Reponses;
    QStringList Proposes; // the file names offered, in order
    QString FichierAEnregistrer(QWidget*, const QString&, const QString& nomPropose,
                                const QString&) override {
        Proposes.append(nomPropose);
        return Reponses.isEmpty() ? QString() : Reponses.takeFirst();
    }
};

// Installs every double for one test and puts the defaults back at its end; the shared
// state is reset and the program folder is a fresh temporary folder.
class EnvironnementTest {
public:
    EnvironnementTest();
    ~EnvironnementTest();
    MessagesDouble Messages;
    HorlogeDouble Horloge;
    HasardDouble Hasard;
    PauseDouble Pause;
    SonDouble Son;
    ShellDouble Shell;
    ImprimanteDouble Imprimante;
    ChoixFichierDouble ChoixFichier;
    QTemporaryDir Dossier;
    QString Programme; // Dossier's path with its final separator
};

// Test helpers for files.
QByteArray LireOctets(const QString& chemin);
void EcrireOctets(const QString& chemin, const QByteArray& octets);
