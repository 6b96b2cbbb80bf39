// Start-up of the real main form, offscreen: configuration, journal, title, and the end.

#include "Doubles.h"
#include "DoublesUi.h"
#include "core/Etat.h"
#include "core/Formulaires.h"
#include "exercise/Unit1.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>

namespace {
QStringList Journaux(const QString& dossier) {
    return QDir(dossier).entryList({"Bilan_*.txt"}, QDir::Files);
}
} // namespace

class TstDemarrage : public QObject {
    Q_OBJECT
private slots:
    void formesCreeesDansLOrdre() {
        EnvironnementTest env;
        ModalInstalle modal;
        CreerFormulaires();
        QCOMPARE(QApplication::topLevelWidgets().contains(Form1), true);
        struct Attendu {
            QWidget* forme;
            const char* nom;
            const char* titre;
            int l;
            int h;
        };
        const QList<QDialog*> enfants = Form1->findChildren<QDialog*>(Qt::FindDirectChildrenOnly);
        const QStringList ordre = {"Form2",         "CPEcr",   "fChoixNbItems", "fQuitter",
                                   "fMessagePerso", "fBilans", "fNouvelEleve",  "fMotDePasse"};
        QStringList noms;
        for (QDialog* d : enfants)
            noms.append(d->objectName());
        QCOMPARE(noms, ordre);
        const QList<Attendu> formes = {
            {Form1, "Form1", "Plumelune", 628, 429},
            {Form1->findChild<QDialog*>("Form2"), "Form2", "Choix dossier", 297, 424},
            {Form1->findChild<QDialog*>("fChoixNbItems"), "fChoixNbItems", "Choix nombre d'items",
             254, 364},
            {Form1->findChild<QDialog*>("fQuitter"), "fQuitter", "Quitter", 290, 48},
            {Form1->findChild<QDialog*>("fMessagePerso"), "fMessagePerso", "Plumelune", 169, 93},
            {Form1->findChild<QDialog*>("fBilans"), "fBilans", "Bilan", 637, 436},
        };
        for (const Attendu& a : formes) {
            QVERIFY(a.forme);
            QCOMPARE(a.forme->windowTitle(), QString::fromUtf8(a.titre));
            QCOMPARE(a.forme->size(), QSize(a.l, a.h));
        }
        QCOMPARE(Form1->findChild<QDialog*>("CPEcr")->windowTitle(), QStringLiteral("Aide"));
        QVERIFY(Form1->mMessage->toPlainText().isEmpty()); // the design text never shows
        QVERIFY(!Form1->iExplication->isVisibleTo(Form1)); // no default picture here
        DetruireFormulaires();
    }

    void demarrageEtFermeture() {
        EnvironnementTest env;
        ModalInstalle modal;
        QDir(env.Programme).mkpath("_Medias");
        QDir(env.Programme).mkpath("_Bilans");
        EcrireOctets(env.Programme + "plumelune.ini",
                     "REPERTOIRE =\r\nBILAN =\r\nREPONSES NECESSAIRES = 2\r\n");
        EcrireOctets(env.Programme + "_Medias/Animaux/chat.wav", "RIFF");
        // The start form's part: a visitor chooses the folder Animaux.
        modal.Modal.Ajouter("Form2", [&](QDialog*) {
            Etat.DossierExercice = env.Programme + "_Medias/Animaux";
            QDir::setCurrent(Etat.DossierExercice);
            return 1;
        });
        CreerFormulaires();
        Form1->show();
        QTRY_VERIFY(!Etat.PremiereActivation);
        QCOMPARE(Form1->windowTitle(), QStringLiteral("Plumelune - Version 2.0"));
        QCOMPARE(Etat.CheminBilans, env.Programme + "_Bilans/");
        QCOMPARE(Etat.ReponsesNecessaires, 2);
        QVERIFY(Etat.EcriturePossible);
        const QStringList journaux = Journaux(env.Programme);
        QCOMPARE(journaux.size(), 1);
        QCOMPARE(Etat.FichierJournal, env.Programme + journaux.first());
        QCOMPARE(Form1->lBonus->text(), QStringLiteral("5"));
        QCOMPARE(modal.Modal.Montres, QStringList{"Form2"});
        QCOMPARE(Form1->lDossierCourant->text(), QStringLiteral("Animaux"));
        QCOMPARE(Etat.FichierSon, QStringLiteral("chat.wav"));
        // A later activation does not start again.
        Form1->FormActivate();
        QCOMPARE(Journaux(env.Programme).size(), 1);
        QVERIFY(env.Messages.Appels.isEmpty());

        Form1->close();
        QVERIFY(Journaux(env.Programme).isEmpty());
        DetruireFormulaires();
    }

    void sansIniLeProgrammeSArrete() {
        EnvironnementTest env;
        ModalInstalle modal;
        CreerFormulaires();
        Form1->show();
        QTRY_VERIFY(!Form1->isVisible());
        QCOMPARE(env.Messages.Textes(), QStringList{"Fichier INI non trouvé."});
        QVERIFY(Journaux(env.Programme).isEmpty());
        DetruireFormulaires();
    }

    void imageParDefaut() {
        EnvironnementTest env;
        ModalInstalle modal;
        QImage img(16, 16, QImage::Format_RGB32);
        img.fill(Qt::yellow);
        QVERIFY(img.save(env.Programme + "QVX_PARDEFAUT.jpg",
                         "PNG")); // a PNG under a .jpg name, other case
        CreerFormulaires();
        QVERIFY(Form1->iExplication->isVisibleTo(Form1));
        DetruireFormulaires();
    }
};

QTEST_MAIN(TstDemarrage)
#include "tst_demarrage.moc"
