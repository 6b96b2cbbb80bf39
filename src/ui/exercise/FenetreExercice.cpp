#include "ui/exercise/FenetreExercice.h"

#include "core/Chemins.h"
#include "core/Echelle.h"
#include "core/Etat.h"
#include "core/FichierTexte.h"
#include "core/Services.h"
#include "core/exercise/DecodageItem.h"
#include "core/exercise/EcrituresExercice.h"
#include "core/exercise/ItemsExercice.h"
#include "core/exercise/TexteCompagnon.h"
#include "core/exercise/TirageItems.h"
#include "core/records/Durees.h"
#include "core/records/Journal.h"
#include "core/records/Reussites.h"
#include "ui/Fenetres.h"
#include "ui/dialogs/DialogueAppreciation.h"
#include "ui/dialogs/DialogueNombreItems.h"
#include "ui/dialogs/DialogueQuitter.h"
#include "ui/exercise/FenetreAideAccents.h"
#include "ui/exercise/LigneCorrigee.h"
#include "ui/kit/Kit.h"
#include "ui/kit/Lecture.h"
#include "ui/kit/MarqueFocus.h"
#include "ui/platform/ImagesQt.h"
#include "ui/platform/SurfaceFenetre.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QTextCursor>
#include <QTimer>
#include <QToolButton>

#include <algorithm>

namespace {
// The design's size, the one the scale is worked out from.
constexpr QSize TailleDessin = TailleFenetreExercice.toSize();

// The answer field paints its own white, up to the edges where no frame is drawn. Filled by Qt
// instead, the field counts as opaque: the window's picture behind it is then painted around a
// hole, line by line through Qt's parallel fills, rather than copied in one block.
class ChampReponse : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

protected:
    void paintEvent(QPaintEvent* e) override {
        QPainter(this).fillRect(rect(), palette().brush(backgroundRole()));
        QLineEdit::paintEvent(e);
    }
};
} // namespace

FenetreExercice::FenetreExercice(QWidget* parent)
    : QWidget(parent), m_deroulement(Etat.Exercice, *this) {
    setObjectName(QStringLiteral("Form1"));
    // No title-bar buttons: the program alone closes its main window.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(TailleDessin);
    // Centred on the desktop, placed before the window exists so that it costs no trip to the
    // window system: a window manager that places at the top-left corner would leave the
    // pupil's window in a corner of a big screen.
    if (const QScreen* ecran = QGuiApplication::primaryScreen()) {
        QRect cadre(QPoint(0, 0), size());
        cadre.moveCenter(ecran->availableGeometry().center());
        move(cadre.topLeft());
    }
    QPalette p = palette();
    p.setColor(QPalette::Window, Kit::BleuCiel);
    setPalette(p);
    setAutoFillBackground(true);
    setWindowTitle(Etat.TitreApplication);
    CreerControles();
    FormCreate();
}

