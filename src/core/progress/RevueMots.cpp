#include "core/progress/RevueMots.h"

#include "core/Chemins.h"
#include "core/FichierTexte.h"
#include "core/Services.h"
#include "core/Texte.h"
#include "core/progress/BilanEleve.h"
#include "core/progress/LecturesBilan.h"
#include "core/records/FichiersEleve.h"
#include "core/records/LignesBilan.h"
#include "core/setup/ListesDepart.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <algorithm>

namespace {

constexpr int DernierPalier = int(std::size(IntervallesRevue)) - 1;

// The comparison form of a typed answer; records are written composed, so a text without
// capitals A-Z and without blanks at its ends is already in it.
QString Forme(QStringView t) {
    const qsizetype n = t.size();
    bool pret = n > 0 && t.at(0).unicode() > 32 && t.at(n - 1).unicode() > 32;
    for (qsizetype i = 0; pret && i < n; ++i)
        pret = t.at(i).unicode() < 'A' || t.at(i).unicode() > 'Z';
    return pret ? t.toString() : FormeComparaison(t.toString());
}

class LectureRevue {
public:
    explicit LectureRevue(const QDate& aujourdhui) : m_plage(PlageVraisemblable(aujourdhui)) {}

    void Ligne(QStringView brute) {
        const LigneDetail l = LireLigneDetail(brute, m_plage);
        if (m_ouverte) {
            // As the progress views read it: a line left open is a miss when an interruption
            // closed it; anything else followed a crash or a hand edit.
            if (l.Sorte == SorteDetail::Interruption)
                Rate(m_attenduOuvert);
            m_ouverte = false;
        }
        switch (l.Sorte) {
        case SorteDetail::EnTete:
            m_date = l.Date;
            m_dossier = l.Dossier.toString();
            m_dansRevue = l.Dossier == NomRevue;
            break;
        case SorteDetail::Juste:
            // "(déjà tenté)": the item came back in the exercise where it was just missed; that
            // miss has already started it again, and this answer is no new success.
            if (m_date.isValid() && !DejaTente(brute))
                Reussi(l.Reponse);
            break;
        case SorteDetail::Ratee:
            Rate(l.Attendu);
            break;
        case SorteDetail::Ouverte:
            m_ouverte = true;
            m_attenduOuvert = l.Attendu.toString();
            break;
        default:
            break;
        }
    }

    QVector<MotEnRevue> Dus(const QDate& aujourdhui) const {
        QVector<MotEnRevue> dus;
        for (const MotEnRevue& m : m_mots)
            if (!m.Sorti && m.Echeance() <= aujourdhui)
                dus.append(m);
        std::stable_sort(dus.begin(), dus.end(), [](const MotEnRevue& a, const MotEnRevue& b) {
            return a.Echeance() < b.Echeance();
        });
        return dus;
    }

private:
    static bool DejaTente(QStringView brute) {
        while (!brute.isEmpty() && brute.last().unicode() <= 32)
            brute.chop(1);
        return brute.endsWith(u" (déjà tenté)]");
    }

    void Rate(QStringView attendu) {
        if (!m_date.isValid())
            return; // before any header: no date to count from
        int i = -1;
        const auto vu = m_parAttendu.constFind(attendu.toString());
        if (vu != m_parAttendu.constEnd()) {
            i = *vu;
        } else {
            // Items spelt alike (letter case, codes) are one word.
            MotRate mot = MotDepuisAttendu(attendu);
            const auto meme = m_parCle.constFind(mot.Cle);
            if (meme != m_parCle.constEnd()) {
                i = *meme;
            } else {
                i = int(m_mots.size());
                MotEnRevue nouveau;
                nouveau.Cle = mot.Cle;
                nouveau.Cles = mot.Cles;
                m_mots.append(nouveau);
                m_parCle.insert(mot.Cle, i);
                for (const QString& c : std::as_const(mot.Cles))
                    m_parReponse[c].append(i);
            }
            m_parAttendu.insert(attendu.toString(), i);
        }
        MotEnRevue& m = m_mots[i];
        m.Palier = 0;
        m.Depuis = m_date;
        m.Sorti = false;
        // Its sound is in a real folder; the review's items keep the one they came from.
        if (!m_dansRevue) {
            m.Attendu = attendu.toString();
            m.Dossier = m_dossier;
        }
    }

