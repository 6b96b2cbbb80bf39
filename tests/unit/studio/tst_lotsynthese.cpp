// Several items given the synthesised voice in one go: one after the other from the event loop,
// each written at the items' format, failures said one by one, a missing voice said at once.

#include "Doubles.h"
#include "core/studio/LotSynthese.h"
#include "core/studio/TraitementSon.h"
#include "sound/DecodageWav.h"
#include "sound/EcritureWav.h"

#include <QSignalSpy>
#include <QTest>

class TstLotSynthese : public QObject {
    Q_OBJECT
    std::unique_ptr<EnvironnementTest> env;
    FichiersSonSndfile fichiers;

    QVector<TacheSynthese> Taches(const QStringList& textes) {
        QVector<TacheSynthese> t;
        for (const QString& texte : textes)
            t.append({texte, env->Programme + texte + ".wav"});
        return t;
    }

private slots:
    void init() {
        env = std::make_unique<EnvironnementTest>();
        Services::InstallerFichiersSon(&fichiers);
    }
    void cleanup() {
        Services::InstallerFichiersSon(nullptr);
        env.reset();
    }

    void lot() {
        LotSynthese lot;
        QSignalSpy avance(&lot, &LotSynthese::Avance);
        QSignalSpy fin(&lot, &LotSynthese::Termine);
        QString raison;
        QVERIFY(lot.Lancer(Taches({"chat", "l'eau", "École"}), &raison));
        // Nothing is spoken before the event loop runs: the click that started it returns.
        QCOMPARE(avance.size(), 0);
        QVERIFY(lot.EnCours());
        QTRY_COMPARE(fin.size(), 1);
        QCOMPARE(avance.size(), 3);
        QCOMPARE(avance.at(2).at(0).toInt(), 3);
        QCOMPARE(avance.at(2).at(1).toInt(), 3);
        QCOMPARE(env->Synthese.Dits, (QStringList{"chat", "l'eau", "École"}));
        QVERIFY(lot.Erreurs().isEmpty());
        for (const char* t : {"chat", "l'eau", "École"}) {
            SonDecode d;
            QString erreur;
            QVERIFY(DecoderFichierSon(env->Programme + QString::fromUtf8(t) + ".wav", d, erreur));
            QCOMPARE(d.Frequence, FrequenceItems);
            QCOMPARE(d.Canaux, 1);
            // The 0.3 s of silence around the voice are trimmed away.
            QVERIFY(d.Echantillons.size() < FrequenceItems * (0.2 + 0.02 * 6 + 0.25));
        }
        QVERIFY(!lot.EnCours());
    }

    void unEchecNArretePasLesAutres() {
        env->Synthese.Echecs = {"chien"};
        LotSynthese lot;
        QSignalSpy fin(&lot, &LotSynthese::Termine);
        QString raison;
        QVERIFY(lot.Lancer(Taches({"chat", "chien", "loup"}), &raison));
        QTRY_COMPARE(fin.size(), 1);
        QCOMPARE(lot.Erreurs().size(), 1);
        QVERIFY(lot.Erreurs().first().startsWith("« chien »"));
        QVERIFY(QFile::exists(env->Programme + "chat.wav"));
        QVERIFY(!QFile::exists(env->Programme + "chien.wav"));
        QVERIFY(QFile::exists(env->Programme + "loup.wav"));
    }

    void voixAbsente() {
        env->Synthese.Absente = true;
        LotSynthese lot;
        QString raison;
        QVERIFY(!lot.Lancer(Taches({"chat"}), &raison));
        QVERIFY(raison.contains("n'est pas installée"));
        QVERIFY(!lot.EnCours());
        QVERIFY(env->Synthese.Dits.isEmpty());
    }

    void annulation() {
        LotSynthese lot;
        QSignalSpy avance(&lot, &LotSynthese::Avance);
        QSignalSpy fin(&lot, &LotSynthese::Termine);
        QString raison;
        // Cancelled the moment the first item is done, as a click between two items would.
        connect(&lot, &LotSynthese::Avance, &lot, [&lot] { lot.Annuler(); });
        QVERIFY(lot.Lancer(Taches({"un", "deux", "trois"}), &raison));
        QTRY_COMPARE(avance.size(), 1);
        QTest::qWait(50);
        QCOMPARE(avance.size(), 1);
        QCOMPARE(fin.size(), 0);
        QVERIFY(!QFile::exists(env->Programme + "trois.wav"));
    }
};

QTEST_GUILESS_MAIN(TstLotSynthese)
#include "tst_lotsynthese.moc"
