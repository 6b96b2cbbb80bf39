#include "Unit2.h"

#include <QComboBox>

TForm2::TForm2(QWidget* parent)
    : FormeModale(parent, QStringLiteral("Form2"), QStringLiteral("Choix dossier")) {
    SansBoutonsDeTitre();
    FixerTaille(297, 424);
    setStyleSheet(QStringLiteral("#Form2 { background: white; }"));
    cChoixGroupe = new QComboBox(this);
    cChoixGroupe->setObjectName(QStringLiteral("cChoixGroupe"));
    cChoixGroupe->addItem(QStringLiteral("Choisis ton groupe"));
    cChoixUtilisateur = new QComboBox(this);
    cChoixUtilisateur->setObjectName(QStringLiteral("cChoixUtilisateur"));
    cChoixUtilisateur->addItem(QStringLiteral("Visiteur"));
}
