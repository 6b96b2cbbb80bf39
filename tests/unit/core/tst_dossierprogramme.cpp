// The portable folder is used as it is; an installed, read-only one is mirrored into the
// user's data folder without ever overwriting what the user has.

#include "Doubles.h"
#include "core/Configuration.h"
#include "core/DossierProgramme.h"
#include "core/Etat.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

class TstDossierProgramme : public QObject {
    Q_OBJECT
private slots:
    void portable() {
        QCOMPARE(ChoisirDossierProgramme("/opt/plumelune", true, "/home/x/.local/share/plumelune"),
                 QStringLiteral("/opt/plumelune/"));
    }

    // Installed by the Windows installer, whose account could write there: the class's data
    // still go to the shared folder.
    void marqueInstallee() {
        EnvironnementTest env;
        const QString installe = env.Programme + "Program Files/Plumelune/";
        const QString partage = env.Programme + "Public/Documents/Plumelune";
        EcrireOctets(installe + MarqueInstallation, "");
        EcrireOctets(installe + "plumelune.ini", "REPERTOIRE = \r\n");
        QCOMPARE(ChoisirDossierProgramme(installe, true, partage), partage + "/");
        QVERIFY(QFileInfo::exists(partage + "/plumelune.ini"));
    }

    void installe_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QByteArray>("attendu"); // "<I>" stands for the installed folder
        QTest::newRow("empty REPERTOIRE points at the installed exercises")
            << QByteArray("REPERTOIRE = \r\nBILAN = \r\nMOT DE PASSE = ma\xEEtre\r\n")
            << QByteArray("REPERTOIRE = <I>_Medias\r\nBILAN = \r\nMOT DE PASSE = ma\xEEtre\r\n");
        QTest::newRow("a chosen REPERTOIRE is kept")
            << QByteArray("repertoire = /srv/exercices\r\n")
            << QByteArray("repertoire = /srv/exercices\r\n");
        QTest::newRow("no REPERTOIRE line")
            << QByteArray("BRUITAGE = NON\r\n")
            << QByteArray("BRUITAGE = NON\r\nREPERTOIRE = <I>_Medias\r\n");
    }
    void installe() {
        QFETCH(QByteArray, ini);
        QFETCH(QByteArray, attendu);
        EnvironnementTest env;
        const QString installe = env.Programme + "usr/lib/plumelune/";
        const QString utilisateur = env.Programme + "home/.local/share/plumelune";
        EcrireOctets(installe + "plumelune.ini", ini);
        EcrireOctets(installe + "juste.wav", "RIFF");
        EcrireOctets(installe + "qvx_pardefaut.jpg", "JPG");
        EcrireOctets(installe + "aide/index.htm", "<html>");
        EcrireOctets(installe + "aide/images/a.png", "PNG");
        QDir().mkpath(installe + "_Bilans/CM1");
        QDir().mkpath(installe + "_Medias/Animaux");

        QCOMPARE(ChoisirDossierProgramme(installe, false, utilisateur), utilisateur + "/");
        attendu.replace("<I>", installe.toUtf8());
        QCOMPARE(LireOctets(utilisateur + "/plumelune.ini"), attendu);
        QCOMPARE(LireOctets(utilisateur + "/juste.wav"), QByteArray("RIFF"));
        QCOMPARE(LireOctets(utilisateur + "/aide/images/a.png"), QByteArray("PNG"));
        QVERIFY(QFileInfo(utilisateur + "/_Bilans/CM1").isDir());
        QVERIFY(!QFileInfo::exists(utilisateur + "/_Medias"));

        // The teacher's changes and the pupils' records survive the next start.
        EcrireOctets(utilisateur + "/plumelune.ini", "BILAN = /srv/bilans\r\n");
        EcrireOctets(utilisateur + "/_Bilans/CM1/Paul.txt", "chat|1\r\n");
        ChoisirDossierProgramme(installe, false, utilisateur);
        QCOMPARE(LireOctets(utilisateur + "/plumelune.ini"), QByteArray("BILAN = /srv/bilans\r\n"));
        QCOMPARE(LireOctets(utilisateur + "/_Bilans/CM1/Paul.txt"), QByteArray("chat|1\r\n"));
    }

    // An installed program without its ini behaves as a portable one: no ini is made up (it
    // would hold no teacher password), and the start says "Fichier INI non trouvé.".
    void installeSansIni() {
        EnvironnementTest env;
        const QString installe = env.Programme + "usr/lib/plumelune/";
        const QString utilisateur = env.Programme + "home/.local/share/plumelune";
        EcrireOctets(installe + "juste.wav", "RIFF");
        QDir().mkpath(installe + "_Medias/Animaux");
        Etat.DossierProgramme = ChoisirDossierProgramme(installe, false, utilisateur);
        QVERIFY(!QFileInfo::exists(utilisateur + "/plumelune.ini"));
        QCOMPARE(LireOctets(utilisateur + "/juste.wav"), QByteArray("RIFF"));
        QCOMPARE(ChargerConfiguration(), ResultatConfiguration::IniAbsent);
        QCOMPARE(env.Messages.Textes(), QStringList{"Fichier INI non trouvé."});
    }
};

QTEST_GUILESS_MAIN(TstDossierProgramme)
#include "tst_dossierprogramme.moc"
