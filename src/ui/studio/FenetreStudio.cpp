#include "ui/studio/FenetreStudio.h"

#include "core/Chemins.h"
#include "core/Etat.h"
#include "core/Services.h"
#include "core/Texte.h"
#include "core/setup/ListesDepart.h"
#include "core/studio/DossiersExercices.h"
#include "core/studio/LotSynthese.h"
#include "core/studio/NommageItem.h"
#include "core/studio/PartageDossier.h"
#include "core/studio/TraitementSon.h"
#include "ui/kit/Kit.h"
#include "ui/platform/ImagesQt.h"
#include "ui/studio/FenetreEssai.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

namespace {

// The window's texts, in one place.
const QString titreFenetre = QStringLiteral("Créer ou modifier un exercice");
const QString racineArbre = QStringLiteral("Tous les exercices");
const QString aucunDossier = QStringLiteral("Choisissez un dossier à gauche, ou créez-en un.");
const QString dossierAvecSousDossiers =
    QStringLiteral("Ce dossier contient d'autres dossiers : les élèves ne pourront pas lancer "
                   "ses items. Mettez les items dans un dossier sans sous-dossier.");
const QString sansSon = QStringLiteral("Pas encore de son");
const QString sonIllisible = QStringLiteral("Son illisible");
const QString micOuverture = QStringLiteral("Ouverture du micro…");
const QString micEnCours = QStringLiteral("Enregistrement : parlez, puis cliquez sur « Arrêter ».");
const QString silence = QStringLiteral(
    "Aucune voix n'a été entendue : l'enregistrement est silencieux. Vérifiez le micro et "
    "recommencez.");
const QString filtreSons =
    QStringLiteral("Sons (*.wav *.WAV *.flac *.FLAC *.ogg *.OGG *.oga *.aif *.aiff *.AIF *.AIFF);;"
                   "Tous les fichiers (*)");
const QString filtreImages = QStringLiteral("Images (*.jpg *.jpeg *.JPG *.JPEG *.png *.PNG *.bmp "
                                            "*.BMP *.gif *.GIF);;Tous les fichiers (*)");
const QString filtreZip = QStringLiteral("Archives zip (*.zip *.ZIP)");
// The size the window opens at when the screen has room. Its contents need much less: at the
// automatic scale a screen holds barely more than the exercise window (628 x 429 design
// pixels), and the whole studio must show there at once, without scrolling.
constexpr QSize TailleVoulue(940, 620);

QString Duree(double secondes) {
    return QLocale(QLocale::French).toString(secondes, 'f', 1) + QStringLiteral(" s");
}

QString TexteSon(const ItemStudio& item) {
    switch (item.Son) {
    case EtatSon::Absent:
        return sansSon;
    case EtatSon::Illisible:
        return sonIllisible;
    case EtatSon::Present:
        break;
    }
    return Duree(item.Duree);
}

// A label whose text changes: screen readers read the new one.
void Ecrire(QLabel* l, const QString& texte) {
    l->setText(texte);
    l->setAccessibleName(texte);
}

QPushButton* Bouton(QWidget* parent, const char* nom, const QString& texte,
                    const QString& bulle = {}) {
    QPushButton* b = Kit::Bouton(parent, nom, texte, {});
    b->setAccessibleName(texte);
    if (!bulle.isEmpty())
        Kit::Bulle(b, bulle);
    b->setAutoDefault(false);
    return b;
}

QLabel* Titre(QWidget* parent, const char* nom, const QString& texte) {
    QLabel* l = Kit::Etiquette(parent, nom, texte, {});
    l->setStyleSheet(Kit::StyleTitre);
    return l;
}

} // namespace

FenetreStudio::FenetreStudio(QWidget* parent, Controles controles)
    : FormeModale(parent, QStringLiteral("fStudio"), titreFenetre) {
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    Kit::TailleDansLEcran(this, TailleVoulue);
    FondBleuCiel();
    TerminerCreation(controles);
}

FenetreStudio::~FenetreStudio() = default;

