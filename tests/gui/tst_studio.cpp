// The exercise studio offscreen: reached from the teacher module, folders created and refused,
// items named from their spellings, sounds from the microphone (double), the voice (double) and
// files, renames, deletions, the trial that writes nothing, export and import.

#include "BancFenetres.h"
#include "archive/ArchiveZip.h"
#include "core/Etat.h"
#include "core/studio/TraitementSon.h"
#include "sound/DecodageWav.h"
#include "sound/EcritureWav.h"
#include "ui/Fenetres.h"
#include "ui/studio/FenetreEssai.h"
#include "ui/studio/FenetreStudio.h"
#include "ui/teacher/FenetreBilans.h"

#include <QDir>
#include <QDirIterator>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>

namespace {

QStringList Fichiers(const QString& dossier) {
    QStringList r =
        QDir(dossier).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    r.sort();
    return r;
}

// Every file below `dossier` with its bytes, to prove that nothing was written.
QMap<QString, QByteArray> Photo(const QString& dossier) {
    QMap<QString, QByteArray> r;
    QDirIterator it(dossier, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString f = it.next();
        r.insert(f, LireOctets(f));
    }
    return r;
}

SonPcm Voix(double secondes) {
    SonDecode d;
    QString erreur;
    DecoderSonMemoire(WavTonalite(secondes, 44100, 2, 0.5), d, erreur);
    return {d.Canaux, d.Frequence, d.Echantillons};
}

} // namespace

class TstStudio : public QObject {
    Q_OBJECT
    std::unique_ptr<BancFenetres> banc;
    std::unique_ptr<FenetreStudio> studio;
    FichiersSonSndfile fichiersSon;
    ArchiveZip archive;

    FenetreStudio& S() { return *studio; }

    void Ouvrir(const QString& nom) {
        S().OuvrirDossier(banc->Medias + nom);
        QCOMPARE(S().DossierOuvert(), QDir::cleanPath(banc->Medias + nom));
    }
    // A new item with these spellings, validated.
    bool NouvelItem(const QStringList& orthographes, const QString& texte = {}) {
        S().bNouvelItem->click();
        for (const QString& o : orthographes) {
            S().eOrthographe->setText(o);
            S().bAjouterOrthographe->click();
        }
        S().eTexteCompagnon->setPlainText(texte);
        return S().bValiderItemClick();
    }
    // The voice for the item shown, waited for until the batch is over.
    void Synthetiser() {
        S().bSynthese->click();
        QTRY_VERIFY(S().barreSynthese->isHidden());
    }

private slots:
    void init() {
        banc = std::make_unique<BancFenetres>();
        Services::InstallerFichiersSon(&fichiersSon);
        Services::InstallerArchive(&archive);
        QDir().mkpath(banc->Medias + "Animaux");
        studio = std::make_unique<FenetreStudio>(nullptr);
        studio->Preparer();
    }
    void cleanup() {
        studio.reset();
        Services::InstallerFichiersSon(nullptr);
        Services::InstallerArchive(nullptr);
        banc.reset();
    }

    void boutonDuModuleEnseignant() {
        FenetreBilans* bilans = Fenetres::Bilans;
        Etat.ModeEnseignant = false;
        bilans->Preparer();
        QVERIFY(bilans->bStudio->isHidden());
        Etat.ModeEnseignant = true;
        bilans->Preparer();
        QVERIFY(!bilans->bStudio->isHidden());
        QCOMPARE(bilans->bStudio->text(), QStringLiteral("Créer ou modifier un exercice"));
        QVERIFY(!bilans->studio); // not made before it is asked for
        bilans->bStudio->click();
        QCOMPARE(banc->modal.Modal.Montres.last(), QStringLiteral("fStudio"));
        QVERIFY(bilans->studio);
        QVERIFY(bilans->studio->arbreDossiers->topLevelItemCount() == 1);
    }

