#include "core/progress/TextesSuivi.h"

#include <QSaveFile>

#include <algorithm>

namespace {

const QString finLigne = QStringLiteral("\r\n");

QString Date(const QDate& d) {
    return d.isValid() ? d.toString(QStringLiteral("dd/MM/yyyy")) : QString();
}

QString Moyenne(double m) {
    return m < 0 ? QString() : NombreFrancais(m);
}

// A text cut to `largeur` characters, "…" ending what was cut.
QString Couper(const QString& t, qsizetype largeur) {
    return t.size() <= largeur ? t : t.left(largeur - 1) + u'…';
}

QString AGauche(const QString& t, qsizetype largeur) {
    return Couper(t, largeur).leftJustified(largeur);
}

QString ADroite(const QString& t, qsizetype largeur) {
    return Couper(t, largeur).rightJustified(largeur);
}

// "1 interrompu", "3 interrompus".
QString Nombre(int n, const QString& mot) {
    return QString::number(n) + u' ' + mot + (n > 1 ? QStringLiteral("s") : QString());
}

QString NomGroupe(const QString& groupe) {
    return groupe.isEmpty() ? QStringLiteral("(sans groupe)") : groupe;
}

// A pupil may type a whole sentence: the list of a word's spellings stays a list.
constexpr qsizetype LongueurEcrit = 30;

QString TitreColonneGenre(GenreErreur g) {
    return QStringLiteral("Erreurs : ") + LibelleGenre(g);
}

} // namespace

QString TitreColonne(ColonneClasse colonne) {
    switch (colonne) {
    case ColonneEleve:
        return QStringLiteral("Élève");
    case ColonneExercices:
        return QStringLiteral("Exercices");
    case ColonneTermines:
        return QStringLiteral("Terminés");
    case ColonneInterrompus:
        return QStringLiteral("Interrompus");
    case ColonneDernier:
        return QStringLiteral("Dernier exercice");
    case ColonneMoyenne:
        return QStringLiteral("Moyenne des %1 derniers (%)").arg(ExercicesRecents);
    case ColonneMaitrises:
        return QStringLiteral("Items maîtrisés");
    case ColonneARevoir:
        return QStringLiteral("Mots à revoir");
    case NombreColonnesClasse:
        break;
    }
    return {};
}

QString NombreFrancais(double valeur) {
    return QString::number(valeur, 'f', 1).replace(u'.', u',');
}

QString TexteIllisibles(int lignes) {
    if (lignes <= 0)
        return {};
    return lignes == 1 ? QStringLiteral("1 ligne illisible")
                       : QStringLiteral("%1 lignes illisibles").arg(lignes);
}

bool EnregistrerFichier(const QString& chemin, const QByteArray& contenu, QString* raison) {
    QSaveFile f(chemin);
    if (f.open(QIODevice::WriteOnly) && f.write(contenu) == contenu.size() && f.commit())
        return true;
    if (raison)
        *raison = f.errorString();
    return false;
}

QString ChampCsv(const QString& texte) {
    QString t = texte;
    // "=", "+", "-" and "@" start a formula in a spreadsheet: a pupil's or an item's name must
    // stay a name.
    if (!t.isEmpty() && QStringLiteral("=+-@").contains(t.at(0)))
        t.prepend(u'\'');
    if (!t.contains(u';') && !t.contains(u'"') && !t.contains(u'\n') && !t.contains(u'\r'))
        return t;
    t.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + t + u'"';
}

QString TexteEcrits(const MotDeLaClasse& m) {
    QStringList ecrits;
    for (const ReponseEcrite& e : m.Ecrits) {
        const QString texte = e.Texte.isEmpty() || e.Texte == QLatin1String("...")
                                  ? QStringLiteral("(rien)")
                                  : Couper(e.Texte, LongueurEcrit);
        ecrits.append(texte + QStringLiteral(" ×") + QString::number(e.Fois));
    }
    if (m.AutresEcrits > 0)
        ecrits.append(QStringLiteral("…"));
    return ecrits.join(QStringLiteral(", "));
}

QVector<GenreErreur> GenresPresents(const CompteGenres& genres) {
    QVector<GenreErreur> r;
    for (int k = 0; k < NbGenresErreur; ++k)
        if (genres[size_t(k)] > 0)
            r.append(GenreErreur(k));
    std::stable_sort(r.begin(), r.end(), [&](GenreErreur a, GenreErreur b) {
        return genres[size_t(a)] > genres[size_t(b)];
    });
    return r;
}

QString TexteGenres(const CompteGenres& genres) {
    QStringList r;
    for (const GenreErreur g : GenresPresents(genres))
        r.append(LibelleGenre(g) + QStringLiteral(" ×") + QString::number(genres[size_t(g)]));
    return r.join(QStringLiteral(", "));
}

QString Part(int nombre, int total) {
    if (total <= 0)
        return QStringLiteral("–");
    return QString::number(qRound(100.0 * nombre / total)) + QStringLiteral(" %");
}

