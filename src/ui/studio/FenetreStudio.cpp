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
                for (int i = 0; i < m_items.size(); ++i) {
                    if (QFileInfo(CheminSon(m_dossier, m_items[i])) != QFileInfo(sortie))
                        continue;
                    ItemStudio& it = m_items[i];
                    it.FichierSon = QFileInfo(sortie).fileName();
                    it.Son = DureeWav(sortie, it.Duree) ? EtatSon::Present : EtatSon::Illisible;
                    MontrerLigne(i);
                    if (i == m_courant)
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
    RemplirArbre(m_dossier);
    // The microphone's side is made ready once the window is up, so the first "Enregistrer"
    // does not wait for it.
    QTimer::singleShot(0, this, [] { Services::Capture().Preparer(); });
}

void FenetreStudio::RemplirArbre(const QString& aSelectionner) {
    const QSignalBlocker silence(arbreDossiers);
    arbreDossiers->clear();
    auto* racine = new QTreeWidgetItem(arbreDossiers, {racineArbre});
    const QString medias = QDir::cleanPath(Etat.CheminMedias);
    racine->setData(0, Qt::UserRole, medias);
    RemplirBranche(racine);
    racine->setExpanded(true);
    // Down the branches to the folder to show again.
    QTreeWidgetItem* trouve = nullptr;
    const QString cible = QDir::cleanPath(aSelectionner);
    if (!aSelectionner.isEmpty() && cible.startsWith(medias + u'/')) {
        QTreeWidgetItem* courant = racine;
        const QStringList parties = cible.mid(medias.size() + 1).split(u'/');
        for (const QString& p : parties) {
            RemplirBranche(courant);
            QTreeWidgetItem* suivant = nullptr;
            for (int i = 0; i < courant->childCount(); ++i)
                if (courant->child(i)->text(0) == p)
                    suivant = courant->child(i);
            if (!suivant)
                break;
            courant->setExpanded(true);
            courant = suivant;
        }
        if (courant->data(0, Qt::UserRole).toString() == cible)
            trouve = courant;
    }
    if (trouve)
        trouve->setSelected(true), arbreDossiers->setCurrentItem(trouve);
    else
        m_dossier.clear();
    DossierChoisi();
}

void FenetreStudio::RemplirBranche(QTreeWidgetItem* branche) {
    if (branche->data(0, Qt::UserRole + 1).toBool())
        return; // filled already
    const QSignalBlocker silence(arbreDossiers);
    branche->setData(0, Qt::UserRole + 1, true);
    qDeleteAll(branche->takeChildren());
    const QString dossier = branche->data(0, Qt::UserRole).toString();
    // The pupils' listing rules: no dotted names, sorted for people.
    for (const QString& entree : ListerDossiers(dossier)) {
        const QString nom = SansMarque(entree);
        auto* b = new QTreeWidgetItem(branche, {nom});
        b->setData(0, Qt::UserRole, dossier + u'/' + nom);
        if (entree != nom) // holds folders: opened on demand
            b->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
        else
            b->setData(0, Qt::UserRole + 1, true);
    }
}

void FenetreStudio::DossierChoisi() {
    if (m_enregistrement)
        bArreterClick();
    const QList<QTreeWidgetItem*> choisis = arbreDossiers->selectedItems();
    QTreeWidgetItem* b = choisis.isEmpty() ? nullptr : choisis.first();
    // The root itself holds folders, not items.
    if (!b || !b->parent()) {
        m_dossier.clear();
        m_items.clear();
        m_courant = -1;
        Ecrire(lDossier, aucunDossier);
        lAvertissement->hide();
        RemplirTable();
        MontrerItem();
        return;
    }
    OuvrirDossier(b->data(0, Qt::UserRole).toString());
}

void FenetreStudio::OuvrirDossier(const QString& dossier) {
    m_dossier = QDir::cleanPath(dossier);
    m_items = LireDossierStudio(m_dossier);
    m_courant = -1;
    Ecrire(lDossier, QStringLiteral("Dossier : ") + QFileInfo(m_dossier).fileName());
    lAvertissement->setVisible(ContientSousDossier(m_dossier));
    RemplirTable();
    ChoisirItem(m_items.isEmpty() ? -1 : 0);
}

