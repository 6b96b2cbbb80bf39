#include "ui/teacher/FenetreBilans.h"

#include "Version.h"
#include "core/Chemins.h"
#include "core/Configuration.h"
#include "core/Etat.h"
#include "core/FichierTexte.h"
#include "core/Services.h"
#include "core/progress/SuiviClasse.h"
#include "core/progress/TextesSuivi.h"
#include "core/records/FichiersEleve.h"
#include "core/teacher/ColorationReussis.h"
#include "core/teacher/Enregistreur.h"
#include "core/teacher/ListesBilan.h"
#include "ui/Fenetres.h"
#include "ui/kit/Kit.h"
#include "ui/kit/Lecture.h"
#include "ui/platform/Polices.h"
#include "ui/setup/FenetreDepart.h"
#include "ui/studio/FenetreStudio.h"
#include "ui/teacher/FenetreClasse.h"
#include "ui/teacher/VueProgres.h"

#include <QActionGroup>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {

// The form's texts, in one place.
const QString titreEleve = QStringLiteral("MON BILAN");
const QString titreEnseignant = QStringLiteral("MODULE ENSEIGNANT");
const QString aideBilan = QStringLiteral("Clic droit pour modifier le bilan.");
const QString aideReussis = QStringLiteral("Clic droit pour modifier la liste des items réussis.");
const QString aideMotDePasse = QStringLiteral("Un clic droit pour modifier le mot de passe.");
const QString apropos = QStringLiteral(
    PLUMELUNE_TITRE
    " : logiciel de dictée offert par l'association Plumelune.\n"
    "Pour en savoir plus : la page d'aide aide/index.htm, livrée avec le programme.");
const QString aucunEnregistreur = QStringLiteral(
    "Aucun enregistreur de sons n'a été trouvé sur cet ordinateur.\n"
    "Installez-en un (par exemple Audacity) ou indiquez le programme à utiliser avec la clé "
    "CHEMINLOGSON du fichier plumelune.ini.");

// Tab order of the report: which file each tab shows and how a printed copy is headed.
enum Onglet { OngletExos = 0, OngletDetail = 1, OngletReussis = 2, OngletMotDePasse = 3 };
const char* const suffixeOnglet[] = {SuffixeExos, SuffixeDetail, SuffixeHistorique,
                                     SuffixeMotDePasse};
const QString enteteOnglet[] = {QStringLiteral("Bilan exercices de : "),
                                QStringLiteral("Bilan détaillé de : "),
                                QStringLiteral("Items réussis de : ")};

QFont PoliceVues() {
    QFont f(QStringLiteral("Courier New"));
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    f.setPixelSize(11);
    return f;
}

QPlainTextEdit* Vue(QWidget* onglet, const char* nom, const QString& accessible) {
    auto* v = new QPlainTextEdit(onglet);
    v->setObjectName(QString::fromLatin1(nom));
    v->setAccessibleName(accessible);
    v->setReadOnly(true);
    v->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    v->setUndoRedoEnabled(false);
    v->setFont(PoliceVues());
    v->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    v->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    v->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    v->setTabChangesFocus(true); // read-only: Tab goes on to the buttons
    // Black on white whatever the desktop theme: the red marks must stand out.
    QPalette p = v->palette();
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::Text, Qt::black);
    v->setPalette(p);
    // A right-click opens the file in the teacher's editor; no menu.
    v->setContextMenuPolicy(Qt::CustomContextMenu);
    auto* l = new QVBoxLayout(onglet);
    l->setContentsMargins(2, 2, 2, 2);
    l->addWidget(v);
    return v;
}

QPushButton* Bouton(QWidget* parent, QHBoxLayout* rangee, const char* nom, const QString& texte,
                    const QString& icone, const QString& bulle, const QString& accessible) {
    QPushButton* b = Kit::Bouton(parent, nom, texte, {});
    b->setAccessibleName(accessible);
    Kit::Bulle(b, bulle);
    b->setFocusPolicy(Qt::TabFocus);
    // Enter in a view or a list never presses a button; on a button reached with Tab it does.
    b->setAutoDefault(false);
    Kit::ActiverAuClavier(b);
    if (!icone.isEmpty()) {
        b->setIcon(QIcon(icone));
        b->setIconSize(QSize(26, 26));
        b->setFixedSize(35, 38);
    } else {
        b->setFixedHeight(38);
        b->setMinimumWidth(b->fontMetrics().horizontalAdvance(texte) + 14);
    }
    rangee->addWidget(b);
    return b;
}

