// The kinds of a wrong answer, on pupils' real mistakes: what differs, where, and the hint.

#include "core/exercise/DecodageItem.h"
#include "core/exercise/Erreurs.h"

#include <QTest>

namespace {

// "kind@typed start+length:model start+length", then the sound-alike flags.
QString Decrire(const AnalyseErreurs& a) {
    QStringList r;
    for (const DifferenceReponse& d : a.Differences) {
        QString s = QStringLiteral("%1@%2+%3:%4+%5")
                        .arg(LibelleGenre(d.Genre))
                        .arg(d.DebutTape)
                        .arg(d.LongueurTape)
                        .arg(d.DebutModele)
                        .arg(d.LongueurModele);
        if (d.Confusions & ConfusionSon::SonS)
            s += QStringLiteral(" s");
        if (d.Confusions & ConfusionSon::MAvantBP)
            s += QStringLiteral(" mbp");
        if (d.Confusions & ConfusionSon::ConsonneDouble)
            s += QStringLiteral(" double");
        if (d.Confusions & ConfusionSon::FinaleMuette)
            s += QStringLiteral(" muette");
        r.append(s);
    }
    return r.join(QStringLiteral(", "));
}

} // namespace

class TstErreurs : public QObject {
    Q_OBJECT
private slots:
    void genres_data() {
        QTest::addColumn<QString>("tape");
        QTest::addColumn<QStringList>("acceptees");
        QTest::addColumn<int>("modele");
        QTest::addColumn<QString>("attendu");
        const auto ligne = [](const char* nom, const QString& tape, const QStringList& acceptees,
                              int modele, const char* attendu) {
            QTest::newRow(nom) << tape << acceptees << modele << QString::fromUtf8(attendu);
        };
        ligne("chevaus: silent final x/s", QStringLiteral("chevaus"), {QStringLiteral("chevaux")},
              0, "lettre fausse@6+1:6+1 muette");
        ligne("lapain: the extra a", QStringLiteral("lapain"), {QStringLiteral("lapin")}, 0,
              "lettre en trop@3+1:3+0");
        ligne("lapain, blanks around", QStringLiteral("  lapain "), {QStringLiteral("lapin")}, 0,
              "lettre en trop@3+1:3+0");
        ligne("ecole: accent and capital", QStringLiteral("ecole"), {QStringLiteral("École")}, 0,
              "accent@0+1:0+1, majuscule@0+1:0+1");
        ligne("école: capital only", QStringLiteral("école"), {QStringLiteral("École")}, 0,
              "majuscule@0+1:0+1");
        ligne("Ecole: accent only", QStringLiteral("Ecole"), {QStringLiteral("École")}, 0,
              "accent@0+1:0+1");
        ligne("garcon: c/ç", QStringLiteral("garcon"), {QStringLiteral("garçon")}, 0,
              "accent@3+1:3+1 s");
        ligne("garsson: s/ç and a doubled s", QStringLiteral("garsson"), {QStringLiteral("garçon")},
              0, "lettre fausse@3+1:3+1 s, lettre en trop@4+1:4+0 s double");
        ligne("sarotte: a hard c is no [s]", QStringLiteral("sarotte"), {QStringLiteral("carotte")},
              0, "lettre fausse@0+1:0+1");
        ligne("serise: s/c", QStringLiteral("serise"), {QStringLiteral("cerise")}, 0,
              "lettre fausse@0+1:0+1 s");
        ligne("l eau: apostrophe as a space", QStringLiteral("l eau"), {QStringLiteral("l'eau")}, 0,
              "apostrophe@1+1:1+1");
        ligne("leau: apostrophe missing", QStringLiteral("leau"), {QStringLiteral("l'eau")}, 0,
              "apostrophe@1+0:1+1");
        ligne("typographic apostrophe", QStringLiteral("l’eau"), {QStringLiteral("l'eau")}, 0,
              "apostrophe@1+1:1+1");
        ligne("hyphen missing", QStringLiteral("porte manteau"), {QStringLiteral("porte-manteau")},
              0, "apostrophe@5+1:5+1");
        ligne("tere: one r of two", QStringLiteral("pomme de tere"),
              {QStringLiteral("pomme de terre")}, 0, "lettre manquante@12+0:12+1 double");
        ligne("poison for poisson", QStringLiteral("poison"), {QStringLiteral("poisson")}, 0,
              "lettre manquante@4+0:4+1 s double");
        ligne("arbe: r missing", QStringLiteral("arbe"), {QStringLiteral("arbre")}, 0,
              "lettre manquante@3+0:3+1");
        ligne("chevau: silent x missing", QStringLiteral("chevau"), {QStringLiteral("chevaux")}, 0,
              "lettre manquante@6+0:6+1 muette");
        ligne("janbe: m before b", QStringLiteral("janbe"), {QStringLiteral("jambe")}, 0,
              "lettre fausse@2+1:2+1 mbp");
        ligne("pra: swapped", QStringLiteral("pra"), {QStringLiteral("par")}, 0,
              "inversion@1+2:1+2");
        ligne("un noiseau: liaison", QStringLiteral("un noiseau"), {QStringLiteral("un oiseau")}, 0,
              "espaces@3+1:3+0");
        ligne("les zoiseaux: liaison", QStringLiteral("les zoiseaux"),
              {QStringLiteral("les oiseaux")}, 0, "espaces@4+1:4+0");
        ligne("u noiseau: space moved", QStringLiteral("u noiseau"), {QStringLiteral("un oiseau")},
              0, "espaces@1+2:1+2");
        ligne("pommede: words glued", QStringLiteral("pommede terre"),
              {QStringLiteral("pomme de terre")}, 0, "espaces@5+0:5+1");
        ligne("two spaces", QStringLiteral("pomme  de terre"), {QStringLiteral("pomme de terre")},
              0, "espaces@6+1:6+0");
        ligne("lecole: apostrophe and accent", QStringLiteral("lecole"),
              {QStringLiteral("l'école")}, 0, "apostrophe@1+0:1+1, accent@1+1:2+1");
        ligne("Ecolle: three kinds", QStringLiteral("Ecolle"), {QStringLiteral("école")}, 0,
              "accent@0+1:0+1, majuscule@0+1:0+1, lettre en trop@4+1:4+0 double");
        ligne("chien for chat: far", QStringLiteral("chien"), {QStringLiteral("chat")}, 0,
              "éloigné@0+5:0+4");
        ligne("bato: three slips in six, far", QStringLiteral("bato"), {QStringLiteral("bateau")},
              0, "éloigné@0+4:0+6");
        ligne("shevak: a third exactly, far", QStringLiteral("shevak"), {QStringLiteral("cheval")},
              0, "éloigné@0+6:0+6");
        ligne("nothing typed: far", QStringLiteral(""), {QStringLiteral("chat")}, 0,
              "éloigné@0+0:0+4");
        ligne("accents never make it far", QStringLiteral("eleve"), {QStringLiteral("élève")}, 0,
              "accent@0+1:0+1, accent@2+1:2+1");
        // A text pasted into the answer is not aligned letter by letter.
        ligne("pasted text: far", QString(400, u'a') + u'b', {QString(400, u'a')}, 0,
              "éloigné@0+401:0+400");
        ligne("pasted text, right", QString(400, u'A'), {QString(400, u'a')}, 0, "");
        ligne("right, A-Z folded", QStringLiteral("CHAT"), {QStringLiteral("chat")}, 0, "");
        // Two spellings one edit away: the one with the same letters wins, whatever the order.
        ligne("tie: same letters first", QStringLiteral("cle"),
              {QStringLiteral("clef"), QStringLiteral("clé")}, 1, "accent@2+1:2+1");
        ligne("tie: otherwise the first", QStringLiteral("chats"),
              {QStringLiteral("chat"), QStringLiteral("chas")}, 0, "lettre en trop@4+1:4+0 muette");
        ligne("tie: the first, other order", QStringLiteral("chats"),
              {QStringLiteral("chas"), QStringLiteral("chat")}, 0, "lettre en trop@3+1:3+0");
        ligne("nearest of two", QStringLiteral("chevaus"),
              {QStringLiteral("cheval"), QStringLiteral("chevaux")}, 1,
              "lettre fausse@6+1:6+1 muette");
        // A Mac writes é as e + U+0301: compared composed, on either side.
        ligne("typed decomposed", QStringLiteral("e\u0301cole"), {QStringLiteral("École")}, 0,
              "majuscule@0+1:0+1");
        ligne("model decomposed", QStringLiteral("ecole"), {QStringLiteral("e\u0301cole")}, 0,
              "accent@0+1:0+1");
        ligne("a mark nothing composes", QStringLiteral("aq\u0301e"), {QStringLiteral("aqe")}, 0,
              "accent@1+2:1+1");
    }
    void genres() {
        QFETCH(QString, tape);
        QFETCH(QStringList, acceptees);
        QFETCH(int, modele);
        QFETCH(QString, attendu);
        const AnalyseErreurs a = AnalyserReponse(tape, acceptees);
        QCOMPARE(Decrire(a), attendu);
        QCOMPARE(a.IndiceModele, modele);
        // The kinds describe only what the judge refuses.
        QCOMPARE(a.Differences.isEmpty(),
                 ReponseJuste(tape, acceptees.join(u'£') + QStringLiteral(".wav")));
    }

