// What leaves the class view: the spreadsheet file, read back with a CSV reader as a spreadsheet
// would (byte-order mark, ";" fields, quotes, decimal comma), and the printed tables.

#include "core/progress/TextesSuivi.h"

#include <QRegularExpression>
#include <QTest>

namespace {

// A CSV reader of the kind spreadsheets use: ";" between fields, fields in double quotes may
// hold ";", line ends and doubled quotes; records end with CR LF or LF.
QVector<QStringList> LireCsv(const QString& texte) {
    QVector<QStringList> lignes;
    QStringList champs;
    QString champ;
    bool guillemets = false;
    for (qsizetype i = 0; i < texte.size(); ++i) {
        const QChar c = texte.at(i);
        if (guillemets) {
            if (c == u'"' && i + 1 < texte.size() && texte.at(i + 1) == u'"') {
                champ += u'"';
                ++i;
            } else if (c == u'"') {
                guillemets = false;
            } else {
                champ += c;
            }
        } else if (c == u'"') {
            guillemets = true;
        } else if (c == u';') {
            champs.append(champ);
            champ.clear();
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < texte.size() && texte.at(i + 1) == u'\n')
                ++i;
            champs.append(champ);
            champ.clear();
            lignes.append(champs);
            champs.clear();
        } else {
            champ += c;
        }
    }
    if (!champ.isEmpty() || !champs.isEmpty()) {
        champs.append(champ);
        lignes.append(champs);
    }
    return lignes;
}

// A number as a French spreadsheet reads it: decimal comma, nothing else.
bool NombreFrancaisLu(const QString& t, double& v) {
    if (t.contains(u'.'))
        return false;
    bool ok = false;
    v = QString(t).replace(u',', u'.').toDouble(&ok);
    return ok;
}

StatistiquesEleve Eleve(const QString& nom, int exos, double moyenne, QStringList mots) {
    StatistiquesEleve e;
    e.Eleve = nom;
    e.Exercices = exos;
    e.Termines = exos - 1;
    e.Interrompus = 1;
    e.Dernier = QDate(2026, 12, 7);
    e.Moyenne = moyenne;
    e.Maitrises = 12;
    e.MotsARevoir = mots;
    return e;
}

BilanClasse Classe() {
    BilanClasse c;
    c.Eleves = {Eleve("Léa", 10, 87.5, {"château", "où?"}),
                Eleve("Jean; dit \"Jeannot\"", 3, 100, {}),
                Eleve("=SOMME(A1)", 2, 33.333333, {"-ment"}), StatistiquesEleve()};
    c.Eleves.last().Eleve = "Émile";
    StatistiquesEleve& lea = c.Eleves.first();
    lea.ReponsesFausses = 7;
    lea.Genres[size_t(GenreErreur::Accent)] = 4;
    lea.Genres[size_t(GenreErreur::Loin)] = 1;
    // Four weeks: 2 wrong answers, none, 4, then 1; accents in the first and the third.
    for (const int n : {2, 0, 4, 1})
        lea.Semaines.append({QDate(2026, 11, 16).addDays(7 * lea.Semaines.size()), n, {}});
    lea.Semaines[0].Genres[size_t(GenreErreur::Accent)] = 1;
    lea.Semaines[2].Genres[size_t(GenreErreur::Accent)] = 2;
    lea.Semaines[2].Genres[size_t(GenreErreur::Espaces)] = 4;
    MotDeLaClasse m;
    m.Affiche = "le château";
    m.Eleves = 2;
    m.Erreurs = 5;
    m.ParEleve = {{"Léa", 3, QDate(2026, 12, 7)}, {"Émile", 2, QDate(2026, 12, 1)}};
    m.Ecrits = {{"le chateau", 4, 1}, {"=le château", 1, 0}};
    m.Genres[size_t(GenreErreur::Accent)] = 4;
    c.Mots = {m};
    c.Illisibles = 3;
    return c;
}

} // namespace