QVector<LigneGenre> LignesGenres(const StatistiquesEleve& e) {
    CompteGenres total{};
    for (const SemaineFautes& s : e.Semaines)
        for (int k = 0; k < NbGenresErreur; ++k)
            total[size_t(k)] += s.Genres[size_t(k)];
    QVector<LigneGenre> lignes;
    for (const GenreErreur g : GenresPresents(total)) {
        LigneGenre l{g, {}, total[size_t(g)]};
        for (const SemaineFautes& s : e.Semaines)
            l.ParSemaine.append(s.Genres[size_t(g)]);
        lignes.append(l);
    }
    return lignes;
}

QString TitreSemaine(const SemaineFautes& semaine) {
    return QStringLiteral("Semaine du ") + semaine.Lundi.toString(QStringLiteral("dd/MM"));
}

QString TexteFautesRecentes(const StatistiquesEleve& e) {
    if (e.Semaines.isEmpty())
        return QStringLiteral("Aucune réponse fausse.");
    int total = 0;
    for (const SemaineFautes& s : e.Semaines)
        total += s.Reponses;
    const QString periode =
        QStringLiteral("les %1 semaines du %2 au %3")
            .arg(QString::number(e.Semaines.size()),
                 e.Semaines.first().Lundi.toString(QStringLiteral("dd/MM")),
                 e.Semaines.last().Lundi.addDays(6).toString(QStringLiteral("dd/MM/yyyy")));
    if (total == 0)
        return QStringLiteral("Aucune réponse fausse dans ") + periode + u'.';
    return QStringLiteral("Genres d'erreurs dans %1 : %2.")
        .arg(periode, total > 1 ? QStringLiteral("%1 réponses fausses").arg(total)
                                : QStringLiteral("1 réponse fausse"));
}

QByteArray CsvClasse(const BilanClasse& classe) {
    QStringList titres;
    for (int c = 0; c < NombreColonnesClasse; ++c)
        titres.append(ChampCsv(TitreColonne(ColonneClasse(c))));
    titres.append(ChampCsv(QStringLiteral("Lignes illisibles")));
    titres.append(ChampCsv(QStringLiteral("Liste des mots à revoir")));
    titres.append(ChampCsv(QStringLiteral("Réponses fausses")));
    for (int k = 0; k < NbGenresErreur; ++k)
        titres.append(ChampCsv(TitreColonneGenre(GenreErreur(k))));
    QString texte = titres.join(u';') + finLigne;
    for (const StatistiquesEleve& e : classe.Eleves) {
        QStringList champs = {ChampCsv(e.Eleve),
                              QString::number(e.Exercices),
                              QString::number(e.Termines),
                              QString::number(e.Interrompus),
                              Date(e.Dernier),
                              Moyenne(e.Moyenne),
                              QString::number(e.Maitrises),
                              QString::number(e.MotsARevoir.size()),
                              QString::number(e.Illisibles),
                              ChampCsv(e.MotsARevoir.join(QStringLiteral(", "))),
                              QString::number(e.ReponsesFausses)};
        for (const int n : e.Genres)
            champs.append(QString::number(n));
        texte += champs.join(u';') + finLigne;
    }
    return QByteArray("\xEF\xBB\xBF") + texte.toUtf8();
}

QString ImpressionClasse(const BilanClasse& classe, const QString& groupe, const QString& date) {
    qsizetype nom = TitreColonne(ColonneEleve).size();
    for (const StatistiquesEleve& e : classe.Eleves)
        nom = std::max(nom, e.Eleve.size());
    nom = std::min<qsizetype>(nom, 24);
    QString t = QStringLiteral("Suivi de la classe : %1 - %2 élève%3 - le %4\n\n")
                    .arg(NomGroupe(groupe))
                    .arg(classe.Eleves.size())
                    .arg(classe.Eleves.size() > 1 ? QStringLiteral("s") : QString())
                    .arg(date);
    t += AGauche(TitreColonne(ColonneEleve), nom) +
         QStringLiteral("  Exercices  Terminés  Interrompus  "
                        "Dernier     Moyenne  Maîtrisés  À revoir\n");
    for (const StatistiquesEleve& e : classe.Eleves) {
        t += AGauche(e.Eleve, nom) + ADroite(QString::number(e.Exercices), 11) +
             ADroite(QString::number(e.Termines), 10) +
             ADroite(QString::number(e.Interrompus), 13) + QStringLiteral("  ") +
             AGauche(Date(e.Dernier), 10) +
             ADroite(e.Moyenne < 0 ? QString() : Moyenne(e.Moyenne) + QStringLiteral(" %"), 9) +
             ADroite(QString::number(e.Maitrises), 11) +
             ADroite(QString::number(e.MotsARevoir.size()), 10) + u'\n';
    }
    if (classe.Eleves.isEmpty())
        t += QStringLiteral("Aucun élève dans ce groupe.\n");
    t += QStringLiteral("\nMoyenne : score en pourcentage sur les %1 derniers exercices. "
                        "À revoir : mots ratés au premier essai dans les %1 derniers exercices "
                        "et pas encore maîtrisés.\n")
             .arg(ExercicesRecents);
    if (classe.Illisibles > 0)
        t += TexteIllisibles(classe.Illisibles) + QStringLiteral(" dans les bilans.\n");
    return t;
}

