#include "ui/setup/FenetreDepart.h"

#include "core/Chemins.h"
#include "core/Configuration.h"
#include "core/Etat.h"
#include "core/FichierTexte.h"
#include "core/Palette.h"
#include "core/Services.h"
#include "core/Texte.h"
#include "core/progress/RevueMots.h"
#include "core/records/FichiersEleve.h"
#include "core/records/Reussites.h"
#include "core/setup/ChoixDepart.h"
#include "core/setup/ListesDepart.h"
#include "ui/Fenetres.h"
#include "ui/Pilote.h"
#include "ui/kit/Kit.h"
#include "ui/kit/Lecture.h"
#include "ui/platform/ImagesQt.h"
#include "ui/setup/DialogueMotDePasse.h"
#include "ui/setup/DialogueNouvelEleve.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QToolButton>

namespace {

// What the review's entry carries: it stands for no folder (it has no Qt::UserRole).
constexpr int RoleRevue = Qt::UserRole + 1;

QString Affiche(const QString& chemin) {
    return QDir::toNativeSeparators(chemin);
}

// The program ended while a dialog was open (a signal, the session closing): nothing the dialog
// left behind is acted on.
bool ProgrammeQuiSeFerme() {
    return Pilote::ProgrammeQuiSeTermine();
}

// The text a one-field dialog was closed with; empty when it was not closed by its "Valider"
// (cancelled, closed by the window manager, or ended with the program). The field is looked
// up once the dialog has been shown: its controls are built at its first showing.
QString TexteValide(QDialog* dialogue) {
    const bool valide = Services::Modal().Montrer(dialogue) == QDialog::Accepted;
    auto* champ = dialogue->findChild<QLineEdit*>();
    if (!champ)
        return {};
    const QString texte = champ->text();
    champ->clear(); // nothing typed stays behind in a hidden field
    return valide && !ProgrammeQuiSeFerme() ? texte : QString();
}

// The pupil's three record files, each created empty only where it is missing (in any case).
void CreerFichiersEleve() {
    for (const char* suffixe : {SuffixeHistorique, SuffixeDetail, SuffixeExos}) {
        const QString fichier = FichierEleve(QString::fromLatin1(suffixe));
        if (!FichierExiste(fichier))
            CreerFichierVide(fichier);
    }
}

// The start form's two lists. The font their style gives them arrives once they exist, and a
// list told of a new font builds its drop-down window there and then (view, scroll bars, the
// items laid out): a millisecond and a half of every start, for lists a pupil may never open.
// Until the drop-down exists, the news is left out; built at its first opening, it takes the
// list's font then.
class ListeDepart : public QComboBox {
public:
    using QComboBox::QComboBox;

protected:
    void changeEvent(QEvent* e) override {
        if (e->type() == QEvent::FontChange && !findChild<QAbstractItemView*>()) {
            QWidget::changeEvent(e);
            return;
        }
        QComboBox::changeEvent(e);
    }
};

} // namespace

FenetreDepart::FenetreDepart(QWidget* parent)
    : FormeModale(parent, QStringLiteral("Form2"), QStringLiteral("Choix dossier")) {
    SansBoutonsDeTitre();
    FixerTaille(297, 424);
    CreerControles();
    FormCreate();
    m_calculRevue.setMaxThreadCount(1);
}

FenetreDepart::~FenetreDepart() {
    *m_revueDemandee = -1;
    m_calculRevue.waitForDone();
}

