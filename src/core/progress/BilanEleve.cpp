#include "core/progress/BilanEleve.h"

#include "core/progress/TableTextes.h"

#include "core/Chemins.h"
#include "core/FichierTexte.h"
#include "core/Texte.h"
#include "core/exercise/DecodageItem.h"
#include "core/records/FichiersEleve.h"
#include "core/setup/ListesDepart.h"
#include "core/teacher/ColorationReussis.h"

#include <QDir>
#include <QMutexLocker>

#include <algorithm>

namespace {

// Calls `f` with every line of the text, line ends (CR LF, LF or CR) removed, without copying.
template <typename F> void ParLigne(const QString& texte, F f) {
    const QStringView t(texte);
    const qsizetype n = t.size();
    qsizetype debut = 0;
    while (debut < n) {
        // Whole lines are searched for their end at once (CR LF or LF); a CR alone, as old Mac
        // editors leave, ends a line too.
        qsizetype lf = t.indexOf(u'\n', debut);
        if (lf < 0)
            lf = n;
        QStringView segment = t.mid(debut, lf - debut);
        if (segment.endsWith(u'\r'))
            segment.chop(1);
        for (qsizetype cr = segment.indexOf(u'\r'); cr >= 0; cr = segment.indexOf(u'\r')) {
            f(segment.left(cr));
            segment = segment.mid(cr + 1);
        }
        if (lf < n || !segment.isEmpty())
            f(segment);
        debut = lf + 1;
    }
}

// The comparison form of a text (trimmed, A-Z folded), without copying the text when it is
// already in that form, as nearly every item and history key is.
QString FormeDe(const QString& texte) {
    const qsizetype n = texte.size();
    bool dejaPret = n > 0 && texte.at(0).unicode() > 32 && texte.at(n - 1).unicode() > 32;
    for (qsizetype i = 0; dejaPret && i < n; ++i)
        dejaPret = texte.at(i).unicode() < 'A' || texte.at(i).unicode() > 'Z';
    return dejaPret ? texte : FormeComparaison(texte);
}

bool Blanche(QStringView l) {
    for (const QChar c : l)
        if (c.unicode() > 32)
            return false;
    return true;
}

// "3", "2-0", "4-0-1".
bool CompteursValides(QStringView c) {
    bool chiffre = false;
    for (const QChar ch : c) {
        if (ch.unicode() >= '0' && ch.unicode() <= '9') {
            chiffre = true;
        } else if (ch == u'-' && chiffre) {
            chiffre = false;
        } else {
            return false;
        }
    }
    return chiffre;
}

// The detail record, read as the program wrote it: a header opens each exercise; an item's
// line belongs to the last header above it.
class LectureDetail {
public:
    LectureDetail(BilanLu& b, DictionnaireMots* mots, const PlageDates& plage)
        : m_b(b), m_plage(plage), m_mots(mots) {}

    void Ligne(QStringView texte) {
        const LigneDetail l = LireLigneDetail(texte, m_plage);
        if (m_ouverte) {
            // A line left open is an item missed at its first attempt only when the
            // interruption closed it; anything else followed a crash or a hand edit.
            if (l.Sorte == SorteDetail::Interruption)
                Rate(m_attenduOuvert, m_reponsesOuvertes, 0);
            else
                ++m_b.IllisiblesDetail;
            m_ouverte = false;
        }
        if (l.EnTeteColle >= 0)
            ++m_b.IllisiblesDetail; // the cut line before the header
        switch (l.Sorte) {
        case SorteDetail::EnTete:
            ++m_b.ExercicesDetail;
            m_date = l.Date;
            if (!m_b.DernierJour.isValid() || m_date > m_b.DernierJour)
                m_b.DernierJour = m_date;
            break;
        case SorteDetail::Juste:
            if (!DansUnExercice())
                ++m_b.IllisiblesDetail;
            break;
        case SorteDetail::Ratee:
            if (DansUnExercice())
                Rate(l.Attendu, l.Reponses, l.Essais);
            else
                ++m_b.IllisiblesDetail;
            break;
        case SorteDetail::Ouverte:
            if (DansUnExercice()) {
                m_ouverte = true;
                m_attenduOuvert = l.Attendu;
                m_reponsesOuvertes = l.Reponses;
            } else {
                ++m_b.IllisiblesDetail;
            }
            break;
        case SorteDetail::Illisible:
            ++m_b.IllisiblesDetail;
            break;
        case SorteDetail::Vide:
        case SorteDetail::Temps:
        case SorteDetail::Score:
        case SorteDetail::Interruption:
        case SorteDetail::Regle:
            break;
        }
    }

