// Export and import of exercise folders: the plan checks every hostile shape of archive on its
// directory alone; real zip files (libzip) then go through the whole import, which writes the
// folder whole or nothing at all.

#include "Doubles.h"
#include "archive/ArchiveZip.h"
#include "core/studio/PartageDossier.h"

#include <QDir>
#include <QTest>

#include <sys/stat.h>
#include <zip.h>

Q_DECLARE_METATYPE(QVector<EntreeArchive>)

namespace {

EntreeArchive F(const QString& nom, qint64 taille = 10) {
    return {nom, taille, false, false};
}

struct EntreeZip {
    QByteArray Nom;
    QByteArray Contenu;
    bool Lien = false;
};

// An archive written as an attacker would: names, links and contents exactly as given.
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
        if (e.Lien)
            zip_file_set_external_attributes(z, zip_uint64_t(i), 0, ZIP_OPSYS_UNIX,
                                             zip_uint32_t(S_IFLNK | 0777) << 16);
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
        QTest::newRow("too big in all")
            << QVector<EntreeArchive>{F("D/a.wav", 300), F("D/b.wav", 300)} << "trop grosse";
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
                                             {QStringLiteral("Animaux")}, {10, 500});
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
        const QString zip = env->Programme + "Animaux.zip";
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
            << QVector<EntreeZip>{{"D/chat.wav", "ok"}, {"D/lien.wav", "/etc/passwd", true}}
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
};

QTEST_GUILESS_MAIN(TstPartageDossier)
#include "tst_partagedossier.moc"
