// The contrast of every text the program draws against its background, at each reading
// setting: 4.5:1 at least, 7:1 with the high-contrast colours.

#include "core/Contraste.h"
#include "core/Palette.h"

#include <QTest>

Q_DECLARE_METATYPE(ReglagesLecture)

class TstContraste : public QObject {
    Q_OBJECT
private slots:
    void rapport_data() {
        QTest::addColumn<uint>("texte");
        QTest::addColumn<uint>("fond");
        QTest::addColumn<double>("attendu");
        QTest::newRow("black on white") << 0x000000u << 0xffffffu << 21.0;
        QTest::newRow("white on black, either order") << 0xffffffu << 0x000000u << 21.0;
        QTest::newRow("the same colour") << 0x3673b9u << 0x3673b9u << 1.0;
        QTest::newRow("mid grey on white, just under 4.5") << 0x777777u << 0xffffffu << 4.478;
        QTest::newRow("pure red on white") << 0xff0000u << 0xffffffu << 3.998;
        QTest::newRow("dark channel in the linear part") << 0x0a0a0au << 0xffffffu << 19.80;
        QTest::newRow("green weighs most") << 0x00ff00u << 0x000000u << 15.3;
        QTest::newRow("blue weighs least") << 0x0000ffu << 0x000000u << 2.444;
    }
    void rapport() {
        QFETCH(uint, texte);
        QFETCH(uint, fond);
        QFETCH(double, attendu);
        const double r = RapportContraste(texte, fond);
        QVERIFY2(qAbs(r - attendu) < 0.01, qPrintable(QString::number(r)));
    }

    // Every pair at each setting: the letters do not change the colours, the high-contrast
    // set raises the bar.
    void palette_data() {
        QTest::addColumn<uint>("texte");
        QTest::addColumn<uint>("fond");
        QTest::addColumn<double>("minimum");
        const struct {
            const char* nom;
            ReglagesLecture reglages;
        } reglages[] = {
            {"standard", {PoliceLecture::Standard, ContrasteLecture::Normal}},
            {"école", {PoliceLecture::Ecole, ContrasteLecture::Normal}},
            {"dys", {PoliceLecture::Dys, ContrasteLecture::Normal}},
            {"contraste fort", {PoliceLecture::Standard, ContrasteLecture::Fort}},
            {"dys, contraste fort", {PoliceLecture::Dys, ContrasteLecture::Fort}},
        };
        for (const auto& [nom, r] : reglages) {
            const double minimum = r.Contraste == ContrasteLecture::Fort ? 7.0 : 4.5;
            const QList<PaireCouleurs> paires = PairesCouleurs(r);
            QVERIFY(!paires.isEmpty());
            for (const PaireCouleurs& p : paires)
                QTest::addRow("%s: %s", nom, p.Nom) << uint(p.Texte) << uint(p.Fond) << minimum;
        }
    }
    void palette() {
        QFETCH(uint, texte);
        QFETCH(uint, fond);
        QFETCH(double, minimum);
        const double r = RapportContraste(texte, fond);
        QVERIFY2(r >= minimum, qPrintable(QStringLiteral("%1 on %2: %3:1")
                                              .arg(NomCss(texte), NomCss(fond))
                                              .arg(r, 0, 'f', 2)));
    }

    // The focus mark: one of its two colours at 3:1 against every background a control is
    // drawn on, and in high contrast against the black of the controls' edges too.
    void anneauFocus() {
        for (const ContrasteLecture c : {ContrasteLecture::Normal, ContrasteLecture::Fort}) {
            const QList<PaireCouleurs> paires = PairesCouleurs({PoliceLecture::Standard, c});
            QVERIFY(!paires.isEmpty());
            for (const PaireCouleurs& p : paires) {
                QList<CouleurRgb> voisines = {p.Fond};
                if (c == ContrasteLecture::Fort)
                    voisines << p.Texte;
                for (const CouleurRgb voisine : voisines) {
                    const double r = qMax(RapportContraste(Couleurs::AnneauFocus, voisine),
                                          RapportContraste(Couleurs::BordAnneauFocus, voisine));
                    QVERIFY2(r >= 3.0, qPrintable(QStringLiteral("%1 (%2): %3:1")
                                                      .arg(NomCss(voisine), p.Nom)
                                                      .arg(r, 0, 'f', 2)));
                }
            }
        }
    }

    void nomCss() {
        QCOMPARE(NomCss(0x0b2447), QStringLiteral("#0b2447"));
        QCOMPARE(NomCss(0xffffff), QStringLiteral("#ffffff"));
    }
};

QTEST_MAIN(TstContraste)
#include "tst_contraste.moc"
