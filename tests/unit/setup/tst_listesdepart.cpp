// What the start form offers: groups, pupils, exercise folders, and the names a new pupil may
// take. Every listing is built on a real temporary folder.

#include "Doubles.h"
#include "core/setup/ListesDepart.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Creates every path below `racine`: a final "/" makes a folder, anything else an empty file.
void Creer(const QString& racine, const QStringList& chemins) {
    for (const QString& c : chemins) {
        if (c.endsWith(u'/'))
            QVERIFY(QDir(racine).mkpath(c));
        else
            EcrireOctets(racine + c, QByteArray());
    }
}

} // namespace

class TstListesDepart : public QObject {
    Q_OBJECT
private slots:
    void ordrePourLesGens_data() {
        QTest::addColumn<QStringList>("noms");
        QTest::addColumn<QStringList>("attendu");
        QTest::newRow("numbers in numeric order")
            << QStringList{"Groupe 10", "Groupe 2", "Groupe 1"}
            << QStringList{"Groupe 1", "Groupe 2", "Groupe 10"};
        QTest::newRow("accents sort with their letter")
            << QStringList{"Fanny", "Élodie", "Eddy", "Zoé"}
            << QStringList{"Eddy", "Élodie", "Fanny", "Zoé"};
        QTest::newRow("case does not put capitals first")
            << QStringList{"bob", "Alice", "Chloé", "aline"}
            << QStringList{"Alice", "aline", "bob", "Chloé"};
        QTest::newRow("leading zeros, numbers past 99")
            << QStringList{"mot100", "mot010", "mot002", "mot1"}
            << QStringList{"mot1", "mot002", "mot010", "mot100"};
        QTest::newRow("a number before the letters") << QStringList{"Deux", "Accents", "0 Essai"}
                                                     << QStringList{"0 Essai", "Accents", "Deux"};
        QTest::newRow("CE2 before CE10 and CM1")
            << QStringList{"CM1", "CE10", "CE2"} << QStringList{"CE2", "CE10", "CM1"};
    }
    void ordrePourLesGens() {
        QFETCH(QStringList, noms);
        QFETCH(QStringList, attendu);
        TrierPourLesGens(noms);
        QCOMPARE(noms, attendu);
    }

    void groupes_data() {
        QTest::addColumn<QStringList>("contenu");
        QTest::addColumn<QStringList>("attendu");
        QTest::newRow("folders sorted")
            << QStringList{"CM1/", "CE2/", "CE1/"} << QStringList{"CE1", "CE2", "CM1"};
        QTest::newRow("dotted folder not a group")
            << QStringList{"CM1/", "CM1.ancien/"} << QStringList{"CM1"};
        QTest::newRow("plain file without extension offered")
            << QStringList{"CM1/", "Notes", "lisez-moi.txt"} << QStringList{"CM1", "Notes"};
        QTest::newRow("hidden entries have a dot")
            << QStringList{".cache/", "CP/"} << QStringList{"CP"};
        QTest::newRow("empty root") << QStringList{} << QStringList{};
    }
    void groupes() {
        QFETCH(QStringList, contenu);
        QFETCH(QStringList, attendu);
        QTemporaryDir d;
        const QString racine = d.path() + "/";
        Creer(racine, contenu);
        QCOMPARE(ListerGroupes(racine), attendu);
    }

    void groupesRacineAbsente() {
        QTemporaryDir d;
        QCOMPARE(ListerGroupes(d.path() + "/absent/"), QStringList{});
    }

    void eleves_data() {
        QTest::addColumn<QStringList>("contenu");
        QTest::addColumn<bool>("nouveau");
        QTest::addColumn<QStringList>("attendu");
        QTest::newRow("pupil with his companions")
            << QStringList{"Paul.txt", "Paul_Detail.txt", "Paul_Exos.txt", "Paul_Pwd.txt"} << true
            << QStringList{"Paul"};
        QTest::newRow("Paul.TXT listed as Paul")
            << QStringList{"Paul.TXT"} << true << QStringList{"Paul"};
        QTest::newRow("Jean_Luc.txt not listed")
            << QStringList{"Jean_Luc.txt", "Léa.txt"} << true << QStringList{"Léa"};
        QTest::newRow("only companions offer Nouveau and nobody")
            << QStringList{"Paul_Detail.txt", "Paul_Exos.txt"} << true << QStringList{};
        QTest::newRow("no txt entry, no Nouveau")
            << QStringList{"notes.doc", "Paul"} << false << QStringList{};
        QTest::newRow("empty group") << QStringList{} << false << QStringList{};
        QTest::newRow("every .txt removed")
            << QStringList{"Marc.txt.TXT"} << true << QStringList{"Marc"};
        QTest::newRow("leading blank kept")
            << QStringList{" Zoé.txt", "Anna.txt"} << true << QStringList{" Zoé", "Anna"};
        QTest::newRow("a bare .txt gives no empty pupil")
            << QStringList{".txt"} << true << QStringList{};
        QTest::newRow("sorted for people")
            << QStringList{"élodie.txt", "Bruno.txt", "Eddy.txt", "anna.txt"} << true
            << QStringList{"anna", "Bruno", "Eddy", "élodie"};
    }
    void eleves() {
        QFETCH(QStringList, contenu);
        QFETCH(bool, nouveau);
        QFETCH(QStringList, attendu);
        QTemporaryDir d;
        const QString groupe = d.path() + "/CM1/";
        QVERIFY(QDir().mkpath(groupe));
        Creer(groupe, contenu);
        const ListeEleves liste = ListerEleves(groupe);
        QCOMPARE(liste.Nouveau, nouveau);
        QCOMPARE(liste.Eleves, attendu);
    }

