// The start form, offscreen: who is working (groups, pupils, passwords, new pupils, the
// teacher's entry) and which exercise folder (marks, going down and up, "Commencer",
// "Quitter"). Dialogs are scripted through the modal double; files are checked on disk.

#include "BancFenetres.h"
#include "core/Chemins.h"
#include "core/Etat.h"
#include "core/Texte.h"
#include "ui/Fenetres.h"
#include "ui/Pilote.h"
#include "ui/exercise/FenetreExercice.h"
#include "ui/setup/DialogueMotDePasse.h"
#include "ui/setup/DialogueNouvelEleve.h"
#include "ui/setup/FenetreDepart.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QToolButton>

namespace {

const QString titre = QStringLiteral("Plumelune - Version 2.0");

// A program folder with its two roots, the forms created, and the configuration a teacher
// would have set.
struct Banc : BancFenetres {
    QString& medias = Medias;
    QString& bilans = Bilans;

    Banc() {
        Etat.MotDePasseEnseignant = QStringLiteral("maitre");
        Etat.TitreApplication = titre;
    }

    // Creates every path: a final "/" makes a folder, anything else a file with `octets`.
    static void Creer(const QString& racine, const QStringList& chemins,
                      const QByteArray& octets = {}) {
        for (const QString& c : chemins) {
            if (c.endsWith(u'/'))
                QDir().mkpath(racine + c);
            else
                EcrireOctets(racine + c, octets);
        }
    }
    // The showing as NouvelExercice makes it: FormShow, then FormActivate.
    void Montrer() { Fenetres::Depart->Preparer(); }

    // The user picks an entry of a drop-down list.
    static void Choisir(QComboBox* liste, const QString& texte) {
        const int i = liste->findText(texte, Qt::MatchFixedString | Qt::MatchCaseSensitive);
        QVERIFY2(i >= 0, qPrintable(texte));
        liste->setCurrentIndex(i);
        emit liste->activated(i);
    }
    // The user clicks a folder of the browser.
    static void Cliquer(const QString& entree) {
        const QList<QListWidgetItem*> trouves =
            Fenetres::Depart->eRepertoires->findItems(entree, Qt::MatchExactly);
        QVERIFY2(!trouves.isEmpty(), qPrintable(entree));
        Fenetres::Depart->eRepertoires->setCurrentItem(trouves.first());
    }
    // Paul of CM1, with no password yet, chosen in the shown form; "Animaux" to launch.
    void PaulDeCM1Choisi() {
        Creer(medias, {"Animaux/chat.wav"});
        Creer(bilans + "CM1/", {"Paul.txt"});
        Montrer();
        Choisir(Fenetres::Depart->cChoixGroupe, "CM1");
        Choisir(Fenetres::Depart->cChoixUtilisateur, "Paul");
    }
    void Lancer(const QString& dossier) {
        Cliquer(dossier);
        QVERIFY(Fenetres::Depart->bValider->isEnabled());
        Fenetres::Depart->bValider->click();
    }
    // Scripts the password dialog's answer ("" = "Annuler").
    void RepondreMotDePasse(const QString& reponse, QStringList* titres = nullptr) {
        modal.Modal.Ajouter("fMotDePasse", [reponse, titres](QDialog* d) {
            auto* f = static_cast<DialogueMotDePasse*>(d);
            if (titres)
                titres->append(f->windowTitle());
            if (reponse.isEmpty()) {
                f->bAnnuler->click();
            } else {
                f->eMotDePasse->insert(reponse); // QTest types ASCII only
                QTest::keyClick(f->eMotDePasse, Qt::Key_Return);
            }
            return f->result();
        });
    }
    void NouvelEleveTape(const QString& nom) {
        modal.Modal.Ajouter("fNouvelEleve", [nom](QDialog* d) {
            auto* f = static_cast<DialogueNouvelEleve*>(d);
            f->eUtilisateur->setText(nom);
            f->bOk->click();
            if (f->isVisible() || f->result() != QDialog::Accepted)
                f->bAnnuler->click(); // refused: the pupil gives up
            return f->result();
        });
    }
    bool Ferme() const { return Fenetres::Depart->result() == QDialog::Accepted; }
};

QStringList Entrees(const QComboBox* c) {
    QStringList r;
    for (int i = 0; i < c->count(); ++i)
        r.append(c->itemText(i));
    return r;
}

QStringList Entrees(const QListWidget* l) {
    QStringList r;
    for (int i = 0; i < l->count(); ++i)
        r.append(l->item(i)->text());
    return r;
}

QStringList Fichiers(const QString& dossier) {
    QStringList r = QDir(dossier).entryList(QDir::Files | QDir::Hidden);
    r.sort();
    return r;
}

QString SansFin(const QString& dossier) {
    return QDir::cleanPath(dossier);
}

} // namespace

class TstDepart : public QObject {
    Q_OBJECT
private slots:
    void init() { QVERIFY(Fenetres::Exercice == nullptr); }

    // --- The form itself ------------------------------------------------------------------

    // --- Groups and pupils -----------------------------------------------------------------

    void listeDesGroupes() {
        Banc b;
        Banc::Creer(b.bilans, {"CM1/", "CE2/", "CM1.ancien/", "Notes", "lisez.txt", "Groupe 10/",
                               "Groupe 2/"});
        b.Montrer();
        QCOMPARE(
            Entrees(Fenetres::Depart->cChoixGroupe),
            (QStringList{"Choisis ton groupe", "CE2", "CM1", "Groupe 2", "Groupe 10", "Notes"}));
        QCOMPARE(Fenetres::Depart->cChoixGroupe->currentIndex(), 0);
        QCOMPARE(Etat.DossierGroupe, b.bilans);
    }

    // The lists' drop-downs, built at their first opening, list the entries in the lists'
    // own size of type, the same as the closed list shows.
    void listesDeroulees() {
        Banc b;
        Banc::Creer(b.bilans, {"CM1/", "CE2/"});
        Fenetres::Depart->show();
        QVERIFY(QTest::qWaitForWindowExposed(Fenetres::Depart));
        for (QComboBox* liste :
             {Fenetres::Depart->cChoixGroupe, Fenetres::Depart->cChoixUtilisateur}) {
            const int taille = QFontInfo(liste->font()).pixelSize();
            QCOMPARE(taille, 14);
            liste->showPopup();
            QTRY_VERIFY(liste->view()->isVisible());
            QCOMPARE(QFontInfo(liste->view()->font()).pixelSize(), taille);
            QCOMPARE(liste->view()->model()->rowCount(), liste->count());
            liste->hidePopup();
        }
        Fenetres::Depart->hide();
    }

