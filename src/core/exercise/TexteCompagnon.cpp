#include "core/exercise/TexteCompagnon.h"

#include "core/Chemins.h"
#include "core/FichierTexte.h"

#include <QFile>

QString MarqueCoupure() {
    return QStringLiteral("[…] (texte coupé : le fichier dépasse %1 Ko)")
        .arg(OctetsCompagnonMax / 1024);
}

namespace {

// Where the last whole line of a cut file ends, so that no character is split; the whole
// when there is none (one endless line).
qsizetype FinDeLaDerniereLigne(const QByteArray& octets) {
    const Encodage e = DetecterEncodage(octets);
    if (e == Encodage::Utf16LE || e == Encodage::Utf16BE) {
        const QByteArray fin =
            e == Encodage::Utf16LE ? QByteArray("\n\0", 2) : QByteArray("\0\n", 2);
        for (qsizetype i = octets.lastIndexOf(fin); i > 0; i = octets.lastIndexOf(fin, i - 1))
            if (i % 2 == 0)
                return i + 2;
        return octets.size() - octets.size() % 2;
    }
    const qsizetype i = octets.lastIndexOf('\n');
    if (i > 0)
        return i + 1;
    // One endless line: drop a UTF-8 character the cut went through (its lead byte says
    // how long it is), or the text would no longer read as UTF-8.
    qsizetype debut = octets.size();
    for (int k = 0; k < 4 && debut > 0; ++k) {
        const uchar c = uchar(octets.at(--debut));
        if ((c & 0xC0) != 0x80) {
            const int longueur = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
            return debut + longueur > octets.size() ? debut : octets.size();
        }
    }
    return octets.size();
}

} // namespace

TexteCompagnon LireTexteCompagnonBorne(const QString& chemin) {
    TexteCompagnon r;
    QFile f(ResoudreChemin(chemin));
    if (!f.open(QIODevice::ReadOnly))
        return r;
    QByteArray octets = f.read(OctetsCompagnonMax + 1);
    if (octets.isNull() && f.error() != QFile::NoError)
        return r;
    r.Lu = true;
    r.Coupe = octets.size() > OctetsCompagnonMax;
    if (r.Coupe) {
        octets.truncate(OctetsCompagnonMax);
        octets.truncate(FinDeLaDerniereLigne(octets));
    }
    QStringList lignes = DecouperLignes(DecoderTexte(octets));
    if (r.Coupe)
        lignes.append(MarqueCoupure());
    r.Texte = lignes.join(u'\n');
    return r;
}
