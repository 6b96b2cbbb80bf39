#include "core/records/Durees.h"

QString CompleterAGauche(const QString& texte, int largeur, const QString& remplissage) {
    if (texte.size() >= largeur)
        return texte;
    return remplissage.repeated(largeur - texte.size()) + texte;
}

QString FormaterDuree(int secondes, bool aligne) {
    const int h = secondes / 3600;
    const int m = (secondes % 3600) / 60;
    const int r = secondes % 60;
    if (aligne) {
        const QString blanc = QStringLiteral(" ");
        return CompleterAGauche(QString::number(h), 2, blanc) + QStringLiteral(" h ") +
               CompleterAGauche(QString::number(m), 2, blanc) + QStringLiteral(" min ") +
               CompleterAGauche(QString::number(r), 2, blanc) + QStringLiteral(" s");
    }
    QString t;
    if (h != 0)
        t += QString::number(h) + QStringLiteral(" h ");
    if (m != 0)
        t += QString::number(m) + QStringLiteral(" min ");
    return t + QString::number(r) + QStringLiteral(" s");
}