void FenetreDepart::CreerControles() {
    setStyleSheet(
        QStringLiteral("#Form2 { background: white; }") + Kit::StyleBoutons +
        QStringLiteral(
            // The desktop style draws the combos, so their arrow shows a list to open.
            "QComboBox { font-size: 14px; color: #0b2447; }"
            "QComboBox QAbstractItemView { font-size: 14px; selection-background-color: %1; }"
            "QListWidget { background: white; border: 2px solid #7fb0e0; border-radius: 6px;"
            " font-size: 14px; color: #0b2447; outline: none; }"
            "QListWidget::item { height: 20px; padding-left: 4px; }"
            "QListWidget::item:hover { background: #e6f1fc; }"
            // Where the arrow keys stand before anything is chosen.
            "QListWidget::item:focus { border: 1px dashed #3f82c9; }"
            "QListWidget::item:selected { background: %1; color: white; }"
            "QToolButton#bValider { background: %2; border-color: #1b5e20; color: white;"
            " font-size: 16px; }"
            "QToolButton#bValider:hover { background: %3; }"
            "QToolButton#bValider:disabled { background: #dfe9df; border-color: #c5d6c5;"
            " color: #9bb09b; }"
            "QToolButton#bSuperviseur, QToolButton#bRemonter { background: transparent;"
            " border: none; padding: 0; }"
            "QToolButton#bSuperviseur:hover, QToolButton#bRemonter:hover { background: #e6f1fc; }"
            "QToolButton#bRemonter:disabled { background: transparent; }")
            // White letters on them: colours of the checked palette.
            .arg(NomCss(Couleurs::Selection), NomCss(Couleurs::VertValider),
                 NomCss(Couleurs::VertValiderSurvol)));

    // The two framed halves of the picture hold the two steps; a heading sits in each band.
    Fond = new QLabel(this);
    Fond->setTextFormat(Qt::PlainText);
    Fond->setObjectName(QStringLiteral("Fond"));
    Fond->setGeometry(0, 0, 297, 424);
    PoserImageDeFond(Fond, ChargerImageRessource(ImageFondDepart));
    Fond->lower();

    lQuiEsTu =
        Kit::Etiquette(this, "Label1", QStringLiteral("1 - Qui es-tu ?"), QRect(16, 8, 210, 26));
    lQuiEsTu->setStyleSheet(Kit::StyleTitre);

    cChoixGroupe = new ListeDepart(this);
    cChoixGroupe->setObjectName(QStringLiteral("cChoixGroupe"));
    cChoixGroupe->setAccessibleName(QStringLiteral("Groupe"));
    cChoixGroupe->setGeometry(16, 46, 264, 30);
    cChoixUtilisateur = new ListeDepart(this);
    cChoixUtilisateur->setObjectName(QStringLiteral("cChoixUtilisateur"));
    cChoixUtilisateur->setAccessibleName(QStringLiteral("Élève"));
    cChoixUtilisateur->setGeometry(16, 84, 264, 30);
    for (QComboBox* c : {cChoixGroupe, cChoixUtilisateur}) {
        c->setEditable(false);
        c->setMaxVisibleItems(12);
        Kit::NommerListe(c);
    }

    bNouvelEleve = Kit::BoutonPlat(this, "bNouvelEleve", QStringLiteral("Nouvel élève"),
                                   QRect(16, 128, 106, 58));
    bNouvelEleve->setIcon(ChargerImageRessource(QStringLiteral(":/art/nouvel_eleve.png")));
    bBilan =
        Kit::BoutonPlat(this, "bBilan", QStringLiteral("Voir mon bilan"), QRect(128, 128, 106, 58));
    bBilan->setIcon(ChargerImageRessource(QStringLiteral(":/art/bilan.png")));
    for (QToolButton* b : {bNouvelEleve, bBilan}) {
        b->setIconSize(QSize(22, 22));
        b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        b->setStyleSheet(QStringLiteral("QToolButton { font-size: 12px; padding: 2px; }"));
        Kit::Bulle(b, b->accessibleName()); // the caption, also under the pointer
    }
    bSuperviseur = Kit::BoutonPlat(this, "bSuperviseur", QString(), QRect(240, 137, 41, 41));
    bSuperviseur->setIcon(ChargerImageRessource(QStringLiteral(":/art/superviseur.png")));
    bSuperviseur->setIconSize(QSize(36, 36));
    bSuperviseur->setAutoRaise(true);
    bSuperviseur->setAccessibleName(QStringLiteral("Accéder au module enseignant"));
    Kit::Bulle(bSuperviseur, bSuperviseur->accessibleName());

    lChoisisUnExercice = Kit::Etiquette(this, "Label2", QStringLiteral("2 - Choisis un exercice."),
                                        QRect(16, 218, 194, 26));
    lChoisisUnExercice->setStyleSheet(Kit::StyleTitre);
    bRemonter = Kit::BoutonPlat(this, "bRemonter", QString(), QRect(212, 218, 28, 26));
    bRemonter->setIcon(ChargerImageRessource(QStringLiteral(":/art/remonter.png")));
    bRemonter->setIconSize(QSize(22, 22));
    bRemonter->setAccessibleName(QStringLiteral("Revenir au dossier parent"));
    Kit::Bulle(bRemonter, bRemonter->accessibleName());

    eRepertoires = new QListWidget(this);
    eRepertoires->setObjectName(QStringLiteral("eRepertoires"));
    eRepertoires->setAccessibleName(QStringLiteral("Exercices"));
    eRepertoires->setGeometry(16, 252, 264, 124);
    eRepertoires->setSelectionMode(QAbstractItemView::SingleSelection);
    eRepertoires->setUniformItemSizes(true);
    eRepertoires->setSortingEnabled(false);
    eRepertoires->setFocusPolicy(Qt::StrongFocus); // a pupil with the keyboard gets there too
    eRepertoires->installEventFilter(this);
    eRepertoires->viewport()->installEventFilter(this);

    bValider =
        Kit::BoutonPlat(this, "bValider", QStringLiteral("Commencer"), QRect(16, 381, 160, 32));
    bQuitter =
        Kit::BoutonPlat(this, "bQuitter", QStringLiteral("Quitter"), QRect(184, 381, 96, 32));

    // Tab goes through the form as it is read: who, then which exercise, then the way out.
    QWidget* const ordre[] = {cChoixGroupe, cChoixUtilisateur, bNouvelEleve, bBilan,  bSuperviseur,
                              bRemonter,    eRepertoires,      bValider,     bQuitter};
    for (size_t i = 1; i < std::size(ordre); ++i)
        setTabOrder(ordre[i - 1], ordre[i]);

    connect(cChoixGroupe, &QComboBox::activated, this, &FenetreDepart::cChoixGroupeChange);
    connect(cChoixUtilisateur, &QComboBox::activated, this,
            &FenetreDepart::cChoixUtilisateurChange);
    connect(bNouvelEleve, &QToolButton::clicked, this, &FenetreDepart::bNouvelEleveClick);
    connect(bBilan, &QToolButton::clicked, this, &FenetreDepart::bBilanClick);
    connect(bSuperviseur, &QToolButton::clicked, this, &FenetreDepart::bSuperviseurClick);
    connect(eRepertoires, &QListWidget::itemSelectionChanged, this,
            &FenetreDepart::eRepertoiresClick);
    connect(eRepertoires, &QListWidget::itemDoubleClicked, this,
            &FenetreDepart::eRepertoiresDblClick);
    connect(bRemonter, &QToolButton::clicked, this, &FenetreDepart::bRemonterClick);
    connect(bValider, &QToolButton::clicked, this, &FenetreDepart::bValiderClick);
    connect(bQuitter, &QToolButton::clicked, this, &FenetreDepart::bQuitterClick);
}