    void listeDesEleves_data() {
        QTest::addColumn<QStringList>("fichiers");
        QTest::addColumn<QStringList>("attendu");
        QTest::newRow("no txt: only Visiteur")
            << QStringList{"photo.jpg"} << QStringList{"Visiteur"};
        QTest::newRow("only companions: Nouveau, nobody")
            << QStringList{"Paul_Detail.txt", "Paul_Exos.txt"}
            << QStringList{"Visiteur", "Nouveau"};
        QTest::newRow("Paul.TXT listed as Paul, Jean_Luc.txt not listed")
            << QStringList{"Paul.TXT", "Jean_Luc.txt", "Léa.txt", "Léa_Detail.txt"}
            << QStringList{"Visiteur", "Nouveau", "Léa", "Paul"};
    }
    void listeDesEleves() {
        QFETCH(QStringList, fichiers);
        QFETCH(QStringList, attendu);
        Banc b;
        Banc::Creer(b.bilans + "CM1/", fichiers);
        b.Montrer();
        Banc::Choisir(Fenetres::Depart->cChoixGroupe, "CM1");
        QCOMPARE(Etat.DossierGroupe, b.bilans + "CM1/");
        QCOMPARE(Entrees(Fenetres::Depart->cChoixUtilisateur), attendu);
        QCOMPARE(Fenetres::Depart->cChoixUtilisateur->currentText(), QStringLiteral("Visiteur"));
        QVERIFY(Fenetres::Depart->bNouvelEleve->isEnabled());
        // Back to no group: the records root is the group folder and no pupil can be added.
        Banc::Choisir(Fenetres::Depart->cChoixGroupe, "Choisis ton groupe");
        QCOMPARE(Etat.DossierGroupe, b.bilans);
        QVERIFY(!Fenetres::Depart->bNouvelEleve->isEnabled());
    }

    void groupeEtEleveRetrouves() {
        Banc b;
        Banc::Creer(b.bilans + "CM1/", {"Paul.txt", "Zoé.txt"});
        Etat.Choix.Groupe = QStringLiteral("cm1"); // remembered in another case
        Etat.Choix.Eleve = {GenreEleve::Nomme, QStringLiteral("zoé")};
        Etat.NomEleve = QStringLiteral("zoé");
        b.Montrer();
        QCOMPARE(Fenetres::Depart->cChoixGroupe->currentText(), QStringLiteral("CM1"));
        QCOMPARE(Fenetres::Depart->cChoixUtilisateur->currentText(), QStringLiteral("Zoé"));
        QVERIFY(Fenetres::Depart->bBilan->isEnabled());
        QCOMPARE(Etat.Choix.ElevePrecedent, QStringLiteral("zoé"));
    }

    void eleveNommeCommeUneEntreeSpeciale_data() {
        QTest::addColumn<QString>("nom");
        QTest::newRow("visiteur") << "visiteur";
        QTest::newRow("nouveau") << "nouveau";
    }
    void eleveNommeCommeUneEntreeSpeciale() {
        QFETCH(QString, nom);
        Banc b;
        Banc::Creer(b.bilans + "CM1/", {nom + ".txt"});
        Etat.Choix.Groupe = QStringLiteral("CM1");
        Etat.Choix.Eleve = {GenreEleve::Nomme, nom};
        b.Montrer();
        QCOMPARE(Fenetres::Depart->cChoixUtilisateur->currentText(), nom);
        QVERIFY(Fenetres::Depart->bBilan->isEnabled());
        QVERIFY(b.modal.Modal.Montres.isEmpty()); // "nouveau" does not open the new-pupil dialog
    }

    void groupeDisparuDonneLaRacine() {
        Banc b;
        Banc::Creer(b.bilans, {"CM1/", "Max.txt"});
        Etat.Choix.Groupe = QStringLiteral("CM2");
        b.Montrer();
        QCOMPARE(Fenetres::Depart->cChoixGroupe->currentIndex(), -1);
        QCOMPARE(Fenetres::Depart->cChoixGroupe->currentText(), QString());
        QCOMPARE(Etat.DossierGroupe, b.bilans);
        QVERIFY(Fenetres::Depart->bNouvelEleve->isEnabled());
        QCOMPARE(Entrees(Fenetres::Depart->cChoixUtilisateur),
                 (QStringList{"Visiteur", "Nouveau", "Max"}));
    }

    void boutonBilanSuitLeChoix_data() {
        QTest::addColumn<QString>("eleve");
        QTest::addColumn<bool>("actif");
        QTest::newRow("Visiteur") << "Visiteur" << false;
        QTest::newRow("a pupil") << "Paul" << true;
        QTest::newRow("Nouveau while adding is off") << "Nouveau" << false;
    }
    void boutonBilanSuitLeChoix() {
        QFETCH(QString, eleve);
        QFETCH(bool, actif);
        Banc b;
        Banc::Creer(b.bilans + "CM1/", {"Paul.txt"});
        b.Montrer();
        Etat.AjoutNouvelEleve = false;
        Banc::Choisir(Fenetres::Depart->cChoixGroupe, "CM1");
        QVERIFY(!Fenetres::Depart->bNouvelEleve->isEnabled());
        Banc::Choisir(Fenetres::Depart->cChoixUtilisateur, eleve);
        QCOMPARE(Fenetres::Depart->bBilan->isEnabled(), actif);
        QCOMPARE(Fenetres::Depart->cChoixUtilisateur->currentText(),
                 eleve); // "Nouveau" stays selected
        QVERIFY(b.modal.Modal.Montres.isEmpty());
    }

    // --- New pupil ---------------------------------------------------------------------------

