#include "ui/teacher/FenetreClasse.h"

#include "core/Services.h"
#include "core/progress/TextesSuivi.h"
#include "ui/kit/Kit.h"

#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const QColor encre(28, 63, 120);
const QColor discret(90, 100, 115);
const QColor alerte(150, 20, 20);
const QColor faible(253, 226, 226); // an average below half
const QColor bon(226, 245, 226);    // an average of four in five and more

// How the table sorts: by numbers, dates and the pupil list's order, not by the texts shown.
constexpr int RoleTri = Qt::UserRole + 1;
constexpr int RoleEleve = Qt::UserRole + 2;

const QString styleOnglets = QStringLiteral(
    "QTabWidget::pane { border: 1px solid #6f93c4; background: white; top: -1px; }"
    "QTabBar::tab { background: #e9f0fa; border: 1px solid #6f93c4; border-radius: 4px;"
    " padding: 5px 12px; margin: 0 3px 3px 0; color: #1c3f78; }"
    "QTabBar::tab:selected { background: white; font-weight: bold; }"
    "QTabBar::tab:hover { background: #fff7d6; }");

QPushButton* Bouton(QWidget* parent, QHBoxLayout* rangee, const char* nom, const QString& texte,
                    const QString& bulle) {
    QPushButton* b = Kit::Bouton(parent, nom, texte, {});
    b->setAccessibleName(texte);
    Kit::Bulle(b, bulle);
    b->setAutoDefault(false);
    b->setMinimumHeight(34);
    b->setMinimumWidth(b->fontMetrics().horizontalAdvance(texte) + 24);
    rangee->addWidget(b);
    return b;
}

QStandardItem* Case(const QString& texte, const QVariant& tri, bool nombre) {
    auto* c = new QStandardItem(texte);
    c->setData(tri, RoleTri);
    c->setEditable(false);
    c->setTextAlignment(nombre ? Qt::AlignRight | Qt::AlignVCenter
                               : Qt::AlignLeft | Qt::AlignVCenter);
    return c;
}

QString Fois(int n) {
    return n > 1 ? QStringLiteral("%1 fois").arg(n) : QStringLiteral("1 fois");
}

} // namespace

FenetreClasse::FenetreClasse(QWidget* parent, std::shared_ptr<CacheBilans> cache)
    : FormeModale(parent, QStringLiteral("fClasse"), QStringLiteral("Suivi de la classe")),
      m_cache(std::move(cache)) {
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::WindowMaximizeButtonHint);
    setMinimumSize(760, 480);
    Kit::TailleDansLEcran(this, QSize(900, 580));
    FondBleuCiel();
    m_calculs.setMaxThreadCount(1);
    TerminerCreation(Controles::AuPremierAffichage);
}

FenetreClasse::~FenetreClasse() {
    // The computation posts its result to this window: it must be over before the window goes.
    m_calculs.waitForDone();
}