void FenetreDepart::FormCreate() {
    cChoixGroupe->addItem(TexteChoisisTonGroupe);
    cChoixUtilisateur->addItem(TexteVisiteur, int(GenreEleve::Visiteur));
    bNouvelEleve->setEnabled(false);
    bBilan->setEnabled(false);
    bRemonter->setEnabled(false);
    bValider->setEnabled(false);
}

void FenetreDepart::FormShow() {
    AppliquerLecture();
    // The exercise just done may have changed the words due: read them again.
    m_revuePour.clear();
    RemplirListeGroupes();
    cChoixGroupeChange();
    RemplirListeEleves();
    Etat.Choix.AuDebut(Etat.CheminMedias);
    // A media root that cannot be entered was reported by the caller when it tried.
    RemplirDossiers(false);
}

// High contrast: black on white, the picture's bands left out; the usual look otherwise. The
// words to review take the reading letters when their entry is made.
void FenetreDepart::AppliquerLecture() {
    if (m_styleHabituel.isNull()) {
        if (!Lecture::ContrasteFort())
            return; // never changed
        m_styleHabituel = styleSheet();
    }
    const bool fort = Lecture::ContrasteFort();
    Fond->setVisible(!fort);
    const CouleursLecture& c = CouleursContrasteFort();
    const QString regles =
        QStringLiteral("#Form2, QLabel { background: %1; color: %2; }"
                       "QToolButton, QToolButton#bValider, QComboBox, QListWidget {"
                       " background: %1; color: %2; border: 2px solid %3; }"
                       "QToolButton:disabled, QToolButton#bValider:disabled {"
                       " background: %1; color: %4; border-color: %4; }"
                       "QListWidget::item:selected { background: %2; color: %1; }"
                       "QToolButton#bSuperviseur, QToolButton#bRemonter { border: none; }");
    setStyleSheet(m_styleHabituel + (fort ? regles.arg(Lecture::Couleur(c.Fond).name(),
                                                       Lecture::Couleur(c.Texte).name(),
                                                       Lecture::Couleur(c.Cadre).name(),
                                                       Lecture::Couleur(c.TexteDesactive).name())
                                          : QString()));
}

void FenetreDepart::FormActivate() {
    cChoixUtilisateurChange();
    Etat.Choix.ElevePrecedent = Etat.NomEleve;
}

