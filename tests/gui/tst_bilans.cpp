// The report form offscreen, in both modes: what shows, which records load, the red marks,
// the refresh, deleting a pupil, and what each tool hands to the desktop or the printer.

#include "BancFenetres.h"
#include "core/Etat.h"
#include "printing/ImprimanteQt.h"
#include "ui/Fenetres.h"
#include "ui/dialogs/BoiteMessage.h"
#include "ui/platform/ServicesQt.h"
#include "ui/setup/FenetreDepart.h"
#include "ui/teacher/FenetreBilans.h"

#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
#include <QTimer>

namespace {

const QByteArray historiquePaul = "chat|3\r\nchien|2-3\r\ncheval|13\r\nlapin|2\r\n";
const QByteArray detailPaul = "07/12/2026 \xE0 14:03:27 - 2 items - Exercice sur [Animaux]\r\n"
                              "chat : [4 s - 1 essai]\r\n"
                              "chien : chein - chiein [1 min 5 s - 3 essais]\r\n"
                              "\r\n"
                              "Score : 8/10.\r\n";
const QByteArray exosPaul = "07/12/2026 | Termin\xE9    |    8 /  10 | Animaux\r\n";

// A records tree, the forms, and the start form showing a group and a pupil.
struct Classe : BancFenetres {
    QString& racine = Bilans;
    QString cm1;

    Classe() {
        cm1 = racine + "CM1/";
        QDir().mkpath(cm1);
        QDir().mkpath(racine + "CE2");
        Etat.ReponsesNecessaires = 3;
        Eleve(cm1, "Paul", historiquePaul, detailPaul, exosPaul, "secret\r\n");
        Eleve(cm1, "Lea", "loup|1\r\n", "detail de Lea\r\n", "exos de Lea\r\n", {});
        EcrireOctets(racine + "CE2/Zoe.txt", "zebre|3\r\n");
        Depart("CM1", "Paul");
    }

    static void Eleve(const QString& g, const QString& nom, const QByteArray& h,
                      const QByteArray& d, const QByteArray& e, const QByteArray& p) {
        EcrireOctets(g + nom + ".txt", h);
        EcrireOctets(g + nom + "_Detail.txt", d);
        EcrireOctets(g + nom + "_Exos.txt", e);
        if (!p.isEmpty())
            EcrireOctets(g + nom + "_Pwd.txt", p);
    }

    static void Depart(const QString& groupe, const QString& eleve) {
        ListesDuDepart(groupe, eleve);
    }

    void Ouvrir(bool enseignant) {
        Etat.ModeEnseignant = enseignant;
        Services::Modal().Montrer(Fenetres::Bilans);
    }

    // The pupil's own report, as the start form opens it.
    void OuvrirEleve(const QString& nom = "Paul") {
        Etat.Choix.Groupe = "CM1";
        Etat.DossierGroupe = cm1;
        Etat.NomEleve = nom;
        Ouvrir(false);
    }
};

QStringList Liste(const QComboBox* c) {
    QStringList r;
    for (int i = 0; i < c->count(); ++i)
        r.append(c->itemText(i));
    return r;
}

QStringList Vues() {
    return {"BilanExo", "BilanDetail", "ItemReussis", "MotDePasse"};
}

QString Texte(const char* vue) {
    return Fenetres::Bilans->findChild<QPlainTextEdit*>(vue)->toPlainText();
}

// One letter per character of the history view: R red, n black; "/" between lines.
QString Couleurs() {
    QString r;
    const QTextDocument* d = Fenetres::Bilans->ItemReussis->document();
    for (QTextBlock b = d->begin(); b.isValid(); b = b.next()) {
        if (b != d->begin())
            r += u'/';
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            const QColor c = f.charFormat().foreground().color();
            for (const QChar ch : f.text())
                r += ch == QChar::LineSeparator ? u'/'
                     : c == QColor(255, 0, 0)   ? u'R'
                     : c == QColor(0, 0, 0)     ? u'n'
                                                : u'?';
        }
    }
    return r;
}

void ClicDroit(QPlainTextEdit* vue) {
    QContextMenuEvent e(QContextMenuEvent::Mouse, QPoint(5, 5),
                        vue->viewport()->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(vue->viewport(), &e);
}

QPushButton* Bouton(const QString& nom) {
    return Fenetres::Bilans->findChild<QPushButton*>(nom);
}

// Selects from the start of the line beginning with `premiere` to the end of the line beginning
// with `derniere`, as the mouse would.
void SelectionnerLignes(QPlainTextEdit* vue, const QString& premiere, const QString& derniere) {
    const QString texte = vue->toPlainText();
    const qsizetype debut = texte.indexOf(premiere);
    const qsizetype finLigne = texte.indexOf(u'\n', texte.indexOf(derniere));
    QVERIFY(debut >= 0 && finLigne >= 0);
    QTextCursor s(vue->document());
    s.setPosition(int(debut));
    s.setPosition(int(finLigne), QTextCursor::KeepAnchor);
    vue->setTextCursor(s);
}

} // namespace

