#include "Bilans.h"

#include "core/Chemins.h"
#include "core/Configuration.h"
#include "core/Etat.h"
#include "core/FichierTexte.h"
#include "core/Formulaires.h"
#include "core/Services.h"
#include "records/FichiersEleve.h"
#include "setup/Unit2.h"
#include "teacher/ColorationReussis.h"
#include "teacher/Enregistreur.h"
#include "teacher/ListesBilan.h"

#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
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
    "Plumelune - Version 2.0 : logiciel de dictée offert par l'association Plumelune.\n"
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
    auto* b = new QPushButton(texte, parent);
    b->setObjectName(QString::fromLatin1(nom));
    b->setAccessibleName(accessible);
    b->setToolTip(bulle);
    b->setFocusPolicy(Qt::TabFocus);
    b->setAutoDefault(false);
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

TfBilans::TfBilans(QWidget* parent, Controles controles)
    : FormeModale(parent, QStringLiteral("fBilans"), QStringLiteral("Bilan")) {
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    FixerTaille(637, 436);
    FondBleuCiel();
    TerminerCreation(controles);
}

void TfBilans::ConstruireControles() {

    lTitre = new QLabel(this);
    lTitre->setObjectName(QStringLiteral("lTitre"));
    lTitre->setAccessibleName(QStringLiteral("Titre"));
    lTitre->setGeometry(8, 14, 400, 44);
    lTitre->setAlignment(Qt::AlignCenter);
    QFont arial(QStringLiteral("Arial"));
    arial.setStyleHint(QFont::SansSerif);
    arial.setPixelSize(29);
    arial.setBold(true);
    lTitre->setFont(arial);
    lTitre->setStyleSheet(QStringLiteral("color: #1c3f78;"));

    Tcadre = new QGroupBox(this);
    Tcadre->setObjectName(QStringLiteral("Tcadre"));
    Tcadre->setAccessibleName(QStringLiteral("Choix du groupe et de l'élève"));
    Tcadre->setGeometry(416, 0, 213, 76);
    QFont listes(QStringLiteral("MS Sans Serif"));
    listes.setStyleHint(QFont::SansSerif);
    listes.setPixelSize(16);
    cChoixGroupe = new QComboBox(Tcadre);
    cChoixGroupe->setObjectName(QStringLiteral("cChoixGroupe"));
    cChoixGroupe->setAccessibleName(QStringLiteral("Groupe"));
    cChoixGroupe->setToolTip(QStringLiteral("Groupe"));
    cChoixGroupe->setGeometry(8, 8, 197, 28);
    cChoixGroupe->setFont(listes);
    cChoixEleve = new QComboBox(Tcadre);
    cChoixEleve->setObjectName(QStringLiteral("cChoixEleve"));
    cChoixEleve->setAccessibleName(QStringLiteral("Élève"));
    cChoixEleve->setToolTip(QStringLiteral("Élève"));
    cChoixEleve->setGeometry(8, 41, 197, 28);
    cChoixEleve->setFont(listes);
    Tcadre->hide();

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setAccessibleName(QStringLiteral("Fichiers du bilan"));
    PageControl1->setGeometry(8, 80, 621, 304);
    PageControl1->setStyleSheet(QStringLiteral(
        "QTabWidget::pane { border: 1px solid #6f93c4; background: white; top: -1px; }"
        "QTabBar::tab { background: #e9f0fa; border: 1px solid #6f93c4; border-radius: 4px;"
        " padding: 4px 9px; margin: 0 3px 3px 0; color: #1c3f78; }"
        "QTabBar::tab:selected { background: white; font-weight: bold; }"
        "QTabBar::tab:hover { background: #fff7d6; }"));
    TabSheet1 = new QWidget;
    TabSheet2 = new QWidget;
    TabSheet3 = new QWidget;
    TabSheet4 = new QWidget;
    TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
    TabSheet2->setObjectName(QStringLiteral("TabSheet2"));
    TabSheet3->setObjectName(QStringLiteral("TabSheet3"));
    TabSheet4->setObjectName(QStringLiteral("TabSheet4"));
    const QString onglets[] = {QStringLiteral("Résultats des exercices"),
                               QStringLiteral("Bilan détaillé"), QStringLiteral("Items réussis"),
                               QStringLiteral("Mot de passe")};
    int i = 0;
    for (QWidget* onglet : {TabSheet1, TabSheet2, TabSheet3, TabSheet4}) {
        onglet->setAccessibleName(onglets[i]);
        PageControl1->addTab(onglet, onglets[i++]);
    }
    BilanExo = Vue(TabSheet1, "BilanExo", onglets[OngletExos]);
    BilanDetail = Vue(TabSheet2, "BilanDetail", onglets[OngletDetail]);
    ItemReussis = Vue(TabSheet3, "ItemReussis", onglets[OngletReussis]);
    MotDePasse = Vue(TabSheet4, "MotDePasse", onglets[OngletMotDePasse]);
    MotDePasse->setToolTip(aideMotDePasse);
    // Only the first opening starts on "Items réussis"; later ones keep the last tab shown.
    PageControl1->setCurrentIndex(OngletReussis);

    Tampon = new QTextEdit(this);
    Tampon->setObjectName(QStringLiteral("Tampon"));
    Tampon->setAccessibleName(QStringLiteral("Texte à imprimer"));
    Tampon->setFont(PoliceVues());
    Tampon->setUndoRedoEnabled(false);
    Tampon->hide();

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

    connect(cChoixGroupe, &QComboBox::activated, this, &TfBilans::cChoixGroupeChange);
    connect(cChoixEleve, &QComboBox::activated, this, &TfBilans::cChoixEleveChange);
    connect(bRafraichir, &QPushButton::clicked, this, &TfBilans::bRafraichirClick);
    connect(bQuitterBilan, &QPushButton::clicked, this, &TfBilans::bQuitterBilanClick);
    connect(bImprime, &QPushButton::clicked, this, &TfBilans::bImprimeClick);
    connect(bModifier, &QPushButton::clicked, this, &TfBilans::bModifierClick);
    connect(bConfigurer, &QPushButton::clicked, this, &TfBilans::bConfigurerClick);
    connect(bSupprimer, &QPushButton::clicked, this, &TfBilans::bSupprimerClick);
    connect(bGererGroupes, &QPushButton::clicked, this, &TfBilans::bGererGroupesClick);
    connect(bMagneto, &QPushButton::clicked, this, &TfBilans::bMagnetoClick);
    connect(bAide, &QPushButton::clicked, this, &TfBilans::bAideClick);
    connect(bApropos, &QPushButton::clicked, this, &TfBilans::bAproposClick);
    connect(bBanque, &QPushButton::clicked, this, &TfBilans::bBanqueClick);
    connect(BilanExo, &QWidget::customContextMenuRequested, this, &TfBilans::BilanExoContextPopup);
    connect(BilanDetail, &QWidget::customContextMenuRequested, this,
            &TfBilans::BilanDetailContextPopup);
    connect(ItemReussis, &QWidget::customContextMenuRequested, this,
            &TfBilans::ItemReussisContextPopup);
    connect(MotDePasse, &QWidget::customContextMenuRequested, this,
            &TfBilans::MotDePasseContextPopup);
}

