#include "ui/exercise/FenetreExercice.h"

#include "core/Chemins.h"
#include "core/Configuration.h"
#include "core/Etat.h"
#include "core/FichierTexte.h"
#include "core/Services.h"
#include "core/exercise/DecodageItem.h"
#include "core/exercise/EcrituresExercice.h"
#include "core/exercise/ItemsExercice.h"
#include "core/records/Durees.h"
#include "core/records/Journal.h"
#include "core/records/Reussites.h"
#include "ui/Fenetres.h"
#include "ui/dialogs/DialogueAppreciation.h"
#include "ui/dialogs/DialogueNombreItems.h"
#include "ui/dialogs/DialogueQuitter.h"
#include "ui/exercise/FenetreAideAccents.h"
#include "ui/platform/ImagesQt.h"
#include "ui/setup/FenetreDepart.h"
#include "ui/teacher/FenetreBilans.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>

namespace {

QLabel* Etiquette(QWidget* parent, const char* nom, const QRect& place, const QString& bulle = {}) {
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(nom));
    l->setGeometry(place);
    l->setAlignment(Qt::AlignCenter);
    if (!bulle.isEmpty()) {
        l->setToolTip(bulle);
        l->setAccessibleDescription(bulle);
    }
    return l;
}

QToolButton* BoutonImage(QWidget* parent, const char* nom, const QString& image,
                         const QString& nomAccessible, const QRect& place) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(nom));
    b->setIcon(ChargerImageRessource(image));
    b->setAccessibleName(nomAccessible);
    b->setToolTip(nomAccessible);
    b->setAutoRaise(true);
    b->setGeometry(place);
    b->setFocusPolicy(Qt::NoFocus); // Enter and Escape belong to the answer field and the form
    return b;
}

// Type and colours are given to the main window's controls directly, not through style sheets:
// Qt's style-sheet engine would then take part in every polish and paint of the window the
// pupil waits for at start-up.

void Police(QWidget* w, int pixels, bool gras) {
    QFont police = w->font();
    police.setPixelSize(pixels);
    if (gras)
        police.setBold(true);
    w->setFont(police);
}

// The desktop's colours, held by the control itself: its frame and panels do not take the
// window's sky blue.
QPalette PaletteBureau(const QWidget* w) {
    QPalette p = QApplication::palette(w);
    p.setResolveMask(~QPalette::ResolveMask(0));
    return p;
}

// The text in `texte` (`texteDesactive` once disabled, if given) and, if given, the background
// in `fond` (`fondDesactive` once disabled), on the desktop's colours.
void Colorer(QWidget* w, const QColor& texte, const QColor& texteDesactive = {},
             const QColor& fond = {}, const QColor& fondDesactive = {}) {
    QPalette p = PaletteBureau(w);
    for (const QPalette::ColorGroup groupe :
         {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        const bool desactive = groupe == QPalette::Disabled;
        const QColor t = desactive && texteDesactive.isValid() ? texteDesactive : texte;
        for (const QPalette::ColorRole role :
             {QPalette::ButtonText, QPalette::WindowText, QPalette::Text})
            p.setColor(groupe, role, t);
        QColor indication = t;
        indication.setAlpha((t.alpha() + 1) / 2);
        p.setColor(groupe, QPalette::PlaceholderText, indication);
        const QColor f = desactive && fondDesactive.isValid() ? fondDesactive : fond;
        if (f.isValid())
            for (const QPalette::ColorRole role :
                 {QPalette::Base, QPalette::Button, QPalette::Window})
                p.setColor(groupe, role, f);
    }
    w->setPalette(p);
}

} // namespace

FenetreExercice::FenetreExercice(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Form1"));
    // No title-bar buttons: the program alone closes its main window.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(628, 429);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(166, 202, 240));
    setPalette(p);
    setAutoFillBackground(true);
    setWindowTitle(Etat.TitreApplication);
    CreerControles();
    FormCreate();
}