    void dossiers() {
        // The tree follows the pupils' listing: no dotted folder.
        QDir().mkpath(banc->Medias + "Cachés.old");
        QDir().mkpath(banc->Medias + "CM1/Dictée 1");
        S().Preparer();
        QTreeWidgetItem* racine = S().arbreDossiers->topLevelItem(0);
        QCOMPARE(racine->childCount(), 2);
        QCOMPARE(racine->child(0)->text(0), QStringLiteral("Animaux"));
        QCOMPARE(racine->child(1)->text(0), QStringLiteral("CM1"));
        // Listed when opened.
        QCOMPARE(racine->child(1)->childCount(), 0);
        racine->child(1)->setExpanded(true);
        QCOMPARE(racine->child(1)->childCount(), 1);
        // Refused names say why and create nothing.
        racine->setSelected(true);
        S().eNomDossier->setText("a:b");
        S().bCreerDossier->click();
        QVERIFY(banc->env.Messages.Textes().last().contains("« : »"));
        S().eNomDossier->setText("animaux");
        S().bCreerDossier->click();
        QVERIFY(banc->env.Messages.Textes().last().contains("existe déjà"));
        QCOMPARE(Fichiers(banc->Medias), (QStringList{"Animaux", "CM1", "Cachés.old"}));
        // Nested: inside the folder selected.
        S().arbreDossiers->clearSelection();
        racine->child(1)->setSelected(true);
        S().eNomDossier->setText("Dictée 2");
        S().bCreerDossier->click();
        QVERIFY(QDir(banc->Medias + "CM1/Dictée 2").exists());
        QCOMPARE(S().DossierOuvert(), QDir::cleanPath(banc->Medias + "CM1/Dictée 2"));
        QVERIFY(S().eNomDossier->text().isEmpty());
        // A folder holding folders is shown with a warning: pupils cannot start it.
        Ouvrir("CM1");
        QVERIFY(!S().lAvertissement->isHidden());
        Ouvrir("Animaux");
        QVERIFY(S().lAvertissement->isHidden());
    }

    void itemParLaVoix() {
        Ouvrir("Animaux");
        QVERIFY(NouvelItem({"Ecole", "École"}, "Une école.\nDes élèves."));
        QVERIFY(NouvelItem({"l'eau"}));
        // Named, the text written; no sound yet.
        QCOMPARE(Fichiers(banc->Medias + "Animaux"), QStringList{"Ecole£École.TXT"});
        QCOMPARE(LireOctets(banc->Medias + "Animaux/Ecole£École.TXT"),
                 QByteArray("Une \xE9"
                            "cole.\r\nDes \xE9l\xE8ves.\r\n"));
        S().bSynthetiserTout->click();
        QVERIFY(!S().barreSynthese->isHidden());
        QVERIFY(!S().bNouvelItem->isEnabled()); // nothing changes under the voice
        QTRY_VERIFY(S().barreSynthese->isHidden());
        QCOMPARE(banc->env.Synthese.Dits, (QStringList{"Ecole", "l'eau"}));
        QCOMPARE(Fichiers(banc->Medias + "Animaux"),
                 (QStringList{"Ecole£École.TXT", "Ecole£École.wav", "l#apo#eau.wav"}));
        QCOMPARE(S().tableItems->item(0, 0)->text(), QStringLiteral("Ecole  /  École"));
        QVERIFY(S().tableItems->item(1, 3)->text().endsWith(" s"));
        QVERIFY(S().bNouvelItem->isEnabled());
    }

    void voixAbsente() {
        banc->env.Synthese.Absente = true;
        Ouvrir("Animaux");
        QVERIFY(NouvelItem({"chat"}));
        S().bSynthese->click();
        QVERIFY(banc->env.Messages.Textes().last().contains("n'est pas installée"));
        QVERIFY(!QFile::exists(banc->Medias + "Animaux/chat.wav"));
        QVERIFY(S().bEnregistrer->isEnabled()); // the other ways still work
    }

