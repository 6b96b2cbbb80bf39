// Every record-file layout, byte for byte against the reference files, and the journal.

#include "Doubles.h"
#include "core/Etat.h"
#include "core/records/Durees.h"
#include "core/records/FichiersEleve.h"
#include "core/records/Journal.h"
#include "core/records/LignesBilan.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QTest>

#include <memory>
#include <vector>

namespace {
QByteArray Exemple(const char* nom) {
    return LireOctets(QStringLiteral(PLUMELUNE_EXEMPLES "/") + nom);
}
} // namespace

class TstFichiersEleve : public QObject {
    Q_OBJECT
private slots:
    // The two-item exercise of the reference: chat right at once; chien missed twice, right
    // at the third attempt, then asked again and right at once.
    void detailCommeLaReference() {
        EnvironnementTest env;
        const QString f = env.Programme + "Paul_Detail.txt";
        QVERIFY(CreerFichierVide(f));
        AjouterLigne(f, LigneEnTete("07/12/2026", "14:03:27", 2, "Animaux"));
        AjouterLigne(f, LigneJustePremierEssai("chat", FormaterDuree(4, false), false));
        AjouterTexte(f, DebutLigneRatee(TexteAttendu("chien.wav"), "chein"));
        AjouterTexte(f, SuiteLigneRatee("chiein"));
        AjouterLigne(f, FinLigneRatee(FormaterDuree(65, false), 3));
        AjouterLigne(f, LigneJustePremierEssai("chien", FormaterDuree(3, false), true));
        for (const QString& l : LignesFinExercice(FormaterDuree(72, false), "8", "10"))
            AjouterLigne(f, l);
        QCOMPARE(LireOctets(f), Exemple("Paul_Detail.txt"));
    }

    void resumeCommeLaReference() {
        EnvironnementTest env;
        const QString f = env.Programme + "Paul_Exos.txt";
        QVERIFY(CreerFichierVide(f));
        AjouterLigne(f, LigneResume("07/12/2026", true, "8", "10", "Animaux"));
        AjouterLigne(f, LigneResume("08/12/2026", false, "15", "50", "Les fruits"));
        QCOMPARE(LireOctets(f), Exemple("Paul_Exos.txt"));
    }

    void motDePasseCommeLaReference() {
        EnvironnementTest env;
        const QString f = env.Programme + "Paul_Pwd.txt";
        QVERIFY(CreerFichierVide(f));
        AjouterLigne(f, "  Soleil ");
        QCOMPARE(LireOctets(f), Exemple("Paul_Pwd.txt"));
    }

    void lignes_data() {
        QTest::addColumn<QString>("ligne");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("header one item")
            << LigneEnTete("01/02/2027", "08:00:00", 1, "Les nombres")
            << "01/02/2027 à 08:00:00 - 1 item - Exercice sur [Les nombres]";
        QTest::newRow("expected of alternatives")
            << TexteAttendu("Ecole£École.WAV") << "Ecole     École";
        QTest::newRow("expected keeps codes") << TexteAttendu("l#apo#eau.Wav") << "l#apo#eau";
        QTest::newRow("expected other case kept") << TexteAttendu("chat.wAv") << "chat.wAv";
        QTest::newRow("summary 45 of 50") << LigneResume("08/12/2026", true, "45", "50", "X")
                                          << "08/12/2026 | Terminé    |   45 /  50 | X";
        QTest::newRow("interruption")
            << LignesInterruption(FormaterDuree(125, false)).join("|")
            << "|Exercice interrompu après 2 min 5 s.|" + QString(68, '-');
        QTest::newRow("empty answer in a missed line")
            << DebutLigneRatee("chien", "...") + SuiteLigneRatee("...") << "chien : ... - ...";
    }
    void lignes() {
        QFETCH(QString, ligne);
        QFETCH(QString, attendu);
        QCOMPARE(ligne, attendu);
    }

    void ajoutsSeulementAUnFichierExistant() {
        EnvironnementTest env;
        const QString f = env.Programme + "absent.txt";
        AjouterLigne(f, "x");
        AjouterTexte(f, "y");
        QVERIFY(!QFileInfo::exists(f));
    }

    void ligneVideEtCaracteresHorsCodePage() {
        EnvironnementTest env;
        const QString f = env.Programme + "f.txt";
        QVERIFY(CreerFichierVide(f));
        AjouterTexte(f, "ouvert");
        AjouterLigne(f, "");            // closes the open line
        AjouterLigne(f, "");            // an empty line
        AjouterLigne(f, "Ωmega € œuf"); // Ω has no byte: "?"
        QCOMPARE(LireOctets(f), QByteArray("ouvert\r\n\r\n?mega \x80 \x9C"
                                           "uf\r\n"));
    }

    void creerVideVideUnFichierExistant() {
        EnvironnementTest env;
        EcrireOctets(env.Programme + "Paul.TXT", "chat|3\r\n");
        QVERIFY(CreerFichierVide(env.Programme + "paul.txt")); // found whatever its case
        QCOMPARE(LireOctets(env.Programme + "Paul.TXT"), QByteArray());
        // No second file beside it (Windows would name both spellings one file anyway).
        QCOMPARE(QDir(env.Programme).entryList({"paul.txt"}, QDir::Files), QStringList{"Paul.TXT"});
        QVERIFY(!CreerFichierVide(env.Programme + "absent/x.txt"));
    }