void FenetreExercice::CreerControles() {
    FondEcran = new QLabel(this);
    FondEcran->setTextFormat(Qt::PlainText);
    FondEcran->setObjectName(QStringLiteral("FondEcran"));
    FondEcran->setGeometry(QRect(QPoint(0, 0), TailleDessin));
    PoserImageDeFond(FondEcran, ChargerImageRessource(ImageFondExercice));

    lDossierCourant = Kit::Valeur(this, "lDossierCourant", QRect(176, 9, 360, 24));
    Kit::Police(lDossierCourant, 16, true);
    Kit::Colorer(lDossierCourant, QColor(0x1c, 0x3f, 0x73));

    iExplication = new QLabel(this);
    iExplication->setTextFormat(Qt::PlainText);
    iExplication->setObjectName(QStringLiteral("iExplication"));
    iExplication->setGeometry(QRect(QPoint(12, 52), CadreImageItem));
    iExplication->setAlignment(Qt::AlignCenter);

    mMessage = new QPlainTextEdit(this);
    mMessage->setObjectName(QStringLiteral("mMessage"));
    mMessage->setAccessibleName(QStringLiteral("Texte de l'item"));
    mMessage->setReadOnly(true);
    // A word longer than the box (a line of letters without a space) wraps instead of laying
    // out one endless line.
    mMessage->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    mMessage->setFocusPolicy(Qt::NoFocus);
    mMessage->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    mMessage->setGeometry(189, 53, 256, 159);
    // No frame, no background: the text sits on the box drawn in the window's picture.
    mMessage->setFrameShape(QFrame::NoFrame);
    mMessage->viewport()->setAutoFillBackground(false);
    Kit::Police(mMessage, 15, false);
    Kit::Colorer(mMessage, QColor(0x10, 0x2a, 0x50));
    for (QScrollBar* barre : {mMessage->verticalScrollBar(), mMessage->horizontalScrollBar()})
        Kit::CouleursDuBureau(barre);

    bJEcoute = Kit::BoutonImage(this, "bJEcoute", QStringLiteral(":/art/ecoute.png"),
                                QStringLiteral("J'écoute"), QRect(14, 222, 180, 68));
    bJaiEcrit = Kit::BoutonImage(this, "bJaiEcrit", QStringLiteral(":/art/ecrit.png"),
                                 QStringLiteral("J'ai écrit"), QRect(214, 222, 184, 68));
    for (QToolButton* b : {bJEcoute, bJaiEcrit}) {
        b->setText(b->accessibleName());
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        b->setIconSize(QSize(56, 56));
        Kit::Police(b, 20, true);
        Kit::Colorer(b, QColor(0x1c, 0x3f, 0x73), QColor(0x7f, 0x93, 0xad));
    }
    // Slow listening, small beside the row, in the sky between "J'ai écrit" and the scores
    // (right-aligned with the accent help): the design's other controls keep their places.
    bJEcouteLent =
        Kit::BoutonImage(this, "bJEcouteLent", QStringLiteral(":/art/tortue.png"),
                         QStringLiteral("J'écoute lentement (F2)"), QRect(404, 232, 48, 48));
    bJEcouteLent->setAccessibleName(QStringLiteral("J'écoute lentement"));
    bJEcouteLent->setIconSize(QSize(44, 44));
    bJEcouteLent->setVisible(EcouteLenteIntegree);
    bStop = Kit::BoutonImage(this, "bStop", QStringLiteral(":/art/stop.png"),
                             QStringLiteral("Arrêter"), QRect(584, 2, 40, 40));
    bStop->setIconSize(QSize(36, 36));
    bClavier =
        Kit::BoutonImage(this, "bClavier", QStringLiteral(":/art/clavier.png"),
                         QStringLiteral("Comment écrire un accent ?"), QRect(408, 372, 44, 44));
    bClavier->setIconSize(QSize(40, 40));
    ActiverEcoute(false);
    bJaiEcrit->setEnabled(false);

    eSaisie = new ChampReponse(this);
    eSaisie->setObjectName(QStringLiteral("eSaisie"));
    eSaisie->setAccessibleName(QStringLiteral("Ta réponse"));
    eSaisie->setGeometry(13, 301, 383, 48);
    QFont grand = eSaisie->font();
    grand.setPixelSize(32);
    eSaisie->setFont(grand);
    eSaisie->setFrame(false);
    Kit::Colorer(eSaisie, QColor(0x0b, 0x24, 0x47), {}, Qt::white, QColor(0xee, 0xf3, 0xfa));
    eSaisie->installEventFilter(this);

    lJObserve = Kit::Etiquette(this, "Label3", QStringLiteral("J'observe"), QRect(14, 368, 80, 20));
    lJObserve->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Kit::Police(lJObserve, 13, true);
    Kit::Colorer(lJObserve, QColor(0x1c, 0x3f, 0x73));
    eModele = new QLineEdit(this);
    eModele->setObjectName(QStringLiteral("eModele"));
    eModele->setAccessibleName(QStringLiteral("J'observe"));
    // Reached with Tab while it shows a model, read as text with the corrigé in words; the
    // mouse goes through it, as it went through the disabled field it looks like.
    eModele->setReadOnly(true);
    eModele->setFocusPolicy(Qt::TabFocus);
    eModele->setAttribute(Qt::WA_TransparentForMouseEvents);
    eModele->setEnabled(false);
    eModele->setGeometry(14, 388, 380, 26);
    QFont moyen = eModele->font();
    moyen.setPixelSize(20);
    eModele->setFont(moyen);
    eModele->setFrame(false);
    Kit::Colorer(eModele, QColor(0x55, 0x55, 0x55), {}, Qt::transparent);
    // Beside the caption, above the model: what the pupil wrote, marked where it differs.
    lCorrige = new LigneCorrigee(this);
    lCorrige->setObjectName(QStringLiteral("lCorrige"));
    lCorrige->setGeometry(98, 364, 296, 26);

    // The values sit in the boxes of the background; the hint areas cover their captions.
    lBonus = Kit::Valeur(this, "lBonus", QRect(468, 76, 140, 30));
    lNote = Kit::Valeur(this, "lNote", QRect(468, 137, 140, 30), QStringLiteral("Mon score"));
    lNoteMaxi = Kit::Valeur(this, "lNoteMaxi", QRect(468, 198, 140, 30));
    lNbItemsRepondus = Kit::Valeur(this, "lNbItemsRepondus", QRect(468, 259, 140, 30),
                                   QStringLiteral("Nombre d'items réussis au 1er essai"));
    lNbItemsTotal = Kit::Valeur(this, "lNbItemsTotal", QRect(468, 320, 140, 30));
    lTemps = Kit::Valeur(this, "lTemps", QRect(468, 381, 140, 30));
    for (QLabel* l : {lBonus, lNote, lNoteMaxi, lNbItemsRepondus, lNbItemsTotal}) {
        Kit::Police(l, 20, true);
        Kit::Colorer(l, QColor(0x0b, 0x24, 0x47));
    }
    lTemps->setFont(QFont(QStringLiteral("DejaVu Sans Mono")));
    Kit::Police(lTemps, 15, true);
    Kit::Colorer(lTemps, QColor(0x0b, 0x24, 0x47));
    // The captions are in the background picture: their hint areas say them to screen readers.
    const auto legende = [this](const char* nom, const QRect& place, const QString& texte) {
        Kit::Valeur(this, nom, place, texte)->setAccessibleName(texte);
    };
    legende("lEnJeu", QRect(460, 52, 156, 22), QStringLiteral("Nombre de points en jeu"));
    legende("lScore", QRect(460, 113, 156, 22), QStringLiteral("Mon score"));
    legende("lScoreMaxi", QRect(460, 174, 156, 22), QStringLiteral("Score maximum"));
    legende("lItemsReussis", QRect(460, 235, 156, 22),
            QStringLiteral("Nombre d'items réussis au premier essai"));
    legende("lReponses", QRect(460, 296, 156, 22), QStringLiteral("Nombre d'items de la partie"));
    legende("lTempsEffectif", QRect(460, 357, 156, 22), QStringLiteral("Temps effectif"));
    // A pupil who cannot see the boxes reaches the figures with Tab (the clock excepted: it
    // would be said again every second).
    for (QLabel* l : {lBonus, lNote, lNoteMaxi, lNbItemsRepondus, lNbItemsTotal})
        l->setFocusPolicy(Qt::TabFocus);

    horlogeItem = new QTimer(this);
    horlogeItem->setObjectName(QStringLiteral("Timer1"));
    horlogeItem->setInterval(1000);

    // A pupil with the keyboard only reaches everything with Tab: the two big buttons, his
    // answer, the accent help, the stop. Enter and Escape keep their meaning everywhere.
    setTabOrder(bJEcoute, bJaiEcrit);
    setTabOrder(bJaiEcrit, bJEcouteLent);
    setTabOrder(bJEcouteLent, eSaisie);
    setTabOrder(eSaisie, eModele);
    setTabOrder(eModele, bClavier);
    // Then the figures, down their column, and the stop above it.
    QWidget* const chiffres[] = {bClavier,         lBonus,        lNote, lNoteMaxi,
                                 lNbItemsRepondus, lNbItemsTotal, bStop};
    for (size_t i = 1; i < std::size(chiffres); ++i)
        setTabOrder(chiffres[i - 1], chiffres[i]);
    MarqueFocus::Poser(this);

    connect(bJEcoute, &QToolButton::clicked, this, &FenetreExercice::bJEcouteClick);
    connect(bJEcouteLent, &QToolButton::clicked, this, &FenetreExercice::bJEcouteLentClick);
    connect(bJaiEcrit, &QToolButton::clicked, this, &FenetreExercice::bJaiEcritClick);
    connect(bStop, &QToolButton::clicked, this, &FenetreExercice::bStopClick);
    connect(bClavier, &QToolButton::clicked, this, &FenetreExercice::bClavierClick);
    connect(horlogeItem, &QTimer::timeout, this, &FenetreExercice::CompterUneSeconde);
}