void FenetreClasse::ConstruireControles() {
    auto* colonne = new QVBoxLayout(this);
    colonne->setContentsMargins(10, 8, 10, 8);
    colonne->setSpacing(6);

    lTitreClasse = new QLabel(this);
    lTitreClasse->setTextFormat(Qt::PlainText);
    lTitreClasse->setObjectName(QStringLiteral("lTitreClasse"));
    lTitreClasse->setAccessibleName(QStringLiteral("Titre"));
    QFont arial(QStringLiteral("Arial"));
    arial.setStyleHint(QFont::SansSerif);
    arial.setPixelSize(24);
    arial.setBold(true);
    lTitreClasse->setFont(arial);
    Kit::Colorer(lTitreClasse, encre);
    colonne->addWidget(lTitreClasse);

    ongletsClasse = new QTabWidget(this);
    ongletsClasse->setObjectName(QStringLiteral("ongletsClasse"));
    ongletsClasse->setAccessibleName(QStringLiteral("Vues de la classe"));
    ongletsClasse->setStyleSheet(styleOnglets);
    ongletEleves = new QWidget;
    ongletEleves->setObjectName(QStringLiteral("TabEleves"));
    ongletEleves->setAccessibleName(QStringLiteral("La classe"));
    ongletMots = new QWidget;
    ongletMots->setObjectName(QStringLiteral("TabMots"));
    ongletMots->setAccessibleName(QStringLiteral("Mots que la classe rate"));
    ongletsClasse->addTab(ongletEleves, QStringLiteral("La classe"));
    ongletsClasse->addTab(ongletMots, QStringLiteral("Mots que la classe rate"));
    colonne->addWidget(ongletsClasse, 1);

    // The pupils.
    m_modeleClasse = new QStandardItemModel(0, NombreColonnesClasse, this);
    m_modeleClasse->setSortRole(RoleTri);
    // Short titles on screen; the spreadsheet file has the long ones, the tooltips say more.
    const QString titres[NombreColonnesClasse] = {
        QStringLiteral("Élève"),       QStringLiteral("Exercices"), QStringLiteral("Terminés"),
        QStringLiteral("Interrompus"), QStringLiteral("Dernier"),   QStringLiteral("Moyenne"),
        QStringLiteral("Maîtrisés"),   QStringLiteral("À revoir")};
    for (int c = 0; c < NombreColonnesClasse; ++c)
        m_modeleClasse->setHeaderData(c, Qt::Horizontal, titres[c]);
    m_modeleClasse->setHeaderData(ColonneDernier, Qt::Horizontal,
                                  QStringLiteral("Date du dernier exercice"), Qt::ToolTipRole);
    m_modeleClasse->setHeaderData(ColonneMoyenne, Qt::Horizontal,
                                  QStringLiteral("Score moyen en pourcentage sur les %1 derniers "
                                                 "exercices, terminés ou interrompus")
                                      .arg(ExercicesRecents),
                                  Qt::ToolTipRole);
    m_modeleClasse->setHeaderData(ColonneMaitrises, Qt::Horizontal,
                                  QStringLiteral("Items marqués en rouge dans « Items réussis »"),
                                  Qt::ToolTipRole);
    m_modeleClasse->setHeaderData(ColonneARevoir, Qt::Horizontal,
                                  QStringLiteral("Ratés au premier essai dans les %1 derniers "
                                                 "exercices et pas encore maîtrisés")
                                      .arg(ExercicesRecents),
                                  Qt::ToolTipRole);
    eClasse = new QTableView(ongletEleves);
    eClasse->setObjectName(QStringLiteral("eClasse"));
    eClasse->setAccessibleName(QStringLiteral("Tableau de la classe"));
    eClasse->setModel(m_modeleClasse);
    eClasse->setSortingEnabled(true);
    eClasse->sortByColumn(ColonneEleve, Qt::AscendingOrder);
    eClasse->setSelectionBehavior(QAbstractItemView::SelectRows);
    eClasse->setSelectionMode(QAbstractItemView::SingleSelection);
    eClasse->setEditTriggers(QAbstractItemView::NoEditTriggers);
    eClasse->setAlternatingRowColors(true);
    eClasse->verticalHeader()->hide();
    eClasse->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    // The names keep their width on a narrow screen (the table scrolls instead); the room left
    // goes to the last column.
    eClasse->horizontalHeader()->setStretchLastSection(true);
    Kit::Police(eClasse, 13);
    eClasse->verticalHeader()->setDefaultSectionSize(eClasse->fontMetrics().height() + 8);
    Kit::Bulle(eClasse, QStringLiteral("Un double clic sur un élève l'ouvre dans le module "
                                       "enseignant. Un clic sur un titre de colonne trie."));
    auto* l1 = new QVBoxLayout(ongletEleves);
    l1->setContentsMargins(4, 4, 4, 4);
    l1->addWidget(eClasse);

    // The words.
    eMots = new QTreeWidget(ongletMots);
    eMots->setObjectName(QStringLiteral("eMots"));
    eMots->setAccessibleName(QStringLiteral("Mots les plus ratés au premier essai"));
    eMots->setColumnCount(4);
    eMots->setHeaderLabels({QStringLiteral("Mot"), QStringLiteral("Écrit à la place"),
                            QStringLiteral("Élèves"), QStringLiteral("Erreurs")});
    eMots->headerItem()->setToolTip(
        1, QStringLiteral("Les réponses fausses tapées, les plus fréquentes d'abord, "
                          "et les genres d'erreurs qu'elles montrent"));
    eMots->headerItem()->setToolTip(2, QStringLiteral("Élèves qui l'ont raté au premier essai"));
    eMots->headerItem()->setToolTip(3, QStringLiteral("Fois où il a été raté au premier essai, "
                                                      "tous élèves ensemble"));
    eMots->setRootIsDecorated(false);
    eMots->setAlternatingRowColors(true);
    eMots->setWordWrap(true);
    eMots->header()->setStretchLastSection(false);
    eMots->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    eMots->header()->setSectionResizeMode(1, QHeaderView::Stretch);
    eMots->header()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    eMots->header()->setSectionResizeMode(3, QHeaderView::ResizeToContents);
    Kit::Police(eMots, 16);
    lElevesMot = new QLabel(ongletMots);
    lElevesMot->setTextFormat(Qt::PlainText);
    lElevesMot->setObjectName(QStringLiteral("lElevesMot"));
    lElevesMot->setAccessibleName(QStringLiteral("Mot choisi"));
    lElevesMot->setWordWrap(true);
    Kit::Police(lElevesMot, 14, true);
    Kit::Colorer(lElevesMot, encre);
    eElevesMot = new QListWidget(ongletMots);
    eElevesMot->setObjectName(QStringLiteral("eElevesMot"));
    eElevesMot->setAccessibleName(QStringLiteral("Élèves qui ont raté ce mot"));
    Kit::Police(eElevesMot, 14);
    auto* l2 = new QHBoxLayout(ongletMots);
    l2->setContentsMargins(4, 4, 4, 4);
    l2->addWidget(eMots, 3);
    auto* droite = new QVBoxLayout;
    droite->addWidget(lElevesMot);
    droite->addWidget(eElevesMot, 1);
    l2->addLayout(droite, 2);

    lEtatClasse = new QLabel(this);
    lEtatClasse->setTextFormat(Qt::PlainText);
    lEtatClasse->setObjectName(QStringLiteral("lEtatClasse"));
    lEtatClasse->setAccessibleName(QStringLiteral("État de la lecture"));
    lEtatClasse->setWordWrap(true);
    Kit::Police(lEtatClasse, 11);
    Kit::Colorer(lEtatClasse, discret);
    colonne->addWidget(lEtatClasse);

    auto* rangee = new QHBoxLayout;
    rangee->setSpacing(6);
    bExporterClasse =
        Bouton(this, rangee, "bExporterClasse", QStringLiteral("Exporter la classe"),
               QStringLiteral("Enregistrer le tableau de la classe pour LibreOffice Calc ou "
                              "Excel (fichier CSV)"));
    bImprimerClasse = Bouton(this, rangee, "bImprimerClasse", QStringLiteral("Imprimer"),
                             QStringLiteral("Imprimer l'onglet affiché"));
    bActualiserClasse =
        Bouton(this, rangee, "bActualiserClasse", QStringLiteral("Actualiser"),
               QStringLiteral("Relire les bilans modifiés depuis la dernière lecture"));
    rangee->addStretch(1);
    bFermerClasse = Bouton(this, rangee, "bFermerClasse", QStringLiteral("Fermer"),
                           QStringLiteral("Revenir au module enseignant"));
    colonne->addLayout(rangee);

    connect(bExporterClasse, &QPushButton::clicked, this, &FenetreClasse::bExporterClasseClick);
    connect(bImprimerClasse, &QPushButton::clicked, this, &FenetreClasse::bImprimerClasseClick);
    connect(bActualiserClasse, &QPushButton::clicked, this, &FenetreClasse::bActualiserClasseClick);
    connect(bFermerClasse, &QPushButton::clicked, this, &FenetreClasse::bFermerClasseClick);
    // A double click, or Enter on the selected row.
    connect(eClasse, &QTableView::activated, this, &FenetreClasse::eClasseDoubleClick);
    connect(eMots, &QTreeWidget::itemSelectionChanged, this, &FenetreClasse::eMotsChange);
}