void FenetreStudio::ConstruireControles() {
    // Inside a scroll area: at a large scale on a small screen, the window is smaller than its
    // design and the lower controls stay reachable.
    auto* cadre = new QVBoxLayout(this);
    cadre->setContentsMargins(0, 0, 0, 0);
    auto* defilement = new QScrollArea(this);
    defilement->setObjectName(QStringLiteral("DefilementStudio"));
    defilement->setFrameShape(QFrame::NoFrame);
    defilement->setWidgetResizable(true);
    defilement->setFocusPolicy(Qt::NoFocus);
    auto* contenu = new QWidget(defilement);
    contenu->setObjectName(QStringLiteral("ContenuStudio"));
    defilement->setWidget(contenu);
    defilement->viewport()->setAutoFillBackground(false);
    contenu->setAutoFillBackground(false);
    cadre->addWidget(defilement);
    auto* principal = new QVBoxLayout(contenu);
    principal->setContentsMargins(6, 6, 6, 6);
    principal->setSpacing(6);
    QLabel* titre = Kit::Etiquette(this, "lTitreStudio", titreFenetre, {});
    Kit::Police(titre, 20, true);
    titre->setStyleSheet(QStringLiteral("color: #1c3f78;"));
    principal->addWidget(titre);

    auto* milieu = new QHBoxLayout;
    principal->addLayout(milieu, 1);

    // Folders, on the left.
    auto* gauche = new QVBoxLayout;
    milieu->addLayout(gauche, 0);
    QLabel* lDossiers = Titre(this, "lDossiers", QStringLiteral("Dossiers d'exercices"));
    // On two lines rather than widening the column past its buttons.
    lDossiers->setWordWrap(true);
    gauche->addWidget(lDossiers);
    arbreDossiers = new QTreeWidget(this);
    arbreDossiers->setObjectName(QStringLiteral("arbreDossiers"));
    arbreDossiers->setAccessibleName(QStringLiteral("Dossiers d'exercices"));
    arbreDossiers->setHeaderHidden(true);
    // As narrow as the buttons under it: the items need the width. Its height is what the
    // buttons leave: a list's usual height hint would make the window ask to scroll.
    arbreDossiers->setMinimumSize(120, 64);
    arbreDossiers->setMaximumWidth(260);
    arbreDossiers->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
    gauche->addWidget(arbreDossiers, 1);
    eNomDossier = new QLineEdit(this);
    eNomDossier->setObjectName(QStringLiteral("eNomDossier"));
    eNomDossier->setAccessibleName(QStringLiteral("Nom du nouveau dossier"));
    eNomDossier->setAccessibleDescription(
        QStringLiteral("Nom du dossier à créer, ou nouveau nom du dossier choisi"));
    eNomDossier->setPlaceholderText(QStringLiteral("Nom du dossier"));
    gauche->addWidget(eNomDossier);
    bCreerDossier = Bouton(this, "bCreerDossier", QStringLiteral("Créer le dossier"),
                           QStringLiteral("Crée le dossier dans le dossier choisi au-dessus."));
    gauche->addWidget(bCreerDossier);
    // Created after the field and "Créer le dossier": the tab order follows.
    bRenommerDossier =
        Bouton(this, "bRenommerDossier", QStringLiteral("Renommer le dossier"),
               QStringLiteral("Donne au dossier choisi le nom écrit au-dessus (sans nom écrit, "
                              "son nom actuel y est mis pour le modifier)."));
    gauche->addWidget(bRenommerDossier);
    bSupprimerDossier =
        Bouton(this, "bSupprimerDossier", QStringLiteral("Supprimer le dossier"),
               QStringLiteral("Met le dossier choisi et tout ce qu'il contient à la corbeille."));
    gauche->addWidget(bSupprimerDossier);
    bImporter = Bouton(this, "bImporter", QStringLiteral("Importer"),
                       QStringLiteral("Ajoute un dossier reçu d'un collègue (fichier .zip)."));
    gauche->addWidget(bImporter);

    // Items, on the right.
    auto* droite = new QVBoxLayout;
    milieu->addLayout(droite, 1);
    auto* rangeeDossier = new QHBoxLayout;
    droite->addLayout(rangeeDossier);
    lDossier = Titre(this, "lDossier", aucunDossier);
    rangeeDossier->addWidget(lDossier, 1);
    lAvertissement = Kit::Etiquette(this, "lAvertissement", dossierAvecSousDossiers, {});
    lAvertissement->setWordWrap(true);
    lAvertissement->setStyleSheet(QStringLiteral("color: #8a3b00;"));
    lAvertissement->hide();
    droite->addWidget(lAvertissement);
    tableItems = new QTableWidget(0, 4, this);
    tableItems->setObjectName(QStringLiteral("tableItems"));
    tableItems->setAccessibleName(QStringLiteral("Items du dossier"));
    tableItems->setHorizontalHeaderLabels({QStringLiteral("À écrire"), QStringLiteral("Texte"),
                                           QStringLiteral("Image"), QStringLiteral("Son")});
    tableItems->setSelectionBehavior(QAbstractItemView::SelectRows);
    tableItems->setSelectionMode(QAbstractItemView::SingleSelection);
    tableItems->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tableItems->verticalHeader()->hide();
    tableItems->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    tableItems->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    tableItems->horizontalHeader()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    tableItems->horizontalHeader()->setSectionResizeMode(3, QHeaderView::ResizeToContents);
    // A few rows at least, and the height the item's frame leaves: the table scrolls within
    // itself, the window does not.
    tableItems->setMinimumHeight(64);
    tableItems->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
    droite->addWidget(tableItems, 1);
    auto* rangeeItems = new QHBoxLayout;
    droite->addLayout(rangeeItems);
    bNouvelItem = Bouton(this, "bNouvelItem", QStringLiteral("Nouvel item"));
    bSupprimerItem = Bouton(this, "bSupprimerItem", QStringLiteral("Supprimer l'item"),
                            QStringLiteral("Met le son, le texte et l'image de l'item à la "
                                           "corbeille."));
    bSynthetiserTout = Bouton(this, "bSynthetiserTout",
                              QStringLiteral("Voix de synthèse pour les items sans son"));
    barreSynthese = new QProgressBar(this);
    barreSynthese->setObjectName(QStringLiteral("barreSynthese"));
    barreSynthese->setAccessibleName(QStringLiteral("Avancement de la voix de synthèse"));
    barreSynthese->setFormat(QStringLiteral("%v / %m"));
    barreSynthese->hide();
    // Beside the folder's name: the row of buttons is as wide as the narrowest screen allows.
    barreSynthese->setMaximumWidth(160);
    rangeeDossier->addWidget(barreSynthese);
    rangeeItems->addWidget(bNouvelItem);
    rangeeItems->addWidget(bSupprimerItem);
    rangeeItems->addWidget(bSynthetiserTout);
    rangeeItems->addStretch(1);

    // The selected item.
    cadreItem = new QGroupBox(QStringLiteral("Item"), this);
    cadreItem->setObjectName(QStringLiteral("cadreItem"));
    cadreItem->setAccessibleName(QStringLiteral("Item choisi"));
    droite->addWidget(cadreItem);
    // Two columns: what the pupil writes and reads on the left; the picture and the sound on
    // the right, packed tight.
    auto* item = new QHBoxLayout(cadreItem);
    item->setContentsMargins(6, 4, 6, 6);
    item->setSpacing(8);
    auto* colonneTextes = new QVBoxLayout;
    colonneTextes->setSpacing(4);
    item->addLayout(colonneTextes, 1);
    QLabel* lOrthographes =
        Kit::Etiquette(cadreItem, "lOrthographes",
                       QStringLiteral("Ce que l'élève doit écrire (une ligne par orthographe "
                                      "acceptée)"),
                       {});
    lOrthographes->setWordWrap(true);
    colonneTextes->addWidget(lOrthographes);
    listeOrthographes = new QListWidget(cadreItem);
    listeOrthographes->setObjectName(QStringLiteral("listeOrthographes"));
    listeOrthographes->setAccessibleName(QStringLiteral("Orthographes acceptées"));
    listeOrthographes->setMaximumHeight(44);
    // "Retirer" beside the list it takes from, "Ajouter" beside the field it adds: the field
    // keeps the column's width but a button's.
    auto* grilleOrtho = new QGridLayout;
    grilleOrtho->setSpacing(4);
    colonneTextes->addLayout(grilleOrtho);
    eOrthographe = new QLineEdit(cadreItem);
    eOrthographe->setObjectName(QStringLiteral("eOrthographe"));
    eOrthographe->setAccessibleName(QStringLiteral("Orthographe à ajouter"));
    eOrthographe->setPlaceholderText(QStringLiteral("Texte à écrire, puis « Ajouter »"));
    bAjouterOrthographe = Bouton(cadreItem, "bAjouterOrthographe", QStringLiteral("Ajouter"));
    bRetirerOrthographe = Bouton(cadreItem, "bRetirerOrthographe", QStringLiteral("Retirer"));
    // The typing gets the room; the two buttons only what their captions need.
    for (QPushButton* b : {bAjouterOrthographe, bRetirerOrthographe})
        b->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
    grilleOrtho->addWidget(listeOrthographes, 0, 0);
    grilleOrtho->addWidget(bRetirerOrthographe, 0, 1, Qt::AlignTop);
    grilleOrtho->addWidget(eOrthographe, 1, 0);
    grilleOrtho->addWidget(bAjouterOrthographe, 1, 1);
    QLabel* lTexteCompagnon =
        Kit::Etiquette(cadreItem, "lTexteCompagnon",
                       QStringLiteral("Texte montré après l'écoute (facultatif)"), {});
    lTexteCompagnon->setWordWrap(true);
    colonneTextes->addWidget(lTexteCompagnon);
    eTexteCompagnon = new QPlainTextEdit(cadreItem);
    eTexteCompagnon->setObjectName(QStringLiteral("eTexteCompagnon"));
    eTexteCompagnon->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    eTexteCompagnon->setAccessibleName(QStringLiteral("Texte montré après la première écoute"));
    eTexteCompagnon->setMaximumHeight(40);
    eTexteCompagnon->setTabChangesFocus(true);
    colonneTextes->addWidget(eTexteCompagnon);
    bValiderItem = Bouton(cadreItem, "bValiderItem", QStringLiteral("Enregistrer le texte"),
                          QStringLiteral("Écrit le nom des fichiers de l'item et son texte."));
    colonneTextes->addWidget(bValiderItem);

    auto* colonneMedias = new QVBoxLayout;
    colonneMedias->setSpacing(4);
    item->addLayout(colonneMedias, 0);
    // The picture, its two buttons beside it.
    auto* rangeeImage = new QHBoxLayout;
    colonneMedias->addLayout(rangeeImage);
    iImage = new QLabel(cadreItem);
    iImage->setTextFormat(Qt::PlainText);
    iImage->setObjectName(QStringLiteral("iImage"));
    iImage->setAccessibleName(QStringLiteral("Image de l'item"));
    iImage->setFixedSize(64, 64);
    iImage->setAlignment(Qt::AlignCenter);
    iImage->setWordWrap(true);
    iImage->setFrameShape(QFrame::StyledPanel);
    iImage->setText(QStringLiteral("Pas d'image"));
    rangeeImage->addWidget(iImage);
    auto* boutonsImage = new QVBoxLayout;
    rangeeImage->addLayout(boutonsImage, 1);
    bChoisirImage = Bouton(cadreItem, "bChoisirImage", QStringLiteral("Choisir une image…"));
    bRetirerImage = Bouton(cadreItem, "bRetirerImage", QStringLiteral("Retirer l'image"));
    boutonsImage->addWidget(bChoisirImage);
    boutonsImage->addWidget(bRetirerImage);
    boutonsImage->addStretch(1);

    auto* colonneSon = new QVBoxLayout;
    colonneSon->setSpacing(4);
    colonneMedias->addLayout(colonneSon, 1);
    lEtatSon = Kit::Etiquette(cadreItem, "lEtatSon", sansSon, {});
    lEtatSon->setWordWrap(true);
    Kit::Police(lEtatSon, 13, true);
    colonneSon->addWidget(lEtatSon);
    niveauMicro = new QProgressBar(cadreItem);
    niveauMicro->setObjectName(QStringLiteral("niveauMicro"));
    niveauMicro->setAccessibleName(QStringLiteral("Niveau du micro"));
    niveauMicro->setRange(0, 100);
    niveauMicro->setTextVisible(false);
    niveauMicro->setMaximumHeight(12);
    colonneSon->addWidget(niveauMicro);
    // Two buttons a row, in the order Tab goes through them.
    auto* boutonsSon = new QGridLayout;
    boutonsSon->setSpacing(4);
    colonneSon->addLayout(boutonsSon);
    bEnregistrer = Bouton(cadreItem, "bEnregistrer", QStringLiteral("Enregistrer"),
                          QStringLiteral("Enregistre l'item au micro."));
    bArreter = Bouton(cadreItem, "bArreter", QStringLiteral("Arrêter"));
    bReecouter = Bouton(cadreItem, "bReecouter", QStringLiteral("Réécouter"));
    bSynthese = Bouton(cadreItem, "bSynthese", QStringLiteral("Voix de synthèse"),
                       QStringLiteral("Une voix lit le premier texte à écrire."));
    bImporterSon = Bouton(cadreItem, "bImporterSon", QStringLiteral("Importer un son…"),
                          QStringLiteral("WAV, FLAC, OGG ou AIFF"));
    boutonsSon->addWidget(bEnregistrer, 0, 0);
    boutonsSon->addWidget(bArreter, 0, 1);
    boutonsSon->addWidget(bReecouter, 1, 0);
    boutonsSon->addWidget(bSynthese, 1, 1);
    boutonsSon->addWidget(bImporterSon, 2, 0, 1, 2);
    colonneSon->addStretch(1);

    // The folder as a whole, at the bottom.
    auto* bas = new QHBoxLayout;
    principal->addLayout(bas);
    bEssayer = Bouton(this, "bEssayer", QStringLiteral("Essayer"),
                      QStringLiteral("Faire l'exercice comme un visiteur : rien n'est noté."));
    bExporter = Bouton(this, "bExporter", QStringLiteral("Exporter"),
                       QStringLiteral("Écrit le dossier dans un fichier .zip pour un collègue."));
    bFermer = Bouton(this, "bFermer", QStringLiteral("Fermer"));
    bas->addWidget(bEssayer);
    bas->addWidget(bExporter);
    bas->addStretch(1);
    bas->addWidget(bFermer);

    m_minuterieMicro = new QTimer(this);
    m_minuterieMicro->setObjectName(QStringLiteral("minuterieMicro"));
    m_minuterieMicro->setInterval(30);
    m_lot = new LotSynthese(this);

    connect(arbreDossiers, &QTreeWidget::itemSelectionChanged, this, &FenetreStudio::DossierChoisi);
    connect(arbreDossiers, &QTreeWidget::itemExpanded, this,
            [this](QTreeWidgetItem* b) { RemplirBranche(b); });
    connect(bCreerDossier, &QPushButton::clicked, this, &FenetreStudio::bCreerDossierClick);
    connect(eNomDossier, &QLineEdit::returnPressed, this, &FenetreStudio::bCreerDossierClick);
    connect(bRenommerDossier, &QPushButton::clicked, this, &FenetreStudio::bRenommerDossierClick);
    connect(bSupprimerDossier, &QPushButton::clicked, this, &FenetreStudio::bSupprimerDossierClick);
    connect(bImporter, &QPushButton::clicked, this, &FenetreStudio::bImporterClick);
    connect(tableItems, &QTableWidget::itemSelectionChanged, this, [this] {
        const QList<QTableWidgetItem*> choisis = tableItems->selectedItems();
        if (!choisis.isEmpty())
            ChoisirItem(choisis.first()->row());
    });
    connect(bNouvelItem, &QPushButton::clicked, this, &FenetreStudio::bNouvelItemClick);
    connect(bSupprimerItem, &QPushButton::clicked, this, &FenetreStudio::bSupprimerItemClick);
    connect(bSynthetiserTout, &QPushButton::clicked, this, &FenetreStudio::bSynthetiserToutClick);
    connect(bAjouterOrthographe, &QPushButton::clicked, this,
            &FenetreStudio::bAjouterOrthographeClick);
    connect(eOrthographe, &QLineEdit::returnPressed, this,
            &FenetreStudio::bAjouterOrthographeClick);
    connect(bRetirerOrthographe, &QPushButton::clicked, this,
            &FenetreStudio::bRetirerOrthographeClick);
    // A spelling edited in the list goes to the model; the list is drawn again once the edit
    // is over (the row being edited may go), with the refusal if there is one.
    connect(listeOrthographes, &QListWidget::itemChanged, this, [this](QListWidgetItem* l) {
        const int ligne = listeOrthographes->row(l);
        const IssueOrthographe r = m_modele.ModifierOrthographe(ligne, l->text());
        QTimer::singleShot(0, this, [this, r, ligne] {
            MontrerOrthographes(ligne);
            if (!r.Refus.isEmpty())
                Refuser(r.Refus);
        });
    });
    connect(bValiderItem, &QPushButton::clicked, this, [this] { bValiderItemClick(); });
    connect(bChoisirImage, &QPushButton::clicked, this, &FenetreStudio::bChoisirImageClick);
    connect(bRetirerImage, &QPushButton::clicked, this, &FenetreStudio::bRetirerImageClick);
    connect(bEnregistrer, &QPushButton::clicked, this, &FenetreStudio::bEnregistrerClick);
    connect(bArreter, &QPushButton::clicked, this, &FenetreStudio::bArreterClick);
    connect(bReecouter, &QPushButton::clicked, this, &FenetreStudio::bReecouterClick);
    connect(bSynthese, &QPushButton::clicked, this, &FenetreStudio::bSyntheseClick);
    connect(bImporterSon, &QPushButton::clicked, this, &FenetreStudio::bImporterSonClick);
    connect(bEssayer, &QPushButton::clicked, this, &FenetreStudio::bEssayerClick);
    connect(bExporter, &QPushButton::clicked, this, &FenetreStudio::bExporterClick);
    connect(bFermer, &QPushButton::clicked, this, &FenetreStudio::bFermerClick);
    connect(m_minuterieMicro, &QTimer::timeout, this, &FenetreStudio::SuivreMicro);
    connect(m_lot, &LotSynthese::Avance, this,
            [this](int faits, int total, const QString& sortie, bool) {
                barreSynthese->setMaximum(total);
                barreSynthese->setValue(faits);
                // The row of the item just given its voice.
                for (const int i : m_modele.SonEcrit(sortie)) {
                    MontrerLigne(i);
                    if (i == m_modele.Courant())
                        MontrerItem();
                }
            });
    connect(m_lot, &LotSynthese::Termine, this, [this] {
        barreSynthese->hide();
        MettreAJourBoutons();
        if (!m_lot->Erreurs().isEmpty())
            Services::Messages().Message(
                QStringLiteral("La voix de synthèse n'a pas pu lire ces items :\n") +
                m_lot->Erreurs().join(u'\n'));
    });
    MettreAJourBoutons();
    // Smaller than its contents only where the screen is (a scale fixed larger than the
    // automatic one): the scroll area then takes over.
    setMinimumSize(contenu->minimumSizeHint());
    Kit::TailleDansLEcran(this, TailleVoulue);
}

