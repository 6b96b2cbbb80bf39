// A pupil's records read back whole, and a group's view: checked on small files written by hand,
// then on a generated class whose every event the generator remembers, so that each figure is
// recounted the plain way and compared.

#include "Doubles.h"
#include "core/FichierTexte.h"
#include "core/progress/SuiviClasse.h"
#include "core/setup/ListesDepart.h"

#include <QCollator>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSet>
#include <QTest>

#include <map>

namespace {

QString Regle() {
    return QString(68, u'-');
}

// Words as the detail record writes them: codes, alternatives joined by five blanks.
struct Vocabulaire {
    QString Ecrit;    // in the detail record
    QString Affiche;  // what people are shown
    QStringList Cles; // history keys
};
const QVector<Vocabulaire>& Mots() {
    static const QVector<Vocabulaire> mots = [] {
        QVector<Vocabulaire> v = {
            {"l#apo#eau", "l'eau", {"l'eau"}},
            {"chat     chats", "chat / chats", {"chat", "chats"}},
            {"Paris", "Paris", {"paris"}},
            {"le château", "le château", {"le château"}},
            {"où#int#", "où?", {"où?"}},
            {"Élodie", "Élodie", {"Élodie"}},
        };
        for (int i = 0; i < 40; ++i) {
            const QString m = QStringLiteral("mot%1é").arg(i);
            v.append({m, m, {m}});
        }
        return v;
    }();
    return mots;
}

// One pupil's files written by a generator that remembers what it wrote.
struct EleveGenere {
    QString Nom;
    QStringList Resume, Detail, Historique;
    // What the program must find.
    int Exercices = 0, Termines = 0, Interrompus = 0;
    QDate Dernier;
    QVector<double> Pourcents;
    int ExercicesDetail = 0;
    QVector<QPair<int, int>> Rates;     // (detail exercise, word) of every miss
    std::map<QString, QString> Comptes; // history key -> counts of its first line
    int Illisibles = 0;
};

EleveGenere Generer(const QString& nom, QRandomGenerator& h) {
    EleveGenere e;
    e.Nom = nom;
    QDate jour(2024, 9, 2);
    const int exercices = h.bounded(0, 40);
    bool ligneOuverte = false; // the previous exercise ended in a crash mid-line
    for (int x = 0; x < exercices; ++x) {
        jour = jour.addDays(h.bounded(0, 3));
        const int n = h.bounded(1, 6);
        QString entete = jour.toString("dd/MM/yyyy") + " à 10:00:00 - " + QString::number(n) +
                         (n > 1 ? " items" : " item") + " - Exercice sur [Dossier " +
                         QString::number(x) + "]";
        if (ligneOuverte) {
            e.Detail.last() += entete; // glued to the cut line: one line lost
            ++e.Illisibles;
            ligneOuverte = false;
        } else {
            e.Detail.append(entete);
        }
        const int rang = e.ExercicesDetail++;
        const int fin = h.bounded(0, 10); // 0: crash, 1-2: interrupted, else finished
        int score = 0;
        for (int i = 0; i < n; ++i) {
            const int w = h.bounded(int(Mots().size()));
            const Vocabulaire& v = Mots().at(w);
            const bool dernier = i == n - 1;
            if (dernier && fin == 0) {
                e.Detail.append(v.Ecrit + " : faux"); // no line end: the crash
                ligneOuverte = true;
                break;
            }
            if (dernier && fin <= 2 && h.bounded(2) == 0) {
                e.Detail.append(v.Ecrit + " : faux - encore"); // closed by the interruption
                e.Rates.append({rang, w});
                break;
            }
            if (h.bounded(3) == 0) {
                e.Detail.append(v.Ecrit + " : faux [1 min 2 s - " +
                                QString::number(h.bounded(2, 5)) + " essais]");
                e.Rates.append({rang, w});
                score += 2;
            } else {
                e.Detail.append(v.Affiche.section(" / ", 0, 0) + " : [3 s - 1 essai]");
                score += 5;
            }
        }
        if (fin == 0)
            continue; // nothing else is written after a crash
        const bool termine = fin > 2;
        if (termine) {
            e.Detail << "" << "Temps exercice : 2 min 0 s." << "Score : 1/5." << Regle();
        } else {
            // The interruption's line end closes an open line, or else leaves an empty one.
            if (!e.Detail.last().endsWith("encore"))
                e.Detail.append("");
            e.Detail << "Exercice interrompu après 1 min 0 s." << Regle();
        }
        const int maxi = 5 * n;
        score = std::min(score, maxi);
        e.Resume.append(
            jour.toString("dd/MM/yyyy") + (termine ? " | Terminé    | " : " | Interrompu | ") +
            QString::number(score).rightJustified(4) + " /" +
            QString::number(maxi).rightJustified(4) + " | Dossier " + QString::number(x));
        ++e.Exercices;
        (termine ? e.Termines : e.Interrompus)++;
        e.Dernier = jour;
        e.Pourcents.append(100.0 * score / maxi);
        // Hand edits and other programs' lines.
        if (h.bounded(15) == 0) {
            e.Resume.append(jour.toString("dd/MM/yyyy") + " | Fini       |    5 /  10 | X");
            ++e.Illisibles;
        }
        if (h.bounded(15) == 0) {
            e.Resume.append(jour.toString("dd/MM/yyyy") + " | Terminé    |  abc /  10 | X");
            ++e.Illisibles;
        }
        if (h.bounded(15) == 0) {
            e.Detail.append("ligne ajoutée à la main");
            ++e.Illisibles;
        }
    }
    if (ligneOuverte)
        ++e.Illisibles; // cut by the end of the file

    static const char* const comptes[] = {"1", "2", "3", "2-0", "3-1", "2-3", "13", "4-0-3"};
    for (const Vocabulaire& v : Mots())
        for (const QString& cle : v.Cles)
            if (h.bounded(2) == 0) {
                const QString c = QString::fromLatin1(comptes[h.bounded(8)]);
                e.Historique.append(cle + "|" + c);
                e.Comptes.emplace(cle, c); // the first line of a key counts
            }
    if (h.bounded(3) == 0) {
        e.Historique.append("ligne sans barre");
        e.Historique.append("chat|deux");
        e.Illisibles += 2;
    }
    return e;
}

void Ecrire(const QString& chemin, const QStringList& lignes, bool utf8) {
    QString t;
    for (const QString& l : lignes)
        t += l + "\r\n";
    // A crash leaves the last line without its end.
    if (!lignes.isEmpty() && lignes.last().contains(" : faux") &&
        !lignes.last().contains("essais]"))
        t.chop(2);
    EcrireOctets(chemin, utf8 ? "\xEF\xBB\xBF" + t.toUtf8() : Cp1252::Encoder(t));
}

void EcrireEleve(const QString& dossier, const EleveGenere& e, bool utf8) {
    Ecrire(dossier + e.Nom + "_Exos.txt", e.Resume, utf8);
    Ecrire(dossier + e.Nom + "_Detail.txt", e.Detail, utf8);
    Ecrire(dossier + e.Nom + ".txt", e.Historique, utf8);
}

bool Maitrise(const EleveGenere& e, const QString& cle, int n) {
    const auto it = e.Comptes.find(cle);
    return it != e.Comptes.end() && it->second == QString::number(n);
}

QStringList ARevoir(const EleveGenere& e, int n) {
    QSet<int> recents;
    for (const auto& [rang, w] : e.Rates)
        if (rang >= e.ExercicesDetail - 10)
            recents.insert(w);
    QStringList r;
    for (const int w : recents) {
        bool maitrise = false;
        for (const QString& cle : Mots().at(w).Cles)
            maitrise = maitrise || Maitrise(e, cle, n);
        if (!maitrise)
            r.append(Mots().at(w).Affiche);
    }
    TrierPourLesGens(r);
    return r;
}

} // namespace