class TstBilans : public QObject {
    Q_OBJECT
private slots:
    void modeEleve_data() {
        QTest::addColumn<bool>("impression");
        QTest::addColumn<bool>("son");
        QTest::newRow("impression et son") << true << true;
        QTest::newRow("impression seule") << true << false;
        QTest::newRow("son seul") << false << true;
        QTest::newRow("ni l'un ni l'autre") << false << false;
    }
    void modeEleve() {
        QFETCH(bool, impression);
        QFETCH(bool, son);
        Classe c;
        Etat.ImpressionAutorisee = impression;
        Etat.EnregistrementSon = son;
        c.OuvrirEleve();
        QCOMPARE(Fenetres::Bilans->lTitre->text(), QStringLiteral("MON BILAN"));
        QCOMPARE(Fenetres::Bilans->windowTitle(), QStringLiteral("Bilans de Paul"));
        for (QWidget* w : std::initializer_list<QWidget*>{Fenetres::Bilans->cChoixGroupe,
                                                          Fenetres::Bilans->cChoixEleve,
                                                          Fenetres::Bilans->cadreChoix})
            QVERIFY2(!w->isVisibleTo(Fenetres::Bilans), qPrintable(w->objectName()));
        for (const char* b : {"bConfigurer", "bModifier", "bAide", "bGererGroupes", "bSupprimer",
                              "bRafraichir", "bBanque"})
            QVERIFY2(!Bouton(b)->isVisibleTo(Fenetres::Bilans), b);
        QCOMPARE(Fenetres::Bilans->bImprime->isVisibleTo(Fenetres::Bilans), impression);
        QCOMPARE(Fenetres::Bilans->bMagneto->isVisibleTo(Fenetres::Bilans), son);
        QVERIFY(Fenetres::Bilans->bApropos->isVisibleTo(Fenetres::Bilans));
        QVERIFY(Fenetres::Bilans->bQuitterBilan->isVisibleTo(Fenetres::Bilans));
        // The four files, and his progress, shown first.
        QCOMPARE(Fenetres::Bilans->onglets->count(), 5);
        QCOMPARE(Fenetres::Bilans->onglets->currentWidget(), Fenetres::Bilans->ongletProgres);
        QVERIFY(Fenetres::Bilans->BilanExo->toolTip().isEmpty());
        QVERIFY(Fenetres::Bilans->BilanDetail->toolTip().isEmpty());
        QVERIFY(Fenetres::Bilans->ItemReussis->toolTip().isEmpty());
        QCOMPARE(Fenetres::Bilans->MotDePasse->toolTip(),
                 QStringLiteral("Un clic droit pour modifier le mot de passe."));
        // His four files, Windows-1252 decoded.
        QCOMPARE(Texte("BilanExo"),
                 QStringLiteral("07/12/2026 | Terminé    |    8 /  10 | Animaux\n"));
        QVERIFY(Texte("BilanDetail").startsWith(QStringLiteral("07/12/2026 à 14:03:27 - 2 items")));
        QCOMPARE(Texte("ItemReussis"), QStringLiteral("chat|3\nchien|2-3\ncheval|13\nlapin|2\n"));
        QCOMPARE(Texte("MotDePasse"), QStringLiteral("secret\n"));
        QVERIFY(c.env.Messages.Appels.isEmpty());
    }

    void modeEleveSansMotDePasse() {
        Classe c;
        c.OuvrirEleve("Lea");
        QCOMPARE(Fenetres::Bilans->windowTitle(), QStringLiteral("Bilans de Lea"));
        QVERIFY(Texte("MotDePasse").isEmpty());
        QCOMPARE(Texte("BilanExo"), QStringLiteral("exos de Lea\n"));
        QCOMPARE(Texte("BilanDetail"), QStringLiteral("detail de Lea\n"));
        QCOMPARE(Texte("ItemReussis"), QStringLiteral("loup|1\n"));
    }

    void modeEnseignant() {
        Classe c;
        Etat.ImpressionAutorisee = false;
        Etat.EnregistrementSon = false;
        c.Ouvrir(true);
        QCOMPARE(Fenetres::Bilans->lTitre->text(), QStringLiteral("MODULE ENSEIGNANT"));
        for (QWidget* w : std::initializer_list<QWidget*>{Fenetres::Bilans->cChoixGroupe,
                                                          Fenetres::Bilans->cChoixEleve,
                                                          Fenetres::Bilans->cadreChoix})
            QVERIFY2(w->isVisibleTo(Fenetres::Bilans), qPrintable(w->objectName()));
        for (const char* b :
             {"bSupprimer", "bGererGroupes", "bConfigurer", "bMagneto", "bImprime", "bModifier",
              "bRafraichir", "bBanque", "bAide", "bApropos", "bQuitterBilan"})
            QVERIFY2(Bouton(b)->isVisibleTo(Fenetres::Bilans), b);
        QCOMPARE(Fenetres::Bilans->BilanExo->toolTip(),
                 QStringLiteral("Clic droit pour modifier le bilan."));
        QCOMPARE(Fenetres::Bilans->BilanDetail->toolTip(),
                 QStringLiteral("Clic droit pour modifier le bilan."));
        QCOMPARE(Fenetres::Bilans->ItemReussis->toolTip(),
                 QStringLiteral("Clic droit pour modifier la liste des items réussis."));
        QCOMPARE(Fenetres::Bilans->windowTitle(), QStringLiteral("Paul"));
        QCOMPARE(Etat.DossierGroupe, c.cm1);
        QCOMPARE(Texte("MotDePasse"), QStringLiteral("secret\n"));

        // Back to pupil mode on the next opening: everything the teacher had is hidden again.
        c.OuvrirEleve("Lea");
        QVERIFY(!Fenetres::Bilans->cadreChoix->isVisibleTo(Fenetres::Bilans));
        QVERIFY(!Fenetres::Bilans->bSupprimer->isVisibleTo(Fenetres::Bilans));
        QVERIFY(Fenetres::Bilans->BilanExo->toolTip().isEmpty());
        QCOMPARE(Fenetres::Bilans->lTitre->text(), QStringLiteral("MON BILAN"));
    }

