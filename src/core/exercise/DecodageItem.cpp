#include "core/exercise/DecodageItem.h"

#include "core/Texte.h"

namespace {
struct Code {
    const char* code;
    const char16_t* devient;
};
// The order matters: it is the order teachers were told the codes are applied in.
constexpr Code codes[] = {
    {"#ast#", u"*"},  {"#int#", u"?"}, {"#sla#", u"/"}, {"#ant#", u"\\"}, {"#2po#", u":"},
    {"#gui#", u"\""}, {"#inf#", u"<"}, {"#sup#", u">"}, {"#pip#", u"|"},  {"#liv#", u"£"},
    {"#exc#", u"!"},  {"#aro#", u"@"}, {"#apo#", u"'"},
};
} // namespace

QString DecoderNomItem(const QString& texte) {
    QString r = texte;
    for (const Code& c : codes)
        r.replace(QLatin1String(c.code), QString::fromUtf16(c.devient), Qt::CaseSensitive);
    return r;
}

QStringList ReponsesAcceptees(const QString& fichierSon) {
    QStringList r;
    const QStringList morceaux =
        fichierSon.left(std::max<qsizetype>(0, fichierSon.size() - 4)).split(u'£');
    for (const QString& m : morceaux)
        r.append(DecoderNomItem(m));
    return r;
}

bool ReponseJuste(const QString& tape, const QString& fichierSon) {
    const QString forme = FormeComparaison(tape);
    // Both composed: an exercise folder copied from a Mac spells its accents in two characters.
    for (const QString& a : ReponsesAcceptees(fichierSon))
        if (MinusculesAZ(Compose(a)) == forme)
            return true;
    return false;
}

QString ModeleReponse(const QString& fichierSon) {
    QString r = fichierSon;
    r.remove(QStringLiteral(".wav"), Qt::CaseInsensitive);
    r.replace(u'£', QStringLiteral("     "));
    return Compose(DecoderNomItem(r));
}