class TstSuiviClasse : public QObject {
    Q_OBJECT
private slots:
    void detail_data() {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<QStringList>("rates"); // "word:misses"
        QTest::addColumn<int>("exercices");
        QTest::addColumn<int>("illisibles");
        const QString e1 = "07/12/2026 à 14:03:27 - 2 items - Exercice sur [Animaux]\r\n";
        const QString e2 = "08/12/2026 à 09:00:00 - 1 item - Exercice sur [Fruits]\r\n";
        const QString fin =
            "\r\nTemps exercice : 1 min 12 s.\r\nScore : 8/10.\r\n" + Regle() + "\r\n";
        QTest::newRow("exemple de référence")
            << e1 +
                   "chat : [4 s - 1 essai]\r\nchien : chein - chiein [1 min 5 s - 3 essais]\r\n"
                   "chien : [3 s - 1 essai (déjà tenté)]\r\n" +
                   fin
            << QStringList{"chien:1"} << 1 << 0;
        QTest::newRow("interrompu sur une ligne ouverte")
            << e1 + "chien : chein - chiein\r\nExercice interrompu après 2 min 3 s.\r\n" + Regle()
            << QStringList{"chien:1"} << 1 << 0;
        QTest::newRow("interrompu sans ligne ouverte")
            << e1 + "chat : [4 s - 1 essai]\r\n\r\nExercice interrompu après 9 s.\r\n" + Regle()
            << QStringList{} << 1 << 0;
        QTest::newRow("ligne ouverte suivie d'autre chose")
            << e1 + "chien : chein\r\n" + e2 << QStringList{} << 2 << 1;
        QTest::newRow("coupée par un arrêt, en-tête collé")
            << e1 + "chien : chein" + e2 + "chat : ct [3 s - 2 essais]\r\n" + fin
            << QStringList{"chat:1"} << 2 << 1;
        QTest::newRow("coupée par la fin du fichier")
            << e1 + "chien : chein" << QStringList{} << 1 << 1;
        QTest::newRow("items avant tout en-tête")
            << "chien : ch [3 s - 2 essais]\r\nchat : [4 s - 1 essai]\r\n" + e1 << QStringList{}
            << 1 << 2;
        QTest::newRow("même mot, casse et codes différents")
            << e1 + "L#apo#eau : lo [3 s - 2 essais]\r\nl'eau : lo [3 s - 2 essais]\r\n" + fin
            << QStringList{"L'eau:2"} << 1 << 0;
        QTest::newRow("lignes abîmées")
            << e1 + "chat : [quatre s - 1 essai]\r\nScore : huit/10.\r\nbonjour\r\n" + fin
            << QStringList{} << 1 << 3;
        QTest::newRow("fins de ligne LF et CR")
            << QString(e1).replace("\r\n", "\n") + "chien : ch [3 s - 2 essais]\r" +
                   "chat : ct [3 s - 2 essais]\n"
            << QStringList{"chien:1", "chat:1"} << 1 << 0;
    }
    void detail() {
        QFETCH(QString, texte);
        QFETCH(QStringList, rates);
        QFETCH(int, exercices);
        QFETCH(int, illisibles);
        BilanLu b;
        LireDetail(texte, b);
        QStringList lus;
        for (const MotRate& m : b.Mots)
            lus.append(m.Affiche + ":" + QString::number(m.Erreurs));
        QCOMPARE(lus, rates);
        QCOMPARE(b.ExercicesDetail, exercices);
        QCOMPARE(b.IllisiblesDetail, illisibles);
    }