    void indice_data() {
        QTest::addColumn<QString>("tape");
        QTest::addColumn<QString>("modele");
        QTest::addColumn<QString>("phrase");
        QTest::newRow("lapain") << QStringLiteral("lapain") << QStringLiteral("lapin")
                                << QStringLiteral("Il y a une lettre en trop.");
        QTest::newRow("ecole") << QStringLiteral("ecole") << QStringLiteral("École")
                               << QStringLiteral("Regarde bien les accents.");
        QTest::newRow("école") << QStringLiteral("école") << QStringLiteral("École")
                               << QStringLiteral("Attention à la majuscule.");
        QTest::newRow("arbe") << QStringLiteral("arbe") << QStringLiteral("arbre")
                              << QStringLiteral("Il manque une lettre.");
        QTest::newRow("pra") << QStringLiteral("pra") << QStringLiteral("par")
                             << QStringLiteral("Deux lettres sont inversées.");
        QTest::newRow("un noiseau") << QStringLiteral("un noiseau") << QStringLiteral("un oiseau")
                                    << QStringLiteral("Attention aux espaces entre les mots.");
        QTest::newRow("l eau") << QStringLiteral("l eau") << QStringLiteral("l'eau")
                               << QStringLiteral("N'oublie pas l'apostrophe.");
        QTest::newRow("wrong letter: nothing")
            << QStringLiteral("chevaus") << QStringLiteral("chevaux") << QString();
        QTest::newRow("far: nothing")
            << QStringLiteral("chien") << QStringLiteral("chat") << QString();
        QTest::newRow("right: nothing")
            << QStringLiteral("Chat") << QStringLiteral("chat") << QString();
        // The words' shape before their letters, the letters before their accents.
        QTest::newRow("apostrophe before accent")
            << QStringLiteral("lecole") << QStringLiteral("l'école")
            << QStringLiteral("N'oublie pas l'apostrophe.");
        QTest::newRow("letter before accent") << QStringLiteral("Ecolle") << QStringLiteral("école")
                                              << QStringLiteral("Il y a une lettre en trop.");
        QTest::newRow("s for ç: a wrong letter, nothing said")
            << QStringLiteral("garsonne") << QStringLiteral("garçonne") << QString();
        QTest::newRow("accents beside a wrong letter: accents said")
            << QStringLiteral("elevez") << QStringLiteral("élèves")
            << QStringLiteral("Regarde bien les accents.");
    }
    void indice() {
        QFETCH(QString, tape);
        QFETCH(QString, modele);
        QFETCH(QString, phrase);
        QCOMPARE(PhraseIndice(AnalyserReponse(tape, {modele})), phrase);
    }
};

QTEST_APPLESS_MAIN(TstErreurs)
#include "tst_erreurs.moc"