// Selects the entry without running the list's change handler: the handlers are called where
// the report form says so.
void Selectionner(QComboBox* liste, qsizetype index) {
    const QSignalBlocker silence(liste);
    liste->setCurrentIndex(int(index));
}

// The text with its line ends (CR LF, LF or CR) turned into line separators, gathered in blocks
// of 64 lines. The view shows, selects, copies and prints the same lines, but a document block
// per line costs some 1.5 µs: 200 ms for years of detail records, against a few here.
QString EnBlocs(const QString& texte) {
    constexpr int lignesParBloc = 64;
    QString r(texte.size(), Qt::Uninitialized);
    QChar* d = r.data();
    const QChar* s = texte.constData();
    const qsizetype n = texte.size();
    qsizetype j = 0;
    int lignes = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = s[i].unicode();
        if (c != u'\r' && c != u'\n') {
            d[j++] = s[i];
            continue;
        }
        if (c == u'\r' && i + 1 < n && s[i + 1] == u'\n')
            ++i;
        d[j++] = ++lignes % lignesParBloc == 0 ? QChar(u'\n') : QChar(QChar::LineSeparator);
    }
    r.truncate(j);
    return r;
}

QStringList Entrees(const QComboBox* liste) {
    QStringList r;
    for (int i = 0; i < liste->count(); ++i)
        r.append(liste->itemText(i));
    return r;
}

} // namespace

FenetreBilans::FenetreBilans(QWidget* parent, Controles controles)
    : FormeModale(parent, QStringLiteral("fBilans"), QStringLiteral("Bilan")),
      m_cache(std::make_shared<CacheBilans>()) {
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    FixerTaille(637, 436);
    FondBleuCiel();
    m_lectureDAvance.setMaxThreadCount(1);
    TerminerCreation(controles);
}

FenetreBilans::~FenetreBilans() {
    ++*m_lectureDemandee; // a reading ahead still going stops at its next pupil
    m_lectureDAvance.waitForDone();
}

