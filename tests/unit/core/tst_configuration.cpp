// plumelune.ini: every key, its default, its messages and the edge cases teachers hit.

#include "Doubles.h"
#include "core/Configuration.h"
#include "core/Etat.h"
#include "core/FichierTexte.h"

#include <QDir>
#include <QTest>

namespace {

const QString messageMedias =
    QStringLiteral("Le répertoire où se trouve le dossier [_medias] est introuvable.\n"
                   "Il est nécessaire de redéfinir son chemin d'accès dans le fichier INI.");
const QString messageBilans =
    QStringLiteral("Le répertoire où se trouve le dossier [_bilans] est introuvable.\n"
                   "Il est nécessaire de redéfinir son chemin d'accès dans le fichier INI.");

void EcrireIni(const QString& programme, const QStringList& lignes) {
    EcrireOctets(programme + "plumelune.ini", lignes.join("\r\n").toLatin1() + "\r\n");
}

// The value of one configuration variable as text; "<P>" stands for the program folder.
QString Valeur(const QString& champ, const QString& programme) {
    QString v;
    if (champ == "CheminMedias")
        v = Etat.CheminMedias;
    else if (champ == "CheminBilans")
        v = Etat.CheminBilans;
    else if (champ == "MotDePasseEnseignant")
        v = Etat.MotDePasseEnseignant;
    else if (champ == "MotDePasseActif")
        v = Etat.MotDePasseActif ? "oui" : "non";
    else if (champ == "Bruitage")
        v = Etat.Bruitage ? "oui" : "non";
    else if (champ == "ImpressionAutorisee")
        v = Etat.ImpressionAutorisee ? "oui" : "non";
    else if (champ == "AjoutNouvelEleve")
        v = Etat.AjoutNouvelEleve ? "oui" : "non";
    else if (champ == "EnregistrementSon")
        v = Etat.EnregistrementSon ? "oui" : "non";
    else if (champ == "Indices")
        v = Etat.Indices ? "oui" : "non";
    else if (champ == "EcouteLente")
        v = Etat.EcouteLente ? "oui" : "non";
    else if (champ == "ReponsesNecessaires")
        v = Etat.ReponsesNecessaires ? QString::number(*Etat.ReponsesNecessaires) : "sans limite";
    else if (champ == "CheminLogSon")
        v = Etat.CheminLogSon;
    else if (champ == "DossierCourant")
        v = QDir::currentPath() + "/";
    return v.replace(programme, "<P>");
}

} // namespace