    void listes() {
        Classe c;
        QDir().mkpath(c.racine + "CM2.old");
        EcrireOctets(c.racine + "notes", "x");
        Classe::Eleve(c.cm1, "Jean_Marc", "a|1\r\n", {}, {}, {});
        EcrireOctets(c.cm1 + "Lea.txt", {});
        QFile::rename(c.cm1 + "Lea.txt", c.cm1 + "Lea.TXT");
        c.Ouvrir(true);
        QCOMPARE(Liste(Fenetres::Bilans->cChoixGroupe), (QStringList{"CE2", "CM1", "notes"}));
        QCOMPARE(Liste(Fenetres::Bilans->cChoixEleve), (QStringList{"Lea", "Paul"}));

        // The teacher picks another group: its folder becomes the group folder, first pupil shown.
        Fenetres::Bilans->cChoixGroupe->setCurrentIndex(0);
        emit Fenetres::Bilans->cChoixGroupe->activated(0);
        QCOMPARE(Etat.DossierGroupe, c.racine + "CE2/");
        QCOMPARE(Liste(Fenetres::Bilans->cChoixEleve), QStringList{"Zoe"});
        QCOMPARE(Fenetres::Bilans->windowTitle(), QStringLiteral("Zoe"));
        QCOMPARE(Texte("ItemReussis"), QStringLiteral("zebre|3\n"));
        QVERIFY(Texte("BilanDetail").isEmpty());

        // A group with no pupil: empty list, empty caption, empty views.
        Fenetres::Bilans->cChoixGroupe->setCurrentIndex(2);
        emit Fenetres::Bilans->cChoixGroupe->activated(2);
        QCOMPARE(Fenetres::Bilans->cChoixEleve->count(), 0);
        QCOMPARE(Fenetres::Bilans->windowTitle(), QString());
        for (const QString& v : Vues())
            QVERIFY2(Texte(qPrintable(v)).isEmpty(), qPrintable(v));

        // Another pupil picked: caption and views follow.
        Fenetres::Bilans->cChoixGroupe->setCurrentIndex(1);
        emit Fenetres::Bilans->cChoixGroupe->activated(1);
        Fenetres::Bilans->cChoixEleve->setCurrentIndex(1);
        emit Fenetres::Bilans->cChoixEleve->activated(1);
        QCOMPARE(Fenetres::Bilans->windowTitle(), QStringLiteral("Paul"));
        QCOMPARE(Texte("MotDePasse"), QStringLiteral("secret\n"));
    }

    void racineSansGroupe() {
        Classe c;
        const QString racine = c.env.Programme + "Vide/";
        QDir().mkpath(racine);
        EcrireOctets(racine + "Solo.txt", "seul|3\r\n");
        EcrireOctets(racine + "Solo_Exos.txt", "x\r\n");
        Etat.CheminBilans = racine;
        Classe::Depart("", "");
        c.Ouvrir(true);
        QCOMPARE(Fenetres::Bilans->cChoixGroupe->count(), 0);
        QCOMPARE(Etat.DossierGroupe, racine);
        QCOMPARE(Liste(Fenetres::Bilans->cChoixEleve), QStringList{"Solo"});
        QCOMPARE(Texte("ItemReussis"), QStringLiteral("seul|3\n"));
    }

    void preselection_data() {
        QTest::addColumn<QString>("groupeDepart");
        QTest::addColumn<QString>("eleveDepart");
        QTest::addColumn<QString>("groupe");
        QTest::addColumn<QString>("eleve");
        // Empty: "Choisis ton groupe", a visitor.
        QTest::newRow("Choisis ton groupe") << ""
                                            << ""
                                            << "CE2"
                                            << "Zoe";
        QTest::newRow("CM1 et Visiteur") << "CM1"
                                         << ""
                                         << "CM1"
                                         << "Lea";
        QTest::newRow("CM1 et Paul") << "CM1"
                                     << "Paul"
                                     << "CM1"
                                     << "Paul";
        QTest::newRow("casse différente") << "cm1"
                                          << "PAUL"
                                          << "CM1"
                                          << "Paul";
        QTest::newRow("élève absent") << "CM1"
                                      << "Marc"
                                      << "CM1"
                                      << "";
        QTest::newRow("groupe disparu") << "CM9"
                                        << "Paul"
                                        << ""
                                        << "";
    }
    void preselection() {
        QFETCH(QString, groupeDepart);
        QFETCH(QString, eleveDepart);
        QFETCH(QString, groupe);
        QFETCH(QString, eleve);
        Classe c;
        Classe::Depart(groupeDepart, eleveDepart);
        c.Ouvrir(true);
        QCOMPARE(Fenetres::Bilans->cChoixGroupe->currentText(), groupe);
        QCOMPARE(Fenetres::Bilans->cChoixEleve->currentText(), eleve);
        QCOMPARE(Fenetres::Bilans->windowTitle(), eleve);
        if (eleve.isEmpty())
            for (const QString& v : Vues())
                QVERIFY2(Texte(qPrintable(v)).isEmpty(), qPrintable(v));
        else
            QVERIFY(!Texte("ItemReussis").isEmpty());
        QCOMPARE(Etat.DossierGroupe, groupe.isEmpty() ? c.racine : c.racine + groupe + "/");
        // The start form's choice is not the report form's to change.
        QCOMPARE(Etat.Choix.NomGroupe(), groupeDepart);
        QCOMPARE(Etat.Choix.Eleve.Nom, eleveDepart);
        QCOMPARE(Etat.NomEleve, QString());
    }

    void coloration_data() {
        QTest::addColumn<QByteArray>("historique");
        QTest::addColumn<int>("necessaires");
        QTest::addColumn<QString>("couleurs");
        const QByteArray h = "chat|3\r\nchien|2-3\r\ncheval|13\r\nlapin|2\r\n";
        QTest::newRow("chat|3 rouge pour 3") << h << 3 << "RRRRRR/nnnnnnnnn/nnnnnnnnn/nnnnnnn/";
        QTest::newRow("lapin|2 rouge pour 2") << h << 2 << "nnnnnn/nnnnnnnnn/nnnnnnnnn/RRRRRRR/";
        QTest::newRow("999 tout noir") << h << 999 << "nnnnnn/nnnnnnnnn/nnnnnnnnn/nnnnnnn/";
        QTest::newRow("l'occurrence antérieure colorée à la place")
            << QByteArray("chat|3x\r\nchat|3\r\n") << 3 << "RRRRRRn/nnnnnn/";
        QTest::newRow("fins de ligne LF et CR")
            << QByteArray("a|3\nb|3\rc|1") << 3 << "RRR/RRR/nnn";
    }
    void coloration() {
        QFETCH(QByteArray, historique);
        QFETCH(int, necessaires);
        QFETCH(QString, couleurs);
        Classe c;
        EcrireOctets(c.cm1 + "Paul.txt", historique);
        Etat.ReponsesNecessaires = necessaires;
        c.Ouvrir(true);
        QCOMPARE(Couleurs(), couleurs);
        // The caret waits at the start, nothing selected.
        QCOMPARE(Fenetres::Bilans->ItemReussis->textCursor().position(), 0);
        QVERIFY(!Fenetres::Bilans->ItemReussis->textCursor().hasSelection());
    }

