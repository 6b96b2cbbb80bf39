// The correction of an answer as any screen plays it: which sound, which message at which
// attempt, when the model answer shows and for how long, and nothing after a screen closed.

#include "Doubles.h"
#include "core/Etat.h"
#include "core/exercise/DeroulementExercice.h"
#include "core/exercise/SessionExercice.h"

#include <QDir>
#include <QTest>

namespace {

// A screen that writes down what the correction asks of it.
struct FaceNotee : IFaceExercice {
    QStringList Notes;
    int FermeeAuMessage = 0; // the screen closes while its n-th message shows; 0: never
    int Messages = 0;
    void Effet(const QString& nom) override { Notes << "son " + nom; }
    bool Appreciation(const QString& texte, bool bon) override {
        Notes << (bon ? "Bon: " : "PasBon: ") + texte;
        return ++Messages != FermeeAuMessage;
    }
    void Modele(const QString& modele) override { Notes << "modèle " + modele; }
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
        QTest::addColumn<QStringList>("reponses");
        QTest::addColumn<int>("fermeeAuMessage");
        QTest::addColumn<QStringList>("notes");
        QTest::addColumn<QVector<int>>("pauses");
        const QStringList juste = {
            "son juste.wav", "Bon: C'est bien, continue.", "session", "modèle ", "suivant", "fin"};
        const QStringList faux = {"son faux.wav", "session"};
        const QStringList premier =
            faux +
            QStringList{"PasBon: Ce n'est pas la bonne réponse. Essaie encore.", "réessayer"};
        const QStringList deuxieme =
            faux + QStringList{"PasBon: Non, la bonne réponse va s'afficher puis disparaître.",
                               "modèle chat", "modèle ", "réessayer"};
        const QStringList troisieme =
            faux + QStringList{"PasBon: Observe la réponse, puis clique sur <OK>.", "modèle chat",
                               "PasBon: J'essaie encore.", "modèle ", "réessayer"};
        const QStringList quatrieme =
            faux + QStringList{"PasBon: Observe bien la réponse.", "modèle chat", "réessayer"};
        QTest::newRow("right at once") << QStringList{"chat"} << 0 << juste << QVector<int>{};
        // Right after retries: the item comes back, the exercise goes on.
        QTest::newRow("five wrong answers, then right")
            << QStringList{"cha", "cat", "chta", "shat", "chien", "chat"} << 0
            << premier + deuxieme + troisieme + quatrieme + quatrieme + juste.mid(0, 5)
            << QVector<int>{DeroulementExercice::DureeModeleFugaceMs};
        // The program ends while a box shows: the correction stops with it.
        QTest::newRow("closed during the first box")
            << QStringList{"cha"} << 1 << premier.mid(0, 3) << QVector<int>{};
        QTest::newRow("closed during the box of the third attempt")
            << QStringList{"a", "b", "c"} << 3 << premier + deuxieme + troisieme.mid(0, 3)
            << QVector<int>{DeroulementExercice::DureeModeleFugaceMs};
        QTest::newRow("closed during the praise")
            << QStringList{"chat"} << 1 << juste.mid(0, 2) << QVector<int>{};
    }
    void correction() {
        QFETCH(QStringList, reponses);
        QFETCH(int, fermeeAuMessage);
        QFETCH(QStringList, notes);
        QFETCH(QVector<int>, pauses);
        EnvironnementTest env;
        const QString dossier = env.Programme + "Animaux";
        QDir().mkpath(dossier);
        EcrireOctets(dossier + "/chat.wav", "");
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
};

QTEST_APPLESS_MAIN(TstDeroulementExercice)
#include "tst_deroulementexercice.moc"