void FenetreStudio::bCreerDossierClick() {
    const QList<QTreeWidgetItem*> choisis = arbreDossiers->selectedItems();
    const QString parent = choisis.isEmpty() ? QDir::cleanPath(Etat.CheminMedias)
                                             : choisis.first()->data(0, Qt::UserRole).toString();
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
    if (m_dossier.isEmpty())
        return;
    // Nothing typed: the current name is put in the field, ready to be changed.
    if (Rogner(eNomDossier->text()).isEmpty()) {
        eNomDossier->setText(QFileInfo(m_dossier).fileName());
        eNomDossier->selectAll();
        eNomDossier->setFocus();
        return;
    }
    QString nouveau;
    QString raison;
    if (!RenommerDossierExercices(Etat.CheminMedias, m_dossier, eNomDossier->text(), &nouveau,
                                  &raison)) {
        Refuser(raison);
        return;
    }
    eNomDossier->clear();
    RemplirArbre(nouveau);
}

void FenetreStudio::bSupprimerDossierClick() {
    if (m_dossier.isEmpty())
        return;
    const QString nom = QFileInfo(m_dossier).fileName();
    const qsizetype n = m_items.size();
    const QString items = n == 0   ? QString()
                          : n == 1 ? QStringLiteral(" (1 item)")
                                   : QStringLiteral(" (%1 items)").arg(n);
    if (!Services::Messages().Confirmation(
            QStringLiteral("Voulez-vous vraiment supprimer le dossier « %1 » et tout ce qu'il "
                           "contient%2 ? Il ira à la corbeille.")
                .arg(nom, items)))
        return;
    QString raison;
    if (!SupprimerDossierExercices(Etat.CheminMedias, m_dossier, &raison)) {
        Refuser(raison);
        return;
    }
    RemplirArbre(QFileInfo(m_dossier).path());
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
    tableItems->setRowCount(int(m_items.size()));
    for (int i = 0; i < m_items.size(); ++i)
        MontrerLigne(i);
}