    // Records long enough to fill several blocks of the views, with each kind of line end:
    // the same lines come out, and the red marks land on the right ones.
    void grandsFichiers_data() {
        QTest::addColumn<QByteArray>("fin");
        QTest::newRow("CR LF") << QByteArray("\r\n");
        QTest::newRow("LF") << QByteArray("\n");
        QTest::newRow("CR") << QByteArray("\r");
    }
    void grandsFichiers() {
        QFETCH(QByteArray, fin);
        Classe c;
        QByteArray historique;
        QStringList lignes;
        QString couleurs;
        for (int i = 1; i <= 150; ++i) {
            const QByteArray l = "item" + QByteArray::number(i) + (i % 7 == 0 ? "|3" : "|1");
            historique += l + fin;
            lignes.append(QString::fromLatin1(l));
            couleurs += QString(l.size(), i % 7 == 0 ? u'R' : u'n') + u'/';
        }
        EcrireOctets(c.cm1 + "Paul.txt", historique);
        EcrireOctets(c.cm1 + "Paul_Detail.txt", historique);
        c.Ouvrir(true);
        const QString attendu = lignes.join(u'\n') + u'\n';
        QCOMPARE(Texte("ItemReussis"), attendu);
        QCOMPARE(Texte("BilanDetail"), attendu);
        QCOMPARE(Couleurs(), couleurs);
    }

    // The teacher finds the tab shown last; a pupil always starts on his progress.
    void ongletGardeEntreOuvertures() {
        Classe c;
        c.Ouvrir(true);
        QCOMPARE(Fenetres::Bilans->onglets->currentIndex(), 2); // "Items réussis" at the first
        Fenetres::Bilans->onglets->setCurrentIndex(1);
        Fenetres::Bilans->show();
        QTest::mouseClick(Fenetres::Bilans->bQuitterBilan, Qt::LeftButton);
        QVERIFY(!Fenetres::Bilans->isVisible());
        c.Ouvrir(true);
        QCOMPARE(Fenetres::Bilans->onglets->currentIndex(), 1);
        Fenetres::Bilans->onglets->setCurrentIndex(3); // "Mot de passe"
        c.OuvrirEleve();
        QCOMPARE(Fenetres::Bilans->onglets->currentWidget(), Fenetres::Bilans->ongletProgres);
        c.Ouvrir(true);
        QCOMPARE(Fenetres::Bilans->onglets->currentWidget(), Fenetres::Bilans->ongletProgres);
    }

    void rafraichir() {
        Classe c;
        EcrireOctets(c.env.Programme + "plumelune.ini",
                     "BILAN = " + c.racine.toUtf8() + "\r\nREPONSES NECESSAIRES = 2\r\n");
        c.Ouvrir(true);
        QCOMPARE(Fenetres::Bilans->windowTitle(), QStringLiteral("Paul"));
        QCOMPARE(Couleurs(), QStringLiteral("RRRRRR/nnnnnnnnn/nnnnnnnnn/nnnnnnn/"));

        // The configuration is read again and the views re-coloured with it.
        QTest::mouseClick(Fenetres::Bilans->bRafraichir, Qt::LeftButton);
        QCOMPARE(Etat.ReponsesNecessaires, 2);
        QCOMPARE(Fenetres::Bilans->cChoixEleve->currentText(), QStringLiteral("Paul"));
        QCOMPARE(Couleurs(), QStringLiteral("nnnnnn/nnnnnnnnn/nnnnnnnnn/RRRRRRR/"));

        // Paul's files moved away in the file manager: the group stays, nobody is selected.
        for (const char* s : {".txt", "_Detail.txt", "_Exos.txt", "_Pwd.txt"})
            QVERIFY(QFile::remove(c.cm1 + "Paul" + s));
        QTest::mouseClick(Fenetres::Bilans->bRafraichir, Qt::LeftButton);
        QCOMPARE(Fenetres::Bilans->cChoixGroupe->currentText(), QStringLiteral("CM1"));
        QCOMPARE(Liste(Fenetres::Bilans->cChoixEleve), QStringList{"Lea"});
        QCOMPARE(Fenetres::Bilans->cChoixEleve->currentIndex(), -1);
        QCOMPARE(Fenetres::Bilans->windowTitle(), QString());
        for (const QString& v : Vues())
            QVERIFY2(Texte(qPrintable(v)).isEmpty(), qPrintable(v));
        QVERIFY(c.env.Messages.Appels.isEmpty());
    }

    // The configuration file gone: said once, and the form goes on with what it had.
    void rafraichirSansConfiguration() {
        Classe c;
        c.Ouvrir(true);
        QTest::mouseClick(Fenetres::Bilans->bRafraichir, Qt::LeftButton);
        QCOMPARE(c.env.Messages.Textes(), QStringList{"Fichier INI non trouvé."});
        QCOMPARE(Etat.CheminBilans, c.racine);
        QCOMPARE(Fenetres::Bilans->cChoixEleve->currentText(), QStringLiteral("Paul"));
        QVERIFY(!Texte("ItemReussis").isEmpty());
    }