// ---------------------------------------------------------------------------------------------
// Folders

void FenetreStudio::FormShow() {
    RemplirArbre(m_modele.Dossier());
    // The microphone's side is made ready once the window is up, so the first "Enregistrer"
    // does not wait for it.
    QTimer::singleShot(0, this, [] { Services::Capture().Preparer(); });
}

void FenetreStudio::RemplirArbre(const QString& aSelectionner) {
    const QSignalBlocker silence(arbreDossiers);
    arbreDossiers->clear();
    ArbreStudio& arbre = m_modele.Arbre();
    arbre.Reinitialiser(Etat.CheminMedias);
    arbre.Lister(0);
    // Down the branches to the folder to show again.
    const int cible = arbre.Trouver(aSelectionner);
    auto* racine = new QTreeWidgetItem(arbreDossiers, {racineArbre});
    racine->setData(0, Qt::UserRole, 0);
    MontrerBranche(racine);
    racine->setExpanded(true);
    QTreeWidgetItem* trouve = nullptr;
    for (QTreeWidgetItemIterator i(arbreDossiers); *i && cible > 0; ++i)
        if ((*i)->data(0, Qt::UserRole).toInt() == cible)
            trouve = *i;
    if (trouve) {
        for (QTreeWidgetItem* p = trouve->parent(); p; p = p->parent())
            p->setExpanded(true);
        trouve->setSelected(true);
        arbreDossiers->setCurrentItem(trouve);
    }
    DossierChoisi();
}