    void motDepuisAttendu_data() {
        QTest::addColumn<QString>("attendu");
        QTest::addColumn<QString>("affiche");
        QTest::addColumn<QStringList>("cles");
        QTest::newRow("simple") << "chat" << "chat" << QStringList{"chat"};
        QTest::newRow("codes") << "l#apo#eau" << "l'eau" << QStringList{"l'eau"};
        QTest::newRow("variantes")
            << "Chat     chats" << "Chat / chats" << QStringList{"chat", "chats"};
        QTest::newRow("livre dans une réponse") << "3 #liv#" << "3 £" << QStringList{"3 £"};
        QTest::newRow("accents gardés") << "Élan" << "Élan" << QStringList{"Élan"};
    }
    void motDepuisAttendu() {
        QFETCH(QString, attendu);
        QFETCH(QString, affiche);
        QFETCH(QStringList, cles);
        const MotRate m = MotDepuisAttendu(attendu);
        QCOMPARE(m.Affiche, affiche);
        QCOMPARE(m.Cles, cles);
    }

    void historique() {
        BilanLu b;
        LireHistorique("chat|3\r\nChat|1\r\n\r\nchien|2-0\r\nsans barre\r\nlapin|\r\nloup|2-x\r\n"
                       "  Le Cheval |3\r\n",
                       b);
        QCOMPARE(b.IllisiblesHistorique, 3);
        QCOMPARE(b.LigneHistorique("chat"), QStringLiteral("chat|3")); // the first one counts
        QCOMPARE(b.LigneHistorique("chien"), QStringLiteral("chien|2-0"));
        QCOMPARE(b.LigneHistorique("le cheval"), QStringLiteral("  Le Cheval |3"));
        QCOMPARE(b.Historique.size(), size_t(3));
    }

