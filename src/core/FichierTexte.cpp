#include "core/FichierTexte.h"

#include "core/AjoutFichier.h"
#include "core/Chemins.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

// 0x80..0x9F of Windows-1252. The five unassigned bytes map to the C1 control of the same
// value, as Windows itself does, so every byte survives a read and a write.
constexpr char16_t tableHaute[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char EncoderCaractere(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    for (int i = 0; i < 32; ++i)
        if (tableHaute[i] == c)
            return static_cast<char>(0x80 + i);
    return '?';
}

// -1 invalid, 0 pure ASCII, 1 valid with non-ASCII sequences. `tronque`: the sample stops
// before the end of the file, so a sequence cut by its end proves nothing either way.
int EvaluerUtf8(const unsigned char* p, qsizetype n, bool tronque) {
    int resultat = 0;
    qsizetype i = 0;
    while (i < n) {
        const unsigned char c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int suite = 0;
        char32_t min = 0;
        if (c >= 0xC2 && c <= 0xDF) {
            suite = 1;
            min = 0x80;
        } else if (c >= 0xE0 && c <= 0xEF) {
            suite = 2;
            min = 0x800;
        } else if (c >= 0xF0 && c <= 0xF4) {
            suite = 3;
            min = 0x10000;
        } else {
            return -1;
        }
        if (!tronque && i + suite >= n)
            return -1;
        char32_t v = c & (0x3F >> suite);
        for (int k = 1; k <= suite; ++k) {
            if (i + k >= n)
                return resultat; // cut by the end of the sample
            const unsigned char s = p[i + k];
            if ((s & 0xC0) != 0x80)
                return -1;
            v = (v << 6) | (s & 0x3F);
        }
        if (v < min || v > 0x10FFFF || (v >= 0xD800 && v <= 0xDFFF))
            return -1;
        resultat = 1;
        i += suite + 1;
    }
    return resultat;
}

bool CommenceParBom(const QByteArray& o) {
    return o.startsWith("\xEF\xBB\xBF");
}

// The UTF-16 encoding a BOM announces; Cp1252 when there is none.
Encodage Utf16ParBom(const QByteArray& o) {
    if (o.startsWith("\xFF\xFE"))
        return Encodage::Utf16LE;
    if (o.startsWith("\xFE\xFF"))
        return Encodage::Utf16BE;
    return Encodage::Cp1252;
}

bool EstUtf16(Encodage e) {
    return e == Encodage::Utf16LE || e == Encodage::Utf16BE;
}

QString DecoderUtf16(const QByteArray& octets, bool petitBoutDabord) {
    const qsizetype n = (octets.size() - 2) / 2; // the BOM left out; an odd last byte too
    QString r(n, Qt::Uninitialized);
    QChar* d = r.data();
    const auto* p = reinterpret_cast<const unsigned char*>(octets.constData()) + 2;
    for (qsizetype i = 0; i < n; ++i) {
        const unsigned a = p[2 * i];
        const unsigned b = p[2 * i + 1];
        d[i] = QChar(static_cast<char16_t>(petitBoutDabord ? (b << 8 | a) : (a << 8 | b)));
    }
    return r;
}

QByteArray EncoderUtf16(const QString& texte, bool petitBoutDabord) {
    QByteArray r(texte.size() * 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < texte.size(); ++i) {
        const char16_t c = texte.at(i).unicode();
        const char haut = static_cast<char>(c >> 8);
        const char bas = static_cast<char>(c & 0xFF);
        r[2 * i] = petitBoutDabord ? bas : haut;
        r[2 * i + 1] = petitBoutDabord ? haut : bas;
    }
    return r;
}

QByteArray Bom(Encodage e) {
    switch (e) {
    case Encodage::Utf16LE:
        return QByteArray("\xFF\xFE");
    case Encodage::Utf16BE:
        return QByteArray("\xFE\xFF");
    case Encodage::Utf8:
        return QByteArray("\xEF\xBB\xBF");
    case Encodage::Cp1252:
        break;
    }
    return {};
}

} // namespace

namespace Cp1252 {

QString Decoder(const QByteArray& octets) {
    QString r(octets.size(), Qt::Uninitialized);
    QChar* d = r.data();
    for (qsizetype i = 0; i < octets.size(); ++i) {
        const auto c = static_cast<unsigned char>(octets.at(i));
        d[i] = (c >= 0x80 && c < 0xA0) ? QChar(tableHaute[c - 0x80]) : QChar(c);
    }
    return r;
}

QByteArray Encoder(const QString& texte) {
    QByteArray r;
    r.reserve(texte.size());
    for (const char32_t c : texte.toUcs4())
        r.append(EncoderCaractere(c));
    return r;
}

} // namespace Cp1252

Encodage DetecterEncodage(const QByteArray& octets) {
    if (const Encodage e = Utf16ParBom(octets); EstUtf16(e))
        return e;
    if (CommenceParBom(octets))
        return Encodage::Utf8;
    const auto* p = reinterpret_cast<const unsigned char*>(octets.constData());
    return EvaluerUtf8(p, octets.size(), false) == 1 ? Encodage::Utf8 : Encodage::Cp1252;
}

QString DecoderTexte(const QByteArray& octets) {
    if (const Encodage e = Utf16ParBom(octets); EstUtf16(e))
        return DecoderUtf16(octets, e == Encodage::Utf16LE);
    if (CommenceParBom(octets))
        return QString::fromUtf8(octets.constData() + 3, octets.size() - 3);
    if (DetecterEncodage(octets) == Encodage::Utf8)
        return QString::fromUtf8(octets);
    return Cp1252::Decoder(octets);
}