// --- Groups and pupils ---------------------------------------------------------------------

void FenetreDepart::SelectionnerSansCasse(QComboBox* liste, const QString& texte) {
    // The entry written exactly so comes first: a pupil named "visiteur" or "nouveau" must not
    // land on the special entries "Visiteur" (no records) or "Nouveau" (the new-pupil dialog).
    int i = liste->findText(texte, Qt::MatchFixedString | Qt::MatchCaseSensitive);
    if (i < 0)
        i = liste->findText(texte, Qt::MatchFixedString);
    // A name typed here is composed; files copied from a Mac spell their accents in two.
    for (int j = 0; i < 0 && j < liste->count(); ++j)
        if (MemeNomDeFichier(liste->itemText(j), texte))
            i = j;
    liste->setCurrentIndex(i);
}

void FenetreDepart::RemplirListeGroupes() {
    cChoixGroupe->clear();
    cChoixGroupe->addItem(TexteChoisisTonGroupe);
    // A records root that is missing lists no group: a visitor can still work, and a named
    // pupil is told when something of his would have to be written there.
    if (!Etat.CheminBilans.isEmpty()) {
        for (const QString& g : ListerGroupes(Etat.CheminBilans))
            cChoixGroupe->addItem(g, g);
        SignalerNomsNonUtf8(Etat.CheminBilans);
    }
    // The group chosen last; the list's own spelling of it from now on.
    const QString groupe = Etat.Choix.NomGroupe();
    if (groupe.isEmpty())
        cChoixGroupe->setCurrentIndex(0);
    else
        SelectionnerSansCasse(cChoixGroupe, groupe);
    Etat.Choix.Groupe = GroupeDeLaListe();
}

void FenetreDepart::RemplirListeEleves() {
    cChoixUtilisateur->clear();
    cChoixUtilisateur->addItem(TexteVisiteur, int(GenreEleve::Visiteur));
    // An empty group folder (no records root) must not list the working folder instead.
    if (!Etat.DossierGroupe.isEmpty()) {
        const ListeEleves liste = ListerEleves(Etat.DossierGroupe);
        if (liste.Nouveau)
            cChoixUtilisateur->addItem(TexteNouveau, int(GenreEleve::Nouveau));
        for (const QString& e : liste.Eleves)
            cChoixUtilisateur->addItem(e, int(GenreEleve::Nomme));
        SignalerNomsNonUtf8(Etat.DossierGroupe);
    }
    // The pupil chosen last, while this group lists him; nobody shown stands for a visitor.
    const EleveChoisi& eleve = Etat.Choix.Eleve;
    switch (eleve.Genre) {
    case GenreEleve::Visiteur:
        cChoixUtilisateur->setCurrentIndex(0);
        break;
    case GenreEleve::Nouveau:
        cChoixUtilisateur->setCurrentIndex(cChoixUtilisateur->findData(int(GenreEleve::Nouveau)));
        break;
    case GenreEleve::Nomme:
        SelectionnerSansCasse(cChoixUtilisateur, eleve.Nom);
        break;
    }
    Etat.Choix.Eleve = EleveDeLaListe();
    CalculerRevue();
}

std::optional<QString> FenetreDepart::GroupeDeLaListe() const {
    // No entry shown: the group remembered is gone, and the records root stands for it.
    if (cChoixGroupe->currentIndex() < 0)
        return QString();
    // The "Choisis ton groupe" entry carries nothing; a group carries its name.
    const QVariant g = cChoixGroupe->currentData();
    if (g.typeId() != QMetaType::QString)
        return std::nullopt;
    return g.toString();
}

EleveChoisi FenetreDepart::EleveDeLaListe() const {
    const QVariant genre = cChoixUtilisateur->currentData();
    if (!genre.isValid())
        return {};
    const auto g = static_cast<GenreEleve>(genre.toInt());
    return {g, g == GenreEleve::Nomme ? cChoixUtilisateur->currentText() : QString()};
}

void FenetreDepart::AppliquerChoixGroupe() {
    Etat.DossierGroupe = DossierDuGroupeChoisi(Etat.CheminBilans, Etat.Choix.Groupe);
}

void FenetreDepart::cChoixGroupeChange() {
    Etat.Choix.Groupe = GroupeDeLaListe();
    AppliquerChoixGroupe();
    if (!Etat.Choix.Groupe) {
        bNouvelEleve->setEnabled(false);
    } else {
        if (Etat.AjoutNouvelEleve)
            bNouvelEleve->setEnabled(true);
    }
    RemplirListeEleves();
}