    void nouvelEleve_data() {
        QTest::addColumn<QStringList>("existants");
        QTest::addColumn<QString>("tape");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("choisi");
        QTest::addColumn<QStringList>("fichiers");
        const QStringList paulSeul{"Paul.txt"};
        const QStringList trois{"Paul.txt", "Paul_Detail.txt", "Paul_Exos.txt"};
        QTest::newRow("new name") << QStringList{} << "Zoé"
                                  << ""
                                  << "Zoé"
                                  << QStringList{"Zoé.txt", "Zoé_Detail.txt", "Zoé_Exos.txt"};
        QTest::newRow("Visiteur refused")
            << paulSeul << "Visiteur"
            << "Prénom déjà existant dans la liste. Choisir un autre prénom"
            << "Visiteur" << paulSeul;
        QTest::newRow("Nouveau refused when listed")
            << paulSeul << "Nouveau"
            << "Prénom déjà existant dans la liste. Choisir un autre prénom"
            << "Visiteur" << paulSeul;
        QTest::newRow("same name refused")
            << paulSeul << "Paul"
            << "Prénom déjà existant dans la liste. Choisir un autre prénom"
            << "Visiteur" << paulSeul;
        QTest::newRow("visiteur in lower case refused")
            << paulSeul << "visiteur"
            << "Prénom déjà existant dans la liste. Choisir un autre prénom"
            << "Visiteur" << paulSeul;
        // Without pupils the list shows no "Nouveau": a pupil of that name could never be chosen.
        QTest::newRow("Nouveau refused in a group without pupils")
            << QStringList{} << "Nouveau"
            << "Prénom déjà existant dans la liste. Choisir un autre prénom"
            << "Visiteur" << QStringList{};
        QTest::newRow("other case of a pupil: his files, nothing twice") << trois << "paul"
                                                                         << ""
                                                                         << "Paul" << trois;
        QTest::newRow("missing companions created as typed")
            << paulSeul << "PAUL"
            << ""
            << "Paul" << QStringList{"PAUL_Detail.txt", "PAUL_Exos.txt", "Paul.txt"};
        QTest::newRow("leading blank kept")
            << QStringList{} << " Léa"
            << ""
            << " Léa" << QStringList{" Léa.txt", " Léa_Detail.txt", " Léa_Exos.txt"};
        QTest::newRow("empty name") << QStringList{} << ""
                                    << "Saisis ton prénom."
                                    << "Visiteur" << QStringList{};
        const QString caracteres = QStringLiteral(
            "Un prénom ne peut pas contenir les caractères / \\ : * ? \" < > | ni de caractère de "
            "contrôle.");
        QTest::newRow("slash refused")
            << QStringList{} << "../Paul" << caracteres << "Visiteur" << QStringList{};
        QTest::newRow("backslash refused")
            << QStringList{} << "a\\b" << caracteres << "Visiteur" << QStringList{};
        QTest::newRow("star refused")
            << QStringList{} << "Lé*a" << caracteres << "Visiteur" << QStringList{};
        QTest::newRow("control refused") << QStringList{} << QString("Léa") + QChar(9) << caracteres
                                         << "Visiteur" << QStringList{};
        QTest::newRow("bidirectional override refused")
            << QStringList{} << QString("Pa") + QChar(0x202E) + "lu" << caracteres << "Visiteur"
            << QStringList{};
        QTest::newRow("dot dot refused") << QStringList{} << ".."
                                         << "Ce prénom n'est pas possible."
                                         << "Visiteur" << QStringList{};
        QTest::newRow("underscore refused") << QStringList{} << "Jean_Luc"
                                            << "Un prénom ne peut pas contenir le caractère « _ »."
                                            << "Visiteur" << QStringList{};
    }
    void nouvelEleve() {
        QFETCH(QStringList, existants);
        QFETCH(QString, tape);
        QFETCH(QString, message);
        QFETCH(QString, choisi);
        QFETCH(QStringList, fichiers);
        Banc b;
        QDir().mkpath(b.bilans + "CM1");
        Banc::Creer(b.bilans + "CM1/", existants);
        b.Montrer();
        Banc::Choisir(Fenetres::Depart->cChoixGroupe, "CM1");
        b.NouvelEleveTape(tape);
        Fenetres::Depart->bNouvelEleve->click();
        QCOMPARE(b.modal.Modal.Montres, QStringList{"fNouvelEleve"});
        QCOMPARE(b.env.Messages.Textes(), message.isEmpty() ? QStringList{} : QStringList{message});
        QCOMPARE(Fenetres::Depart->cChoixUtilisateur->currentText(), choisi);
        QStringList attendus = fichiers;
        attendus.sort();
        QCOMPARE(Fichiers(b.bilans + "CM1/"), attendus);
        QCOMPARE(Fichiers(b.bilans), QStringList{}); // nothing escaped the group folder
    }

    void nouveauOuvreLeDialogue() {
        Banc b;
        Banc::Creer(b.bilans + "CM1/", {"Paul.txt"});
        b.Montrer();
        Banc::Choisir(Fenetres::Depart->cChoixGroupe, "CM1");
        b.NouvelEleveTape("Anna");
        Banc::Choisir(Fenetres::Depart->cChoixUtilisateur, "Nouveau");
        QCOMPARE(b.modal.Modal.Montres, QStringList{"fNouvelEleve"});
        QCOMPARE(Fenetres::Depart->cChoixUtilisateur->currentText(), QStringLiteral("Anna"));
        QVERIFY(QFileInfo::exists(b.bilans + "CM1/Anna_Exos.txt"));
    }

    void ecritureImpossibleRefuseLAjout() {
        Banc b;
        Banc::Creer(b.bilans + "CM1/", {"Paul.txt"});
        Etat.EcriturePossible = false;
        b.Montrer();
        Banc::Choisir(Fenetres::Depart->cChoixGroupe, "CM1");
        Fenetres::Depart->bNouvelEleve->click();
        Banc::Choisir(Fenetres::Depart->cChoixUtilisateur, "Nouveau");
        QCOMPARE(b.env.Messages.Textes(), (QStringList{"Accès refusé", "Accès refusé"}));
        QVERIFY(b.modal.Modal.Montres.isEmpty());
    }

    void groupeEffaceAvantLAjout() {
        Banc b;
        Banc::Creer(b.bilans + "CM1/", {"Paul.txt"});
        b.Montrer();
        Banc::Choisir(Fenetres::Depart->cChoixGroupe, "CM1");
        QVERIFY(QDir(b.bilans + "CM1").removeRecursively());
        Fenetres::Depart->bNouvelEleve->click();
        QVERIFY(b.modal.Modal.Montres.isEmpty());
        QCOMPARE(b.env.Messages.Appels.size(), 1);
        QCOMPARE(b.env.Messages.Appels.first().Genre, QStringLiteral("Erreur"));
        QVERIFY(b.env.Messages.Appels.first().Texte.contains(
            QDir::toNativeSeparators(b.bilans + "CM1/")));
        QVERIFY(!QFileInfo::exists(b.bilans + "CM1"));
    }

    // --- Passwords at "Commencer" ----------------------------------------------------------

