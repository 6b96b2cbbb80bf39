#include "core/Texte.h"

QStringView Rogner(QStringView texte) {
    qsizetype debut = 0;
    qsizetype fin = texte.size();
    while (debut < fin && texte.at(debut).unicode() <= 32)
        ++debut;
    while (fin > debut && texte.at(fin - 1).unicode() <= 32)
        --fin;
    return texte.mid(debut, fin - debut);
}

QString Rogner(const QString& texte) {
    const QStringView r = Rogner(QStringView(texte));
    return r.size() == texte.size() ? texte : r.toString();
}

QString MinusculesAZ(const QString& texte) {
    QString r = texte;
    for (QChar& c : r)
        if (c.unicode() >= 'A' && c.unicode() <= 'Z')
            c = QChar(c.unicode() + 32);
    return r;
}

QString MajusculesAZ(const QString& texte) {
    QString r = texte;
    for (QChar& c : r)
        if (c.unicode() >= 'a' && c.unicode() <= 'z')
            c = QChar(c.unicode() - 32);
    return r;
}

QString Compose(const QString& texte) {
    return texte.normalized(QString::NormalizationForm_C);
}

bool CaractereInvisible(char32_t c) {
    return c == 0x00AD || c == 0x034F || c == 0x061C || c == 0x180E ||
           (c >= 0x200B && c <= 0x200F) || (c >= 0x202A && c <= 0x202E) ||
           (c >= 0x2060 && c <= 0x2064) || (c >= 0x2066 && c <= 0x206F) || c == 0xFEFF;
}

QString TexteSaisi(const QString& texte) {
    const QString compose = Compose(texte);
    QString r;
    r.reserve(compose.size());
    for (const QChar c : compose) {
        const char16_t u = c.unicode();
        if (CaractereInvisible(u))
            continue;
        // No-break, narrow no-break, figure and the other fixed-width spaces.
        const bool espace =
            u == 0x00A0 || u == 0x202F || u == 0x205F || (u >= 0x2000 && u <= 0x200A);
        r.append(espace ? QChar(u' ') : c);
    }
    return r;
}

QString FormeComparaison(const QString& texte) {
    // Composed first: folding A-Z in "A" + U+0301 would turn "Á" into "á".
    return MinusculesAZ(Rogner(TexteSaisi(texte)));
}

bool MemeNomDeFichier(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0 ||
           Compose(a).compare(Compose(b), Qt::CaseInsensitive) == 0;
}

QString SurUneLigne(const QString& texte) {
    QString r = texte;
    for (QChar& c : r) {
        const char16_t u = c.unicode();
        if (u < 0x20 || (u >= 0x7F && u <= 0x9F) || u == 0x2028 || u == 0x2029)
            c = u'?';
    }
    return r;
}

bool EgauxSelonRegle(const QString& a, const QString& b) {
    return FormeComparaison(a) == FormeComparaison(b);
}

bool LireEntier(const QString& texte, int& valeur) {
    const QString t = texte.trimmed();
    if (t.isEmpty())
        return false;
    for (qsizetype i = 0; i < t.size(); ++i) {
        const QChar c = t.at(i);
        const bool signe = i == 0 && (c == u'-' || c == u'+') && t.size() > 1;
        if (!signe && (c.unicode() < '0' || c.unicode() > '9'))
            return false;
    }
    bool ok = false;
    const int v = t.toInt(&ok);
    if (!ok)
        return false;
    valeur = v;
    return true;
}

QString TypographieEcran(const QString& texte) {
    constexpr char16_t fine = u'\u202F';
    constexpr char16_t insecable = u'\u00A0';
    QString r = texte;
    for (qsizetype i = 0; i < r.size(); ++i) {
        const char16_t c = r.at(i).unicode();
        const bool espace = c == u' ' || c == insecable || c == fine;
        if (!espace)
            continue;
        const char16_t suivant = i + 1 < r.size() ? r.at(i + 1).unicode() : 0;
        const char16_t precedent = i > 0 ? r.at(i - 1).unicode() : 0;
        if (suivant == u'!' || suivant == u'?' || suivant == u';')
            r[i] = QChar(fine);
        else if (suivant == u':' || suivant == u'»' || precedent == u'«')
            r[i] = QChar(insecable);
    }
    return r;
}
