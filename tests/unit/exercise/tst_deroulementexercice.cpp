// The correction of an answer as any screen plays it: which sound, which message and hint at
// which attempt, when the model answer and the corrigé show and for how long, and nothing after
// a screen closed.

#include "Doubles.h"
#include "core/Etat.h"
#include "core/exercise/Corrige.h"
#include "core/exercise/DeroulementExercice.h"
#include "core/exercise/SessionExercice.h"

#include <QDir>
#include <QTest>

namespace {

// The corrigé in one line: _wrong_, ~too many~, ^accent or capital^, and the caret as it is.
QString Noter(const QList<SegmentCorrige>& segments) {
    QString r;
    for (const SegmentCorrige& s : segments) {
        switch (s.Marque) {
        case MarqueCorrige::Aucune:
        case MarqueCorrige::Manquante:
            r += s.Texte;
            break;
        case MarqueCorrige::LettreFausse:
            r += u'_' + s.Texte + u'_';
            break;
        case MarqueCorrige::LettreEnTrop:
            r += u'~' + s.Texte + u'~';
            break;
        case MarqueCorrige::Accent:
            r += u'^' + s.Texte + u'^';
            break;
        }
    }
    return r;
}

// A screen that writes down what the correction asks of it.
struct FaceNotee : IFaceExercice {
    QStringList Notes;
    int FermeeAuMessage = 0; // the screen closes while its n-th message shows; 0: never
    int Messages = 0;
    void Effet(const QString& nom) override { Notes << "son " + nom; }
    bool Appreciation(const QString& texte, bool bon, const QString& indice) override {
        Notes << (bon ? "Bon: " : "PasBon: ") + texte;
        if (!indice.isEmpty())
            Notes << "indice " + indice;
        return ++Messages != FermeeAuMessage;
    }
    void Modele(const QString& modele, const CorrigeReponse& corrige) override {
        Notes << "modèle " + modele;
        if (!corrige.Tape.isEmpty())
            Notes << "corrigé " + Noter(corrige.Tape);
    }
    void AfficherSession() override { Notes << "session"; }
    void Reessayer() override { Notes << "réessayer"; }
    void ItemSuivant() override { Notes << "suivant"; }
    void Fin() override { Notes << "fin"; }
};

} // namespace

