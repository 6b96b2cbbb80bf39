#pragma once
// A pupil's exercises as points, score in percent against date: a star for each finished
// exercise, a small disc for each interrupted one, and the line of the average of the last ten.
// Drawn with QPainter in the window's own units, so the program's scale applies to it as to
// every other control.

#include <QColor>
#include <QDate>
#include <QVector>
#include <QWidget>

struct PointProgres {
    QDate Date;
    double Pourcent = 0;
    bool Termine = false;
};

class GraphiqueProgres : public QWidget {
    Q_OBJECT
public:
    explicit GraphiqueProgres(QWidget* parent = nullptr);

    // The exercises in the order they were done.
    void Definir(QVector<PointProgres> points);
    const QVector<PointProgres>& Points() const { return m_points; }
    // Larger letters and marks, for a pupil.
    void DefinirGrand(bool grand);

    // Where the data is drawn: the first day at the left edge, the last at the right edge,
    // 100 % at the top and 0 % at the bottom.
    QRectF ZoneTrace() const;

    static inline const QColor CouleurTermine = QColor(255, 201, 40);
    static inline const QColor CouleurInterrompu = QColor(120, 138, 166);
    static inline const QColor CouleurMoyenne = QColor(46, 111, 208);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QFont Police() const;
    double RayonMarque() const;
    QVector<PointProgres> m_points;
    QDate m_premier;
    QDate m_dernier;
    bool m_grand = false;
};
