// The studio's folder: items read with their companions and lengths, companions written in the
// right encoding, renames all or nothing, deletions to the trash, nothing outside the folder.

#include "Doubles.h"
#include "core/Corbeille.h"
#include "core/FichierTexte.h"
#include "core/studio/DossierStudio.h"
#include "core/studio/DossiersExercices.h"

#include <QDir>
#include <QTest>
#include <QtEndian>

namespace {

// A PCM WAV header and `octets` bytes of samples.
QByteArray Wav(int frequence, int canaux, int bits, qint64 octets, bool listAvant = false,
               quint32 tailleAnnoncee = 0) {
    QByteArray o("RIFF....WAVE");
    auto u32 = [&o](quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        o.append(b, 4);
    };
    auto u16 = [&o](quint16 v) {
        char b[2];
        qToLittleEndian(v, b);
        o.append(b, 2);
    };
    if (listAvant) {
        o += "LIST";
        u32(5);
        o += QByteArray("INFOx") + '\0'; // odd size: one pad byte
    }
    o += "fmt ";
    u32(16);
    u16(1);
    u16(quint16(canaux));
    u32(quint32(frequence));
    u32(quint32(frequence * canaux * bits / 8));
    u16(quint16(canaux * bits / 8));
    u16(quint16(bits));
    o += "data";
    u32(tailleAnnoncee ? tailleAnnoncee : quint32(octets));
    o += QByteArray(octets, '\0');
    return o;
}

QStringList Contenu(const QString& dossier) {
    QStringList r =
        QDir(dossier).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    r.sort();
    return r;
}

// The item of that name as the folder was read, or one being made under it (no file yet).
ItemStudio ItemNomme(const QString& dossier, const QString& base) {
    for (const ItemStudio& it : LireDossierStudio(dossier))
        if (it.Base == base)
            return it;
    ItemStudio nouvel;
    nouvel.Base = base;
    return nouvel;
}

} // namespace

class TstDossierStudio : public QObject {
    Q_OBJECT
    std::unique_ptr<EnvironnementTest> env;
    QString dossier;

    // An exercise root with a folder, a nested one, and a folder beside the root.
    QString ArbreDeDossiers() {
        const QString racine = env->Programme + "Racine";
        QDir().mkpath(racine + "/Animaux");
        QDir().mkpath(racine + "/CM1/Dictée 1");
        QDir().mkpath(env->Programme + "Dehors");
        EcrireOctets(racine + "/Animaux/chat.wav", "son");
        EcrireOctets(racine + "/CM1/Dictée 1/chat.wav", "son");
        return racine;
    }

private slots:
    void init() {
        env = std::make_unique<EnvironnementTest>();
        dossier = env->Programme + "Animaux";
        QDir().mkpath(dossier);
    }
    void cleanup() { env.reset(); }

    void dureesWav_data() {
        QTest::addColumn<QByteArray>("octets");
        QTest::addColumn<double>("secondes"); // < 0: not a WAV
        QTest::newRow("1 s mono 16 bits 22050") << Wav(22050, 1, 16, 44100) << 1.0;
        QTest::newRow("0.5 s stereo 44100") << Wav(44100, 2, 16, 88200) << 0.5;
        QTest::newRow("a LIST chunk first, odd size padded") << Wav(8000, 1, 8, 4000, true) << 0.5;
        QTest::newRow("size announced beyond the file")
            << Wav(22050, 1, 16, 22050, false, 0xFFFFFFFF) << 0.5;
        QTest::newRow("empty data") << Wav(22050, 1, 16, 0) << 0.0;
        QTest::newRow("not RIFF") << QByteArray("ID3\x03 mp3 bytes") << -1.0;
        QTest::newRow("no fmt before data")
            << QByteArray("RIFF....WAVEdata\x04\0\0\0abcd", 24) << -1.0;
        QTest::newRow("empty") << QByteArray() << -1.0;
    }
    void dureesWav() {
        QFETCH(QByteArray, octets);
        QFETCH(double, secondes);
        const QString f = dossier + "/son.wav";
        EcrireOctets(f, octets);
        double d = -5;
        QCOMPARE(DureeWav(f, d), secondes >= 0);
        if (secondes >= 0)
            QCOMPARE(d, secondes);
    }