void FenetreStudio::MontrerLigne(int ligne) {
    const ItemStudio& it = m_items.at(ligne);
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

ItemStudio* FenetreStudio::Courant() {
    return m_courant >= 0 && m_courant < m_items.size() ? &m_items[m_courant] : nullptr;
}

void FenetreStudio::ChoisirItem(int index) {
    if (index == m_courant && index >= 0)
        return;
    if (m_enregistrement)
        bArreterClick();
    m_courant = index;
    {
        const QSignalBlocker silence(tableItems);
        tableItems->clearSelection();
        if (index >= 0)
            tableItems->selectRow(index);
    }
    MontrerItem();
}

void FenetreStudio::MontrerItem() {
    const ItemStudio* it = Courant();
    listeOrthographes->clear();
    eOrthographe->clear();
    eTexteCompagnon->clear();
    eTexteCompagnon->setReadOnly(false);
    iImage->clear();
    iImage->setText(QStringLiteral("Pas d'image"));
    Ecrire(lEtatSon, sansSon);
    niveauMicro->setValue(0);
    if (it) {
        for (const QString& o : it->Orthographes) {
            auto* l = new QListWidgetItem(o, listeOrthographes);
            l->setFlags(l->flags() | Qt::ItemIsEditable);
        }
        const TexteCompagnon texte = LireTexteCompagnon(m_dossier, *it);
        eTexteCompagnon->setPlainText(texte.Texte);
        // Saving what is shown of a cut text would lose the rest of the teacher's file.
        eTexteCompagnon->setReadOnly(texte.Coupe);
        if (!it->FichierImage.isEmpty()) {
            const QImage image = ChargerImage(QDir(m_dossier).filePath(it->FichierImage));
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
    const bool dossier = !m_dossier.isEmpty();
    const ItemStudio* it = Courant();
    const bool item = it != nullptr;
    const bool occupe = m_enregistrement || (m_lot && m_lot->EnCours());
    bNouvelItem->setEnabled(dossier && !occupe);
    bSupprimerItem->setEnabled(item && !occupe);
    bSynthetiserTout->setEnabled(dossier && !occupe && !m_items.isEmpty());
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

QStringList FenetreStudio::AutresBases() const {
    QStringList r;
    for (int i = 0; i < m_items.size(); ++i)
        if (i != m_courant && !m_items.at(i).Base.isEmpty())
            r.append(m_items.at(i).Base);
    return r;
}

bool FenetreStudio::FichiersLibres(int index, const QString& base) {
    if (index < 0 || index >= m_items.size())
        return true;
    const QString refus = RefusFichierEtranger(m_dossier, m_items.at(index), base);
    if (refus.isEmpty())
        return true;
    // Read again so the colleague's files show; what the teacher typed for the item he was
    // editing stays in the form, on its item or, when it had no file yet, on a new one.
    QStringList orthographes;
    for (int i = 0; i < listeOrthographes->count(); ++i)
        orthographes.append(listeOrthographes->item(i)->text());
    const QString texte = eTexteCompagnon->toPlainText();
    const ItemStudio* it = Courant();
    const bool edite = it != nullptr;
    const bool surLeDisque = it && (!it->FichierSon.isEmpty() || !it->FichierTexte.isEmpty() ||
                                    !it->FichierImage.isEmpty());
    const QString ancienne = surLeDisque ? it->Base : QString();
    OuvrirDossier(m_dossier);
    if (edite) {
        int choix = -1;
        for (int i = 0; i < m_items.size(); ++i)
            if (!ancienne.isEmpty() && m_items.at(i).Base == ancienne)
                choix = i;
        if (choix < 0) {
            ItemStudio nouvel;
            nouvel.Orthographes = orthographes;
            m_items.append(nouvel);
            tableItems->setRowCount(int(m_items.size()));
            choix = int(m_items.size()) - 1;
            MontrerLigne(choix);
        }
        ChoisirItem(choix);
        listeOrthographes->clear();
        for (const QString& o : std::as_const(orthographes)) {
            auto* l = new QListWidgetItem(o, listeOrthographes);
            l->setFlags(l->flags() | Qt::ItemIsEditable);
        }
        eTexteCompagnon->setPlainText(texte);
    }
    Refuser(refus + QStringLiteral(" Le dossier a été relu : ce fichier y apparaît maintenant, "
                                   "et ce que vous aviez tapé est resté à l'écran."));
    return false;
}

void FenetreStudio::Refuser(const QString& texte) {
    Services::Messages().Message(texte);
}

void FenetreStudio::bNouvelItemClick() {
    if (m_dossier.isEmpty())
        return;
    // An item not yet named stays alone: finish it first.
    for (int i = 0; i < m_items.size(); ++i)
        if (m_items.at(i).Base.isEmpty()) {
            ChoisirItem(i);
            eOrthographe->setFocus();
            return;
        }
    m_items.append(ItemStudio());
    tableItems->setRowCount(int(m_items.size()));
    MontrerLigne(int(m_items.size()) - 1);
    ChoisirItem(int(m_items.size()) - 1);
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
    if (!SupprimerItem(m_dossier, *it, &raison))
        Refuser(raison);
    OuvrirDossier(m_dossier);
}

void FenetreStudio::bAjouterOrthographeClick() {
    const QString t = eOrthographe->text().trimmed();
    if (t.isEmpty())
        return;
    auto* l = new QListWidgetItem(t, listeOrthographes);
    l->setFlags(l->flags() | Qt::ItemIsEditable);
    eOrthographe->clear();
}

void FenetreStudio::bRetirerOrthographeClick() {
    delete listeOrthographes->currentItem();
}

bool FenetreStudio::bValiderItemClick() {
    ItemStudio* it = Courant();
    if (!it)
        return false;
    // A spelling typed and not yet added counts: teachers often forget "Ajouter".
    if (!eOrthographe->text().trimmed().isEmpty())
        bAjouterOrthographeClick();
    QStringList textes;
    for (int i = 0; i < listeOrthographes->count(); ++i)
        textes.append(listeOrthographes->item(i)->text());
    const NomItem nom = NommerItem(textes);
    if (!nom.Accepte()) {
        Refuser(nom.Refus);
        return false;
    }
    const QString doublon = RefusDoublon(nom.Base, AutresBases());
    if (!doublon.isEmpty()) {
        Refuser(doublon);
        return false;
    }
    if (!FichiersLibres(m_courant, nom.Base))
        return false;
    QString raison;
    if (it->Base.isEmpty()) {
        it->Base = nom.Base;
        it->Orthographes = nom.Textes;
    } else if (it->Base != nom.Base && !RenommerItem(m_dossier, *it, nom.Base, &raison)) {
        Refuser(raison);
        return false;
    }
    if (!EcrireTexteCompagnon(m_dossier, *it, eTexteCompagnon->toPlainText(), &raison)) {
        Refuser(raison);
        MontrerLigne(m_courant);
        return false;
    }
    MontrerLigne(m_courant);
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
    if (!FichiersLibres(m_courant, Courant()->Base))
        return;
    QString raison;
    if (jpeg.isEmpty() || !EcrireImageCompagnon(m_dossier, *Courant(), jpeg, &raison)) {
        Refuser(raison.isEmpty() ? QStringLiteral("L'image n'a pas pu être enregistrée.") : raison);
        return;
    }
    MontrerLigne(m_courant);
    MontrerItem();
}

void FenetreStudio::bRetirerImageClick() {
    ItemStudio* it = Courant();
    if (!it)
        return;
    QString raison;
    if (!RetirerImageCompagnon(m_dossier, *it, &raison))
        Refuser(raison);
    MontrerLigne(m_courant);
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
    if (!FichiersLibres(m_courant, it->Base))
        return;
    const QString chemin = CheminSon(m_dossier, *it);
    QString raison;
    if (!Services::FichiersSon().EcrireWav(chemin, pret, &raison)) {
        MontrerItem();
        Refuser(raison);
        return;
    }
    it->FichierSon = QFileInfo(chemin).fileName();
    it->Son = DureeWav(chemin, it->Duree) ? EtatSon::Present : EtatSon::Illisible;
    MontrerLigne(m_courant);
    MontrerItem();
}

void FenetreStudio::bReecouterClick() {
    const ItemStudio* it = Courant();
    if (!it || it->Son != EtatSon::Present)
        return;
    ISon& son = Services::Son();
    son.DefinirFichier(CheminSon(m_dossier, *it));
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
    LancerSynthese({m_courant});
}

void FenetreStudio::bSynthetiserToutClick() {
    QVector<int> sansSon;
    for (int i = 0; i < m_items.size(); ++i)
        if (!m_items.at(i).Base.isEmpty() && m_items.at(i).Son != EtatSon::Present)
            sansSon.append(i);
    if (sansSon.isEmpty()) {
        Services::Messages().Information(QStringLiteral("Tous les items ont déjà un son."));
        return;
    }
    LancerSynthese(sansSon);
}

void FenetreStudio::LancerSynthese(const QVector<int>& indexes) {
    for (const int i : indexes)
        if (!FichiersLibres(i, m_items.at(i).Base))
            return;
    QVector<TacheSynthese> taches;
    for (const int i : indexes)
        taches.append({m_items.at(i).Orthographes.value(0), CheminSon(m_dossier, m_items.at(i))});
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
    if (m_dossier.isEmpty())
        return;
    int avecSon = 0;
    for (const ItemStudio& it : std::as_const(m_items))
        avecSon += it.Son == EtatSon::Present ? 1 : 0;
    if (avecSon == 0) {
        Refuser(QStringLiteral("Aucun item de ce dossier n'a encore de son : il n'y a rien à "
                               "essayer."));
        return;
    }
    FenetreEssai essai(this, m_dossier);
    Services::Modal().Montrer(&essai);
}

void FenetreStudio::bExporterClick() {
    if (m_dossier.isEmpty())
        return;
    const QString nom = QFileInfo(m_dossier).fileName();
    const QString zip = Services::ChoixFichier().Enregistrer(
        this, QStringLiteral("Exporter le dossier « %1 »").arg(nom),
        QDir(QDir::homePath()).filePath(nom + QStringLiteral(".zip")), filtreZip);
    if (zip.isEmpty())
        return;
    QString raison;
    QStringList ecartes;
    if (!ExporterDossier(m_dossier, zip, &raison, &ecartes)) {
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