class TstTextesSuivi : public QObject {
    Q_OBJECT
private slots:
    void csvRelu() {
        const QByteArray octets = CsvClasse(Classe());
        QVERIFY(octets.startsWith("\xEF\xBB\xBF"));
        const QString texte = QString::fromUtf8(octets.mid(3));
        QVERIFY(texte.contains("\r\n"));
        const QVector<QStringList> lignes = LireCsv(texte);
        QCOMPARE(lignes.size(), 5);
        QCOMPARE(lignes.at(0), (QStringList{"Élève",
                                            "Exercices",
                                            "Terminés",
                                            "Interrompus",
                                            "Dernier exercice",
                                            "Moyenne des 10 derniers (%)",
                                            "Items maîtrisés",
                                            "Mots à revoir",
                                            "Lignes illisibles",
                                            "Liste des mots à revoir",
                                            "Réponses fausses",
                                            "Erreurs : accent",
                                            "Erreurs : majuscule",
                                            "Erreurs : lettre manquante",
                                            "Erreurs : lettre en trop",
                                            "Erreurs : lettre fausse",
                                            "Erreurs : inversion",
                                            "Erreurs : espaces",
                                            "Erreurs : apostrophe",
                                            "Erreurs : éloigné"}));
        for (const QStringList& l : lignes)
            QCOMPARE(l.size(), 20);
        // The kinds over the whole record, each in its own column after the older ones.
        QCOMPARE(lignes.at(1).mid(10),
                 (QStringList{"7", "4", "0", "0", "0", "0", "0", "0", "0", "1"}));
        QCOMPARE(lignes.at(2).at(10), QStringLiteral("0"));
        QCOMPARE(lignes.at(1).at(0), QStringLiteral("Léa"));
        QCOMPARE(lignes.at(2).at(0), QStringLiteral("Jean; dit \"Jeannot\""));
        // What a spreadsheet would compute is kept a name.
        QCOMPARE(lignes.at(3).at(0), QStringLiteral("'=SOMME(A1)"));
        QCOMPARE(lignes.at(3).at(9), QStringLiteral("'-ment"));
        QCOMPARE(lignes.at(1).at(9), QStringLiteral("château, où?"));
        QCOMPARE(lignes.at(1).at(4), QStringLiteral("07/12/2026"));

        double v = 0;
        QVERIFY(NombreFrancaisLu(lignes.at(1).at(5), v));
        QCOMPARE(v, 87.5);
        QVERIFY(NombreFrancaisLu(lignes.at(2).at(5), v));
        QCOMPARE(v, 100.0);
        QVERIFY(NombreFrancaisLu(lignes.at(3).at(5), v));
        QCOMPARE(v, 33.3);
        QVERIFY(NombreFrancaisLu(lignes.at(1).at(1), v));
        QCOMPARE(v, 10.0);
        // A pupil without any exercise: no date, no average, not zeros.
        QCOMPARE(lignes.at(4).at(4), QString());
        QCOMPARE(lignes.at(4).at(5), QString());
        QCOMPARE(lignes.at(4).at(1), QStringLiteral("0"));
    }

    void champCsv_data() {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<QString>("champ");
        QTest::newRow("simple") << "Paul" << "Paul";
        QTest::newRow("point-virgule") << "a;b" << "\"a;b\"";
        QTest::newRow("guillemets") << "a\"b" << "\"a\"\"b\"";
        QTest::newRow("fin de ligne") << "a\nb" << "\"a\nb\"";
        QTest::newRow("formule") << "=1+1" << "'=1+1";
        QTest::newRow("arobase") << "@x" << "'@x";
        QTest::newRow("plus") << "+33" << "'+33";
        QTest::newRow("vide") << "" << "";
    }
    void champCsv() {
        QFETCH(QString, texte);
        QFETCH(QString, champ);
        QCOMPARE(ChampCsv(texte), champ);
    }

    void nombreFrancais_data() {
        QTest::addColumn<double>("valeur");
        QTest::addColumn<QString>("texte");
        QTest::newRow("demi") << 87.5 << "87,5";
        QTest::newRow("entier") << 100.0 << "100,0";
        QTest::newRow("arrondi") << 66.666 << "66,7";
        QTest::newRow("zéro") << 0.0 << "0,0";
    }
    void nombreFrancais() {
        QFETCH(double, valeur);
        QFETCH(QString, texte);
        QCOMPARE(NombreFrancais(valeur), texte);
    }