QString TfBilans::AdresseBanque() {
    return Etat.DossierProgramme + QStringLiteral("aide/banque.htm");
}

// ---------------------------------------------------------------------------------------------
// Opening, lists and views

void TfBilans::FormActivate() {
    AppliquerMode();
    if (!Etat.ModeEnseignant) {
        setWindowTitle(QStringLiteral("Bilans de ") + Etat.NomEleve);
        ChargerBilanEleve(Etat.NomEleve);
        return;
    }
    RemplirListeGroupesBilan();
    // Group and pupil as the start form shows them.
    if (Form2 && Form2->cChoixGroupe)
        Selectionner(cChoixGroupe, GroupeAPreselectionner(Entrees(cChoixGroupe),
                                                          Form2->cChoixGroupe->currentText()));
    cChoixGroupeChange();
    if (Form2 && Form2->cChoixUtilisateur)
        Selectionner(cChoixEleve, EleveAPreselectionner(Entrees(cChoixEleve),
                                                        Form2->cChoixUtilisateur->currentText()));
    cChoixEleveChange();
}

void TfBilans::AppliquerMode() {
    const bool enseignant = Etat.ModeEnseignant;
    bImprime->setVisible(enseignant || Etat.ImpressionAutorisee);
    bMagneto->setVisible(enseignant || Etat.EnregistrementSon);
    lTitre->setText(enseignant ? titreEnseignant : titreEleve);
    Tcadre->setVisible(enseignant);
    cChoixGroupe->setVisible(enseignant);
    cChoixEleve->setVisible(enseignant);
    for (QPushButton* b :
         {bConfigurer, bModifier, bAide, bGererGroupes, bSupprimer, bRafraichir, bBanque})
        b->setVisible(enseignant);
    BilanExo->setToolTip(enseignant ? aideBilan : QString());
    BilanDetail->setToolTip(enseignant ? aideBilan : QString());
    ItemReussis->setToolTip(enseignant ? aideReussis : QString());
    bBanque->setToolTip(QStringLiteral("Banque d'exercices - ") + AdresseBanque());
}