void FenetreDepart::cChoixUtilisateurChange() {
    Etat.Choix.Eleve = EleveDeLaListe();
    CalculerRevue();
    const GenreEleve genre = Etat.Choix.Eleve.Genre;
    bBilan->setEnabled(genre == GenreEleve::Nomme);
    if (genre == GenreEleve::Nouveau && bNouvelEleve->isEnabled())
        bNouvelEleveClick();
}

bool FenetreDepart::ResteDansLeDossierDuGroupe() {
    if (Etat.DossierGroupe.isEmpty()) {
        Services::Messages().Erreur(QStringLiteral(
            "Le dossier des bilans est introuvable : rien ne peut y être enregistré. "
            "Il faut redéfinir son chemin d'accès dans le fichier INI."));
        return false;
    }
    if (DossierExiste(Etat.DossierGroupe))
        return true;
    // Records written nowhere would be lost without anyone knowing.
    Services::Messages().Erreur(
        QStringLiteral(
            "Le dossier du groupe « %1 » est introuvable : rien ne peut y être enregistré.")
            .arg(Affiche(Etat.DossierGroupe)));
    return false;
}

void FenetreDepart::bNouvelEleveClick() {
    if (!Etat.EcriturePossible) {
        Services::Messages().Message(QStringLiteral("Accès refusé"));
        return;
    }
    cChoixGroupeChange();
    if (!ResteDansLeDossierDuGroupe())
        return;
    QStringList pris;
    for (int i = 0; i < cChoixUtilisateur->count(); ++i)
        pris << cChoixUtilisateur->itemText(i);
    Fenetres::NouvelEleve->NomsPris = pris;
    const QString nom = TexteValide(Fenetres::NouvelEleve);
    if (nom.isEmpty())
        return;
    for (const char* suffixe : {SuffixeHistorique, SuffixeDetail, SuffixeExos}) {
        const QString fichier = Etat.DossierGroupe + nom + QString::fromLatin1(suffixe);
        if (!FichierExiste(fichier))
            CreerFichierVide(fichier);
    }
    Etat.Choix.Eleve = {GenreEleve::Nomme, nom};
    RemplirListeEleves();
}

bool FenetreDepart::VerifierMotDePasseEleve() {
    // Read before asking: a file that cannot be read stops here, without a question in vain.
    const QString fichier = FichierEleve(QString::fromLatin1(SuffixeMotDePasse));
    QStringList lignes;
    QString raison;
    if (!LireLignes(fichier, lignes, &raison) && !raison.isEmpty()) {
        Services::Messages().Erreur(QStringLiteral("Impossible de lire le mot de passe « %1 » : %2")
                                        .arg(Affiche(fichier), raison));
        return false;
    }
    const QString enregistre = lignes.isEmpty() ? QString() : lignes.last();

    Fenetres::MotDePasse->setWindowTitle(QStringLiteral("Saisie du mot de passe"));
    const QString reponse = TexteValide(Fenetres::MotDePasse);
    if (ProgrammeQuiSeFerme())
        return false;

    if (MotDePasseAccepte(reponse, enregistre) ||
        EgauxSelonRegle(reponse, Etat.MotDePasseEnseignant))
        return true;
    Services::Messages().Message(QStringLiteral("Mot de passe incorrect."));
    return false;
}

bool FenetreDepart::ChoisirMotDePasseEleve() {
    Fenetres::MotDePasse->setWindowTitle(QStringLiteral("Choix du mot de passe"));
    const QString texte = TexteValide(Fenetres::MotDePasse);
    if (texte.isEmpty())
        return false;
    // Written so that the same typing opens it again, whatever characters it holds.
    EcrireMotDePasse(FichierEleve(QString::fromLatin1(SuffixeMotDePasse)), texte);
    return true;
}

void FenetreDepart::bBilanClick() {
    AppliquerChoixGroupe();
    Etat.ModeEnseignant = false;
    Etat.NomEleve = Etat.Choix.Eleve.NomEleve();
    if (Etat.NomEleve.isEmpty())
        return;
    if (!ResteDansLeDossierDuGroupe())
        return;
    if (Etat.MotDePasseActif &&
        !FichierExiste(FichierEleve(QString::fromLatin1(SuffixeMotDePasse))))
        return;
    if (Etat.NomEleve != Etat.Choix.ElevePrecedent && Etat.MotDePasseActif &&
        !VerifierMotDePasseEleve())
        return;
    CreerFichiersEleve();
    emit bilansDemandes();
}

