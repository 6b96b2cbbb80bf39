// What the studio edits, without its window: the spellings pending for the item chosen, what
// becomes of them when another item is chosen or the folder read again, and the folder tree
// listed branch by branch.

#include "Doubles.h"
#include "core/studio/ModeleStudio.h"

#include <QDir>
#include <QTest>

class TstModeleStudio : public QObject {
    Q_OBJECT
    std::unique_ptr<EnvironnementTest> env;
    QString dossier;

private slots:
    void init() {
        env = std::make_unique<EnvironnementTest>();
        dossier = env->Programme + "Animaux";
        QDir().mkpath(dossier);
    }
    void cleanup() { env.reset(); }

    // A spelling added (ligne -1) or edited in place, to the list « chat », « école ».
    void orthographes_data() {
        QTest::addColumn<int>("ligne");
        QTest::addColumn<QString>("tape");
        QTest::addColumn<QStringList>("apres");
        QTest::addColumn<bool>("refus"); // a reason is given
        const QStringList avant{"chat", "école"};
        QTest::newRow("added, trimmed") << -1 << " loup " << (avant + QStringList{"loup"}) << false;
        QTest::newRow("blank: nothing to say") << -1 << " \t" << avant << false;
        QTest::newRow("another case of A-Z") << -1 << "CHAT" << avant << true;
        QTest::newRow("accents decomposed") << -1 << "e\u0301cole" << avant << true;
        QTest::newRow("an accented capital is another answer")
            << -1 << "École" << (avant + QStringList{"École"}) << false;
        QTest::newRow("no-break space pasted")
            << -1 << "Où vas-tu\u00A0?" << (avant + QStringList{"Où vas-tu ?"}) << false;
        QTest::newRow("soft hyphen pasted")
            << -1 << "chi\u00ADen" << (avant + QStringList{"chien"}) << false;
        QTest::newRow("edited") << 1 << "loup " << QStringList{"chat", "loup"} << false;
        QTest::newRow("its own case edited")
            << 0 << "Chat" << QStringList{"Chat", "école"} << false;
        QTest::newRow("erased: it leaves") << 0 << "\u00A0" << QStringList{"école"} << false;
        QTest::newRow("edited into the other") << 1 << "CHAT" << avant << true;
        QTest::newRow("no such row") << 2 << "loup" << avant << false;
    }
    void orthographes() {
        QFETCH(int, ligne);
        QFETCH(QString, tape);
        QFETCH(QStringList, apres);
        QFETCH(bool, refus);
        ModeleStudio m;
        m.Ouvrir(dossier);
        QVERIFY(m.Choisir(m.ItemANommer()));
        for (const QString o : {"chat", "école"})
            QVERIFY(m.AjouterOrthographe(o).Acceptee);
        const IssueOrthographe r =
            ligne < 0 ? m.AjouterOrthographe(tape) : m.ModifierOrthographe(ligne, tape);
        QCOMPARE(m.Orthographes(), apres);
        QCOMPARE(!r.Refus.isEmpty(), refus);
        QVERIFY(!m.RetirerOrthographe(int(apres.size())));
        QVERIFY(m.RetirerOrthographe(0));
        QCOMPARE(m.Orthographes(), apres.mid(1));
    }

    // Choosing the item shown keeps what is pending; choosing another drops it; a name written
    // makes it the item's own.
    void choixDItem() {
        EcrireOctets(dossier + "/chat.wav", "son");
        EcrireOctets(dossier + "/chien.wav", "son");
        ModeleStudio m;
        m.Ouvrir(dossier);
        QCOMPARE(m.Orthographes(), QStringList{"chat"});
        QVERIFY(m.AjouterOrthographe("chats").Acceptee);
        QVERIFY(!m.Choisir(0));
        QCOMPARE(m.Orthographes(), (QStringList{"chat", "chats"}));
        QVERIFY(m.Choisir(1));
        QCOMPARE(m.Orthographes(), QStringList{"chien"});
        QVERIFY(m.Choisir(0));
        QCOMPARE(m.Orthographes(), QStringList{"chat"});
        // The name another item bears, whatever its case, is refused; an unnamed item is alone.
        QVERIFY(m.ModifierOrthographe(0, "CHIEN").Acceptee);
        QVERIFY(m.NomEnAttente().Refus.contains("même nom"));
        QVERIFY(m.RetirerOrthographe(0));
        QVERIFY(!m.NomEnAttente().Accepte());
        const int nouvel = m.ItemANommer();
        QCOMPARE(nouvel, 2);
        QCOMPARE(m.ItemANommer(), nouvel);
        QVERIFY(m.Choisir(nouvel));
        QVERIFY(m.AjouterOrthographe("loup").Acceptee);
        const NomItem nom = m.NomEnAttente();
        QCOMPARE(nom.Base, QStringLiteral("loup"));
        m.ItemCourant()->Base = nom.Base;
        m.ItemCourant()->Orthographes = nom.Textes;
        m.NomEcrit();
        QCOMPARE(m.ItemANommer(), 3);
    }

