#include "core/exercise/DecodageItem.h"

#include "core/Texte.h"
#include "core/exercise/CodesItem.h"

QString DecoderNomItem(const QString& texte) {
    QString r = texte;
    for (const CodeItem& c : CodesItem)
        r.replace(QLatin1String(c.Code), QChar(c.Caractere), Qt::CaseSensitive);
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
    // Both in one form: an exercise folder copied from a Mac spells its accents in two
    // characters, and a name pasted from a word processor may hold a no-break space. The
    // accepted answers are not trimmed.
    for (const QString& a : ReponsesAcceptees(fichierSon))
        if (MinusculesAZ(TexteSaisi(a)) == forme)
            return true;
    return false;
}

QString ModeleReponse(const QString& fichierSon) {
    QString r = fichierSon;
    r.remove(QStringLiteral(".wav"), Qt::CaseInsensitive);
    r.replace(u'£', QStringLiteral("     "));
    return Compose(DecoderNomItem(r));
}
