// The comparison rule, whole numbers and paths.

#include "Doubles.h"
#include "core/Chemins.h"
#include "core/Texte.h"

#include <QDir>
#include <QTest>

class TstTexte : public QObject {
    Q_OBJECT
private slots:
    void regle_data() {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<bool>("egaux");
        QTest::newRow("A-Z plies") << "L'EAU"
                                   << "l'eau" << true;
        QTest::newRow("accented capital keeps its case") << "École"
                                                         << "école" << false;
        QTest::newRow("blanks around ignored") << "  chat \t"
                                               << "chat" << true;
        QTest::newRow("control characters around ignored") << "\x01\x1f"
                                                              "chat\r\n"
                                                           << "chat" << true;
        QTest::newRow("inner blanks count") << "le  chat"
                                            << "le chat" << false;
        // A word processor's no-break spaces are the pupil's plain ones; its invisible
        // characters are nothing.
        QTest::newRow("no-break space is a space")
            << QString::fromUtf8("Où vas-tu\u00a0?\u00a0") << "où vas-tu ?" << true;
        QTest::newRow("narrow no-break space is a space")
            << QString::fromUtf8("vas-tu\u202f?") << "vas-tu ?" << true;
        QTest::newRow("soft hyphen and zero-width space are nothing")
            << QString::fromUtf8("para\u00adplu\u200bie") << "parapluie" << true;
        QTest::newRow("empty equals blanks") << ""
                                             << "   " << true;
        // Names copied from a Mac spell an accent as a letter and a combining mark.
        QTest::newRow("decomposed accent equals composed")
            << QString::fromUtf8("e\u0301le\u0300ve") << QString::fromUtf8("élève") << true;
        QTest::newRow("decomposed capital keeps its case")
            << QString::fromUtf8("E\u0301cole") << QString::fromUtf8("école") << false;
        QTest::newRow("decomposed capital equals composed capital")
            << QString::fromUtf8("E\u0301COLE") << QString::fromUtf8("École") << true;
    }
    void regle() {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(bool, egaux);
        QCOMPARE(EgauxSelonRegle(a, b), egaux);
    }

    void majuscules() {
        QCOMPARE(MajusculesAZ(QStringLiteral("bruitage=non é")), QStringLiteral("BRUITAGE=NON é"));
        QCOMPARE(MinusculesAZ(QStringLiteral("ÉCOLE Ecole")), QStringLiteral("École ecole"));
    }

    void entier_data() {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("valeur");
        QTest::newRow("plain") << "3" << true << 3;
        QTest::newRow("blanks") << " 12 " << true << 12;
        QTest::newRow("negative") << "-3" << true << -3;
        QTest::newRow("empty") << "" << false << 0;
        QTest::newRow("letters") << "trois" << false << 0;
        QTest::newRow("decimal") << "2.5" << false << 0;
        QTest::newRow("digits then letters") << "3a" << false << 0;
        QTest::newRow("overflow") << "99999999999" << false << 0;
        QTest::newRow("lone sign") << "-" << false << 0;
    }
    void entier() {
        QFETCH(QString, texte);
        QFETCH(bool, ok);
        QFETCH(int, valeur);
        int v = 0;
        QCOMPARE(LireEntier(texte, v), ok);
        if (ok)
            QCOMPARE(v, valeur);
    }

    // On screen, no punctuation mark may start a line; times, addresses and codes keep their
    // colons, and a text without spaces is left alone.
    void typographie_data() {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<QString>("ecran");
        const QString fine = QString(QChar(0x202F));
        const QString insecable = QString(QChar(0x00A0));
        QTest::newRow("exclamation and question")
            << QString::fromUtf8("Bravo Paul ! Veux-tu en sélectionner un autre ?")
            << QString::fromUtf8("Bravo Paul") + fine + "! Veux-tu en sélectionner un autre" +
                   fine + "?";
        QTest::newRow("colon and semicolon")
            << "Temps exercice : 4 s ; bien"
            << "Temps exercice" + insecable + ": 4 s" + fine + "; bien";
        QTest::newRow("inside guillemets")
            << QString::fromUtf8("le dossier « Animaux » est introuvable")
            << QString::fromUtf8("le dossier «") + insecable + "Animaux" + insecable +
                   QString::fromUtf8("» est introuvable");
        QTest::newRow("time and address untouched")
            << QString::fromUtf8("à 10:56:37, voir http://exemple")
            << QString::fromUtf8("à 10:56:37, voir http://exemple");
        QTest::newRow("no space, no change") << "Oui!" << "Oui!";
        QTest::newRow("already non-breaking") << "Oui" + insecable + "!" << "Oui" + fine + "!";
        QTest::newRow("line start keeps its text") << "? seul" << "? seul";
    }
    void typographie() {
        QFETCH(QString, texte);
        QFETCH(QString, ecran);
        QCOMPARE(TypographieEcran(texte), ecran);
    }

