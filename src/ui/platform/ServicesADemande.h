#pragma once
// The sound player and the printer of the program, each loaded from a module of its own at its
// first use (libplumelune_son.so and libplumelune_impression.so beside the executable): Qt's
// multimedia and printing libraries, and the many they load in turn, then stay out of the
// start-up, which only needs the windows.

#include "core/Services.h"

#include <QString>

#include <memory>

// The module's path without its platform prefix and suffix: the executable's folder and `nom`
// ("plumelune_son" is libplumelune_son.so here, plumelune_son.dll on Windows).
QString CheminModule(const QString& nom);

// Loads the module (it stays loaded to the end: the service's code lives there) and calls its
// factory, a C function taking nothing and returning the service. nullptr, and *raison set to
// the system's words, when the module or the factory cannot be found.
void* CreerDepuisModule(const QString& module, const char* fabrique, QString* raison);

class SonADemande : public ISon {
public:
    explicit SonADemande(const QString& module = CheminModule(QStringLiteral("plumelune_son")));
    ~SonADemande() override;

    void DefinirFichier(const QString& chemin) override;
    // The module is loaded here; when it cannot be, the file cannot be opened and the French
    // sentence says why.
    bool Ouvrir(QString* erreur) override;
    void Jouer(double vitesse = 1) override;
    void Arreter() override;

private:
    QString m_module;
    QString m_chemin;
    std::unique_ptr<ISon> m_son;
};

// The microphone, from the sound module loaded at the first recording (not at start-up).
class CaptureADemande : public ICaptureSon {
public:
    explicit CaptureADemande(const QString& module = CheminModule(QStringLiteral("plumelune_son")));
    ~CaptureADemande() override;

    // The module is loaded here (or at Demarrer); when it cannot be, the capture is in error
    // and says why.
    void Preparer() override;
    void Demarrer() override;
    void Arreter() override;
    EtatCapture Etat() const override;
    QString Erreur() const override;
    float Niveau() override;
    SonPcm Prendre() override;

private:
    bool Charger();
    QString m_module;
    QString m_raison;
    std::unique_ptr<ICaptureSon> m_capture;
};

// Reading and writing sound files, from the sound module loaded at their first use.
class FichiersSonADemande : public IFichiersSon {
public:
    explicit FichiersSonADemande(
        const QString& module = CheminModule(QStringLiteral("plumelune_son")));
    ~FichiersSonADemande() override;
    bool Lire(const QString& chemin, SonPcm& son, QString* erreur) override;
    bool EcrireWav(const QString& chemin, const SonPcm& son, QString* erreur) override;

private:
    bool Charger(QString* erreur);
    QString m_module;
    std::unique_ptr<IFichiersSon> m_fichiers;
};

// Zip archives, from libplumelune_archive loaded at the first export or import.
class ArchiveADemande : public IArchive {
public:
    explicit ArchiveADemande(
        const QString& module = CheminModule(QStringLiteral("plumelune_archive")));
    ~ArchiveADemande() override;
    bool Ecrire(const QString& zip, const QString& racine, const QStringList& fichiers,
                QString* erreur) override;
    bool Lister(const QString& zip, QVector<EntreeArchive>& entrees, QString* erreur) override;
    bool Extraire(const QString& zip, const QVector<ExtractionArchive>& plan, qint64 octetsMax,
                  QString* erreur) override;

private:
    bool Charger(QString* erreur);
    QString m_module;
    std::unique_ptr<IArchive> m_archive;
};

class ImprimanteADemande : public IImprimante {
public:
    explicit ImprimanteADemande(
        const QString& module = CheminModule(QStringLiteral("plumelune_impression")));
    ~ImprimanteADemande() override;

    // The module is loaded here; when it cannot be, the general error box says why and the
    // set-up counts as cancelled.
    bool Configurer(QWidget* proprietaire) override;
    void Imprimer(const QString& texte, const QString& entete) override;

private:
    QString m_module;
    std::unique_ptr<IImprimante> m_imprimante;
};
