// Several processes on one records folder, as several classroom computers on one share:
// appends never interleave, a save killed at any moment leaves a whole history, two copies
// saving one pupil's history never undo each other's changes, a copy stopped in the middle of
// an item leaves only whole lines, and two copies of the program never share a journal.

#include "core/FichierTexte.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <memory>

namespace {

const QString outil = QStringLiteral(PLUMELUNE_OUTIL_ECRIVAIN);

// What the tool's save writes the (c)th time: the starting line, then every item at c.
QString VersionHistorique(int c) {
    QString t = QStringLiteral("depart|1\r\n");
    for (int k = 0; k < 50; ++k)
        t += QStringLiteral("mot %1 de la liste|%2\r\n").arg(k).arg(c);
    return t;
}

QByteArray Lire(const QString& chemin) {
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Ecrire(const QString& chemin, const QByteArray& octets) {
    QDir().mkpath(QFileInfo(chemin).absolutePath());
    QFile f(chemin);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(octets);
}

// One running copy's history, driven command by command.
class Copie {
public:
    explicit Copie(const QString& historique) {
        m_p.start(outil, {"reussites", historique});
        m_p.waitForStarted();
    }
    ~Copie() {
        m_p.write("fin\n");
        m_p.waitForFinished(10000);
    }
    Copie(const Copie&) = delete;
    Copie& operator=(const Copie&) = delete;
    // true once the copy answered "ok".
    bool Faire(const QString& commande) {
        m_p.write((commande + u'\n').toUtf8());
        while (!m_p.canReadLine())
            if (!m_p.waitForReadyRead(10000))
                return false;
        return m_p.readLine().trimmed() == "ok";
    }

private:
    QProcess m_p;
};

// The counts of `cle` in a history file's content; empty when it has no such line.
QString Compteurs(const QByteArray& contenu, const QString& cle) {
    for (const QString& l : DecouperLignes(DecoderTexte(contenu)))
        if (l.startsWith(cle + u'|'))
            return l.mid(cle.size() + 1);
    return {};
}

// Every form a line of a detail record or journal can take, when the exercises are those the
// tool plays on chat, chien and loup.
bool LigneEntiere(const QString& l) {
    static const QRegularExpression formes(QStringLiteral(
        "^(\\d\\d/\\d\\d/\\d{4} à \\d\\d:\\d\\d:\\d\\d - \\d+ items? - Exercice sur "
        "\\[Animaux\\]"
        "|(chat|chien|loup) : \\[\\d+ s - 1 essai( \\(déjà tenté\\))?\\]"
        "|(chat|chien|loup) : (faux|zzz) \\[\\d+ s - 2 essais\\]"
        "|(chat|chien|loup) : zzz"
        "|Temps exercice : \\d+ s\\.|Score : \\d+/\\d+\\.|Exercice interrompu après \\d+ s\\."
        "|-{68}|)$"));
    return formes.match(l).hasMatch();
}

// The lines of a record, checked whole: it ends with a line end and each line has a known form.
QStringList LignesEntieres(const QByteArray& octets) {
    if (!octets.isEmpty() && !octets.endsWith("\r\n"))
        return {QStringLiteral("<no line end at the end>")};
    QStringList mauvaises;
    for (const QString& l : DecouperLignes(DecoderTexte(octets)))
        if (!LigneEntiere(l))
            mauvaises.append(l);
    return mauvaises;
}

// A program folder, the group CM1 with Paul's three files, and the exercise folder Animaux.
struct Classe {
    QTemporaryDir d;
    QString programme = d.filePath("programme");
    QString groupe = d.filePath("_Bilans/CM1");
    QString animaux = d.filePath("_Medias/Animaux");
    Classe() {
        QDir().mkpath(programme);
        for (const char* f : {"Paul.txt", "Paul_Detail.txt", "Paul_Exos.txt"})
            Ecrire(groupe + "/" + f, {});
        for (const char* f : {"chat.wav", "chien.wav", "loup.wav"})
            Ecrire(animaux + "/" + f, "RIFF");
    }
    QStringList Arguments(const QStringList& mode) const {
        return QStringList{"exercice", programme, groupe, "Paul", animaux} + mode;
    }
    QByteArray Detail() const { return Lire(groupe + "/Paul_Detail.txt"); }
    QStringList Journaux() const {
        return QDir(programme).entryList({QStringLiteral("Bilan_*.txt")}, QDir::Files);
    }
};

} // namespace

class TstDossierPartage : public QObject {
    Q_OBJECT
private slots:
    void deuxProcessusAjoutent() {
        QTemporaryDir d;
        const QString f = d.filePath("Paul_Detail.txt");
        QFile vide(f);
        QVERIFY(vide.open(QIODevice::WriteOnly));
        vide.close();
        QProcess a, b;
        a.start(outil, {"ajouter", f, "5000", "A"});
        b.start(outil, {"ajouter", f, "5000", "B"});
        QVERIFY(a.waitForFinished(60000) && b.waitForFinished(60000));
        QCOMPARE(a.exitCode(), 0);
        QCOMPARE(b.exitCode(), 0);

        const QByteArray octets = Lire(f);
        QVERIFY(octets.endsWith("\r\n"));
        const QStringList lignes = DecouperLignes(DecoderTexte(octets));
        QCOMPARE(lignes.size(), 10000);
        const QRegularExpression forme(QStringLiteral("^([AB]) ligne (\\d{5}) élève appliqué$"));
        int suivant[2] = {0, 0};
        for (const QString& l : lignes) {
            const auto m = forme.match(l);
            QVERIFY2(m.hasMatch(), qPrintable(l));
            const int qui = m.captured(1) == u"A" ? 0 : 1;
            QCOMPARE(m.captured(2).toInt(), suivant[qui]); // none lost, none twice, in order
            ++suivant[qui];
        }
        QCOMPARE(suivant[0], 5000);
        QCOMPARE(suivant[1], 5000);
    }