void FenetreBilans::ConstruireControles() {

    lTitre = new QLabel(this);
    lTitre->setTextFormat(Qt::PlainText);
    lTitre->setObjectName(QStringLiteral("lTitre"));
    lTitre->setAccessibleName(titreEleve);
    lTitre->setGeometry(8, 14, 400, 44);
    lTitre->setAlignment(Qt::AlignCenter);
    QFont arial(QStringLiteral("Arial"));
    arial.setStyleHint(QFont::SansSerif);
    arial.setPixelSize(29);
    arial.setBold(true);
    lTitre->setFont(arial);
    lTitre->setStyleSheet(QStringLiteral("color: #1c3f78;"));

    cadreChoix = new QGroupBox(this);
    cadreChoix->setObjectName(QStringLiteral("Tcadre"));
    cadreChoix->setAccessibleName(QStringLiteral("Choix du groupe et de l'élève"));
    cadreChoix->setGeometry(416, 0, 213, 76);
    QFont listes(QStringLiteral("MS Sans Serif"));
    listes.setStyleHint(QFont::SansSerif);
    listes.setPixelSize(16);
    cChoixGroupe = new QComboBox(cadreChoix);
    cChoixGroupe->setObjectName(QStringLiteral("cChoixGroupe"));
    cChoixGroupe->setAccessibleName(QStringLiteral("Groupe"));
    cChoixGroupe->setToolTip(QStringLiteral("Groupe"));
    cChoixGroupe->setGeometry(8, 8, 160, 28);
    cChoixGroupe->setFont(listes);
    cChoixEleve = new QComboBox(cadreChoix);
    cChoixEleve->setObjectName(QStringLiteral("cChoixEleve"));
    cChoixEleve->setAccessibleName(QStringLiteral("Élève"));
    cChoixEleve->setToolTip(QStringLiteral("Élève"));
    cChoixEleve->setGeometry(8, 41, 197, 28);
    cChoixEleve->setFont(listes);
    Kit::NommerListe(cChoixGroupe);
    Kit::NommerListe(cChoixEleve);
    cadreChoix->hide();

    onglets = new QTabWidget(this);
    onglets->setObjectName(QStringLiteral("PageControl1"));
    onglets->setAccessibleName(QStringLiteral("Fichiers du bilan"));
    onglets->setGeometry(8, 80, 621, 304);
    onglets->setStyleSheet(QStringLiteral(
        "QTabWidget::pane { border: 1px solid #6f93c4; background: white; top: -1px; }"
        "QTabBar::tab { background: #e9f0fa; border: 1px solid #6f93c4; border-radius: 4px;"
        " padding: 4px 9px; margin: 0 3px 3px 0; color: #1c3f78; }"
        "QTabBar::tab:selected { background: white; font-weight: bold; }"
        "QTabBar::tab:hover { background: #fff7d6; }"));
    ongletExos = new QWidget;
    ongletDetail = new QWidget;
    ongletReussis = new QWidget;
    ongletMotDePasse = new QWidget;
    ongletExos->setObjectName(QStringLiteral("TabSheet1"));
    ongletDetail->setObjectName(QStringLiteral("TabSheet2"));
    ongletReussis->setObjectName(QStringLiteral("TabSheet3"));
    ongletMotDePasse->setObjectName(QStringLiteral("TabSheet4"));
    const QString titres[] = {QStringLiteral("Résultats des exercices"),
                              QStringLiteral("Bilan détaillé"), QStringLiteral("Items réussis"),
                              QStringLiteral("Mot de passe")};
    int i = 0;
    for (QWidget* onglet : {ongletExos, ongletDetail, ongletReussis, ongletMotDePasse}) {
        onglet->setAccessibleName(titres[i]);
        onglets->addTab(onglet, titres[i++]);
    }
    BilanExo = Vue(ongletExos, "BilanExo", titres[OngletExos]);
    BilanDetail = Vue(ongletDetail, "BilanDetail", titres[OngletDetail]);
    ItemReussis = Vue(ongletReussis, "ItemReussis", titres[OngletReussis]);
    MotDePasse = Vue(ongletMotDePasse, "MotDePasse", titres[OngletMotDePasse]);
    MotDePasse->setToolTip(aideMotDePasse);
    // Only the first opening starts on "Items réussis"; later ones keep the last tab shown.
    onglets->setCurrentIndex(OngletReussis);

    // ---- Progress and class view
    ongletProgres = new QWidget;
    ongletProgres->setObjectName(QStringLiteral("TabProgres"));
    ongletProgres->setAccessibleName(QStringLiteral("Progrès"));
    onglets->addTab(ongletProgres, QStringLiteral("Progrès"));
    Progres = new VueProgres(ongletProgres, m_cache);
    auto* disposition = new QVBoxLayout(ongletProgres);
    disposition->setContentsMargins(2, 2, 2, 2);
    disposition->addWidget(Progres);
    bClasse = new QPushButton(cadreChoix);
    bClasse->setObjectName(QStringLiteral("bClasse"));
    bClasse->setAccessibleName(QStringLiteral("Suivi de la classe"));
    Kit::Bulle(bClasse, QStringLiteral("Suivi de la classe : les résultats de chaque élève, les "
                                       "mots que la classe rate, l'export pour un tableur"));
    bClasse->setIcon(QIcon(QStringLiteral(":/art/classe.png")));
    bClasse->setIconSize(QSize(24, 24));
    bClasse->setGeometry(172, 7, 33, 30);
    bClasse->setAutoDefault(false);
    bClasse->setFocusPolicy(Qt::TabFocus);
    Kit::ActiverAuClavier(bClasse);
    connect(bClasse, &QPushButton::clicked, this, &FenetreBilans::bClasseClick);
    // ----

    tamponImpression = new QTextEdit(this);
    tamponImpression->setObjectName(QStringLiteral("Tampon"));
    tamponImpression->setAccessibleName(QStringLiteral("Texte à imprimer"));
    tamponImpression->setFont(PoliceVues());
    tamponImpression->setUndoRedoEnabled(false);
    tamponImpression->hide();

    auto* bas = new QWidget(this);
    bas->setObjectName(QStringLiteral("RangeeBoutons"));
    bas->setGeometry(8, 392, 621, 40);
    auto* rangee = new QHBoxLayout(bas);
    rangee->setContentsMargins(0, 0, 0, 0);
    rangee->setSpacing(3);
    bSupprimer = Bouton(bas, rangee, "bSupprimer", {}, QStringLiteral(":/art/supprimer.png"),
                        QStringLiteral("Supprimer un élève"), QStringLiteral("Supprimer un élève"));
    bGererGroupes = Bouton(bas, rangee, "bGererGroupes", QStringLiteral("Gérer les groupes"), {},
                           QStringLiteral("Ouvrir l'explorateur pour ajouter ou supprimer des "
                                          "groupes ou des élèves."),
                           QStringLiteral("Gérer les groupes"));
    bConfigurer = Bouton(bas, rangee, "bConfigurer", QStringLiteral("Configurer"), {},
                         QStringLiteral("Modifier le fichier de configuration plumelune.ini"),
                         QStringLiteral("Configurer"));
    bMagneto = Bouton(bas, rangee, "bMagneto", {}, QStringLiteral(":/art/magneto.png"),
                      QStringLiteral("Enregistrer un son"), QStringLiteral("Enregistrer un son"));
    bImprime = Bouton(bas, rangee, "bImprime", {}, QStringLiteral(":/art/imprimer.png"),
                      QStringLiteral("Pour n'imprimer qu'une partie du bilan, sélectionner la "
                                     "zone de texte souhaitée."),
                      QStringLiteral("Imprimer"));
    bModifier = Bouton(bas, rangee, "bModifier", QStringLiteral("Modifier"), {},
                       QStringLiteral("Modifier le fichier"), QStringLiteral("Modifier"));
    bRafraichir = Bouton(bas, rangee, "bRafraichir", {}, QStringLiteral(":/art/rafraichir.png"),
                         QStringLiteral("Actualiser les fichiers modifiés"),
                         QStringLiteral("Actualiser les fichiers modifiés"));
    bBanque = Bouton(bas, rangee, "bBanque", {}, QStringLiteral(":/art/banque.png"),
                     QStringLiteral("Banque d'exercices - ") + AdresseBanque(),
                     QStringLiteral("Banque d'exercices"));
    rangee->addStretch(1);
    bAide = Bouton(bas, rangee, "bAide", {}, QStringLiteral(":/art/aide.png"),
                   QStringLiteral("Aide"), QStringLiteral("Aide"));
    bApropos = Bouton(bas, rangee, "bApropos", {}, QStringLiteral(":/art/apropos.png"),
                      QStringLiteral("A propos..."), QStringLiteral("A propos"));
    bQuitterBilan = Bouton(bas, rangee, "bQuitterBilan", QStringLiteral("Quitter"), {},
                           QStringLiteral("Quitter"), QStringLiteral("Quitter"));

    // Above the tabs, beside the title: the bottom row is full.
    bStudio = Kit::Bouton(this, "bStudio", QStringLiteral("Créer ou modifier un exercice"), {});
    bStudio->setAccessibleName(bStudio->text());
    Kit::Bulle(bStudio, QStringLiteral("Ouvrir le studio : taper les mots, les enregistrer, et "
                                       "le programme écrit le dossier d'exercice."));
    bStudio->setAutoDefault(false);
    bStudio->setFocusPolicy(Qt::TabFocus);
    Kit::ActiverAuClavier(bStudio);
    bStudio->setGeometry(8, 55, 230, 22);
    bStudio->hide();
    connect(bStudio, &QPushButton::clicked, this, &FenetreBilans::bStudioClick);

    // The pupils' letters and colours, for this run: the ini's POLICE and CONTRASTE keys keep
    // them for every start.
    bLecture = Kit::Bouton(this, "bLecture", QStringLiteral("Lettres et couleurs"), {});
    bLecture->setAccessibleName(bLecture->text());
    Kit::Bulle(bLecture, QStringLiteral("Les lettres et les couleurs que lisent les élèves, "
                                        "jusqu'à la fermeture du programme (pour chaque "
                                        "démarrage : clés POLICE et CONTRASTE du fichier "
                                        "plumelune.ini)."));
    bLecture->setAutoDefault(false);
    bLecture->setFocusPolicy(Qt::TabFocus);
    bLecture->setGeometry(244, 55, 164, 22);
    bLecture->hide();
    auto* menu = new QMenu(bLecture);
    menu->setObjectName(QStringLiteral("MenuLecture"));
    auto* polices = new QActionGroup(menu);
    const std::pair<PoliceLecture, QString> choix[] = {
        {PoliceLecture::Standard, QStringLiteral("Lettres habituelles")},
        {PoliceLecture::Ecole, QStringLiteral("Lettres d'école (Andika)")},
        {PoliceLecture::Dys, QStringLiteral("Lettres pour lecteurs dys (OpenDyslexic)")}};
    for (const auto& [police, texte] : choix) {
        QAction* a = menu->addAction(texte);
        a->setCheckable(true);
        a->setData(int(police));
        polices->addAction(a);
        connect(a, &QAction::triggered, this, [this, police] {
            ReglagesLecture l = Etat.Lecture();
            l.Police = police;
            ChoisirLecture(l);
        });
    }
    menu->addSeparator();
    QAction* contraste = menu->addAction(QStringLiteral("Contraste fort (noir sur blanc)"));
    contraste->setCheckable(true);
    connect(contraste, &QAction::triggered, this, [this](bool fort) {
        ReglagesLecture l = Etat.Lecture();
        l.Contraste = fort ? ContrasteLecture::Fort : ContrasteLecture::Normal;
        ChoisirLecture(l);
    });
    // Ticked as the run's setting now is, each time the menu opens.
    connect(menu, &QMenu::aboutToShow, this, [menu, contraste] {
        const ReglagesLecture l = Etat.Lecture();
        for (QAction* a : menu->actions())
            if (a->isCheckable() && a != contraste)
                a->setChecked(a->data().toInt() == int(l.Police));
        contraste->setChecked(l.Contraste == ContrasteLecture::Fort);
    });
    bLecture->setMenu(menu);

    // Tab in reading order: the lists at the top, the tabs and the file shown (the tab widget
    // keeps its own order inside), the buttons.
    QWidget* const ordre[] = {cChoixGroupe, bClasse,      cChoixEleve,   bStudio,     bLecture,
                              onglets,      bSupprimer,   bGererGroupes, bConfigurer, bMagneto,
                              bImprime,     bModifier,    bRafraichir,   bBanque,     bAide,
                              bApropos,     bQuitterBilan};
    for (size_t n = 1; n < std::size(ordre); ++n)
        setTabOrder(ordre[n - 1], ordre[n]);

    connect(cChoixGroupe, &QComboBox::activated, this, &FenetreBilans::cChoixGroupeChange);
    connect(cChoixEleve, &QComboBox::activated, this, &FenetreBilans::cChoixEleveChange);
    connect(bRafraichir, &QPushButton::clicked, this, &FenetreBilans::bRafraichirClick);
    connect(bQuitterBilan, &QPushButton::clicked, this, &FenetreBilans::bQuitterBilanClick);
    connect(bImprime, &QPushButton::clicked, this, &FenetreBilans::bImprimeClick);
    connect(bModifier, &QPushButton::clicked, this, &FenetreBilans::bModifierClick);
    connect(bConfigurer, &QPushButton::clicked, this, &FenetreBilans::bConfigurerClick);
    connect(bSupprimer, &QPushButton::clicked, this, &FenetreBilans::bSupprimerClick);
    connect(bGererGroupes, &QPushButton::clicked, this, &FenetreBilans::bGererGroupesClick);
    connect(bMagneto, &QPushButton::clicked, this, &FenetreBilans::bMagnetoClick);
    connect(bAide, &QPushButton::clicked, this, &FenetreBilans::bAideClick);
    connect(bApropos, &QPushButton::clicked, this, &FenetreBilans::bAproposClick);
    connect(bBanque, &QPushButton::clicked, this, &FenetreBilans::bBanqueClick);
    connect(BilanExo, &QWidget::customContextMenuRequested, this,
            &FenetreBilans::BilanExoContextPopup);
    connect(BilanDetail, &QWidget::customContextMenuRequested, this,
            &FenetreBilans::BilanDetailContextPopup);
    connect(ItemReussis, &QWidget::customContextMenuRequested, this,
            &FenetreBilans::ItemReussisContextPopup);
    connect(MotDePasse, &QWidget::customContextMenuRequested, this,
            &FenetreBilans::MotDePasseContextPopup);
}