void FenetreExercice::FormCreate() {
    // The configuration's defaults are the shared state's own (Etat.Reinitialiser): a window
    // that sets them again would undo what a test or the program already set.
    mMessage->clear();
    MontrerImageParDefaut(ImageParDefaut);
}

void FenetreExercice::MontrerImageParDefaut(const QString& nomFichier) {
    const QString chemin = ResoudreChemin(Etat.DossierProgramme + nomFichier);
    const QImage image = ChargerImageDAvance(chemin); // at start-up, fitted ahead
    if (image.isNull()) {
        iExplication->hide();
        return;
    }
    iExplication->setPixmap(ImageDansLeCadre(image, iExplication));
    iExplication->setAccessibleName(QString()); // the program's picture, no item's
    iExplication->show();
}

void FenetreExercice::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    PreparerSurface(this);
    QTimer::singleShot(0, this, [this] { emit activee(); });
}

void FenetreExercice::changeEvent(QEvent* e) {
    QWidget::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && isActiveWindow())
        emit activee();
}

void FenetreExercice::Ouvrir() {
    const ChoixTravail& choix = Etat.Choix;
    setWindowTitle(Etat.TitreApplication + QStringLiteral(" - Elève : ") +
                   choix.Eleve.NomAffiche());
    eSaisie->clear();
    SessionExercice& exercice = Etat.Exercice;
    if (choix.Revue)
        exercice.OuvrirListe(*choix.Revue, BilansExercice::DuProgramme(choix.DossierExercice));
    else
        exercice.Ouvrir(choix.DossierExercice, BilansExercice::DuProgramme(choix.DossierExercice));
    lTemps->clear(); // the last exercise's clock is not this one's
    lTemps->setAccessibleName(QStringLiteral("Temps effectif"));
    AppliquerLecture(); // the teacher module may have changed it
    // The ini is read again before each exercise: ECOUTE LENTE takes effect here.
    bJEcouteLent->setVisible(EcouteLenteIntegree && Etat.EcouteLente);
    if (exercice.NbItems() >= ItemsPourChoisirLeNombre) {
        Services::Modal().Montrer(Fenetres::NombreItems);
        if (m_ferme)
            return; // the program ended meanwhile: its close recorded the interruption
    }
    const bool item = exercice.Commencer();
    MontrerNouvelItem();
    AfficherSession();
    if (!item) {
        ActiverEcoute(false);
        if (exercice.NbItems() == 0)
            Services::Messages().Information(
                QStringLiteral("Il n'y a plus d'items à retravailler dans ce dossier !"));
    }
    Modele({}, {});
    lDossierCourant->setText(NomDossierCourant());
}