QByteArray EncoderTexte(const QString& texte, Encodage encodage) {
    // A name copied from a Mac spells "é" as e + U+0301, which Windows-1252 cannot hold.
    const QString compose = texte.normalized(QString::NormalizationForm_C);
    switch (encodage) {
    case Encodage::Utf8:
        return compose.toUtf8();
    case Encodage::Utf16LE:
        return EncoderUtf16(compose, true);
    case Encodage::Utf16BE:
        return EncoderUtf16(compose, false);
    case Encodage::Cp1252:
        break;
    }
    return Cp1252::Encoder(compose);
}

Encodage EncodagePourTexte(const QString& texte) {
    const QString compose = texte.normalized(QString::NormalizationForm_C);
    return DecoderTexte(Cp1252::Encoder(compose)) == compose ? Encodage::Cp1252 : Encodage::Utf8;
}

QStringList DecouperLignes(const QString& texte) {
    QStringList lignes;
    qsizetype debut = 0;
    const qsizetype n = texte.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = texte.at(i);
        if (c == u'\r' || c == u'\n') {
            lignes.append(texte.mid(debut, i - debut));
            if (c == u'\r' && i + 1 < n && texte.at(i + 1) == u'\n')
                ++i;
            debut = i + 1;
        }
    }
    if (debut < n)
        lignes.append(texte.mid(debut));
    return lignes;
}

bool LireFichier(const QString& chemin, QByteArray& octets, QString* raison) {
    QFile f(ResoudreChemin(chemin));
    if (!f.exists() || QFileInfo(f).isDir()) {
        if (raison)
            raison->clear();
        return false;
    }
    if (!f.open(QIODevice::ReadOnly)) {
        if (raison)
            *raison = f.errorString();
        return false;
    }
    octets = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        if (raison)
            *raison = f.errorString();
        return false;
    }
    return true;
}

bool LireLignes(const QString& chemin, QStringList& lignes, QString* raison) {
    QByteArray octets;
    if (!LireFichier(chemin, octets, raison))
        return false;
    lignes = DecouperLignes(DecoderTexte(octets));
    return true;
}

Encodage EncodageDuFichier(const QString& chemin) {
    // The first and last 64 KiB tell how a teacher's editor saved the file; reading years
    // of records at every appended line would not.
    constexpr qint64 echantillon = 64 * 1024;
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly))
        return Encodage::Cp1252;
    const QByteArray debut = f.read(echantillon);
    if (const Encodage e = Utf16ParBom(debut); EstUtf16(e))
        return e;
    if (CommenceParBom(debut))
        return Encodage::Utf8;
    int note = EvaluerUtf8(reinterpret_cast<const unsigned char*>(debut.constData()), debut.size(),
                           f.size() > echantillon);
    if (note < 0)
        return Encodage::Cp1252;
    if (f.size() > echantillon) {
        f.seek(std::max(echantillon, f.size() - echantillon));
        QByteArray fin = f.readAll();
        qsizetype saut = 0; // the sample may start inside a sequence
        while (saut < 3 && saut < fin.size() &&
               (static_cast<unsigned char>(fin.at(saut)) & 0xC0) == 0x80)
            ++saut;
        const int noteFin =
            EvaluerUtf8(reinterpret_cast<const unsigned char*>(fin.constData()) + saut,
                        fin.size() - saut, false);
        if (noteFin < 0)
            return Encodage::Cp1252;
        note = std::max(note, noteFin);
    }
    return note == 1 ? Encodage::Utf8 : Encodage::Cp1252;
}

QByteArray ContenuDansLEncodageDe(const QString& chemin, const QString& texte) {
    const QString reel = ResoudreChemin(chemin);
    const Encodage e = EncodageDuFichier(reel);
    QByteArray bom;
    if (EstUtf16(e)) {
        bom = Bom(e); // without it the file could not be read back
    } else if (e == Encodage::Utf8) {
        QFile f(reel);
        if (f.open(QIODevice::ReadOnly) && CommenceParBom(f.read(3)))
            bom = Bom(e);
    }
    return bom + EncoderTexte(texte, e);
}

bool FinitParFinDeLigne(const QString& chemin) {
    const QString reel = ResoudreChemin(chemin);
    const Encodage e = EncodageDuFichier(reel);
    QFile f(reel);
    if (!f.open(QIODevice::ReadOnly))
        return true; // nothing can be added to it either
    const qint64 taille = f.size();
    const qint64 bom = EstUtf16(e) ? 2 : CommenceParBom(f.read(3)) ? 3 : 0;
    const qint64 unite = EstUtf16(e) ? 2 : 1;
    if (taille - bom < unite)
        return true;
    f.seek(taille - unite);
    const QByteArray fin = f.read(unite);
    char16_t c = static_cast<unsigned char>(fin.at(0));
    if (e == Encodage::Utf16LE)
        c = static_cast<char16_t>(static_cast<unsigned char>(fin.at(1)) << 8 | c);
    else if (e == Encodage::Utf16BE)
        c = static_cast<char16_t>(c << 8 | static_cast<unsigned char>(fin.at(1)));
    return c == u'\r' || c == u'\n';
}

bool AjouterAuFichier(const QString& chemin, const QString& texte) {
    const QString reel = ResoudreChemin(chemin);
    const QFileInfo info(reel);
    if (!info.exists() || info.isDir())
        return false;
    return AjouterOctets(reel, EncoderTexte(texte, EncodageDuFichier(reel)));
}

bool RemplacerFichier(const QString& chemin, const QByteArray& contenu) {
    QSaveFile f(ResoudreChemin(chemin));
    // Without a temporary file beside it, nothing atomic is possible: writing in place is still
    // better than a history never saved.
    f.setDirectWriteFallback(true);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    if (f.write(contenu) != contenu.size()) {
        f.cancelWriting();
        return false;
    }
    return f.commit();
}
