// The red marks of the "Items réussis" view: which stretches end red once every line has
// painted the first occurrence of its text, compared with the rule applied literally.

#include "core/teacher/ColorationReussis.h"

#include <QRandomGenerator>
#include <QTest>

Q_DECLARE_METATYPE(PlageRouge)

namespace {

// The rule word for word: for each line, search the whole text from its start, paint over the
// line's length. Quadratic, which is why the program does not do it this way.
QVector<PlageRouge> RegleLitterale(const QStringList& lignes, int n) {
    const QString texte = lignes.join(u'\n');
    std::vector<char> rouge(size_t(texte.size()), 0);
    for (const QString& l : lignes) {
        if (l.isEmpty())
            continue;
        const qsizetype p = texte.indexOf(l);
        std::fill_n(rouge.begin() + p, l.size(), LigneMaitrisee(l, n) ? 1 : 0);
    }
    QVector<PlageRouge> r;
    for (qsizetype i = 0; i < texte.size(); ++i)
        if (rouge[size_t(i)] && (r.isEmpty() || r.last().Debut + r.last().Longueur != i))
            r.append({i, 1});
        else if (rouge[size_t(i)])
            ++r.last().Longueur;
    return r;
}

QString Decrire(const QVector<PlageRouge>& plages) {
    QStringList r;
    for (const PlageRouge& p : plages)
        r.append(QStringLiteral("%1+%2").arg(p.Debut).arg(p.Longueur));
    return r.join(u' ');
}

} // namespace

class TstColorationReussis : public QObject {
    Q_OBJECT
private slots:
    void ligneMaitrisee_data() {
        QTest::addColumn<QString>("ligne");
        QTest::addColumn<int>("necessaires");
        QTest::addColumn<bool>("rouge");
        QTest::newRow("chat|3 pour 3") << "chat|3" << 3 << true;
        QTest::newRow("chat|2-3 pour 3") << "chat|2-3" << 3 << false;
        QTest::newRow("chat|13 pour 3") << "chat|13" << 3 << false;
        QTest::newRow("chat|2 pour 3") << "chat|2" << 3 << false;
        QTest::newRow("chat|3 pour 999") << "chat|3" << 999 << false;
        QTest::newRow("chat|10 pour 10") << "chat|10" << 10 << false;
        QTest::newRow("chat|1 pour 1") << "chat|1" << 1 << true;
        QTest::newRow("chat|9 pour 9") << "chat|9" << 9 << true;
        QTest::newRow("barre et chiffre seuls") << "|3" << 3 << true;
        QTest::newRow("chiffre seul") << "3" << 3 << false;
        QTest::newRow("blanc final") << "chat|3 " << 3 << false;
        QTest::newRow("ligne vide") << "" << 3 << false;
    }
    void ligneMaitrisee() {
        QFETCH(QString, ligne);
        QFETCH(int, necessaires);
        QFETCH(bool, rouge);
        QCOMPARE(LigneMaitrisee(ligne, necessaires), rouge);
    }

    // With no limit no line is mastered, whatever single count it ends with.
    void sansLimite() {
        const QStringList lignes = {"chat|0", "chien|1", "lapin|3", "cheval|9"};
        for (const QString& l : lignes)
            QVERIFY2(!LigneMaitrisee(l, std::nullopt), qPrintable(l));
        QVERIFY(PlagesRouges(lignes, std::nullopt).isEmpty());
    }

    void premieresOccurrences_data() {
        QTest::addColumn<QStringList>("lignes");
        QTest::addColumn<QVector<qsizetype>>("attendu");
        QTest::newRow("lignes distinctes")
            << QStringList{"chat|3", "chien|2-0", "lapin|1"} << QVector<qsizetype>{0, 7, 17};
        QTest::newRow("ligne répétée")
            << QStringList{"chat|3", "chien|1", "chat|3"} << QVector<qsizetype>{0, 7, 0};
        QTest::newRow("dans une ligne antérieure")
            << QStringList{"le chat|3", "chat|3"} << QVector<qsizetype>{0, 3};
        QTest::newRow("casse respectée")
            << QStringList{"Chat|3", "chat|3"} << QVector<qsizetype>{0, 7};
        QTest::newRow("ligne vide")
            << QStringList{"", "chat|3", ""} << QVector<qsizetype>{-1, 1, -1};
        QTest::newRow("plus loin dans la même ligne")
            << QStringList{"abab", "ba"} << QVector<qsizetype>{0, 1};
        QTest::newRow("suffixe d'une autre")
            << QStringList{"aaab", "aab", "ab", "b"} << QVector<qsizetype>{0, 1, 2, 3};
        QTest::newRow("accents et autres écritures")
            << QStringList{"élève|2", "lève|2", "ça|1"} << QVector<qsizetype>{0, 1, 15};
        QTest::newRow("aucune ligne") << QStringList{} << QVector<qsizetype>{};
    }
    void premieresOccurrences() {
        QFETCH(QStringList, lignes);
        QFETCH(QVector<qsizetype>, attendu);
        QCOMPARE(PremieresOccurrences(lignes), attendu);
    }

