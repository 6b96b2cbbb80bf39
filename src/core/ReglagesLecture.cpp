#include "core/ReglagesLecture.h"

#include "core/Texte.h"

#include <utility>

namespace {

// The ini is Windows-1252 and a teacher may write the accent: "école" and "ÉCOLE" are ECOLE.
QString Mot(const QString& valeur) {
    QString v = MajusculesAZ(Rogner(valeur));
    v.replace(QChar(0xC9), u'E').replace(QChar(0xE9), u'E');
    return v;
}

// The value among its accepted words.
template <typename T, std::size_t N>
bool LireParmi(const QString& valeur, const std::pair<QStringView, T> (&mots)[N], T& sortie) {
    const QString v = Mot(valeur);
    for (const auto& [mot, choix] : mots) {
        if (v == mot) {
            sortie = choix;
            return true;
        }
    }
    return false;
}

} // namespace

bool LirePoliceLecture(const QString& valeur, PoliceLecture& police) {
    static const std::pair<QStringView, PoliceLecture> mots[] = {
        {u"STANDARD", PoliceLecture::Standard},
        {u"ECOLE", PoliceLecture::Ecole},
        {u"DYS", PoliceLecture::Dys},
    };
    return LireParmi(valeur, mots, police);
}

QString MessagePoliceInvalide(const QString& valeur) {
    return QStringLiteral("La valeur « %1 » de la clé POLICE du fichier INI n'est pas une "
                          "police (STANDARD, ECOLE ou DYS).\nLa police habituelle est gardée.")
        .arg(valeur);
}

bool LireContrasteLecture(const QString& valeur, ContrasteLecture& contraste) {
    static const std::pair<QStringView, ContrasteLecture> mots[] = {
        {u"NORMAL", ContrasteLecture::Normal},
        {u"FORT", ContrasteLecture::Fort},
    };
    return LireParmi(valeur, mots, contraste);
}

QString MessageContrasteInvalide(const QString& valeur) {
    return QStringLiteral("La valeur « %1 » de la clé CONTRASTE du fichier INI n'est pas un "
                          "contraste (NORMAL ou FORT).\nLes couleurs habituelles sont gardées.")
        .arg(valeur);
}

MiseEnPageLecture MiseEnPagePour(PoliceLecture police) {
    // Wider than the letters' own spacing, as reading guides for dyslexic pupils ask (about a
    // tenth of a letter more between letters, a line and a half between lines); OpenDyslexic's
    // letters are already broad, Andika's closer together.
    switch (police) {
    case PoliceLecture::Ecole:
        return {QStringLiteral("Andika"), 108, 140};
    case PoliceLecture::Dys:
        return {QStringLiteral("OpenDyslexic"), 110, 150};
    case PoliceLecture::Standard:
        break;
    }
    return {};
}

QString AvisPoliceAbsente::ADire(PoliceLecture police, bool installee) {
    const QString famille = MiseEnPagePour(police).Famille;
    if (installee || famille.isEmpty() || m_dites.contains(police))
        return {};
    m_dites.append(police);
    return QStringLiteral("La police %1 n'est pas installée sur cet ordinateur : le programme "
                          "garde sa police habituelle.")
        .arg(famille);
}

const CouleursLecture& CouleursContrasteFort() {
    static const CouleursLecture couleurs{
        .Texte = 0x000000,
        .TexteDesactive = 0x4d4d4d,
        .Fond = 0xffffff,
        .Cadre = 0x000000,
        .LettreFausse = 0xa00000,
        .LettreEnTrop = 0x600000,
        .Accent = 0x7a3d00,
    };
    return couleurs;
}

QList<PaireCouleurs> PairesContrasteFort() {
    const CouleursLecture& c = CouleursContrasteFort();
    return {
        {"texte", c.Texte, c.Fond},
        {"texte désactivé", c.TexteDesactive, c.Fond},
        {"lettre fausse", c.LettreFausse, c.Fond},
        {"lettre en trop", c.LettreEnTrop, c.Fond},
        {"accent", c.Accent, c.Fond},
    };
}