    void eleve_data() {
        QTest::addColumn<int>("necessaires");
        QTest::addColumn<int>("maitrises");
        QTest::addColumn<QStringList>("arevoir");
        // chat|3 and lapin|3 are mastered for 3; chien|2-3 is not (the view leaves it black).
        // Windows sorts as its Explorer does, setting the apostrophe aside: "l'eau" as "leau".
#ifdef Q_OS_WIN
        const QStringList tous{"chat", "chien", "lapin", "l'eau"};
#else
        const QStringList tous{"chat", "chien", "l'eau", "lapin"};
#endif
        QTest::newRow("3 réponses") << 3 << 2 << QStringList{"chien", "l'eau"};
        QTest::newRow("2 réponses") << 2 << 0 << tous;
        QTest::newRow("sans limite") << 999 << 0 << tous;
    }
    void eleve() {
        QFETCH(int, necessaires);
        QFETCH(int, maitrises);
        QFETCH(QStringList, arevoir);
        BilanLu b;
        LireHistorique("chat|3\r\nchien|2-3\r\nlapin|3\r\n", b);
        // Twelve exercises; only the last ten count for the words to revise.
        QString detail;
        for (int i = 1; i <= 12; ++i) {
            detail += QStringLiteral("%1/01/2026 à 10:00:00 - 1 item - Exercice sur [A]\r\n")
                          .arg(i, 2, 10, QChar(u'0'));
            if (i == 1)
                detail += "zèbre : z [1 s - 2 essais]\r\n";
            if (i == 3)
                detail += "chien : ch [1 s - 2 essais]\r\n";
            if (i == 5)
                detail += "chat : ch [1 s - 2 essais]\r\nlapin : l [1 s - 2 essais]\r\n";
            if (i == 12)
                detail += "l#apo#eau : lo [1 s - 2 essais]\r\n";
        }
        LireDetail(detail, b);
        LireResume("01/01/2026 | Terminé    |    0 /  10 | A\r\n"
                   "02/01/2026 | Interrompu |    5 /  10 | A\r\n",
                   b);
        const StatistiquesEleve s = CalculerEleve("Paul", b, necessaires);
        QCOMPARE(s.Maitrises, maitrises);
        QCOMPARE(s.MotsARevoir, arevoir);
        QCOMPARE(s.Exercices, 2);
        QCOMPARE(s.Termines, 1);
        QCOMPARE(s.Interrompus, 1);
        QCOMPARE(s.Dernier, QDate(2026, 1, 2));
        QCOMPARE(s.Moyenne, 25.0);
    }

    // Dates a program cannot have written (a year 0001 or 2999 would stretch the chart over
    // centuries) are unreadable lines, judged against the program's clock.
    void datesHorsDePlage_data() {
        QTest::addColumn<QString>("aujourdhui");
        QTest::addColumn<QStringList>("lisibles"); // dates of the summary's lines read
        QTest::addColumn<int>("illisiblesResume");
        QTest::addColumn<int>("exercicesDetail");
        QTest::addColumn<int>("illisiblesDetail");
        QTest::newRow("aujourd'hui en 2026")
            << "09/12/2026" << QStringList{"02/01/2000", "09/12/2026", "09/12/2027"} << 4 << 2 << 2;
        QTest::newRow("aujourd'hui en 2031")
            << "01/06/2031" << QStringList{"02/01/2000", "09/12/2026", "09/12/2027", "01/01/2032"}
            << 3 << 2 << 2;
        QTest::newRow("horloge illisible: celle du système")
            << "bientôt" << QStringList{"02/01/2000", "09/12/2026", "09/12/2027"} << 4 << 2 << 2;
    }
    void datesHorsDePlage() {
        QFETCH(QString, aujourdhui);
        QFETCH(QStringList, lisibles);
        QFETCH(int, illisiblesResume);
        QFETCH(int, exercicesDetail);
        QFETCH(int, illisiblesDetail);
        const QDate systeme = QDate::currentDate();
        if (aujourdhui == QStringLiteral("bientôt") &&
            (systeme < QDate(2026, 12, 9) || systeme > QDate(2030, 12, 31)))
            QSKIP("the system's clock gives other limits");
        HorlogeDouble horloge;
        horloge.Date = aujourdhui;
        Services::InstallerHorloge(&horloge);
        BilanLu b;
        LireResume("01/01/0001 | Terminé    |    5 /  10 | A\r\n"
                   "02/01/2000 | Terminé    |    5 /  10 | A\r\n"
                   "31/12/1999 | Terminé    |    5 /  10 | A\r\n"
                   "09/12/2026 | Terminé    |    5 /  10 | A\r\n"
                   "09/12/2027 | Terminé    |    5 /  10 | A\r\n"
                   "01/01/2032 | Terminé    |    5 /  10 | A\r\n"
                   "31/12/2999 | Terminé    |    5 /  10 | A\r\n",
                   b);
        // The items after a header of the year 2999 go to the exercise above it; the miss
        // keeps that exercise's date.
        LireDetail("09/12/2026 à 10:00:00 - 2 items - Exercice sur [A]\r\n"
                   "chat : ct [3 s - 2 essais]\r\n"
                   "01/01/2999 à 10:00:00 - 1 item - Exercice sur [B]\r\n"
                   "chien : ch [3 s - 2 essais]\r\n"
                   "01/01/0001 à 10:00:00 - 1 item - Exercice sur [C]\r\n"
                   "10/12/2026 à 10:00:00 - 1 item - Exercice sur [D]\r\n",
                   b);
        Services::InstallerHorloge(nullptr);
        QStringList lues;
        for (const ExerciceResume& e : std::as_const(b.Exercices))
            lues.append(e.Date.toString(QStringLiteral("dd/MM/yyyy")));
        QCOMPARE(lues, lisibles);
        QCOMPARE(b.IllisiblesResume, illisiblesResume);
        QCOMPARE(b.ExercicesDetail, exercicesDetail);
        QCOMPARE(b.IllisiblesDetail, illisiblesDetail);
        QCOMPARE(b.Mots.size(), 2);
        QCOMPARE(b.Mots.at(1).Derniere, QDate(2026, 12, 9));
    }