    void motDePasse_data() {
        QTest::addColumn<QByteArray>("fichier");
        QTest::addColumn<QString>("enseignant");
        QTest::addColumn<QString>("reponse");
        QTest::addColumn<bool>("accepte");
        QTest::newRow("right password") << QByteArray("lune\r\n") << "maitre"
                                        << "lune" << true;
        QTest::newRow("capitals and blanks chosen, typed plain")
            << QByteArray("  LuNe \r\n") << "maitre"
            << "lune" << true;
        QTest::newRow("typed with capitals and blanks") << QByteArray("lune\r\n") << "maitre"
                                                        << " LUNE  " << true;
        QTest::newRow("accented capital is not folded") << QByteArray("\xC9t\xE9\r\n") << "maitre"
                                                        << "été" << false;
        QTest::newRow("wrong password") << QByteArray("lune\r\n") << "maitre"
                                        << "soleil" << false;
        QTest::newRow("last line wins, old one refused")
            << QByteArray("ancien\r\nnouveau\r\n") << "maitre"
            << "ancien" << false;
        QTest::newRow("last line wins") << QByteArray("ancien\r\nnouveau\r\n") << "maitre"
                                        << "nouveau" << true;
        QTest::newRow("teacher password in any case") << QByteArray("lune\r\n") << "Maitre"
                                                      << "MAITRE" << true;
        QTest::newRow("cancel refused") << QByteArray("lune\r\n") << "maitre"
                                        << "" << false;
        QTest::newRow("cancel with empty teacher password") << QByteArray("lune\r\n") << ""
                                                            << "" << true;
        QTest::newRow("cancel with a file without lines") << QByteArray() << "maitre"
                                                          << "" << true;
        QTest::newRow("a file without lines and an answer") << QByteArray() << "maitre"
                                                            << "x" << false;
    }
    void motDePasse() {
        QFETCH(QByteArray, fichier);
        QFETCH(QString, enseignant);
        QFETCH(QString, reponse);
        QFETCH(bool, accepte);
        Banc b;
        Banc::Creer(b.medias, {"Animaux/chat.wav"});
        Banc::Creer(b.bilans + "CM1/", {"Paul.txt"});
        EcrireOctets(b.bilans + "CM1/Paul_Pwd.txt", fichier);
        Etat.MotDePasseEnseignant = enseignant;
        b.Montrer();
        Banc::Choisir(Fenetres::Depart->cChoixGroupe, "CM1");
        Banc::Choisir(Fenetres::Depart->cChoixUtilisateur, "Paul");
        QStringList titres;
        b.RepondreMotDePasse(reponse, &titres);
        b.Lancer("Animaux");
        QCOMPARE(titres, QStringList{"Saisie du mot de passe"});
        QCOMPARE(b.Ferme(), accepte);
        QCOMPARE(b.env.Messages.Textes(),
                 accepte ? QStringList{} : QStringList{"Mot de passe incorrect."});
        // The files come only with the launch.
        QCOMPARE(QFileInfo::exists(b.bilans + "CM1/Paul_Detail.txt"), accepte);
        QCOMPARE(LireOctets(b.bilans + "CM1/Paul_Pwd.txt"), fichier);
        if (!accepte) {
            QVERIFY(Fenetres::Depart->eRepertoires->currentItem());
            QCOMPARE(Fenetres::Depart->eRepertoires->currentItem()->text(),
                     QStringLiteral("Animaux"));
            QVERIFY(Fenetres::Depart->bValider->isEnabled());
        }
    }

    void premierDepartChoisitLeMotDePasse() {
        Banc b;
        b.PaulDeCM1Choisi();
        QStringList titres;
        b.RepondreMotDePasse("  Ma Lune ", &titres);
        b.Lancer("Animaux");
        QCOMPARE(titres, QStringList{"Choix du mot de passe"});
        QVERIFY(b.Ferme());
        QCOMPARE(LireOctets(b.bilans + "CM1/Paul_Pwd.txt"), QByteArray("  Ma Lune \r\n"));
        QVERIFY(b.env.Messages.Appels.isEmpty());
    }

    // A password Windows-1252 cannot hold (or whose bytes would read back as UTF-8) is kept
    // so that the same typing opens it the next time: no pupil is locked out.
    void motDePasseHorsWindows1252_data() {
        QTest::addColumn<QString>("motDePasse");
        QTest::newRow("greek") << QString::fromUtf8("λύκος");
        QTest::newRow("emoji") << QString::fromUtf8("lune 🌙");
        QTest::newRow("looks like UTF-8") << QString::fromUtf8("Ã©té");
    }
    void motDePasseHorsWindows1252() {
        QFETCH(QString, motDePasse);
        Banc b;
        b.PaulDeCM1Choisi();
        b.RepondreMotDePasse(motDePasse);
        b.Lancer("Animaux");
        QVERIFY(b.Ferme());
        // Another time, after a visitor: Paul is asked, and the same typing opens.
        Etat.NomEleve.clear();
        b.Montrer();
        Banc::Choisir(Fenetres::Depart->cChoixUtilisateur, "Paul");
        QStringList titres;
        b.RepondreMotDePasse(motDePasse, &titres);
        Etat.Choix.DossierExercice.clear();
        b.Lancer("Animaux");
        QCOMPARE(titres, QStringList{"Saisie du mot de passe"});
        QVERIFY(b.env.Messages.Appels.isEmpty()); // no "Mot de passe incorrect."
        QCOMPARE(Etat.Choix.DossierExercice, b.medias + "Animaux");
    }

    // A share mounted without UTF-8 file names: the start form says so once, naming the group
    // folder and the fix, and not again at the next showings.
    void nomsNonUtf8SignalesUneFois() {
        SAUTER_SANS_NOMS_BRUTS();
        Banc b;
        Banc::Creer(b.bilans + "CM1/", {"Paul.txt"});
        const FichierNomBrut zoe(b.bilans + "CM1/", "Zo\xE9.txt");
        QVERIFY(zoe.Cree);
        Etat.Choix.Groupe = QStringLiteral("CM1");
        b.Montrer();
        b.Montrer();
        QCOMPARE(b.env.Messages.Appels.size(), 1);
        QVERIFY(b.env.Messages.Appels.first().Texte.contains(
            QDir::toNativeSeparators(b.bilans + "CM1")));
        QVERIFY(b.env.Messages.Appels.first().Texte.contains("iocharset=utf8"));
        QVERIFY(Entrees(Fenetres::Depart->cChoixUtilisateur).contains("Paul"));
    }

    void premierDepartAnnule() {
        Banc b;
        b.PaulDeCM1Choisi();
        b.RepondreMotDePasse("");
        b.Lancer("Animaux");
        QVERIFY(!b.Ferme());
        QVERIFY(b.env.Messages.Appels.isEmpty());
        QCOMPARE(Fichiers(b.bilans + "CM1/"), QStringList{"Paul.txt"});
    }

    void elevePreselectionnePasRedemande() {
        Banc b;
        Banc::Creer(b.medias, {"Animaux/chat.wav"});
        Banc::Creer(b.bilans + "CM1/", {"Paul.txt", "Paul_Pwd.txt"});
        Etat.Choix.Groupe = QStringLiteral("CM1");
        Etat.Choix.Eleve = {GenreEleve::Nomme, QStringLiteral("Paul")};
        Etat.NomEleve = QStringLiteral("Paul");
        b.Montrer();
        Fenetres::Depart->bBilan->click();
        b.Lancer("Animaux");
        QCOMPARE(b.modal.Modal.Montres, QStringList{"fBilans"});
        QVERIFY(b.Ferme());
    }

    void autreEleveEstDemande() {
        Banc b;
        Banc::Creer(b.medias, {"Animaux/chat.wav"});
        Banc::Creer(b.bilans + "CM1/", {"Paul.txt", "Zoé.txt"});
        EcrireOctets(b.bilans + "CM1/Zoé_Pwd.txt", "etoile\r\n");
        Etat.Choix.Groupe = QStringLiteral("CM1");
        Etat.NomEleve = QStringLiteral("Paul");
        b.Montrer();
        Banc::Choisir(Fenetres::Depart->cChoixUtilisateur, "Zoé");
        b.RepondreMotDePasse("ETOILE");
        b.Lancer("Animaux");
        QCOMPARE(b.modal.Modal.Montres, QStringList{"fMotDePasse"});
        QVERIFY(b.Ferme());
        QCOMPARE(Etat.NomEleve, QStringLiteral("Zoé"));
    }