    void elevesDossierAbsent() {
        QTemporaryDir d;
        const ListeEleves liste = ListerEleves(d.path() + "/absent/");
        QVERIFY(!liste.Nouveau);
        QVERIFY(liste.Eleves.isEmpty());
    }

    void dossiers_data() {
        QTest::addColumn<QStringList>("contenu");
        QTest::addColumn<QStringList>("attendu");
        QTest::newRow("exercise folders unmarked")
            << QStringList{"Animaux/chat.wav", "Nombres/un.wav"}
            << QStringList{"Animaux", "Nombres"};
        QTest::newRow("folder with subfolder marked")
            << QStringList{"Grammaire/Articles/le.wav", "Animaux/chat.wav"}
            << QStringList{"Animaux", "[+] Grammaire"};
        QTest::newRow("subfolders and recordings: marked")
            << QStringList{"Mixte/a.wav", "Mixte/Sous/"} << QStringList{"[+] Mixte"};
        QTest::newRow("only a dotted subfolder: unmarked")
            << QStringList{"Nombres/un.wav", "Nombres/v1.0/"} << QStringList{"Nombres"};
        QTest::newRow("dotted folder not shown")
            << QStringList{"Vieux.exos/a.wav", "Animaux/"} << QStringList{"Animaux"};
        QTest::newRow("files are not folders")
            << QStringList{"Lisez", "notes.txt", "A/"} << QStringList{"A"};
        QTest::newRow("numeric order") << QStringList{"Leçon 10/", "Leçon 2/", "Leçon 1/"}
                                       << QStringList{"Leçon 1", "Leçon 2", "Leçon 10"};
    }
    void dossiers() {
        QFETCH(QStringList, contenu);
        QFETCH(QStringList, attendu);
        QTemporaryDir d;
        const QString racine = d.path() + "/";
        Creer(racine, contenu);
        QCOMPARE(ListerDossiers(racine), attendu);
        QCOMPARE(ListerDossiers(d.path()), attendu); // with or without the final separator
    }

    void son_data() {
        QTest::addColumn<QStringList>("contenu");
        QTest::addColumn<bool>("attendu");
        QTest::newRow("son.WAV") << QStringList{"son.WAV"} << true;
        QTest::newRow("son.wav") << QStringList{"son.wav"} << true;
        QTest::newRow("mixed case Wav") << QStringList{"Chat.Wav"} << true;
        QTest::newRow("only mp3") << QStringList{"son.mp3", "b.MP3"} << false;
        QTest::newRow("extension from the last dot") << QStringList{"son.wav.bak"} << false;
        QTest::newRow("wav without dot") << QStringList{"wav", "sonwav"} << false;
        QTest::newRow("empty folder") << QStringList{} << false;
        QTest::newRow("recording among others") << QStringList{"a.txt", "b.JPG", "c.wav"} << true;
    }
    void son() {
        QFETCH(QStringList, contenu);
        QFETCH(bool, attendu);
        QTemporaryDir d;
        Creer(d.path() + "/", contenu);
        QCOMPARE(ContientSon(d.path()), attendu);
    }

    void sansMarque_data() {
        QTest::addColumn<QString>("entree");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("marked") << "[+] Grammaire"
                                << "Grammaire";
        QTest::newRow("unmarked") << "Animaux"
                                  << "Animaux";
        QTest::newRow("every occurrence") << "[+] A[+] B"
                                          << "AB";
        QTest::newRow("mark without its blank kept") << "[+]Grammaire"
                                                     << "[+]Grammaire";
    }
    void sansMarque() {
        QFETCH(QString, entree);
        QFETCH(QString, attendu);
        QCOMPARE(SansMarque(entree), attendu);
    }

