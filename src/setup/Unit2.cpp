#include "Unit2.h"

TForm2::TForm2(QWidget* parent)
    : FormeModale(parent, QStringLiteral("Form2"), QStringLiteral("Choix dossier")) {
    SansBoutonsDeTitre();
    FixerTaille(297, 424);
    setStyleSheet(QStringLiteral("#Form2 { background: white; }"));
}
