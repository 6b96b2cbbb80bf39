#include "ui/platform/ServicesQt.h"

#include "core/Etat.h"
#include "ui/dialogs/BoiteMessage.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>

namespace {

using Reponse = BoiteMessage::Reponse;

int Boite(BoiteMessage::Genre genre, const QString& titre, const QString& texte,
          const QList<Reponse>& boutons, Reponse parDefaut, Reponse echap) {
    BoiteMessage b(QApplication::activeWindow(), genre, titre, texte, boutons, parDefaut, echap);
    return b.exec();
}

} // namespace

void MessagesQt::Message(const QString& texte) {
    Boite(BoiteMessage::Genre::Aucun, Etat.TitreApplication, texte, {Reponse::Ok}, Reponse::Ok,
          Reponse::Ok);
}

bool MessagesQt::QuestionOuiNon(const QString& texte) {
    return Boite(BoiteMessage::Genre::Question, Etat.TitreApplication, texte,
                 {Reponse::Oui, Reponse::Non}, Reponse::Oui, Reponse::Non) == Reponse::Oui;
}

bool MessagesQt::QuestionOkAnnuler(const QString& texte) {
    return Boite(BoiteMessage::Genre::Aucun, Etat.TitreApplication, texte,
                 {Reponse::Ok, Reponse::Annuler}, Reponse::Ok, Reponse::Annuler) == Reponse::Ok;
}

void MessagesQt::Information(const QString& texte) {
    Boite(BoiteMessage::Genre::Information, QStringLiteral("Information"), texte, {Reponse::Ok},
          Reponse::Ok, Reponse::Ok);
}

bool MessagesQt::Confirmation(const QString& texte) {
    return Boite(BoiteMessage::Genre::Question, QStringLiteral("Confirmation"), texte,
                 {Reponse::Oui, Reponse::Non}, Reponse::Oui, Reponse::Non) == Reponse::Oui;
}

void MessagesQt::Erreur(const QString& texte) {
    Boite(BoiteMessage::Genre::Erreur, Etat.TitreApplication, texte, {Reponse::Ok}, Reponse::Ok,
          Reponse::Ok);
}

QString ChoixFichierQt::Ouvrir(QWidget* parent, const QString& titre, const QString& filtre) {
    return QFileDialog::getOpenFileName(parent, titre, QString(), filtre);
}

QString ChoixFichierQt::Enregistrer(QWidget* proprietaire, const QString& titre,
                                    const QString& propose, const QString& filtre) {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString depart = documents.isEmpty() || QFileInfo(propose).isAbsolute()
                               ? propose
                               : documents + u'/' + propose;
    QFileDialog dialogue(proprietaire, titre, depart, filtre);
    dialogue.setAcceptMode(QFileDialog::AcceptSave);
    // "Tableur CSV (*.csv)": a name typed without extension gets ".csv", so that the spreadsheet
    // recognises the file; the dialog asks before replacing that file too.
    const qsizetype etoile = filtre.indexOf(QStringLiteral("*."));
    if (etoile >= 0) {
        QString suffixe = filtre.mid(etoile + 2);
        suffixe.truncate(suffixe.indexOf(QRegularExpression(QStringLiteral("[ );]"))));
        dialogue.setDefaultSuffix(suffixe);
    }
    if (dialogue.exec() != QDialog::Accepted || dialogue.selectedFiles().isEmpty())
        return {};
    return dialogue.selectedFiles().constFirst();
}

int ModalQt::Montrer(QDialog* forme) {
    return forme->exec();
}

void PauseQt::Attendre(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
        QThread::msleep(5);
    }
}