void FenetreBilans::ChoisirLecture(const ReglagesLecture& lecture) {
    Etat.LectureDeLaSeance = lecture;
    DireSiPoliceAbsente();
}

void FenetreBilans::DireSiPoliceAbsente() {
    static AvisPoliceAbsente avis;
    const PoliceLecture police = Etat.Lecture().Police;
    if (police == PoliceLecture::Standard)
        return; // nothing to look for
    const QString message = avis.ADire(police, PoliceDisponible(MiseEnPagePour(police).Famille));
    if (!message.isEmpty())
        Services::Messages().Information(message);
}

QString FenetreBilans::AdresseBanque() {
    return Etat.DossierProgramme + QStringLiteral("aide/banque.htm");
}

// ---------------------------------------------------------------------------------------------
// Opening, lists and views

void FenetreBilans::FormActivate() {
    // High contrast: the title and tabs on white, where their blues read at 7:1 or more.
    Lecture::FondDeFenetre(this);
    AppliquerMode();
    if (!Etat.ModeEnseignant) {
        setWindowTitle(QStringLiteral("Bilans de ") + Etat.NomEleve);
        setAccessibleName(QString()); // the caption says it
        ChargerBilanEleve(Etat.NomEleve);
        // A pupil starts on his progress, never on his password.
        onglets->setCurrentWidget(ongletProgres);
        return;
    }
    DireSiPoliceAbsente(); // the ini's setting, read before
    RemplirListeGroupesBilan();
    // Group and pupil as the start form chose them.
    Selectionner(cChoixGroupe,
                 GroupeAPreselectionner(Entrees(cChoixGroupe), Etat.Choix.NomGroupe()));
    cChoixGroupeChange();
    Selectionner(cChoixEleve,
                 EleveAPreselectionner(Entrees(cChoixEleve), Etat.Choix.Eleve.NomEleve()));
    cChoixEleveChange();
}