    void separateurs_data() {
        QTest::addColumn<QString>("entree");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("backslash without end") << "C:\\bilans"
                                               << "C:/bilans/";
        QTest::newRow("with end") << "/srv/bilans/"
                                  << "/srv/bilans/";
        QTest::newRow("backslash end") << "/srv/bilans\\"
                                       << "/srv/bilans/";
        QTest::newRow("doubled end") << "/srv/bilans//"
                                     << "/srv/bilans/";
    }
    void separateurs() {
        QFETCH(QString, entree);
        QFETCH(QString, attendu);
        QCOMPARE(AvecSeparateur(entree), attendu);
    }

    void dernierComposant() {
        QCOMPARE(DernierComposant(QStringLiteral("/m/Grammaire/Les articles")),
                 QStringLiteral("Les articles"));
        QCOMPARE(DernierComposant(QStringLiteral("C:\\m\\Animaux")), QStringLiteral("Animaux"));
        QCOMPARE(DernierComposant(QStringLiteral("Animaux")), QStringLiteral("Animaux"));
        QCOMPARE(DernierComposant(QString()), QString());
    }

    // Named files are found whatever the case of any component of their path.
    void resolution() {
        EnvironnementTest env;
        const QString p = env.Programme;
        EcrireOctets(p + "_Bilans/CM1/Paul.TXT", "x");
        EcrireOctets(p + "PlumeLune.INI", "y");
        QCOMPARE_CHEMIN(ResoudreChemin(p + "_bilans/cm1/paul.txt"), p + "_Bilans/CM1/Paul.TXT");
        QCOMPARE_CHEMIN(ResoudreChemin(p + "plumelune.ini"), p + "PlumeLune.INI");
        QVERIFY(FichierExiste(p + "_BILANS\\cm1\\PAUL.txt"));
        QVERIFY(DossierExiste(p + "_bilans/cm1/"));
        QVERIFY(!FichierExiste(p + "_bilans/cm1")); // a folder is not a file
        QVERIFY(!FichierExiste(p + "_bilans/cm2/paul.txt"));
        QCOMPARE(ResoudreChemin(p + "absent/x.txt"), p + "absent/x.txt");
        // Relative names resolve against the working folder.
        QDir::setCurrent(p + "_Bilans");
        QCOMPARE_CHEMIN(ResoudreChemin(QStringLiteral("cm1/paul.txt")),
                        QStringLiteral("CM1/Paul.TXT"));
#ifndef Q_OS_WIN
        // A share written \\serveur\classe keeps its two separators. Linux reads "//tmp" as
        // "/tmp", which lets a test reach a real file that way.
        QVERIFY(p.startsWith(u'/'));
        QCOMPARE(ResoudreChemin("/" + p + "_bilans/cm1/paul.txt"),
                 "/" + p + "_Bilans/CM1/Paul.TXT");
#endif
    }

    // A group folder copied from a Mac: the name typed here (composed) finds the file whose
    // name spells its accent in two characters, whatever its case.
    void resolutionAccentsDecomposes() {
        EnvironnementTest env;
        const QString p = env.Programme;
        const QString mac = QString::fromUtf8("Zoe\u0301.txt");
        EcrireOctets(p + "_Bilans/E\u0301le\u0300ves/" + mac, "x");
        QCOMPARE(ResoudreChemin(p + QString::fromUtf8("_Bilans/élèves/ZOÉ.txt")),
                 p + QString::fromUtf8("_Bilans/E\u0301le\u0300ves/") + mac);
        QVERIFY(MemeNomDeFichier(mac, QString::fromUtf8("zoé.TXT")));
        QVERIFY(!MemeNomDeFichier(mac, QString::fromUtf8("zoe.txt")));
    }
};

QTEST_GUILESS_MAIN(TstTexte)
#include "tst_texte.moc"