void FenetreClasse::Definir(const QString& dossierGroupe, const QString& groupe,
                            std::optional<int> reponsesNecessaires) {
    m_dossier = dossierGroupe;
    m_groupe = groupe;
    m_necessaires = reponsesNecessaires;
}

void FenetreClasse::FormActivate() {
    m_eleveChoisi.clear();
    lTitreClasse->setText(m_groupe.isEmpty() ? QStringLiteral("Élèves sans groupe")
                                             : QStringLiteral("Classe : ") + m_groupe);
    if (m_classe.DossierGroupe != m_dossier) {
        // Another group's figures must not stand under this group's name, even for a moment.
        Afficher(BilanClasse());
    }
    Calculer();
    eClasse->setFocus();
}

void FenetreClasse::Calculer() {
    if (m_enCours) {
        m_aRefaire = true;
        return;
    }
    m_enCours = true;
    m_aRefaire = false;
    lEtatClasse->setText(QStringLiteral("Lecture des bilans…"));
    bExporterClasse->setEnabled(false);
    bImprimerClasse->setEnabled(false);
    m_calculs.start([this, cache = m_cache, dossier = m_dossier, n = m_necessaires] {
        BilanClasse r = CalculerClasse(*cache, dossier, n);
        QMetaObject::invokeMethod(
            this,
            [this, r = std::move(r)]() mutable {
                m_enCours = false;
                if (m_aRefaire || r.DossierGroupe != m_dossier) {
                    Calculer(); // asked again meanwhile: what is shown would be stale
                    return;
                }
                Afficher(std::move(r));
                emit Calculee();
            },
            Qt::QueuedConnection);
    });
}