void FenetreBilans::AppliquerMode() {
    const bool enseignant = Etat.ModeEnseignant;
    bImprime->setVisible(enseignant || Etat.ImpressionAutorisee);
    bMagneto->setVisible(enseignant || Etat.EnregistrementSon);
    lTitre->setText(enseignant ? titreEnseignant : titreEleve);
    lTitre->setAccessibleName(lTitre->text()); // what a screen reader says is what is shown
    cadreChoix->setVisible(enseignant);
    cChoixGroupe->setVisible(enseignant);
    cChoixEleve->setVisible(enseignant);
    for (QPushButton* b : {bConfigurer, bModifier, bAide, bGererGroupes, bSupprimer, bRafraichir,
                           bBanque, bStudio, bLecture})
        b->setVisible(enseignant);
    BilanExo->setToolTip(enseignant ? aideBilan : QString());
    BilanDetail->setToolTip(enseignant ? aideBilan : QString());
    ItemReussis->setToolTip(enseignant ? aideReussis : QString());
    bBanque->setToolTip(QStringLiteral("Banque d'exercices - ") + AdresseBanque());
    Progres->DefinirModeEleve(!enseignant);
}

void FenetreBilans::RemplirListeGroupesBilan() {
    const QSignalBlocker silence(cChoixGroupe);
    cChoixGroupe->clear();
    const QStringList groupes = ListerGroupes(Etat.CheminBilans);
    SignalerNomsNonUtf8(Etat.CheminBilans);
    cChoixGroupe->addItems(groupes);
    if (!Etat.Choix.NomGroupe().isEmpty())
        cChoixGroupe->setCurrentIndex(int(IndexDansListe(groupes, Etat.Choix.NomGroupe())));
    else
        cChoixGroupe->setCurrentIndex(groupes.isEmpty() ? -1 : 0);
}