    // A colleague's file appeared: the folder is read again, the teacher's item and what he
    // typed for it stay.
    void relire_data() {
        QTest::addColumn<bool>("surLeDisque");
        QTest::newRow("the item has its files") << true;
        QTest::newRow("the item has none yet") << false;
    }
    void relire() {
        QFETCH(bool, surLeDisque);
        EcrireOctets(dossier + "/chat.wav", "son");
        ModeleStudio m;
        m.Ouvrir(dossier);
        if (!surLeDisque)
            QVERIFY(m.Choisir(m.ItemANommer()));
        QVERIFY(m.AjouterOrthographe("chats").Acceptee);
        const QStringList tapees = m.Orthographes();
        EcrireOctets(dossier + "/Ane.wav", "collègue");
        m.Relire();
        QCOMPARE(m.Items().size(), surLeDisque ? 2 : 3);
        QCOMPARE(m.Items().at(0).Base, QStringLiteral("Ane"));
        QCOMPARE(m.Courant(), surLeDisque ? 1 : 2);
        QCOMPARE(m.ItemCourant()->Base, surLeDisque ? QStringLiteral("chat") : QString());
        QCOMPARE(m.Orthographes(), tapees);
    }

    // Listed once, the first time; a folder with no folder inside at once; found by its path
    // with the branches down to it listed.
    void arbre_data() {
        QTest::addColumn<QString>("cherche"); // below the root
        QTest::addColumn<bool>("trouve");
        QTest::addColumn<QStringList>("listees"); // the branches listed after the search
        const QStringList racineSeule{"", "A", "CM1/"};
        const QStringList dansCM1{"", "A", "CM1", "CM1/Dictée 1", "CM1/Dictée 2/"};
        QTest::newRow("a folder at the top") << "A" << true << racineSeule;
        QTest::newRow("nested") << "CM1/Dictée 1" << true << dansCM1;
        QTest::newRow("missing below a branch") << "CM1/Dictée 3" << false << dansCM1;
        QTest::newRow("a dotted folder") << "Caché.old" << false << racineSeule;
        QTest::newRow("the root itself") << "" << false << racineSeule;
        QTest::newRow("outside the root") << "../ailleurs" << false << racineSeule;
        QTest::newRow("not cleaned") << "CM1/./Dictée 1/" << true << dansCM1;
    }
    void arbre() {
        QFETCH(QString, cherche);
        QFETCH(bool, trouve);
        QFETCH(QStringList, listees);
        const QString racine = env->Programme + "Medias";
        for (const char* d : {"A", "Caché.old/B", "CM1/Dictée 1", "CM1/Dictée 2/Partie"})
            QDir().mkpath(racine + "/" + d);
        ArbreStudio a;
        a.Reinitialiser(racine + "/");
        QCOMPARE(a.Chemin(0), QDir::cleanPath(racine));
        QVERIFY(!a.Listee(0));
        QVERIFY(a.Lister(0));
        QVERIFY(!a.Lister(0));
        QVERIFY(!a.Lister(99));
        const int id = a.Trouver(racine + "/" + cherche);
        QCOMPARE(id >= 0, trouve);
        if (trouve) {
            QCOMPARE(a.Chemin(id), QDir::cleanPath(racine + "/" + cherche));
            QCOMPARE(a.Chemin(a.Parent(a.Parent(id))).isEmpty(), !cherche.contains(u'/'));
        }
        // Every branch known, by its path below the root, "/" after the not-listed ones.
        QStringList vues;
        for (int b = 0; a.Valide(b); ++b)
            vues << a.Chemin(b).mid(racine.size() + 1) + (a.Listee(b) ? "" : "/");
        vues.sort();
        QCOMPARE(vues, listees);
    }
};

QTEST_GUILESS_MAIN(TstModeleStudio)
#include "tst_modelestudio.moc"