void TfBilans::RemplirListeGroupesBilan() {
    const QSignalBlocker silence(cChoixGroupe);
    cChoixGroupe->clear();
    const QStringList groupes = ListerGroupes(Etat.CheminBilans);
    cChoixGroupe->addItems(groupes);
    if (!Etat.NomGroupe.isEmpty())
        cChoixGroupe->setCurrentIndex(int(IndexDansListe(groupes, Etat.NomGroupe)));
    else
        cChoixGroupe->setCurrentIndex(groupes.isEmpty() ? -1 : 0);
}

void TfBilans::RemplirListeElevesBilan() {
    const QSignalBlocker silence(cChoixEleve);
    cChoixEleve->clear();
    const QStringList eleves = ListerEleves(Etat.DossierGroupe).Eleves;
    cChoixEleve->addItems(eleves);
    cChoixEleve->setCurrentIndex(eleves.isEmpty() ? -1 : 0);
}

void TfBilans::cChoixGroupeChange() {
    Etat.DossierGroupe = DossierDuGroupe(Etat.CheminBilans, cChoixGroupe->currentText());
    RemplirListeElevesBilan();
    cChoixEleveChange();
}

void TfBilans::cChoixEleveChange() {
    const QString eleve = cChoixEleve->currentText();
    setWindowTitle(eleve);
    ChargerBilanEleve(eleve);
}

void TfBilans::ChargerBilanEleve(const QString& eleve) {
    const QString base = Etat.DossierGroupe + eleve;
    ChargerVue(BilanDetail, base + QLatin1String(SuffixeDetail));
    ChargerVue(ItemReussis, base + QLatin1String(SuffixeHistorique));
    ColorerItemsReussis();
    ChargerVue(BilanExo, base + QLatin1String(SuffixeExos));
    ChargerVue(MotDePasse, base + QLatin1String(SuffixeMotDePasse));
}

