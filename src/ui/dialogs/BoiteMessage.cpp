#include "ui/dialogs/BoiteMessage.h"

#include "core/Palette.h"
#include "core/Texte.h"
#include "ui/dialogs/RoleAlerte.h"
#include "ui/kit/Kit.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

// The round badge beside the text: its colour and sign say what the box is about, drawn at
// whatever scale the window is.
class Pastille : public QWidget {
public:
    Pastille(QWidget* parent, BoiteMessage::Genre genre) : QWidget(parent), m_genre(genre) {
        setFixedSize(44, 44);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QColor couleur(0x2e, 0x6f, 0xd0);
        QString signe = QStringLiteral("?");
        if (m_genre == BoiteMessage::Genre::Information)
            signe = QStringLiteral("i");
        if (m_genre == BoiteMessage::Genre::Erreur) {
            couleur = QColor(0xc8, 0x10, 0x2e);
            signe = QStringLiteral("!");
        }
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(Qt::white, 3));
        p.setBrush(couleur);
        p.drawEllipse(rect().adjusted(2, 2, -2, -2));
        QFont f = font();
        f.setPixelSize(26);
        f.setBold(true);
        p.setFont(f);
        p.drawText(rect(), Qt::AlignCenter, signe);
    }

private:
    BoiteMessage::Genre m_genre;
};

QString TexteDuBouton(BoiteMessage::Reponse r) {
    switch (r) {
    case BoiteMessage::Ok:
        return QStringLiteral("OK");
    case BoiteMessage::Annuler:
        return QStringLiteral("Annuler");
    case BoiteMessage::Oui:
        return QStringLiteral("Oui");
    case BoiteMessage::Non:
        return QStringLiteral("Non");
    }
    return {};
}

// The colours are the palette's, whose contrast is checked.
const QString Style =
    QStringLiteral("BoiteMessage { background: %1; }").arg(Kit::BleuCiel.name()) +
    QStringLiteral("QLabel#texte { background: %1; border: 2px solid #5b8fd6; border-radius: 10px;"
                   " padding: 12px 16px; color: %2; }"
                   "QPushButton { background: %1; border: 2px solid #5b8fd6; border-radius: 10px;"
                   " color: %3; font-size: 17px; font-weight: bold; min-width: 110px;"
                   " min-height: 44px; padding: 0 14px; }"
                   "QPushButton:hover { background: %4; }"
                   "QPushButton:pressed { background: %5; }"
                   "QPushButton:default { border-color: %3; border-width: 3px; }"
                   "QPushButton:focus { background: %6; }")
        .arg(NomCss(Couleurs::Blanc), NomCss(Couleurs::Encre), NomCss(Couleurs::BleuLegende),
             NomCss(Couleurs::Survol), NomCss(Couleurs::Enfonce), NomCss(Couleurs::Focus));

// A run of letters without a space (an archive or file name) may be cut anywhere: an invisible
// break opportunity every few letters, or the label would be as wide as the name.
QString Secable(const QString& texte) {
    constexpr int longueurMax = 30;
    QString r;
    r.reserve(texte.size() + texte.size() / longueurMax);
    int suite = 0;
    for (const QChar c : texte) {
        suite = c.isSpace() ? 0 : suite + 1;
        if (suite > longueurMax) {
            r.append(QChar(0x200B));
            suite = 1;
        }
        r.append(c);
    }
    return r;
}

} // namespace

