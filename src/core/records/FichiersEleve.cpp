#include "core/records/FichiersEleve.h"

#include "core/Chemins.h"
#include "core/Etat.h"
#include "core/FichierTexte.h"
#include "core/Texte.h"

#include <QFile>

bool CreerFichierVide(const QString& chemin) {
    QFile f(ResoudreChemin(chemin));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    f.close();
    return f.error() == QFileDevice::NoError;
}

void AjouterLigne(const QString& chemin, const QString& texte) {
    AjouterAuFichier(chemin, texte + QStringLiteral("\r\n"));
}

void AjouterTexte(const QString& chemin, const QString& texte) {
    if (!texte.isEmpty())
        AjouterAuFichier(chemin, texte);
}

void AjouterLignes(const QString& chemin, const QStringList& lignes) {
    const QString fin = QStringLiteral("\r\n");
    AjouterAuFichier(chemin, lignes.join(fin) + fin);
}

void AjouterLignesSurLigneNeuve(const QString& chemin, const QStringList& lignes) {
    const QString fin = QStringLiteral("\r\n");
    const QString debut = FinitParFinDeLigne(chemin) ? QString() : fin;
    AjouterAuFichier(chemin, debut + lignes.join(fin) + fin);
}

bool EcrireMotDePasse(const QString& chemin, const QString& motDePasse) {
    const QString ligne = SurUneLigne(motDePasse);
    const QByteArray octets =
        EncoderTexte(ligne + QStringLiteral("\r\n"), EncodagePourTexte(ligne));
    QFile f(ResoudreChemin(chemin));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const bool ecrit = f.write(octets) == octets.size();
    f.close();
    return ecrit && f.error() == QFileDevice::NoError;
}

bool MotDePasseAccepte(const QString& tape, const QString& enregistre) {
    return EgauxSelonRegle(tape, enregistre) || EgauxSelonRegle(SurUneLigne(tape), enregistre);
}

QString FichierEleve(const QString& suffixe) {
    return Etat.DossierGroupe + Etat.NomEleve + suffixe;
}

QString LigneRegle() {
    return QString(68, u'-');
}
