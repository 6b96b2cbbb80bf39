// Export and import of exercise folders: the plan checks every hostile shape of archive on its
// directory alone; real zip files (libzip) then go through the whole import, which writes the
// folder whole or nothing at all.

#include "Doubles.h"
#include "archive/ArchiveZip.h"
#include "core/studio/PartageDossier.h"

#include <QDateTime>
#include <QDir>
#include <QLockFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>
#include <zip.h>

#ifndef S_IFLNK
#define S_IFLNK 0120000 // the Unix mode a zip entry carries, whatever system reads it
#endif

#include <ctime>

Q_DECLARE_METATYPE(QVector<EntreeArchive>)

namespace {

EntreeArchive F(const QString& nom, qint64 taille = 10) {
    return {nom, taille, false, false};
}

struct EntreeZip {
    EntreeZip() = default;
    EntreeZip(const QByteArray& nom, const QByteArray& contenu, zip_uint32_t mode = 0,
              const QByteArray& motDePasse = {})
        : Nom(nom), Contenu(contenu), Mode(mode), MotDePasse(motDePasse) {}
    QByteArray Nom;
    QByteArray Contenu;
    zip_uint32_t Mode = 0; // Unix mode in the external attributes; 0: libzip's own
    QByteArray MotDePasse;
};

// An archive written as an attacker (or another program) would: names, modes and contents
// exactly as given. A name that is not valid UTF-8 is stored without the UTF-8 flag.
bool EcrireZip(const QString& chemin, const QVector<EntreeZip>& entrees) {
    int code = 0;
    zip_t* z = zip_open(QFile::encodeName(chemin).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!z)
        return false;
    for (const EntreeZip& e : entrees) {
        zip_source_t* s =
            zip_source_buffer(z, e.Contenu.constData(), zip_uint64_t(e.Contenu.size()), 0);
        const zip_int64_t i = zip_file_add(z, e.Nom.constData(), s, ZIP_FL_ENC_RAW);
        if (i < 0)
            return false;
        if (e.Mode != 0)
            zip_file_set_external_attributes(z, zip_uint64_t(i), 0, ZIP_OPSYS_UNIX, e.Mode << 16);
        // AES where this libzip has a cryptography library (not the Windows build's), else the
        // old PKWARE cipher: either way an archive the import cannot read without a password.
        const zip_uint16_t chiffre = zip_encryption_method_supported(ZIP_EM_AES_256, 1)
                                         ? ZIP_EM_AES_256
                                         : ZIP_EM_TRAD_PKWARE;
        if (!e.MotDePasse.isEmpty() &&
            zip_file_set_encryption(z, zip_uint64_t(i), chiffre, e.MotDePasse.constData()) != 0)
            return false;
    }
    return zip_close(z) == 0;
}

} // namespace

Q_DECLARE_METATYPE(QVector<EntreeZip>)

namespace {

QStringList Arbre(const QString& dossier) {
    QStringList r;
    QDir d(dossier);
    for (const QFileInfo& e :
         d.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name)) {
        r.append(e.fileName() + (e.isDir() ? "/" : ""));
        if (e.isDir())
            for (const QString& s : Arbre(e.filePath()))
                r.append(e.fileName() + "/" + s);
    }
    return r;
}

} // namespace

class TstPartageDossier : public QObject {
    Q_OBJECT
    std::unique_ptr<EnvironnementTest> env;
    ArchiveZip archive;
    QString medias;

private slots:
    void init() {
        env = std::make_unique<EnvironnementTest>();
        Services::InstallerArchive(&archive);
        medias = env->Programme + "_Medias";
        QDir().mkpath(medias + "/Animaux");
    }
    void cleanup() {
        Services::InstallerArchive(nullptr);
        env.reset();
    }