    void sauvegardeTueeAuHasard() {
        QTemporaryDir d;
        const QString f = d.filePath("Paul.txt");
        const QByteArray depart = "depart|1\r\n";
        Ecrire(f, depart);

        // How long the tool takes to reach its first save on this build (five times longer under
        // the sanitizers): the kills fall among the saves, not during the start.
        QElapsedTimer chrono;
        chrono.start();
        QProcess premier;
        premier.start(outil, {"sauver", f, "1"});
        QVERIFY(premier.waitForFinished(10000));
        const int demarrage = int(chrono.elapsed());

        int sauvegardes = 0, interruptions = 0, versionsVues = 0;
        QRandomGenerator hasard(20261208);
        while ((sauvegardes < 1000 || interruptions < 50) && interruptions < 500) {
            QProcess p;
            p.start(outil, {"sauver", f, "1000"});
            QVERIFY(p.waitForStarted());
            QTest::qWait(demarrage + hasard.bounded(10, 80));
            p.kill(); // SIGKILL: no clean-up runs
            p.waitForFinished(10000);
            ++interruptions;
            sauvegardes += p.readAllStandardOutput().count('\n');

            const QByteArray contenu = Lire(f);
            QVERIFY2(!contenu.isEmpty(), "history emptied");
            if (contenu == depart)
                continue;
            const QRegularExpressionMatch m =
                QRegularExpression(QStringLiteral("^depart\\|1\r\nmot 0 de la liste\\|(\\d+)\r\n"))
                    .match(QString::fromLatin1(contenu));
            QVERIFY2(m.hasMatch(), contenu.left(80).constData());
            QCOMPARE(QString::fromLatin1(contenu), VersionHistorique(m.captured(1).toInt()));
            ++versionsVues;
        }
        qInfo("%d saves, %d processes killed, %d whole new versions found, 0 damaged", sauvegardes,
              interruptions, versionsVues);
        QVERIFY(sauvegardes >= 1000);
    }