void FenetreStudio::RemplirBranche(QTreeWidgetItem* branche) {
    if (!m_modele.Arbre().Lister(branche->data(0, Qt::UserRole).toInt()))
        return; // listed already, and shown
    const QSignalBlocker silence(arbreDossiers);
    qDeleteAll(branche->takeChildren());
    MontrerBranche(branche);
}

void FenetreStudio::MontrerBranche(QTreeWidgetItem* branche) {
    const ArbreStudio& arbre = m_modele.Arbre();
    for (const int e : arbre.Enfants(branche->data(0, Qt::UserRole).toInt())) {
        auto* b = new QTreeWidgetItem(branche, {arbre.Nom(e)});
        b->setData(0, Qt::UserRole, e);
        if (!arbre.Listee(e)) // holds folders: listed when opened
            b->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
        MontrerBranche(b);
    }
}

void FenetreStudio::DossierChoisi() {
    if (m_enregistrement)
        bArreterClick();
    const QList<QTreeWidgetItem*> choisis = arbreDossiers->selectedItems();
    const int id = choisis.isEmpty() ? -1 : choisis.first()->data(0, Qt::UserRole).toInt();
    // The root itself holds folders, not items.
    if (!m_modele.Arbre().Valide(id) || m_modele.Arbre().EstRacine(id))
        m_modele.Fermer();
    else
        m_modele.Ouvrir(m_modele.Arbre().Chemin(id));
    MontrerDossier();
}

