#include "core/progress/SuiviClasse.h"

#include "core/Chemins.h"
#include "core/records/FichiersEleve.h"
#include "core/setup/ListesDepart.h"

#include <QCollator>
#include <QFileInfo>
#include <QLocale>
#include <QMutexLocker>
#include <QThreadPool>

#include <algorithm>

CacheBilans::Empreintes CacheBilans::EmpreintesEleve(const QString& base) {
    Empreintes r;
    const char* const suffixes[] = {SuffixeExos, SuffixeDetail, SuffixeHistorique};
    for (size_t i = 0; i < r.size(); ++i) {
        const QFileInfo f(ResoudreChemin(base + QLatin1String(suffixes[i])));
        if (f.isFile())
            r[i] = {f.size(), f.lastModified().toMSecsSinceEpoch()};
    }
    return r;
}

CacheBilans::Eleve CacheBilans::Lire(const QString& dossierGroupe, const QString& eleve,
                                     std::optional<int> reponsesNecessaires) {
    const QString base = dossierGroupe + eleve;
    const Empreintes avant = EmpreintesEleve(base);
    Eleve r;
    {
        QMutexLocker verrou(&m_verrou);
        const auto it = m_entrees.constFind(base);
        if (it != m_entrees.constEnd() && it->Fichiers == avant) {
            if (it->Necessaires == reponsesNecessaires)
                return it->Lu;
            r.Bilan = it->Lu.Bilan; // only the row changes with the answers needed
        }
    }
    if (!r.Bilan) {
        r.Bilan = std::make_shared<const BilanLu>(LireBilanEleve(dossierGroupe, eleve, &m_mots));
        r.Relu = true;
    }
    r.Statistiques = std::make_shared<const StatistiquesEleve>(
        CalculerEleve(eleve, *r.Bilan, reponsesNecessaires));
    // A file that changed while it was read is read again next time.
    if (EmpreintesEleve(base) == avant) {
        QMutexLocker verrou(&m_verrou);
        Entree& e = m_entrees[base];
        e.Fichiers = avant;
        e.Lu = r;
        e.Lu.Relu = false;
        e.Necessaires = reponsesNecessaires;
    }
    return r;
}

void CacheBilans::Vider() {
    QMutexLocker verrou(&m_verrou);
    m_entrees.clear();
}