    // The list draws the model's spellings: added, refused, edited in place, taken away.
    void orthographes() {
        Ouvrir("Animaux");
        QVERIFY(NouvelItem({"chat", "Chat"}));
        QVERIFY(banc->env.Messages.Textes().last().contains("déjà dans la liste"));
        S().eOrthographe->setText("chats");
        S().bAjouterOrthographe->click();
        const auto messages = banc->env.Messages.Textes().size();
        S().listeOrthographes->item(1)->setText("CHAT");
        QTRY_COMPARE(banc->env.Messages.Textes().size(), messages + 1);
        QVERIFY(banc->env.Messages.Textes().last().contains("« CHAT »"));
        QCOMPARE(S().listeOrthographes->item(1)->text(), QStringLiteral("chats"));
        S().listeOrthographes->setCurrentRow(0);
        S().bRetirerOrthographe->click();
        QCOMPARE(S().Modele().Orthographes(), QStringList{"chats"});
        QVERIFY(S().bValiderItemClick());
        QCOMPARE(S().tableItems->item(0, 0)->text(), QStringLiteral("chats"));
    }

    void enregistrement() {
        Ouvrir("Animaux");
        QVERIFY(NouvelItem({"le chien"}));
        banc->env.Capture.Son = Voix(0.8);
        S().bEnregistrer->click();
        QCOMPARE(banc->env.Capture.Demarrages, 1);
        QVERIFY(S().bArreter->isEnabled());
        QVERIFY(!S().bEnregistrer->isEnabled());
        QTRY_VERIFY(S().niveauMicro->value() > 0);
        S().bArreter->click();
        QVERIFY(!S().bArreter->isEnabled());
        SonDecode d;
        QString erreur;
        QVERIFY(DecoderFichierSon(banc->Medias + "Animaux/le chien.wav", d, erreur));
        QCOMPARE(d.Frequence, 22050);
        QCOMPARE(d.Canaux, 1);
        QVERIFY(d.Echantillons.size() < 22050 * 1.1); // the 0.5 s of silence on each side cut away
        QVERIFY(S().lEtatSon->text().startsWith("Son : "));
        QVERIFY(S().bReecouter->isEnabled());
        S().bReecouter->click();
        QCOMPARE(banc->env.Son.Joues.last(), banc->Medias + "Animaux/le chien.wav");

        // A silent recording is refused and the previous sound kept.
        const QByteArray avant = LireOctets(banc->Medias + "Animaux/le chien.wav");
        banc->env.Capture.Son = {1, 22050, QVector<qint16>(22050, 3)};
        S().bEnregistrer->click();
        S().bArreter->click();
        QVERIFY(banc->env.Messages.Textes().last().contains("silencieux"));
        QCOMPARE(LireOctets(banc->Medias + "Animaux/le chien.wav"), avant);
    }

    void sansMicro() {
        banc->env.Capture.SansMicro = true;
        Ouvrir("Animaux");
        QVERIFY(NouvelItem({"loup"}));
        S().bEnregistrer->click();
        QVERIFY(banc->env.Messages.Textes().last().contains("Aucun micro"));
        QVERIFY(S().bEnregistrer->isEnabled());
        QVERIFY(!S().bArreter->isEnabled());
        // Importing a file still works.
        const QString flac = banc->env.Programme + "loup.wav";
        EcrireOctets(flac, WavTonalite(0.6, 8000, 1));
        banc->env.ChoixFichier.Reponses = {flac};
        S().bImporterSon->click();
        SonDecode d;
        QString erreur;
        QVERIFY(DecoderFichierSon(banc->Medias + "Animaux/loup.wav", d, erreur));
        QCOMPARE(d.Frequence, 22050);
    }