void FenetreStudio::OuvrirDossier(const QString& dossier) {
    if (m_enregistrement)
        bArreterClick();
    m_modele.Ouvrir(dossier);
    MontrerDossier();
}

void FenetreStudio::MontrerDossier() {
    const QString& dossier = m_modele.Dossier();
    Ecrire(lDossier, dossier.isEmpty()
                         ? aucunDossier
                         : QStringLiteral("Dossier : ") + QFileInfo(dossier).fileName());
    lAvertissement->setVisible(!dossier.isEmpty() && ContientSousDossier(dossier));
    RemplirTable();
    {
        const QSignalBlocker silence(tableItems);
        tableItems->clearSelection();
        if (m_modele.Courant() >= 0)
            tableItems->selectRow(m_modele.Courant());
    }
    MontrerItem();
}

void FenetreStudio::bCreerDossierClick() {
    const QList<QTreeWidgetItem*> choisis = arbreDossiers->selectedItems();
    const QString parent =
        choisis.isEmpty() ? QDir::cleanPath(Etat.CheminMedias)
                          : m_modele.Arbre().Chemin(choisis.first()->data(0, Qt::UserRole).toInt());
    QString cree;
    QString raison;
    if (!CreerDossierExercices(parent, eNomDossier->text(), &cree, &raison)) {
        Refuser(raison);
        return;
    }
    eNomDossier->clear();
    RemplirArbre(cree);
}

void FenetreStudio::bRenommerDossierClick() {
    if (m_modele.Dossier().isEmpty())
        return;
    // Nothing typed: the current name is put in the field, ready to be changed.
    if (Rogner(eNomDossier->text()).isEmpty()) {
        eNomDossier->setText(QFileInfo(m_modele.Dossier()).fileName());
        eNomDossier->selectAll();
        eNomDossier->setFocus();
        return;
    }
    QString nouveau;
    QString raison;
    if (!RenommerDossierExercices(Etat.CheminMedias, m_modele.Dossier(), eNomDossier->text(),
                                  &nouveau, &raison)) {
        Refuser(raison);
        return;
    }
    eNomDossier->clear();
    RemplirArbre(nouveau);
}

void FenetreStudio::bSupprimerDossierClick() {
    if (m_modele.Dossier().isEmpty())
        return;
    const QString nom = QFileInfo(m_modele.Dossier()).fileName();
    const qsizetype n = m_modele.Items().size();
    const QString items = n == 0   ? QString()
                          : n == 1 ? QStringLiteral(" (1 item)")
                                   : QStringLiteral(" (%1 items)").arg(n);
    if (!Services::Messages().Confirmation(
            QStringLiteral("Voulez-vous vraiment supprimer le dossier « %1 » et tout ce qu'il "
                           "contient%2 ? Il ira à la corbeille.")
                .arg(nom, items)))
        return;
    QString raison;
    if (!SupprimerDossierExercices(Etat.CheminMedias, m_modele.Dossier(), &raison)) {
        Refuser(raison);
        return;
    }
    RemplirArbre(QFileInfo(m_modele.Dossier()).path());
}