void FenetreExercice::AppliquerLecture() {
    const ReglagesLecture lecture = Etat.Lecture();
    if (lecture == m_lecture)
        return;
    m_lecture = lecture;
    for (QWidget* w : std::initializer_list<QWidget*>{mMessage, eSaisie, eModele, lCorrige})
        Lecture::Police(w);
    Lecture::Interligner(mMessage);
    // High contrast: white instead of the picture, its captions and boxes drawn in black.
    const bool fort = Lecture::ContrasteFort();
    FondEcran->setVisible(!fort);
    Lecture::FondDeFenetre(this);
    for (QWidget* w : std::initializer_list<QWidget*>{lDossierCourant, mMessage, lJObserve, lTemps})
        Lecture::Contraste(w);
    Lecture::Contraste(eModele, false, true); // disabled, but read: black on white
    for (QToolButton* b : {bJEcoute, bJaiEcrit})
        Lecture::Contraste(b, true);
    Lecture::Contraste(eSaisie, false, true);
    eSaisie->setStyleSheet(fort ? QStringLiteral("QLineEdit { border: 2px solid black; }")
                                : QString());
    mMessage->setFrameStyle(fort ? QFrame::Box | QFrame::Plain : QFrame::NoFrame);
    for (QLabel* l : {lBonus, lNote, lNoteMaxi, lNbItemsRepondus, lNbItemsTotal, lTemps}) {
        Lecture::Contraste(l);
        l->setFrameStyle(fort ? QFrame::Box | QFrame::Plain : QFrame::NoFrame);
        l->setLineWidth(l == lTemps ? 1 : 2); // the clock fills its box
    }
    // Its frame takes the room the picture's box left around the clock's last letter.
    Kit::Police(lTemps, fort ? 14 : 15, true);
    // The captions the picture carries, as text.
    const std::pair<const char*, const char*> legendes[] = {
        {"lEnJeu", "Points en jeu"},         {"lScore", "Mon score"},
        {"lScoreMaxi", "Score maximum"},     {"lItemsReussis", "Réussis au 1er essai"},
        {"lReponses", "Items de la partie"}, {"lTempsEffectif", "Temps"}};
    for (const auto& [nom, texte] : legendes)
        if (auto* l = findChild<QLabel*>(QLatin1String(nom))) {
            l->setText(fort ? QString::fromUtf8(texte) : QString());
            Kit::Police(l, 13, true);
            Lecture::Contraste(l);
        }
    lCorrige->update();
}