    void moyenneDesDixDerniers() {
        BilanLu b;
        QString resume;
        for (int i = 1; i <= 15; ++i)
            resume += QStringLiteral("01/01/2026 | Terminé    | %1 /  20 | A\r\n").arg(i);
        LireResume(resume, b);
        // (6 + ... + 15) / 10 points of 20.
        QCOMPARE(CalculerEleve("P", b, 3).Moyenne, 52.5);
        QCOMPARE(CalculerEleve("P", BilanLu(), 3).Moyenne, -1.0);
    }

    // What was typed instead of each word, with the kinds it shows; the kinds themselves are
    // the mistake analysis's business, only who gets them is checked here.
    void ecrits_data() {
        QTest::addColumn<QString>("lignes");     // item lines of exercises of the 7th and 8th
        QTest::addColumn<QStringList>("ecrits"); // "word: answer×n kinds, ..."
        QTest::newRow("exemple de référence")
            << "chien : chein - chiein [1 min 5 s - 3 essais]\r\n"
            << QStringList{"chien: chein×1 inversion, chiein×1 lettre en trop"};
        QTest::newRow("la même réponse dans deux exercices")
            << "Étoile : Etoile [3 s - 2 essais]\r\n#\r\nÉtoile : Etoile - etoile [3 s - 3 "
               "essais]\r\n"
            << QStringList{"Étoile: Etoile×2 accent, etoile×1 accent majuscule"};
        QTest::newRow("ligne ouverte fermée par l'interruption")
            << "chat : cha - chta\r\nExercice interrompu après 9 s.\r\n"
            << QStringList{"chat: cha×1 lettre manquante, chta×1 inversion"};
        QTest::newRow("un tiret dans une réponse: rien n'est attribué")
            << "chat : ch - at - cta [3 s - 3 essais]\r\n"
            << QStringList{"chat: "};
        QTest::newRow("réponse vide, blancs autour")
            << "chat : ... -  cha  [3 s - 3 essais]\r\n"
            << QStringList{"chat: ...×1, cha×1 lettre manquante"};
        QTest::newRow("variantes: la plus proche")
            << "Chat     chats : chatss [3 s - 2 essais]\r\n"
            << QStringList{"Chat / chats: chatss×1 lettre en trop"};
    }
    void ecrits() {
        QFETCH(QString, lignes);
        QFETCH(QStringList, ecrits);
        const QString detail =
            "07/12/2026 à 14:03:27 - 2 items - Exercice sur [A]\r\n" +
            QString(lignes).replace("#\r\n",
                                    "08/12/2026 à 09:00:00 - 1 item - Exercice sur [A]\r\n");
        // Read alone and with a group's dictionary: the same answers, the same kinds.
        for (const bool groupe : {false, true}) {
            DictionnaireMots dictionnaire;
            BilanLu b;
            LireDetail(detail, b, groupe ? &dictionnaire : nullptr);
            QStringList lus;
            for (const MotRate& m : std::as_const(b.Mots)) {
                QStringList e;
                for (const ReponseEcrite& r : m.Ecrits) {
                    const GenresReponse g = groupe ? dictionnaire.Genres(m.Numero, r.Texte)
                                                   : GenresDe(r.Texte, m.Acceptees);
                    QStringList genres;
                    for (int k = 0; k < NbGenresErreur; ++k)
                        if (g & (1u << k))
                            genres.append(LibelleGenre(GenreErreur(k)));
                    e.append(QStringLiteral("%1×%2 %3")
                                 .arg(r.Texte)
                                 .arg(r.Fois)
                                 .arg(genres.join(u' '))
                                 .trimmed());
                }
                lus.append(m.Affiche + ": " + e.join(", "));
            }
            QCOMPARE(lus, ecrits);
        }
    }