void FenetreStudio::bImporterClick() {
    const QString zip = Services::ChoixFichier().Ouvrir(
        this, QStringLiteral("Importer un dossier d'exercices"), filtreZip);
    if (zip.isEmpty())
        return;
    QString nom;
    QString raison;
    if (!ImporterArchive(zip, QDir::cleanPath(Etat.CheminMedias), &nom, &raison)) {
        Refuser(raison);
        return;
    }
    RemplirArbre(QDir::cleanPath(Etat.CheminMedias) + u'/' + nom);
    Services::Messages().Information(
        QStringLiteral("Le dossier « %1 » a été ajouté aux exercices.").arg(nom));
}

// ---------------------------------------------------------------------------------------------
// Items

void FenetreStudio::RemplirTable() {
    const QSignalBlocker silence(tableItems);
    tableItems->setRowCount(int(m_modele.Items().size()));
    for (int i = 0; i < m_modele.Items().size(); ++i)
        MontrerLigne(i);
}

void FenetreStudio::MontrerLigne(int ligne) {
    const ItemStudio& it = m_modele.Items().at(ligne);
    const QString textes = it.Base.isEmpty() ? QStringLiteral("(nouvel item)")
                                             : it.Orthographes.join(QStringLiteral("  /  "));
    const QString cellules[] = {
        textes, it.FichierTexte.isEmpty() ? QString() : QStringLiteral("oui"),
        it.FichierImage.isEmpty() ? QString() : QStringLiteral("oui"), TexteSon(it)};
    for (int c = 0; c < 4; ++c) {
        QTableWidgetItem* cellule = tableItems->item(ligne, c);
        if (!cellule) {
            cellule = new QTableWidgetItem;
            tableItems->setItem(ligne, c, cellule);
        }
        cellule->setText(cellules[c]);
    }
}

void FenetreStudio::ChoisirItem(int index) {
    if (index >= 0 && index == m_modele.Courant())
        return; // the item shown: what is typed for it stays
    // The sound being recorded goes to the item it was started for.
    if (m_enregistrement)
        bArreterClick();
    m_modele.Choisir(index);
    {
        const QSignalBlocker silence(tableItems);
        tableItems->clearSelection();
        if (m_modele.Courant() >= 0)
            tableItems->selectRow(m_modele.Courant());
    }
    MontrerItem();
}