namespace {
// A figure of the exercise, named by what it counts and then the figure itself: a label's
// accessible name replaces its text for a screen reader.
void AfficherValeur(QLabel* l, const QString& compte, int valeur) {
    const QString texte = QString::number(valeur);
    l->setText(texte);
    l->setAccessibleName(compte + QStringLiteral(" : ") + texte);
}
} // namespace

void FenetreExercice::AfficherSession() {
    const SessionExercice& exercice = Etat.Exercice;
    AfficherValeur(lBonus, QStringLiteral("Points en jeu"), exercice.PointsEnJeu());
    AfficherValeur(lNote, QStringLiteral("Mon score"), exercice.Score());
    AfficherValeur(lNoteMaxi, QStringLiteral("Score maximum"), exercice.ScoreMaxi());
    AfficherValeur(lNbItemsRepondus, QStringLiteral("Items réussis au premier essai"),
                   exercice.ReussisPremierEssai());
    AfficherValeur(lNbItemsTotal, QStringLiteral("Items de la partie"), exercice.NbItems());
    if (!exercice.HorlogeEnMarche())
        horlogeItem->stop();
    else if (!horlogeItem->isActive())
        horlogeItem->start();
}

void FenetreExercice::MontrerNouvelItem() {
    MontrerImageParDefaut(QStringLiteral("qvx_pardefaut.bmp"));
    mMessage->clear();
    ActiverEcoute(true);
    // The focus leaves the answer field before it is disabled, for the next thing to do.
    bJEcoute->setFocus();
    bJaiEcrit->setEnabled(false);
    eSaisie->setEnabled(false);
}

void FenetreExercice::ActiverEcoute(bool actif) {
    bJEcoute->setEnabled(actif);
    bJEcouteLent->setEnabled(actif);
}

void FenetreExercice::bJEcouteClick() {
    if (bJEcoute->isEnabled())
        Ecouter(1);
}

// Heard slowly or not, a listen is a listen: same answer controls, same first-listen step.
void FenetreExercice::bJEcouteLentClick() {
    if (bJEcouteLent->isEnabled() && !bJEcouteLent->isHidden())
        Ecouter(VitesseLente);
}

