#pragma once
// The pupil's answer drawn above the model in "J'observe", each mistake marked by a colour and a
// shape of its own: a thick underline for a wrong letter, a dotted one for an accent or a
// capital, a bar across a letter too many, a caret where something is missing. Painted rather
// than laid out as rich text: the marks are thick enough to be seen at a glance, and the
// pupil's text is never read as markup.

#include "core/exercise/Corrige.h"

#include <QWidget>

class LigneCorrigee : public QWidget {
    Q_OBJECT
public:
    explicit LigneCorrigee(QWidget* parent);

    // The line to draw and what a screen reader says of it; an empty line clears it.
    void Montrer(const QList<SegmentCorrige>& segments, const QString& description);
    const QList<SegmentCorrige>& Segments() const { return m_segments; }
    // The letters' size it is drawn at: the design's, or smaller for a line that would not fit.
    int TaillePolice() const { return m_taille; }
    // The width the line takes at that size.
    int LargeurLigne() const { return Largeur(m_taille); }

    static constexpr int TailleNormale = 20;
    static constexpr int TailleMini = 11;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QFont Police(int taille, MarqueCorrige marque) const;
    int Largeur(int taille) const;
    int Avance(const SegmentCorrige& s, int taille) const;

    QList<SegmentCorrige> m_segments;
    int m_taille = TailleNormale;
};