    // The class's spellings of a word: added up over the pupils, the most frequent first, then
    // in people's order, five at most.
    void ecritsDeLaClasse() {
        const QString e = "07/12/2026 à 14:03:27 - 1 item - Exercice sur [A]\r\n";
        const QStringList details = {
            e + "étoile : etoile - Etoile [3 s - 3 essais]\r\n" + e +
                "étoile : etoile [3 s - 2 essais]\r\nchat : cha [3 s - 2 essais]\r\n",
            e + "étoile : Etoile - étoille - zz [3 s - 4 essais]\r\n",
            e + "étoile : étoil - étoi - etoile [3 s - 4 essais]\r\n",
        };
        DictionnaireMots dictionnaire;
        QVector<BilanNomme> eleves;
        for (const QString& d : details) {
            auto b = std::make_shared<BilanLu>();
            LireDetail(d, *b, &dictionnaire);
            eleves.append({QStringLiteral("Élève %1").arg(eleves.size() + 1), b});
        }
        const QVector<MotDeLaClasse> mots = MotsLesPlusRates(eleves, dictionnaire, 5);
        QCOMPARE(mots.size(), 2);
        const MotDeLaClasse& etoile = mots.first();
        QStringList ecrits;
        for (const ReponseEcrite& r : etoile.Ecrits)
            ecrits.append(r.Texte + "×" + QString::number(r.Fois));
        QCOMPARE(ecrits, (QStringList{"etoile×3", "Etoile×2", "étoi×1", "étoil×1", "étoille×1"}));
        QCOMPARE(etoile.AutresEcrits, 1); // zz
        QCOMPARE(etoile.Reponses, 9);
        QCOMPARE(etoile.Genres[size_t(GenreErreur::Accent)], 5);
        QCOMPARE(etoile.Genres[size_t(GenreErreur::Majuscule)], 2);
        QCOMPARE(etoile.Genres[size_t(GenreErreur::LettreEnTrop)], 1);
        QCOMPARE(mots.at(1).Ecrits.size(), 1);
        QCOMPARE(mots.at(1).Genres[size_t(GenreErreur::LettreManquante)], 1);
    }

    // A pupil's kinds by week: the four calendar weeks up to his latest exercise, whatever
    // order the exercises stand in.
    void fautesParSemaine() {
        const auto exercice = [](const QString& date, const QString& ligne) {
            return date + " à 10:00:00 - 1 item - Exercice sur [A]\r\n" + ligne + "\r\n";
        };
        BilanLu b;
        LireDetail(exercice("10/12/2026", "chat : cha [3 s - 2 essais]") + // Thursday
                       exercice("01/12/2026", "chat : Chat - cha [3 s - 3 essais]") +
                       exercice("16/11/2026", "chien : chein [3 s - 2 essais]") +
                       exercice("15/11/2026", "chien : chen [3 s - 2 essais]") + // too early
                       exercice("07/12/2026", "chat : [3 s - 1 essai]"),
                   b);
        StatistiquesEleve s = CalculerEleve("Paul", b, 3);
        AjouterFautes(s, b);
        QCOMPARE(s.ReponsesFausses, 5);
        QCOMPARE(s.Genres[size_t(GenreErreur::LettreManquante)], 3);
        QStringList semaines;
        for (const SemaineFautes& w : s.Semaines)
            semaines.append(QStringLiteral("%1 %2/%3/%4")
                                .arg(w.Lundi.toString("dd/MM"))
                                .arg(w.Reponses)
                                .arg(w.Genres[size_t(GenreErreur::LettreManquante)])
                                .arg(w.Genres[size_t(GenreErreur::Inversion)]));
        QCOMPARE(semaines,
                 (QStringList{"16/11 1/0/1", "23/11 0/0/0", "30/11 2/1/0", "07/12 1/1/0"}));
        AjouterFautes(s, BilanLu());
        QVERIFY(s.Semaines.isEmpty());
        QCOMPARE(s.ReponsesFausses, 0);
    }

