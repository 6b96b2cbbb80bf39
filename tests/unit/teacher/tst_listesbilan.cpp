// The report form's lists and file operations, worked out from a records tree on disk.

#include "Doubles.h"
#include "core/Etat.h"
#include "core/teacher/Enregistreur.h"
#include "core/teacher/ListesBilan.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

namespace {

// Creates each name below `dossier`: a name ending with "/" is a folder, any other a file.
void Creer(const QString& dossier, const QStringList& noms) {
    for (const QString& n : noms) {
        if (n.endsWith(u'/'))
            QDir(dossier).mkpath(n);
        else
            EcrireOctets(dossier + n, "x\r\n");
    }
}

QStringList Restants(const QString& dossier) {
    QStringList r = QDir(dossier).entryList(QDir::Files, QDir::Name);
    return r;
}

void Executable(const QString& chemin) {
    EcrireOctets(chemin, "#!/bin/sh\nexit 0\n");
    QFile(chemin).setPermissions(QFile::permissions(chemin) | QFileDevice::ExeOwner |
                                 QFileDevice::ExeUser);
}

} // namespace

class TstListesBilan : public QObject {
    Q_OBJECT
private slots:
    void groupes_data() {
        QTest::addColumn<QStringList>("entrees");
        QTest::addColumn<QStringList>("groupes");
        QTest::newRow("CM1, CM2.old, notes")
            << QStringList{"CM1/", "CM2.old/", "notes"} << QStringList{"CM1", "notes"};
        QTest::newRow("fichiers avec extension et cachés")
            << QStringList{"CE1/", "lisez-moi.txt", ".cache/", ".profil"} << QStringList{"CE1"};
        QTest::newRow("ordre pour les gens")
            << QStringList{"CM10/", "cm2/", "CE1/", "Élan/", "Eric/"}
            << QStringList{"CE1", "cm2", "CM10", "Élan", "Eric"};
        QTest::newRow("racine vide") << QStringList{} << QStringList{};
    }
    void groupes() {
        QFETCH(QStringList, entrees);
        QFETCH(QStringList, groupes);
        EnvironnementTest env;
        const QString racine = env.Programme + "_Bilans/";
        QDir().mkpath(racine);
        Creer(racine, entrees);
        QCOMPARE(ListerGroupes(racine), groupes);
    }

    void racineAbsente() {
        EnvironnementTest env;
        QCOMPARE(ListerGroupes(env.Programme + "absent/"), QStringList{});
        QCOMPARE(ListerGroupes(QString()), QStringList{});
        QCOMPARE(ListerEleves(env.Programme + "absent/").Eleves, QStringList{});
        QCOMPARE(ListerEleves(QString()).Eleves, QStringList{});
    }

    void eleves_data() {
        QTest::addColumn<QStringList>("entrees");
        QTest::addColumn<QStringList>("eleves");
        QTest::newRow("Paul, Lea.TXT, Jean_Marc")
            << QStringList{"Paul.txt",     "Paul_Detail.txt", "Paul_Exos.txt",
                           "Paul_Pwd.txt", "Lea.TXT",         "Jean_Marc.txt"}
            << QStringList{"Lea", "Paul"};
        QTest::newRow("autres extensions et dossiers")
            << QStringList{"Zoé.Txt", "notes.doc", "image.txt.jpg", "classeur.txt/"}
            << QStringList{"Zoé"};
        QTest::newRow("noms accentués et nombres")
            << QStringList{"Eric.txt", "Élodie.txt", "élève 10.txt", "élève 2.txt",
                           "Anne Sophie.txt"}
            << QStringList{"Anne Sophie", "élève 2", "élève 10", "Élodie", "Eric"};
        QTest::newRow("seulement des compagnons")
            << QStringList{"Paul_Detail.txt", "Paul_Pwd.txt"} << QStringList{};
    }
    void eleves() {
        QFETCH(QStringList, entrees);
        QFETCH(QStringList, eleves);
        EnvironnementTest env;
        const QString groupe = env.Programme + "_Bilans/CM1/";
        QDir().mkpath(groupe);
        Creer(groupe, entrees);
        QCOMPARE(ListerEleves(groupe).Eleves, eleves);
    }

    void dossierDuGroupe_data() {
        QTest::addColumn<QString>("groupe");
        QTest::addColumn<QString>("dossier");
        QTest::newRow("Choisis ton groupe") << "Choisis ton groupe"
                                            << "/b/_Bilans/";
        QTest::newRow("aucun groupe") << ""
                                      << "/b/_Bilans/";
        QTest::newRow("CM1") << "CM1"
                             << "/b/_Bilans/CM1/";
        QTest::newRow("blancs et accents") << "Classe de Mme Dupré"
                                           << "/b/_Bilans/Classe de Mme Dupré/";
    }
    void dossierDuGroupe() {
        QFETCH(QString, groupe);
        QFETCH(QString, dossier);
        QCOMPARE(DossierDuGroupe("/b/_Bilans/", groupe), dossier);
    }