    void memeEleveSansFichierPasRedemande() {
        // Passwords switched on meanwhile: the pupil who just worked goes on without a question.
        Banc b;
        Banc::Creer(b.medias, {"Animaux/chat.wav"});
        Banc::Creer(b.bilans + "CM1/", {"Paul.txt"});
        Etat.Choix.Groupe = QStringLiteral("CM1");
        Etat.NomEleve = QStringLiteral("Paul");
        b.Montrer();
        b.Lancer("Animaux");
        QVERIFY(b.modal.Modal.Montres.isEmpty());
        QVERIFY(b.Ferme());
        QVERIFY(!QFileInfo::exists(b.bilans + "CM1/Paul_Pwd.txt"));
    }

    // --- "Voir mon bilan" and the teacher --------------------------------------------------

    void voirMonBilan_data() {
        QTest::addColumn<bool>("actif");
        QTest::addColumn<bool>("fichierPwd");
        QTest::addColumn<bool>("preselectionne");
        QTest::addColumn<QStringList>("montres");
        QTest::newRow("no password file, passwords on: nothing")
            << true << false << false << QStringList{};
        QTest::newRow("no password file, even the preselected pupil")
            << true << false << true << QStringList{};
        QTest::newRow("passwords off: shown at once")
            << false << false << false << QStringList{"fBilans"};
        QTest::newRow("password asked")
            << true << true << false << QStringList{"fMotDePasse", "fBilans"};
        QTest::newRow("preselected pupil not asked")
            << true << true << true << QStringList{"fBilans"};
    }
    void voirMonBilan() {
        QFETCH(bool, actif);
        QFETCH(bool, fichierPwd);
        QFETCH(bool, preselectionne);
        QFETCH(QStringList, montres);
        Banc b;
        Banc::Creer(b.bilans + "CM1/", {"Paul.txt"});
        if (fichierPwd)
            EcrireOctets(b.bilans + "CM1/Paul_Pwd.txt", "lune\r\n");
        Etat.MotDePasseActif = actif;
        Etat.Choix.Groupe = QStringLiteral("CM1");
        if (preselectionne)
            Etat.NomEleve = QStringLiteral("Paul");
        b.Montrer();
        Banc::Choisir(Fenetres::Depart->cChoixUtilisateur, "Paul");
        b.RepondreMotDePasse("lune");
        bool modeEnseignant = true;
        b.modal.Modal.Ajouter("fBilans", [&](QDialog*) {
            modeEnseignant = Etat.ModeEnseignant;
            return 0;
        });
        Fenetres::Depart->bBilan->click();
        QCOMPARE(b.modal.Modal.Montres, montres);
        QVERIFY(b.env.Messages.Appels.isEmpty());
        if (montres.contains("fBilans")) {
            QVERIFY(!modeEnseignant);
            QCOMPARE(Etat.NomEleve, QStringLiteral("Paul"));
            QCOMPARE(Etat.DossierGroupe, b.bilans + "CM1/");
            QVERIFY(QFileInfo::exists(b.bilans + "CM1/Paul_Exos.txt"));
        } else {
            QVERIFY(!QFileInfo::exists(b.bilans + "CM1/Paul_Exos.txt"));
        }
    }

    void superviseur_data() {
        QTest::addColumn<QString>("enseignant");
        QTest::addColumn<QString>("reponse");
        QTest::addColumn<QStringList>("montres");
        QTest::newRow("empty teacher password opens at once") << ""
                                                              << "" << QStringList{"fBilans"};
        QTest::newRow("right password, other case")
            << "Maitre"
            << "mAITRE " << QStringList{"fMotDePasse", "fBilans"};
        QTest::newRow("wrong password: nothing") << "maitre"
                                                 << "eleve" << QStringList{"fMotDePasse"};
        QTest::newRow("cancelled: nothing") << "maitre"
                                            << "" << QStringList{"fMotDePasse"};
    }
    void superviseur() {
        QFETCH(QString, enseignant);
        QFETCH(QString, reponse);
        QFETCH(QStringList, montres);
        Banc b;
        Banc::Creer(b.bilans + "CM1/", {"Paul.txt"});
        Etat.MotDePasseEnseignant = enseignant;
        b.Montrer();
        b.RepondreMotDePasse(reponse);
        bool modeEnseignant = false;
        b.modal.Modal.Ajouter("fBilans", [&](QDialog*) {
            modeEnseignant = Etat.ModeEnseignant;
            return 0;
        });
        EcrireOctets(b.env.Programme + "plumelune.ini",
                     QByteArray("REPERTOIRE =\r\nBILAN =\r\nMOT DE PASSE = ") +
                         enseignant.toLatin1() + "\r\n");
        Fenetres::Depart->bSuperviseur->click();
        QCOMPARE(b.modal.Modal.Montres, montres);
        QCOMPARE(modeEnseignant, montres.contains("fBilans"));
        QVERIFY(b.env.Messages.Appels.isEmpty());
    }

    void apresLeModuleEnseignant() {
        Banc b;
        Banc::Creer(b.bilans + "CM1/", {"Paul.txt", "Zoé.txt"});
        Banc::Creer(b.bilans + "CE2/", {"Max.txt"});
        Banc::Creer(b.medias, {"Animaux/chat.wav", "Grammaire/Articles/le.wav"});
        EcrireOctets(b.env.Programme + "plumelune.ini",
                     "REPERTOIRE =\r\nBILAN =\r\nMOT DE PASSE =\r\nACTIF = NON\r\n");
        Etat.MotDePasseEnseignant.clear();
        b.Montrer();
        Banc::Choisir(Fenetres::Depart->cChoixGroupe, "CM1");
        Banc::Choisir(Fenetres::Depart->cChoixUtilisateur, "Zoé");
        Banc::Cliquer("[+] Grammaire");
        QCOMPARE(SansFin(Etat.Choix.Position), SansFin(b.medias + "Grammaire"));
        // Inside the report form the teacher deletes Paul, adds a group and, in the studio, a
        // folder of exercises.
        b.modal.Modal.Ajouter("fBilans", [&](QDialog*) {
            QFile::remove(b.bilans + "CM1/Paul.txt");
            QDir().mkpath(b.bilans + "CP");
            EcrireOctets(b.medias + "Grammaire/Mes mots/chat.wav", "RIFF");
            return 0;
        });
        Fenetres::Depart->bSuperviseur->click();
        QVERIFY(!Etat.MotDePasseActif); // the configuration was read again
        QCOMPARE(Entrees(Fenetres::Depart->cChoixGroupe),
                 (QStringList{"Choisis ton groupe", "CE2", "CM1", "CP"}));
        QCOMPARE(Fenetres::Depart->cChoixGroupe->currentText(), QStringLiteral("CM1"));
        QCOMPARE(Entrees(Fenetres::Depart->cChoixUtilisateur),
                 (QStringList{"Visiteur", "Nouveau", "Zoé"}));
        QCOMPARE(Fenetres::Depart->cChoixUtilisateur->currentText(), QStringLiteral("Zoé"));
        QVERIFY(Fenetres::Depart->bBilan->isEnabled());
        // The browser stays where it was.
        QCOMPARE(SansFin(Etat.Choix.Position), SansFin(b.medias + "Grammaire"));
        QCOMPARE(Entrees(Fenetres::Depart->eRepertoires), (QStringList{"Articles", "Mes mots"}));
    }

