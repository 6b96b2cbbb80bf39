#include "ui/kit/MarqueFocus.h"

#include "core/Palette.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QLineEdit>
#include <QPainter>

MarqueFocus* MarqueFocus::Poser(QWidget* fenetre) {
    if (auto* deja = fenetre->findChild<MarqueFocus*>(QString(), Qt::FindDirectChildrenOnly))
        return deja;
    return new MarqueFocus(fenetre);
}

MarqueFocus::MarqueFocus(QWidget* fenetre) : QWidget(fenetre) {
    setObjectName(QStringLiteral("MarqueFocus"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    hide();
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* maintenant) { Suivre(maintenant); });
    Suivre(QApplication::focusWidget());
}

void MarqueFocus::Suivre(QWidget* focus) {
    if (m_cible)
        m_cible->removeEventFilter(this);
    m_cible = nullptr;
    // Only this window's controls; a text field shows its caret and its own border instead
    // (a read-only one has no caret: it is marked).
    const auto* champ = qobject_cast<QLineEdit*>(focus);
    const bool marque = focus && focus != parentWidget() && focus->window() == window() &&
                        !(champ && !champ->isReadOnly()) && !qobject_cast<QAbstractSpinBox*>(focus);
    if (!marque) {
        hide();
        return;
    }
    m_cible = focus;
    m_cible->installEventFilter(this);
    Placer();
}

void MarqueFocus::Placer() {
    if (!m_cible || !m_cible->isVisible()) {
        hide();
        return;
    }
    const QPoint coin = m_cible->mapTo(parentWidget(), QPoint(0, 0));
    // Kept inside the window: around a control at its edge, the frame hugs the edge.
    setGeometry(QRect(coin, m_cible->size())
                    .adjusted(-Marge, -Marge, Marge, Marge)
                    .intersected(parentWidget()->rect()));
    raise();
    show();
    update();
}

bool MarqueFocus::eventFilter(QObject* objet, QEvent* e) {
    if (objet == m_cible) {
        switch (e->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide:
            Placer();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(objet, e);
}

void MarqueFocus::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(Qt::NoBrush);
    // Black over the whole width, then the orange inside it: one pixel of black shows outside.
    const qreal demi = Marge / 2.0;
    p.setPen(QPen(QColor(QRgb(Couleurs::BordAnneauFocus)), Marge));
    p.drawRoundedRect(QRectF(rect()).adjusted(demi, demi, -demi, -demi), 6, 6);
    const qreal interieur = Marge - 1;
    const qreal retrait = 1 + interieur / 2.0;
    p.setPen(QPen(QColor(QRgb(Couleurs::AnneauFocus)), interieur));
    p.drawRoundedRect(QRectF(rect()).adjusted(retrait, retrait, -retrait, -retrait), 5, 5);
}
