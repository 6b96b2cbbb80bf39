#include "core/records/LignesBilan.h"

#include "core/records/Durees.h"
#include "core/records/FichiersEleve.h"

namespace {
const QString blanc = QStringLiteral(" ");
}

QString LigneEnTete(const QString& date, const QString& heure, int nbItems,
                    const QString& dossier) {
    return date + QStringLiteral(" à ") + heure + QStringLiteral(" - ") + QString::number(nbItems) +
           QStringLiteral(" item") + (nbItems >= 2 ? QStringLiteral("s") : QString()) +
           QStringLiteral(" - Exercice sur [") + dossier + u']';
}

QString LigneJustePremierEssai(const QString& tape, const QString& duree, bool dejaTente) {
    return tape + QStringLiteral(" : [") + duree + QStringLiteral(" - 1 essai") +
           (dejaTente ? QStringLiteral(" (déjà tenté)]") : QStringLiteral("]"));
}

QString DebutLigneRatee(const QString& attendu, const QString& tape) {
    return attendu + QStringLiteral(" : ") + tape;
}

QString SuiteLigneRatee(const QString& tape) {
    return QStringLiteral(" - ") + tape;
}

QString FinLigneRatee(const QString& duree, int essais) {
    return QStringLiteral(" [") + duree + QStringLiteral(" - ") + QString::number(essais) +
           QStringLiteral(" essais]");
}

QString TexteAttendu(const QString& fichierSon) {
    QString r = fichierSon;
    r.remove(QStringLiteral(".WAV"));
    r.remove(QStringLiteral(".wav"));
    r.remove(QStringLiteral(".Wav"));
    r.replace(u'£', QStringLiteral("     "));
    return r;
}

QStringList LignesFinExercice(const QString& duree, const QString& score, const QString& maxi) {
    return {QString(), QStringLiteral("Temps exercice : ") + duree + u'.',
            QStringLiteral("Score : ") + score + u'/' + maxi + u'.', LigneRegle()};
}

QStringList LignesInterruption(const QString& duree) {
    return {QString(), QStringLiteral("Exercice interrompu après ") + duree + u'.', LigneRegle()};
}

QString LigneResume(const QString& date, bool termine, const QString& score, const QString& maxi,
                    const QString& dossier) {
    return CompleterAGauche(date, 10, blanc) +
           (termine ? QStringLiteral(" | Terminé    | ") : QStringLiteral(" | Interrompu | ")) +
           CompleterAGauche(score, 4, blanc) + QStringLiteral(" /") +
           CompleterAGauche(maxi, 4, blanc) + QStringLiteral(" | ") + dossier;
}
