#include "core/studio/NommageItem.h"

#include "core/FichierTexte.h"
#include "core/Texte.h"
#include "core/exercise/CodesItem.h"
#include "core/exercise/DecodageItem.h"

namespace {

const QChar separateurAlternatives = u'£';

QString CodePour(QChar c) {
    for (const CodeItem& code : CodesItem)
        if (code.Caractere == c.unicode())
            return QLatin1String(code.Code);
    return {};
}

bool Controle(char32_t c) {
    return c < 32 || c == 127 || (c >= 0x80 && c < 0xA0);
}

// How a character is named in a message: itself, or its number when it cannot be seen.
QString Montrer(char32_t c) {
    if (Controle(c))
        return QStringLiteral("le caractère de contrôle n° %1").arg(quint32(c));
    return QStringLiteral("le caractère « %1 »").arg(QString::fromUcs4(&c, 1));
}

// Characters the records (written in Windows-1252) keep as they are.
bool DansCp1252(char32_t c) {
    if (c > 0xFFFF)
        return false;
    const QString un(QChar(static_cast<char16_t>(c)));
    return Cp1252::Decoder(Cp1252::Encoder(un)) == un;
}

// Where the encoded text holds a code the encoder did not write: decoding would change it.
// Returns that code, or an empty text.
QString CodeImprevu(const QString& texte) {
    // Positions in the encoded text where the encoder itself wrote a code.
    QList<qsizetype> ecrits;
    QString encode;
    for (const QChar c : texte) {
        const QString code = CodePour(c);
        if (code.isEmpty()) {
            encode += c;
        } else {
            ecrits.append(encode.size());
            encode += code;
        }
    }
    for (const CodeItem& code : CodesItem) {
        const QString cherche = QLatin1String(code.Code);
        for (qsizetype i = encode.indexOf(cherche); i >= 0; i = encode.indexOf(cherche, i + 1))
            if (!ecrits.contains(i))
                return cherche;
    }
    return {};
}

} // namespace

QString EncoderOrthographe(const QString& texte) {
    QString r;
    r.reserve(texte.size());
    for (const QChar c : texte) {
        const QString code = CodePour(c);
        if (code.isEmpty())
            r += c;
        else
            r += code;
    }
    return r;
}

NomItem NommerItem(const QStringList& orthographes) {
    NomItem r;
    QStringList textes;
    for (const QString& o : orthographes) {
        // What a word processor pasted along (a no-break space before "?", a soft hyphen) is
        // stored as the pupil types it.
        const QString t = Rogner(TexteSaisi(o));
        if (!t.isEmpty())
            textes.append(t);
    }
    if (textes.isEmpty()) {
        r.Refus = QStringLiteral("Écrivez le texte que l'élève devra taper.");
        return r;
    }
    QStringList morceaux;
    for (const QString& t : std::as_const(textes)) {
        for (const char32_t c : t.toUcs4()) {
            if (Controle(c))
                return {{},
                        {},
                        QStringLiteral("Le texte « %1 » contient %2, qu'un nom de fichier ne "
                                       "peut pas contenir.")
                            .arg(t, Montrer(c))};
            if (!DansCp1252(c))
                return {{},
                        {},
                        QStringLiteral("Le texte « %1 » contient %2, que les bilans des élèves "
                                       "ne peuvent pas écrire.")
                            .arg(t, Montrer(c))};
        }
        if (t.contains(QStringLiteral(".wav"), Qt::CaseInsensitive))
            return {{},
                    {},
                    QStringLiteral("Le texte « %1 » contient « .wav », que l'exercice enlève de "
                                   "la réponse qu'il montre.")
                        .arg(t)};
        const QString code = CodeImprevu(t);
        if (!code.isEmpty())
            return {{},
                    {},
                    QStringLiteral("Le texte « %1 » ne peut pas être écrit dans un nom de fichier "
                                   ": le caractère « # » y formerait le code « %2 », qui se lit "
                                   "« %3 ».")
                        .arg(t, code, DecoderNomItem(code))};
        morceaux.append(EncoderOrthographe(t));
    }
    const QString base = morceaux.join(separateurAlternatives);
    // The decoding the exercise does must give the texts back, exactly.
    if (ReponsesAcceptees(base + QStringLiteral(".wav")) != textes)
        return {{},
                {},
                QStringLiteral("Ces textes ne peuvent pas être écrits dans un nom de fichier.")};
    const qsizetype octets = (base + QStringLiteral(".wav")).toUtf8().size();
    if (octets > OctetsNomMax)
        return {{},
                {},
                QStringLiteral("Ces textes sont trop longs pour un nom de fichier : %1 octets, %2 "
                               "au plus. Raccourcissez-les ou enlevez une orthographe.")
                    .arg(octets)
                    .arg(OctetsNomMax)};
    r.Base = base;
    r.Textes = textes;
    return r;
}

QString RefusDoublon(const QString& base, const QStringList& autresBases) {
    for (const QString& autre : autresBases)
        if (autre.compare(base, Qt::CaseInsensitive) == 0)
            return QStringLiteral("Un autre item de ce dossier s'appelle déjà « %1 » (à une "
                                  "majuscule près) : deux items ne peuvent pas porter le même nom.")
                .arg(ReponsesAcceptees(autre + QStringLiteral(".wav")).join(QStringLiteral(" / ")));
    return {};
}

QString NomDossierNormalise(const QString& nom) {
    return Rogner(TexteSaisi(nom));
}

QString RefusNomDossier(const QString& nom, const QStringList& existants) {
    const QString n = NomDossierNormalise(nom);
    if (n.isEmpty())
        return QStringLiteral("Écrivez le nom du dossier.");
    if (n == u"." || n == u"..")
        return QStringLiteral("« %1 » ne peut pas être le nom d'un dossier.").arg(n);
    static const QString interdits = QStringLiteral("/\\:*?\"<>|");
    for (const char32_t c : n.toUcs4()) {
        if (Controle(c) || (c < 0x10000 && interdits.contains(QChar(char16_t(c)))))
            return QStringLiteral("Le nom d'un dossier ne peut pas contenir %1 : les caractères "
                                  "/ \\ : * ? \" < > | et les caractères de contrôle sont refusés.")
                .arg(Montrer(c));
        // The folder's name goes into every record header of its exercises.
        if (!DansCp1252(c))
            return QStringLiteral("Le nom d'un dossier ne peut pas contenir %1, que les bilans "
                                  "des élèves ne peuvent pas écrire.")
                .arg(Montrer(c));
    }
    // The pupils' folder list leaves out every folder whose name holds a dot.
    if (n.contains(u'.'))
        return QStringLiteral("Le nom d'un dossier ne peut pas contenir de point « . » : les "
                              "élèves ne verraient pas ce dossier.");
    if (n.toUtf8().size() > OctetsNomMax)
        return QStringLiteral("Ce nom de dossier est trop long.");
    for (const QString& e : existants)
        if (NomDossierNormalise(e).compare(n, Qt::CaseInsensitive) == 0)
            return QStringLiteral("Un dossier « %1 » existe déjà ici.").arg(e);
    return {};
}