    // A name already taken by another running copy is drawn again; the file is created empty.
    void journalNeReprendJamaisUnNomPris() {
        EnvironnementTest env;
        EcrireOctets(env.Programme + "Bilan_42.txt", "autre copie");
        QLockFile autreCopie(env.Programme + ".Bilan_42.txt.lock"); // held: a running copy
        QVERIFY(autreCopie.tryLock(0));
        env.Hasard.Tirages = {42, 42, 7};
        QVERIFY(CreerJournal());
        QCOMPARE(Etat.FichierJournal, env.Programme + "Bilan_7.txt");
        QCOMPARE(LireOctets(Etat.FichierJournal), QByteArray());
        QCOMPARE(LireOctets(env.Programme + "Bilan_42.txt"), QByteArray("autre copie"));
        QCOMPARE(env.Hasard.Bornes.first(), 10000000);
    }

    // Begun in the background at start-up, the journal is the same as one made on the spot:
    // same rules, its result given once; a later call (a new run in the same process) makes
    // another; a folder that refuses it says so through the same answer.
    void journalEnFond_data() {
        QTest::addColumn<bool>("possible");
        QTest::newRow("dossier du programme") << true;
        QTest::newRow("dossier absent") << false;
    }
    void journalEnFond() {
        QFETCH(bool, possible);
        EnvironnementTest env;
        if (!possible)
            Etat.DossierProgramme = env.Programme + "absent/";
        EcrireOctets(env.Programme + "Bilan_42.txt", "autre copie");
        QLockFile autreCopie(env.Programme + ".Bilan_42.txt.lock");
        QVERIFY(autreCopie.tryLock(0));
        env.Hasard.Tirages = {42, 7, 8};
        CreerJournalEnFond();
        AttendreJournalEnFond(); // a close before the first activation waits, takes nothing
        QCOMPARE(JournalCree(), possible);
        QCOMPARE(QFileInfo::exists(Etat.FichierJournal), possible);
        if (!possible)
            return;
        QCOMPARE(Etat.FichierJournal, env.Programme + "Bilan_7.txt");
        QVERIFY(QFileInfo::exists(env.Programme + ".Bilan_7.txt.lock"));
        QVERIFY(JournalCree()); // nothing pending any more: a journal made on the spot
        QCOMPARE(Etat.FichierJournal, env.Programme + "Bilan_8.txt");
    }

    void journalImpossible() {
        EnvironnementTest env;
        Etat.DossierProgramme = env.Programme + "absent/";
        QVERIFY(!CreerJournal());
        QVERIFY(!QFileInfo::exists(Etat.FichierJournal));
    }

    // The journals that killed or switched-off copies left: removed at the next start when
    // their lock is held by no running copy; never a live copy's, never a file without a lock
    // (an older copy still running, or a file that only looks like a journal).
    void journauxAbandonnes_data() {
        QTest::addColumn<QStringList>("journaux"); // created, each with "x"
        QTest::addColumn<QStringList>("morts");    // locks of a process that is gone
        QTest::addColumn<QStringList>("vivants");  // locks held now
        QTest::addColumn<QStringList>("restants"); // files left, this run's journal aside
        QTest::newRow("a dead copy's journal goes, with its lock")
            << QStringList{"Bilan_5.txt"} << QStringList{"Bilan_5.txt"} << QStringList{}
            << QStringList{};
        QTest::newRow("a running copy's journal stays")
            << QStringList{"Bilan_6.txt"} << QStringList{} << QStringList{"Bilan_6.txt"}
            << QStringList{".Bilan_6.txt.lock", "Bilan_6.txt"};
        QTest::newRow("no lock: an older copy's or a teacher's file stays")
            << QStringList{"Bilan_7.txt"} << QStringList{} << QStringList{}
            << QStringList{"Bilan_7.txt"};
        QTest::newRow("names the program never draws stay")
            << QStringList{"Bilan_007.txt", "Bilan_CM1.txt", "Bilan_12345678.txt"}
            << QStringList{"Bilan_007.txt", "Bilan_CM1.txt", "Bilan_12345678.txt"} << QStringList{}
            << QStringList{".Bilan_007.txt.lock", ".Bilan_12345678.txt.lock", ".Bilan_CM1.txt.lock",
                           "Bilan_007.txt",       "Bilan_12345678.txt",       "Bilan_CM1.txt"};
        QTest::newRow("a lock left without its journal goes")
            << QStringList{} << QStringList{"Bilan_8.txt"} << QStringList{} << QStringList{};
    }
    void journauxAbandonnes() {
        QFETCH(QStringList, journaux);
        QFETCH(QStringList, morts);
        QFETCH(QStringList, vivants);
        QFETCH(QStringList, restants);
        EnvironnementTest env;
        for (const QString& j : journaux)
            EcrireOctets(env.Programme + j, "x");
        // A process id above any the system gives, on this computer.
        for (const QString& j : morts)
            EcrireOctets(env.Programme + "." + j + ".lock", "999999999\nplumelune\n\n");
        std::vector<std::unique_ptr<QLockFile>> tenus;
        for (const QString& j : vivants) {
            tenus.push_back(std::make_unique<QLockFile>(env.Programme + "." + j + ".lock"));
            QVERIFY(tenus.back()->tryLock(0));
        }
        env.Hasard.Tirages = {1};
        QVERIFY(CreerJournal());
        QCOMPARE(Etat.FichierJournal, env.Programme + "Bilan_1.txt");
        QStringList fichiers =
            QDir(env.Programme).entryList(QDir::Files | QDir::Hidden, QDir::Name);
        fichiers.removeAll("Bilan_1.txt");
        fichiers.removeAll(".Bilan_1.txt.lock");
        QCOMPARE(fichiers, restants);
    }
};

QTEST_GUILESS_MAIN(TstFichiersEleve)
#include "tst_fichierseleve.moc"