void FenetreClasse::Afficher(BilanClasse classe) {
    m_classe = std::move(classe);
    RemplirEleves();
    RemplirMots();
    const int n = int(m_classe.Eleves.size());
    QStringList etat{n == 0   ? QStringLiteral("Aucun élève dans ce groupe.")
                     : n == 1 ? QStringLiteral("1 élève")
                              : QStringLiteral("%1 élèves").arg(n)};
    QStringList details;
    QStringList erreurs;
    for (const StatistiquesEleve& e : std::as_const(m_classe.Eleves)) {
        if (e.Illisibles > 0)
            details.append(e.Eleve + QStringLiteral(" : ") + TexteIllisibles(e.Illisibles));
        erreurs.append(e.Erreurs);
    }
    if (m_classe.Illisibles > 0)
        etat.append(TexteIllisibles(m_classe.Illisibles));
    QString texte = etat.join(QStringLiteral(" · "));
    if (!erreurs.isEmpty())
        texte += QStringLiteral("\nImpossible de lire ") + erreurs.join(QStringLiteral(" ; "));
    lEtatClasse->setText(texte);
    Kit::Colorer(lEtatClasse, erreurs.isEmpty() ? discret : alerte);
    lEtatClasse->setToolTip(Kit::BulleTexte(
        details.isEmpty() ? QString()
                          : QStringLiteral("Lignes que le programme n'a pas écrites ainsi "
                                           "(modifiées à la main ou coupées), laissées de "
                                           "côté :\n") +
                                details.join(u'\n')));
    const bool vide = m_classe.Eleves.isEmpty();
    bExporterClasse->setEnabled(!vide);
    bImprimerClasse->setEnabled(!vide);
}