    // --- The folder browser ------------------------------------------------------------------

    void marquesEtNavigation() {
        Banc b;
        Banc::Creer(b.medias,
                    {"Animaux/chat.wav", "Grammaire/Articles/le.wav", "Grammaire/Pluriels/des.WAV",
                     "Grammaire/intro.wav", "Vieux.exos/a.wav", "Nombres/un.wav", "Nombres/v1.0/",
                     "Musique/air.mp3"});
        b.Montrer();
        QCOMPARE(Entrees(Fenetres::Depart->eRepertoires),
                 (QStringList{"Animaux", "[+] Grammaire", "Musique", "Nombres"}));
        QVERIFY(!Fenetres::Depart->bRemonter->isEnabled());
        QVERIFY(!Fenetres::Depart->bValider->isEnabled());

        Banc::Cliquer("Musique");
        QVERIFY(!Fenetres::Depart->bValider->isEnabled());
        Banc::Cliquer("Nombres");
        QVERIFY(Fenetres::Depart->bValider->isEnabled());
        Banc::Cliquer("[+] Grammaire"); // a marked folder opens at once
        QCOMPARE(Entrees(Fenetres::Depart->eRepertoires), (QStringList{"Articles", "Pluriels"}));
        QCOMPARE(SansFin(Etat.Choix.Position), SansFin(b.medias + "Grammaire"));
        QVERIFY(Fenetres::Depart->bRemonter->isEnabled());
        QVERIFY(!Fenetres::Depart->bValider->isEnabled());
        QVERIFY(Fenetres::Depart->eRepertoires->selectedItems().isEmpty());
        Banc::Cliquer("Pluriels");
        QVERIFY(Fenetres::Depart->bValider->isEnabled());

        Fenetres::Depart->bRemonter->click();
        QCOMPARE(SansFin(Etat.Choix.Position), SansFin(b.medias));
        QVERIFY(!Fenetres::Depart->bRemonter->isEnabled());
        QVERIFY(!Fenetres::Depart->bValider->isEnabled());
        Fenetres::Depart->bRemonter->click(); // never above the media root, even when called
        QCOMPARE(Etat.Choix.Position, SansFin(b.medias));
        QVERIFY(b.env.Messages.Appels.isEmpty());
    }

    void elementsDeLaListe() {
        Banc b;
        Banc::Creer(b.medias, {"A/a.wav", "B/b.wav"});
        b.Montrer();
        QCOMPARE(
            Fenetres::Depart->eRepertoires->visualItemRect(Fenetres::Depart->eRepertoires->item(0))
                .height(),
            20);
        QVERIFY(!Fenetres::Depart->eRepertoires->isSortingEnabled());
    }

    void flechesOuvrentUnDossierMarque() {
        Banc b;
        Banc::Creer(b.medias, {"Animaux/chat.wav", "Grammaire/Articles/le.wav"});
        Fenetres::Depart->show(); // the showing runs FormShow
        QVERIFY(QTest::qWaitForWindowExposed(Fenetres::Depart));
        Fenetres::Depart->eRepertoires->setFocus();
        Banc::Cliquer("Animaux");
        QVERIFY(Fenetres::Depart->bValider->isEnabled());
        QTest::keyClick(Fenetres::Depart->eRepertoires, Qt::Key_Down);
        QCOMPARE(Entrees(Fenetres::Depart->eRepertoires), QStringList{"Articles"});
        QVERIFY(!Fenetres::Depart->bValider->isEnabled());
        Fenetres::Depart->hide();
    }

    void doubleClicOuvreUnSeulNiveau() {
        Banc b;
        Banc::Creer(b.medias,
                    {"Grammaire/Articles/Niveau/le.wav", "Grammaire/Zèbre/z.wav", "Zoo/z.wav"});
        Fenetres::Depart->show();
        QVERIFY(QTest::qWaitForWindowExposed(Fenetres::Depart));
        QWidget* vue = Fenetres::Depart->eRepertoires->viewport();
        const QPoint centre =
            Fenetres::Depart->eRepertoires
                ->visualItemRect(
                    Fenetres::Depart->eRepertoires->findItems("[+] Grammaire", Qt::MatchExactly)
                        .first())
                .center();
        // What the window system delivers: press, release, double click, release.
        QTest::mouseClick(vue, Qt::LeftButton, Qt::NoModifier, centre);
        QTest::mouseDClick(vue, Qt::LeftButton, Qt::NoModifier, centre);
        QTest::mouseRelease(vue, Qt::LeftButton, Qt::NoModifier, centre);
        // One level down; "[+] Articles" sits under the mouse now and stays closed.
        QCOMPARE(SansFin(Etat.Choix.Position), SansFin(b.medias + "Grammaire"));
        QCOMPARE(Entrees(Fenetres::Depart->eRepertoires), (QStringList{"[+] Articles", "Zèbre"}));
        Fenetres::Depart->hide();
    }

    void entreeLanceLExercice() {
        Banc b;
        Banc::Creer(b.medias, {"Animaux/chat.wav", "Vide/"});
        b.Montrer();
        Banc::Cliquer("Vide");
        QTest::keyClick(Fenetres::Depart->eRepertoires, Qt::Key_Return);
        QVERIFY(!b.Ferme());
        Banc::Cliquer("Animaux");
        QTest::keyClick(Fenetres::Depart->eRepertoires, Qt::Key_Return);
        QVERIFY(b.Ferme());
        QCOMPARE(Etat.Choix.DossierExercice, b.medias + "Animaux");
    }

    // --- Launch --------------------------------------------------------------------------------

    void lancementVisiteur() {
        Banc b;
        Banc::Creer(b.medias, {"Grammaire/Articles/le.wav"});
        Banc::Creer(b.bilans + "CM1/", {"Paul.txt"});
        Etat.NomEleve = QStringLiteral("Paul");
        b.Montrer();
        Banc::Choisir(Fenetres::Depart->cChoixGroupe, "CM1");
        Banc::Choisir(Fenetres::Depart->cChoixUtilisateur, "Visiteur");
        Banc::Cliquer("[+] Grammaire");
        b.Lancer("Articles");
        QVERIFY(b.Ferme());
        QVERIFY(b.modal.Modal.Montres.isEmpty());
        QCOMPARE(Etat.NomEleve, QString());
        QCOMPARE(Etat.Choix.Groupe, QStringLiteral("CM1"));
        QCOMPARE(Etat.DossierGroupe, b.bilans + "CM1/");
        QCOMPARE(Etat.Choix.Eleve, EleveChoisi{});
        QCOMPARE(Etat.Choix.DossierExercice, b.medias + "Grammaire/Articles");
        QCOMPARE(Fichiers(b.bilans + "CM1/"), QStringList{"Paul.txt"});
    }