    void lecture() {
        EcrireOctets(dossier + "/l#apo#eau.wav", Wav(22050, 1, 16, 22050));
        EcrireOctets(dossier + "/L#APO#EAU.txt", "De l'eau\r\n");
        EcrireOctets(dossier + "/l#apo#eau.Jpg", "jpeg");
        EcrireOctets(dossier + "/Ecole£École.WAV", Wav(22050, 1, 16, 44100));
        EcrireOctets(dossier + "/cassé.wav", "pas un son");
        EcrireOctets(dossier + "/orphelin.TXT", "sans son");
        const QVector<ItemStudio> items = LireDossierStudio(dossier);
        QCOMPARE(items.size(), 4);
        QCOMPARE(items[0].FichierSon, QStringLiteral("cassé.wav"));
        QCOMPARE(items[0].Son, EtatSon::Illisible);
        QCOMPARE(items[1].Orthographes, (QStringList{"Ecole", "École"}));
        QCOMPARE(items[1].Duree, 1.0);
        QCOMPARE(items[1].Base, QStringLiteral("Ecole£École"));
        QCOMPARE(items[2].Orthographes, QStringList{"l'eau"});
        QCOMPARE(items[2].FichierTexte, QStringLiteral("L#APO#EAU.txt"));
        QCOMPARE(items[2].FichierImage, QStringLiteral("l#apo#eau.Jpg"));
        QCOMPARE(items[2].Son, EtatSon::Present);
        QCOMPARE(LireTexteCompagnon(dossier, items[2]).Texte, QStringLiteral("De l'eau"));
        // Begun without a sound: shown last, so the teacher finishes it.
        QCOMPARE(items[3].Base, QStringLiteral("orphelin"));
        QCOMPARE(items[3].Son, EtatSon::Absent);
        QVERIFY(items[3].FichierSon.isEmpty());
        QCOMPARE(items[3].FichierTexte, QStringLiteral("orphelin.TXT"));
    }

    void encodageCompagnon_data() {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<QByteArray>("octets");
        QTest::newRow("Windows-1252, CR LF")
            << "Une île.\nL'été œuvre" << QByteArray("Une \xEEle.\r\nL'\xE9t\xE9 \x9Cuvre\r\n");
        QTest::newRow("euro sign fits") << "10 €" << QByteArray("10 \x80\r\n");
        QTest::newRow("UTF-8 when a character does not fit")
            << "Ĉapelo\r\nchapeau" << QByteArray("\xEF\xBB\xBF\xC4\x88\x61pelo\r\nchapeau\r\n");
        QTest::newRow("blank lines at the end dropped") << "chat\n\n  \n" << QByteArray("chat\r\n");
        QTest::newRow("blank lines inside kept") << "a\n\nb" << QByteArray("a\r\n\r\nb\r\n");
        QTest::newRow("nothing") << "  \n" << QByteArray();
    }
    void encodageCompagnon() {
        QFETCH(QString, texte);
        QFETCH(QByteArray, octets);
        QCOMPARE(ContenuTexteCompagnon(texte), octets);
        // What the exercise reads back is what was typed.
        if (!octets.isEmpty())
            QCOMPARE(DecouperLignes(DecoderTexte(octets)).join(u'\n'),
                     DecouperLignes(texte).join(u'\n').trimmed());
    }