QVector<MotDeLaClasse> MotsLesPlusRates(const QVector<BilanNomme>& eleves,
                                        const DictionnaireMots& dictionnaire, int combien) {
    // Counted in arrays by word number: a group's years of records hold tens of thousands of
    // words.
    const int taille = dictionnaire.Taille();
    std::vector<int> nbEleves(size_t(taille), 0);
    std::vector<int> erreurs(size_t(taille), 0);
    for (const BilanNomme& e : eleves)
        for (const MotRate& m : e.Bilan->Mots)
            if (m.Numero >= 0 && m.Numero < taille) {
                ++nbEleves[size_t(m.Numero)];
                erreurs[size_t(m.Numero)] += m.Erreurs;
            }
    std::vector<int> numeros;
    for (int n = 0; n < taille; ++n)
        if (nbEleves[size_t(n)] > 0)
            numeros.push_back(n);
    const auto plusRate = [&](int a, int b) {
        return nbEleves[size_t(a)] != nbEleves[size_t(b)]
                   ? nbEleves[size_t(a)] > nbEleves[size_t(b)]
                   : erreurs[size_t(a)] > erreurs[size_t(b)];
    };
    // Only the first ones, and those tied with the last of them, need people's order.
    if (combien <= 0)
        return {};
    if (numeros.size() > size_t(combien)) {
        std::nth_element(numeros.begin(), numeros.begin() + (combien - 1), numeros.end(), plusRate);
        const int limite = numeros[size_t(combien - 1)];
        numeros.erase(std::remove_if(numeros.begin(), numeros.end(),
                                     [&](int n) { return plusRate(limite, n); }),
                      numeros.end());
    }
    QCollator ordre{QLocale(QLocale::French, QLocale::France)};
    ordre.setNumericMode(true);
    ordre.setCaseSensitivity(Qt::CaseInsensitive);
    std::vector<QString> affiches(static_cast<size_t>(taille));
    for (const int n : numeros)
        affiches[size_t(n)] = dictionnaire.Affiche(n);
    std::sort(numeros.begin(), numeros.end(), [&](int a, int b) {
        if (plusRate(a, b) || plusRate(b, a))
            return plusRate(a, b);
        const int c = ordre.compare(affiches[size_t(a)], affiches[size_t(b)]);
        return c != 0 ? c < 0 : a < b;
    });
    if (numeros.size() > size_t(combien))
        numeros.resize(size_t(combien));

    QVector<MotDeLaClasse> mots;
    mots.reserve(qsizetype(numeros.size()));
    for (const int n : numeros) {
        MotDeLaClasse m;
        m.Cle = dictionnaire.Cle(n);
        m.Affiche = affiches[size_t(n)];
        m.Eleves = nbEleves[size_t(n)];
        m.Erreurs = erreurs[size_t(n)];
        QHash<QString, int> ecrits; // text -> index in m.Ecrits
        for (const BilanNomme& e : eleves)
            if (const MotRate* r = e.Bilan->MotNumero(n)) {
                m.ParEleve.append({e.Eleve, r->Erreurs, r->Derniere});
                for (const ReponseEcrite& ecrit : r->Ecrits) {
                    auto it = ecrits.constFind(ecrit.Texte);
                    if (it == ecrits.constEnd()) {
                        it = ecrits.insert(ecrit.Texte, int(m.Ecrits.size()));
                        m.Ecrits.append({ecrit.Texte, 0, dictionnaire.Genres(n, ecrit.Texte)});
                    }
                    m.Ecrits[it.value()].Fois += ecrit.Fois;
                    m.Reponses += ecrit.Fois;
                }
            }
        for (const ReponseEcrite& e : std::as_const(m.Ecrits))
            AjouterGenres(m.Genres, e.Genres, e.Fois);
        std::sort(m.Ecrits.begin(), m.Ecrits.end(),
                  [&](const ReponseEcrite& a, const ReponseEcrite& b) {
                      if (a.Fois != b.Fois)
                          return a.Fois > b.Fois;
                      const int c = ordre.compare(a.Texte, b.Texte);
                      return c != 0 ? c < 0 : a.Texte < b.Texte;
                  });
        if (m.Ecrits.size() > EcritsAffiches) {
            m.AutresEcrits = int(m.Ecrits.size()) - EcritsAffiches;
            m.Ecrits.resize(EcritsAffiches);
        }
        std::stable_sort(m.ParEleve.begin(), m.ParEleve.end(),
                         [](const MotDeLaClasse::Eleve& a, const MotDeLaClasse::Eleve& b) {
                             return a.Erreurs > b.Erreurs;
                         });
        mots.append(std::move(m));
    }
    return mots;
}

BilanClasse CalculerClasse(CacheBilans& cache, const QString& dossierGroupe,
                           std::optional<int> reponsesNecessaires,
                           const std::function<bool()>& continuer) {
    BilanClasse r;
    r.DossierGroupe = dossierGroupe;
    const QStringList eleves = ListerEleves(dossierGroupe).Eleves;
    QVector<CacheBilans::Eleve> lus(eleves.size());
    {
        QThreadPool lecteurs;
        for (qsizetype i = 0; i < eleves.size(); ++i)
            lecteurs.start([&, i] {
                if (!continuer || continuer())
                    lus[i] = cache.Lire(dossierGroupe, eleves.at(i), reponsesNecessaires);
            });
        lecteurs.waitForDone();
    }
    for (const CacheBilans::Eleve& lu : std::as_const(lus))
        if (!lu.Bilan)
            return r; // abandoned: some pupils were not read
    QVector<BilanNomme> bilans;
    bilans.reserve(eleves.size());
    r.Eleves.reserve(eleves.size());
    for (qsizetype i = 0; i < eleves.size(); ++i) {
        bilans.append({eleves.at(i), lus.at(i).Bilan});
        r.Eleves.append(*lus.at(i).Statistiques);
        r.Relus += lus.at(i).Relu ? 1 : 0;
        r.Illisibles += r.Eleves.last().Illisibles;
    }
    r.Mots = MotsLesPlusRates(bilans, cache.Mots(), MotsLesPlusRatesAffiches);
    return r;
}

void CompleterFautes(BilanClasse& classe, CacheBilans& cache,
                     std::optional<int> reponsesNecessaires) {
    for (StatistiquesEleve& e : classe.Eleves) {
        const CacheBilans::Eleve lu =
            cache.Lire(classe.DossierGroupe, e.Eleve, reponsesNecessaires);
        AjouterFautes(e, *lu.Bilan, &cache.Mots());
    }
}