    void classeGeneree_data() {
        QTest::addColumn<quint32>("graine");
        QTest::addColumn<int>("necessaires");
        QTest::newRow("graine 1, 3 réponses") << 1u << 3;
        QTest::newRow("graine 2, 1 réponse") << 2u << 1;
        QTest::newRow("graine 3, 2 réponses") << 3u << 2;
        QTest::newRow("graine 4, sans limite") << 4u << 999;
    }
    void classeGeneree() {
        QFETCH(quint32, graine);
        QFETCH(int, necessaires);
        QRandomGenerator h(graine);
        QTemporaryDir dossier;
        const QString groupe = dossier.path() + "/CM1/";
        QDir().mkpath(groupe);
        const QStringList noms = {"Paul", "Léa", "Zoé", "Jean", "Émile", "Noé",
                                  "Inès", "Max", "Lou", "Tom",  "Ana",   "Rémi"};
        std::map<QString, EleveGenere> eleves;
        for (int i = 0; i < noms.size(); ++i) {
            eleves[noms.at(i)] = Generer(noms.at(i), h);
            EcrireEleve(groupe, eleves[noms.at(i)], i % 4 == 3);
        }
        CacheBilans cache;
        const BilanClasse c = CalculerClasse(cache, groupe, necessaires);
        QCOMPARE(c.Relus, int(noms.size()));

        QStringList ordre = noms;
        TrierPourLesGens(ordre);
        QCOMPARE(c.Eleves.size(), ordre.size());
        int illisibles = 0;
        for (int i = 0; i < ordre.size(); ++i) {
            const EleveGenere& e = eleves[ordre.at(i)];
            const StatistiquesEleve& s = c.Eleves.at(i);
            QCOMPARE(s.Eleve, e.Nom);
            QCOMPARE(s.Exercices, e.Exercices);
            QCOMPARE(s.Termines, e.Termines);
            QCOMPARE(s.Interrompus, e.Interrompus);
            QCOMPARE(s.Dernier, e.Dernier);
            double somme = 0;
            const auto dix = e.Pourcents.mid(std::max<qsizetype>(0, e.Pourcents.size() - 10));
            for (const double p : dix)
                somme += p;
            QCOMPARE(s.Moyenne, dix.isEmpty() ? -1.0 : somme / double(dix.size()));
            int maitrises = 0;
            for (const auto& [cle, compte] : e.Comptes)
                maitrises += compte == QString::number(necessaires) ? 1 : 0;
            QCOMPARE(s.Maitrises, maitrises);
            QCOMPARE(s.MotsARevoir, ARevoir(e, necessaires));
            QVERIFY2(s.Illisibles == e.Illisibles, qPrintable(e.Nom));
            illisibles += e.Illisibles;
        }
        QCOMPARE(c.Illisibles, illisibles);

        // The words: pupils and misses per word, recounted, then ranked.
        struct Compte {
            int eleves = 0, erreurs = 0;
        };
        std::map<int, Compte> parMot;
        for (const auto& [nom, e] : eleves) {
            QSet<int> vus;
            for (const auto& r : e.Rates) {
                ++parMot[r.second].erreurs;
                if (!vus.contains(r.second))
                    ++parMot[r.second].eleves;
                vus.insert(r.second);
            }
        }
        QVector<QPair<QString, Compte>> attendus;
        for (const auto& [w, compte] : parMot)
            attendus.append({Mots().at(w).Affiche, compte});
        QCollator coll{QLocale(QLocale::French, QLocale::France)};
        coll.setNumericMode(true);
        coll.setCaseSensitivity(Qt::CaseInsensitive);
        std::sort(attendus.begin(), attendus.end(), [&](const auto& a, const auto& b) {
            if (a.second.eleves != b.second.eleves)
                return a.second.eleves > b.second.eleves;
            if (a.second.erreurs != b.second.erreurs)
                return a.second.erreurs > b.second.erreurs;
            return coll.compare(a.first, b.first) < 0;
        });
        attendus = attendus.mid(0, 20);
        QCOMPARE(c.Mots.size(), attendus.size());
        for (int i = 0; i < attendus.size(); ++i) {
            QCOMPARE(c.Mots.at(i).Affiche, attendus.at(i).first);
            QCOMPARE(c.Mots.at(i).Eleves, attendus.at(i).second.eleves);
            QCOMPARE(c.Mots.at(i).Erreurs, attendus.at(i).second.erreurs);
            int somme = 0;
            for (const auto& p : c.Mots.at(i).ParEleve)
                somme += p.Erreurs;
            QCOMPARE(somme, attendus.at(i).second.erreurs);
            QCOMPARE(c.Mots.at(i).ParEleve.size(), attendus.at(i).second.eleves);
        }
    }

    // After one pupil's files change, only his are read again, and the rows follow the disk.
    void seulsLesFichiersChangesSontRelus() {
        QTemporaryDir dossier;
        const QString groupe = dossier.path() + "/";
        QRandomGenerator h(9);
        for (const QString nom : {"Paul", "Léa", "Zoé"})
            EcrireEleve(groupe, Generer(nom, h), false);
        CacheBilans cache;
        QCOMPARE(CalculerClasse(cache, groupe, 3).Relus, 3);
        QCOMPARE(CalculerClasse(cache, groupe, 3).Relus, 0);

        const QString resume = groupe + "Léa_Exos.txt";
        const QByteArray avant = LireOctets(resume);
        EcrireOctets(resume, avant + "09/12/2026 | Termin\xE9    |   10 /  10 | Nouveau\r\n");
        const BilanClasse apres = CalculerClasse(cache, groupe, 3);
        QCOMPARE(apres.Relus, 1);
        QCOMPARE(apres.Eleves.at(0).Eleve, QStringLiteral("Léa"));
        QCOMPARE(apres.Eleves.at(0).Dernier, QDate(2026, 12, 9));

        // Same size, new content: the modification time tells.
        QByteArray modifie = LireOctets(resume);
        modifie.replace("09/12/2026", "10/12/2026");
        QFile f(resume);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(modifie);
        f.close();
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.setFileTime(QDateTime::currentDateTime().addSecs(60),
                              QFileDevice::FileModificationTime));
        f.close();
        const BilanClasse encore = CalculerClasse(cache, groupe, 3);
        QCOMPARE(encore.Relus, 1);
        QCOMPARE(encore.Eleves.at(0).Dernier, QDate(2026, 12, 10));