    void compagnons() {
        EcrireOctets(dossier + "/chat.wav", Wav(22050, 1, 16, 100));
        ItemStudio item = LireDossierStudio(dossier).first();
        QString raison;
        QVERIFY(EcrireTexteCompagnon(dossier, item, QStringLiteral("Le chat dort."), &raison));
        QCOMPARE(item.FichierTexte, QStringLiteral("chat.TXT"));
        QCOMPARE(LireOctets(dossier + "/chat.TXT"), QByteArray("Le chat dort.\r\n"));
        QVERIFY(EcrireImageCompagnon(dossier, item, "\xFF\xD8jpeg", &raison));
        QCOMPARE(item.FichierImage, QStringLiteral("chat.JPG"));
        // Emptied: the text goes to the trash beside it, not lost.
        QVERIFY(EcrireTexteCompagnon(dossier, item, QString(), &raison));
        QVERIFY(item.FichierTexte.isEmpty());
        QVERIFY(!QFile::exists(dossier + "/chat.TXT"));
        QVERIFY(QFile::exists(dossier + "/" + DossierCorbeille + "/chat.TXT"));
    }

    // Every file of the item renamed together, whatever the case of its companions.
    void renommage() {
        EcrireOctets(dossier + "/chat.wav", Wav(22050, 1, 16, 100));
        EcrireOctets(dossier + "/CHAT.txt", "texte");
        EcrireOctets(dossier + "/Chat.jpg", "image");
        EcrireOctets(dossier + "/chien.wav", Wav(22050, 1, 16, 100));
        ItemStudio item = LireDossierStudio(dossier).first();
        QString raison;
        QVERIFY2(RenommerItem(dossier, item, QStringLiteral("le chat£les chats"), &raison),
                 qPrintable(raison));
        QCOMPARE(Contenu(dossier), (QStringList{"chien.wav", "le chat£les chats.JPG",
                                                "le chat£les chats.TXT", "le chat£les chats.wav"}));
        QCOMPARE(item.Orthographes, (QStringList{"le chat", "les chats"}));
        QCOMPARE(LireOctets(dossier + "/le chat£les chats.TXT"), QByteArray("texte"));
        // Only the letter case changes: through a temporary name.
        QVERIFY2(RenommerItem(dossier, item, QStringLiteral("Le chat£les chats"), &raison),
                 qPrintable(raison));
        QCOMPARE(Contenu(dossier), (QStringList{"Le chat£les chats.JPG", "Le chat£les chats.TXT",
                                                "Le chat£les chats.wav", "chien.wav"}));
    }

    // A failure at any step leaves every file under its old name and says so.
    void renommageToutOuRien_data() {
        QTest::addColumn<int>("echecA"); // the rename call that fails
        QTest::newRow("first (the sound)") << 1;
        QTest::newRow("second (the text)") << 2;
        QTest::newRow("third (the picture)") << 3;
    }
    void renommageToutOuRien() {
        QFETCH(int, echecA);
        EcrireOctets(dossier + "/chat.wav", Wav(22050, 1, 16, 100));
        EcrireOctets(dossier + "/chat.TXT", "texte");
        EcrireOctets(dossier + "/CHAT.JPG", "image");
        const QStringList avant = Contenu(dossier);
        ItemStudio item = LireDossierStudio(dossier).first();
        int appels = 0;
        const FonctionRenommer panne = [&](const QString& de, const QString& vers) {
            return ++appels != echecA && RenommerFichier(de, vers);
        };
        QString raison;
        QVERIFY(!RenommerItem(dossier, item, QStringLiteral("chats"), &raison, panne));
        QVERIFY2(raison.startsWith(QStringLiteral("Rien n'a été renommé")), qPrintable(raison));
        QCOMPARE(Contenu(dossier), avant);
        QCOMPARE(item.FichierSon, QStringLiteral("chat.wav"));
        QCOMPARE(item.Base, QStringLiteral("chat"));
    }

    void renommageVersUnNomPris() {
        EcrireOctets(dossier + "/chat.wav", Wav(22050, 1, 16, 100));
        EcrireOctets(dossier + "/chat.TXT", "texte");
        EcrireOctets(dossier + "/chien.TXT", "un autre texte");
        const QStringList avant = Contenu(dossier);
        ItemStudio item = LireDossierStudio(dossier).first();
        QString raison;
        QVERIFY(!RenommerItem(dossier, item, QStringLiteral("chien"), &raison));
        QVERIFY2(raison.contains(QStringLiteral("« chien.TXT » existe déjà")), qPrintable(raison));
        QCOMPARE(Contenu(dossier), avant);
        QCOMPARE(LireOctets(dossier + "/chien.TXT"), QByteArray("un autre texte"));
    }