void FenetreExercice::Ecouter(double vitesse) {
    const QString item = Etat.Exercice.CheminItemCourant();
    if (item.isEmpty())
        return;
    ISon& son = Services::Son();
    son.DefinirFichier(item);
    QString erreur;
    if (!son.Ouvrir(&erreur)) {
        Services::Messages().Erreur(erreur);
        return;
    }
    son.Jouer(vitesse);
    bJaiEcrit->setEnabled(true);
    eSaisie->setEnabled(true);
    eSaisie->setFocus();
    if (Etat.Exercice.Ecouter()) {
        MontrerCompagnons();
        AfficherSession(); // the item's clock runs from its first listen
    }
}

void FenetreExercice::MontrerCompagnons() {
    // The companions share the item's base name; their case is whatever the teacher typed.
    QString base = Etat.Exercice.CheminItemCourant();
    if (base.endsWith(QStringLiteral(".wav"), Qt::CaseInsensitive))
        base.chop(4);
    const TexteCompagnon texte = LireTexteCompagnonBorne(base + QStringLiteral(".TXT"));
    if (texte.Lu) {
        mMessage->setPlainText(texte.Texte);
        Lecture::Interligner(mMessage);
        // A text longer than the box is read from its top.
        mMessage->moveCursor(QTextCursor::Start);
    }
    const QString image = ResoudreChemin(base + QStringLiteral(".JPG"));
    if (QFile::exists(image)) {
        const QImage img = ChargerImage(image);
        if (!img.isNull()) {
            iExplication->setPixmap(ImageDansLeCadre(img, iExplication));
            iExplication->setAccessibleName(QStringLiteral("Image de l'item"));
            iExplication->show();
        }
    }
}

void FenetreExercice::CompterUneSeconde() {
    // The item answered right: its clock stopped, and so does the tick.
    if (!Etat.Exercice.HorlogeEnMarche()) {
        horlogeItem->stop();
        return;
    }
    Etat.Exercice.CompterUneSeconde();
    lTemps->setText(FormaterDuree(Etat.Exercice.TempsAffiche(), true));
    lTemps->setAccessibleName(QStringLiteral("Temps effectif : ") + lTemps->text());
}

bool FenetreExercice::Appreciation(const QString& texte, bool bon, const QString& indice) {
    Fenetres::Appreciation->TexteMessage = texte;
    Fenetres::Appreciation->Indice = indice;
    Fenetres::Appreciation->TypeMessage = bon ? QStringLiteral("Bon") : QStringLiteral("PasBon");
    Services::Modal().Montrer(Fenetres::Appreciation);
    return !m_ferme;
}

void FenetreExercice::Effet(const QString& nom) {
    JouerEffet(nom);
}

void FenetreExercice::Modele(const QString& modele, const CorrigeReponse& corrige) {
    eModele->setText(modele);
    eModele->setEnabled(!modele.isEmpty()); // a Tab stop only while it shows something
    // Said in words for a screen reader, whatever the marks show.
    eModele->setAccessibleDescription(modele.isEmpty() ? QString() : corrige.Description);
    lCorrige->Montrer(modele.isEmpty() ? QList<SegmentCorrige>() : corrige.Tape,
                      corrige.Description);
    // Painted now: the second attempt shows it for a second through a pause.
    if (!modele.isEmpty())
        repaint();
}

void FenetreExercice::Reessayer() {
    eSaisie->setFocus();
    eSaisie->selectAll();
}

void FenetreExercice::ItemSuivant() {
    eSaisie->clear();
    MontrerNouvelItem();
}

void FenetreExercice::bJaiEcritClick() {
    if (!bJaiEcrit->isEnabled() || m_verification)
        return;
    m_verification = true;
    m_deroulement.Repondre(eSaisie->text());
    m_verification = false;
}

void FenetreExercice::Fin() {
    JouerEffet(QStringLiteral("fin.wav"));
    Etat.Exercice.Terminer();
    emit exerciceTermine();
}

void FenetreExercice::Arreter() {
    bJaiEcrit->setEnabled(false);
    ActiverEcoute(false);
    eSaisie->setEnabled(false);
}