    void enTeteImpression_data() {
        QTest::addColumn<QString>("groupe");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("a group") << "CM1" << QString::fromUtf8("Léa – groupe CM1 – 08/12/2026");
        QTest::newRow("no group") << "" << QString::fromUtf8("Léa – 08/12/2026");
        QTest::newRow("the start form's prompt is no group")
            << "Choisis ton groupe" << QString::fromUtf8("Léa – 08/12/2026");
    }
    void enTeteImpression() {
        QFETCH(QString, groupe);
        QFETCH(QString, attendu);
        QCOMPARE(EnTeteImpression(QString::fromUtf8("Léa"), groupe, "08/12/2026"), attendu);
    }

    void preselection_data() {
        QTest::addColumn<QString>("depart");
        QTest::addColumn<int>("groupe");
        QTest::addColumn<int>("eleve");
        const QStringList groupes{"CE2", "CM1", "CM2"};
        // Empty: no group chosen, and nobody named (a visitor, the "Nouveau" entry).
        QTest::newRow("nobody") << "" << 0 << 0;
        QTest::newRow("CM1 exact") << "CM1" << 1 << -1;
        QTest::newRow("cm2 sans la casse") << "cm2" << 2 << -1;
        QTest::newRow("Paul") << "Paul" << -1 << 1;
        QTest::newRow("paul sans la casse") << "paul" << -1 << 1;
        QTest::newRow("absent") << "Zoé" << -1 << -1;
    }
    void preselection() {
        QFETCH(QString, depart);
        QFETCH(int, groupe);
        QFETCH(int, eleve);
        QCOMPARE(GroupeAPreselectionner({"CE2", "CM1", "CM2"}, depart), groupe);
        QCOMPARE(EleveAPreselectionner({"Lea", "Paul"}, depart), eleve);
    }

    void preselectionListesVides() {
        QCOMPARE(GroupeAPreselectionner({}, ""), -1);
        QCOMPARE(EleveAPreselectionner({}, ""), -1);
    }

    void indexPrefereLaCasseExacte() {
        QCOMPARE(IndexDansListe({"paul", "Paul"}, "Paul"), 1);
        QCOMPARE(IndexDansListe({"paul", "Paul"}, "PAUL"), 0);
    }

    void suppression_data() {
        QTest::addColumn<QStringList>("presents");
        QTest::addColumn<QStringList>("supprimes");
        QTest::addColumn<QStringList>("restants");
        const QStringList autres{"Lea.txt", "Paul2.txt", "Paul_Autre.txt"};
        QTest::newRow("les quatre, dans l'ordre")
            << QStringList{"Paul.txt", "Paul_Pwd.txt", "Paul_Detail.txt", "Paul_Exos.txt"} + autres
            << QStringList{"Paul.txt", "Paul_Pwd.txt", "Paul_Detail.txt", "Paul_Exos.txt"}
            << autres;
        QTest::newRow("sans mot de passe")
            << QStringList{"Paul.txt", "Paul_Detail.txt", "Paul_Exos.txt"} + autres
            << QStringList{"Paul.txt", "Paul_Detail.txt", "Paul_Exos.txt"} << autres;
        QTest::newRow("autre casse")
            << QStringList{"PAUL.TXT", "paul_pwd.txt", "Paul_DETAIL.txt", "paul_exos.TXT"} + autres
            << QStringList{"PAUL.TXT", "paul_pwd.txt", "Paul_DETAIL.txt", "paul_exos.TXT"}
            << autres;
        QTest::newRow("élève absent") << autres << QStringList{} << autres;
        // Paul and paul are two pupils: each one's files are his own.
        QTest::newRow("un autre élève paul : son mot de passe reste")
            << QStringList{"Paul.txt", "Paul_Detail.txt", "Paul_Exos.txt",
                           "paul.txt", "paul_Pwd.txt",    "paul_Detail.txt"}
            << QStringList{"Paul.txt", "Paul_Detail.txt", "Paul_Exos.txt"}
            << QStringList{"paul.txt", "paul_Detail.txt", "paul_Pwd.txt"};
        QTest::newRow("le nom écrit exactement gagne")
            << QStringList{"Paul.txt", "Paul_Pwd.txt", "PAUL_Pwd.txt"}
            << QStringList{"Paul.txt", "Paul_Pwd.txt"} << QStringList{"PAUL_Pwd.txt"};
        QTest::newRow("un mot de passe d'une autre casse sans autre élève est le sien")
            << QStringList{"Paul.txt", "paul_Pwd.txt"} << QStringList{"Paul.txt", "paul_Pwd.txt"}
            << QStringList{};
    }
    void suppression() {
        QFETCH(QStringList, presents);
        QFETCH(QStringList, supprimes);
        QFETCH(QStringList, restants);
        SAUTER_SI_CASSES_CONFONDUES(presents);
        EnvironnementTest env;
        const QString groupe = env.Programme + "_Bilans/CM1/";
        QDir().mkpath(groupe);
        Creer(groupe, presents);
        QStringList attendus;
        for (const QString& s : supprimes)
            attendus.append(groupe + s);
        QCOMPARE_CHEMIN(FichiersASupprimer(groupe, "Paul"), attendus);
        QCOMPARE_CHEMIN(SupprimerEleve(groupe, "Paul"), attendus);
        QCOMPARE(Restants(groupe), restants);
        QVERIFY(QFileInfo(groupe).isDir()); // the group folder stays, even empty
    }