void FenetreDepart::bSuperviseurClick() {
    AppliquerChoixGroupe();
    bool accepte = Etat.MotDePasseEnseignant.isEmpty();
    if (!accepte) {
        Fenetres::MotDePasse->setWindowTitle(QStringLiteral("Saisie du mot de passe"));
        const QString reponse = TexteValide(Fenetres::MotDePasse);
        accepte = !reponse.isEmpty() && EgauxSelonRegle(reponse, Etat.MotDePasseEnseignant);
    }
    if (!accepte)
        return;

    Etat.ModeEnseignant = true;
    emit bilansDemandes();
    if (ProgrammeQuiSeFerme())
        return;

    if (ChargerConfiguration() == ResultatConfiguration::IniAbsent) {
        // The message is shown; without its configuration the program ends.
        done(SansConfiguration);
        return;
    }
    // The teacher may have renamed or deleted the group or the pupil: the lists show what
    // still stands of the choice, and the pupil's words are read again.
    m_revuePour.clear();
    RemplirListeGroupes();
    cChoixGroupeChange();
    cChoixUtilisateurChange();

    // The teacher may have changed the media root: the browser stays where it was while that is
    // still in the tree.
    Etat.Choix.ApresModuleEnseignant(Etat.CheminMedias);
    // What the teacher made, renamed or deleted in the studio shows at once.
    RemplirListeDossiers();
}

// --- Exercise folders ----------------------------------------------------------------------

bool FenetreDepart::Entrer(const QString& dossier) {
    const QString d = SansSeparateurFinal(dossier);
    if (!QFileInfo(d).isDir()) {
        Services::Messages().Erreur(
            QStringLiteral("Le dossier « %1 » est introuvable.").arg(Affiche(d)));
        return false;
    }
    if (!QDir(d).isReadable()) {
        Services::Messages().Erreur(
            QStringLiteral("Impossible d'ouvrir le dossier « %1 ».").arg(Affiche(d)));
        return false;
    }
    Etat.Choix.Position = d;
    return true;
}

bool FenetreDepart::ContientSousDossier(const QString& nom) const {
    return ::ContientSousDossier(Etat.Choix.Enfant(nom));
}

void FenetreDepart::RemplirListeDossiers() {
    RemplirDossiers(true);
}

void FenetreDepart::RemplirDossiers(bool signalerRacineAbsente) {
    m_remplissage = true;
    eRepertoires->clear();
    bValider->setEnabled(false);
    ChoixTravail& choix = Etat.Choix;
    if (!QFileInfo(choix.Position).isDir()) {
        const bool racineLa = QFileInfo(Etat.CheminMedias).isDir();
        if (!choix.ALaRacine(Etat.CheminMedias) && racineLa) {
            // The folder went away under the browser: back to the top, which is still there.
            Services::Messages().Erreur(
                QStringLiteral("Le dossier « %1 » n'existe plus : retour au début des exercices.")
                    .arg(Affiche(choix.Position)));
            choix.AuDebut(Etat.CheminMedias);
        } else {
            if (signalerRacineAbsente)
                Services::Messages().Erreur(
                    QStringLiteral("Le dossier des exercices « %1 » est introuvable.")
                        .arg(Affiche(Etat.CheminMedias)));
            bRemonter->setEnabled(false);
            m_remplissage = false;
            return;
        }
    }
    const QStringList entrees = ListerDossiers(choix.Position);
    SignalerNomsNonUtf8(choix.Position);
    for (const QString& e : entrees) {
        auto* item = new QListWidgetItem(e, eRepertoires);
        // The folder's own name: what the list shows may carry the sub-folders' mark.
        item->setData(Qt::UserRole, SansMarque(e));
        item->setSizeHint(QSize(0, 20));
    }
    bRemonter->setEnabled(!choix.ALaRacine(Etat.CheminMedias));
    bValider->setEnabled(false);
    m_remplissage = false;
    MontrerEntreeRevue();
}

// --- The review of the pupil's words --------------------------------------------------------

QString FenetreDepart::CleDeLaRevue() const {
    const QString eleve = Etat.Choix.Eleve.NomEleve();
    if (eleve.isEmpty() || Etat.DossierGroupe.isEmpty())
        return {};
    return Etat.DossierGroupe + u'\n' + eleve;
}