void FenetreExercice::bStopClick() {
    if (!bStop->isEnabled() || m_quitterOuvert || m_ferme)
        return;
    m_quitterOuvert = true;
    const int choix = Services::Modal().Montrer(Fenetres::Quitter);
    m_quitterOuvert = false;
    if (m_ferme)
        return; // closed meanwhile: the close recorded the interruption
    switch (choix) {
    case DialogueQuitter::ChoixNouvelExercice:
        EnregistrerReussites();
        Etat.Exercice.Interrompre();
        horlogeItem->stop();
        emit nouvelExerciceDemande();
        break;
    case DialogueQuitter::ChoixQuitter:
        Etat.Exercice.Interrompre();
        horlogeItem->stop();
        emit quitterDemande();
        break;
    default:
        break; // back to the item
    }
}

void FenetreExercice::bClavierClick() {
    Services::Modal().Montrer(Fenetres::AideAccents);
}

namespace {
// Enter or Escape held down: the keyboard repeats it, the pupil did not press it again. A
// repeat must never submit an empty answer nor listen once more.
bool ToucheRepetee(const QKeyEvent* e) {
    const int t = e->key();
    return e->isAutoRepeat() && (t == Qt::Key_Return || t == Qt::Key_Enter || t == Qt::Key_Escape);
}
} // namespace

bool FenetreExercice::eventFilter(QObject* objet, QEvent* e) {
    if (objet == eSaisie && e->type() == QEvent::KeyPress) {
        const auto* cle = static_cast<QKeyEvent*>(e);
        if (ToucheRepetee(cle))
            return true;
        const int touche = cle->key();
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

void FenetreExercice::BasculerPleinEcran() {
    // Its own flag: without a window manager the window system never confirms the state, and
    // Qt then reports the window as normal.
    m_pleinEcran = !m_pleinEcran;
    if (!m_pleinEcran) {
        showNormal();
        setFixedSize(TailleDessin);
        // Back where it was: without a window manager nobody else puts it back.
        move(m_placeNormale);
    } else {
        m_placeNormale = pos();
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        showFullScreen();
        // Without a window manager nobody else gives the window the screen's size.
        if (const QScreen* ecran = screen())
            setGeometry(ecran->geometry());
    }
}

// The controls keep their design places relative to one another; only the whole design moves,
// to the middle of whatever size the window has.
void FenetreExercice::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    const QPoint decalage(std::max(0, (width() - TailleDessin.width()) / 2),
                          std::max(0, (height() - TailleDessin.height()) / 2));
    const QPoint delta = decalage - m_decalage;
    if (delta.isNull())
        return;
    m_decalage = decalage;
    for (QObject* o : children())
        if (auto* w = qobject_cast<QWidget*>(o); w && !w->isWindow())
            w->move(w->pos() + delta);
}

void FenetreExercice::keyPressEvent(QKeyEvent* e) {
    if (ToucheRepetee(e))
        return;
    if (e->key() == Qt::Key_F11) {
        BasculerPleinEcran();
        return;
    }
    // F2, from the answer field too (it lets the key through): the item again, slowly. A held
    // key is one listen.
    if (e->key() == Qt::Key_F2) {
        if (!e->isAutoRepeat())
            bJEcouteLentClick();
        return;
    }
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

// Every close ends the program. The program's own ways out ("Quitter", the end of an exercise)
// have recorded the exercise before they close; a close from outside (the window manager, the
// session ending, a signal) finds it maybe still in progress and records it as "Quitter" of the
// quit dialog would, without the farewell.
void FenetreExercice::closeEvent(QCloseEvent* e) {
    if (!m_ferme) {
        m_ferme = true; // first: whatever was under way stops at its next step
        horlogeItem->stop();
        if (Etat.Exercice.EnCours())
            Etat.Exercice.Interrompre();
        FormClose();
    }
    QWidget::closeEvent(e);
}

void FenetreExercice::ArretDemande() {
    close();
    // Every event loop, the dialogs' included: each returns to code that sees the window closed.
    QCoreApplication::exit(0);
}

void FenetreExercice::FormClose() {
    EnregistrerReussites();
    AttendreJournalEnFond(); // a close before the first activation
    if (!Etat.FichierJournal.isEmpty())
        QFile::remove(Etat.FichierJournal);
}