    void lancementSansEleveChoisi() {
        Banc b;
        Banc::Creer(b.medias, {"Animaux/chat.wav"});
        Etat.Choix.Eleve = {GenreEleve::Nomme, QStringLiteral("Parti")};
        b.Montrer();
        // No longer in the list: he works as a visitor, and the list says so.
        QCOMPARE(Fenetres::Depart->cChoixUtilisateur->currentText(), QStringLiteral("Visiteur"));
        Etat.Choix.ElevePrecedent = QStringLiteral("x");
        b.Lancer("Animaux");
        QVERIFY(b.Ferme());
        QCOMPARE(Etat.Choix.Eleve, EleveChoisi{});
        QCOMPARE(Etat.NomEleve, QString());
    }

    void lancementAvecNouveauCommeNom() {
        Banc b;
        Banc::Creer(b.medias, {"Animaux/chat.wav"});
        Banc::Creer(b.bilans + "CM1/", {"Paul.txt"});
        b.Montrer();
        Etat.AjoutNouvelEleve = false;
        Banc::Choisir(Fenetres::Depart->cChoixGroupe, "CM1");
        Banc::Choisir(Fenetres::Depart->cChoixUtilisateur, "Nouveau");
        b.RepondreMotDePasse("abc");
        b.Lancer("Animaux");
        QVERIFY(b.Ferme());
        QCOMPARE(b.modal.Modal.Montres, QStringList{"fMotDePasse"});
        QCOMPARE(Etat.NomEleve, QStringLiteral("Nouveau"));
        QCOMPARE(Fichiers(b.bilans + "CM1/"),
                 (QStringList{"Nouveau.txt", "Nouveau_Detail.txt", "Nouveau_Exos.txt",
                              "Nouveau_Pwd.txt", "Paul.txt"}));
        QCOMPARE(LireOctets(b.bilans + "CM1/Nouveau_Pwd.txt"), QByteArray("abc\r\n"));
        QCOMPARE(Etat.Choix.Eleve.Genre, GenreEleve::Nouveau);
    }

    // A named pupil with a word due finds his review at the top of the exercises, counted; a
    // visitor finds none; choosing it launches the review of that word's own sound.
    void motsARevoir() {
        Banc b;
        Banc::Creer(b.medias, {"Animaux/chat.wav", "Animaux/chien.wav", "A/B/"});
        Banc::Creer(b.bilans + "CM1/", {"Paul.txt"});
        // Paul missed "chat" the day before the clock's date.
        EcrireOctets(b.bilans + "CM1/Paul_Detail.txt",
                     "06/12/2026 \xe0 10:00:00 - 1 item - Exercice sur [Animaux]\r\n"
                     "chat : chta [3 s - 2 essais]\r\n\r\nTemps exercice : 3 s.\r\n"
                     "Score : 3/5.\r\n" +
                         QByteArray(68, '-') + "\r\n");
        b.Montrer();
        Banc::Choisir(Fenetres::Depart->cChoixGroupe, "CM1");
        Banc::Choisir(Fenetres::Depart->cChoixUtilisateur, "Paul");
        const QString entree = QStringLiteral("★ Mes mots à revoir (1)");
        QTRY_COMPARE(Entrees(Fenetres::Depart->eRepertoires),
                     (QStringList{entree, "[+] A", "Animaux"}));
        // Chosen, then gone with its pupil: the folder below it is not opened in its place.
        Banc::Cliquer(entree);
        QVERIFY(Fenetres::Depart->bValider->isEnabled());
        Banc::Choisir(Fenetres::Depart->cChoixUtilisateur, "Visiteur");
        QCOMPARE(Entrees(Fenetres::Depart->eRepertoires), (QStringList{"[+] A", "Animaux"}));
        QVERIFY(!Fenetres::Depart->bValider->isEnabled());
        Banc::Choisir(Fenetres::Depart->cChoixUtilisateur, "Paul");
        QTRY_COMPARE(Entrees(Fenetres::Depart->eRepertoires).first(), entree);
        Etat.MotDePasseActif = false;
        b.Lancer(entree);
        QVERIFY(b.Ferme());
        QCOMPARE(Etat.NomEleve, QStringLiteral("Paul"));
        QVERIFY(Etat.Choix.Revue);
        QCOMPARE(*Etat.Choix.Revue, QStringList{b.medias + "Animaux/chat.wav"});
        QCOMPARE(DernierComposant(Etat.Choix.DossierExercice), QStringLiteral("Mes mots à revoir"));
    }

    void paulTxtMajusculesSontSesFichiers() {
        Banc b;
        Banc::Creer(b.medias, {"Animaux/chat.wav"});
        EcrireOctets(b.bilans + "CM1/Paul.TXT", "chat|2\r\nchien|1-0\r\n");
        Etat.MotDePasseActif = false;
        b.Montrer();
        Banc::Choisir(Fenetres::Depart->cChoixGroupe, "CM1");
        Banc::Choisir(Fenetres::Depart->cChoixUtilisateur, "Paul");
        b.Lancer("Animaux");
        QVERIFY(b.Ferme());
        QCOMPARE(Fichiers(b.bilans + "CM1/"),
                 (QStringList{"Paul.TXT", "Paul_Detail.txt", "Paul_Exos.txt"}));
        QCOMPARE(Etat.ListeReussites.size(), 2);
        QCOMPARE(Etat.ListeReussites.at(1).Cle, QStringLiteral("chien"));
        QCOMPARE_CHEMIN(QFileInfo(Etat.FichierReussites).fileName(), QStringLiteral("Paul.TXT"));
    }

    // --- Folders and roots that vanish while the form is open ------------------------------

    void dossierDisparuPendantLeChoix() {
        Banc b;
        Banc::Creer(b.medias, {"Animaux/chat.wav", "Nombres/un.wav"});
        b.Montrer();
        Banc::Cliquer("Animaux");
        QVERIFY(QDir(b.medias + "Animaux").removeRecursively());
        Fenetres::Depart->bValider->click();
        QVERIFY(!b.Ferme());
        QCOMPARE(b.env.Messages.Appels.size(), 1);
        QCOMPARE(b.env.Messages.Appels.first().Genre, QStringLiteral("Erreur"));
        QVERIFY(b.env.Messages.Appels.first().Texte.contains("Animaux"));
        QCOMPARE(Entrees(Fenetres::Depart->eRepertoires), QStringList{"Nombres"});
        // Still usable.
        b.Lancer("Nombres");
        QVERIFY(b.Ferme());
    }

    void dossierOuvertDisparu() {
        Banc b;
        Banc::Creer(b.medias, {"Grammaire/Articles/le.wav", "Animaux/chat.wav"});
        b.Montrer();
        Banc::Cliquer("[+] Grammaire");
        QVERIFY(QDir(b.medias + "Grammaire").removeRecursively());
        Fenetres::Depart->bRemonter->click();
        QCOMPARE(Entrees(Fenetres::Depart->eRepertoires), QStringList{"Animaux"});
        QVERIFY(!Fenetres::Depart->bRemonter->isEnabled());
        Banc::Cliquer("Animaux");
        QVERIFY(Fenetres::Depart->bValider->isEnabled());
    }