    void renommageRefuseHorsDuDossier() {
        EcrireOctets(dossier + "/chat.wav", Wav(22050, 1, 16, 100));
        ItemStudio item = LireDossierStudio(dossier).first();
        QString raison;
        for (const QString& nom :
             {QStringLiteral("../chat"), QStringLiteral("a/b"), QStringLiteral(".."), QString()})
            QVERIFY(!RenommerItem(dossier, item, nom, &raison));
        QCOMPARE(Contenu(dossier), QStringList{"chat.wav"});
        QCOMPARE(Contenu(env->Programme), QStringList{"Animaux"});
    }

    // A colleague on the shared folder adds files after the studio read it: every write the
    // studio would make onto them, or beside them under the same name, is refused and they stay.
    void fichierEtranger_data() {
        QTest::addColumn<QStringList>("lus");      // in the folder when it is read
        QTest::addColumn<QString>("item");         // the item acted on (made when not read)
        QTest::addColumn<QStringList>("collegue"); // added after the read
        QTest::addColumn<QString>("action"); // verifier (naming, sound), texte, image, renommer
        QTest::addColumn<QString>("base");   // the name aimed at (verifier, renommer)
        QTest::addColumn<QString>("refus");  // the file the refusal names; empty: written
        const QString nfd = QString::fromUtf8("e\xCC\x81te\xCC\x81.wav");
        QTest::newRow("sound, same name") << QStringList() << "chien" << QStringList{"chien.wav"}
                                          << "verifier" << "" << "chien.wav";
        QTest::newRow("sound, other case") << QStringList() << "chien" << QStringList{"CHIEN.WAV"}
                                           << "verifier" << "" << "CHIEN.WAV";
        QTest::newRow("sound, decomposed accents")
            << QStringList() << "été" << QStringList{nfd} << "verifier" << "" << nfd;
        QTest::newRow("new item named onto a colleague's text")
            << QStringList{"chat.wav"} << "" << QStringList{"Chien.TXT"} << "verifier" << "chien"
            << "Chien.TXT";
        QTest::newRow("text of an item without one")
            << QStringList{"chien.wav"} << "chien" << QStringList{"chien.txt"} << "texte" << ""
            << "chien.txt";
        QTest::newRow("text beside a colleague's sound")
            << QStringList() << "chien" << QStringList{"chien.wav"} << "texte" << ""
            << "chien.wav";
        QTest::newRow("picture") << QStringList{"chien.wav"} << "chien" << QStringList{"Chien.jpg"}
                                 << "image" << "" << "Chien.jpg";
        QTest::newRow("rename onto a colleague's sound")
            << QStringList{"chat.wav"} << "chat" << QStringList{"chien.WAV"} << "renommer"
            << "chien" << "chien.WAV";
        QTest::newRow("rename onto a companion the item does not have")
            << QStringList{"chat.wav"} << "chat" << QStringList{"CHIEN.txt"} << "renommer"
            << "chien" << "CHIEN.txt";
        QTest::newRow("its own files") << QStringList{"chien.wav", "chien.TXT"} << "chien"
                                       << QStringList() << "texte" << "" << "";
        QTest::newRow("a colleague's other word")
            << QStringList{"chien.wav"} << "chien" << QStringList{"chat.wav"} << "texte" << ""
            << "";
        QTest::newRow("its own files, case-only rename")
            << QStringList{"chat.wav", "CHAT.txt"} << "chat" << QStringList() << "renommer"
            << "Chat" << "";
        QTest::newRow("two cases read together")
            << QStringList{"chien.wav", "chien.TXT", "chien.txt"} << "chien" << QStringList()
            << "texte" << ""
            << "";
    }
    void fichierEtranger() {
        QFETCH(QStringList, lus);
        QFETCH(QString, item);
        QFETCH(QStringList, collegue);
        QFETCH(QString, action);
        QFETCH(QString, base);
        QFETCH(QString, refus);
        for (const QString& f : lus)
            EcrireOctets(dossier + "/" + f, f.endsWith(".wav") ? Wav(22050, 1, 16, 100) : "lu");
        ItemStudio it = ItemNomme(dossier, item);
        for (const QString& f : collegue)
            EcrireOctets(dossier + "/" + f, "collègue");
        const QStringList avant = Contenu(dossier);
        QString raison;
        bool ok = false;
        if (action == "verifier") {
            raison = RefusFichierEtranger(dossier, it, base);
            ok = raison.isEmpty();
        } else if (action == "texte") {
            ok = EcrireTexteCompagnon(dossier, it, QStringLiteral("Mon texte"), &raison);
        } else if (action == "image") {
            ok = EcrireImageCompagnon(dossier, it, "\xFF\xD8moi", &raison);
        } else {
            ok = RenommerItem(dossier, it, base, &raison);
        }
        QCOMPARE(ok, refus.isEmpty());
        for (const QString& f : collegue)
            QCOMPARE(LireOctets(dossier + "/" + f), QByteArray("collègue"));
        if (!ok) {
            QVERIFY2(raison.contains("« " + refus + " »"), qPrintable(raison));
            QCOMPARE(Contenu(dossier), avant);
        }
    }