    void Reussi(QStringView reponse) {
        if (m_parReponse.isEmpty())
            return;
        const auto it = m_parReponse.constFind(Forme(reponse));
        if (it == m_parReponse.constEnd())
            return;
        for (const int i : *it) {
            MotEnRevue& m = m_mots[i];
            // Right before its day: the word is not due yet, and its interval runs on.
            if (m.Sorti || m_date < m.Echeance())
                continue;
            m.Depuis = m_date;
            if (m.Palier == DernierPalier)
                m.Sorti = true;
            else
                ++m.Palier;
        }
    }

    const PlageDates m_plage;
    QDate m_date;
    QString m_dossier;
    bool m_dansRevue = false;
    bool m_ouverte = false;
    QString m_attenduOuvert;
    QVector<MotEnRevue> m_mots;
    QHash<QString, int> m_parAttendu;          // expected text as written -> word
    QHash<QString, int> m_parCle;              // word key -> word
    QHash<QString, QVector<int>> m_parReponse; // one accepted answer's key -> words
};

bool EstUnSon(const QString& nom) {
    const qsizetype point = nom.lastIndexOf(u'.');
    return point >= 0 && MajusculesAZ(nom.mid(point)) == u".WAV";
}

// The folders below the root, shallow ones first, each level in people's order, each folder
// once even where a link leads back up.
QHash<QString, QStringList> DossiersNommes(const QString& racine, const QSet<QString>& noms) {
    QHash<QString, QStringList> trouves;
    QSet<QString> vus;
    QStringList niveau{SansSeparateurFinal(ResoudreChemin(racine))};
    constexpr QDir::Filters dossiers =
        QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    while (!niveau.isEmpty()) {
        QStringList suivant;
        for (const QString& d : std::as_const(niveau)) {
            const QString reel = QFileInfo(d).canonicalFilePath();
            if (reel.isEmpty() || vus.contains(reel))
                continue;
            vus.insert(reel);
            QStringList enfants = QDir(d).entryList(dossiers);
            enfants.removeIf([](const QString& n) { return n.contains(u'.'); });
            TrierPourLesGens(enfants);
            for (const QString& e : std::as_const(enfants)) {
                const QString chemin = AvecSeparateur(d) + e;
                const QString cle = Compose(e).toCaseFolded();
                if (noms.contains(cle))
                    trouves[cle].append(chemin);
                suivant.append(chemin);
            }
        }
        niveau = suivant;
    }
    return trouves;
}

} // namespace

QVector<MotEnRevue> MotsDus(const QString& texte, const QDate& aujourdhui) {
    LectureRevue lecture(aujourdhui);
    const QStringView t(texte);
    qsizetype debut = 0;
    while (debut < t.size()) {
        qsizetype fin = t.indexOf(u'\n', debut);
        if (fin < 0)
            fin = t.size();
        QStringView ligne = t.mid(debut, fin - debut);
        if (ligne.endsWith(u'\r'))
            ligne.chop(1);
        lecture.Ligne(ligne);
        debut = fin + 1;
    }
    return lecture.Dus(aujourdhui);
}