// A file that cannot be read empties its view rather than leave the previous pupil's record
// on screen under this pupil's name; the other views still load.
void TfBilans::ChargerVue(QPlainTextEdit* vue, const QString& chemin) {
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

void TfBilans::ColorerItemsReussis() {
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

void TfBilans::bRafraichirClick() {
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

void TfBilans::bQuitterBilanClick() {
    close();
}

// ---------------------------------------------------------------------------------------------
// Teacher tools

void TfBilans::bImprimeClick() {
    const int onglet = PageControl1->currentIndex();
    if (onglet < OngletExos || onglet > OngletReussis)
        return; // nothing is printed from the password tab
    const QPlainTextEdit* vues[] = {BilanExo, BilanDetail, ItemReussis};
    const QPlainTextEdit* vue = vues[onglet];
    const QString nom = Etat.ModeEnseignant ? cChoixEleve->currentText()
                        : Form2 && Form2->cChoixUtilisateur
                            ? Form2->cChoixUtilisateur->currentText()
                            : Etat.NomEleve;
    const QTextCursor selection = vue->textCursor();
    const QString corps =
        selection.hasSelection() ? selection.selection().toPlainText() : vue->toPlainText();
    Tampon->setPlainText(enteteOnglet[onglet] + nom + QStringLiteral("\n\n") + corps);
    if (!Services::Imprimante().Configurer(this))
        return;
    Services::Imprimante().Imprimer(Tampon->toPlainText());
}

void TfBilans::OuvrirSiExiste(const QString& chemin) {
    if (FichierExiste(chemin))
        Services::Shell().Ouvrir(ResoudreChemin(chemin));
}

void TfBilans::OuvrirFichierEleve(const char* suffixe) {
    const QString eleve = cChoixEleve->currentText();
    // With nobody selected the bare suffix names no pupil's file.
    if (eleve.isEmpty())
        return;
    OuvrirSiExiste(Etat.DossierGroupe + eleve + QLatin1String(suffixe));
}

void TfBilans::bModifierClick() {
    const int onglet = PageControl1->currentIndex();
    if (onglet >= OngletExos && onglet <= OngletMotDePasse)
        OuvrirFichierEleve(suffixeOnglet[onglet]);
}

void TfBilans::BilanExoContextPopup() {
    if (Etat.ModeEnseignant)
        OuvrirFichierEleve(SuffixeExos);
}

void TfBilans::BilanDetailContextPopup() {
    if (Etat.ModeEnseignant)
        OuvrirFichierEleve(SuffixeDetail);
}

void TfBilans::ItemReussisContextPopup() {
    if (Etat.ModeEnseignant)
        OuvrirFichierEleve(SuffixeHistorique);
}

void TfBilans::MotDePasseContextPopup() {
    if (Etat.ModeEnseignant) {
        OuvrirFichierEleve(SuffixeMotDePasse);
        return;
    }
    // A pupil reaches only his own password file.
    if (!Etat.NomEleve.isEmpty())
        OuvrirSiExiste(Etat.DossierGroupe + Etat.NomEleve + QLatin1String(SuffixeMotDePasse));
}

void TfBilans::bConfigurerClick() {
    OuvrirSiExiste(Etat.DossierProgramme + QStringLiteral("plumelune.ini"));
}

void TfBilans::bSupprimerClick() {
    const QString eleve = cChoixEleve->currentText();
    if (!Services::Messages().Confirmation(
            QStringLiteral("Voulez-vous vraiment supprimer l'élève ") + eleve +
            QStringLiteral(" de ce groupe ?")))
        return;
    SupprimerEleve(Etat.DossierGroupe, eleve);
    RemplirListeElevesBilan();
    cChoixEleveChange();
}

void TfBilans::bGererGroupesClick() {
    Services::Shell().Ouvrir(Etat.CheminBilans);
}

void TfBilans::bMagnetoClick() {
    const ChoixEnregistreur choix = ChoisirEnregistreur(Etat.CheminLogSon, Etat.DossierProgramme);
    switch (choix.Sorte) {
    case ChoixEnregistreur::Programme:
        Services::Shell().Lancer(choix.Cible);
        break;
    case ChoixEnregistreur::Document:
        Services::Shell().Ouvrir(choix.Cible);
        break;
    case ChoixEnregistreur::Aucun:
        Services::Messages().Message(aucunEnregistreur);
        break;
    }
}

void TfBilans::bAideClick() {
    OuvrirSiExiste(Etat.DossierProgramme + QStringLiteral("aide/index.htm"));
}

void TfBilans::bAproposClick() {
    Services::Messages().Information(apropos);
}

void TfBilans::bBanqueClick() {
    OuvrirSiExiste(AdresseBanque());
}