    // Fixed-pitch columns: every row's values end where the heading's column ends.
    void impressionClasse() {
        const QString t = ImpressionClasse(Classe(), "CM1", "08/12/2026");
        const QStringList lignes = t.split(u'\n');
        QVERIFY(lignes.at(0).startsWith("Suivi de la classe : CM1 - 4 élèves - le 08/12/2026"));
        const QString entete = lignes.at(2);
        const qsizetype finExos = entete.indexOf("Exercices") + 9;
        const qsizetype finRevoir = entete.indexOf("À revoir") + 8;
        for (int i = 3; i < 7; ++i) {
            const QString& l = lignes.at(i);
            QCOMPARE(l.size(), finRevoir);
            QVERIFY2(l.at(finExos - 1).isDigit(), qPrintable(l));
            QVERIFY2(l.at(finExos).isSpace(), qPrintable(l));
        }
        QVERIFY(lignes.at(3).contains("87,5 %"));
        QVERIFY(lignes.at(3).startsWith("Léa "));
        // A long name is cut, the columns stay.
        QVERIFY(lignes.at(4).startsWith("Jean; dit \"Jeannot\""));
        QVERIFY(t.contains("3 lignes illisibles"));
    }

    void texteEcrits_data() {
        QTest::addColumn<QStringList>("ecrits"); // typed, the most frequent first
        QTest::addColumn<int>("autres");
        QTest::addColumn<QString>("texte");
        QTest::newRow("aucun") << QStringList{} << 0 << "";
        QTest::newRow("comptés") << QStringList{"étoile", "étoile", "Etoile"} << 0
                                 << "étoile ×2, Etoile ×1";
        QTest::newRow("d'autres laissés") << QStringList{"a", "b"} << 3 << "a ×1, b ×1, …";
        QTest::newRow("vide") << QStringList{"..."} << 0 << "(rien) ×1";
        QTest::newRow("une phrase coupée")
            << QStringList{"<b>je ne sais pas comment ça s'écrit</b>"} << 0
            << "<b>je ne sais pas comment ça … ×1";
    }
    void texteEcrits() {
        QFETCH(QStringList, ecrits);
        QFETCH(int, autres);
        QFETCH(QString, texte);
        MotDeLaClasse m;
        for (const QString& e : ecrits) {
            if (!m.Ecrits.isEmpty() && m.Ecrits.last().Texte == e)
                ++m.Ecrits.last().Fois;
            else
                m.Ecrits.append({e, 1, 0});
        }
        m.AutresEcrits = autres;
        QCOMPARE(TexteEcrits(m), texte);
    }

    void impressionMots() {
        const QString t = ImpressionMots(Classe(), "CM1", "08/12/2026");
        QVERIFY(t.contains("le château"));
        QVERIFY(t.contains("Léa (3), Émile (2)"));
        QVERIFY(t.contains("\n     Écrit à la place : le chateau ×4, =le château ×1\n"
                           "     Erreurs : accent ×4\n"));
        BilanClasse vide;
        QVERIFY(ImpressionMots(vide, "", "08/12/2026").contains("Aucun mot raté"));
    }

    void impressionProgres() {
        const QString t = ImpressionProgres(Classe().Eleves.at(0));
        QVERIFY(t.startsWith("Progrès de : Léa\n"));
        QVERIFY(t.contains("10 (9 terminés, 1 interrompu), le dernier le 07/12/2026"));
        QVERIFY(t.contains("87,5 %"));
        QVERIFY(t.contains("château, où?"));
        // Each week's share of its own wrong answers; the kinds most frequent first.
        QVERIFY(t.contains("les 4 semaines du 16/11 au 13/12/2026 : 7 réponses fausses."));
        const QStringList lignes = t.split(u'\n');
        const qsizetype espaces = lignes.indexOf(QRegularExpression("^espaces .*"));
        QVERIFY(espaces > 0);
        QCOMPARE(lignes.at(espaces - 1).simplified(), QStringLiteral("Réponses fausses 2 0 4 1 7"));
        QCOMPARE(lignes.at(espaces).simplified(), QStringLiteral("espaces 0 % – 100 % 0 % 57 %"));
        QCOMPARE(lignes.at(espaces + 1).simplified(),
                 QStringLiteral("accent 50 % – 50 % 0 % 43 %"));
        QVERIFY(ImpressionProgres(Classe().Eleves.at(1)).contains("Aucune réponse fausse."));
    }

    void illisibles_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("texte");
        QTest::newRow("aucune") << 0 << "";
        QTest::newRow("une") << 1 << "1 ligne illisible";
        QTest::newRow("plusieurs") << 3 << "3 lignes illisibles";
    }
    void illisibles() {
        QFETCH(int, n);
        QFETCH(QString, texte);
        QCOMPARE(TexteIllisibles(n), texte);
    }
};

QTEST_APPLESS_MAIN(TstTextesSuivi)
#include "tst_textessuivi.moc"
