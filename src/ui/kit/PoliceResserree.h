#pragma once
// The forms keep their designed sizes, but the desktop's fonts are often wider than the ones
// they were drawn for: a caption then narrows its letters rather than being cut.

#include <QList>

class QAbstractButton;

// Narrows the type of the buttons together, step by step, from their present width of letters
// down, until every caption fits its button; the height of the letters stays as designed.
void ResserrerPolices(const QList<QAbstractButton*>& boutons);
