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

QByteArray CsvClasse(const BilanClasse& classe) {
    QStringList titres;
    for (int c = 0; c < NombreColonnesClasse; ++c)
        titres.append(ChampCsv(TitreColonne(ColonneClasse(c))));
    titres.append(ChampCsv(QStringLiteral("Lignes illisibles")));
    titres.append(ChampCsv(QStringLiteral("Liste des mots à revoir")));
    QString texte = titres.join(u';') + finLigne;
    for (const StatistiquesEleve& e : classe.Eleves) {
        const QStringList champs = {ChampCsv(e.Eleve),
                                    QString::number(e.Exercices),
                                    QString::number(e.Termines),
                                    QString::number(e.Interrompus),
                                    Date(e.Dernier),
                                    Moyenne(e.Moyenne),
                                    QString::number(e.Maitrises),
                                    QString::number(e.MotsARevoir.size()),
                                    QString::number(e.Illisibles),
                                    ChampCsv(e.MotsARevoir.join(QStringLiteral(", ")))};
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
    }
    if (classe.Mots.isEmpty())
        t += QStringLiteral("Aucun mot raté au premier essai dans les bilans de ce groupe.\n");
    t +=
        QStringLiteral("\nÉlèves : combien d'élèves l'ont raté au premier essai au moins une fois. "
                       "Erreurs : combien de fois, tous élèves ensemble.\n");
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
    return t;
}