void FenetreExercice::CreerControles() {
    FondEcran = new QLabel(this);
    FondEcran->setObjectName(QStringLiteral("FondEcran"));
    FondEcran->setGeometry(0, 0, 628, 429);
    PoserImageDeFond(FondEcran, ChargerImageRessource(ImageFondExercice));

    lDossierCourant = Etiquette(this, "lDossierCourant", QRect(176, 9, 360, 24));
    Police(lDossierCourant, 16, true);
    Colorer(lDossierCourant, QColor(0x1c, 0x3f, 0x73));

    iExplication = new QLabel(this);
    iExplication->setObjectName(QStringLiteral("iExplication"));
    iExplication->setGeometry(12, 52, 160, 160);
    iExplication->setAlignment(Qt::AlignCenter);

    mMessage = new QPlainTextEdit(QStringLiteral("mMessage"), this);
    mMessage->setObjectName(QStringLiteral("mMessage"));
    mMessage->setAccessibleName(QStringLiteral("Texte de l'item"));
    mMessage->setReadOnly(true);
    mMessage->setFocusPolicy(Qt::NoFocus);
    mMessage->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    mMessage->setGeometry(189, 53, 256, 159);
    // No frame, no background: the text sits on the box drawn in the window's picture.
    mMessage->setFrameShape(QFrame::NoFrame);
    mMessage->viewport()->setAutoFillBackground(false);
    Police(mMessage, 15, false);
    Colorer(mMessage, QColor(0x10, 0x2a, 0x50));
    for (QScrollBar* barre : {mMessage->verticalScrollBar(), mMessage->horizontalScrollBar()})
        barre->setPalette(PaletteBureau(barre));

    bJEcoute = BoutonImage(this, "bJEcoute", QStringLiteral(":/art/ecoute.png"),
                           QStringLiteral("J'écoute"), QRect(14, 222, 180, 68));
    bJaiEcrit = BoutonImage(this, "bJaiEcrit", QStringLiteral(":/art/ecrit.png"),
                            QStringLiteral("J'ai écrit"), QRect(214, 222, 184, 68));
    for (QToolButton* b : {bJEcoute, bJaiEcrit}) {
        b->setText(b->accessibleName());
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        b->setIconSize(QSize(56, 56));
        Police(b, 20, true);
        Colorer(b, QColor(0x1c, 0x3f, 0x73), QColor(0x7f, 0x93, 0xad));
    }
    bStop = BoutonImage(this, "bStop", QStringLiteral(":/art/stop.png"), QStringLiteral("Arrêter"),
                        QRect(584, 2, 40, 40));
    bStop->setIconSize(QSize(36, 36));
    bClavier = BoutonImage(this, "bClavier", QStringLiteral(":/art/clavier.png"),
                           QStringLiteral("Comment écrire un accent ?"), QRect(408, 372, 44, 44));
    bClavier->setIconSize(QSize(40, 40));
    bJEcoute->setEnabled(false);
    bJaiEcrit->setEnabled(false);

    eSaisie = new QLineEdit(this);
    eSaisie->setObjectName(QStringLiteral("eSaisie"));
    eSaisie->setAccessibleName(QStringLiteral("Ta réponse"));
    eSaisie->setGeometry(13, 301, 383, 48);
    QFont grand = eSaisie->font();
    grand.setPixelSize(32);
    eSaisie->setFont(grand);
    eSaisie->setFrame(false);
    eSaisie->setAutoFillBackground(true); // white up to the edges, where no frame is drawn
    Colorer(eSaisie, QColor(0x0b, 0x24, 0x47), {}, Qt::white, QColor(0xee, 0xf3, 0xfa));
    eSaisie->installEventFilter(this);

    lJObserve = Etiquette(this, "Label3", QRect(14, 368, 80, 20));
    lJObserve->setText(QStringLiteral("J'observe"));
    lJObserve->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Police(lJObserve, 13, true);
    Colorer(lJObserve, QColor(0x1c, 0x3f, 0x73));
    eModele = new QLineEdit(this);
    eModele->setObjectName(QStringLiteral("eModele"));
    eModele->setAccessibleName(QStringLiteral("J'observe"));
    eModele->setEnabled(false);
    eModele->setGeometry(14, 388, 380, 26);
    QFont moyen = eModele->font();
    moyen.setPixelSize(20);
    eModele->setFont(moyen);
    eModele->setFrame(false);
    Colorer(eModele, QColor(0x55, 0x55, 0x55), {}, Qt::transparent);

    // The values sit in the boxes of the background; the hint areas cover their captions.
    lBonus = Etiquette(this, "lBonus", QRect(468, 76, 140, 30));
    lNote = Etiquette(this, "lNote", QRect(468, 137, 140, 30), QStringLiteral("Mon score"));
    lNoteMaxi = Etiquette(this, "lNoteMaxi", QRect(468, 198, 140, 30));
    lNbItemsRepondus = Etiquette(this, "lNbItemsRepondus", QRect(468, 259, 140, 30),
                                 QStringLiteral("Nombre d'items réussis au 1er essai"));
    lNbItemsTotal = Etiquette(this, "lNbItemsTotal", QRect(468, 320, 140, 30));
    lTemps = Etiquette(this, "lTemps", QRect(468, 381, 140, 30));
    for (QLabel* l : {lBonus, lNote, lNoteMaxi, lNbItemsRepondus, lNbItemsTotal}) {
        Police(l, 20, true);
        Colorer(l, QColor(0x0b, 0x24, 0x47));
    }
    lTemps->setFont(QFont(QStringLiteral("DejaVu Sans Mono")));
    Police(lTemps, 15, true);
    Colorer(lTemps, QColor(0x0b, 0x24, 0x47));
    Etiquette(this, "lEnJeu", QRect(460, 52, 156, 22), QStringLiteral("Nombre de points en jeu"));
    Etiquette(this, "lScore", QRect(460, 113, 156, 22), QStringLiteral("Mon score"));
    Etiquette(this, "lScoreMaxi", QRect(460, 174, 156, 22), QStringLiteral("Score maximum"));
    Etiquette(this, "lItemsReussis", QRect(460, 235, 156, 22),
              QStringLiteral("Nombre d'items réussis au premier essai"));
    Etiquette(this, "lReponses", QRect(460, 296, 156, 22),
              QStringLiteral("Nombre d'items de la partie"));
    Etiquette(this, "lTempsEffectif", QRect(460, 357, 156, 22), QStringLiteral("Temps effectif"));

    horlogeItem = new QTimer(this);
    horlogeItem->setObjectName(QStringLiteral("Timer1"));
    horlogeItem->setInterval(1000);

    connect(bJEcoute, &QToolButton::clicked, this, &FenetreExercice::bJEcouteClick);
    connect(bJaiEcrit, &QToolButton::clicked, this, &FenetreExercice::bJaiEcritClick);
    connect(bStop, &QToolButton::clicked, this, &FenetreExercice::bStopClick);
    connect(bClavier, &QToolButton::clicked, this, &FenetreExercice::bClavierClick);
    connect(horlogeItem, &QTimer::timeout, this, &FenetreExercice::CompterUneSeconde);
}