    // A change of letter case goes through a short temporary name: one built from a name at the
    // 255-byte limit would be refused by the disk.
    void renommageCasse_data() {
        QTest::addColumn<QString>("de");
        QTest::addColumn<QString>("vers");
        QTest::addColumn<bool>("compagnons");
        const QString long251 = QString(251, u'a');
        QTest::newRow("short name") << "chat" << "Chat" << true;
        QTest::newRow("255 bytes") << long251 << "A" + long251.mid(1) << false;
        QTest::newRow("255 bytes, text and picture") << long251 << "A" + long251.mid(1) << true;
        QTest::newRow("255 bytes of accents, composed")
            << QString(125, u'é') << QString(124, u'é') + u'É' << true;
        QTest::newRow("decomposed accents composed")
            << QString::fromUtf8("e\xCC\x81te\xCC\x81") << "été" << true;
    }
    void renommageCasse() {
        QFETCH(QString, de);
        QFETCH(QString, vers);
        QFETCH(bool, compagnons);
        QVERIFY((de + ".wav").toUtf8().size() <= 255);
        EcrireOctets(dossier + "/" + de + ".wav", Wav(22050, 1, 16, 100));
        QStringList attendu{vers + ".wav"};
        if (compagnons) {
            EcrireOctets(dossier + "/" + de + ".TXT", "texte");
            EcrireOctets(dossier + "/" + de + ".JPG", "image");
            attendu << vers + ".TXT" << vers + ".JPG";
        }
        attendu.sort();
        ItemStudio item = LireDossierStudio(dossier).first();
        QString raison;
        QVERIFY2(RenommerItem(dossier, item, vers, &raison), qPrintable(raison));
        QCOMPARE(Contenu(dossier), attendu);
        QCOMPARE(item.Base, vers);
        if (compagnons)
            QCOMPARE(LireOctets(dossier + "/" + vers + ".TXT"), QByteArray("texte"));
    }

    // Another file under the new spelling (a case-sensitive disk holds both): never replaced.
    void renommageCasseVersUnAutreFichier() {
        SAUTER_SI_CASSES_CONFONDUES((QStringList{"chat.wav", "Chat.wav"}));
        EcrireOctets(dossier + "/chat.wav", Wav(22050, 1, 16, 100));
        ItemStudio item = LireDossierStudio(dossier).first();
        EcrireOctets(dossier + "/Chat.wav", "collègue");
        QString raison;
        QVERIFY(!RenommerTout({{dossier + "/chat.wav", dossier + "/Chat.wav"}}, &raison));
        QVERIFY2(raison.contains("« Chat.wav » existe déjà"), qPrintable(raison));
        QCOMPARE(LireOctets(dossier + "/Chat.wav"), QByteArray("collègue"));
        QCOMPARE(Contenu(dossier), (QStringList{"Chat.wav", "chat.wav"}));
    }