ItemsRevue TrouverItemsRevue(const QVector<MotEnRevue>& mots, const QString& racineMedias) {
    ItemsRevue r;
    if (mots.isEmpty())
        return r;
    QSet<QString> noms;
    for (const MotEnRevue& m : mots)
        if (!m.Dossier.isEmpty())
            noms.insert(Compose(m.Dossier).toCaseFolded());
    const QHash<QString, QStringList> dossiers =
        noms.isEmpty() ? QHash<QString, QStringList>() : DossiersNommes(racineMedias, noms);

    // Each folder's sounds listed once, with their expected texts and word keys: several words
    // often come from one exercise.
    struct Son {
        QString Nom, Attendu, Cle;
        QStringList Cles;
    };
    QHash<QString, QVector<Son>> sons;
    const auto sonsDe = [&sons](const QString& dossier) -> const QVector<Son>& {
        auto it = sons.find(dossier);
        if (it == sons.end()) {
            QStringList noms = QDir(dossier).entryList(QDir::Files | QDir::Hidden | QDir::System);
            noms.removeIf([](const QString& n) { return !EstUnSon(n); });
            TrierPourLesGens(noms);
            QVector<Son> liste;
            for (const QString& n : std::as_const(noms)) {
                const QString attendu = TexteAttendu(n);
                MotRate mot = MotDepuisAttendu(attendu);
                liste.append({n, attendu, mot.Cle, mot.Cles});
            }
            it = sons.insert(dossier, liste);
        }
        return *it;
    };

    for (const MotEnRevue& m : mots) {
        const QStringList candidats =
            m.Dossier.isEmpty() ? QStringList() : dossiers.value(Compose(m.Dossier).toCaseFolded());
        // The sound named as recorded; else one named alike (letter case, accents spelt in
        // two, as a copy through another system leaves them); else one with the same answers;
        // else one that accepts them all (the teacher added a spelling since).
        QString trouve;
        const auto accepteTout = [&m](const Son& son) {
            for (const QString& c : m.Cles)
                if (!son.Cles.contains(c))
                    return false;
            return !m.Cles.isEmpty();
        };
        for (int passe = 0; passe < 4 && trouve.isEmpty(); ++passe) {
            for (const QString& d : candidats) {
                for (const Son& son : sonsDe(d)) {
                    const bool meme = passe == 0   ? son.Attendu == m.Attendu
                                      : passe == 1 ? MemeNomDeFichier(son.Attendu, m.Attendu)
                                      : passe == 2 ? son.Cle == m.Cle
                                                   : accepteTout(son);
                    if (meme) {
                        trouve = AvecSeparateur(d) + son.Nom;
                        break;
                    }
                }
                if (!trouve.isEmpty())
                    break;
            }
        }
        if (trouve.isEmpty())
            ++r.Absents;
        else if (!r.Chemins.contains(trouve))
            r.Chemins.append(trouve);
    }
    return r;
}

ItemsRevue PreparerRevue(const QString& dossierGroupe, const QString& eleve,
                         const QString& racineMedias, const QDate& aujourdhui) {
    if (eleve.isEmpty() || dossierGroupe.isEmpty())
        return {};
    QByteArray octets;
    if (!LireFichier(dossierGroupe + eleve + QLatin1String(SuffixeDetail), octets))
        return {};
    return TrouverItemsRevue(MotsDus(DecoderTexte(octets), aujourdhui), racineMedias);
}

QString TexteEntreeRevue(const ItemsRevue& items) {
    const qsizetype n = items.Chemins.size();
    // The words that cannot come back are counted too, so that nobody thinks them learnt.
    if (items.Absents == 0)
        return QStringLiteral("★ %1 (%2)").arg(NomRevue).arg(n);
    return QStringLiteral("★ %1 (%2 sur %3)").arg(NomRevue).arg(n).arg(n + items.Absents);
}

QString ExplicationRevue(const ItemsRevue& items) {
    const int n = int(items.Chemins.size());
    QString texte = n == 0   ? QStringLiteral("Aucun mot à revoir aujourd'hui.")
                    : n == 1 ? QStringLiteral("1 mot à revoir aujourd'hui.")
                             : QStringLiteral("%1 mots à revoir aujourd'hui.").arg(n);
    if (items.Absents == 1)
        texte += QStringLiteral(" 1 autre mot ne peut pas revenir : son exercice a été déplacé "
                                "ou supprimé.");
    else if (items.Absents > 1)
        texte += QStringLiteral(" %1 autres mots ne peuvent pas revenir : leur exercice a été "
                                "déplacé ou supprimé.")
                     .arg(items.Absents);
    return texte;
}

QDate DateDuJour() {
    const QDate d = QDate::fromString(Services::Horloge().DateCourte(), u"dd/MM/yyyy");
    return d.isValid() ? d : QDate::currentDate();
}