void FenetreDepart::CalculerRevue() {
    const QString pour = CleDeLaRevue();
    if (pour == m_revuePour)
        return; // this pupil's review is shown or on its way
    m_revuePour = pour;
    m_revuePrete = false;
    m_revue = {};
    MontrerEntreeRevue();
    const int demande = ++*m_revueDemandee;
    if (pour.isEmpty())
        return;
    m_calculRevue.start([this, derniere = m_revueDemandee, demande, pour,
                         groupe = Etat.DossierGroupe, eleve = Etat.Choix.Eleve.NomEleve(),
                         medias = Etat.CheminMedias, jour = DateDuJour()] {
        if (derniere->load() != demande)
            return; // another pupil was chosen meanwhile
        const ItemsRevue items = PreparerRevue(groupe, eleve, medias, jour);
        if (derniere->load() != demande)
            return;
        // The form waits for this thread before it goes, so it is still there to be told.
        QMetaObject::invokeMethod(
            this, [this, demande, pour, items] { RevueCalculee(demande, pour, items); },
            Qt::QueuedConnection);
    });
}

void FenetreDepart::RevueCalculee(int demande, const QString& pour, const ItemsRevue& items) {
    if (demande != m_revueDemandee->load() || pour != m_revuePour)
        return;
    m_revue = items;
    m_revuePrete = true;
    MontrerEntreeRevue();
}