    // Both copies draw 42; the second one must take another name, and closing it must leave
    // the first one's journal alone.
    void deuxCopiesDeuxJournaux() {
        QTemporaryDir d;
        QProcess a, b;
        a.start(outil, {"journal", d.path(), "42"});
        QVERIFY(a.waitForReadyRead(10000));
        const QString ja = QString::fromLocal8Bit(a.readLine()).trimmed();
        b.start(outil, {"journal", d.path(), "42"});
        QVERIFY(b.waitForReadyRead(10000));
        const QString jb = QString::fromLocal8Bit(b.readLine()).trimmed();
        QCOMPARE(ja, d.filePath("Bilan_42.txt"));
        QVERIFY(jb != ja);
        QVERIFY(QFile::exists(ja) && QFile::exists(jb));
        b.write("\n");
        QVERIFY(b.waitForFinished(10000));
        QVERIFY(!QFile::exists(jb));
        QVERIFY(QFile::exists(ja));
        a.write("\n");
        QVERIFY(a.waitForFinished(10000));
        QVERIFY(!QFile::exists(ja));
    }

    // Two copies of the program hold the same pupil's history: A counts a success on chien
    // and a failure on souris, B a success on chat and one on souris; each saves, A once more
    // from the start form with nothing new. In every order of these steps, what the other one
    // saved stays: chien and chat are always counted, and souris holds the value of whichever
    // copy saved it last.
    void deuxCopiesSauventDansTousLesOrdres() {
        QTemporaryDir d;
        const QString f = d.filePath("Paul.txt");
        const QByteArray depart = "chien|1\r\nchat|1\r\nsouris|3\r\n";
        const QStringList a{"charger", "+chien", "-souris", "sauver", "sauver"};
        const QStringList b{"charger", "+chat", "+souris", "sauver"};
        Copie copieA(f), copieB(f);
        int ordres = 0;
        // Each order: which copy takes the next step, as the bits of `choix`.
        for (int choix = 0; choix < (1 << (a.size() + b.size())); ++choix) {
            if (int(qPopulationCount(quint32(choix))) != int(b.size()))
                continue;
            Ecrire(f, depart);
            qsizetype ia = 0, ib = 0;
            QString sourisA, sourisB, sourisDernier;
            QString ordre;
            for (qsizetype pas = 0; pas < a.size() + b.size(); ++pas) {
                const bool deB = choix & (1 << pas);
                const QString& commande = deB ? b.at(ib++) : a.at(ia++);
                ordre += (deB ? "B:" : "A:") + commande + ' ';
                // What each copy will write for souris, from what it loaded.
                if (commande == u"charger") {
                    const QString lu = Compteurs(Lire(f), "souris");
                    if (deB)
                        sourisB = lu.left(lu.lastIndexOf(u'-') + 1) +
                                  QString::number(lu.mid(lu.lastIndexOf(u'-') + 1).toInt() + 1);
                    else
                        sourisA = lu.endsWith("-0") ? lu : lu + "-0";
                }
                // The last save of a copy that changed something since its previous one.
                if (commande == u"sauver" && (deB || ia == 4))
                    sourisDernier = deB ? sourisB : sourisA;
                QVERIFY2((deB ? copieB : copieA).Faire(commande), qPrintable(ordre));
            }
            const QByteArray fin = Lire(f);
            QVERIFY2(fin == "chien|2\r\nchat|2\r\nsouris|" + sourisDernier.toLatin1() + "\r\n",
                     qPrintable(ordre + "-> " + QString::fromLatin1(fin)));
            ++ordres;
        }
        QCOMPARE(ordres, 126);
    }

    // The case seen in a classroom: A saves chien|2, B then chien|3, A quits from the start
    // form: B's count stays.
    void laCopieQuiQuitteNeDefaitRien() {
        QTemporaryDir d;
        const QString f = d.filePath("Paul.txt");
        Ecrire(f, "chien|1\r\n");
        Copie a(f), b(f);
        QVERIFY(a.Faire("charger") && a.Faire("+chien") && a.Faire("sauver"));
        QCOMPARE(Lire(f), QByteArray("chien|2\r\n"));
        QVERIFY(b.Faire("charger") && b.Faire("+chien") && b.Faire("sauver"));
        QCOMPARE(Lire(f), QByteArray("chien|3\r\n"));
        QVERIFY(a.Faire("sauver"));
        QCOMPARE(Lire(f), QByteArray("chien|3\r\n"));
    }

