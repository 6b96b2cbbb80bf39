#include "ui/teacher/GraphiqueProgres.h"

#include "core/progress/BilanEleve.h"

#include <QLocale>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {

const QColor encre(28, 63, 120);    // the program's navy, as in the titles
const QColor grille(220, 235, 251); // a light step of the sky blue
const QColor cadre(111, 147, 196);
const QColor contourEtoile(179, 116, 0);

QPainterPath Etoile(QPointF centre, double r) {
    QPainterPath chemin;
    for (int i = 0; i < 10; ++i) {
        const double rr = i % 2 == 0 ? r : r * 0.45;
        const double a = -M_PI / 2 + i * M_PI / 5;
        const QPointF p(centre.x() + rr * std::cos(a), centre.y() + rr * std::sin(a));
        if (i == 0)
            chemin.moveTo(p);
        else
            chemin.lineTo(p);
    }
    chemin.closeSubpath();
    return chemin;
}

int Mois(const QDate& d) {
    return d.year() * 12 + d.month() - 1;
}

} // namespace

GraphiqueProgres::GraphiqueProgres(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("gProgres"));
    setAccessibleName(QStringLiteral("Graphique des progrès"));
}

void GraphiqueProgres::Definir(QVector<PointProgres> points) {
    m_points = std::move(points);
    m_premier = QDate();
    m_dernier = QDate();
    for (const PointProgres& p : std::as_const(m_points)) {
        if (!m_premier.isValid() || p.Date < m_premier)
            m_premier = p.Date;
        if (!m_dernier.isValid() || p.Date > m_dernier)
            m_dernier = p.Date;
    }
    update();
}

void GraphiqueProgres::DefinirGrand(bool grand) {
    m_grand = grand;
    updateGeometry();
    update();
}

QFont GraphiqueProgres::Police() const {
    QFont f = font();
    f.setPixelSize(m_grand ? 14 : 11);
    return f;
}

double GraphiqueProgres::RayonMarque() const {
    return m_grand ? 8 : 6;
}

QRectF GraphiqueProgres::ZoneTrace() const {
    const QFontMetricsF fm(Police());
    const double r = RayonMarque();
    const double gauche = fm.horizontalAdvance(QStringLiteral("100 %")) + 10 + r;
    const double haut = fm.height() + 8 + r; // the legend
    const double bas = fm.height() + 6 + r;  // the dates
    return QRectF(rect()).adjusted(gauche, haut, -(10 + r), -bas);
}

QSize GraphiqueProgres::sizeHint() const {
    return {560, m_grand ? 200 : 170};
}

QSize GraphiqueProgres::minimumSizeHint() const {
    return {240, 110};
}