    void plan_data() {
        QTest::addColumn<QVector<EntreeArchive>>("entrees");
        QTest::addColumn<QString>("refus"); // part of the message; empty: accepted
        QTest::newRow("an export") << QVector<EntreeArchive>{{"Dictée/", 0, true, false},
                                                             F("Dictée/l#apo#eau.wav"),
                                                             F("Dictée/L#APO#EAU.TXT")}
                                   << "";
        QTest::newRow("loose files, named after the archive")
            << QVector<EntreeArchive>{F("chat.wav"), F("chien.wav")} << "";
        QTest::newRow("absolute") << QVector<EntreeArchive>{F("/etc/chat.wav")} << "chemin absolu";
        QTest::newRow("absolute, Windows style")
            << QVector<EntreeArchive>{F("C:/Dictée/chat.wav")} << "chemin absolu";
        QTest::newRow("backslash absolute")
            << QVector<EntreeArchive>{F("\\chat.wav")} << "chemin absolu";
        QTest::newRow("dot dot") << QVector<EntreeArchive>{F("Dictée/../../chat.wav")} << "« .. »";
        QTest::newRow("dot dot with backslashes")
            << QVector<EntreeArchive>{F("Dictée\\..\\..\\chat.wav")} << "« .. »";
        QTest::newRow("link") << QVector<EntreeArchive>{{"Dictée/chat.wav", 10, false, true}}
                              << "un lien";
        QTest::newRow("unknown kind of file")
            << QVector<EntreeArchive>{F("Dictée/lisez-moi.pdf")} << "pas un fichier d'exercice";
        QTest::newRow("name the studio refuses")
            << QVector<EntreeArchive>{F("Dictée/ĉapelo.wav")} << "ne peuvent pas écrire";
        QTest::newRow("control character")
            << QVector<EntreeArchive>{F("Dictée/a\x01.wav")} << "caractère interdit";
        QTest::newRow("dotted folder")
            << QVector<EntreeArchive>{F("CM1.a/chat.wav")} << "ne convient pas";
        QTest::newRow("hidden folder")
            << QVector<EntreeArchive>{F("Dictée/.cache/chat.wav")} << "ne convient pas";
        QTest::newRow("same name, other case")
            << QVector<EntreeArchive>{F("Dictée/chat.wav"), F("Dictée/CHAT.WAV")} << "deux fois";
        QTest::newRow("a file name used as a folder")
            << QVector<EntreeArchive>{F("Dictée/a.wav"), F("Dictée/a.wav/b.wav")} << "de point";
        QTest::newRow("folder already there")
            << QVector<EntreeArchive>{F("ANIMAUX/chat.wav")} << "existe déjà";
        QTest::newRow("look-alike folder, zero-width space")
            << QVector<EntreeArchive>{F("Animaux\u200B/chat.wav")} << "existe déjà";
        QTest::newRow("one name, composed and decomposed")
            << QVector<EntreeArchive>{F("D/été.wav"), F("D/e\u0301te\u0301.wav")} << "deux fois";
        QTest::newRow("companion text too long")
            << QVector<EntreeArchive>{F("D/chat.wav"), F("D/chat.TXT", 64 * 1024 + 1)}
            << "64 au plus";
        QTest::newRow("too big in all")
            << QVector<EntreeArchive>{F("D/a.wav", 60'000), F("D/b.wav", 60'000)} << "trop grosse";
        QTest::newRow("size unknown") << QVector<EntreeArchive>{F("D/a.wav", -1)} << "trop grosse";
        QTest::newRow("no file at all")
            << QVector<EntreeArchive>{{"D/", 0, true, false}} << "aucun fichier";
        QVector<EntreeArchive> beaucoup;
        for (int i = 0; i < 11; ++i)
            beaucoup.append(F(QStringLiteral("D/%1.wav").arg(i)));
        QTest::newRow("too many entries") << beaucoup << "11 fichiers";
    }
    void plan() {
        QFETCH(QVector<EntreeArchive>, entrees);
        QFETCH(QString, refus);
        const PlanImport p = PlanifierImport(entrees, QStringLiteral("Mes mots.zip"),
                                             {QStringLiteral("Animaux")}, {10, 100'000});
        if (refus.isEmpty()) {
            QVERIFY2(p.Refus.isEmpty(), qPrintable(p.Refus));
            QVERIFY(!p.Dossier.isEmpty());
        } else {
            QVERIFY2(p.Refus.contains(refus), qPrintable(p.Refus));
            QVERIFY(p.Fichiers.isEmpty());
        }
    }

    void planLimitesReelles() {
        QVector<EntreeArchive> e;
        for (int i = 0; i < 2000; ++i)
            e.append(F(QStringLiteral("D/%1.wav").arg(i), 250'000));
        QVERIFY(PlanifierImport(e, "x.zip", {}).Refus.isEmpty()); // 2,000 entries, 500 MB
        e.append(F("D/encore.wav", 1));
        QVERIFY(PlanifierImport(e, "x.zip", {}).Refus.contains("2001 fichiers"));
        e.removeLast();
        e.last().Taille += 1;
        QVERIFY(PlanifierImport(e, "x.zip", {}).Refus.contains("500 Mo"));
    }

    // Export, then import under another root: the same files, byte for byte.
    void allerRetour() {
        const QString dossier = medias + "/Animaux";
        EcrireOctets(dossier + "/l#apo#eau.wav", "RIFF son");
        EcrireOctets(dossier + "/l#apo#eau.TXT", "De l'eau\r\n");
        EcrireOctets(dossier + "/Ecole£École.wav", "RIFF autre");
        QDir().mkpath(dossier + "/Suite");
        EcrireOctets(dossier + "/Suite/chien.wav", "RIFF chien");
        QDir().mkpath(dossier + "/.corbeille");
        EcrireOctets(dossier + "/.corbeille/vieux.wav", "jeté");
        // Accents in the archive's own name too: Windows reads no char path as UTF-8.
        const QString zip = env->Programme + "Animaux de l'école.zip";
        QString raison;
        QVERIFY2(ExporterDossier(dossier, zip, &raison), qPrintable(raison));

        const QString autre = env->Programme + "Collègue";
        QDir().mkpath(autre);
        QString nom;
        QVERIFY2(ImporterArchive(zip, autre, &nom, &raison), qPrintable(raison));
        QCOMPARE(nom, QStringLiteral("Animaux"));
        QCOMPARE(Arbre(autre), (QStringList{"Animaux/", "Animaux/Ecole£École.wav", "Animaux/Suite/",
                                            "Animaux/Suite/chien.wav", "Animaux/l#apo#eau.TXT",
                                            "Animaux/l#apo#eau.wav"}));
        QCOMPARE(LireOctets(autre + "/Animaux/l#apo#eau.TXT"), QByteArray("De l'eau\r\n"));
        // A second import of the same archive finds the folder there and writes nothing.
        QVERIFY(!ImporterArchive(zip, autre, &nom, &raison));
        QVERIFY(raison.contains("existe déjà"));
        QCOMPARE(Arbre(autre).size(), 6);
    }

    void archivesHostiles_data() {
        QTest::addColumn<QVector<EntreeZip>>("entrees");
        QTest::addColumn<QString>("refus");
        QTest::newRow("zip slip") << QVector<EntreeZip>{{"D/chat.wav", "ok"},
                                                        {"D/../../evade.wav", "mal"}}
                                  << "« .. »";
        QTest::newRow("absolute path")
            << QVector<EntreeZip>{{"/tmp/evade.wav", "mal"}} << "chemin absolu";
        QTest::newRow("symbolic link")
            << QVector<EntreeZip>{{"D/chat.wav", "ok"},
                                  {"D/lien.wav", "/etc/passwd", S_IFLNK | 0777}}
            << "un lien";
        QTest::newRow("a program") << QVector<EntreeZip>{{"D/chat.wav", "ok"}, {"D/x.sh", "rm"}}
                                   << "pas un fichier d'exercice";
        QTest::newRow("too big unpacked")
            << QVector<EntreeZip>{{"D/a.wav", QByteArray(700, 'a')}} << "trop grosse";
    }
    void archivesHostiles() {
        QFETCH(QVector<EntreeZip>, entrees);
        QFETCH(QString, refus);
        const QString zip = env->Programme + "hostile.zip";
        QVERIFY(EcrireZip(zip, entrees));
        const QStringList avant = Arbre(env->Programme);
        QString nom, raison;
        QVERIFY(!ImporterArchive(zip, medias, &nom, &raison, {2000, 500}));
        QVERIFY2(raison.contains(refus), qPrintable(raison));
        // Nothing written anywhere: no folder, no temporary folder, no escaped file.
        QCOMPARE(Arbre(env->Programme), avant);
        QVERIFY(!QFile::exists("/tmp/evade.wav"));
    }

    void pasUneArchive() {
        const QString zip = env->Programme + "faux.zip";
        EcrireOctets(zip, "ceci n'est pas un zip");
        QString nom, raison;
        QVERIFY(!ImporterArchive(zip, medias, &nom, &raison));
        QVERIFY2(raison.startsWith("Impossible de lire l'archive"), qPrintable(raison));
        QCOMPARE(Arbre(medias), QStringList{"Animaux/"});
    }

    // The directory may lie about sizes; the bytes are counted while they are written.
    void tailleMensongere() {
        const QString zip = env->Programme + "menteur.zip";
        QVERIFY(EcrireZip(zip, {{"D/a.wav", QByteArray(5000, 'a')}}));
        // Extraction itself bounded below what the entry holds: it stops and the import fails.
        QString erreur;
        const QString sortie = env->Programme + "a.wav";
        QVERIFY(!archive.Extraire(zip, {{0, sortie}}, 1000, &erreur));
        QVERIFY2(erreur.contains("trop grosse"), qPrintable(erreur));
    }

    // What a folder holds on disk, what an export takes (and then the import gives back), and
    // what it names as left out. A file is "path", "path*bytes" or "path->link target".
    void exporter_data() {
        QTest::addColumn<QStringList>("fichiers");
        QTest::addColumn<QStringList>("importes"); // the imported folder's files
        QTest::addColumn<QStringList>("ecartes");  // the names the export says it left out
        QTest::newRow("an item whose text starts with dots")
            << QStringList{"...et voilà.wav", "...et voilà.TXT", "chat.wav"}
            << QStringList{"...et voilà.TXT", "...et voilà.wav", "chat.wav"} << QStringList{};
        QTest::newRow("hidden entries, silently")
            << QStringList{"chat.wav", ".corbeille/vieux.wav", ".DS_Store", ".~lock.odt#"}
            << QStringList{"chat.wav"} << QStringList{};
        QTest::newRow("a question mark in a Linux name")
            << QStringList{"Où vas-tu ?.wav", "chat.wav"} << QStringList{"chat.wav"}
            << QStringList{"Animaux/Où vas-tu ?.wav"};
        QTest::newRow("a stray document")
            << QStringList{"notes.odt", "chat.wav"} << QStringList{"chat.wav"}
            << QStringList{"Animaux/notes.odt"};
        QTest::newRow("same name, other case")
            << QStringList{"CHAT.WAV", "chat.wav"} << QStringList{"CHAT.WAV"}
            << QStringList{"Animaux/chat.wav"};
        QTest::newRow("companion text too long")
            << QStringList{"chat.wav", "chat.TXT*65537", "chien.wav", "chien.TXT*65536"}
            << QStringList{"chat.wav", "chien.TXT", "chien.wav"} << QStringList{"Animaux/chat.TXT"};
        QTest::newRow("a subfolder the import refuses")
            << QStringList{"chat.wav", "CM1.a/chien.wav", "Suite/loup.wav"}
            << QStringList{"Suite/loup.wav", "chat.wav"} << QStringList{"Animaux/CM1.a/"};
        QTest::newRow("two subfolders, one once normalised")
            << QStringList{"Suite/loup.wav", "Suite\u00A0/loup.wav"}
            << QStringList{"Suite/loup.wav"} << QStringList{"Animaux/Suite\u00A0/loup.wav"};
        QTest::newRow("a link") << QStringList{"chat.wav", "lien.wav->chat.wav"}
                                << QStringList{"chat.wav"} << QStringList{"Animaux/lien.wav"};
    }
    void exporter() {
        QFETCH(QStringList, fichiers);
        QFETCH(QStringList, importes);
        QFETCH(QStringList, ecartes);
        SAUTER_SI_CASSES_CONFONDUES(fichiers);
#ifdef Q_OS_WIN
        for (const QString& f : fichiers)
            if (f.contains(u'?') || f.contains("->"))
                QSKIP("Windows n'admet pas « ? » dans un nom, et ses liens sont des fichiers");
#endif
        const QString dossier = medias + "/Animaux";
        for (const QString& f : fichiers) {
            if (f.contains("->")) {
                QVERIFY(QFile::link(f.section("->", 1), dossier + "/" + f.section("->", 0, 0)));
            } else if (f.contains('*')) {
                EcrireOctets(dossier + "/" + f.section('*', 0, 0),
                             QByteArray(f.section('*', 1).toInt(), 'a'));
            } else {
                EcrireOctets(dossier + "/" + f, "RIFF " + f.toUtf8());
            }
        }
        const QString zip = env->Programme + "Animaux.zip";
        QString raison;
        QStringList ecrits;
        QVERIFY2(ExporterDossier(dossier, zip, &raison, &ecrits), qPrintable(raison));
        QCOMPARE(ecrits.size(), ecartes.size());
        for (qsizetype i = 0; i < ecartes.size(); ++i)
            QVERIFY2(ecrits.at(i).startsWith("« " + ecartes.at(i) + " » : "),
                     qPrintable(ecrits.at(i)));
        const QString texte = TexteEcartes(ecrits);
        for (const QString& e : ecartes)
            QVERIFY2(texte.contains(e), qPrintable(texte));

        // What the export wrote, the program's own import takes back whole.
        const QString autre = env->Programme + "Collègue";
        QDir().mkpath(autre);
        QString nom;
        QVERIFY2(ImporterArchive(zip, autre, &nom, &raison), qPrintable(raison));
        QStringList arbre;
        for (const QString& f : Arbre(autre + "/Animaux"))
            if (!f.endsWith('/'))
                arbre.append(f);
        QCOMPARE(arbre, importes);
        if (importes.contains("...et voilà.TXT"))
            QCOMPARE(LireOctets(autre + "/Animaux/...et voilà.TXT"),
                     QByteArray("RIFF ...et voilà.TXT"));
    }

    void exporterRefuse_data() {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<QStringList>("fichiers");
        QTest::addColumn<QString>("refus");
        QTest::newRow("nothing to take")
            << "Animaux" << QStringList{"notes.odt"} << "aucun fichier";
        QTest::newRow("a folder name the import refuses")
            << "Mots ?" << QStringList{"chat.wav"} << "ne peut pas être exporté sous ce nom";
        QTest::newRow("more files than an import takes")
            << "Animaux" << QStringList{"a.wav", "b.wav", "c.wav"} << "2 au plus";
        QTest::newRow("more bytes than an import takes")
            << "Animaux" << QStringList{"a.wav", "b.wav*600"} << "plus de 0 Mo";
    }
    void exporterRefuse() {
        QFETCH(QString, nom);
        QFETCH(QStringList, fichiers);
        QFETCH(QString, refus);
        const QString dossier = medias + "/" + nom;
        for (const QString& f : fichiers)
            EcrireOctets(dossier + "/" + f.section('*', 0, 0),
                         QByteArray(f.contains('*') ? f.section('*', 1).toInt() : 10, 'a'));
        const QString zip = env->Programme + "sortie.zip";
        QString raison;
        QVERIFY(!ExporterDossier(dossier, zip, &raison, nullptr, {2, 500}));
        QVERIFY2(raison.contains(refus), qPrintable(raison));
        QVERIFY(!QFile::exists(zip));
    }

    // Archives other programs write, which the import takes: the folder made, as listed.
    void archivesAcceptees_data() {
        QTest::addColumn<QVector<EntreeZip>>("entrees");
        QTest::addColumn<QStringList>("arbre");
        QTest::newRow("Python's zipfile: a mode without file type")
            << QVector<EntreeZip>{{"D/chat.wav", "ok", 0600}} << QStringList{"D/", "D/chat.wav"};
        QTest::newRow("a Mac's decomposed accents")
            << QVector<EntreeZip>{{"Dicte\u0301e/e\u0301te\u0301.wav", "ok"}}
            << QStringList{"Dictée/", "Dictée/été.wav"};
        QTest::newRow("old Windows, code page 850 without the UTF-8 flag")
            << QVector<EntreeZip>{{"Dict\x82"
                                   "e/\xb7 la plage.wav",
                                   "ok"}}
            << QStringList{"Dictée/", "Dictée/À la plage.wav"};
        QTest::newRow("a Mac's additions left out")
            << QVector<EntreeZip>{{"D/chat.wav", "ok"},
                                  {"D/.DS_Store", "x"},
                                  {"__MACOSX/D/._chat.wav", "x"}}
            << QStringList{"D/", "D/chat.wav"};
        QTest::newRow("pasted no-break space and soft hyphen")
            << QVector<EntreeZip>{{"D/Où vas-tu\u00A0#int#.wav", "ok"}, {"D/cha\u00ADt.wav", "ok"}}
            << QStringList{"D/", "D/Où vas-tu #int#.wav", "D/chat.wav"};
        QTest::newRow("an item whose text starts with dots")
            << QVector<EntreeZip>{{"D/...et voilà.wav", "ok"}}
            << QStringList{"D/", "D/...et voilà.wav"};
    }
    void archivesAcceptees() {
        QFETCH(QVector<EntreeZip>, entrees);
        QFETCH(QStringList, arbre);
        const QString zip = env->Programme + "autre.zip";
        QVERIFY(EcrireZip(zip, entrees));
        const QString racine = env->Programme + "Collègue";
        QDir().mkpath(racine);
        QString nom, raison;
        QVERIFY2(ImporterArchive(zip, racine, &nom, &raison), qPrintable(raison));
        QCOMPARE(Arbre(racine), arbre);
    }

    // Archives the import refuses with a French reason: libzip's own words never reach it.
    void archivesIllisibles_data() {
        QTest::addColumn<QByteArray>("motDePasse");
        QTest::addColumn<bool>("abimee");
        QTest::addColumn<QString>("refus");
        QTest::newRow("encrypted")
            << QByteArray("secret") << false << "protégée par un mot de passe";
        QTest::newRow("damaged data")
            << QByteArray() << true << "données de l'archive sont abîmées";
    }
    void archivesIllisibles() {
        QFETCH(QByteArray, motDePasse);
        QFETCH(bool, abimee);
        QFETCH(QString, refus);
        const QString zip = env->Programme + "illisible.zip";
        const QByteArray contenu(4000, 'z');
        QVERIFY(EcrireZip(zip, {{"D/chat.wav", contenu, 0, motDePasse}}));
        if (abimee) {
            // A byte of the compressed data changed: the inflater or the CRC notices.
            QByteArray octets = LireOctets(zip);
            const qsizetype debut = octets.indexOf("D/chat.wav") + 12;
            octets[debut] = char(octets.at(debut) ^ 0x55);
            EcrireOctets(zip, octets);
        }
        const QStringList avant = Arbre(medias);
        QString nom, raison;
        QVERIFY(!ImporterArchive(zip, medias, &nom, &raison));
        QVERIFY2(raison.contains(refus), qPrintable(raison));
        QVERIFY2(!raison.contains(QRegularExpression("[Pp]assword|[Ee]rror|CRC|[Ii]nvalid")),
                 qPrintable(raison));
        QCOMPARE(Arbre(medias), avant);
    }

    // A folder left in the root by an import killed on the way goes at the next import; one an
    // import on this or another computer still uses stays.
    void importationsAbandonnees_data() {
        QTest::addColumn<QString>("verrou"); // "mort", "vivant", "autre", or "" for none
        QTest::addColumn<int>("ageHeures");
        QTest::addColumn<bool>("retire");
        QTest::newRow("killed on this computer") << "mort" << 0 << true;
        QTest::newRow("running on this computer") << "vivant" << 0 << false;
        QTest::newRow("another computer, an hour ago") << "autre" << 1 << false;
        QTest::newRow("another computer, two days ago") << "autre" << 48 << true;
        QTest::newRow("no lock, just made") << "" << 0 << false;
        QTest::newRow("no lock, two hours old") << "" << 2 << true;
    }
    void importationsAbandonnees() {
        QFETCH(QString, verrou);
        QFETCH(int, ageHeures);
        QFETCH(bool, retire);
        const QString reste = medias + "/.importation-aB3xYz";
        EcrireOctets(reste + "/Dictée/gros.wav", QByteArray(1000, 's'));
        const QString cheminVerrou = reste + "/.verrou";
        QLockFile tenu(cheminVerrou);
        if (!verrou.isEmpty()) {
            QVERIFY(tenu.tryLock(0));
            if (verrou != "vivant") {
                QList<QByteArray> lignes = LireOctets(cheminVerrou).split('\n');
                tenu.unlock();
                if (verrou == "mort") {
                    // A process that has ended: its number names no running program.
                    QProcess fils;
                    fils.start(QCoreApplication::applicationFilePath(), {"-functions"});
                    QVERIFY(fils.waitForStarted());
                    const qint64 numero = fils.processId();
                    QVERIFY(fils.waitForFinished());
                    lignes[0] = QByteArray::number(numero);
                } else {
                    lignes[2] = "autre-poste";
                    for (qsizetype i = 3; i < lignes.size(); ++i)
                        if (!lignes.at(i).isEmpty())
                            lignes[i] = "0123456789abcdef";
                }
                EcrireOctets(cheminVerrou, lignes.join('\n'));
            }
        }
        const QDateTime quand = QDateTime::currentDateTime().addSecs(-qint64(ageHeures) * 3600);
        for (const QString& c : {cheminVerrou, reste})
            if (QFileInfo::exists(c))
                QVERIFY(Dater(c, quand));

        const QString zip = env->Programme + "Sons.zip";
        QVERIFY(EcrireZip(zip, {{"Sons/chat.wav", "ok"}}));
        QString nom, raison;
        QVERIFY2(ImporterArchive(zip, medias, &nom, &raison), qPrintable(raison));
        QCOMPARE(QFileInfo::exists(reste), !retire);
        QVERIFY(QFileInfo::exists(medias + "/Sons/chat.wav"));
    }
};

QTEST_GUILESS_MAIN(TstPartageDossier)
#include "tst_partagedossier.moc"