void FenetreBilans::RemplirListeElevesBilan() {
    const QSignalBlocker silence(cChoixEleve);
    cChoixEleve->clear();
    const QStringList eleves = ListerEleves(Etat.DossierGroupe).Eleves;
    SignalerNomsNonUtf8(Etat.DossierGroupe);
    cChoixEleve->addItems(eleves);
    cChoixEleve->setCurrentIndex(eleves.isEmpty() ? -1 : 0);
}

void FenetreBilans::cChoixGroupeChange() {
    Etat.DossierGroupe = DossierDuGroupe(Etat.CheminBilans, cChoixGroupe->currentText());
    RemplirListeElevesBilan();
    LireClasseDAvance();
    cChoixEleveChange();
}

void FenetreBilans::cChoixEleveChange() {
    const QString eleve = cChoixEleve->currentText();
    setWindowTitle(eleve);
    // Before a pupil is chosen the caption is empty: a screen reader still names the window.
    setAccessibleName(eleve.isEmpty() ? QStringLiteral("Module enseignant") : QString());
    ChargerBilanEleve(eleve);
}

void FenetreBilans::ChargerBilanEleve(const QString& eleve) {
    const QString base = Etat.DossierGroupe + eleve;
    ChargerVue(BilanDetail, base + QLatin1String(SuffixeDetail));
    ChargerVue(ItemReussis, base + QLatin1String(SuffixeHistorique));
    ColorerItemsReussis();
    ChargerVue(BilanExo, base + QLatin1String(SuffixeExos));
    ChargerVue(MotDePasse, base + QLatin1String(SuffixeMotDePasse));
    Progres->Definir(Etat.DossierGroupe, eleve, Etat.ReponsesNecessaires);
}

// A file that cannot be read empties its view rather than leave the previous pupil's record
// on screen under this pupil's name; the other views still load.
void FenetreBilans::ChargerVue(QPlainTextEdit* vue, const QString& chemin) {
    QByteArray octets;
    QString raison;
    if (!FichierExiste(chemin) || !LireFichier(chemin, octets, &raison)) {
        vue->clear();
        if (!raison.isEmpty())
            Services::Messages().Erreur(
                QStringLiteral("Impossible de lire le fichier « %1 » : %2")
                    .arg(QDir::toNativeSeparators(ResoudreChemin(chemin)), raison));
        return;
    }
    vue->setPlainText(EnBlocs(DecoderTexte(octets)));
}