void GraphiqueProgres::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), Qt::white);
    const QFont police = Police();
    p.setFont(police);
    const QFontMetricsF fm(police);
    const QRectF zone = ZoneTrace();
    const double r = RayonMarque();
    const QRectF bord = zone.adjusted(-r, -r, r, r);
    if (zone.width() <= 0 || zone.height() <= 0)
        return;

    // The scale of percents.
    for (int v = 0; v <= 100; v += 25) {
        const double y = zone.bottom() - v / 100.0 * zone.height();
        p.setPen(QPen(grille, 1));
        p.drawLine(QPointF(bord.left(), y), QPointF(bord.right(), y));
        p.setPen(encre);
        p.drawText(QRectF(0, y - fm.height() / 2, bord.left() - 6, fm.height()),
                   Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("%1 %").arg(v));
    }
    p.setPen(QPen(cadre, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(bord);

    if (m_points.isEmpty()) {
        p.setPen(encre);
        p.drawText(bord, Qt::AlignCenter, QStringLiteral("Aucun exercice pour l'instant."));
        return;
    }

    const qint64 jours = m_premier.daysTo(m_dernier);
    const auto x = [&](const QDate& d) {
        return jours == 0
                   ? zone.center().x()
                   : zone.left() + double(m_premier.daysTo(d)) / double(jours) * zone.width();
    };
    const auto y = [&](double pourcent) {
        return zone.bottom() - std::clamp(pourcent, 0.0, 100.0) / 100.0 * zone.height();
    };

    // The dates below, as many as fit: days over a short span, months or years over a long one.
    const QLocale francais(QLocale::French, QLocale::France);
    QVector<QPair<QDate, QString>> reperes;
    if (jours == 0) {
        reperes.append({m_premier, m_premier.toString(QStringLiteral("dd/MM/yyyy"))});
    } else if (jours <= 62) {
        const double largeur = fm.horizontalAdvance(QStringLiteral("00/00")) + 14;
        const int place = std::max(1, int(zone.width() / largeur));
        int pas = 1;
        for (const int essai : {1, 2, 7, 14, 31}) {
            pas = essai;
            if (jours / essai + 1 <= place)
                break;
        }
        for (QDate d = m_premier; d <= m_dernier; d = d.addDays(pas))
            reperes.append({d, d.toString(QStringLiteral("dd/MM"))});
    } else {
        const double largeur = fm.horizontalAdvance(QStringLiteral("sept. 2026")) + 14;
        const int place = std::max(1, int(zone.width() / largeur));
        const int mois = Mois(m_dernier) - Mois(m_premier);
        int pas = 1;
        for (const int essai : {1, 2, 3, 6, 12, 24, 60}) {
            pas = essai;
            if (mois / essai + 1 <= place)
                break;
        }
        QDate d(m_premier.year(), m_premier.month(), 1);
        if (d < m_premier)
            d = d.addMonths(1);
        while (Mois(d) % pas != 0)
            d = d.addMonths(1);
        for (; d <= m_dernier; d = d.addMonths(pas))
            reperes.append({d, pas >= 12 ? d.toString(QStringLiteral("yyyy"))
                                         : francais.toString(d, QStringLiteral("MMM yyyy"))});
    }
    for (const auto& [date, texte] : std::as_const(reperes)) {
        const double xr = x(date);
        p.setPen(QPen(grille, 1));
        p.drawLine(QPointF(xr, bord.top()), QPointF(xr, bord.bottom()));
        p.setPen(QPen(cadre, 1));
        p.drawLine(QPointF(xr, bord.bottom()), QPointF(xr, bord.bottom() + 3));
        p.setPen(encre);
        const double l = fm.horizontalAdvance(texte);
        const double gauche = std::clamp(xr - l / 2, 0.0, width() - l);
        p.drawText(QPointF(gauche, bord.bottom() + 4 + fm.ascent()), texte);
    }

    // The average of the last ten, exercise after exercise.
    if (m_points.size() > 1) {
        QPolygonF ligne;
        double somme = 0;
        for (qsizetype i = 0; i < m_points.size(); ++i) {
            somme += m_points.at(i).Pourcent;
            if (i >= 10)
                somme -= m_points.at(i - 10).Pourcent;
            const double n = double(std::min<qsizetype>(i + 1, 10));
            ligne.append(QPointF(x(m_points.at(i).Date), y(somme / n)));
        }
        p.setPen(
            QPen(CouleurMoyenne, m_grand ? 2.5 : 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(ligne);
    }

    for (const PointProgres& pt : std::as_const(m_points)) {
        const QPointF c(x(pt.Date), y(pt.Pourcent));
        if (pt.Termine) {
            p.setPen(QPen(contourEtoile, 1));
            p.setBrush(CouleurTermine);
            p.drawPath(Etoile(c, r));
        } else {
            p.setPen(Qt::NoPen);
            p.setBrush(CouleurInterrompu);
            p.drawEllipse(c, r * 0.6, r * 0.6);
        }
    }

    // The legend above.
    double xl = bord.left();
    const double yl = fm.height() / 2 + 2;
    const auto texte = [&](const QString& t) {
        p.setPen(encre);
        p.drawText(QPointF(xl, yl - fm.height() / 2 + fm.ascent()), t);
        xl += fm.horizontalAdvance(t) + 16;
    };
    p.setPen(QPen(contourEtoile, 1));
    p.setBrush(CouleurTermine);
    p.drawPath(Etoile(QPointF(xl + r, yl), r));
    xl += 2 * r + 4;
    texte(m_grand ? QStringLiteral("exercice terminé") : QStringLiteral("terminé"));
    p.setPen(Qt::NoPen);
    p.setBrush(CouleurInterrompu);
    p.drawEllipse(QPointF(xl + r * 0.6, yl), r * 0.6, r * 0.6);
    xl += 1.2 * r + 4;
    texte(QStringLiteral("interrompu"));
    p.setPen(QPen(CouleurMoyenne, 2));
    p.drawLine(QPointF(xl, yl), QPointF(xl + 18, yl));
    xl += 22;
    texte(m_grand ? QStringLiteral("ma moyenne")
                  : QStringLiteral("moyenne des %1 derniers").arg(ExercicesRecents));
}