void FenetreStudio::MontrerItem() {
    const ItemStudio* it = Courant();
    eOrthographe->clear();
    eTexteCompagnon->clear();
    eTexteCompagnon->setReadOnly(false);
    iImage->clear();
    iImage->setText(QStringLiteral("Pas d'image"));
    Ecrire(lEtatSon, sansSon);
    niveauMicro->setValue(0);
    MontrerOrthographes();
    if (it) {
        const TexteCompagnon texte = LireTexteCompagnon(m_modele.Dossier(), *it);
        eTexteCompagnon->setPlainText(texte.Texte);
        // Saving what is shown of a cut text would lose the rest of the teacher's file.
        eTexteCompagnon->setReadOnly(texte.Coupe);
        if (!it->FichierImage.isEmpty()) {
            const QImage image = ChargerImage(QDir(m_modele.Dossier()).filePath(it->FichierImage));
            if (!image.isNull())
                iImage->setPixmap(QPixmap::fromImage(image.scaled(
                    iImage->size() - QSize(4, 4), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
        }
        Ecrire(lEtatSon, it->Son == EtatSon::Present ? QStringLiteral("Son : ") + TexteSon(*it)
                                                     : TexteSon(*it));
    }
    MettreAJourBoutons();
}

void FenetreStudio::MettreAJourBoutons() {
    const bool dossier = !m_modele.Dossier().isEmpty();
    const ItemStudio* it = Courant();
    const bool item = it != nullptr;
    const bool occupe = m_enregistrement || (m_lot && m_lot->EnCours());
    bNouvelItem->setEnabled(dossier && !occupe);
    bSupprimerItem->setEnabled(item && !occupe);
    bSynthetiserTout->setEnabled(dossier && !occupe && !m_modele.Items().isEmpty());
    cadreItem->setEnabled(item);
    for (QWidget* w : std::initializer_list<QWidget*>{
             listeOrthographes, eOrthographe, bAjouterOrthographe, bRetirerOrthographe,
             eTexteCompagnon, bValiderItem, bChoisirImage, bSynthese, bImporterSon})
        w->setEnabled(item && !occupe);
    bRetirerImage->setEnabled(item && !occupe && !it->FichierImage.isEmpty());
    bEnregistrer->setEnabled(item && !occupe);
    bArreter->setEnabled(m_enregistrement);
    bReecouter->setEnabled(item && !m_enregistrement && it->Son == EtatSon::Present);
    bEssayer->setEnabled(dossier && !occupe);
    bExporter->setEnabled(dossier && !occupe);
    bCreerDossier->setEnabled(!occupe);
    bRenommerDossier->setEnabled(dossier && !occupe);
    bSupprimerDossier->setEnabled(dossier && !occupe);
    bImporter->setEnabled(!occupe);
}

void FenetreStudio::MontrerOrthographes(int ligne) {
    const QSignalBlocker silence(listeOrthographes);
    listeOrthographes->clear();
    for (const QString& o : m_modele.Orthographes()) {
        auto* l = new QListWidgetItem(o, listeOrthographes);
        l->setFlags(l->flags() | Qt::ItemIsEditable);
    }
    if (ligne >= 0 && listeOrthographes->count() > 0)
        listeOrthographes->setCurrentRow(std::min(ligne, listeOrthographes->count() - 1));
}

bool FenetreStudio::FichiersLibres(int index, const QString& base) {
    const ItemStudio* item = m_modele.Item(index);
    if (!item)
        return true;
    const QString refus = RefusFichierEtranger(m_modele.Dossier(), *item, base);
    if (refus.isEmpty())
        return true;
    // Read again so the colleague's files show; what the teacher typed for the item he was
    // editing stays in the form, on its item or, when it had no file yet, on a new one.
    const QString texte = eTexteCompagnon->toPlainText();
    const bool edite = Courant() != nullptr;
    m_modele.Relire();
    MontrerDossier();
    if (edite)
        eTexteCompagnon->setPlainText(texte);
    Refuser(refus + QStringLiteral(" Le dossier a été relu : ce fichier y apparaît maintenant, "
                                   "et ce que vous aviez tapé est resté à l'écran."));
    return false;
}

void FenetreStudio::Refuser(const QString& texte) {
    Services::Messages().Message(texte);
}

void FenetreStudio::bNouvelItemClick() {
    if (m_modele.Dossier().isEmpty())
        return;
    // An item not yet named stays alone: finish it first.
    const int item = m_modele.ItemANommer();
    if (tableItems->rowCount() != m_modele.Items().size()) {
        tableItems->setRowCount(int(m_modele.Items().size()));
        MontrerLigne(item);
    }
    ChoisirItem(item);
    eOrthographe->setFocus();
}

void FenetreStudio::bSupprimerItemClick() {
    const ItemStudio* it = Courant();
    if (!it)
        return;
    const QString nom = it->Base.isEmpty() ? QStringLiteral("(nouvel item)")
                                           : it->Orthographes.join(QStringLiteral(" / "));
    if (!Services::Messages().Confirmation(
            QStringLiteral("Voulez-vous vraiment supprimer l'item « %1 » ? Son son, son texte et "
                           "son image iront à la corbeille.")
                .arg(nom)))
        return;
    QString raison;
    if (!SupprimerItem(m_modele.Dossier(), *it, &raison))
        Refuser(raison);
    OuvrirDossier(m_modele.Dossier());
}

void FenetreStudio::bAjouterOrthographeClick() {
    const IssueOrthographe r = m_modele.AjouterOrthographe(eOrthographe->text());
    if (!r.Refus.isEmpty()) {
        Refuser(r.Refus);
        return;
    }
    if (r.Acceptee)
        MontrerOrthographes(listeOrthographes->currentRow());
    eOrthographe->clear();
}

void FenetreStudio::bRetirerOrthographeClick() {
    const int ligne = listeOrthographes->currentRow();
    if (m_modele.RetirerOrthographe(ligne))
        MontrerOrthographes(ligne);
}

bool FenetreStudio::bValiderItemClick() {
    ItemStudio* it = Courant();
    if (!it)
        return false;
    // A spelling typed and not yet added counts: teachers often forget "Ajouter". Typed a
    // second time, it is in the list already.
    if (m_modele.AjouterOrthographe(eOrthographe->text()).Acceptee)
        MontrerOrthographes(listeOrthographes->currentRow());
    eOrthographe->clear();
    const NomItem nom = m_modele.NomEnAttente();
    if (!nom.Accepte()) {
        Refuser(nom.Refus);
        return false;
    }
    const int courant = m_modele.Courant();
    if (!FichiersLibres(courant, nom.Base))
        return false;
    QString raison;
    if (it->Base.isEmpty()) {
        it->Base = nom.Base;
        it->Orthographes = nom.Textes;
    } else if (it->Base != nom.Base && !RenommerItem(m_modele.Dossier(), *it, nom.Base, &raison)) {
        Refuser(raison);
        return false;
    }
    m_modele.NomEcrit();
    if (!EcrireTexteCompagnon(m_modele.Dossier(), *it, eTexteCompagnon->toPlainText(), &raison)) {
        Refuser(raison);
        MontrerLigne(m_modele.Courant());
        return false;
    }
    MontrerLigne(m_modele.Courant());
    MontrerItem();
    return true;
}

void FenetreStudio::bChoisirImageClick() {
    if (!bValiderItemClick())
        return;
    const QString chemin =
        Services::ChoixFichier().Ouvrir(this, QStringLiteral("Choisir une image"), filtreImages);
    if (chemin.isEmpty())
        return;
    const QImage image = ChargerImage(chemin);
    if (image.isNull()) {
        Refuser(QStringLiteral("« %1 » n'est pas une image que le programme sait lire.")
                    .arg(QFileInfo(chemin).fileName()));
        return;
    }
    const QByteArray jpeg = JpegPourItem(image);
    if (!FichiersLibres(m_modele.Courant(), Courant()->Base))
        return;
    QString raison;
    if (jpeg.isEmpty() || !EcrireImageCompagnon(m_modele.Dossier(), *Courant(), jpeg, &raison)) {
        Refuser(raison.isEmpty() ? QStringLiteral("L'image n'a pas pu être enregistrée.") : raison);
        return;
    }
    MontrerLigne(m_modele.Courant());
    MontrerItem();
}

void FenetreStudio::bRetirerImageClick() {
    ItemStudio* it = Courant();
    if (!it)
        return;
    QString raison;
    if (!RetirerImageCompagnon(m_modele.Dossier(), *it, &raison))
        Refuser(raison);
    MontrerLigne(m_modele.Courant());
    MontrerItem();
}

// ---------------------------------------------------------------------------------------------
// Sound

void FenetreStudio::bEnregistrerClick() {
    if (m_enregistrement || !bValiderItemClick())
        return;
    m_enregistrement = true;
    m_arretDemande = false;
    Services::Capture().Demarrer();
    Ecrire(lEtatSon, micOuverture);
    MettreAJourBoutons();
    m_minuterieMicro->start();
    SuivreMicro();
}

void FenetreStudio::bArreterClick() {
    if (!m_enregistrement)
        return;
    m_arretDemande = true;
    Services::Capture().Arreter();
    SuivreMicro();
}

void FenetreStudio::SuivreMicro() {
    ICaptureSon& micro = Services::Capture();
    switch (micro.Etat()) {
    case EtatCapture::Ouverture:
        Ecrire(lEtatSon, micOuverture);
        return;
    case EtatCapture::EnCours:
        Ecrire(lEtatSon, micEnCours);
        niveauMicro->setValue(int(std::min(1.0f, micro.Niveau()) * 100));
        return;
    case EtatCapture::Erreur: {
        m_minuterieMicro->stop();
        m_enregistrement = false;
        niveauMicro->setValue(0);
        MontrerItem();
        Refuser(micro.Erreur());
        return;
    }
    case EtatCapture::Arretee:
        if (!m_arretDemande)
            return; // the start has not reached the capture yet
        break;
    }
    m_minuterieMicro->stop();
    m_enregistrement = false;
    niveauMicro->setValue(0);
    SonPret(micro.Prendre(), QString());
}

void FenetreStudio::SonPret(const SonPcm& brut, const QString& origine) {
    ItemStudio* it = Courant();
    if (!it) {
        MettreAJourBoutons();
        return;
    }
    const SonPcm pret = PreparerSon(brut);
    if (pret.Echantillons.isEmpty()) {
        MontrerItem();
        Refuser(origine.isEmpty()
                    ? silence
                    : QStringLiteral("Le son « %1 » ne contient que du silence.").arg(origine));
        return;
    }
    if (!FichiersLibres(m_modele.Courant(), it->Base))
        return;
    const QString chemin = CheminSon(m_modele.Dossier(), *it);
    QString raison;
    if (!Services::FichiersSon().EcrireWav(chemin, pret, &raison)) {
        MontrerItem();
        Refuser(raison);
        return;
    }
    for (const int i : m_modele.SonEcrit(chemin))
        MontrerLigne(i);
    MontrerItem();
}

void FenetreStudio::bReecouterClick() {
    const ItemStudio* it = Courant();
    if (!it || it->Son != EtatSon::Present)
        return;
    ISon& son = Services::Son();
    son.DefinirFichier(CheminSon(m_modele.Dossier(), *it));
    QString erreur;
    if (!son.Ouvrir(&erreur)) {
        Refuser(erreur);
        return;
    }
    son.Jouer();
}

void FenetreStudio::bSyntheseClick() {
    if (!bValiderItemClick())
        return;
    LancerSynthese({m_modele.Courant()});
}

void FenetreStudio::bSynthetiserToutClick() {
    const QVector<int> sansSon = m_modele.ItemsSansSon();
    if (sansSon.isEmpty()) {
        Services::Messages().Information(QStringLiteral("Tous les items ont déjà un son."));
        return;
    }
    LancerSynthese(sansSon);
}

void FenetreStudio::LancerSynthese(const QVector<int>& indexes) {
    for (const int i : indexes)
        if (!FichiersLibres(i, m_modele.Items().at(i).Base))
            return;
    QVector<TacheSynthese> taches;
    for (const int i : indexes)
        taches.append({m_modele.Items().at(i).Orthographes.value(0),
                       CheminSon(m_modele.Dossier(), m_modele.Items().at(i))});
    QString raison;
    if (!m_lot->Lancer(taches, &raison)) {
        Refuser(raison);
        return;
    }
    barreSynthese->setMaximum(int(taches.size()));
    barreSynthese->setValue(0);
    barreSynthese->show();
    MettreAJourBoutons();
}

void FenetreStudio::bImporterSonClick() {
    if (!bValiderItemClick())
        return;
    const QString chemin =
        Services::ChoixFichier().Ouvrir(this, QStringLiteral("Importer un son"), filtreSons);
    if (chemin.isEmpty())
        return;
    SonPcm brut;
    QString raison;
    if (!Services::FichiersSon().Lire(chemin, brut, &raison)) {
        Refuser(raison);
        return;
    }
    SonPret(brut, QFileInfo(chemin).fileName());
}

// ---------------------------------------------------------------------------------------------
// The folder as a whole

void FenetreStudio::bEssayerClick() {
    if (m_modele.Dossier().isEmpty())
        return;
    if (!m_modele.UnItemASonSon()) {
        Refuser(QStringLiteral("Aucun item de ce dossier n'a encore de son : il n'y a rien à "
                               "essayer."));
        return;
    }
    FenetreEssai essai(this, m_modele.Dossier());
    Services::Modal().Montrer(&essai);
}

void FenetreStudio::bExporterClick() {
    if (m_modele.Dossier().isEmpty())
        return;
    const QString nom = QFileInfo(m_modele.Dossier()).fileName();
    const QString zip = Services::ChoixFichier().Enregistrer(
        this, QStringLiteral("Exporter le dossier « %1 »").arg(nom),
        QDir(QDir::homePath()).filePath(nom + QStringLiteral(".zip")), filtreZip);
    if (zip.isEmpty())
        return;
    QString raison;
    QStringList ecartes;
    if (!ExporterDossier(m_modele.Dossier(), zip, &raison, &ecartes)) {
        Refuser(ecartes.isEmpty() ? raison
                                  : raison + QStringLiteral("\n\n") + TexteEcartes(ecartes));
        return;
    }
    QString texte = QStringLiteral("Le dossier « %1 » a été exporté dans « %2 ».")
                        .arg(nom, QDir::toNativeSeparators(zip));
    if (!ecartes.isEmpty())
        texte += QStringLiteral("\n\n") + TexteEcartes(ecartes);
    Services::Messages().Information(texte);
}

void FenetreStudio::bFermerClick() {
    close();
}

void FenetreStudio::closeEvent(QCloseEvent* e) {
    if (m_enregistrement) {
        m_minuterieMicro->stop();
        m_enregistrement = false;
        Services::Capture().Arreter();
    }
    m_lot->Annuler();
    barreSynthese->hide();
    MettreAJourBoutons();
    FormeModale::closeEvent(e);
}
