#include "ui/studio/FenetreEssai.h"

#include "core/Chemins.h"
#include "core/Etat.h"
#include "core/FichierTexte.h"
#include "core/Services.h"
#include "core/exercise/ItemsExercice.h"
#include "core/exercise/TexteCompagnon.h"
#include "ui/dialogs/DialogueAppreciation.h"
#include "ui/kit/Kit.h"
#include "ui/platform/ImagesQt.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>

namespace {
// A label whose text changes: screen readers read the new one.
void Ecrire(QLabel* l, const QString& texte) {
    l->setText(texte);
    l->setAccessibleName(texte);
}
} // namespace

FenetreEssai::FenetreEssai(QWidget* parent, const QString& dossier)
    : FormeModale(parent, QStringLiteral("fEssai"), QStringLiteral("Essai de l'exercice")),
      m_dossier(QDir::cleanPath(dossier)) {
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    resize(600, 420);
    FondBleuCiel();
    TerminerCreation(Controles::Immediats);
}

void FenetreEssai::ConstruireControles() {
    auto* principal = new QVBoxLayout(this);
    lDossier = Kit::Etiquette(this, "lDossier",
                              QStringLiteral("Essai de « %1 » (Visiteur : rien n'est noté)")
                                  .arg(QFileInfo(m_dossier).fileName()),
                              {});
    lDossier->setStyleSheet(Kit::StyleTitre);
    principal->addWidget(lDossier);
    auto* haut = new QHBoxLayout;
    principal->addLayout(haut, 1);
    iImage = new QLabel(this);
    iImage->setTextFormat(Qt::PlainText);
    iImage->setObjectName(QStringLiteral("iImage"));
    iImage->setAccessibleName(QStringLiteral("Image de l'item"));
    iImage->setFixedSize(160, 160);
    iImage->setAlignment(Qt::AlignCenter);
    haut->addWidget(iImage);
    mTexte = new QPlainTextEdit(this);
    mTexte->setObjectName(QStringLiteral("mTexte"));
    mTexte->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    mTexte->setAccessibleName(QStringLiteral("Texte de l'item"));
    mTexte->setReadOnly(true);
    mTexte->setFocusPolicy(Qt::NoFocus);
    haut->addWidget(mTexte, 1);

    auto* grille = new QGridLayout;
    principal->addLayout(grille);
    bEcouter = Kit::Bouton(this, "bEcouter", QStringLiteral("J'écoute"), {});
    bEcouter->setAccessibleName(QStringLiteral("J'écoute"));
    eReponse = new QLineEdit(this);
    eReponse->setObjectName(QStringLiteral("eReponse"));
    eReponse->setAccessibleName(QStringLiteral("Ta réponse"));
    Kit::Police(eReponse, 24);
    eReponse->installEventFilter(this);
    bValider = Kit::Bouton(this, "bValider", QStringLiteral("J'ai écrit"), {});
    bValider->setAccessibleName(QStringLiteral("J'ai écrit"));
    bEcouterLent = Kit::Bouton(this, "bEcouterLent", QStringLiteral("Lentement"), {});
    bEcouterLent->setAccessibleName(QStringLiteral("J'écoute lentement"));
    bEcouterLent->setToolTip(QStringLiteral("J'écoute lentement (F2)"));
    bEcouterLent->setVisible(EcouteLenteIntegree && Etat.EcouteLente);
    auto* ecoutes = new QHBoxLayout;
    ecoutes->addWidget(bEcouter);
    ecoutes->addWidget(bEcouterLent);
    grille->addLayout(ecoutes, 0, 0);
    grille->addWidget(eReponse, 0, 1);
    grille->addWidget(bValider, 0, 2);
    lRetour = Kit::Etiquette(this, "lRetour", {}, {});
    Kit::Police(lRetour, 15, true);
    grille->addWidget(lRetour, 1, 0, 1, 3);
    grille->addWidget(Kit::Etiquette(this, "Label3", QStringLiteral("J'observe"), {}), 2, 0);
    eModele = new QLineEdit(this);
    eModele->setObjectName(QStringLiteral("eModele"));
    eModele->setAccessibleName(QStringLiteral("J'observe"));
    eModele->setReadOnly(true);
    eModele->setFocusPolicy(Qt::NoFocus);
    grille->addWidget(eModele, 2, 1, 1, 2);

    auto* bas = new QHBoxLayout;
    principal->addLayout(bas);
    lScore = Kit::Etiquette(this, "lScore", {}, {});
    bas->addWidget(lScore, 1);
    bRevenir = Kit::Bouton(this, "bRevenir", QStringLiteral("Revenir au studio"), {});
    bRevenir->setAccessibleName(QStringLiteral("Revenir au studio"));
    bas->addWidget(bRevenir);
    for (QPushButton* b : {bEcouter, bEcouterLent, bValider, bRevenir})
        b->setAutoDefault(false);
    auto* f2 = new QShortcut(QKeySequence(Qt::Key_F2), this);
    f2->setAutoRepeat(false);
    connect(f2, &QShortcut::activated, this, &FenetreEssai::bEcouterLentClick);

    m_horloge = new QTimer(this);
    m_horloge->setInterval(1000);
    connect(m_horloge, &QTimer::timeout, this, [this] { m_session.CompterUneSeconde(); });
    connect(bEcouter, &QPushButton::clicked, this, &FenetreEssai::bEcouterClick);
    connect(bEcouterLent, &QPushButton::clicked, this, &FenetreEssai::bEcouterLentClick);
    connect(bValider, &QPushButton::clicked, this, &FenetreEssai::bValiderClick);
    connect(bRevenir, &QPushButton::clicked, this, &FenetreEssai::bRevenirClick);
}