    void creerDossier_data() {
        QTest::addColumn<QString>("tape");
        QTest::addColumn<QString>("cree"); // empty: refused
        QTest::newRow("blanks around") << "  Zoo  " << "Zoo";
        QTest::newRow("decomposed accents") << QString::fromUtf8("E\xCC\x81te\xCC\x81") << "Été";
        QTest::newRow("no-break space and zero-width space")
            << QString::fromUtf8("Zoo\xC2\xA0\xE2\x80\x8B") << "Zoo";
        QTest::newRow("look-alike of a folder there") << QString::fromUtf8("Anim\xE2\x80\x8B"
                                                                           "aux")
                                                      << "";
    }
    void creerDossier() {
        QFETCH(QString, tape);
        QFETCH(QString, cree);
        const QStringList avant = Contenu(env->Programme);
        QString chemin;
        QString raison;
        QCOMPARE(CreerDossierExercices(env->Programme, tape, &chemin, &raison), !cree.isEmpty());
        if (cree.isEmpty()) {
            QVERIFY(!raison.isEmpty());
            QCOMPARE(Contenu(env->Programme), avant);
            return;
        }
        QCOMPARE(chemin, QDir(env->Programme).filePath(cree));
        QVERIFY(QFileInfo(chemin).isDir());
        QCOMPARE(Contenu(env->Programme).size(), avant.size() + 1);
    }

    // Renaming a folder below the exercise root (here the program folder): the names the pupils'
    // list needs, a change of case allowed, the root and what is outside it never touched.
    void renommerDossier_data() {
        QTest::addColumn<QString>("cible"); // relative to the root
        QTest::addColumn<QString>("tape");
        QTest::addColumn<QString>("attendu"); // new relative path; empty: refused
        QTest::addColumn<QString>("refus");   // part of the refusal
        QTest::newRow("new name") << "Animaux" << "Les animaux" << "Les animaux" << "";
        QTest::newRow("letter case only") << "Animaux" << "animaux" << "animaux" << "";
        QTest::newRow("same name") << "Animaux" << "Animaux" << "Animaux" << "";
        QTest::newRow("blanks and no-break space around")
            << "Animaux" << QString::fromUtf8(" Zoo\xC2\xA0") << "Zoo" << "";
        QTest::newRow("nested") << "CM1/Dictée 1" << "Dictée 2" << "CM1/Dictée 2" << "";
        QTest::newRow("a sibling's name, other case") << "Animaux" << "cm1" << "" << "existe déjà";
        QTest::newRow("a sibling's look-alike") << "Animaux"
                                                << QString::fromUtf8("CM\xE2\x80\x8B"
                                                                     "1")
                                                << "" << "existe déjà";
        QTest::newRow("the root") << "" << "Racine" << "" << "ne se renomme pas";
        QTest::newRow("outside the root") << "../Dehors" << "Ailleurs" << "" << "ne se renomme pas";
        QTest::newRow("gone") << "Fantôme" << "Ailleurs" << "" << "n'existe plus";
    }
    void renommerDossier() {
        QFETCH(QString, cible);
        QFETCH(QString, tape);
        QFETCH(QString, attendu);
        QFETCH(QString, refus);
        const QString racine = ArbreDeDossiers();
        const QString chemin = cible.isEmpty() ? racine : racine + "/" + cible;
        const QStringList avant = Contenu(racine);
        QString nouveau;
        QString raison;
        const bool ok = RenommerDossierExercices(racine, chemin, tape, &nouveau, &raison);
        if (attendu.isEmpty()) {
            QVERIFY(!ok);
            QVERIFY2(raison.contains(refus), qPrintable(raison));
            QCOMPARE(Contenu(racine), avant);
            QVERIFY(QFileInfo(env->Programme + "Dehors").isDir());
            return;
        }
        QVERIFY2(ok, qPrintable(raison));
        QCOMPARE(nouveau, racine + "/" + attendu);
        // The folder's own name is the one given, exactly: no look-alike left beside it.
        const QFileInfo info(nouveau);
        QVERIFY(QDir(info.path())
                    .entryList(QDir::Dirs | QDir::NoDotAndDotDot)
                    .contains(info.fileName()));
        QCOMPARE(LireOctets(nouveau + "/chat.wav"), QByteArray("son"));
        QCOMPARE(Contenu(info.path()).size(), Contenu(QFileInfo(chemin).path()).size());
    }

