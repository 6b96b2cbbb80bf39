#include "core/progress/LecturesBilan.h"

#include "core/Services.h"

#include "core/Texte.h"

#include <algorithm>

namespace {

bool Chiffre(QChar c) {
    return c.unicode() >= '0' && c.unicode() <= '9';
}

// A whole number written with digits only, blanks around allowed; nine digits at most, so that
// no hand-typed number overflows.
bool Entier(QStringView t, int& valeur) {
    t = Rogner(t);
    if (t.isEmpty() || t.size() > 9)
        return false;
    int v = 0;
    for (const QChar c : t) {
        if (!Chiffre(c))
            return false;
        v = v * 10 + (c.unicode() - '0');
    }
    valeur = v;
    return true;
}

// "07/12/2026", or "7/12/2026" from a system set to short days and months; invalid outside the
// range.
QDate Date(QStringView t, const PlageDates& plage) {
    t = Rogner(t);
    const qsizetype b1 = t.indexOf(u'/');
    const qsizetype b2 = b1 < 0 ? -1 : t.indexOf(u'/', b1 + 1);
    if (b1 < 1 || b1 > 2 || b2 - b1 < 2 || b2 - b1 > 3 || t.size() - b2 - 1 != 4)
        return {};
    int j = 0;
    int m = 0;
    int a = 0;
    if (!Entier(t.left(b1), j) || !Entier(t.mid(b1 + 1, b2 - b1 - 1), m) ||
        !Entier(t.mid(b2 + 1), a))
        return {};
    const QDate date(a, m, j); // invalid for the 31/02
    return plage.Contient(date) ? date : QDate();
}

// "14:03:27".
bool Heure(QStringView t) {
    if (t.isEmpty())
        return false;
    for (const QChar c : t)
        if (!Chiffre(c) && c != u':')
            return false;
    return true;
}

// The whole text is a header, date first.
bool EnTete(QStringView t, LigneDetail& r, const PlageDates& plage) {
    static const QString a = QStringLiteral(" à ");
    static const QString sur = QStringLiteral(" - Exercice sur [");
    const qsizetype ia = t.indexOf(a);
    if (ia < 0 || !t.endsWith(u']'))
        return false;
    const QDate date = Date(t.left(ia), plage);
    if (!date.isValid())
        return false;
    const qsizetype tiret = t.indexOf(u" - ", ia + a.size());
    if (tiret < 0 || !Heure(t.mid(ia + a.size(), tiret - ia - a.size())))
        return false;
    const qsizetype is = t.indexOf(sur, tiret);
    if (is < tiret + 3)
        return false;
    // "2 items", "1 item": a damaged line may hold the word without its number or blank.
    QStringView items = t.mid(tiret + 3, is - tiret - 3);
    if (items.endsWith(u" items"))
        items.chop(6);
    else if (items.endsWith(u" item"))
        items.chop(5);
    else
        return false;
    int n = 0;
    if (!Entier(items, n))
        return false;
    r.Sorte = SorteDetail::EnTete;
    r.Date = date;
    r.Dossier = t.mid(is + sur.size(), t.size() - is - sur.size() - 1);
    return true;
}

// The last header in the line that runs to its end, when the line does not start with it.
qsizetype EnTeteColle(QStringView t, LigneDetail& r, const PlageDates& plage) {
    static const QString a = QStringLiteral(" à ");
    static const QString sur = QStringLiteral(" - Exercice sur [");
    if (!t.endsWith(u']'))
        return -1;
    // The date, time and number of items stand just before the last " - Exercice sur [": only
    // the " à " of those few characters are tried, so that a hostile line of many " à " costs
    // one pass and not one per " à ".
    const qsizetype is = t.lastIndexOf(sur);
    if (is < 1) // also keeps the search below from starting at the end (from -1)
        return -1;
    const qsizetype limite = std::max<qsizetype>(0, is - 48);
    for (qsizetype ia = t.lastIndexOf(a, is - 1); ia >= limite && ia > 0;
         ia = t.lastIndexOf(a, ia - 1)) {
        // The program writes ten-character dates; a glued one cannot be told from the digits
        // before it otherwise.
        const qsizetype debut = ia - 10;
        if (debut <= 0)
            break;
        LigneDetail essai;
        if (EnTete(t.mid(debut), essai, plage)) {
            r = essai;
            return debut;
        }
    }
    return -1;
}

template <size_t N> constexpr qsizetype Longueur(const char16_t (&)[N]) {
    return qsizetype(N - 1);
}

template <size_t N> bool Finit(QStringView t, const char16_t (&fin)[N]) {
    constexpr qsizetype n = qsizetype(N - 1);
    return t.size() >= n && std::equal(fin, fin + n, t.utf16() + (t.size() - n));
}

bool Commence(QStringView t, QStringView debut, QStringView fin, QStringView& milieu) {
    if (!t.startsWith(debut) || !t.endsWith(fin) || t.size() < debut.size() + fin.size())
        return false;
    milieu = t.mid(debut.size(), t.size() - debut.size() - fin.size());
    return true;
}

} // namespace