    // A copy killed, or sent SIGTERM, while a wrong answer's line is open: the detail record
    // and the journal hold only whole lines, and the next exercise's header starts a line of
    // its own.
    void arretAvecUneLigneOuverte_data() {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGKILL") << int(SIGKILL);
        QTest::newRow("SIGTERM") << int(SIGTERM);
    }
    void arretAvecUneLigneOuverte() {
        QFETCH(int, signal);
        Classe c;
        QProcess p;
        p.start(outil, c.Arguments({"ouvert"}));
        QVERIFY(p.waitForReadyRead(20000));
        QCOMPARE(p.readLine().trimmed(), QByteArray("ouvert"));
        QCOMPARE(c.Journaux().size(), 1);
        const QString journal = c.programme + "/" + c.Journaux().first();
        QVERIFY(!c.Detail().contains("zzz")); // the open line is not on disk yet
        ::kill(static_cast<pid_t>(p.processId()), signal);
        QVERIFY(p.waitForFinished(20000));

        const QByteArray detail = c.Detail();
        QCOMPARE(LignesEntieres(detail), QStringList{});
        QCOMPARE(LignesEntieres(Lire(journal)), QStringList{});
        const QByteArray regle = QByteArray(68, '-') + "\r\n";
        if (signal == SIGTERM) {
            // Ended as "Quitter" ends it: the open line ended, then the interruption.
            QVERIFY(detail.endsWith(" : zzz\r\nExercice interrompu apr\xE8s 0 s.\r\n" + regle));
            QVERIFY(Lire(journal).endsWith(detail));
            QFile::remove(journal); // the program deletes it as it closes
        } else {
            QVERIFY(!detail.contains("zzz")); // lost with the process, and nothing half-written
            QCOMPARE(Lire(journal), regle + detail);
        }

        QProcess suivant;
        suivant.start(outil, c.Arguments({"complet", "1"}));
        QVERIFY(suivant.waitForFinished(20000));
        QCOMPARE(suivant.readAllStandardOutput().trimmed(), QByteArray("fini"));
        const QByteArray ensuite = c.Detail();
        QVERIFY(ensuite.startsWith(detail));
        QCOMPARE(LignesEntieres(ensuite), QStringList{});
        QCOMPARE(DecouperLignes(DecoderTexte(ensuite)).filter(" - Exercice sur [Animaux]").size(),
                 2);
        // The killed copy's journal went at that start; nothing else is left.
        QCOMPARE(c.Journaux(), QStringList{});
    }

    // Two computers record the same pupil at the same moment: each line reaches the record
    // whole, never in pieces mixed with the other's.
    void deuxCopiesMemeEleve() {
        Classe c;
        QProcess a, b;
        a.start(outil, c.Arguments({"complet", "20"}));
        b.start(outil, c.Arguments({"complet", "20"}));
        QVERIFY(a.waitForFinished(60000) && b.waitForFinished(60000));
        QCOMPARE(a.exitCode(), 0);
        QCOMPARE(b.exitCode(), 0);
        const QByteArray detail = c.Detail();
        QCOMPARE(LignesEntieres(detail), QStringList{});
        const QStringList lignes = DecouperLignes(DecoderTexte(detail));
        QCOMPARE(lignes.filter(" - Exercice sur [Animaux]").size(), 40);
        QCOMPARE(lignes.filter(" : faux [").size(), 40 * 3);
        QCOMPARE(lignes.filter(QRegularExpression("^Score : 12/15\\.$")).size(), 40);
    }
};

QTEST_GUILESS_MAIN(TstDossierPartage)
#include "tst_dossierpartage.moc"