    void Fin() {
        if (m_ouverte)
            ++m_b.IllisiblesDetail; // cut by the end of the file
        m_ouverte = false;
    }

private:
    bool DansUnExercice() const { return m_b.ExercicesDetail > 0; }

    // `attendu` and `reponses` point into the text being read, which outlives this reading.
    void Rate(QStringView attendu, QStringView reponses, int essais) {
        auto it = m_index.find(attendu);
        if (it == m_index.end()) {
            // Items spelt alike (letter case, codes) are one word.
            MotRate mot = m_mots ? m_mots->Mot(attendu) : MotDepuisAttendu(attendu);
            const int nouveau = int(m_b.Mots.size());
            const int i = m_mots ? m_parNumero.try_emplace(mot.Numero, nouveau).first->second
                                 : m_parCle.try_emplace(mot.Cle, nouveau).first->second;
            if (i == nouveau)
                m_b.Mots.append(std::move(mot));
            it = m_index.emplace(attendu, i).first;
        }
        MotRate& m = m_b.Mots[it->second];
        ++m.Erreurs;
        m.Derniere = m_date;
        m.DernierExercice = m_b.ExercicesDetail - 1;
        for (const QStringView brute : ReponsesFausses(reponses, essais))
            Ecrit(it->second, Rogner(brute));
    }

    void Ecrit(int mot, QStringView texte) {
        MotRate& m = m_b.Mots[mot];
        // A pupil repeats a few wrong spellings of a word: the list stays short.
        const auto e = std::find_if(m.Ecrits.begin(), m.Ecrits.end(),
                                    [&](const ReponseEcrite& r) { return r.Texte == texte; });
        const int ecrit = int(e - m.Ecrits.begin());
        if (e == m.Ecrits.end()) {
            // A pupil types the same wrong texts for many words ("je sais pas"): each text is
            // kept once and shared.
            auto t = m_textes.find(texte);
            if (t == m_textes.end()) {
                const QString copie = texte.toString();
                t = m_textes.emplace(copie, copie).first;
            }
            m.Ecrits.append({t->second, 0, 0});
        }
        ++m.Ecrits[ecrit].Fois;
        m_b.Fautes.append({m_date, mot, ecrit});
    }

    BilanLu& m_b;
    const PlageDates m_plage;
    QDate m_date;
    bool m_ouverte = false;
    QStringView m_attenduOuvert;
    QStringView m_reponsesOuvertes;
    TableTextes<QString, QString> m_textes;
    DictionnaireMots* m_mots;
    TableTextes<QStringView, int> m_index; // expected text as written -> word
    TableTextes<QString, int> m_parCle;    // without a dictionary
    std::unordered_map<int, int> m_parNumero;
};

QString LireTexte(const QString& chemin, BilanLu& b) {
    QByteArray octets;
    QString raison;
    if (!LireFichier(chemin, octets, &raison)) {
        if (!raison.isEmpty())
            b.Erreurs.append(QStringLiteral("« %1 » : %2")
                                 .arg(QDir::toNativeSeparators(ResoudreChemin(chemin)), raison));
        return {};
    }
    return DecoderTexte(octets);
}

} // namespace

QString BilanLu::LigneHistorique(const QString& cle) const {
    const auto it = Historique.find(cle);
    return it == Historique.end() ? QString() : it->second.toString();
}