    void plagesRouges_data() {
        QTest::addColumn<QStringList>("lignes");
        QTest::addColumn<int>("necessaires");
        QTest::addColumn<QString>("rouges");
        const QStringList histoire = {"chat|3", "chien|2-3", "cheval|13", "lapin|2"};
        QTest::newRow("pour 3 seul chat|3") << histoire << 3 << "0+6";
        QTest::newRow("pour 2 seul lapin|2") << histoire << 2 << "27+7";
        QTest::newRow("999 tout noir") << histoire << 999 << "";
        QTest::newRow("13 tout noir") << histoire << 13 << "";
        QTest::newRow("deux rouges")
            << QStringList{"chat|3", "chien|2-0", "le lapin|3"} << 3 << "0+6 17+10";
        QTest::newRow("l'occurrence antérieure est colorée à la place")
            << QStringList{"chat|3x", "chat|3"} << 3 << "0+6";
        QTest::newRow("une ligne répétée recolore la première")
            << QStringList{"chat|3", "chien|1", "chat|3"} << 3 << "0+6";
        QTest::newRow("une ligne noire repeint le début d'une rouge")
            << QStringList{"chat|3", "chat|"} << 3 << "5+1";
        QTest::newRow("la suivante rougit le milieu de la précédente")
            << QStringList{"le chat|3-1", "chat|3"} << 3 << "3+6";
        QTest::newRow("lignes vides ignorées") << QStringList{"", "chat|3", ""} << 3 << "1+6";
        QTest::newRow("fin de ligne CR restée") << QStringList{"chat|3\r"} << 3 << "";
    }
    void plagesRouges() {
        QFETCH(QStringList, lignes);
        QFETCH(int, necessaires);
        QFETCH(QString, rouges);
        const QVector<PlageRouge> obtenu = PlagesRouges(lignes, necessaires);
        QCOMPARE(Decrire(obtenu), rouges);
        QCOMPARE(Decrire(obtenu), Decrire(RegleLitterale(lignes, necessaires)));
    }

    // Histories drawn from a tiny alphabet, so lines are full of each other's texts: the fast
    // computation must give exactly what the literal rule gives.
    void commeLaRegleLitterale_data() {
        QTest::addColumn<quint32>("graine");
        QTest::addColumn<QString>("alphabet");
        for (quint32 g = 1; g <= 12; ++g)
            QTest::newRow(qPrintable(QStringLiteral("graine %1 ab|3").arg(g))) << g << "ab|3";
        for (quint32 g = 13; g <= 20; ++g)
            QTest::newRow(qPrintable(QStringLiteral("graine %1 aé|23-").arg(g))) << g << "aé|23-";
    }
    void commeLaRegleLitterale() {
        QFETCH(quint32, graine);
        QFETCH(QString, alphabet);
        QRandomGenerator hasard(graine);
        for (int essai = 0; essai < 40; ++essai) {
            QStringList lignes;
            const int n = hasard.bounded(1, 30);
            for (int k = 0; k < n; ++k) {
                QString l;
                const int longueur = hasard.bounded(0, 7);
                for (int i = 0; i < longueur; ++i)
                    l += alphabet.at(hasard.bounded(int(alphabet.size())));
                lignes.append(l);
            }
            const QVector<PlageRouge> attendu = RegleLitterale(lignes, 3);
            QCOMPARE(Decrire(PlagesRouges(lignes, 3)), Decrire(attendu));
            const QString texte = lignes.join(u'\n');
            const QVector<qsizetype> occ = PremieresOccurrences(lignes);
            for (qsizetype k = 0; k < lignes.size(); ++k)
                QCOMPARE(occ[k], lignes[k].isEmpty() ? -1 : texte.indexOf(lignes[k]));
        }
    }
};

QTEST_GUILESS_MAIN(TstColorationReussis)
#include "tst_colorationreussis.moc"
