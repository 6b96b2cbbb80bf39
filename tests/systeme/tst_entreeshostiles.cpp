// Damaged and hostile input, as years of classroom use and hand edits produce it: what the
// user sees (a French message, or silence) and proof that nothing else was lost.

#include "Doubles.h"
#include "core/Configuration.h"
#include "core/Etat.h"
#include "core/FichierTexte.h"
#include "core/exercise/ItemsExercice.h"
#include "core/records/FichiersEleve.h"
#include "core/records/Reussites.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTest>

namespace {

void PreparerPaul(EnvironnementTest& env, const QString& nom, const QByteArray& historique) {
    Etat.CheminBilans = env.Programme + "_Bilans/";
    Etat.DossierGroupe = Etat.CheminBilans + "CM1/";
    Etat.NomEleve = nom;
    QDir().mkpath(Etat.DossierGroupe);
    EcrireOctets(Etat.DossierGroupe + nom + ".txt", historique);
}

} // namespace

class TstEntreesHostiles : public QObject {
    Q_OBJECT
private slots:
    void iniAbime_data() {
        QTest::addColumn<QByteArray>("contenu");
        QTest::addColumn<int>("messages");
        QByteArray binaire;
        QRandomGenerator g(7);
        for (int i = 0; i < 200000; ++i)
            binaire.append(static_cast<char>(g.bounded(256)));
        QTest::newRow("binary garbage") << binaire << -1;
        QTest::newRow("huge line") << "MOT DE PASSE = " + QByteArray(5'000'000, 'x') << 0;
        QTest::newRow("no line end at all") << QByteArray("BRUITAGE = NON") << 0;
        QTest::newRow("NUL bytes inside")
            << QByteArray("BRUITAGE\0 = NON\r\nIMPRESSION = NON\r\n", 33) << 0;
        QTest::newRow("duplicate required successes, last garbage")
            << QByteArray("REPONSES NECESSAIRES = 2\r\nREPONSES NECESSAIRES = 2,5\r\n") << 1;
        QTest::newRow("huge number")
            << QByteArray("REPONSES NECESSAIRES = 99999999999999999999\r\n") << 1;
    }
    void iniAbime() {
        QFETCH(QByteArray, contenu);
        QFETCH(int, messages);
        EnvironnementTest env;
        EcrireOctets(env.Programme + "plumelune.ini", contenu);
        QCOMPARE(ChargerConfiguration(), ResultatConfiguration::Lue);
        QVERIFY(!Etat.ReponsesNecessaires || *Etat.ReponsesNecessaires >= 1); // none: no limit
        QVERIFY(Etat.CheminMedias.endsWith('/'));
        if (messages >= 0)
            QCOMPARE(env.Messages.Appels.size(), messages);
        for (const AppelMessage& m : std::as_const(env.Messages.Appels))
            QVERIFY(m.Genre == u"Message"); // plain French boxes, never the error box
    }

    void historiqueAbime_data() {
        QTest::addColumn<QByteArray>("contenu");
        QTest::addColumn<QByteArray>("apres"); // after one success on "chat" and a save
        QTest::newRow("garbage counts")
            << QByteArray("chat|trois\r\nchien|2-?\r\n") << QByteArray("chat|1\r\nchien|2-?\r\n");
        QTest::newRow("missing bar")
            << QByteArray("chat\r\nchien\r\n") << QByteArray("chat|1\r\nchien|\r\n");
        QTest::newRow("empty lines")
            << QByteArray("\r\n\r\nchat|1\r\n\r\n") << QByteArray("chat|2\r\n");
        QTest::newRow("bars in counts restart the run")
            << QByteArray("chat|1|2\r\n") << QByteArray("chat|1\r\n");
        const QByteArray long1 = QByteArray(1 << 20, 'a');
        QTest::newRow("1 MB line kept whole") << long1 + "|4\r\nchat|1\r\n"
                                              << long1 + "|4\r\nchat|2\r\n";
    }
    void historiqueAbime() {
        QFETCH(QByteArray, contenu);
        QFETCH(QByteArray, apres);
        EnvironnementTest env;
        PreparerPaul(env, "Paul", contenu);
        QVERIFY(ChargerReussites());
        NoterReussite("chat");
        QVERIFY(EnregistrerReussites());
        QCOMPARE(LireOctets(Etat.DossierGroupe + "Paul.txt"), apres);
        QVERIFY(env.Messages.Appels.isEmpty());
    }