    void renommerEtSupprimer() {
        Ouvrir("Animaux");
        QVERIFY(NouvelItem({"chat"}, "Le chat."));
        Synthetiser();
        QVERIFY(QFile::exists(banc->Medias + "Animaux/chat.wav"));
        QFile::rename(banc->Medias + "Animaux/chat.TXT", banc->Medias + "Animaux/CHAT.txt");
        Ouvrir("Animaux");
        S().ChoisirItem(0);
        S().listeOrthographes->item(0)->setText("le chat");
        QVERIFY(S().bValiderItemClick());
        QCOMPARE(Fichiers(banc->Medias + "Animaux"), (QStringList{"le chat.TXT", "le chat.wav"}));
        QCOMPARE(LireOctets(banc->Medias + "Animaux/le chat.TXT"), QByteArray("Le chat.\r\n"));
        banc->env.Messages.Reponses = {true};
        S().bSupprimerItem->click();
        QCOMPARE(Fichiers(banc->Medias + "Animaux"), QStringList{".corbeille"});
        QCOMPARE(S().Items().size(), 0);
    }

    // A colleague made « chien » on the shared folder after the studio read it: giving the
    // teacher's new « chien » a sound keeps the colleague's file, reads the folder again and
    // leaves what the teacher typed on screen.
    void sonDUnCollegue() {
        Ouvrir("Animaux");
        S().bNouvelItem->click();
        S().eOrthographe->setText("chien");
        S().bAjouterOrthographe->click();
        S().eTexteCompagnon->setPlainText("Il aboie.");
        EcrireOctets(banc->Medias + "Animaux/CHIEN.WAV", "collègue");
        S().bSynthese->click();
        QVERIFY2(banc->env.Messages.Textes().last().contains("« CHIEN.WAV »"),
                 qPrintable(banc->env.Messages.Textes().last()));
        QVERIFY(banc->env.Synthese.Dits.isEmpty());
        QCOMPARE(Fichiers(banc->Medias + "Animaux"), QStringList{"CHIEN.WAV"});
        QCOMPARE(LireOctets(banc->Medias + "Animaux/CHIEN.WAV"), QByteArray("collègue"));
        QCOMPARE(S().Items().size(), 2);
        QCOMPARE(S().Items().at(0).FichierSon, QStringLiteral("CHIEN.WAV"));
        QCOMPARE(S().ItemCourant(), 1);
        QCOMPARE(S().listeOrthographes->item(0)->text(), QStringLiteral("chien"));
        QCOMPARE(S().eTexteCompagnon->toPlainText(), QStringLiteral("Il aboie."));
    }

    // The folder buttons reach the core: a change of letter case, then the trash.
    void renommerEtSupprimerLeDossier() {
        Ouvrir("Animaux");
        S().bRenommerDossier->click(); // nothing typed: the current name, ready to change
        QCOMPARE(S().eNomDossier->text(), QStringLiteral("Animaux"));
        S().eNomDossier->setText("animaux");
        S().bRenommerDossier->click();
        QCOMPARE(Fichiers(banc->Medias), QStringList{"animaux"});
        QCOMPARE(S().DossierOuvert(), QDir::cleanPath(banc->Medias + "animaux"));
        QCOMPARE(S().arbreDossiers->currentItem()->text(0), QStringLiteral("animaux"));
        banc->env.Messages.Reponses = {false, true};
        S().bSupprimerDossier->click();
        QCOMPARE(Fichiers(banc->Medias), QStringList{"animaux"});
        S().bSupprimerDossier->click();
        QCOMPARE(Fichiers(banc->Medias), QStringList{".corbeille"});
        QCOMPARE(S().arbreDossiers->topLevelItem(0)->childCount(), 0);
        QVERIFY(!S().bSupprimerDossier->isEnabled());
    }