void FenetreExercice::FormCreate() {
    Etat.CheminLogSon.clear();
    Etat.MotDePasseEnseignant.clear();
    Etat.CheminBilans.clear();
    Etat.PremiereActivation = true;
    Etat.MotDePasseActif = true;
    Etat.ImpressionAutorisee = true;
    Etat.EnregistrementSon = false;
    Etat.AjoutNouvelEleve = true;
    mMessage->clear();
    MontrerImageParDefaut(QStringLiteral("qvx_pardefaut.jpg"));
}

void FenetreExercice::MontrerImageParDefaut(const QString& nomFichier) {
    const QImage image = ChargerImage(ResoudreChemin(Etat.DossierProgramme + nomFichier));
    if (image.isNull()) {
        iExplication->hide();
        return;
    }
    iExplication->setPixmap(QPixmap::fromImage(
        image.scaled(iExplication->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    iExplication->show();
}

void FenetreExercice::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    QTimer::singleShot(0, this, [this] { FormActivate(); });
}

void FenetreExercice::changeEvent(QEvent* e) {
    QWidget::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}

void FenetreExercice::FormActivate() {
    if (!Etat.PremiereActivation || m_ferme)
        return;
    // Cleared first: the start form shown below re-activates this window when it closes.
    Etat.PremiereActivation = false;
    Etat.EcriturePossible = true;
    if (ChargerConfiguration() == ResultatConfiguration::IniAbsent) {
        close();
        return;
    }
    if (!CreerJournal())
        Etat.EcriturePossible = false;
    Etat.TitreApplication = QStringLiteral("Plumelune - Version 2.0");
    setWindowTitle(Etat.TitreApplication);
    NouvelExercice();
    if (m_ferme)
        return;
    lDossierCourant->setText(NomDossierCourant());
    lBonus->setText(QStringLiteral("5"));
}

void FenetreExercice::NouvelExercice() {
    if (!QDir::setCurrent(Etat.CheminMedias)) {
        Services::Messages().Erreur(
            QStringLiteral("Impossible d'ouvrir le dossier des exercices « %1 ».")
                .arg(QDir::toNativeSeparators(Etat.CheminMedias)));
    }
    EnregistrerReussites();
    Services::Modal().Montrer(Fenetres::Depart);
    if (m_ferme)
        return; // "Quitter" in the start form: the program is ending
    Etat.TempsTotal = 0;
    Etat.TempsItem = 0; // the last exercise's item time is not this one's
    lTemps->clear();    // nor is its clock
    ConstruireListeItems(Etat.DossierExercice);
    if (Etat.NbItems >= 5)
        Services::Modal().Montrer(Fenetres::NombreItems);
    lNote->setText(QStringLiteral("0"));
    lNoteMaxi->setText(QString::number(Etat.NbItems * 5));
    mMessage->clear();
    Etat.FichierSon = ChoisirItem();
    if (Etat.FichierSon.isEmpty()) {
        bJaiEcrit->setEnabled(false);
        bJEcoute->setEnabled(false);
        eSaisie->setEnabled(false);
    } else {
        bJaiEcrit->setEnabled(false);
        eSaisie->setEnabled(false);
        bJEcoute->setEnabled(true);
        EcrireEnTeteExercice();
        Etat.NbReussisPremierEssai = 0;
        lNbItemsRepondus->setText(QStringLiteral("0"));
        lNbItemsTotal->setText(QString::number(Etat.NbItems));
    }
    eModele->clear();
}

QString FenetreExercice::ChoisirItem() {
    const ItemTire tire = TirerItem();
    MontrerImageParDefaut(QStringLiteral("qvx_pardefaut.bmp"));
    mMessage->clear();
    Etat.PremiereEcoute = true;
    if (!tire.Nom.isEmpty())
        lBonus->setText(tire.Bonus);
    else if (Etat.NbItems == 0)
        Services::Messages().Information(
            QStringLiteral("Il n'y a plus d'items à retravailler dans ce dossier !"));
    Etat.NbEssais = 0;
    return tire.Nom;
}

bool FenetreExercice::JouerEffet(const QString& nom) {
    if (!Etat.Bruitage)
        return false;
    const QString chemin = ResoudreChemin(Etat.DossierProgramme + nom);
    if (!QFile::exists(chemin))
        return false;
    ISon& son = Services::Son();
    son.DefinirFichier(chemin);
    if (!son.Ouvrir(nullptr))
        return false; // a damaged effect sound is skipped like a missing one
    son.Jouer();
    return true;
}

void FenetreExercice::Adieu(int attenteMs) {
    repaint();
    if (JouerEffet(QStringLiteral("quitter.wav")))
        Services::Pause().Attendre(attenteMs);
    close();
}

void FenetreExercice::bJEcouteClick() {
    if (!bJEcoute->isEnabled())
        return;
    ISon& son = Services::Son();
    son.DefinirFichier(Etat.FichierSon);
    if (!Etat.FichierSon.isEmpty()) {
        QString erreur;
        if (!son.Ouvrir(&erreur)) {
            Services::Messages().Erreur(erreur);
            return;
        }
        son.Jouer();
        bJaiEcrit->setEnabled(true);
        eSaisie->setEnabled(true);
        eSaisie->setFocus();
    }
    if (Etat.PremiereEcoute) {
        horlogeItem->start();
        Etat.TempsItem = 0;
        MontrerCompagnons();
        Etat.PremiereEcoute = false;
    }
}

void FenetreExercice::MontrerCompagnons() {
    // The companions share the item's base name; their case is whatever the teacher typed.
    QString base = Etat.FichierSon;
    if (base.endsWith(QStringLiteral(".wav"), Qt::CaseInsensitive))
        base.chop(4);
    QStringList lignes;
    if (LireLignes(base + QStringLiteral(".TXT"), lignes))
        for (const QString& l : std::as_const(lignes))
            mMessage->appendPlainText(l);
    const QString image = ResoudreChemin(base + QStringLiteral(".JPG"));
    if (QFile::exists(image)) {
        const QImage img = ChargerImage(image);
        if (!img.isNull()) {
            iExplication->setPixmap(QPixmap::fromImage(
                img.scaled(iExplication->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
            iExplication->show();
        }
    }
}

void FenetreExercice::CompterUneSeconde() {
    ++Etat.TempsItem;
    lTemps->setText(FormaterDuree(Etat.TempsTotal + Etat.TempsItem, true));
}

void FenetreExercice::MessagePerso(const QString& texte, const QString& type) {
    Fenetres::Appreciation->TexteMessage = texte;
    Fenetres::Appreciation->TypeMessage = type;
    Services::Modal().Montrer(Fenetres::Appreciation);
}

void FenetreExercice::AfficherModele(const QString& modele) {
    eModele->setText(modele);
    eModele->repaint();
}

void FenetreExercice::bJaiEcritClick() {
    if (!bJaiEcrit->isEnabled() || m_verification)
        return;
    m_verification = true;
    ++Etat.NbEssais;
    const QString tape = eSaisie->text();
    if (ReponseJuste(tape, Etat.FichierSon))
        ReponseJusteTraitee(tape);
    else
        ReponseFausseTraitee(tape);
    m_verification = false;
}

void FenetreExercice::ReponseJusteTraitee(const QString& tape) {
    horlogeItem->stop();
    Etat.TempsTotal += Etat.TempsItem;
    const QString bonus = lBonus->text();
    EcrireReponseJuste(tape, bonus);
    Etat.TempsItem = 0; // counted: a quit before the next listen must not add it again
    JouerEffet(QStringLiteral("juste.wav"));
    MessagePerso(QStringLiteral("C'est bien, continue."), QStringLiteral("Bon"));

    for (ItemListe& item : Etat.ListeItems) {
        if (item.Etat == u"O" || item.Nom != Etat.FichierSon)
            continue;
        Etat.Score += bonus.trimmed().toInt();
        if (Etat.NbEssais == 1) {
            item.Etat = QStringLiteral("O");
            ++Etat.NbReussisPremierEssai;
            lNbItemsRepondus->setText(QString::number(Etat.NbReussisPremierEssai));
        } else {
            item.Etat = QStringLiteral("R");
        }
        break;
    }
    lNote->setText(QString::number(Etat.Score));
    lNoteMaxi->setText(QString::number(Etat.NbItems * 5));
    eSaisie->clear();
    eModele->clear();
    Etat.FichierSon = ChoisirItem();
    bJaiEcrit->setEnabled(false);
    eSaisie->setEnabled(false);
    if (Etat.FichierSon.isEmpty()) {
        FinExercice();
        return;
    }
    eSaisie->clear();
}

void FenetreExercice::ReponseFausseTraitee(const QString& tape) {
    EcrireReponseFausse(tape);
    JouerEffet(QStringLiteral("faux.wav"));

    const QString bonus = lBonus->text().trimmed();
    if (bonus == u"1" || bonus == u"0")
        lBonus->setText(QStringLiteral("0"));
    else
        lBonus->setText(QString::number(Etat.NbEssais == 1   ? 3
                                        : Etat.NbEssais == 2 ? 2
                                        : Etat.NbEssais == 3 ? 1
                                                             : 0));

    const QString modele = ModeleReponse(Etat.FichierSon);
    const QString pasBon = QStringLiteral("PasBon");
    switch (Etat.NbEssais) {
    case 1:
        MessagePerso(QStringLiteral("Ce n'est pas la bonne réponse. Essaie encore."), pasBon);
        break;
    case 2:
        MessagePerso(QStringLiteral("Non, la bonne réponse va s'afficher puis disparaître."),
                     pasBon);
        AfficherModele(modele);
        repaint();
        Services::Pause().Attendre(1000);
        eModele->clear();
        break;
    case 3:
        MessagePerso(QStringLiteral("Observe la réponse, puis clique sur <OK>."), pasBon);
        AfficherModele(modele);
        MessagePerso(QStringLiteral("J'essaie encore."), pasBon);
        eModele->clear();
        break;
    default:
        MessagePerso(QStringLiteral("Observe bien la réponse."), pasBon);
        AfficherModele(modele);
        break;
    }
    eSaisie->setFocus();
    eSaisie->selectAll();
}

void FenetreExercice::FinExercice() {
    JouerEffet(QStringLiteral("fin.wav"));
    const QString duree = FormaterDuree(Etat.TempsTotal, false);
    const QString score = lNote->text();
    EcrireFinExercice(score, lNoteMaxi->text());
    const QString question = QStringLiteral("Bravo ") + Etat.NomEleve +
                             QStringLiteral(" ! Exercice terminé en ") + duree +
                             QStringLiteral(",\navec un score de ") + score +
                             QStringLiteral(" points.\n\nVeux-tu en sélectionner un autre ?");
    if (Services::Messages().QuestionOuiNon(question)) {
        QDir::setCurrent(Etat.CheminMedias);
        NouvelExercice();
        if (m_ferme)
            return;
        Etat.Score = 0;
        lBonus->setText(QStringLiteral("5"));
        if (Etat.NbItems > 0)
            lNote->setText(QStringLiteral("0"));
        lDossierCourant->setText(NomDossierCourant());
        return;
    }
    bJaiEcrit->setEnabled(false);
    bJEcoute->setEnabled(false);
    eSaisie->setEnabled(false);
    if (Etat.ImpressionAutorisee && !Etat.NomEleve.isEmpty() &&
        Services::Messages().QuestionOuiNon(QStringLiteral("Veux-tu voir ton bilan ?"))) {
        EnregistrerReussites();
        Etat.ModeEnseignant = false;
        Services::Modal().Montrer(Fenetres::Bilans);
    }
    Adieu(4000);
}

void FenetreExercice::bStopClick() {
    if (!bStop->isEnabled() || m_quitterOuvert || m_ferme)
        return;
    m_quitterOuvert = true;
    Services::Modal().Montrer(Fenetres::Quitter);
    m_quitterOuvert = false;
}

void FenetreExercice::bClavierClick() {
    Services::Modal().Montrer(Fenetres::AideAccents);
}

bool FenetreExercice::eventFilter(QObject* objet, QEvent* e) {
    if (objet == eSaisie && e->type() == QEvent::KeyPress) {
        const int touche = static_cast<QKeyEvent*>(e)->key();
        if (touche == Qt::Key_Return || touche == Qt::Key_Enter) {
            if (bJaiEcrit->isEnabled())
                bJaiEcritClick();
            return true;
        }
        if (touche == Qt::Key_Escape) {
            if (bStop->isEnabled())
                bStopClick();
            return true;
        }
    }
    return QWidget::eventFilter(objet, e);
}

void FenetreExercice::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        if (bJaiEcrit->isEnabled())
            bJaiEcritClick();
        else if (bJEcoute->isEnabled())
            bJEcouteClick();
        return;
    }
    if (e->key() == Qt::Key_Escape) {
        if (bStop->isEnabled())
            bStopClick();
        return;
    }
    QWidget::keyPressEvent(e);
}

void FenetreExercice::closeEvent(QCloseEvent* e) {
    if (!m_ferme)
        FormClose();
    m_ferme = true;
    horlogeItem->stop();
    QWidget::closeEvent(e);
}

void FenetreExercice::FormClose() {
    EnregistrerReussites();
    if (!Etat.FichierJournal.isEmpty())
        QFile::remove(Etat.FichierJournal);
}
