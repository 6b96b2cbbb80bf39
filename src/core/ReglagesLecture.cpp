#include "core/ReglagesLecture.h"

#include "core/Texte.h"

namespace {

// The ini is Windows-1252 and a teacher may write the accent: "école" and "ÉCOLE" are ECOLE.
QString Mot(const QString& valeur) {
    QString v = MajusculesAZ(Rogner(valeur));
    v.replace(QChar(0xC9), u'E').replace(QChar(0xE9), u'E');
    return v;
}

} // namespace

bool LirePoliceLecture(const QString& valeur, PoliceLecture& police) {
    const QString v = Mot(valeur);
    if (v == u"STANDARD")
        police = PoliceLecture::Standard;
    else if (v == u"ECOLE")
        police = PoliceLecture::Ecole;
    else if (v == u"DYS")
        police = PoliceLecture::Dys;
    else
        return false;
    return true;
}

QString MessagePoliceInvalide(const QString& valeur) {
    return QStringLiteral("La valeur « %1 » de la clé POLICE du fichier INI n'est pas une "
                          "police (STANDARD, ECOLE ou DYS).\nLa police habituelle est gardée.")
        .arg(valeur);
}

bool LireContrasteLecture(const QString& valeur, ContrasteLecture& contraste) {
    const QString v = Mot(valeur);
    if (v == u"NORMAL")
        contraste = ContrasteLecture::Normal;
    else if (v == u"FORT")
        contraste = ContrasteLecture::Fort;
    else
        return false;
    return true;
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