        // A pupil removed, one added.
        QFile::remove(groupe + "Zoé.txt");
        EcrireEleve(groupe, Generer("Ana", h), false);
        const BilanClasse liste = CalculerClasse(cache, groupe, 3);
        QCOMPARE(liste.Relus, 1);
        QStringList noms;
        for (const StatistiquesEleve& s : liste.Eleves)
            noms.append(s.Eleve);
        QCOMPARE(noms, (QStringList{"Ana", "Léa", "Paul"}));
    }

    // Whatever a file holds (another program's bytes, one endless line), the reading ends with
    // nothing taken from it and every line counted as unreadable.
    void fichiersQuelconques_data() {
        QTest::addColumn<QByteArray>("contenu");
        QRandomGenerator h(11);
        QByteArray binaire(200000, '\0');
        for (char& c : binaire)
            c = char(h.bounded(256));
        binaire.replace('|', 'x').replace(']', 'x'); // no field a line could be read by
        QTest::newRow("octets quelconques") << binaire;
        QTest::newRow("une ligne sans fin") << QByteArray(3'000'000, 'a');
        QTest::newRow("des crochets sans fin") << QByteArray(300'000, ']');
        QByteArray entetes;
        for (int i = 0; i < 40'000; ++i)
            entetes += "07/12/2026 \xE0 14:03:27 - ";
        QTest::newRow("des débuts d'en-tête collés") << entetes + "]";
        QTest::newRow("des en-têtes tronqués")
            << QByteArray(20'000, 'x').replace("x", "07/12/2026 \xE0 14:03 - ");
    }
    void fichiersQuelconques() {
        QFETCH(QByteArray, contenu);
        QTemporaryDir dossier;
        const QString groupe = dossier.path() + "/";
        for (const char* s : {".txt", "_Detail.txt", "_Exos.txt"})
            EcrireOctets(groupe + "Paul" + s, contenu);
        const BilanLu b = LireBilanEleve(groupe, "Paul");
        QVERIFY(b.Exercices.isEmpty());
        QVERIFY(b.Mots.isEmpty());
        QCOMPARE(b.ExercicesDetail, 0);
        QVERIFY(b.Historique.empty());
        QVERIFY(b.IllisiblesResume > 0 && b.IllisiblesDetail > 0 && b.IllisiblesHistorique > 0);
    }

    // A reading given up (the teacher left the group) leaves no half result behind.
    void abandon() {
        QTemporaryDir dossier;
        const QString groupe = dossier.path() + "/";
        QRandomGenerator h(5);
        for (const QString nom : {"Paul", "Léa"})
            EcrireEleve(groupe, Generer(nom, h), false);
        CacheBilans cache;
        const BilanClasse r = CalculerClasse(cache, groupe, 3, [] { return false; });
        QVERIFY(r.Eleves.isEmpty());
        QCOMPARE(CalculerClasse(cache, groupe, 3).Relus, 2);
    }

    void fichierIllisible() {
        QTemporaryDir dossier;
        const QString groupe = dossier.path() + "/";
        EcrireOctets(groupe + "Paul.txt", "chat|3\r\n");
        EcrireOctets(groupe + "Paul_Exos.txt", "07/12/2026 | Terminé    |    8 /  10 | A\r\n");
        QFile::setPermissions(groupe + "Paul_Exos.txt", QFileDevice::Permissions());
        if (QFile(groupe + "Paul_Exos.txt").open(QIODevice::ReadOnly))
            QSKIP("les droits ne s'appliquent pas ici (administrateur)");
        CacheBilans cache;
        const BilanClasse c = CalculerClasse(cache, groupe, 3);
        QCOMPARE(c.Eleves.size(), 1);
        QCOMPARE(c.Eleves.at(0).Exercices, 0);
        QCOMPARE(c.Eleves.at(0).Erreurs.size(), 1);
        QVERIFY(c.Eleves.at(0).Erreurs.at(0).contains("Paul_Exos.txt"));
    }
};

QTEST_APPLESS_MAIN(TstSuiviClasse)
#include "tst_suiviclasse.moc"