class TstConfiguration : public QObject {
    Q_OBJECT
private slots:
    void cles_data() {
        QTest::addColumn<QStringList>("lignes");
        QTest::addColumn<QString>("champ");
        QTest::addColumn<QString>("attendu");
        QTest::addColumn<QStringList>("messages");
        const QStringList aucun;
        QTest::newRow("defaults: medias is the program folder")
            << QStringList{"rien"} << "CheminMedias"
            << "<P>" << aucun;
        QTest::newRow("defaults: no records root") << QStringList{} << "CheminBilans"
                                                   << "" << aucun;
        QTest::newRow("defaults: no limit") << QStringList{} << "ReponsesNecessaires"
                                            << "sans limite" << aucun;
        QTest::newRow("defaults: no recording") << QStringList{} << "EnregistrementSon"
                                                << "non" << aucun;
        QTest::newRow("lower case key without blanks") << QStringList{"bruitage=non"} << "Bruitage"
                                                       << "non" << aucun;
        QTest::newRow("empty flag value turns sound on")
            << QStringList{"BRUITAGE = NON", "BRUITAGE ="} << "Bruitage"
            << "oui" << aucun;
        QTest::newRow("ACTIF OUI does not turn passwords back on")
            << QStringList{"ACTIF = NON", "ACTIF = OUI"} << "MotDePasseActif"
            << "non" << aucun;
        QTest::newRow("IMPRESSION non") << QStringList{"IMPRESSION = non"} << "ImpressionAutorisee"
                                        << "non" << aucun;
        QTest::newRow("IMPRESSION anything else")
            << QStringList{"IMPRESSION = NON", "IMPRESSION = peut-etre"} << "ImpressionAutorisee"
            << "oui" << aucun;
        QTest::newRow("AJOUT NOUVEL ELEVE Non")
            << QStringList{"AJOUT NOUVEL ELEVE = Non"} << "AjoutNouvelEleve"
            << "non" << aucun;
        QTest::newRow("recording only with OUI")
            << QStringList{"ENREGISTREMENT SON = oui"} << "EnregistrementSon"
            << "oui" << aucun;
        QTest::newRow("recording yes is not OUI")
            << QStringList{"ENREGISTREMENT SON = yes"} << "EnregistrementSon"
            << "non" << aucun;
        QTest::newRow("defaults: hints") << QStringList{} << "Indices" << "oui" << aucun;
        QTest::newRow("INDICES non") << QStringList{"indices = non"} << "Indices" << "non" << aucun;
        QTest::newRow("INDICES anything else keeps them")
            << QStringList{"INDICES = NON", "INDICES = peut-etre"} << "Indices" << "oui" << aucun;
        QTest::newRow("defaults: slow listen offered")
            << QStringList{} << "EcouteLente" << "oui" << aucun;
        QTest::newRow("ECOUTE LENTE non hides it")
            << QStringList{"ecoute lente = Non"} << "EcouteLente" << "non" << aucun;
        QTest::newRow("ECOUTE LENTE OUI after NON offers it again")
            << QStringList{"ECOUTE LENTE = NON", "ECOUTE LENTE = OUI"} << "EcouteLente" << "oui"
            << aucun;
        QTest::newRow("inner spacing must be exact")
            << QStringList{"MOT  DE PASSE = x"} << "MotDePasseEnseignant"
            << "" << aucun;
        QTest::newRow("password trimmed, case kept")
            << QStringList{"mot de passe =   Maitre  "} << "MotDePasseEnseignant"
            << "Maitre" << aucun;
        QTest::newRow("value holding an equals sign")
            << QStringList{"MOT DE PASSE = a=b= c"} << "MotDePasseEnseignant"
            << "a=b= c" << aucun;
        QTest::newRow("last occurrence wins")
            << QStringList{"MOT DE PASSE = un", "MOT DE PASSE = deux"} << "MotDePasseEnseignant"
            << "deux" << aucun;
        QTest::newRow("required successes")
            << QStringList{"REPONSES NECESSAIRES = 3"} << "ReponsesNecessaires"
            << "3" << aucun;
        QTest::newRow("required successes 0 means no limit")
            << QStringList{"REPONSES NECESSAIRES = 0"} << "ReponsesNecessaires"
            << "sans limite" << aucun;
        QTest::newRow("required successes -3 means no limit")
            << QStringList{"REPONSES NECESSAIRES = -3"} << "ReponsesNecessaires"
            << "sans limite" << aucun;
        QTest::newRow("required successes 999 is a number")
            << QStringList{"REPONSES NECESSAIRES = 999"} << "ReponsesNecessaires"
            << "999" << aucun;
        QTest::newRow("required successes not a number, no limit before, says 999")
            << QStringList{"REPONSES NECESSAIRES = trois"} << "ReponsesNecessaires"
            << "sans limite"
            << QStringList{
                   "La valeur « trois » de REPONSES NECESSAIRES dans le fichier INI n'est pas "
                   "un nombre entier.\nLa valeur précédente (999) est conservée."};
        QTest::newRow("required successes not a number keeps the previous value")
            << QStringList{"REPONSES NECESSAIRES = 4", "REPONSES NECESSAIRES = trois"}
            << "ReponsesNecessaires"
            << "4"
            << QStringList{
                   "La valeur « trois » de REPONSES NECESSAIRES dans le fichier INI n'est pas "
                   "un nombre entier.\nLa valeur précédente (4) est conservée."};
        QTest::newRow("recorder path as written")
            << QStringList{"CHEMINLOGSON = /usr/bin/audacity"} << "CheminLogSon"
            << "/usr/bin/audacity" << aucun;
        QTest::newRow("empty REPERTOIRE finds _Medias")
            << QStringList{"REPERTOIRE = "} << "CheminMedias"
            << "<P>_Medias/" << aucun;
        // The process's working folder is never changed, and a relative folder is the program
        // folder's, wherever the program was started from.
        QTest::newRow("REPERTOIRE leaves the working folder")
            << QStringList{"REPERTOIRE = "} << "DossierCourant"
            << "<P>_Bilans/CM1/" << aucun;
        QTest::newRow("REPERTOIRE relative to the program folder")
            << QStringList{"REPERTOIRE = _Medias\\Grammaire"} << "CheminMedias"
            << "<P>_Medias/Grammaire/" << aucun;
        QTest::newRow("REPERTOIRE in another case")
            << QStringList{"REPERTOIRE = _MEDIAS"} << "CheminMedias"
            << "<P>_Medias/" << aucun;
        QTest::newRow("REPERTOIRE missing keeps the program folder")
            << QStringList{"REPERTOIRE = nulle_part"} << "CheminMedias"
            << "<P>" << QStringList{messageMedias};
        QTest::newRow("empty BILAN finds _Bilans") << QStringList{"BILAN ="} << "CheminBilans"
                                                   << "<P>_Bilans/" << aucun;
        QTest::newRow("BILAN with a final backslash")
            << QStringList{"BILAN = <P>_Bilans\\"} << "CheminBilans"
            << "<P>_Bilans/" << aucun;
        QTest::newRow("BILAN without a final separator")
            << QStringList{"BILAN = <P>_Bilans"} << "CheminBilans"
            << "<P>_Bilans/" << aucun;
        QTest::newRow("BILAN leaves the working folder")
            << QStringList{"BILAN ="} << "DossierCourant"
            << "<P>_Bilans/CM1/" << aucun;
        QTest::newRow("BILAN relative to the program folder")
            << QStringList{"BILAN = _Bilans\\CM1"} << "CheminBilans"
            << "<P>_Bilans/CM1/" << aucun;
        QTest::newRow("later missing BILAN keeps the earlier one")
            << QStringList{"BILAN = <P>_Bilans", "BILAN = <P>absent"} << "CheminBilans"
            << "<P>_Bilans/" << QStringList{messageBilans};
        QTest::newRow("last existing BILAN wins")
            << QStringList{"BILAN = <P>absent", "BILAN = <P>_Medias"} << "CheminBilans"
            << "<P>_Medias/" << QStringList{messageBilans};
        QTest::newRow("line without equals sign ignored")
            << QStringList{"BRUITAGE NON"} << "Bruitage"
            << "oui" << aucun;
    }
    void cles() {
        QFETCH(QStringList, lignes);
        QFETCH(QString, champ);
        QFETCH(QString, attendu);
        QFETCH(QStringList, messages);
        EnvironnementTest env;
        QDir(env.Programme).mkpath("_Medias/Grammaire");
        QDir(env.Programme).mkpath("_Bilans/CM1");
        for (QString& l : lignes)
            l.replace("<P>", env.Programme);
        EcrireIni(env.Programme, lignes);
        QDir::setCurrent(env.Programme + "_Bilans/CM1");
        QCOMPARE(ChargerConfiguration(), ResultatConfiguration::Lue);
        QCOMPARE_CHEMIN(Valeur(champ, env.Programme), attendu);
        QCOMPARE(env.Messages.Textes(), messages);
    }