QString ImpressionMots(const BilanClasse& classe, const QString& groupe, const QString& date) {
    QString t = QStringLiteral("Les mots que la classe rate le plus : %1 - le %2\n\n")
                    .arg(NomGroupe(groupe), date);
    qsizetype mot = 3;
    for (const MotDeLaClasse& m : classe.Mots)
        mot = std::max(mot, m.Affiche.size());
    mot = std::min<qsizetype>(mot, 40);
    t += QStringLiteral(" N°  ") + AGauche(QStringLiteral("Mot"), mot) +
         QStringLiteral("  Élèves  Erreurs\n");
    int rang = 0;
    for (const MotDeLaClasse& m : classe.Mots) {
        t += ADroite(QString::number(++rang), 3) + QStringLiteral("  ") + AGauche(m.Affiche, mot) +
             ADroite(QString::number(m.Eleves), 8) + ADroite(QString::number(m.Erreurs), 9) + u'\n';
        QStringList eleves;
        for (const MotDeLaClasse::Eleve& e : m.ParEleve)
            eleves.append(QStringLiteral("%1 (%2)").arg(e.Nom).arg(e.Erreurs));
        t += QStringLiteral("     ") + eleves.join(QStringLiteral(", ")) + u'\n';
        if (!m.Ecrits.isEmpty())
            t += QStringLiteral("     Écrit à la place : ") + TexteEcrits(m) + u'\n';
        const QString genres = TexteGenres(m.Genres);
        if (!genres.isEmpty())
            t += QStringLiteral("     Erreurs : ") + genres + u'\n';
    }
    if (classe.Mots.isEmpty())
        t += QStringLiteral("Aucun mot raté au premier essai dans les bilans de ce groupe.\n");
    t +=
        QStringLiteral("\nÉlèves : combien d'élèves l'ont raté au premier essai au moins une fois. "
                       "Erreurs : combien de fois, tous élèves ensemble. Écrit à la place : "
                       "les réponses fausses tapées, les plus fréquentes d'abord.\n");
    return t;
}

QString ImpressionProgres(const StatistiquesEleve& e) {
    QString t = QStringLiteral("Progrès de : %1\n\n").arg(e.Eleve);
    t += QStringLiteral("Exercices : %1 (%2, %3)")
             .arg(QString::number(e.Exercices), Nombre(e.Termines, QStringLiteral("terminé")),
                  Nombre(e.Interrompus, QStringLiteral("interrompu")));
    if (e.Dernier.isValid())
        t += QStringLiteral(", le dernier le ") + Date(e.Dernier);
    t += u'\n';
    if (e.Moyenne >= 0)
        t += QStringLiteral("Moyenne des %1 derniers exercices : %2 %\n")
                 .arg(QString::number(ExercicesRecents), Moyenne(e.Moyenne));
    t += QStringLiteral("Items maîtrisés : %1\n\n").arg(e.Maitrises);
    if (e.MotsARevoir.isEmpty())
        t += QStringLiteral("Aucun mot à revoir.\n");
    else
        t += QStringLiteral("Mots à revoir (%1) :\n").arg(e.MotsARevoir.size()) +
             e.MotsARevoir.join(QStringLiteral(", ")) + u'\n';
    t += u'\n' + TexteFautesRecentes(e) + u'\n';
    const QVector<LigneGenre> lignes = LignesGenres(e);
    if (lignes.isEmpty())
        return t;
    // One column a week, then the weeks together: each share of that week's wrong answers.
    constexpr qsizetype libelle = 18;
    constexpr qsizetype colonne = 11;
    t += AGauche(QString(), libelle);
    for (const SemaineFautes& s : e.Semaines)
        t += ADroite(s.Lundi.toString(QStringLiteral("dd/MM")), colonne);
    t += ADroite(QStringLiteral("Ensemble"), colonne) + u'\n';
    int total = 0;
    t += AGauche(QStringLiteral("Réponses fausses"), libelle);
    for (const SemaineFautes& s : e.Semaines) {
        t += ADroite(QString::number(s.Reponses), colonne);
        total += s.Reponses;
    }
    t += ADroite(QString::number(total), colonne) + u'\n';
    for (const LigneGenre& l : lignes) {
        t += AGauche(LibelleGenre(l.Genre), libelle);
        for (qsizetype w = 0; w < l.ParSemaine.size(); ++w)
            t += ADroite(Part(l.ParSemaine.at(w), e.Semaines.at(w).Reponses), colonne);
        t += ADroite(Part(l.Total, total), colonne) + u'\n';
    }
    t += QStringLiteral("Part des réponses fausses de la semaine qui montrent ce genre d'erreur "
                        "(une réponse peut en montrer plusieurs).\n");
    return t;
}
