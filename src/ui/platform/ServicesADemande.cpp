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

void SonADemande::Jouer() {
    if (m_son)
        m_son->Jouer();
}

void SonADemande::Arreter() {
    if (m_son)
        m_son->Arreter();
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
