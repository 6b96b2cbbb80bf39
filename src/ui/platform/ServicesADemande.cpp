#include "ui/platform/ServicesADemande.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>

QString CheminModule(const QString& nom) {
    return QCoreApplication::applicationDirPath() + u'/' + nom;
}

void* CreerDepuisModule(const QString& module, const char* fabrique, QString* raison) {
    // Never unloaded: QLibrary's destructor leaves the module in memory.
    QLibrary bibliotheque(module);
    using Fabrique = void* (*)();
    const auto creer = reinterpret_cast<Fabrique>(bibliotheque.resolve(fabrique));
    if (!creer) {
        if (raison)
            *raison = bibliotheque.errorString();
        return nullptr;
    }
    return creer();
}

SonADemande::SonADemande(const QString& module) : m_module(module) {}

SonADemande::~SonADemande() = default;

void SonADemande::DefinirFichier(const QString& chemin) {
    m_chemin = chemin;
    if (m_son)
        m_son->DefinirFichier(chemin);
}

bool SonADemande::Ouvrir(QString* erreur) {
    if (!m_son) {
        QString raison;
        m_son.reset(
            static_cast<ISon*>(CreerDepuisModule(m_module, "PlumeluneCreerLecteurSon", &raison)));
        if (!m_son) {
            if (erreur)
                *erreur = QStringLiteral("Impossible de lire le son « %1 » : le lecteur de sons "
                                         "est introuvable (%2).")
                              .arg(QFileInfo(m_chemin).fileName(), raison);
            return false;
        }
        m_son->DefinirFichier(m_chemin);
    }
    return m_son->Ouvrir(erreur);
}

void SonADemande::Jouer(double vitesse) {
    if (m_son)
        m_son->Jouer(vitesse);
}

void SonADemande::Arreter() {
    if (m_son)
        m_son->Arreter();
}

CaptureADemande::CaptureADemande(const QString& module) : m_module(module) {}

CaptureADemande::~CaptureADemande() = default;

bool CaptureADemande::Charger() {
    if (m_capture)
        return true;
    QString raison;
    m_capture.reset(
        static_cast<ICaptureSon*>(CreerDepuisModule(m_module, "PlumeluneCreerCapture", &raison)));
    if (!m_capture)
        m_raison = QStringLiteral("L'enregistrement est impossible : le module de son est "
                                  "introuvable (%1).")
                       .arg(raison);
    return m_capture != nullptr;
}

void CaptureADemande::Preparer() {
    if (Charger())
        m_capture->Preparer();
}

void CaptureADemande::Demarrer() {
    if (Charger())
        m_capture->Demarrer();
}

void CaptureADemande::Arreter() {
    if (m_capture)
        m_capture->Arreter();
}

EtatCapture CaptureADemande::Etat() const {
    if (m_capture)
        return m_capture->Etat();
    return m_raison.isEmpty() ? EtatCapture::Arretee : EtatCapture::Erreur;
}

QString CaptureADemande::Erreur() const {
    return m_capture ? m_capture->Erreur() : m_raison;
}

float CaptureADemande::Niveau() {
    return m_capture ? m_capture->Niveau() : 0.0f;
}

SonPcm CaptureADemande::Prendre() {
    return m_capture ? m_capture->Prendre() : SonPcm();
}

FichiersSonADemande::FichiersSonADemande(const QString& module) : m_module(module) {}

FichiersSonADemande::~FichiersSonADemande() = default;

bool FichiersSonADemande::Charger(QString* erreur) {
    if (m_fichiers)
        return true;
    QString raison;
    m_fichiers.reset(static_cast<IFichiersSon*>(
        CreerDepuisModule(m_module, "PlumeluneCreerFichiersSon", &raison)));
    if (!m_fichiers && erreur)
        *erreur = QStringLiteral("le module de son est introuvable (%1)").arg(raison);
    return m_fichiers != nullptr;
}

bool FichiersSonADemande::Lire(const QString& chemin, SonPcm& son, QString* erreur) {
    return Charger(erreur) && m_fichiers->Lire(chemin, son, erreur);
}

bool FichiersSonADemande::EcrireWav(const QString& chemin, const SonPcm& son, QString* erreur) {
    return Charger(erreur) && m_fichiers->EcrireWav(chemin, son, erreur);
}

ArchiveADemande::ArchiveADemande(const QString& module) : m_module(module) {}

ArchiveADemande::~ArchiveADemande() = default;

bool ArchiveADemande::Charger(QString* erreur) {
    if (m_archive)
        return true;
    QString raison;
    m_archive.reset(
        static_cast<IArchive*>(CreerDepuisModule(m_module, "PlumeluneCreerArchive", &raison)));
    if (!m_archive && erreur)
        *erreur = QStringLiteral("le module d'archives est introuvable (%1)").arg(raison);
    return m_archive != nullptr;
}

bool ArchiveADemande::Ecrire(const QString& zip, const QString& racine, const QStringList& fichiers,
                             QString* erreur) {
    return Charger(erreur) && m_archive->Ecrire(zip, racine, fichiers, erreur);
}

bool ArchiveADemande::Lister(const QString& zip, QVector<EntreeArchive>& entrees, QString* erreur) {
    return Charger(erreur) && m_archive->Lister(zip, entrees, erreur);
}

bool ArchiveADemande::Extraire(const QString& zip, const QVector<ExtractionArchive>& plan,
                               qint64 octetsMax, QString* erreur) {
    return Charger(erreur) && m_archive->Extraire(zip, plan, octetsMax, erreur);
}

ImprimanteADemande::ImprimanteADemande(const QString& module) : m_module(module) {}

ImprimanteADemande::~ImprimanteADemande() = default;

bool ImprimanteADemande::Configurer(QWidget* proprietaire) {
    if (!m_imprimante) {
        QString raison;
        m_imprimante.reset(static_cast<IImprimante*>(
            CreerDepuisModule(m_module, "PlumeluneCreerImprimante", &raison)));
        if (!m_imprimante) {
            Services::Messages().Erreur(
                QStringLiteral("L'impression est impossible : le module d'impression est "
                               "introuvable (%1).")
                    .arg(raison));
            return false;
        }
    }
    return m_imprimante->Configurer(proprietaire);
}

void ImprimanteADemande::Imprimer(const QString& texte, const QString& entete) {
    if (m_imprimante)
        m_imprimante->Imprimer(texte, entete);
}