    // A deletion can be undone: the files go to the desktop's trash, or where there is none,
    // whole into a hidden folder of the group that no list shows. Put back, the pupil is
    // there again with his records.
    void suppressionReversible_data() {
        QTest::addColumn<bool>("corbeille");
        QTest::newRow("corbeille du bureau") << true;
        QTest::newRow("pas de corbeille (partage réseau)") << false;
    }
    void suppressionReversible() {
        QFETCH(bool, corbeille);
        EnvironnementTest env;
        env.Corbeille.Disponible = corbeille;
        const QString racine = env.Programme + "_Bilans/";
        const QString groupe = racine + "CM1/";
        const QStringList fichiers{"Paul.txt", "Paul_Pwd.txt", "Paul_Detail.txt", "Paul_Exos.txt"};
        for (const QString& f : fichiers)
            EcrireOctets(groupe + f, f.toUtf8());
        EcrireOctets(groupe + "Lea.txt", "");
        QCOMPARE(SupprimerEleve(groupe, "Paul").size(), 4);
        QCOMPARE(ListerEleves(groupe).Eleves, QStringList{"Lea"});
        QCOMPARE(ListerGroupes(racine), QStringList{"CM1"});
        // Where the teacher finds them.
        QString ou = env.Corbeille.Dossier + "/";
        if (!corbeille) {
            const QStringList suppressions =
                QDir(groupe + DossierElevesSupprimes).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
            QCOMPARE(suppressions.size(), 1);
            QVERIFY(suppressions.first().endsWith(" Paul"));
            ou = groupe + DossierElevesSupprimes + "/" + suppressions.first() + "/";
        }
        QCOMPARE(env.Corbeille.Jetes.size(), corbeille ? 4 : 0);
        for (const QString& f : fichiers) {
            QCOMPARE(LireOctets(ou + f), f.toUtf8());
            QVERIFY(QFile::rename(ou + f, groupe + f));
        }
        QCOMPARE(ListerEleves(groupe).Eleves, (QStringList{"Lea", "Paul"}));
        // Deleted again the same second: the first set is not overwritten.
        SupprimerEleve(groupe, "Paul");
        for (const QString& f : fichiers)
            EcrireOctets(groupe + f, "2");
        SupprimerEleve(groupe, "Paul");
        if (!corbeille)
            QCOMPARE(QDir(groupe + DossierElevesSupprimes)
                         .entryList(QDir::Dirs | QDir::NoDotAndDotDot)
                         .size(),
                     3);
    }

    // A file that cannot go (here: a folder under a pupil file's name) is skipped; the others go.
    void suppressionFichierRebelle() {
        EnvironnementTest env;
        const QString groupe = env.Programme + "_Bilans/CM1/";
        Creer(groupe, {"Paul.txt", "Paul_Pwd.txt/", "Paul_Detail.txt", "Paul_Exos.txt"});
        QCOMPARE(SupprimerEleve(groupe, "Paul"),
                 (QStringList{groupe + "Paul.txt", groupe + "Paul_Detail.txt",
                              groupe + "Paul_Exos.txt"}));
        QVERIFY(QFileInfo(groupe + "Paul_Pwd.txt").isDir());
    }

