#include "core/Echelle.h"

#include "core/FichierTexte.h"
#include "core/Texte.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double FacteurMaxi = 8;
// What a window manager adds around the client area: the title bar and the borders.
constexpr double CadreHaut = 40;
constexpr double CadreCotes = 10;

} // namespace

bool LireReglageEchelle(const QString& valeur, ReglageEchelle& reglage) {
    const QString v = Rogner(valeur);
    if (MajusculesAZ(v) == u"AUTO") {
        reglage = {};
        return true;
    }
    QString nombre = v;
    nombre.replace(u',', u'.');
    // Digits with at most one separator between them, nothing else ("1e1", "0x2", "2." are not
    // scales a teacher wrote).
    bool separateur = false;
    for (qsizetype i = 0; i < nombre.size(); ++i) {
        const QChar c = nombre.at(i);
        if (c == u'.' && !separateur && i > 0 && i + 1 < nombre.size()) {
            separateur = true;
            continue;
        }
        if (c.unicode() < '0' || c.unicode() > '9')
            return false;
    }
    bool ok = false;
    const double f = nombre.toDouble(&ok);
    if (!ok || !(f >= 1) || f > FacteurMaxi)
        return false;
    reglage = {false, f};
    return true;
}

QString MessageEchelleInvalide(const QString& valeur) {
    return QStringLiteral("La valeur « %1 » de la clé ECHELLE du fichier INI n'est pas une "
                          "échelle (AUTO, ou un nombre de 1 à 8 comme 1,5).\nLa taille "
                          "automatique est gardée.")
        .arg(valeur);
}

ReglageEchelle ReglageEchelleDuFichier(const QByteArray& contenu) {
    ReglageEchelle reglage;
    for (const QString& ligne : DecouperLignes(DecoderTexte(contenu))) {
        const qsizetype egal = ligne.indexOf(u'=');
        if (egal < 0 || MajusculesAZ(Rogner(ligne.left(egal))) != u"ECHELLE")
            continue;
        ReglageEchelle lu;
        if (LireReglageEchelle(ligne.mid(egal + 1), lu))
            reglage = lu;
    }
    return reglage;
}

double FacteurEchelle(const ReglageEchelle& reglage, const QSizeF& disponible) {
    const double tient =
        std::min((disponible.width() - CadreCotes) / TailleFenetreExercice.width(),
                 (disponible.height() - CadreHaut) / TailleFenetreExercice.height());
    // The automatic factor goes by quarters: whole factors, the common case on classroom
    // screens, draw every picture and line exactly on the screen's pixels.
    double f = reglage.Automatique ? std::floor(PartDeLaHauteur * disponible.height() /
                                                TailleFenetreExercice.height() * 4) /
                                         4
                                   : reglage.Facteur;
    if (f > tient)
        f = std::floor(tient * 8) / 8;
    return std::max(1.0, f);
}