class TstDeroulementExercice : public QObject {
    Q_OBJECT
private slots:
    void correction_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<bool>("indices");
        QTest::addColumn<QStringList>("reponses");
        QTest::addColumn<int>("fermeeAuMessage");
        QTest::addColumn<QStringList>("notes");
        QTest::addColumn<QVector<int>>("pauses");
        const QStringList juste = {
            "son juste.wav", "Bon: C'est bien, continue.", "session", "modèle ", "suivant", "fin"};
        const QStringList faux = {"son faux.wav", "session"};
        const QString essaieEncore = "PasBon: Ce n'est pas la bonne réponse. Essaie encore.";
        // Each wrong answer's steps, the hint or the corrigé of that answer given (or none).
        const auto premier = [&](const QString& indice) {
            return faux + QStringList{essaieEncore} +
                   (indice.isEmpty() ? QStringList{} : QStringList{"indice " + indice}) +
                   QStringList{"réessayer"};
        };
        const auto montre = [](const QString& modele, const QString& corrige) {
            return QStringList{"modèle " + modele} +
                   (corrige.isEmpty() ? QStringList{} : QStringList{"corrigé " + corrige});
        };
        const auto deuxieme = [&](const QString& modele, const QString& corrige) {
            return faux +
                   QStringList{"PasBon: Non, la bonne réponse va s'afficher puis disparaître."} +
                   montre(modele, corrige) + QStringList{"modèle ", "réessayer"};
        };
        const auto troisieme = [&](const QString& modele, const QString& corrige) {
            return faux + QStringList{"PasBon: Observe la réponse, puis clique sur <OK>."} +
                   montre(modele, corrige) +
                   QStringList{"PasBon: J'essaie encore.", "modèle ", "réessayer"};
        };
        const auto quatrieme = [&](const QString& modele, const QString& corrige) {
            return faux + QStringList{"PasBon: Observe bien la réponse."} +
                   montre(modele, corrige) + QStringList{"réessayer"};
        };
        const QString manque = "Il manque une lettre.";
        const QString chat = "chat";
        QTest::newRow("right at once")
            << "chat.wav" << true << QStringList{"chat"} << 0 << juste << QVector<int>{};
        // Right after retries: the item comes back, the exercise goes on. A hint at the first
        // attempt only; then each wrong answer marked above the model, a far one unmarked.
        QTest::newRow("five wrong answers, then right")
            << "chat.wav" << true << QStringList{"cha", "cat", "chta", "shat", "chien", "chat"} << 0
            << premier(manque) + deuxieme(chat, "c\u2038at") + troisieme(chat, "ch_ta_") +
                   quatrieme(chat, "_s_hat") + quatrieme(chat, "chien") + juste.mid(0, 5)
            << QVector<int>{DeroulementExercice::DureeModeleFugaceMs};
        QTest::newRow("INDICES = NON: the model alone, as it always was")
            << "chat.wav" << false << QStringList{"cha", "cat", "chta", "shat", "chat"} << 0
            << premier({}) + deuxieme(chat, {}) + troisieme(chat, {}) + quatrieme(chat, {}) +
                   juste.mid(0, 5)
            << QVector<int>{DeroulementExercice::DureeModeleFugaceMs};
        QTest::newRow("lapain: a letter too many, said then struck")
            << "lapin.wav" << true << QStringList{"lapain", " lapain "} << 0
            << premier("Il y a une lettre en trop.") + deuxieme("lapin", "lap~a~in")
            << QVector<int>{DeroulementExercice::DureeModeleFugaceMs};
        QTest::newRow("far: no hint")
            << "lapin.wav" << true << QStringList{"chien"} << 0 << premier({}) << QVector<int>{};
        QTest::newRow("a wrong letter only: no hint")
            << "lapin.wav" << true << QStringList{"lapun"} << 0 << premier({}) << QVector<int>{};
        // Two spellings: marked against the nearer one, the model shows both.
        QTest::newRow("two spellings, the nearer one")
            << QString::fromUtf8("Ecole£École.wav") << true
            << QStringList{QString::fromUtf8("Écol"), QString::fromUtf8("écol")} << 0
            << premier(manque) + deuxieme(QString::fromUtf8("Ecole     École"), "^é^col\u2038")
            << QVector<int>{DeroulementExercice::DureeModeleFugaceMs};
        QTest::newRow("nothing typed: no corrigé")
            << "chat.wav" << true << QStringList{"", ""} << 0 << premier({}) + deuxieme(chat, {})
            << QVector<int>{DeroulementExercice::DureeModeleFugaceMs};
        // The program ends while a box shows: the correction stops with it.
        QTest::newRow("closed during the first box")
            << "chat.wav" << true << QStringList{"cha"} << 1 << premier(manque).mid(0, 4)
            << QVector<int>{};
        QTest::newRow("closed during the box of the third attempt")
            << "chat.wav" << true << QStringList{"a", "b", "c"} << 3
            << premier({}) + deuxieme(chat, "b") + troisieme(chat, "c").mid(0, 3)
            << QVector<int>{DeroulementExercice::DureeModeleFugaceMs};
        QTest::newRow("closed during the praise")
            << "chat.wav" << true << QStringList{"chat"} << 1 << juste.mid(0, 2) << QVector<int>{};
    }
    void correction() {
        QFETCH(QString, item);
        QFETCH(bool, indices);
        QFETCH(QStringList, reponses);
        QFETCH(int, fermeeAuMessage);
        QFETCH(QStringList, notes);
        QFETCH(QVector<int>, pauses);
        EnvironnementTest env;
        Etat.Indices = indices;
        const QString dossier = env.Programme + "Animaux";
        QDir().mkpath(dossier);
        EcrireOctets(dossier + "/" + item, "");
        SessionExercice session;
        session.Ouvrir(dossier, BilansExercice{});
        QVERIFY(session.Commencer());
        FaceNotee face;
        face.FermeeAuMessage = fermeeAuMessage;
        DeroulementExercice deroulement(session, face);
        for (const QString& r : reponses) {
            session.Ecouter();
            deroulement.Repondre(r);
        }
        QCOMPARE(face.Notes, notes);
        QCOMPARE(env.Pause.Pauses, pauses);
    }

    // The pupil's answer as "J'observe" marks it, and the words a screen reader says.
    void corrige_data() {
        QTest::addColumn<QString>("tape");
        QTest::addColumn<QStringList>("acceptees");
        QTest::addColumn<QString>("marques");
        QTest::addColumn<QString>("description");
        const auto ligne = [](const char* nom, const QString& tape, const QStringList& acceptees,
                              const char* marques, const char* description) {
            QTest::newRow(nom) << tape << acceptees << QString::fromUtf8(marques)
                               << QString::fromUtf8(description);
        };
        ligne("lapain: the a struck", "lapain", {"lapin"}, "lap~a~in",
              "Tu as écrit lapain. Il fallait écrire lapin.");
        ligne("arbe: a caret for the r", "arbe", {"arbre"}, "arb\u2038e",
              "Tu as écrit arbe. Il fallait écrire arbre.");
        ligne("chevau: a caret at the end", "chevau", {"chevaux"}, "chevau\u2038",
              "Tu as écrit chevau. Il fallait écrire chevaux.");
        ligne("ecole: accent and capital, one mark", "ecole", {"École"}, "^e^cole",
              "Tu as écrit ecole. Il fallait écrire École.");
        ligne("chevaus: a wrong letter", "chevaus", {"chevaux"}, "chevau_s_",
              "Tu as écrit chevaus. Il fallait écrire chevaux.");
        ligne("Ecolle: accent, capital and a letter too many", "Ecolle", {"école"}, "^E^col~l~e",
              "Tu as écrit Ecolle. Il fallait écrire école.");
        ligne("lecole: apostrophe missing, accent", "lecole", {"l'école"}, "l\u2038^e^cole",
              "Tu as écrit lecole. Il fallait écrire l'école.");
        ligne("l eau: the space written for the apostrophe", "l eau", {"l'eau"}, "l_ _eau",
              "Tu as écrit l eau. Il fallait écrire l'eau.");
        ligne("un noiseau: the liaison's n struck", "un noiseau", {"un oiseau"}, "un ~n~oiseau",
              "Tu as écrit un noiseau. Il fallait écrire un oiseau.");
        ligne("far: unmarked", "chien", {"chat"}, "chien",
              "Tu as écrit chien. Il fallait écrire chat.");
        ligne("blanks around: as compared", "  lapain ", {"lapin"}, "lap~a~in",
              "Tu as écrit lapain. Il fallait écrire lapin.");
        ligne("hostile text kept as typed", "<b>&", {"<b>"}, "<b>~&~",
              "Tu as écrit <b>&. Il fallait écrire <b>.");
        ligne("nothing typed", "", {"chat"}, "", "Tu n'as rien écrit. Il fallait écrire chat.");
        ligne("no spelling at all", "chat", {}, "", "");
    }
    void corrige() {
        QFETCH(QString, tape);
        QFETCH(QStringList, acceptees);
        QFETCH(QString, marques);
        QFETCH(QString, description);
        const CorrigeReponse c = Corriger(AnalyserReponse(tape, acceptees));
        QCOMPARE(Noter(c.Tape), marques);
        QCOMPARE(c.Description, description);
        // No two neighbours with the same mark: each run of letters is one segment.
        for (qsizetype i = 1; i < c.Tape.size(); ++i)
            QVERIFY(c.Tape.at(i).Marque != c.Tape.at(i - 1).Marque ||
                    c.Tape.at(i).Marque == MarqueCorrige::Manquante);
    }
};

QTEST_APPLESS_MAIN(TstDeroulementExercice)
#include "tst_deroulementexercice.moc"