void FenetreDepart::MontrerEntreeRevue() {
    QListWidgetItem* premiere = eRepertoires->item(0);
    const bool montree = premiere && premiere->data(RoleRevue).toBool();
    const bool aMontrer = m_revuePrete && !m_revue.Vide() && !m_revuePour.isEmpty() &&
                          Etat.Choix.ALaRacine(Etat.CheminMedias);
    // The list's own moves while an entry comes or goes are no choice of the pupil's: the
    // current entry moving on would open a folder.
    const bool remplissage = m_remplissage;
    m_remplissage = true;
    if (montree && !aMontrer) {
        const bool choisie = premiere->isSelected();
        delete eRepertoires->takeItem(0);
        if (choisie) {
            eRepertoires->clearSelection();
            bValider->setEnabled(false);
        }
    }
    if (aMontrer) {
        QListWidgetItem* entree = montree ? premiere : new QListWidgetItem;
        entree->setText(TexteEntreeRevue(m_revue));
        entree->setData(RoleRevue, true);
        entree->setToolTip(ExplicationRevue(m_revue));
        entree->setData(Qt::AccessibleDescriptionRole, ExplicationRevue(m_revue));
        entree->setSizeHint(QSize(0, 20));
        QFont gras = eRepertoires->font();
        gras.setBold(true);
        entree->setFont(Lecture::Police(gras));
        entree->setForeground(Lecture::ContrasteFort()
                                  ? Lecture::Couleur(CouleursContrasteFort().Accent)
                                  : QColor(QRgb(Couleurs::OrangeRevue)));
        // Nothing left to play (every word's exercise is gone): the entry only says so.
        entree->setFlags(m_revue.Chemins.isEmpty() ? Qt::NoItemFlags
                                                   : Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        if (!montree)
            eRepertoires->insertItem(0, entree);
        if (m_revue.Chemins.isEmpty())
            bValider->setEnabled(bValider->isEnabled() && !RevueChoisie());
    }
    m_remplissage = remplissage;
}

bool FenetreDepart::RevueChoisie() const {
    const QList<QListWidgetItem*> choisies = eRepertoires->selectedItems();
    return !choisies.isEmpty() && choisies.first()->data(RoleRevue).toBool();
}

QString FenetreDepart::EntreeChoisie() const {
    const QList<QListWidgetItem*> choisies = eRepertoires->selectedItems();
    return choisies.isEmpty() ? QString() : choisies.first()->data(Qt::UserRole).toString();
}

void FenetreDepart::eRepertoiresClick() {
    if (m_remplissage)
        return;
    if (RevueChoisie()) {
        bValider->setEnabled(true);
        return;
    }
    const QString entree = EntreeChoisie();
    if (entree.isNull()) {
        bValider->setEnabled(false);
        return;
    }
    const QString& nom = entree;
    const QString chemin = Etat.Choix.Enfant(nom);
    if (!QFileInfo(chemin).isDir()) {
        Services::Messages().Erreur(
            QStringLiteral("Le dossier « %1 » n'existe plus.").arg(Affiche(chemin)));
        RemplirListeDossiers();
        return;
    }
    if (ContientSousDossier(nom)) {
        if (Entrer(chemin)) {
            m_ouverture.start();
            RemplirListeDossiers();
        } else {
            bValider->setEnabled(false);
        }
        return;
    }
    bValider->setEnabled(ContientSon(chemin));
}

void FenetreDepart::eRepertoiresDblClick() {
    const QString entree = EntreeChoisie();
    if (entree.isNull())
        return;
    if (ContientSousDossier(entree) && Entrer(Etat.Choix.Enfant(entree)))
        RemplirListeDossiers();
}

bool FenetreDepart::eRepertoiresKeyPress(const QKeyEvent* e) {
    const int touche = e->key();
    if (touche != Qt::Key_Return && touche != Qt::Key_Enter)
        return false;
    if (e->isAutoRepeat())
        return true; // a held key starts nothing more than its first press did
    if (bValider->isEnabled()) {
        bValiderClick();
        return true;
    }
    // What a double click does: the entry the arrow keys stand on is chosen, so a marked
    // folder opens and an exercise folder enables "Commencer".
    QListWidgetItem* ici = eRepertoires->currentItem();
    if (ici && !ici->isSelected())
        ici->setSelected(true);
    return true;
}

bool FenetreDepart::eventFilter(QObject* objet, QEvent* e) {
    if (objet == eRepertoires && e->type() == QEvent::KeyPress)
        return eRepertoiresKeyPress(static_cast<QKeyEvent*>(e));
    if (objet == eRepertoires->viewport() && e->type() == QEvent::MouseButtonDblClick &&
        m_ouverture.isValid() && m_ouverture.elapsed() < QApplication::doubleClickInterval()) {
        // A young pupil double-clicks a folder: the first click opened it, the second one
        // must not pick whatever lies under the mouse in the folder just opened.
        m_ouverture.invalidate();
        return true;
    }
    return FormeModale::eventFilter(objet, e);
}

void FenetreDepart::bRemonterClick() {
    if (Etat.Choix.ALaRacine(Etat.CheminMedias))
        return; // never above the media root
    Entrer(Etat.Choix.Parent());
    // Refilled either way: a position that vanished goes back to the top.
    RemplirListeDossiers();
}

void FenetreDepart::bValiderClick() {
    const bool revue = RevueChoisie();
    const QString entree = EntreeChoisie();
    if (entree.isNull() && !revue)
        return;
    Etat.NomEleve = Etat.Choix.Eleve.NomPourExercice();
    AppliquerChoixGroupe();
    if (!Etat.NomEleve.isEmpty() && !ResteDansLeDossierDuGroupe())
        return;
    const QString dossier = Etat.Choix.Enfant(entree);
    if (!revue && !QFileInfo(dossier).isDir()) {
        Services::Messages().Erreur(
            QStringLiteral("Le dossier « %1 » n'existe plus.").arg(Affiche(dossier)));
        RemplirListeDossiers();
        return;
    }

    switch (MotDePasseAvantExercice(
        Etat.MotDePasseActif, Etat.NomEleve, Etat.Choix.ElevePrecedent,
        FichierExiste(FichierEleve(QString::fromLatin1(SuffixeMotDePasse))))) {
    case MotDePasseAFaire::Aucun:
        break;
    case MotDePasseAFaire::Verifier:
        if (!VerifierMotDePasseEleve())
            return;
        break;
    case MotDePasseAFaire::Choisir:
        if (!ChoisirMotDePasseEleve())
            return;
        break;
    }
    if (!Etat.NomEleve.isEmpty()) {
        CreerFichiersEleve();
        ChargerReussites();
    }
    if (revue) {
        // Read again: a sound may have gone since the entry was shown.
        Etat.Choix.Revue =
            PreparerRevue(Etat.DossierGroupe, Etat.NomEleve, Etat.CheminMedias, DateDuJour())
                .Chemins;
        Etat.Choix.DossierExercice = AvecSeparateur(Etat.CheminMedias) + NomRevue;
        done(QDialog::Accepted);
        return;
    }
    Etat.Choix.Revue.reset();
    Etat.Choix.DossierExercice = dossier;
    if (!Entrer(dossier)) {
        RemplirListeDossiers();
        return;
    }
    done(QDialog::Accepted);
}

void FenetreDepart::bQuitterClick() {
    if (!Services::Messages().QuestionOkAnnuler(
            QStringLiteral("Veux-tu vraiment quitter le logiciel ?")))
        return;
    done(Quitter);
}

// Closed by the window manager: "Quitter", with its question. Anything else would run an
// exercise with no folder chosen.
void FenetreDepart::FermetureDeLaFenetre() {
    bQuitterClick();
}