    void iniAbsent() {
        EnvironnementTest env;
        QCOMPARE(ChargerConfiguration(), ResultatConfiguration::IniAbsent);
        QCOMPARE(env.Messages.Textes(), QStringList{"Fichier INI non trouvé."});
    }

    void iniDansUneAutreCasseEtEnUtf8() {
        EnvironnementTest env;
        EcrireOctets(env.Programme + "Plumelune.INI", "\xEF\xBB\xBFMOT DE PASSE = ma\xC3\xAEtre\n");
        QCOMPARE(ChargerConfiguration(), ResultatConfiguration::Lue);
        QCOMPARE(Etat.MotDePasseEnseignant, QStringLiteral("maître"));
    }

    // An ini saved as "Unicode" by Windows Notepad: every key is read, the teacher's password
    // and the pupils' settings included.
    void iniEnUtf16_data() {
        QTest::addColumn<bool>("petitBoutDabord");
        QTest::newRow("Unicode (little endian)") << true;
        QTest::newRow("Unicode big endian") << false;
    }
    void iniEnUtf16() {
        QFETCH(bool, petitBoutDabord);
        EnvironnementTest env;
        QDir(env.Programme).mkpath("_Bilans");
        const QString texte = QString::fromUtf8("MOT DE PASSE = maître\r\nACTIF = NON\r\n"
                                                "REPONSES NECESSAIRES = 3\r\nBILAN =\r\n");
        const Encodage e = petitBoutDabord ? Encodage::Utf16LE : Encodage::Utf16BE;
        EcrireOctets(env.Programme + "plumelune.ini",
                     QByteArray(petitBoutDabord ? "\xFF\xFE" : "\xFE\xFF") +
                         EncoderTexte(texte, e));
        QCOMPARE(ChargerConfiguration(), ResultatConfiguration::Lue);
        QCOMPARE(Etat.MotDePasseEnseignant, QStringLiteral("maître"));
        QVERIFY(!Etat.MotDePasseActif);
        QCOMPARE(Etat.ReponsesNecessaires, 3);
        QCOMPARE(Etat.CheminBilans, env.Programme + "_Bilans/");
        QVERIFY(env.Messages.Appels.isEmpty());
    }