BoiteMessage::BoiteMessage(QWidget* proprietaire, Genre genre, const QString& titre,
                           const QString& texte, const QList<Reponse>& boutons, Reponse parDefaut,
                           Reponse echap)
    : QDialog(proprietaire), m_echap(echap) {
    InstallerRoleAlerte();
    setObjectName(QStringLiteral("BoiteMessage"));
    // The alert is read by its text, as written.
    setAccessibleName(texte);
    setWindowTitle(titre);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setStyleSheet(Style);

    // The text may quote an item, a file or an archive name: shown as it is, never as markup.
    m_texte = new QLabel(this);
    m_texte->setTextFormat(Qt::PlainText);
    m_texte->setText(Secable(TypographieEcran(texte)));
    m_texte->setObjectName(QStringLiteral("texte"));
    m_texte->setAccessibleName(texte);
    m_texte->setWordWrap(true);
    m_texte->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // One line as long as it fits in a comfortable width; a longer text wraps at that width.
    Kit::Police(m_texte, 17);
    int large = 0;
    for (const QString& ligne : m_texte->text().split(u'\n'))
        large = std::max(large, m_texte->fontMetrics().horizontalAdvance(ligne));
    // The frame and padding of the text (36 pixels) and some room, so no line wraps by a hair.
    m_texte->setFixedWidth(std::clamp(large + 60, 260, 560));

    auto* haut = new QHBoxLayout;
    haut->setSpacing(14);
    if (genre != Genre::Aucun)
        haut->addWidget(new Pastille(this, genre), 0, Qt::AlignTop);
    // A text taller than the screen leaves room for the buttons: it scrolls inside the box.
    const QScreen* ecran = proprietaire && proprietaire->screen()
                               ? proprietaire->screen()
                               : QGuiApplication::primaryScreen();
    const int hauteurMax = ecran ? ecran->availableGeometry().height() * 3 / 5 : 400;
    if (m_texte->heightForWidth(m_texte->width()) > hauteurMax) {
        auto* defilement = new QScrollArea(this);
        defilement->setObjectName(QStringLiteral("defilementTexte"));
        defilement->setFrameShape(QFrame::NoFrame);
        defilement->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        defilement->setWidget(m_texte);
        defilement->setFixedSize(
            m_texte->width() + defilement->verticalScrollBar()->sizeHint().width(), hauteurMax);
        haut->addWidget(defilement, 1);
    } else {
        haut->addWidget(m_texte, 1);
    }

    auto* rangee = new QHBoxLayout;
    rangee->setSpacing(12);
    rangee->addStretch(1);
    for (const Reponse r : boutons) {
        QPushButton* b = Kit::Bouton(this, "", TexteDuBouton(r), {});
        b->setObjectName(QStringLiteral("b") + TexteDuBouton(r));
        b->setAccessibleName(TexteDuBouton(r));
        // Enter answers with the button that has the focus, the default one to begin with.
        b->setAutoDefault(true);
        b->setDefault(r == parDefaut);
        connect(b, &QPushButton::clicked, this, [this, r] { done(r); });
        rangee->addWidget(b);
        m_boutons.append({r, b});
    }
    rangee->addStretch(1);

    auto* tout = new QVBoxLayout(this);
    tout->setContentsMargins(18, 18, 18, 16);
    tout->setSpacing(16);
    tout->addLayout(haut);
    tout->addLayout(rangee);
    tout->setSizeConstraint(QLayout::SetFixedSize);

    if (QPushButton* b = Bouton(parDefaut))
        b->setFocus();
}

QPushButton* BoiteMessage::Bouton(Reponse reponse) const {
    for (const auto& [r, b] : m_boutons)
        if (r == reponse)
            return b;
    return nullptr;
}

void BoiteMessage::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    // Over the window that asked, where the pupil is looking, and never off the screen.
    const QWidget* sur = parentWidget() ? parentWidget()->window() : nullptr;
    const QScreen* ecran = screen() ? screen() : QGuiApplication::primaryScreen();
    QRect cadre = frameGeometry();
    cadre.moveCenter(sur && sur->isVisible() ? sur->frameGeometry().center()
                                             : ecran->availableGeometry().center());
    move(Kit::DansLEcran(cadre, ecran).topLeft());
    AnnoncerAlerte(this);
}

void BoiteMessage::closeEvent(QCloseEvent* e) {
    // The window's own close answers as Escape does.
    e->ignore();
    done(m_echap);
}

void BoiteMessage::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape) {
        done(m_echap);
        return;
    }
    QDialog::keyPressEvent(e);
}