const MotRate* BilanLu::MotNumero(int numero) const {
    const auto it =
        std::lower_bound(ParNumero.begin(), ParNumero.end(), QPair<int, int>(numero, -1));
    return it != ParNumero.end() && it->first == numero ? &Mots.at(it->second) : nullptr;
}

MotRate MotDepuisAttendu(QStringView attendu) {
    MotRate m;
    QStringList affiches;
    // The five blanks stand for the "£" between alternatives; a "£" inside one answer is
    // still coded (#liv#) until decoding.
    const QStringView separateur(u"     ");
    for (qsizetype debut = 0;;) {
        const qsizetype fin = attendu.indexOf(separateur, debut);
        const QStringView brut = attendu.mid(debut, (fin < 0 ? attendu.size() : fin) - debut);
        // Most items hold no code: nothing to decode then.
        const QString decode =
            brut.contains(u'#') ? DecoderNomItem(brut.toString()) : brut.toString();
        QString cle = FormeDe(decode);
        if (!cle.isEmpty()) {
            affiches.append(Rogner(decode));
            m.Cles.append(std::move(cle));
        }
        if (fin < 0)
            break;
        debut = fin + separateur.size();
    }
    m.Affiche = affiches.size() == 1 ? affiches.constFirst() : affiches.join(QStringLiteral(" / "));
    m.Acceptees = std::move(affiches);
    m.Cle = m.Cles.size() == 1 ? m.Cles.constFirst() : m.Cles.join(u'\n');
    return m;
}

MotRate DictionnaireMots::Mot(QStringView attendu) {
    {
        QMutexLocker verrou(&m_verrou);
        const auto it = m_parAttendu.find(attendu);
        if (it != m_parAttendu.end())
            return m_mots.at(it->second);
    }
    // Read outside the lock: another pupil's reading goes on meanwhile.
    MotRate mot = MotDepuisAttendu(attendu);
    QMutexLocker verrou(&m_verrou);
    const auto [parCle, nouveau] = m_parCle.try_emplace(mot.Cle, int(m_mots.size()));
    if (nouveau) {
        mot.Numero = parCle->second;
        m_mots.append(mot);
    }
    m_parAttendu.try_emplace(attendu.toString(), parCle->second);
    return m_mots.at(parCle->second);
}

int DictionnaireMots::Taille() const {
    QMutexLocker verrou(&m_verrou);
    return int(m_mots.size());
}

QString DictionnaireMots::Affiche(int numero) const {
    QMutexLocker verrou(&m_verrou);
    return numero >= 0 && numero < m_mots.size() ? m_mots.at(numero).Affiche : QString();
}

QString DictionnaireMots::Cle(int numero) const {
    QMutexLocker verrou(&m_verrou);
    return numero >= 0 && numero < m_mots.size() ? m_mots.at(numero).Cle : QString();
}

size_t DictionnaireMots::HachageReponse::operator()(const CleReponse& c) const noexcept {
    return HachageTexte()(c.second) ^ (size_t(c.first) * 0x9E3779B97F4A7C15ull);
}

GenresReponse DictionnaireMots::Genres(int numero, const QString& reponse) const {
    QStringList acceptees;
    {
        QMutexLocker verrou(&m_verrou);
        if (numero < 0 || numero >= m_mots.size())
            return 0;
        const auto it = m_genres.find(CleReponse(numero, reponse));
        if (it != m_genres.end())
            return it->second;
        acceptees = m_mots.at(numero).Acceptees;
    }
    // Worked out outside the lock, as the words are.
    const GenresReponse g = GenresDe(reponse, acceptees);
    QMutexLocker verrou(&m_verrou);
    m_genres.try_emplace(CleReponse(numero, reponse), g);
    return g;
}

