#pragma once
// A window's drawing surface made as soon as the window is shown rather than at its first
// painting. Asked for at the painting, the surface waits behind whatever the display is still
// drawing (at start-up, the window shown just before); and its memory, fresh from the system,
// is then faulted in page by page by the painting itself, milliseconds for a big window on a
// big screen. Made early, that memory is brought in on a thread of its own meanwhile.

class QWidget;

void PreparerSurface(QWidget* fenetre);