void FenetreEssai::FormShow() {
    // Nothing is written: no records, no history, no journal.
    m_session.Ouvrir(m_dossier, BilansExercice{});
    m_session.Commencer();
    Ecrire(lRetour, {});
    eModele->clear();
    NouvelItem();
}

void FenetreEssai::NouvelItem() {
    mTexte->clear();
    iImage->clear();
    eReponse->clear();
    eReponse->setEnabled(false);
    bValider->setEnabled(false);
    bEcouter->setEnabled(!m_session.ItemCourant().isEmpty());
    bEcouterLent->setEnabled(bEcouter->isEnabled());
    AfficherSession();
}

void FenetreEssai::AfficherSession() {
    Ecrire(lScore, QStringLiteral("Score : %1 / %2    Items réussis au 1er essai : %3 / %4")
                       .arg(m_session.Score())
                       .arg(m_session.ScoreMaxi())
                       .arg(m_session.ReussisPremierEssai())
                       .arg(m_session.NbItems()));
    if (m_session.HorlogeEnMarche())
        m_horloge->start();
    else
        m_horloge->stop();
}

void FenetreEssai::bEcouterClick() {
    Ecouter(1);
}

void FenetreEssai::bEcouterLentClick() {
    if (bEcouterLent->isEnabled() && !bEcouterLent->isHidden())
        Ecouter(VitesseLente);
}

void FenetreEssai::Ecouter(double vitesse) {
    const QString item = m_session.ItemCourant();
    if (item.isEmpty())
        return;
    const QDir d(m_dossier);
    ISon& son = Services::Son();
    son.DefinirFichier(d.filePath(item));
    QString erreur;
    if (!son.Ouvrir(&erreur)) {
        Services::Messages().Erreur(erreur);
        return;
    }
    son.Jouer(vitesse);
    eReponse->setEnabled(true);
    bValider->setEnabled(true);
    eReponse->setFocus();
    if (!m_session.Ecouter())
        return;
    // The companions, as the exercise shows them at the first listen.
    QString base = item;
    base.chop(4);
    mTexte->setPlainText(LireTexteCompagnonBorne(d.filePath(base + QStringLiteral(".TXT"))).Texte);
    const QString image = ResoudreChemin(d.filePath(base + QStringLiteral(".JPG")));
    if (QFile::exists(image)) {
        const QImage img = ChargerImage(image);
        if (!img.isNull())
            iImage->setPixmap(ImageDansLeCadre(img, iImage));
    }
    AfficherSession();
}

void FenetreEssai::bValiderClick() {
    if (!bValider->isEnabled())
        return;
    m_deroulement.Repondre(eReponse->text());
}

void FenetreEssai::Effet(const QString& nom) {
    JouerEffet(nom);
}

bool FenetreEssai::Appreciation(const QString& texte, bool bon, const QString& indice) {
    // Said in the window too, where it stays until the next answer.
    Ecrire(lRetour, indice.isEmpty() ? texte : texte + u' ' + indice);
    if (!m_appreciation)
        m_appreciation = new DialogueAppreciation(this);
    m_appreciation->TexteMessage = texte;
    m_appreciation->Indice = indice;
    m_appreciation->TypeMessage = bon ? QStringLiteral("Bon") : QStringLiteral("PasBon");
    Services::Modal().Montrer(m_appreciation);
    // The trial lives until its own loop ends, which cannot happen inside the box's.
    return true;
}

// The teacher trying a folder sees the model alone.
void FenetreEssai::Modele(const QString& modele, const CorrigeReponse&) {
    eModele->setText(modele);
    if (!modele.isEmpty())
        repaint();
}

void FenetreEssai::Reessayer() {
    eReponse->setFocus();
    eReponse->selectAll();
}

void FenetreEssai::ItemSuivant() {
    NouvelItem();
}

void FenetreEssai::Fin() {
    m_session.Terminer();
    Ecrire(lRetour, QStringLiteral("Exercice terminé : score %1 sur %2. Rien n'a été noté.")
                        .arg(m_session.Score())
                        .arg(m_session.ScoreMaxi()));
    bEcouter->setEnabled(false);
    bEcouterLent->setEnabled(false);
}

void FenetreEssai::bRevenirClick() {
    m_horloge->stop();
    Services::Son().Arreter();
    close();
}

bool FenetreEssai::eventFilter(QObject* objet, QEvent* e) {
    if (objet == eReponse && e->type() == QEvent::KeyPress) {
        const int touche = static_cast<QKeyEvent*>(e)->key();
        if (touche == Qt::Key_Return || touche == Qt::Key_Enter) {
            bValiderClick();
            return true;
        }
    }
    return FormeModale::eventFilter(objet, e);
}
