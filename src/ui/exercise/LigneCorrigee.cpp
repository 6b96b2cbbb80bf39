#include "ui/exercise/LigneCorrigee.h"

#include "ui/kit/Lecture.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {
// The marks' colours, darker in high contrast.
struct Encres {
    QColor Encre, Rouge, RougeFonce, Ocre;
};
Encres EncresEnVigueur() {
    if (!Lecture::ContrasteFort())
        return {QColor(0x10, 0x2a, 0x50), QColor(0xc0, 0x26, 0x1b), QColor(0x6e, 0x0b, 0x04),
                QColor(0xa8, 0x4f, 0x00)};
    const CouleursLecture& c = CouleursContrasteFort();
    return {Lecture::Couleur(c.Texte), Lecture::Couleur(c.LettreFausse),
            Lecture::Couleur(c.LettreEnTrop), Lecture::Couleur(c.Accent)};
}

// The room a caret takes between two letters, in ems.
constexpr double LargeurCaret = 0.5;
} // namespace

LigneCorrigee::LigneCorrigee(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

QFont LigneCorrigee::Police(int taille, MarqueCorrige marque) const {
    QFont f = font();
    f.setPixelSize(taille);
    f.setBold(marque != MarqueCorrige::Aucune);
    return f;
}

int LigneCorrigee::Avance(const SegmentCorrige& s, int taille) const {
    if (s.Marque == MarqueCorrige::Manquante)
        return int(std::ceil(taille * LargeurCaret));
    return int(std::ceil(QFontMetricsF(Police(taille, s.Marque)).horizontalAdvance(s.Texte)));
}

int LigneCorrigee::Largeur(int taille) const {
    int l = 0;
    for (const SegmentCorrige& s : m_segments)
        l += Avance(s, taille);
    return l;
}

void LigneCorrigee::Montrer(const QList<SegmentCorrige>& segments, const QString& description) {
    m_segments = segments;
    setAccessibleName(segments.isEmpty() ? QString() : description);
    // A long answer is drawn smaller rather than cut: it is the pupil's own, to be read whole.
    m_taille = TailleNormale;
    while (m_taille > TailleMini && Largeur(m_taille) > width())
        --m_taille;
    update();
}

void LigneCorrigee::paintEvent(QPaintEvent*) {
    if (m_segments.isEmpty())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const auto [Encre, Rouge, RougeFonce, Ocre] = EncresEnVigueur();
    const QFontMetricsF mesure(Police(m_taille, MarqueCorrige::Aucune));
    const double ligne = std::max(2.0, m_taille / 9.0); // the marks' thickness
    const double base = (height() + mesure.ascent() - mesure.descent()) / 2;
    const double hauteurX = mesure.xHeight();
    double x = 0;
    for (const SegmentCorrige& s : m_segments) {
        const double avance = Avance(s, m_taille);
        switch (s.Marque) {
        case MarqueCorrige::Aucune:
            p.setFont(Police(m_taille, s.Marque));
            p.setPen(Encre);
            p.drawText(QPointF(x, base), s.Texte);
            break;
        case MarqueCorrige::LettreFausse:
            p.setFont(Police(m_taille, s.Marque));
            p.setPen(Rouge);
            p.drawText(QPointF(x, base), s.Texte);
            p.fillRect(QRectF(x, base + ligne, avance, ligne), Rouge);
            break;
        case MarqueCorrige::Accent: {
            p.setFont(Police(m_taille, s.Marque));
            p.setPen(Ocre);
            p.drawText(QPointF(x, base), s.Texte);
            // Dotted: an accent is a smaller slip than a wrong letter.
            for (double d = x; d + ligne <= x + avance; d += 2 * ligne)
                p.fillRect(QRectF(d, base + ligne, ligne, ligne), Ocre);
            break;
        }
        case MarqueCorrige::LettreEnTrop:
            p.setFont(Police(m_taille, s.Marque));
            p.setPen(Rouge);
            p.drawText(QPointF(x, base), s.Texte);
            p.fillRect(QRectF(x - 1, base - hauteurX / 2 - ligne / 2, avance + 2, ligne),
                       RougeFonce);
            break;
        case MarqueCorrige::Manquante: {
            // A wedge from below the line up to the middle of the letters, where one is missing.
            const double milieu = x + avance / 2;
            QPainterPath caret;
            caret.moveTo(milieu - avance * 0.4, base + mesure.descent() * 0.6);
            caret.lineTo(milieu, base - hauteurX * 0.6);
            caret.lineTo(milieu + avance * 0.4, base + mesure.descent() * 0.6);
            p.setPen(QPen(Rouge, ligne * 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.setBrush(Qt::NoBrush);
            p.drawPath(caret);
            break;
        }
        }
        x += avance;
    }
}