    void suppression_data() {
        QTest::addColumn<bool>("oui");
        QTest::newRow("confirmée") << true;
        QTest::newRow("refusée") << false;
    }
    void suppression() {
        QFETCH(bool, oui);
        Classe c;
        c.Ouvrir(true);
        c.env.Messages.Reponses = {oui};
        QTest::mouseClick(Fenetres::Bilans->bSupprimer, Qt::LeftButton);
        QCOMPARE(c.env.Messages.Appels.size(), 1);
        QCOMPARE(c.env.Messages.Appels[0].Genre, QStringLiteral("Confirmation"));
        QCOMPARE(c.env.Messages.Appels[0].Texte,
                 QStringLiteral("Voulez-vous vraiment supprimer l'élève Paul de ce groupe ?"));
        for (const char* s : {".txt", "_Detail.txt", "_Exos.txt", "_Pwd.txt"})
            QCOMPARE(QFile::exists(c.cm1 + "Paul" + s), !oui);
        QVERIFY(QFile::exists(c.cm1 + "Lea.txt"));
        if (oui) {
            QCOMPARE(Liste(Fenetres::Bilans->cChoixEleve), QStringList{"Lea"});
            QCOMPARE(Fenetres::Bilans->cChoixEleve->currentText(), QStringLiteral("Lea"));
            QCOMPARE(Fenetres::Bilans->windowTitle(), QStringLiteral("Lea"));
            QCOMPARE(Texte("ItemReussis"), QStringLiteral("loup|1\n"));
            QVERIFY(Texte("MotDePasse").isEmpty());
        } else {
            QCOMPARE(Liste(Fenetres::Bilans->cChoixEleve), (QStringList{"Lea", "Paul"}));
            QCOMPARE(Fenetres::Bilans->windowTitle(), QStringLiteral("Paul"));
            QCOMPARE(Texte("MotDePasse"), QStringLiteral("secret\n"));
        }
        QCOMPARE(Liste(Fenetres::Bilans->cChoixGroupe), (QStringList{"CE2", "CM1"}));
    }

    // A share mounted without UTF-8 file names: the teacher is told once, with the folder.
    void nomsNonUtf8() {
        SAUTER_SANS_NOMS_BRUTS();
        Classe c;
        const FichierNomBrut mael(c.cm1, "Ma\xEBl.txt");
        QVERIFY(mael.Cree);
        c.Ouvrir(true);
        c.Ouvrir(true);
        QCOMPARE(c.env.Messages.Appels.size(), 1);
        QVERIFY(c.env.Messages.Appels.first().Texte.contains(
            QDir::toNativeSeparators(c.racine + "CM1")));
        QVERIFY(c.env.Messages.Appels.first().Texte.contains("iocharset=utf8"));
    }

    void suppressionDuDernier() {
        Classe c;
        Classe::Depart("CE2", "Zoe");
        c.Ouvrir(true);
        c.env.Messages.Reponses = {true};
        QTest::mouseClick(Fenetres::Bilans->bSupprimer, Qt::LeftButton);
        QCOMPARE(Fenetres::Bilans->cChoixEleve->count(), 0);
        QCOMPARE(Fenetres::Bilans->windowTitle(), QString());
        QVERIFY(Texte("ItemReussis").isEmpty());
        QVERIFY(QDir(c.racine + "CE2").exists()); // the group folder stays
    }

    // The real confirmation box: Enter takes "Oui", Escape takes "Non".
    void suppressionAuClavier_data() {
        QTest::addColumn<int>("touche");
        QTest::addColumn<bool>("supprime");
        QTest::newRow("Entrée") << int(Qt::Key_Return) << true;
        QTest::newRow("Échap") << int(Qt::Key_Escape) << false;
    }
    void suppressionAuClavier() {
        QFETCH(int, touche);
        QFETCH(bool, supprime);
        Classe c;
        c.Ouvrir(true);
        MessagesQt boites;
        Services::InstallerMessages(&boites);
        QString question;
        QTimer::singleShot(0, [&] {
            QTRY_VERIFY(QApplication::activeModalWidget());
            auto* boite = qobject_cast<BoiteMessage*>(QApplication::activeModalWidget());
            QVERIFY(boite);
            question = boite->Texte()->accessibleName();
            QTest::keyClick(boite, Qt::Key(touche));
        });
        Fenetres::Bilans->bSupprimerClick();
        Services::InstallerMessages(&c.env.Messages);
        QCOMPARE(question,
                 QStringLiteral("Voulez-vous vraiment supprimer l'élève Paul de ce groupe ?"));
        for (const char* s : {".txt", "_Detail.txt", "_Exos.txt", "_Pwd.txt"})
            QCOMPARE(QFile::exists(c.cm1 + "Paul" + s), !supprime);
    }

