#include "core/Configuration.h"

#include "core/Chemins.h"
#include "core/Echelle.h"
#include "core/Etat.h"
#include "core/FichierTexte.h"
#include "core/Services.h"
#include "core/Texte.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString messageMedias =
    QStringLiteral("Le répertoire où se trouve le dossier [_medias] est introuvable.\n"
                   "Il est nécessaire de redéfinir son chemin d'accès dans le fichier INI.");
const QString messageBilans =
    QStringLiteral("Le répertoire où se trouve le dossier [_bilans] est introuvable.\n"
                   "Il est nécessaire de redéfinir son chemin d'accès dans le fichier INI.");

bool Vaut(const QString& valeur, const char* mot) {
    return MajusculesAZ(valeur) == QLatin1String(mot);
}

// A folder of the ini, absolute: a relative one is the program folder's (where the program
// starts), never the process's working folder, which the program does not use.
QString DossierDeLIni(const QString& valeur) {
    return ResoudreChemin(QDir::cleanPath(
        QDir(Etat.DossierProgramme).absoluteFilePath(NormaliserSeparateurs(valeur))));
}

void AppliquerRepertoire(QString valeur) {
    if (valeur.isEmpty())
        valeur = Etat.DossierProgramme + QStringLiteral("_Medias");
    const QString dossier = DossierDeLIni(valeur);
    if (!QFileInfo(dossier).isDir()) {
        Services::Messages().Message(messageMedias);
        return;
    }
    Etat.CheminMedias = AvecSeparateur(dossier);
}

void AppliquerBilan(QString valeur) {
    if (valeur.isEmpty())
        valeur = Etat.DossierProgramme + QStringLiteral("_Bilans");
    const QString dossier = DossierDeLIni(valeur);
    if (!QFileInfo(dossier).isDir()) {
        Services::Messages().Message(messageBilans);
        return;
    }
    Etat.CheminBilans = AvecSeparateur(dossier);
}

void AppliquerReponsesNecessaires(const QString& valeur) {
    int n = 0;
    if (LireEntier(valeur, n)) {
        Etat.ReponsesNecessaires = n;
        return;
    }
    Services::Messages().Message(
        QStringLiteral("La valeur « %1 » de REPONSES NECESSAIRES dans le fichier INI n'est pas "
                       "un nombre entier.\nLa valeur précédente (%2) est conservée.")
            .arg(valeur)
            .arg(Etat.ReponsesNecessaires.value_or(ReponsesSansLimite)));
}

// The windows were drawn at the factor read when the program started: a value changed since
// takes effect at the next start. A value that is no scale is said, once per reading.
void AppliquerEchelle(const QString& valeur) {
    ReglageEchelle reglage;
    if (LireReglageEchelle(valeur, reglage)) {
        Etat.Echelle = reglage;
        return;
    }
    Services::Messages().Message(MessageEchelleInvalide(valeur));
}

// The pupil's letters and colours: a value that is none of them is said, the previous kept.
void AppliquerPolice(const QString& valeur) {
    if (!LirePoliceLecture(valeur, Etat.LectureIni.Police))
        Services::Messages().Message(MessagePoliceInvalide(valeur));
}

void AppliquerContraste(const QString& valeur) {
    if (!LireContrasteLecture(valeur, Etat.LectureIni.Contraste))
        Services::Messages().Message(MessageContrasteInvalide(valeur));
}

void AppliquerLigne(const QString& ligne) {
    const qsizetype egal = ligne.indexOf(u'=');
    if (egal < 0)
        return;
    const QString cle = MajusculesAZ(Rogner(ligne.left(egal)));
    const QString valeur = Rogner(ligne.mid(egal + 1));

    if (cle == u"REPERTOIRE")
        AppliquerRepertoire(valeur);
    if (cle == u"MOT DE PASSE")
        Etat.MotDePasseEnseignant = valeur;
    if (cle == u"ACTIF" && Vaut(valeur, "NON"))
        Etat.MotDePasseActif = false;
    if (cle == u"BRUITAGE")
        Etat.Bruitage = !Vaut(valeur, "NON");
    if (cle == u"IMPRESSION")
        Etat.ImpressionAutorisee = !Vaut(valeur, "NON");
    if (cle == u"AJOUT NOUVEL ELEVE")
        Etat.AjoutNouvelEleve = !Vaut(valeur, "NON");
    if (cle == u"ENREGISTREMENT SON")
        Etat.EnregistrementSon = Vaut(valeur, "OUI");
    if (cle == u"INDICES")
        Etat.Indices = !Vaut(valeur, "NON");
    if (cle == u"ECOUTE LENTE")
        Etat.EcouteLente = !Vaut(valeur, "NON");
    if (cle == u"REPONSES NECESSAIRES")
        AppliquerReponsesNecessaires(valeur);
    if (cle == u"CHEMINLOGSON")
        Etat.CheminLogSon = valeur;
    if (cle == u"BILAN")
        AppliquerBilan(valeur);
    if (cle == u"ECHELLE")
        AppliquerEchelle(valeur);
    if (cle == u"POLICE")
        AppliquerPolice(valeur);
    if (cle == u"CONTRASTE")
        AppliquerContraste(valeur);
}

} // namespace

ResultatConfiguration ChargerConfiguration() {
    Etat.CheminMedias = Etat.DossierProgramme;
    Etat.Bruitage = true;

    const QString ini = Etat.DossierProgramme + QStringLiteral("plumelune.ini");
    if (!FichierExiste(ini)) {
        Services::Messages().Message(QStringLiteral("Fichier INI non trouvé."));
        return ResultatConfiguration::IniAbsent;
    }
    QByteArray contenu;
    QString raison;
    if (!LireFichier(ini, contenu, &raison)) {
        // The file is there but locked or unreadable: say so and go on with what is known.
        Services::Messages().Erreur(
            QStringLiteral("Impossible de lire le fichier de configuration « %1 » : %2")
                .arg(QDir::toNativeSeparators(ResoudreChemin(ini)), raison));
    }
    AppliquerConfiguration(contenu);
    return ResultatConfiguration::Lue;
}

void AppliquerConfiguration(const QByteArray& contenu) {
    for (const QString& ligne : DecouperLignes(DecoderTexte(contenu)))
        AppliquerLigne(ligne);
    if (Etat.ReponsesNecessaires && *Etat.ReponsesNecessaires < 1)
        Etat.ReponsesNecessaires.reset(); // 0 or less: no limit
}