QVector<QVector<GenresReponse>> DictionnaireMots::Classer(const QVector<MotRate>& mots) const {
    QVector<QVector<GenresReponse>> r(mots.size());
    struct AFaire {
        int Mot;
        int Ecrit;
        QStringList Acceptees;
    };
    QVector<AFaire> aFaire;
    {
        QMutexLocker verrou(&m_verrou);
        for (int i = 0; i < mots.size(); ++i) {
            const MotRate& m = mots.at(i);
            r[i].resize(m.Ecrits.size());
            if (m.Numero < 0 || m.Numero >= m_mots.size())
                continue;
            for (int j = 0; j < m.Ecrits.size(); ++j) {
                const auto it = m_genres.find(CleReponse(m.Numero, m.Ecrits.at(j).Texte));
                if (it != m_genres.end())
                    r[i][j] = it->second;
                else
                    aFaire.append({i, j, m_mots.at(m.Numero).Acceptees});
            }
        }
    }
    if (aFaire.isEmpty())
        return r;
    for (const AFaire& a : std::as_const(aFaire))
        r[a.Mot][a.Ecrit] = GenresDe(mots.at(a.Mot).Ecrits.at(a.Ecrit).Texte, a.Acceptees);
    QMutexLocker verrou(&m_verrou);
    for (const AFaire& a : std::as_const(aFaire))
        m_genres.try_emplace(
            CleReponse(mots.at(a.Mot).Numero, mots.at(a.Mot).Ecrits.at(a.Ecrit).Texte),
            r[a.Mot][a.Ecrit]);
    return r;
}

GenresReponse GenresDe(const QString& reponse, const QStringList& acceptees) {
    if (reponse.isEmpty() || reponse == QLatin1String("..."))
        return 0;
    GenresReponse g = 0;
    for (const DifferenceReponse& d : AnalyserReponse(reponse, acceptees).Differences)
        g |= GenresReponse(1u << int(d.Genre));
    return g;
}

void AjouterGenres(CompteGenres& compte, GenresReponse genres, int fois) {
    for (int k = 0; k < NbGenresErreur; ++k)
        if (genres & (1u << k))
            compte[size_t(k)] += fois;
}

void LireResume(const QString& texte, BilanLu& b, const PlageDates& plage) {
    ParLigne(texte, [&](QStringView ligne) {
        if (Blanche(ligne))
            return;
        ExerciceResume e;
        if (LireLigneResume(ligne, e, plage))
            b.Exercices.append(std::move(e));
        else
            ++b.IllisiblesResume;
    });
}

void LireDetail(const QString& texte, BilanLu& b, DictionnaireMots* mots, const PlageDates& plage) {
    LectureDetail lecture(b, mots, plage);
    ParLigne(texte, [&](QStringView ligne) { lecture.Ligne(ligne); });
    lecture.Fin();
    if (!mots)
        return;
    b.ParNumero.clear();
    b.ParNumero.reserve(b.Mots.size());
    for (int i = 0; i < b.Mots.size(); ++i)
        b.ParNumero.append({b.Mots.at(i).Numero, i});
    std::sort(b.ParNumero.begin(), b.ParNumero.end());
}

void LireHistorique(const QString& texte, BilanLu& b) {
    // The lines are kept as views into the text, which the reading keeps.
    b.TexteHistorique = texte;
    QVector<QStringView> lignes;
    ParLigne(b.TexteHistorique, [&](QStringView ligne) {
        if (Blanche(ligne))
            return;
        const qsizetype barre = ligne.indexOf(u'|');
        if (barre < 0 || !CompteursValides(ligne.mid(barre + 1)))
            ++b.IllisiblesHistorique;
        else
            lignes.append(ligne);
    });
    // The first line of a key is the one the exercises go by: read from the last, each line
    // replaces what a later one left.
    b.Historique.reserve(size_t(lignes.size()));
    for (qsizetype i = lignes.size() - 1; i >= 0; --i) {
        const QStringView ligne = lignes.at(i);
        // The key as the history loader makes it (A-Z folded, trimmed).
        b.Historique.insert_or_assign(FormeDe(ligne.left(ligne.indexOf(u'|')).toString()), ligne);
    }
}

