#include "ui/teacher/VueProgres.h"

#include "core/progress/TextesSuivi.h"
#include "ui/kit/Kit.h"
#include "ui/teacher/GraphiqueProgres.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QRegularExpression>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

const QColor encre(28, 63, 120);
const QColor discret(110, 120, 135);

// The words side by side, far enough apart to be told from one another, each one kept whole on
// its line ("le château" does not break between its two words).
QString MotsEnLigne(QStringList mots) {
    for (QString& m : mots)
        m.replace(u' ', QChar::Nbsp);
    return mots.join(QStringLiteral("\u2003\u2003"));
}

QString Pluriel(int n, const QString& mot) {
    return QString::number(n) + u' ' + mot + (n > 1 ? QStringLiteral("s") : QString());
}

constexpr qsizetype GenresAffiches = 5;

// The kinds of the pupil's mistakes week by week: each cell the share of that week's wrong
// answers showing the kind.
QString TableauGenres(const StatistiquesEleve& s) {
    QVector<LigneGenre> lignes = LignesGenres(s);
    if (lignes.isEmpty())
        return TexteFautesRecentes(s).toHtmlEscaped();
    // The weeks are in the table: its title stays short enough to stand above it.
    QString t = QStringLiteral("<p style=\"margin:0\"><b>Genres d'erreurs</b> du %1 au %2</p>")
                    .arg(s.Semaines.first().Lundi.toString(QStringLiteral("dd/MM")),
                         s.Semaines.last().Lundi.addDays(6).toString(QStringLiteral("dd/MM/yyyy")));
    // The most frequent ones: the table stays beside the words, the chart keeps its room; the
    // printout has them all.
    const qsizetype tous = lignes.size();
    if (lignes.size() > GenresAffiches)
        lignes.resize(GenresAffiches);
    const auto cellule = [](const QString& texte, const QString& style = QString()) {
        return QStringLiteral("<td align=\"right\" style=\"padding:0 0 0 12px;"
                              "white-space:nowrap;%1\">%2</td>")
            .arg(style, texte.toHtmlEscaped());
    };
    const QString gris = QStringLiteral("color:#5a6473");
    const auto nom = [](const QString& texte, const QString& style = QString()) {
        return QStringLiteral("<td style=\"white-space:nowrap;%1\">%2</td>")
            .arg(style, texte.toHtmlEscaped());
    };
    t += QStringLiteral("<table cellspacing=\"0\" cellpadding=\"1\"><tr><td></td>");
    for (const SemaineFautes& w : s.Semaines)
        t += cellule(w.Lundi.toString(QStringLiteral("dd/MM")), gris);
    t += cellule(QStringLiteral("Ensemble"), gris) + QStringLiteral("</tr><tr>") +
         nom(QStringLiteral("réponses fausses"), gris);
    int total = 0;
    for (const SemaineFautes& w : s.Semaines) {
        t += cellule(QString::number(w.Reponses), gris);
        total += w.Reponses;
    }
    t += cellule(QString::number(total), gris) + QStringLiteral("</tr>");
    for (const LigneGenre& l : lignes) {
        t += QStringLiteral("<tr>") + nom(LibelleGenre(l.Genre));
        for (qsizetype w = 0; w < l.ParSemaine.size(); ++w)
            t += cellule(Part(l.ParSemaine.at(w), s.Semaines.at(w).Reponses));
        t += cellule(Part(l.Total, total), QStringLiteral("font-weight:bold")) +
             QStringLiteral("</tr>");
    }
    t += QStringLiteral("</table>");
    if (tous > lignes.size())
        t += QStringLiteral("<p style=\"margin:0;%1\">et %2 autre%3 genre%3 (à l'impression)</p>")
                 .arg(gris)
                 .arg(tous - lignes.size())
                 .arg(tous - lignes.size() > 1 ? QStringLiteral("s") : QString());
    return t;
}

} // namespace