void FenetreBilans::ColorerItemsReussis() {
    QTextDocument* document = ItemReussis->document();
    // The lines of the view, however they are gathered in blocks: a line separator and a block
    // end both take one position, so positions in the document are those of the lines.
    QStringList lignes;
    for (QTextBlock b = document->begin(); b.isValid(); b = b.next())
        lignes.append(b.text().split(QChar::LineSeparator));
    const QVector<PlageRouge> rouges = PlagesRouges(lignes, Etat.ReponsesNecessaires);

    QTextCursor curseur(document);
    curseur.beginEditBlock();
    QTextCharFormat noir;
    noir.setForeground(QColor(0, 0, 0));
    curseur.select(QTextCursor::Document);
    curseur.mergeCharFormat(noir);
    QTextCharFormat rouge;
    rouge.setForeground(QColor(255, 0, 0));
    for (const PlageRouge& p : rouges) {
        curseur.setPosition(int(p.Debut));
        curseur.setPosition(int(p.Debut + p.Longueur), QTextCursor::KeepAnchor);
        curseur.mergeCharFormat(rouge);
    }
    curseur.endEditBlock();
    ItemReussis->setTextCursor(QTextCursor(document));
}

void FenetreBilans::bRafraichirClick() {
    // A configuration file gone missing is reported by the loader; the form keeps the settings
    // it had instead of ending the program under the teacher's hands.
    ChargerConfiguration();
    const QString groupe = cChoixGroupe->currentText();
    const QString eleve = cChoixEleve->currentText();
    RemplirListeGroupesBilan();
    if (!groupe.isEmpty())
        Selectionner(cChoixGroupe, IndexDansListe(Entrees(cChoixGroupe), groupe));
    cChoixGroupeChange();
    if (!eleve.isEmpty())
        Selectionner(cChoixEleve, IndexDansListe(Entrees(cChoixEleve), eleve));
    cChoixEleveChange();
}

void FenetreBilans::bQuitterBilanClick() {
    close();
}

// ---------------------------------------------------------------------------------------------
// Teacher tools

void FenetreBilans::bImprimeClick() {
    if (onglets->currentWidget() == ongletProgres) {
        ImprimerProgres();
        return;
    }
    const int onglet = onglets->currentIndex();
    if (onglet < OngletExos || onglet > OngletReussis)
        return; // nothing is printed from the password tab
    const QPlainTextEdit* vues[] = {BilanExo, BilanDetail, ItemReussis};
    const QPlainTextEdit* vue = vues[onglet];
    const QString nom = Etat.ModeEnseignant ? cChoixEleve->currentText() : Etat.NomEleve;
    const QTextCursor selection = vue->textCursor();
    const QString corps =
        selection.hasSelection() ? selection.selection().toPlainText() : vue->toPlainText();
    tamponImpression->setPlainText(enteteOnglet[onglet] + nom + QStringLiteral("\n\n") + corps);
    if (!Services::Imprimante().Configurer(this))
        return;
    const QString groupe =
        Etat.ModeEnseignant ? cChoixGroupe->currentText() : Etat.Choix.NomGroupe();
    Services::Imprimante().Imprimer(
        tamponImpression->toPlainText(),
        EnTeteImpression(nom, groupe, Services::Horloge().DateCourte()));
}

namespace {
// What the desktop could not open is said, whenever it says so: the teacher would otherwise
// click on and on, waiting for a window that never comes.
void DireEchec(const QString& message) {
    Services::Messages().Erreur(message);
}
} // namespace

void FenetreBilans::OuvrirSiExiste(const QString& chemin) {
    if (FichierExiste(chemin))
        Services::Shell().Ouvrir(ResoudreChemin(chemin), DireEchec);
}

void FenetreBilans::OuvrirFichierEleve(const char* suffixe) {
    const QString eleve = cChoixEleve->currentText();
    // With nobody selected the bare suffix names no pupil's file.
    if (eleve.isEmpty())
        return;
    OuvrirSiExiste(Etat.DossierGroupe + eleve + QLatin1String(suffixe));
}

void FenetreBilans::bModifierClick() {
    const int onglet = onglets->currentIndex();
    if (onglet >= OngletExos && onglet <= OngletMotDePasse)
        OuvrirFichierEleve(suffixeOnglet[onglet]);
}