    // A reload after the teacher's edit: keys now absent keep their values, except the media
    // root and the sound effects, which every reading starts again from.
    void rechargement() {
        EnvironnementTest env;
        QDir(env.Programme).mkpath("_Medias");
        EcrireIni(env.Programme, {"REPERTOIRE =", "BRUITAGE = NON", "MOT DE PASSE = m",
                                  "REPONSES NECESSAIRES = 2"});
        ChargerConfiguration();
        EcrireIni(env.Programme, {"IMPRESSION = NON"});
        ChargerConfiguration();
        QCOMPARE(Etat.CheminMedias, env.Programme);
        QVERIFY(Etat.Bruitage);
        QCOMPARE(Etat.MotDePasseEnseignant, QStringLiteral("m"));
        QCOMPARE(Etat.ReponsesNecessaires, 2);
        QVERIFY(!Etat.ImpressionAutorisee);
    }

    void exempleComplet() {
        EnvironnementTest env;
        QDir(env.Programme).mkpath("_Medias");
        QDir(env.Programme).mkpath("_Bilans");
        EcrireOctets(env.Programme + "plumelune.ini",
                     LireOctets(PLUMELUNE_EXEMPLES "/plumelune.ini"));
        QCOMPARE(ChargerConfiguration(), ResultatConfiguration::Lue);
        QCOMPARE(Etat.CheminMedias, env.Programme + "_Medias/");
        QCOMPARE(Etat.CheminBilans, env.Programme + "_Bilans/");
        QCOMPARE(Etat.MotDePasseEnseignant, QStringLiteral("maitre"));
        QVERIFY(Etat.MotDePasseActif && Etat.Bruitage && Etat.ImpressionAutorisee &&
                Etat.AjoutNouvelEleve);
        QVERIFY(!Etat.EnregistrementSon);
        QCOMPARE(Etat.ReponsesNecessaires, 3);
        QVERIFY(env.Messages.Appels.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TstConfiguration)
#include "tst_configuration.moc"