BilanLu LireBilanEleve(const QString& dossierGroupe, const QString& eleve, DictionnaireMots* mots) {
    BilanLu b;
    const QString base = dossierGroupe + eleve;
    const PlageDates plage = PlageDuJour();
    LireResume(LireTexte(base + QLatin1String(SuffixeExos), b), b, plage);
    LireDetail(LireTexte(base + QLatin1String(SuffixeDetail), b), b, mots, plage);
    LireHistorique(LireTexte(base + QLatin1String(SuffixeHistorique), b), b);
    return b;
}

StatistiquesEleve CalculerEleve(const QString& eleve, const BilanLu& b,
                                std::optional<int> reponsesNecessaires) {
    StatistiquesEleve s;
    s.Eleve = eleve;
    s.Exercices = int(b.Exercices.size());
    for (const ExerciceResume& e : b.Exercices)
        (e.Termine ? s.Termines : s.Interrompus)++;
    if (!b.Exercices.isEmpty()) {
        s.Dernier = b.Exercices.last().Date;
        const qsizetype debut = std::max<qsizetype>(0, b.Exercices.size() - ExercicesRecents);
        double somme = 0;
        for (qsizetype i = debut; i < b.Exercices.size(); ++i)
            somme += b.Exercices.at(i).Pourcent();
        s.Moyenne = somme / double(b.Exercices.size() - debut);
    }

    // The rule takes whole lines; the views are lent as such, without copies.
    const auto ligne = [](QStringView v) { return QString::fromRawData(v.data(), v.size()); };
    for (const auto& [cle, l] : b.Historique)
        if (LigneMaitrisee(ligne(l), reponsesNecessaires))
            ++s.Maitrises;

    const int premierRecent = b.ExercicesDetail - ExercicesRecents;
    for (const MotRate& m : b.Mots) {
        if (m.DernierExercice < premierRecent)
            continue;
        bool maitrise = false;
        for (const QString& cle : m.Cles) {
            const auto it = b.Historique.find(cle);
            maitrise = maitrise || (it != b.Historique.end() &&
                                    LigneMaitrisee(ligne(it->second), reponsesNecessaires));
        }
        if (!maitrise)
            s.MotsARevoir.append(m.Affiche);
    }
    TrierPourLesGens(s.MotsARevoir);
    s.Illisibles = b.Illisibles();
    s.Erreurs = b.Erreurs;
    return s;
}

void AjouterFautes(StatistiquesEleve& s, const BilanLu& b, const DictionnaireMots* mots) {
    QVector<QVector<GenresReponse>> genres;
    if (mots) {
        genres = mots->Classer(b.Mots);
    } else {
        genres.resize(b.Mots.size());
        for (int i = 0; i < b.Mots.size(); ++i)
            for (const ReponseEcrite& e : b.Mots.at(i).Ecrits)
                genres[i].append(GenresDe(e.Texte, b.Mots.at(i).Acceptees));
    }
    s.ReponsesFausses = 0;
    s.Genres = {};
    s.Semaines.clear();
    if (b.DernierJour.isValid()) {
        const QDate lundi = b.DernierJour.addDays(1 - b.DernierJour.dayOfWeek());
        for (int w = SemainesFautes - 1; w >= 0; --w)
            s.Semaines.append({lundi.addDays(-7 * w), 0, {}});
    }
    for (const FauteLue& f : b.Fautes) {
        const GenresReponse g = genres.at(f.Mot).at(f.Ecrit);
        ++s.ReponsesFausses;
        AjouterGenres(s.Genres, g);
        if (s.Semaines.isEmpty())
            continue;
        const qint64 rang = s.Semaines.first().Lundi.daysTo(f.Jour);
        if (rang < 0 || rang >= 7 * SemainesFautes)
            continue;
        SemaineFautes& semaine = s.Semaines[qsizetype(rang / 7)];
        ++semaine.Reponses;
        AjouterGenres(semaine.Genres, g);
    }
}
