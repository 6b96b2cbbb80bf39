// The start form's rules on who is working and where it stands, without its window.

#include "Doubles.h"
#include "core/Chemins.h"
#include "core/setup/ChoixDepart.h"

#include <QDir>
#include <QTest>

class TstChoixDepart : public QObject {
    Q_OBJECT
private slots:
    void dossierDuGroupe_data() {
        QTest::addColumn<QString>("racine");
        QTest::addColumn<QString>("groupe"); // "-": the list asks to choose one
        QTest::addColumn<QString>("dossier");
        QTest::newRow("a group") << "/b/" << "CM1" << "/b/CM1/";
        QTest::newRow("asked to choose: the root") << "/b/" << "-" << "/b/";
        QTest::newRow("the remembered group gone: the root") << "/b/" << "" << "/b/";
        QTest::newRow("no records root") << "" << "CM1" << "";
    }
    void dossierDuGroupe() {
        QFETCH(QString, racine);
        QFETCH(QString, groupe);
        QFETCH(QString, dossier);
        const std::optional<QString> g =
            groupe == u"-" ? std::nullopt : std::optional<QString>(groupe);
        QCOMPARE(DossierDuGroupeChoisi(racine, g), dossier);
    }

    void motDePasse_data() {
        QTest::addColumn<bool>("actif");
        QTest::addColumn<QString>("eleve");
        QTest::addColumn<QString>("precedent");
        QTest::addColumn<bool>("fichier");
        QTest::addColumn<int>("afaire");
        const int aucun = int(MotDePasseAFaire::Aucun);
        QTest::newRow("first time: he chooses one")
            << true << "Paul" << "" << false << int(MotDePasseAFaire::Choisir);
        QTest::newRow("he has one: asked")
            << true << "Paul" << "Zoé" << true << int(MotDePasseAFaire::Verifier);
        QTest::newRow("the pupil who just worked here")
            << true << "Paul" << "Paul" << true << aucun;
        QTest::newRow("a visitor") << true << "" << "Paul" << true << aucun;
        QTest::newRow("passwords off") << false << "Paul" << "" << true << aucun;
    }
    void motDePasse() {
        QFETCH(bool, actif);
        QFETCH(QString, eleve);
        QFETCH(QString, precedent);
        QFETCH(bool, fichier);
        QFETCH(int, afaire);
        QCOMPARE(int(MotDePasseAvantExercice(actif, eleve, precedent, fichier)), afaire);
    }

    // The teacher may move the exercise root or delete the folder the browser stood in.
    void positionApresModuleEnseignant_data() {
        QTest::addColumn<QString>("ici");
        QTest::addColumn<QString>("racine");
        QTest::addColumn<QString>("position");
        QTest::newRow("still there") << "<M>Grammaire" << "<M>" << "<M>Grammaire";
        QTest::newRow("the root, with its separator") << "<M>" << "<M>" << "<M>";
        QTest::newRow("the root written in another case") << "<M>Grammaire" << "<U>"
                                                          << "<M>Grammaire";
        QTest::newRow("deleted meanwhile") << "<M>Disparu" << "<M>" << "<M>";
        QTest::newRow("the root moved elsewhere") << "<M>Grammaire" << "<A>" << "<A>";
        QTest::newRow("a folder whose name starts like the root")
            << "<M>Grammaire" << "<M>Gram" << "<M>Gram";
    }
    void positionApresModuleEnseignant() {
        QFETCH(QString, ici);
        QFETCH(QString, racine);
        QFETCH(QString, position);
        EnvironnementTest env;
        for (const char* d : {"_Medias/Grammaire", "Ailleurs", "_Medias/Gram"})
            QDir().mkpath(env.Programme + d);
        auto chemin = [&](QString t) {
            return t.replace("<M>", env.Programme + "_Medias/")
                .replace("<U>", env.Programme + "_MEDIAS/")
                .replace("<A>", env.Programme + "Ailleurs/");
        };
        QCOMPARE(PositionApresModuleEnseignant(chemin(ici), chemin(racine)),
                 SansSeparateurFinal(chemin(position)));
    }

    // The name the exercise is run under and the one its window shows, for each kind of pupil.
    void nomsDeLEleve_data() {
        QTest::addColumn<int>("genre");
        QTest::addColumn<QString>("nom");
        QTest::addColumn<QString>("pourExercice");
        QTest::addColumn<QString>("affiche");
        QTest::newRow("a visitor has no records")
            << int(GenreEleve::Visiteur) << "" << "" << "Visiteur";
        QTest::newRow("the Nouveau entry launched as it is")
            << int(GenreEleve::Nouveau) << "" << "Nouveau" << "Nouveau";
        QTest::newRow("a named pupil") << int(GenreEleve::Nomme) << "Zoé" << "Zoé" << "Zoé";
        QTest::newRow("a pupil named like the visitor entry")
            << int(GenreEleve::Nomme) << "visiteur" << "visiteur" << "visiteur";
    }
    void nomsDeLEleve() {
        QFETCH(int, genre);
        QFETCH(QString, nom);
        QFETCH(QString, pourExercice);
        QFETCH(QString, affiche);
        const EleveChoisi e{static_cast<GenreEleve>(genre), nom};
        QCOMPARE(e.NomPourExercice(), pourExercice);
        QCOMPARE(e.NomAffiche(), affiche);
    }

    // The browser never climbs above the exercise root, whatever the case it is written in.
    void navigation_data() {
        QTest::addColumn<QString>("position");
        QTest::addColumn<QString>("racine");
        QTest::addColumn<bool>("aLaRacine");
        QTest::addColumn<QString>("parent");
        QTest::newRow("at the root") << "/m/_Medias" << "/m/_Medias/" << true << "/m";
        QTest::newRow("the root in another case") << "/m/_MEDIAS" << "/m/_Medias" << true << "/m";
        QTest::newRow("below the root")
            << "/m/_Medias/Grammaire" << "/m/_Medias/" << false << "/m/_Medias";
        QTest::newRow("a sibling starting like the root")
            << "/m/_Medias2" << "/m/_Medias" << false << "/m";
        QTest::newRow("a top-level folder") << "/Dictees" << "/m/" << false << "/";
    }
    void navigation() {
        QFETCH(QString, position);
        QFETCH(QString, racine);
        QFETCH(bool, aLaRacine);
        QFETCH(QString, parent);
        ChoixTravail c;
        c.Position = position;
        QCOMPARE(c.ALaRacine(racine), aLaRacine);
        QCOMPARE(c.Parent(), parent);
        QCOMPARE(c.Enfant("Articles"), position + "/Articles");
        c.AuDebut(racine);
        QVERIFY(c.ALaRacine(racine));
    }
};

QTEST_APPLESS_MAIN(TstChoixDepart)
#include "tst_choixdepart.moc"