    void supprimerDossier_data() {
        QTest::addColumn<QString>("cible");
        QTest::addColumn<QString>("corbeille"); // where it went; empty: refused
        QTest::newRow("with its items") << "Animaux" << ".corbeille/Animaux";
        QTest::newRow("nested") << "CM1/Dictée 1" << "CM1/.corbeille/Dictée 1";
        QTest::newRow("the root") << "" << "";
        QTest::newRow("outside the root") << "../Dehors" << "";
        QTest::newRow("gone") << "Fantôme" << "";
    }
    void supprimerDossier() {
        QFETCH(QString, cible);
        QFETCH(QString, corbeille);
        const QString racine = ArbreDeDossiers();
        const QString chemin = cible.isEmpty() ? racine : racine + "/" + cible;
        const QStringList avant = Contenu(racine);
        QString raison;
        QCOMPARE(SupprimerDossierExercices(racine, chemin, &raison), !corbeille.isEmpty());
        if (corbeille.isEmpty()) {
            QVERIFY(!raison.isEmpty());
            QCOMPARE(Contenu(racine), avant);
            QVERIFY(QFileInfo(racine).isDir());
            QVERIFY(QFileInfo(env->Programme + "Dehors").isDir());
            return;
        }
        QVERIFY(!QFileInfo::exists(chemin));
        QCOMPARE(LireOctets(racine + "/" + corbeille + "/chat.wav"), QByteArray("son"));
    }

    // Without a desktop trash (tests never use it), the files go to the hidden folder beside.
    void suppression() {
        EcrireOctets(dossier + "/chat.wav", Wav(22050, 1, 16, 100));
        EcrireOctets(dossier + "/chat.TXT", "texte");
        EcrireOctets(dossier + "/chien.wav", Wav(22050, 1, 16, 100));
        const ItemStudio chat = LireDossierStudio(dossier).first();
        QString raison;
        QVERIFY2(SupprimerItem(dossier, chat, &raison), qPrintable(raison));
        QCOMPARE(Contenu(dossier), (QStringList{".corbeille", "chien.wav"}));
        QCOMPARE(Contenu(dossier + "/.corbeille"), (QStringList{"chat.TXT", "chat.wav"}));
        // Deleted again under the same name: both kept.
        EcrireOctets(dossier + "/chat.wav", Wav(22050, 1, 16, 200));
        QVERIFY(SupprimerItem(dossier, LireDossierStudio(dossier).first(), &raison));
        QCOMPARE(Contenu(dossier + "/.corbeille"),
                 (QStringList{"chat.TXT", "chat.wav", "chat.wav (2)"}));
        // The trash is not an item, and the exercise never lists it.
        QCOMPARE(LireDossierStudio(dossier).size(), 1);
    }

    void corbeilleImpossible() {
        QString raison;
        QVERIFY(!MettreALaCorbeille(dossier + "/absent.wav", &raison));
        QVERIFY(raison.contains(QStringLiteral("n'existe pas")));
        // A file where the hidden folder should be: nothing can go there, the file stays.
        EcrireOctets(dossier + "/chat.wav", "x");
        EcrireOctets(dossier + "/" + DossierCorbeille, "un fichier");
        QVERIFY(!MettreALaCorbeille(dossier + "/chat.wav", &raison));
        QVERIFY2(raison.contains(QStringLiteral("chat.wav")), qPrintable(raison));
        QCOMPARE(LireOctets(dossier + "/chat.wav"), QByteArray("x"));
    }
};

QTEST_GUILESS_MAIN(TstDossierStudio)
#include "tst_dossierstudio.moc"