    void dossierMarqueDisparuAvantLeClic() {
        Banc b;
        Banc::Creer(b.medias, {"Grammaire/Articles/le.wav", "Animaux/chat.wav"});
        b.Montrer();
        QVERIFY(QDir(b.medias + "Grammaire").removeRecursively());
        Banc::Cliquer("[+] Grammaire");
        QCOMPARE(b.env.Messages.Appels.size(), 1);
        QCOMPARE(b.env.Messages.Appels.first().Genre, QStringLiteral("Erreur"));
        QVERIFY(b.env.Messages.Appels.first().Texte.contains("Grammaire"));
        QCOMPARE(Entrees(Fenetres::Depart->eRepertoires), QStringList{"Animaux"});
        QCOMPARE(Etat.Choix.Position, SansFin(b.medias));
    }

    void racineDesBilansDisparue() {
        Banc b;
        Banc::Creer(b.medias, {"Animaux/chat.wav"});
        Banc::Creer(b.bilans + "CM1/", {"Paul.txt", "Paul_Pwd.txt"});
        Etat.MotDePasseActif = false;
        b.Montrer();
        Banc::Choisir(Fenetres::Depart->cChoixGroupe, "CM1");
        Banc::Choisir(Fenetres::Depart->cChoixUtilisateur, "Paul");
        QVERIFY(QDir(b.bilans).removeRecursively());
        Fenetres::Depart->bBilan->click();
        b.Lancer("Animaux");
        QVERIFY(!b.Ferme());
        QVERIFY(b.modal.Modal.Montres.isEmpty());
        QCOMPARE(b.env.Messages.Appels.size(), 2);
        for (const AppelMessage& m : b.env.Messages.Appels) {
            QCOMPARE(m.Genre, QStringLiteral("Erreur"));
            QVERIFY(m.Texte.contains(QDir::toNativeSeparators(b.bilans + "CM1/")));
        }
        QVERIFY(!QFileInfo::exists(b.bilans));
        // The next showing lists no group, silently, and a visitor still works.
        b.env.Messages.Appels.clear();
        b.Montrer();
        QCOMPARE(Entrees(Fenetres::Depart->cChoixGroupe), QStringList{"Choisis ton groupe"});
        Banc::Choisir(Fenetres::Depart->cChoixUtilisateur, "Visiteur");
        b.Lancer("Animaux");
        QVERIFY(b.Ferme());
        QVERIFY(b.env.Messages.Appels.isEmpty());
    }

    void sansRacineDesBilans() {
        // The configuration found no records folder: nothing may land in the exercises.
        Banc b;
        Banc::Creer(b.medias, {"Animaux/chat.wav"});
        Etat.CheminBilans.clear();
        Etat.Choix.Groupe = QStringLiteral("CM1");
        Etat.MotDePasseActif = false;
        b.Montrer();
        QCOMPARE(Entrees(Fenetres::Depart->cChoixGroupe), QStringList{"Choisis ton groupe"});
        QCOMPARE(Entrees(Fenetres::Depart->cChoixUtilisateur), QStringList{"Visiteur"});
        QVERIFY(Fenetres::Depart->bNouvelEleve
                    ->isEnabled()); // no group entry selected: adding follows the ini
        Fenetres::Depart->bNouvelEleve->click();
        QVERIFY(b.modal.Modal.Montres.isEmpty());
        QCOMPARE(b.env.Messages.Appels.size(), 1);
        QCOMPARE(b.env.Messages.Appels.first().Genre, QStringLiteral("Erreur"));
        QCOMPARE(QDir(b.medias).entryList(QDir::Files), QStringList{});
        b.Lancer("Animaux");
        QVERIFY(b.Ferme());
        QCOMPARE(Etat.NomEleve, QString());
        QCOMPARE(QDir(b.medias + "Animaux").entryList(QDir::Files), QStringList{"chat.wav"});
    }

    void groupeDisparuAuLancement() {
        Banc b;
        Banc::Creer(b.medias, {"Animaux/chat.wav"});
        Banc::Creer(b.bilans + "CM1/", {"Paul.txt", "Paul_Pwd.txt"});
        b.Montrer();
        Banc::Choisir(Fenetres::Depart->cChoixGroupe, "CM1");
        Banc::Choisir(Fenetres::Depart->cChoixUtilisateur, "Paul");
        QVERIFY(QDir(b.bilans + "CM1").removeRecursively());
        b.Lancer("Animaux");
        QVERIFY(!b.Ferme());
        QVERIFY(b.modal.Modal.Montres.isEmpty()); // no password asked in vain
        QCOMPARE(b.env.Messages.Appels.size(), 1);
        QCOMPARE(b.env.Messages.Appels.first().Genre, QStringLiteral("Erreur"));
        QVERIFY(!QFileInfo::exists(b.bilans + "CM1"));
    }

    // --- Quitter -------------------------------------------------------------------------------

    void quitter_data() {
        QTest::addColumn<bool>("ok");
        QTest::addColumn<bool>("son");
        QTest::addColumn<bool>("bruitage");
        QTest::newRow("Annuler keeps everything") << false << true << true;
        QTest::newRow("OK with the farewell sound") << true << true << true;
        QTest::newRow("OK without the sound file") << true << false << true;
        QTest::newRow("OK with effects off") << true << true << false;
    }
    void quitter() {
        QFETCH(bool, ok);
        QFETCH(bool, son);
        QFETCH(bool, bruitage);
        Banc b;
        if (son)
            EcrireOctets(b.env.Programme + "quitter.wav", "RIFF");
        Etat.Bruitage = bruitage;
        b.env.Messages.Reponses = {ok};
        b.modal.Modal.Ajouter("Form2", [](QDialog* d) {
            Fenetres::Depart->bQuitter->click();
            return d->result();
        });
        Pilote::NouvelExercice();
        QCOMPARE(b.env.Messages.Appels.size(), 1);
        QCOMPARE(b.env.Messages.Appels.first().Genre, QStringLiteral("OkAnnuler"));
        QCOMPARE(b.env.Messages.Appels.first().Texte,
                 QStringLiteral("Veux-tu vraiment quitter le logiciel ?"));
        QCOMPARE(Fenetres::Exercice->Ferme(), ok);
        const bool adieu = ok && son && bruitage;
        QCOMPARE(b.env.Son.Joues.size(), adieu ? 1 : 0);
        if (adieu)
            QCOMPARE(QFileInfo(b.env.Son.Joues.first()).fileName(), QStringLiteral("quitter.wav"));
        QCOMPARE(b.env.Pause.Pauses, adieu ? QVector<int>{3000} : QVector<int>{});
    }
};

QTEST_MAIN(TstDepart)
#include "tst_depart.moc"