void FenetreBilans::BilanExoContextPopup() {
    if (Etat.ModeEnseignant)
        OuvrirFichierEleve(SuffixeExos);
}

void FenetreBilans::BilanDetailContextPopup() {
    if (Etat.ModeEnseignant)
        OuvrirFichierEleve(SuffixeDetail);
}

void FenetreBilans::ItemReussisContextPopup() {
    if (Etat.ModeEnseignant)
        OuvrirFichierEleve(SuffixeHistorique);
}

void FenetreBilans::MotDePasseContextPopup() {
    if (Etat.ModeEnseignant) {
        OuvrirFichierEleve(SuffixeMotDePasse);
        return;
    }
    // A pupil reaches only his own password file.
    if (!Etat.NomEleve.isEmpty())
        OuvrirSiExiste(Etat.DossierGroupe + Etat.NomEleve + QLatin1String(SuffixeMotDePasse));
}

void FenetreBilans::bConfigurerClick() {
    OuvrirSiExiste(Etat.DossierProgramme + QStringLiteral("plumelune.ini"));
}

void FenetreBilans::bSupprimerClick() {
    const QString eleve = cChoixEleve->currentText();
    if (!Services::Messages().Confirmation(
            QStringLiteral("Voulez-vous vraiment supprimer l'élève ") + eleve +
            QStringLiteral(" de ce groupe ?")))
        return;
    SupprimerEleve(Etat.DossierGroupe, eleve);
    RemplirListeElevesBilan();
    cChoixEleveChange();
}

void FenetreBilans::bGererGroupesClick() {
    Services::Shell().Ouvrir(Etat.CheminBilans, DireEchec);
}

void FenetreBilans::bMagnetoClick() {
    const ChoixEnregistreur choix = ChoisirEnregistreur(Etat.CheminLogSon, Etat.DossierProgramme);
    switch (choix.Sorte) {
    case ChoixEnregistreur::Programme:
        Services::Shell().Lancer(choix.Cible, DireEchec);
        break;
    case ChoixEnregistreur::Document:
        Services::Shell().Ouvrir(choix.Cible, DireEchec);
        break;
    case ChoixEnregistreur::Aucun:
        Services::Messages().Message(aucunEnregistreur);
        break;
    }
}

void FenetreBilans::bAideClick() {
    OuvrirSiExiste(Etat.DossierProgramme + QStringLiteral("aide/index.htm"));
}

void FenetreBilans::bAproposClick() {
    Services::Messages().Information(apropos);
}

void FenetreBilans::bBanqueClick() {
    OuvrirSiExiste(AdresseBanque());
}

void FenetreBilans::bStudioClick() {
    if (!studio)
        studio = new FenetreStudio(this, Controles::AuPremierAffichage);
    Services::Modal().Montrer(studio);
}

// ---------------------------------------------------------------------------------------------
// Progress and class view

void FenetreBilans::ImprimerProgres() {
    if (!Services::Imprimante().Configurer(this))
        return;
    const StatistiquesEleve& e = Progres->Statistiques();
    const QString groupe =
        Etat.ModeEnseignant ? cChoixGroupe->currentText() : Etat.Choix.NomGroupe();
    Services::Imprimante().Imprimer(
        ImpressionProgres(e), EnTeteImpression(e.Eleve, groupe, Services::Horloge().DateCourte()));
}

void FenetreBilans::bClasseClick() {
    if (!fenetreClasse)
        fenetreClasse = new FenetreClasse(this, m_cache);
    fenetreClasse->Definir(Etat.DossierGroupe, cChoixGroupe->currentText(),
                           Etat.ReponsesNecessaires);
    Services::Modal().Montrer(fenetreClasse);
    const QString eleve = fenetreClasse->EleveChoisi();
    if (eleve.isEmpty())
        return;
    Selectionner(cChoixEleve, IndexDansListe(Entrees(cChoixEleve), eleve));
    cChoixEleveChange();
}

void FenetreBilans::LireClasseDAvance() {
    const int demande = ++*m_lectureDemandee;
    m_lectureDAvance.start([cache = m_cache, derniere = m_lectureDemandee, demande,
                            dossier = Etat.DossierGroupe, n = Etat.ReponsesNecessaires] {
        const auto continuer = [&] { return derniere->load() == demande; };
        if (continuer())
            CalculerClasse(*cache, dossier, n, continuer);
    });
}

void FenetreBilans::AttendreLectureDAvance() {
    m_lectureDAvance.waitForDone();
}