    // A disk that fills during the save: the history on disk stays the previous one whole.
    void disquePleinPendantLaSauvegarde() {
        SAUTER_SANS_DISQUE_PLEIN();
        EnvironnementTest env;
        const QByteArray avant = "chat|3\r\nchien|1\r\n";
        PreparerPaul(env, "Paul", avant);
        QVERIFY(ChargerReussites());
        for (int i = 0; i < 5000; ++i)
            NoterReussite(QStringLiteral("mot numero %1").arg(i));
        bool ok = true;
        AvecDisquePlein(8192, [&] { ok = EnregistrerReussites(); });
        QVERIFY(!ok);
        QCOMPARE(LireOctets(Etat.DossierGroupe + "Paul.txt"), avant);
        QVERIFY(EnregistrerReussites()); // room again: the next save goes through
        QVERIFY(LireOctets(Etat.DossierGroupe + "Paul.txt").startsWith(avant));
    }

    // A record that cannot grow loses the line silently; the program goes on.
    void disquePleinPendantUnAjout() {
        SAUTER_SANS_DISQUE_PLEIN();
        EnvironnementTest env;
        const QString f = env.Programme + "Paul_Detail.txt";
        EcrireOctets(f, QByteArray(100, 'x'));
        AvecDisquePlein(100, [&] { AjouterLigne(f, "chat : [4 s - 1 essai]"); });
        QCOMPARE(LireOctets(f), QByteArray(100, 'x'));
        QVERIFY(env.Messages.Appels.isEmpty());
    }

    // Names a desktop allows in file names: every one of them gets its files and its history.
    void nomsDEleves_data() {
        QTest::addColumn<QString>("nom");
        QTest::newRow("accents and blanks") << QString::fromUtf8(" Zoé Müller-Çelik ");
        QTest::newRow("punctuation")
            << QString::fromUtf8("O'Neil (CM1) [2] {x} & # % ! @ + = ~ ` , ;");
        QTest::newRow("outside windows-1252") << QString::fromUtf8("Ζωή 李 😀");
        QTest::newRow("long") << QString(100, u'é');
        QTest::newRow("leading dot") << QStringLiteral(".cache");
    }
    void nomsDEleves() {
        QFETCH(QString, nom);
        EnvironnementTest env;
        PreparerPaul(env, nom, "");
        for (const char* s : {".txt", "_Detail.txt", "_Exos.txt"})
            QVERIFY(CreerFichierVide(Etat.DossierGroupe + nom + s));
        QVERIFY(ChargerReussites());
        NoterReussite(QString::fromUtf8("élève"));
        QVERIFY(EnregistrerReussites());
        QCOMPARE(LireOctets(Etat.DossierGroupe + nom + ".txt"), QByteArray("\xE9l\xE8ve|1\r\n"));
        AjouterLigne(Etat.DossierGroupe + nom + "_Exos.txt", nom);
        QCOMPARE(DecoderTexte(LireOctets(Etat.DossierGroupe + nom + "_Exos.txt")),
                 QString(Cp1252::Decoder(Cp1252::Encoder(nom)) + "\r\n"));
    }

    // Thousands of entries, subfolders, links that loop and links to nowhere: only the files
    // ending in .wav are items.
    void dossierDExerciceEncombre() {
        EnvironnementTest env;
        const QString d = env.Programme + "Gros/";
        QDir().mkpath(d + "sous/dossier.wav");
        for (int i = 0; i < 3000; ++i) {
            QFile f(d + QStringLiteral("item %1.wav").arg(i));
            QVERIFY(f.open(QIODevice::WriteOnly));
            QFile g(d + QStringLiteral("notes %1.txt").arg(i));
            QVERIFY(g.open(QIODevice::WriteOnly));
        }
#ifndef Q_OS_WIN // Qt's links there are shortcuts, plain files of their own
        QVERIFY(QFile::link(d, d + "boucle"));
        QVERIFY(QFile::link(d + "absent.wav", d + "lien mort.wav"));
#endif
        Etat.Exercice.Ouvrir(d, BilansExercice::DuProgramme(d));
        QCOMPARE(Etat.Exercice.NbItemsDossier(), 3000);
        QCOMPARE(Etat.Exercice.NbItems(), 3000);
        QCOMPARE(Etat.Exercice.Items().first().Nom, QStringLiteral("item 0.wav"));
        QCOMPARE(Etat.Exercice.Items().last().Nom,
                 QStringLiteral("item 2999.wav")); // numbers in order
    }
};

QTEST_GUILESS_MAIN(TstEntreesHostiles)
#include "tst_entreeshostiles.moc"