    // The desktop trash of a fresh account (no ~/.local/share yet): the file lands in that
    // trash, never in a "files" folder of the working directory; where no trash can be made,
    // the file stays and the caller uses its hidden folder.
    void corbeilleDuSysteme_data() {
        QTest::addColumn<bool>("donneesPossibles");
        QTest::newRow("compte neuf") << true;
        QTest::newRow("données impossibles") << false;
    }
    void corbeilleDuSysteme() {
#ifdef Q_OS_WIN
        QSKIP("the XDG trash is Linux's: Windows' recycle bin is the system's own");
#endif
        QFETCH(bool, donneesPossibles);
        EnvironnementTest env;
        const QString travail = env.Programme + "travail";
        QVERIFY(QDir().mkpath(travail));
        if (!donneesPossibles)
            EcrireOctets(env.Programme + "bloque", "un fichier");
        const QString donnees =
            env.Programme + (donneesPossibles ? "maison/.local/share" : "bloque/share");
        const QByteArray avant = qgetenv("XDG_DATA_HOME");
        const QString dossierAvant = QDir::currentPath();
        qputenv("XDG_DATA_HOME", QFile::encodeName(donnees));
        QDir::setCurrent(travail);
        EcrireOctets(env.Programme + "Paul.txt", "chat|1\r\n");
        const bool jete = CorbeilleSysteme().Jeter(env.Programme + "Paul.txt");
        QDir::setCurrent(dossierAvant);
        qputenv("XDG_DATA_HOME", avant);
        QCOMPARE(jete, donneesPossibles);
        QCOMPARE(QFile::exists(env.Programme + "Paul.txt"), !donneesPossibles);
        QCOMPARE(QFile::exists(donnees + "/Trash/files/Paul.txt"), donneesPossibles);
        QVERIFY(QDir(travail).isEmpty());
    }

    void enregistreur_data() {
        QTest::addColumn<QString>("cheminLogSon");
        QTest::addColumn<QStringList>("programmes"); // executables put on the search path
        QTest::addColumn<int>("sorte");
        QTest::addColumn<QString>("cible"); // {prog} program folder, {path} search folder
        QTest::newRow("CHEMINLOGSON exécutable")
            << "{prog}outils/Enregistreur.sh" << QStringList{"audacity"}
            << int(ChoixEnregistreur::Programme) << "{prog}outils/Enregistreur.sh";
        QTest::newRow("CHEMINLOGSON relatif, à la Windows, autre casse")
            << "OUTILS\\enregistreur.SH" << QStringList{"audacity"}
            << int(ChoixEnregistreur::Programme) << "{prog}outils/Enregistreur.sh";
        QTest::newRow("CHEMINLOGSON lanceur non exécutable")
            << "{prog}outils/enregistreur.desktop" << QStringList{}
            << int(ChoixEnregistreur::Document) << "{prog}outils/enregistreur.desktop";
        QTest::newRow("CHEMINLOGSON absent : enregistreur du bureau")
            << "C:\\Windows\\sndrec32.exe" << QStringList{"audacity"}
            << int(ChoixEnregistreur::Programme) << "{path}audacity";
        QTest::newRow("CHEMINLOGSON nom sur le chemin de recherche")
            << "monmagneto" << QStringList{"monmagneto", "audacity"}
            << int(ChoixEnregistreur::Programme) << "{path}monmagneto";
        QTest::newRow("vide : le premier connu")
            << "" << QStringList{"audacity", "gnome-sound-recorder"}
            << int(ChoixEnregistreur::Programme) << "{path}gnome-sound-recorder";
        QTest::newRow("aucun enregistreur")
            << "" << QStringList{} << int(ChoixEnregistreur::Aucun) << "";
    }
    void enregistreur() {
        QFETCH(QString, cheminLogSon);
        QFETCH(QStringList, programmes);
        QFETCH(int, sorte);
        QFETCH(QString, cible);
#ifdef Q_OS_WIN
        // The same cases where programs are named by their extension: a batch file for the
        // script, ".exe" on the search path.
        for (QString* t : {&cheminLogSon, &cible})
            t->replace(".sh", ".bat").replace(".SH", ".BAT");
        for (QString& p : programmes)
            p += ExtensionProgramme;
        if (cible.startsWith("{path}"))
            cible += ExtensionProgramme;
        const QString script = "outils/Enregistreur.bat";
#else
        const QString script = "outils/Enregistreur.sh";
#endif
        EnvironnementTest env;
        const QString recherche = env.Programme + "bin/";
        QDir().mkpath(recherche);
        for (const QString& p : programmes)
            Executable(recherche + p);
        Executable(env.Programme + script);
        EcrireOctets(env.Programme + "outils/enregistreur.desktop", "[Desktop Entry]\n");
        cheminLogSon.replace("{prog}", env.Programme);
        cible.replace("{prog}", env.Programme).replace("{path}", recherche);

        const ChoixEnregistreur choix =
            ChoisirEnregistreur(cheminLogSon, env.Programme, {recherche});
        QCOMPARE(int(choix.Sorte), sorte);
        QCOMPARE_CHEMIN(choix.Cible, cible);
    }
};

QTEST_GUILESS_MAIN(TstListesBilan)
#include "tst_listesbilan.moc"