void FenetreClasse::RemplirEleves() {
    const int colonne = eClasse->horizontalHeader()->sortIndicatorSection();
    const Qt::SortOrder ordre = eClasse->horizontalHeader()->sortIndicatorOrder();
    m_modeleClasse->removeRows(0, m_modeleClasse->rowCount());
    int rang = 0;
    for (const StatistiquesEleve& e : std::as_const(m_classe.Eleves)) {
        QList<QStandardItem*> ligne;
        ligne.reserve(NombreColonnesClasse);
        QStandardItem* nom = Case(e.Eleve, rang++, false);
        nom->setData(e.Eleve, RoleEleve);
        ligne << nom << Case(QString::number(e.Exercices), e.Exercices, true)
              << Case(QString::number(e.Termines), e.Termines, true)
              << Case(QString::number(e.Interrompus), e.Interrompus, true)
              << Case(e.Dernier.isValid() ? e.Dernier.toString(QStringLiteral("dd/MM/yyyy"))
                                          : QString(),
                      e.Dernier.isValid() ? e.Dernier.toJulianDay() : qint64(-1), false)
              << Case(e.Moyenne < 0 ? QString() : NombreFrancais(e.Moyenne) + QStringLiteral(" %"),
                      e.Moyenne, true)
              << Case(QString::number(e.Maitrises), e.Maitrises, true)
              << Case(QString::number(e.MotsARevoir.size()), int(e.MotsARevoir.size()), true);
        if (e.Moyenne >= 0)
            ligne.at(ColonneMoyenne)
                ->setBackground(e.Moyenne < 50    ? faible
                                : e.Moyenne >= 80 ? bon
                                                  : QColor(Qt::transparent));
        if (!e.MotsARevoir.isEmpty())
            ligne.at(ColonneARevoir)
                ->setToolTip(Kit::BulleTexte(e.MotsARevoir.join(QStringLiteral(", "))));
        m_modeleClasse->appendRow(ligne);
    }
    eClasse->sortByColumn(colonne, ordre);
}

void FenetreClasse::RemplirMots() {
    eMots->clear();
    for (int i = 0; i < m_classe.Mots.size(); ++i) {
        const MotDeLaClasse& m = m_classe.Mots.at(i);
        // The spellings on the first line, their kinds on the second; item views draw their
        // text as plain text, whatever a pupil typed.
        const QString ecrits = TexteEcrits(m);
        const QString genres = TexteGenres(m.Genres);
        const QString aLaPlace = genres.isEmpty() ? ecrits : ecrits + QStringLiteral("\n") + genres;
        auto* item = new QTreeWidgetItem(
            eMots, {m.Affiche, aLaPlace, QString::number(m.Eleves), QString::number(m.Erreurs)});
        item->setData(0, Qt::UserRole, i);
        item->setToolTip(1, Kit::BulleTexte(aLaPlace));
        item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
        item->setTextAlignment(3, Qt::AlignRight | Qt::AlignVCenter);
        if (!genres.isEmpty())
            item->setForeground(1, QBrush(encre));
    }
    eElevesMot->clear();
    lElevesMot->setText(m_classe.Mots.isEmpty()
                            ? QStringLiteral("Aucun mot raté au premier essai dans les bilans de "
                                             "ce groupe.")
                            : QStringLiteral("Cliquez sur un mot pour voir quels élèves l'ont "
                                             "raté au premier essai."));
}

