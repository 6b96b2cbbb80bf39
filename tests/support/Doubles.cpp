#include "Doubles.h"

#include "core/Chemins.h"
#include "core/Etat.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QStringList MessagesDouble::Textes() const {
    QStringList r;
    for (const AppelMessage& a : Appels)
        r.append(a.Texte);
    return r;
}

void MessagesDouble::Noter(const char* genre, const QString& t) {
    Appels.append({QString::fromLatin1(genre), t});
    if (Observateur)
        Observateur(Appels.last());
}

bool MessagesDouble::Repondre(const char* genre, const QString& t) {
    Noter(genre, t);
    if (Reponses.isEmpty())
        return ReponseParDefaut;
    return Reponses.takeFirst();
}

QStringList ShellDouble::Cibles() const {
    QStringList r;
    for (const AppelShell& a : Appels)
        r.append(a.Cible);
    return r;
}

int HasardDouble::Tirer(int n) {
    Bornes.append(n);
    const int r = Tirages.isEmpty() ? 0 : Tirages.takeFirst();
    return n <= 0 ? 0 : r % n;
}

bool SonDouble::Ouvrir(QString* erreur) {
    if (Illisibles.contains(QFileInfo(Fichier).fileName())) {
        if (erreur)
            *erreur = QStringLiteral("Impossible de lire le son « %1 » : illisible").arg(Fichier);
        return false;
    }
    return true;
}

EnvironnementTest::EnvironnementTest() {
    Services::InstallerMessages(&Messages);
    Services::InstallerHorloge(&Horloge);
    Services::InstallerHasard(&Hasard);
    Services::InstallerPause(&Pause);
    Services::InstallerSon(&Son);
    Services::InstallerShell(&Shell);
    Services::InstallerImprimante(&Imprimante);
    Services::InstallerChoixFichier(&ChoixFichier);
    Programme = AvecSeparateur(Dossier.path());
    Etat.DossierProgramme = Programme;
    Etat.Reinitialiser();
    QDir::setCurrent(Dossier.path());
}

EnvironnementTest::~EnvironnementTest() {
    QDir::setCurrent(QDir::tempPath());
    Services::InstallerMessages(nullptr);
    Services::InstallerHorloge(nullptr);
    Services::InstallerHasard(nullptr);
    Services::InstallerPause(nullptr);
    Services::InstallerSon(nullptr);
    Services::InstallerShell(nullptr);
    Services::InstallerImprimante(nullptr);
    Services::InstallerChoixFichier(nullptr);
}

QByteArray LireOctets(const QString& chemin) {
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void EcrireOctets(const QString& chemin, const QByteArray& octets) {
    QDir().mkpath(QFileInfo(chemin).absolutePath());
    QFile f(chemin);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(octets);
}