VueProgres::VueProgres(QWidget* parent, std::shared_ptr<CacheBilans> cache)
    : QWidget(parent), m_cache(std::move(cache)) {
    setObjectName(QStringLiteral("Progres"));
    setAccessibleName(QStringLiteral("Progrès"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    p.setColor(QPalette::WindowText, encre);
    setPalette(p);

    lResumeProgres = new QLabel(this);
    lResumeProgres->setObjectName(QStringLiteral("lResumeProgres"));
    lResumeProgres->setAccessibleName(QStringLiteral("Résumé des progrès"));
    lResumeProgres->setWordWrap(true);
    lResumeProgres->setTextFormat(Qt::RichText);
    gProgres = new GraphiqueProgres(this);
    lTitreMots = new QLabel(this);
    lTitreMots->setTextFormat(Qt::PlainText);
    lTitreMots->setObjectName(QStringLiteral("lTitreMots"));
    lTitreMots->setAccessibleName(QStringLiteral("Titre des mots à revoir"));
    lMotsARevoir = new QLabel;
    lMotsARevoir->setTextFormat(Qt::PlainText);
    lMotsARevoir->setObjectName(QStringLiteral("lMotsARevoir"));
    lMotsARevoir->setWordWrap(true);
    lMotsARevoir->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lMotsARevoir->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_defilement = new QScrollArea(this);
    m_defilement->setObjectName(QStringLiteral("DefilementMots"));
    m_defilement->setAccessibleName(QStringLiteral("Mots à revoir"));
    m_defilement->setWidget(lMotsARevoir);
    m_defilement->setWidgetResizable(true);
    m_defilement->setFrameShape(QFrame::NoFrame);
    m_defilement->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lGenres = new QLabel(this);
    lGenres->setObjectName(QStringLiteral("lGenres"));
    lGenres->setAccessibleName(QStringLiteral("Genres d'erreurs des dernières semaines"));
    lGenres->setTextFormat(Qt::RichText);
    lGenres->setWordWrap(true);
    lGenres->setToolTip(QStringLiteral("Part des réponses fausses de chaque semaine qui montrent "
                                       "ce genre d'erreur ; une réponse peut en montrer "
                                       "plusieurs."));
    lIllisibles = new QLabel(this);
    lIllisibles->setTextFormat(Qt::PlainText);
    lIllisibles->setObjectName(QStringLiteral("lIllisibles"));
    lIllisibles->setAccessibleName(QStringLiteral("Lignes illisibles"));
    lIllisibles->setAlignment(Qt::AlignRight);
    Kit::Police(lIllisibles, 10);

    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(6, 4, 6, 4);
    l->setSpacing(2);
    l->addWidget(lResumeProgres);
    l->addWidget(gProgres, 3);
    // The words on the left, the kinds of mistakes beside them.
    auto* bas = new QHBoxLayout;
    bas->setSpacing(16);
    auto* mots = new QVBoxLayout;
    mots->setSpacing(2);
    mots->addWidget(lTitreMots);
    mots->addWidget(m_defilement);
    mots->addStretch(1);
    bas->addLayout(mots, 1);
    bas->addWidget(lGenres, 0, Qt::AlignTop);
    l->addLayout(bas);
    l->addWidget(lIllisibles);
    DefinirModeEleve(false);
}

void VueProgres::DefinirModeEleve(bool eleve) {
    m_modeEleve = eleve;
    gProgres->DefinirGrand(eleve);
    // Bold for the pupil; the teacher's longer line fits in regular type.
    Kit::Police(lResumeProgres, eleve ? 18 : 12);
    QFont resume = lResumeProgres->font();
    resume.setBold(eleve);
    lResumeProgres->setFont(resume);
    Kit::Colorer(lResumeProgres, encre);
    Kit::Police(lTitreMots, eleve ? 18 : 14, true);
    Kit::Colorer(lTitreMots, encre);
    // Large type for the words in both modes: a pupil reads them, a teacher reads them out.
    Kit::Police(lMotsARevoir, eleve ? 26 : 22, true);
    Kit::Colorer(lMotsARevoir, encre, {}, Qt::white);
    // Two whole lines of words, the rest a scroll away: no line is ever shown cut in half.
    m_defilement->setFixedHeight(2 * lMotsARevoir->fontMetrics().lineSpacing() + 4);
    Kit::Colorer(lIllisibles, discret);
    lIllisibles->setVisible(!eleve);
    // The teacher's reading: a pupil sees his words, not a table of his mistakes.
    Kit::Police(lGenres, 12);
    Kit::Colorer(lGenres, encre);
    lGenres->setVisible(!eleve);
    if (m_aJour)
        Afficher();
}

void VueProgres::Definir(const QString& dossierGroupe, const QString& eleve,
                         std::optional<int> reponsesNecessaires) {
    m_dossier = dossierGroupe;
    m_eleve = eleve;
    m_necessaires = reponsesNecessaires;
    m_aJour = false;
    if (isVisible())
        Actualiser();
}

void VueProgres::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    if (!m_aJour)
        Actualiser();
}

void VueProgres::Actualiser() {
    if (m_eleve.isEmpty()) {
        m_bilan = std::make_shared<const BilanLu>();
        m_stats = StatistiquesEleve();
    } else {
        const CacheBilans::Eleve lu = m_cache->Lire(m_dossier, m_eleve, m_necessaires);
        m_bilan = lu.Bilan;
        m_stats = *lu.Statistiques;
        AjouterFautes(m_stats, *m_bilan, &m_cache->Mots());
    }
    m_aJour = true;
    Afficher();
}

void VueProgres::Afficher() {
    QVector<PointProgres> points;
    points.reserve(m_bilan ? m_bilan->Exercices.size() : 0);
    if (m_bilan)
        for (const ExerciceResume& e : m_bilan->Exercices)
            points.append({e.Date, e.Pourcent(), e.Termine});
    gProgres->Definir(points);

    const StatistiquesEleve& s = m_stats;
    QString resume;
    if (m_modeEleve) {
        resume = s.Exercices == 0 ? QStringLiteral("Pas encore d'exercice : à toi de jouer !")
                 : s.Termines == 0
                     ? QStringLiteral("Tu as commencé %1.")
                           .arg(Pluriel(s.Exercices, QStringLiteral("exercice")))
                     : QStringLiteral("<span style=\"color:#e0a000\">★</span> Tu as terminé %1 !")
                           .arg(Pluriel(s.Termines, QStringLiteral("exercice")));
    } else if (s.Exercices == 0) {
        resume = QStringLiteral("Aucun exercice.");
    } else {
        resume = QStringLiteral("%1 (%2, %3) · moyenne des %4 derniers : %5 % · %6")
                     .arg(Pluriel(s.Exercices, QStringLiteral("exercice")),
                          Pluriel(s.Termines, QStringLiteral("terminé")),
                          Pluriel(s.Interrompus, QStringLiteral("interrompu")),
                          QString::number(ExercicesRecents), NombreFrancais(s.Moyenne),
                          Pluriel(s.Maitrises, QStringLiteral("maîtrisé")));
    }
    lResumeProgres->setText(resume);

    const int n = int(s.MotsARevoir.size());
    lTitreMots->setText(m_modeEleve ? QStringLiteral("Mes mots à revoir")
                                    : QStringLiteral("Mots à revoir (%1)").arg(n));
    lMotsARevoir->setText(n == 0 ? (m_modeEleve ? QStringLiteral("Aucun mot à revoir. Bravo !")
                                                : QStringLiteral("Aucun mot à revoir."))
                                 : MotsEnLigne(s.MotsARevoir));
    lMotsARevoir->setAccessibleName(lTitreMots->text());
    lGenres->setText(TableauGenres(s));

    QStringList notes;
    if (s.Illisibles > 0)
        notes.append(TexteIllisibles(s.Illisibles));
    if (!s.Erreurs.isEmpty())
        notes.append(QStringLiteral("Fichier impossible à lire : ") +
                     s.Erreurs.join(QStringLiteral(" ; ")));
    lIllisibles->setText(notes.join(QStringLiteral(" · ")));
    lIllisibles->setToolTip(s.Illisibles > 0 ? QStringLiteral("Lignes des bilans que le programme "
                                                              "n'a pas écrites ainsi (modifiées "
                                                              "à la main ou coupées) : elles ne "
                                                              "comptent pas ici.")
                                             : QString());
    gProgres->setAccessibleDescription(QString(resume).remove(QRegularExpression("<[^>]*>")));
}