    void prenom_data() {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<QString>("refus");
        const QString caracteres = QStringLiteral(
            "Un prénom ne peut pas contenir les caractères / \\ : * ? \" < > | ni de caractère de "
            "contrôle.");
        const QString impossible = QStringLiteral("Ce prénom n'est pas possible.");
        QTest::newRow("plain name") << "Paul"
                                    << "";
        QTest::newRow("accented name") << "Zoé"
                                       << "";
        QTest::newRow("leading blank kept") << " Paul"
                                            << "";
        // The list's own entries, whatever their case: a pupil "Nouveau" could never be chosen.
        const QString existant =
            QStringLiteral("Prénom déjà existant dans la liste. Choisir un autre prénom");
        QTest::newRow("Visiteur") << "Visiteur" << existant;
        QTest::newRow("visiteur in lower case") << "visiteur" << existant;
        QTest::newRow("Nouveau") << "Nouveau" << existant;
        QTest::newRow("NOUVEAU in capitals") << "NOUVEAU" << existant;
        QTest::newRow("Nouvelle is a name") << "Nouvelle"
                                            << "";
        QTest::newRow("compound with hyphen") << "Jean-Luc"
                                              << "";
        QTest::newRow("slash") << "Jean/Luc" << caracteres;
        QTest::newRow("backslash") << "Jean\\Luc" << caracteres;
        QTest::newRow("colon") << "a:b" << caracteres;
        QTest::newRow("star") << "a*" << caracteres;
        QTest::newRow("question mark") << "Léa?" << caracteres;
        QTest::newRow("double quote") << "\"Léa\"" << caracteres;
        QTest::newRow("less than") << "<Léa" << caracteres;
        QTest::newRow("greater than") << "Léa>" << caracteres;
        QTest::newRow("bar") << "a|b" << caracteres;
        QTest::newRow("tab") << "a\tb" << caracteres;
        QTest::newRow("control code 1") << QString("a") + QChar(1) << caracteres;
        QTest::newRow("delete") << QString("a") + QChar(127) << caracteres;
        QTest::newRow("C1 next line") << QString("Paul") + QChar(0x85) << caracteres;
        QTest::newRow("C1 first") << QChar(0x80) + QString("Paul") << caracteres;
        QTest::newRow("C1 last") << QString("Pa") + QChar(0x9F) + "ul" << caracteres;
        QTest::newRow("no-break space is a character") << QString("Paul") + QChar(0xA0) << "";
        // Text-direction controls turn "Paul" into what looks like another name, or hide it.
        QTest::newRow("right-to-left override U+202E")
            << QString("Pa") + QChar(0x202E) + "lu" << caracteres;
        QTest::newRow("left-to-right embedding U+202A")
            << QChar(0x202A) + QString("Paul") << caracteres;
        QTest::newRow("left-to-right isolate U+2066")
            << QChar(0x2066) + QString("Paul") << caracteres;
        QTest::newRow("pop directional isolate U+2069")
            << QString("Paul") + QChar(0x2069) << caracteres;
        QTest::newRow("right-to-left mark U+200F") << QString("Paul") + QChar(0x200F) << caracteres;
        QTest::newRow("dot") << "." << impossible;
        QTest::newRow("dot dot") << ".." << impossible;
        QTest::newRow("underscore")
            << "Jean_Luc" << QStringLiteral("Un prénom ne peut pas contenir le caractère « _ ».");
        QTest::newRow("txt inside") << "Léa.txt" << impossible;
        QTest::newRow("TXT inside") << "Léa.TXT" << impossible;
        QTest::newRow("only blanks") << "   " << QStringLiteral("Saisis ton prénom.");
        QTest::newRow("too long") << QString(245, u'a')
                                  << QStringLiteral("Ce prénom est trop long.");
        QTest::newRow("longest possible") << QString(244, u'a') << "";
    }
    void prenom() {
        QFETCH(QString, nom);
        QFETCH(QString, refus);
        QCOMPARE(RefusPrenom(nom), refus);
    }

    // A share mounted without UTF-8 file names shows names the program cannot read: told,
    // once per folder, naming the folder and the mount option that fixes it.
    void nomsNonUtf8() {
#ifdef Q_OS_WIN
        QSKIP("Windows keeps names in UTF-16: none is ever undecodable");
#endif
        EnvironnementTest env;
        const QString propre = env.Programme + "CM1/";
        const QString abime = env.Programme + "CM2/";
        Creer(env.Programme, {"CM1/Zoé.txt", "CM1/Léa.txt", "CM2/Paul.txt"});
        // "Zoé.txt" as a Windows-1252 share shows it without iocharset=utf8: é is one byte.
        const FichierNomBrut zoe(abime, "Zo\xE9.txt");
        QVERIFY(zoe.Cree);
        QVERIFY(!ContientNomsNonUtf8(propre));
        QVERIFY(ContientNomsNonUtf8(abime));
        QVERIFY(!ContientNomsNonUtf8(env.Programme + "absent/"));

        SignalerNomsNonUtf8(propre);
        QVERIFY(env.Messages.Appels.isEmpty());
        SignalerNomsNonUtf8(abime);
        SignalerNomsNonUtf8(abime); // the next refills say nothing more
        QCOMPARE(env.Messages.Appels.size(), 1);
        const AppelMessage& m = env.Messages.Appels.first();
        QCOMPARE(m.Genre, QStringLiteral("Message"));
        QVERIFY(m.Texte.contains(QDir::toNativeSeparators(env.Programme + "CM2")));
        QVERIFY(m.Texte.contains("iocharset=utf8"));
        QVERIFY(m.Texte.contains("NFS"));
        // The readable pupil is still listed.
        QCOMPARE(ListerEleves(abime).Eleves.contains("Paul"), true);
    }
};

QTEST_GUILESS_MAIN(TstListesDepart)
#include "tst_listesdepart.moc"