bool DureeValide(QStringView t) {
    // Pairs "number unit" in the order h, min, s, the seconds always last.
    int rang = 0; // 0: h may come, 1: min may come, 2: only s
    qsizetype i = 0;
    while (i < t.size()) {
        const qsizetype debut = i;
        while (i < t.size() && Chiffre(t.at(i)))
            ++i;
        if (i == debut || i - debut > 9 || i >= t.size() || t.at(i) != u' ')
            return false;
        ++i;
        const qsizetype finUnite = t.indexOf(u' ', i);
        const QStringView unite = t.mid(i, (finUnite < 0 ? t.size() : finUnite) - i);
        if (unite == u"s")
            return finUnite < 0;
        if (finUnite < 0)
            return false;
        if (unite == u"h" && rang == 0)
            rang = 1;
        else if (unite == u"min" && rang <= 1)
            rang = 2;
        else
            return false;
        i = finUnite + 1;
    }
    return false;
}

PlageDates PlageVraisemblable(const QDate& aujourdhui) {
    return {QDate(2000, 1, 1), aujourdhui.addYears(1)};
}

PlageDates PlageDuJour() {
    QDate aujourdhui = QDate::fromString(Services::Horloge().DateCourte(), u"dd/MM/yyyy");
    if (!aujourdhui.isValid())
        aujourdhui = QDate::currentDate();
    return PlageVraisemblable(aujourdhui);
}

bool LireLigneResume(QStringView ligne, ExerciceResume& r, const PlageDates& plage) {
    const qsizetype s1 = ligne.indexOf(u" | ");
    const qsizetype s2 = s1 < 0 ? -1 : ligne.indexOf(u" | ", s1 + 3);
    if (s2 < 0)
        return false;
    const qsizetype s3 = ligne.indexOf(u'|', s2 + 3);
    const QDate date = Date(ligne.left(s1), plage);
    const QStringView etat = Rogner(ligne.mid(s1 + 3, s2 - s1 - 3));
    const QStringView points = ligne.mid(s2 + 3, (s3 < 0 ? ligne.size() : s3) - s2 - 3);
    const qsizetype barre = points.indexOf(u'/');
    int score = 0;
    int maxi = 0;
    if (!date.isValid() || barre < 0 || !Entier(points.left(barre), score) ||
        !Entier(points.mid(barre + 1), maxi) || maxi <= 0 || score > maxi)
        return false;
    if (etat.compare(u"Terminé", Qt::CaseInsensitive) == 0)
        r.Termine = true;
    else if (etat.compare(u"Interrompu", Qt::CaseInsensitive) == 0)
        r.Termine = false;
    else
        return false;
    r.Date = date;
    r.Score = score;
    r.Maxi = maxi;
    r.Dossier = s3 < 0 ? QString() : Rogner(ligne.mid(s3 + 1)).toString();
    return true;
}