    // The trial runs the folder as a visitor: nothing written, the shared state as it was.
    void essai() {
        Ouvrir("Animaux");
        QVERIFY(NouvelItem({"chat"}));
        Synthetiser();
        QVERIFY(QFile::exists(banc->Medias + "Animaux/chat.wav"));
        Etat.NomEleve = "Paul";
        Etat.DossierGroupe = banc->Bilans;
        Etat.FichierJournal = banc->env.Programme + "Bilan_1.txt";
        Etat.Choix.DossierExercice = "avant";
        EcrireOctets(Etat.FichierJournal, "journal\r\n");
        EcrireOctets(banc->Bilans + "Paul_Detail.txt", "");
        const auto avant = Photo(banc->env.Programme);
        const SessionExercice exercice = Etat.Exercice;
        QStringList retours;
        int score = -1;
        banc->modal.Modal.Ajouter("fEssai", [&](QDialog* d) -> int {
            auto* e = static_cast<FenetreEssai*>(d);
            e->bEcouter->click();
            e->eReponse->setText("chien");
            e->bValider->click();
            retours << e->lRetour->text();
            e->eReponse->setText("Chat");
            e->bValider->click();
            retours << e->lRetour->text();
            // Right at the second attempt: it comes back once, for one point. Heard slowly
            // this time, where the build can.
            (EcouteLenteIntegree ? e->bEcouterLent : e->bEcouter)->click();
            e->eReponse->setText("chat");
            e->bValider->click();
            retours << e->lRetour->text();
            score = e->Session().Score();
            e->bRevenir->click();
            return 0;
        });
        S().bEssayer->click();
        QCOMPARE(retours.size(), 3);
        QVERIFY(retours[0].contains("Essaie encore"));
        QCOMPARE(retours[1], QStringLiteral("C'est bien, continue."));
        QVERIFY(retours[2].startsWith("Exercice terminé"));
        QCOMPARE(score, 4);
        QCOMPARE(banc->env.Son.Joues.last(), QDir::cleanPath(banc->Medias + "Animaux/chat.wav"));
        QCOMPARE(banc->env.Son.Vitesses.last(), EcouteLenteIntegree ? VitesseLente : 1);
        QCOMPARE(Photo(banc->env.Programme), avant);
        QCOMPARE(Etat.NomEleve, QStringLiteral("Paul"));
        QCOMPARE(Etat.FichierJournal, banc->env.Programme + "Bilan_1.txt");
        QCOMPARE(Etat.Choix.DossierExercice, QStringLiteral("avant"));
        QCOMPARE(Etat.Exercice.Items(), exercice.Items());
        QVERIFY(Etat.ListeReussites.isEmpty());
    }

    void exporterImporter() {
        Ouvrir("Animaux");
        QVERIFY(NouvelItem({"Ecole", "École"}, "texte"));
        Synthetiser();
        QVERIFY(QFile::exists(banc->Medias + "Animaux/Ecole£École.wav"));
        const QString zip = banc->env.Programme + "Animaux.zip";
        banc->env.ChoixFichier.Reponses = {zip};
        S().bExporter->click();
        QVERIFY2(banc->env.Messages.Textes().last().contains("a été exporté"),
                 qPrintable(banc->env.Messages.Textes().last()));
        // Imported as a colleague would: under another root.
        Etat.CheminMedias = banc->env.Programme + "Ailleurs/";
        QDir().mkpath(Etat.CheminMedias);
        banc->env.ChoixFichier.Reponses = {zip};
        S().bImporterClick();
        QVERIFY2(banc->env.Messages.Textes().last().contains("a été ajouté"),
                 qPrintable(banc->env.Messages.Textes().last()));
        QCOMPARE(Fichiers(Etat.CheminMedias + "Animaux"),
                 (QStringList{"Ecole£École.TXT", "Ecole£École.wav"}));
        QCOMPARE(S().DossierOuvert(), QDir::cleanPath(Etat.CheminMedias + "Animaux"));
        // Cancelled choosers do nothing.
        const int messages = int(banc->env.Messages.Appels.size());
        S().bExporter->click();
        S().bImporterClick();
        QCOMPARE(int(banc->env.Messages.Appels.size()), messages);
    }
};

QTEST_MAIN(TstStudio)
#include "tst_studio.moc"