void FenetreClasse::eMotsChange() {
    eElevesMot->clear();
    const QList<QTreeWidgetItem*> choix = eMots->selectedItems();
    if (choix.isEmpty())
        return;
    const int i = choix.first()->data(0, Qt::UserRole).toInt();
    if (i < 0 || i >= m_classe.Mots.size())
        return;
    const MotDeLaClasse& m = m_classe.Mots.at(i);
    lElevesMot->setText(QStringLiteral("« %1 » : raté au premier essai par").arg(m.Affiche));
    for (const MotDeLaClasse::Eleve& e : m.ParEleve) {
        QString ligne = e.Nom + QStringLiteral(" : ") + Fois(e.Erreurs);
        if (e.Derniere.isValid())
            ligne +=
                (e.Erreurs > 1 ? QStringLiteral(", la dernière le ") : QStringLiteral(", le ")) +
                e.Derniere.toString(QStringLiteral("dd/MM/yyyy"));
        eElevesMot->addItem(ligne);
    }
}

BilanClasse FenetreClasse::ClasseAffichee() const {
    BilanClasse r = m_classe;
    r.Eleves.clear();
    QHash<QString, int> index;
    for (int i = 0; i < m_classe.Eleves.size(); ++i)
        index.insert(m_classe.Eleves.at(i).Eleve, i);
    for (int ligne = 0; ligne < m_modeleClasse->rowCount(); ++ligne) {
        const QString nom = m_modeleClasse->item(ligne, ColonneEleve)->data(RoleEleve).toString();
        const auto it = index.constFind(nom);
        if (it != index.constEnd())
            r.Eleves.append(m_classe.Eleves.at(it.value()));
    }
    return r;
}

void FenetreClasse::eClasseDoubleClick(const QModelIndex& index) {
    if (!index.isValid())
        return;
    const QStandardItem* nom = m_modeleClasse->item(index.row(), ColonneEleve);
    if (!nom)
        return;
    m_eleveChoisi = nom->data(RoleEleve).toString();
    close();
}

void FenetreClasse::bExporterClasseClick() {
    if (m_enCours || m_classe.Eleves.isEmpty())
        return;
    const QString propose = QStringLiteral("Classe %1.csv")
                                .arg(m_groupe.isEmpty() ? QStringLiteral("sans groupe") : m_groupe);
    const QString chemin = Services::ChoixFichier().Enregistrer(
        this, QStringLiteral("Exporter la classe"), propose, QStringLiteral("Tableur CSV (*.csv)"));
    if (chemin.isEmpty())
        return;
    QString raison;
    BilanClasse classe = ClasseAffichee();
    CompleterFautes(classe, *m_cache, m_necessaires);
    if (!EnregistrerFichier(chemin, CsvClasse(classe), &raison)) {
        Services::Messages().Erreur(
            QStringLiteral("Impossible d'enregistrer le fichier « %1 » : %2")
                .arg(QDir::toNativeSeparators(chemin), raison));
        return;
    }
    Services::Messages().Information(
        QStringLiteral("La classe a été exportée dans le fichier « %1 ».\n"
                       "LibreOffice Calc et Excel l'ouvrent directement.")
            .arg(QDir::toNativeSeparators(chemin)));
}

void FenetreClasse::bImprimerClasseClick() {
    if (m_enCours || m_classe.Eleves.isEmpty())
        return;
    const QString date = Services::Horloge().DateCourte();
    const QString texte = ongletsClasse->currentWidget() == ongletMots
                              ? ImpressionMots(m_classe, m_groupe, date)
                              : ImpressionClasse(ClasseAffichee(), m_groupe, date);
    if (!Services::Imprimante().Configurer(this))
        return;
    // The title line goes in bold at the top, as every printout's heading.
    const qsizetype fin = texte.indexOf(QStringLiteral("\n\n"));
    Services::Imprimante().Imprimer(texte.mid(fin + 2), texte.left(fin));
}

void FenetreClasse::bActualiserClasseClick() {
    Calculer();
}

void FenetreClasse::bFermerClasseClick() {
    close();
}

void FenetreClasse::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape) {
        e->accept();
        close();
        return;
    }
    FormeModale::keyPressEvent(e);
}