    void desktop_data() {
        QTest::addColumn<bool>("enseignant");
        QTest::addColumn<QString>("action"); // button, or "droit:" + view
        QTest::addColumn<int>("onglet");
        QTest::addColumn<QString>(
            "attendu"); // "Ouvrir:" or "Lancer:" + target; {P} program, {G} group
        QTest::newRow("Modifier résultats")
            << true << "bModifier" << 0 << "Ouvrir:{G}Paul_Exos.txt";
        QTest::newRow("Modifier détail") << true << "bModifier" << 1 << "Ouvrir:{G}Paul_Detail.txt";
        QTest::newRow("Modifier items réussis") << true << "bModifier" << 2 << "Ouvrir:{G}Paul.txt";
        QTest::newRow("Modifier mot de passe")
            << true << "bModifier" << 3 << "Ouvrir:{G}Paul_Pwd.txt";
        QTest::newRow("droit résultats")
            << true << "droit:BilanExo" << 2 << "Ouvrir:{G}Paul_Exos.txt";
        QTest::newRow("droit détail")
            << true << "droit:BilanDetail" << 2 << "Ouvrir:{G}Paul_Detail.txt";
        QTest::newRow("droit items") << true << "droit:ItemReussis" << 0 << "Ouvrir:{G}Paul.txt";
        QTest::newRow("droit mot de passe")
            << true << "droit:MotDePasse" << 0 << "Ouvrir:{G}Paul_Pwd.txt";
        QTest::newRow("élève droit résultats") << false << "droit:BilanExo" << 0 << "";
        QTest::newRow("élève droit détail") << false << "droit:BilanDetail" << 0 << "";
        QTest::newRow("élève droit items") << false << "droit:ItemReussis" << 0 << "";
        QTest::newRow("élève droit mot de passe")
            << false << "droit:MotDePasse" << 0 << "Ouvrir:{G}Paul_Pwd.txt";
        QTest::newRow("Configurer") << true << "bConfigurer" << 0 << "Ouvrir:{P}plumelune.ini";
        QTest::newRow("Aide") << true << "bAide" << 0 << "Ouvrir:{P}aide/index.htm";
        QTest::newRow("Banque") << true << "bBanque" << 0 << "Ouvrir:{P}aide/banque.htm";
        QTest::newRow("Gérer les groupes") << true << "bGererGroupes" << 0 << "Ouvrir:{R}";
        QTest::newRow("Enregistrer un son")
            << true << "bMagneto" << 0 << "Lancer:{P}outils/enregistreur";
        QTest::newRow("élève enregistrer un son")
            << false << "bMagneto" << 0 << "Lancer:{P}outils/enregistreur";
    }
    void desktop() {
        QFETCH(bool, enseignant);
        QFETCH(QString, action);
        QFETCH(int, onglet);
        QFETCH(QString, attendu);
        Classe c;
        // A group folder with accents, blanks and a path well over 100 characters.
        const QString groupe = QStringLiteral(
            "Classe de Mme Dupré - année 2025-2026 - élèves du cours moyen première année");
        const QString g = c.racine + groupe + "/";
        Classe::Eleve(g, "Paul", historiquePaul, detailPaul, exosPaul, "secret\r\n");
        QVERIFY(g.size() > 100);
        EcrireOctets(c.env.Programme + "plumelune.ini", "BILAN =\r\n");
        EcrireOctets(c.env.Programme + "aide/index.htm", "<html></html>");
        EcrireOctets(c.env.Programme + "aide/banque.htm", "<html></html>");
        const QString enregistreur = "outils/enregistreur" + ExtensionProgramme;
        EcrireOctets(c.env.Programme + enregistreur, "#!/bin/sh\n");
        QFile::setPermissions(c.env.Programme + enregistreur,
                              QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        Etat.CheminLogSon = "outils\\enregistreur" + ExtensionProgramme;
        Etat.EnregistrementSon = true;
        Classe::Depart(groupe, "Paul");
        if (enseignant) {
            c.Ouvrir(true);
        } else {
            Etat.Choix.Groupe = groupe;
            Etat.DossierGroupe = g;
            Etat.NomEleve = "Paul";
            c.Ouvrir(false);
        }
        Fenetres::Bilans->onglets->setCurrentIndex(onglet);
        auto agir = [&] {
            if (action.startsWith("droit:")) {
                ClicDroit(Fenetres::Bilans->findChild<QPlainTextEdit*>(action.mid(6)));
            } else {
                QPushButton* b = Bouton(action);
                QVERIFY(b->isVisibleTo(Fenetres::Bilans));
                QTest::mouseClick(b, Qt::LeftButton);
            }
        };
        agir();
        attendu.replace("{P}", c.env.Programme).replace("{G}", g).replace("{R}", c.racine);
        attendu.replace("outils/enregistreur", enregistreur);
        QStringList obtenu;
        for (const AppelShell& a : c.env.Shell.Appels)
            obtenu.append(a.Genre + ":" + a.Cible);
        QCOMPARE(obtenu, attendu.isEmpty() ? QStringList{} : QStringList{attendu});
        QVERIFY(c.env.Messages.Appels.isEmpty());
        if (attendu.isEmpty())
            return;

        // The desktop cannot open it: said at once, or when its opener gives up later.
        const QString cible = c.env.Shell.Appels.first().Cible;
        const QString message = QString::fromUtf8("Impossible d'ouvrir « %1 » : essai").arg(cible);
        c.env.Shell.Echecs.insert(cible, message);
        agir();
        QCOMPARE(c.env.Messages.Appels.size(), 1);
        QCOMPARE(c.env.Messages.Appels.last().Genre, QStringLiteral("Erreur"));
        QCOMPARE(c.env.Messages.Appels.last().Texte, message);
        c.env.Shell.Differer = true;
        agir();
        QCOMPARE(c.env.Messages.Appels.size(), 1);
        c.env.Shell.RepondreEnRetard();
        QCOMPARE(c.env.Messages.Appels.size(), 2);
        QCOMPARE(c.env.Messages.Appels.last().Texte, message);
    }

    // Nothing to open: no file, no pupil. Nothing happens and nothing is said.
    void desktopSansCible_data() {
        QTest::addColumn<QString>("bouton");
        QTest::addColumn<int>("onglet");
        QTest::addColumn<QString>("eleve");
        QTest::newRow("mot de passe absent") << "bModifier" << 3 << "Lea";
        QTest::newRow("aucun élève") << "bModifier" << 2 << "";
        QTest::newRow("pas de configuration") << "bConfigurer" << 0 << "Paul";
        QTest::newRow("pas d'aide") << "bAide" << 0 << "Paul";
        QTest::newRow("pas de page de banque") << "bBanque" << 0 << "Paul";
    }
    void desktopSansCible() {
        QFETCH(QString, bouton);
        QFETCH(int, onglet);
        QFETCH(QString, eleve);
        Classe c;
        EcrireOctets(c.cm1 + ".txt", "fichier sans élève");
        c.Ouvrir(true);
        Fenetres::Bilans->cChoixEleve->setCurrentIndex(
            eleve.isEmpty() ? -1 : Fenetres::Bilans->cChoixEleve->findText(eleve));
        Fenetres::Bilans->onglets->setCurrentIndex(onglet);
        QTest::mouseClick(Bouton(bouton), Qt::LeftButton);
        QVERIFY(c.env.Shell.Appels.isEmpty());
        QVERIFY(c.env.Messages.Appels.isEmpty());
    }

    void magnetoParDefaut_data() {
        QTest::addColumn<QString>("cheminLogSon");
        QTest::addColumn<bool>("enregistreurInstalle");
        QTest::newRow("CHEMINLOGSON d'un programme absent") << "C:\\Windows\\sndrec32.exe" << true;
        QTest::newRow("CHEMINLOGSON vide") << "" << true;
        QTest::newRow("aucun enregistreur") << "" << false;
    }
    void magnetoParDefaut() {
        QFETCH(QString, cheminLogSon);
        QFETCH(bool, enregistreurInstalle);
        Classe c;
        const QString bin = c.env.Programme + "bin";
        if (enregistreurInstalle) {
            EcrireOctets(bin + "/audacity" + ExtensionProgramme, "#!/bin/sh\n");
            QFile::setPermissions(bin + "/audacity" + ExtensionProgramme,
                                  QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        }
        const QByteArray chemin = qgetenv("PATH");
        qputenv("PATH", bin.toLocal8Bit());
        Etat.CheminLogSon = cheminLogSon;
        c.Ouvrir(true);
        QTest::mouseClick(Fenetres::Bilans->bMagneto, Qt::LeftButton);
        qputenv("PATH", chemin);
        if (enregistreurInstalle) {
            QCOMPARE(c.env.Shell.Cibles(), QStringList{bin + "/audacity" + ExtensionProgramme});
            QCOMPARE(c.env.Shell.Appels[0].Genre, QStringLiteral("Lancer"));
            QVERIFY(c.env.Messages.Appels.isEmpty());
        } else {
            QVERIFY(c.env.Shell.Appels.isEmpty());
            QCOMPARE(c.env.Messages.Appels.size(), 1);
            QVERIFY(c.env.Messages.Appels[0].Texte.contains("CHEMINLOGSON"));
        }
    }

    void apropos() {
        Classe c;
        c.OuvrirEleve();
        QTest::mouseClick(Fenetres::Bilans->bApropos, Qt::LeftButton);
        QCOMPARE(c.env.Messages.Appels.size(), 1);
        QCOMPARE(c.env.Messages.Appels[0].Genre, QStringLiteral("Information"));
        const QStringList lignes = c.env.Messages.Appels[0].Texte.split('\n');
        QCOMPARE(lignes.size(), 2);
        QVERIFY(lignes[0].contains("Plumelune") && lignes[0].contains("association"));
    }

    void impression_data() {
        QTest::addColumn<bool>("enseignant");
        QTest::addColumn<int>("onglet");
        QTest::addColumn<QString>("debut"); // the selection's first and last lines; empty: none
        QTest::addColumn<QString>("fin");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("résultats entiers")
            << true << 0 << ""
            << ""
            << "Bilan exercices de : Paul\n\n07/12/2026 | Terminé    |    8 /  10 | Animaux\n";
        QTest::newRow("détail, deux lignes choisies")
            << true << 1 << "chat :"
            << "chien :"
            << "Bilan détaillé de : Paul\n\nchat : [4 s - 1 essai]\nchien : chein - chiein [1 min "
               "5 s - 3 essais]";
        QTest::newRow("items réussis entiers, sans rouge")
            << true << 2 << ""
            << ""
            << "Items réussis de : Paul\n\nchat|3\nchien|2-3\ncheval|13\nlapin|2\n";
        QTest::newRow("élève : nom de la fiche de départ") << false << 2 << "chat|"
                                                           << "chat|"
                                                           << "Items réussis de : Paul\n\nchat|3";
    }
    void impression() {
        QFETCH(bool, enseignant);
        QFETCH(int, onglet);
        QFETCH(QString, debut);
        QFETCH(QString, fin);
        QFETCH(QString, attendu);
        Classe c;
        enseignant ? c.Ouvrir(true) : c.OuvrirEleve();
        Fenetres::Bilans->onglets->setCurrentIndex(onglet);
        QPlainTextEdit* vues[] = {Fenetres::Bilans->BilanExo, Fenetres::Bilans->BilanDetail,
                                  Fenetres::Bilans->ItemReussis};
        if (!debut.isEmpty())
            SelectionnerLignes(vues[onglet], debut, fin);
        QTest::mouseClick(Fenetres::Bilans->bImprime, Qt::LeftButton);
        QCOMPARE(c.env.Imprimante.Configurations, 1);
        QCOMPARE(c.env.Imprimante.Imprimes, QStringList{attendu});
        // Above it, who and which group, in either mode.
        QCOMPARE(c.env.Imprimante.EnTetes,
                 QStringList{QString::fromUtf8("Paul – groupe CM1 – 07/12/2026")});
    }

    void impressionAnnulee() {
        Classe c;
        c.Ouvrir(true);
        Fenetres::Bilans->onglets->setCurrentIndex(2);
        c.env.Imprimante.Accepter = false;
        QTest::mouseClick(Fenetres::Bilans->bImprime, Qt::LeftButton);
        QCOMPARE(c.env.Imprimante.Configurations, 1);
        QVERIFY(c.env.Imprimante.Imprimes.isEmpty());
        QVERIFY(Fenetres::Bilans->tamponImpression->toPlainText().startsWith(
            QStringLiteral("Items réussis de : Paul")));
    }

    void impressionMotDePasse() {
        Classe c;
        c.Ouvrir(true);
        Fenetres::Bilans->onglets->setCurrentIndex(3);
        QTest::mouseClick(Fenetres::Bilans->bImprime, Qt::LeftButton);
        QCOMPARE(c.env.Imprimante.Configurations, 0);
        QVERIFY(c.env.Imprimante.Imprimes.isEmpty());
    }

    // Through Qt's printing into a PDF: the heading, an empty line, exactly the chosen lines,
    // and no page number even over several pages.
    void impressionPdf_data() {
        QTest::addColumn<int>("lignes"); // lines of the detail record
        QTest::addColumn<int>("debut");  // selected lines, -1 for the whole view
        QTest::addColumn<int>("fin");
        QTest::newRow("deux lignes choisies") << 5 << 1 << 2;
        QTest::newRow("tout, sur plusieurs pages") << 260 << -1 << -1;
        QTest::newRow("ligne plus large que la page") << -1 << -1 << -1;
    }
    void impressionPdf() {
        QFETCH(int, lignes);
        QFETCH(int, debut);
        QFETCH(int, fin);
        const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
        if (pdftotext.isEmpty())
            QSKIP("pdftotext (poppler-utils) manque : scripts/install-deps.sh l'installe");
        Classe c;
        QStringList detail;
        for (int i = 1; i <= lignes; ++i)
            detail.append(QStringLiteral("ligne%1 élève : [4 s - 1 essai]").arg(i));
        if (lignes < 0) {
            QStringList mots;
            for (int i = 1; i <= 60; ++i)
                mots.append(QStringLiteral("mot%1").arg(i));
            detail = QStringList{mots.join(u' ')};
        }
        EcrireOctets(c.cm1 + "Paul_Detail.txt", Cp1252Detail(detail));
        const QString pdf = c.env.Programme + "bilan.pdf";
        ImprimanteQt imprimante(pdf);
        Services::InstallerImprimante(&imprimante);
        c.Ouvrir(true);
        Fenetres::Bilans->onglets->setCurrentIndex(1);
        QStringList corps = detail;
        if (debut >= 0) {
            SelectionnerLignes(Fenetres::Bilans->BilanDetail,
                               QStringLiteral("ligne%1 ").arg(debut + 1),
                               QStringLiteral("ligne%1 ").arg(fin + 1));
            corps = detail.mid(debut, fin - debut + 1);
        }
        QTest::mouseClick(Fenetres::Bilans->bImprime, Qt::LeftButton);
        Services::InstallerImprimante(&c.env.Imprimante);
        QVERIFY(QFile::exists(pdf));

        QProcess p;
        p.start(pdftotext, {"-layout", "-enc", "UTF-8", pdf, "-"});
        QVERIFY(p.waitForFinished(30000));
        QString texte = QString::fromUtf8(p.readAllStandardOutput());
        const int pages = int(texte.count(u'\f'));
        texte.remove(u'\f');
        QStringList obtenu = texte.split(u'\n');
        for (QString& l : obtenu)
            l = l.trimmed();
        while (!obtenu.isEmpty() && obtenu.last().isEmpty())
            obtenu.removeLast();
        // The teacher's heading first, then, page breaks aside, exactly what the job holds.
        QCOMPARE(obtenu.value(0), QString::fromUtf8("Paul – groupe CM1 – 07/12/2026"));
        obtenu.removeFirst();
        while (!obtenu.isEmpty() && obtenu.first().isEmpty())
            obtenu.removeFirst();
        QCOMPARE(obtenu.value(0), QStringLiteral("Bilan détaillé de : Paul"));
        QCOMPARE(obtenu.value(1), QString());
        QStringList suite = obtenu.mid(2);
        suite.removeAll(QString());
        if (lignes < 0) {
            // Wrapped at word boundaries within the page: several printed lines, no word cut.
            QVERIFY(suite.size() > 1);
            QCOMPARE(suite.join(u' ').simplified(), corps.join(u' '));
        } else {
            QCOMPARE(suite, corps);
        }
        if (lignes > 100)
            QVERIFY2(pages > 1, "the long record should take several pages");

        // Every word at least 15 mm from each edge of its page.
        QProcess boites;
        boites.start(pdftotext, {"-bbox", pdf, "-"});
        QVERIFY(boites.waitForFinished(30000));
        const QString html = QString::fromUtf8(boites.readAllStandardOutput());
        const QRegularExpression page(
            QStringLiteral("<page width=\"([\\d.]+)\" height=\"([\\d.]+)\""));
        const QRegularExpression mot(QStringLiteral(
            "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\""));
        const auto p0 = page.match(html);
        QVERIFY(p0.hasMatch());
        const double largeur = p0.captured(1).toDouble();
        const double hauteur = p0.captured(2).toDouble();
        const double marge = 15 / 25.4 * 72; // 15 mm in points
        int mots = 0;
        for (auto it = mot.globalMatch(html); it.hasNext(); ++mots) {
            const auto m = it.next();
            QVERIFY(m.captured(1).toDouble() >= marge);
            QVERIFY(m.captured(2).toDouble() >= marge);
            QVERIFY(largeur - m.captured(3).toDouble() >= marge);
            QVERIFY(hauteur - m.captured(4).toDouble() >= marge);
        }
        QVERIFY(mots > 3);
    }

    // A record that exists but cannot be read: the error box names it, its view is emptied,
    // the others load, and the form goes on.
    void fichierIllisible() {
        Classe c;
        QFile::remove(c.cm1 + "Paul_Exos.txt");
        if (!QFile::link("/proc/self/mem", c.cm1 + "Paul_Exos.txt"))
            QSKIP("pas de lien symbolique possible ici");
        c.Ouvrir(true);
        if (c.env.Messages.Appels.isEmpty())
            QSKIP("/proc/self/mem se lit sur ce système");
        QCOMPARE(c.env.Messages.Appels.size(), 1);
        QCOMPARE(c.env.Messages.Appels[0].Genre, QStringLiteral("Erreur"));
        QVERIFY(c.env.Messages.Appels[0].Texte.contains(c.cm1 + "Paul_Exos.txt"));
        QVERIFY(Texte("BilanExo").isEmpty());
        QCOMPARE(Texte("MotDePasse"), QStringLiteral("secret\n"));
        QCOMPARE(Texte("ItemReussis"), QStringLiteral("chat|3\nchien|2-3\ncheval|13\nlapin|2\n"));
        // Still usable: another pupil shows.
        Fenetres::Bilans->cChoixEleve->setCurrentIndex(0);
        emit Fenetres::Bilans->cChoixEleve->activated(0);
        QCOMPARE(Texte("BilanExo"), QStringLiteral("exos de Lea\n"));
    }

private:
    static QByteArray Cp1252Detail(const QStringList& lignes) {
        return (lignes.join("\r\n") + "\r\n").toLatin1();
    }
};

QTEST_MAIN(TstBilans)
#include "tst_bilans.moc"