LigneDetail LireLigneDetail(QStringView brute, const PlageDates& plage) {
    LigneDetail r;
    // Blanks a hand edit left at the end change nothing.
    qsizetype fin = brute.size();
    while (fin > 0 && brute.at(fin - 1).unicode() <= 32)
        --fin;
    const QStringView t = brute.left(fin);
    if (t.isEmpty()) {
        r.Sorte = SorteDetail::Vide;
        return r;
    }

    QStringView milieu;
    if (t.endsWith(u']')) {
        // Item lines make nearly all of a record: their ends are compared directly.
        static constexpr char16_t essai[] = u" - 1 essai]";
        static constexpr char16_t dejaTente[] = u" - 1 essai (déjà tenté)]";
        static constexpr char16_t essais[] = u" essais]";
        const bool simple = Finit(t, essai);
        if (simple || Finit(t, dejaTente)) {
            const qsizetype suffixe = simple ? Longueur(essai) : Longueur(dejaTente);
            // "answer : [T" before the end: the time holds no bracket.
            // A line that is the end alone would start the search from its end (from -1).
            const qsizetype crochet =
                t.size() > suffixe ? t.lastIndexOf(u'[', t.size() - suffixe - 1) : -1;
            if (crochet >= 3 && t.mid(crochet - 3, 3) == u" : " &&
                DureeValide(t.mid(crochet + 1, t.size() - crochet - 1 - suffixe))) {
                r.Sorte = SorteDetail::Juste;
                r.Reponse = t.left(crochet - 3);
                r.Essais = 1;
                return r;
            }
        } else if (Finit(t, essais)) {
            const qsizetype crochet = t.lastIndexOf(u'[');
            const qsizetype deux = t.indexOf(u" : ");
            if (crochet > 0 && t.at(crochet - 1) == u' ' && deux > 0 && deux < crochet - 1) {
                const QStringView dedans =
                    t.mid(crochet + 1, t.size() - crochet - 1 - Longueur(essais));
                const qsizetype tiret = dedans.lastIndexOf(u" - ");
                int n = 0;
                if (tiret >= 0 && DureeValide(dedans.left(tiret)) &&
                    Entier(dedans.mid(tiret + 3), n) && n >= 2 && !Rogner(t.left(deux)).isEmpty()) {
                    r.Sorte = SorteDetail::Ratee;
                    r.Attendu = t.left(deux);
                    r.Reponses = t.mid(deux + 3, std::max<qsizetype>(0, crochet - 1 - deux - 3));
                    r.Essais = n;
                    return r;
                }
            }
        }
        // A folder may be named anything, "3 essais" included.
        if (Chiffre(t.at(0)) && EnTete(t, r, plage))
            return r;
        const qsizetype colle = EnTeteColle(t, r, plage);
        if (colle > 0) {
            r.EnTeteColle = colle;
            return r;
        }
        return LigneDetail();
    }

    if (Commence(t, u"Temps exercice : ", u".", milieu)) {
        r.Sorte = DureeValide(milieu) ? SorteDetail::Temps : SorteDetail::Illisible;
        return r;
    }
    if (Commence(t, u"Exercice interrompu après ", u".", milieu)) {
        r.Sorte = DureeValide(milieu) ? SorteDetail::Interruption : SorteDetail::Illisible;
        return r;
    }
    if (Commence(t, u"Score : ", u".", milieu)) {
        const qsizetype barre = milieu.indexOf(u'/');
        int score = 0;
        int maxi = 0;
        r.Sorte =
            barre >= 0 && Entier(milieu.left(barre), score) && Entier(milieu.mid(barre + 1), maxi)
                ? SorteDetail::Score
                : SorteDetail::Illisible;
        return r;
    }
    if (t.size() >= 10 && t.count(u'-') == t.size()) {
        r.Sorte = SorteDetail::Regle;
        return r;
    }
    const qsizetype deux = t.indexOf(u" : ");
    if (deux > 0 && !Rogner(t.left(deux)).isEmpty()) {
        r.Sorte = SorteDetail::Ouverte;
        r.Attendu = t.left(deux);
        r.Reponses = t.mid(deux + 3);
        return r;
    }
    return r;
}

QVarLengthArray<QStringView, 4> ReponsesFausses(QStringView reponses, int essais) {
    QVarLengthArray<QStringView, 4> r;
    for (qsizetype debut = 0;;) {
        const qsizetype tiret = reponses.indexOf(u" - ", debut);
        r.append(reponses.mid(debut, (tiret < 0 ? reponses.size() : tiret) - debut));
        if (tiret < 0)
            break;
        debut = tiret + 3;
    }
    if (essais > 0 && r.size() != essais - 1)
        r.clear();
    return r;
}
