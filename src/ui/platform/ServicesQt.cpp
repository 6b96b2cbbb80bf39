#include "ui/platform/ServicesQt.h"

#include "core/Etat.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>

namespace {

QWidget* Proprietaire() {
    return QApplication::activeWindow();
}

int Boite(QMessageBox::Icon icone, const QString& titre, const QString& texte,
          QMessageBox::StandardButtons boutons, QMessageBox::StandardButton parDefaut,
          QMessageBox::StandardButton echap) {
    QMessageBox b(icone, titre, texte, boutons, Proprietaire());
    b.setDefaultButton(parDefaut);
    b.setEscapeButton(echap);
    // The standard texts come from Qt's French translation; set them here too so a
    // machine without it still reads French.
    if (auto* o = b.button(QMessageBox::Yes))
        o->setText(QStringLiteral("&Oui"));
    if (auto* n = b.button(QMessageBox::No))
        n->setText(QStringLiteral("&Non"));
    if (auto* a = b.button(QMessageBox::Cancel))
        a->setText(QStringLiteral("Annuler"));
    if (auto* k = b.button(QMessageBox::Ok))
        k->setText(QStringLiteral("OK"));
    return b.exec();
}

} // namespace

void MessagesQt::Message(const QString& texte) {
    Boite(QMessageBox::NoIcon, Etat.TitreApplication, texte, QMessageBox::Ok, QMessageBox::Ok,
          QMessageBox::Ok);
}

bool MessagesQt::QuestionOuiNon(const QString& texte) {
    return Boite(QMessageBox::Question, Etat.TitreApplication, texte,
                 QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes,
                 QMessageBox::No) == QMessageBox::Yes;
}

bool MessagesQt::QuestionOkAnnuler(const QString& texte) {
    return Boite(QMessageBox::NoIcon, Etat.TitreApplication, texte,
                 QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok,
                 QMessageBox::Cancel) == QMessageBox::Ok;
}

void MessagesQt::Information(const QString& texte) {
    Boite(QMessageBox::Information, QStringLiteral("Information"), texte, QMessageBox::Ok,
          QMessageBox::Ok, QMessageBox::Ok);
}

bool MessagesQt::Confirmation(const QString& texte) {
    return Boite(QMessageBox::Question, QStringLiteral("Confirmation"), texte,
                 QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes,
                 QMessageBox::No) == QMessageBox::Yes;
}

void MessagesQt::Erreur(const QString& texte) {
    Boite(QMessageBox::Critical, Etat.TitreApplication, texte, QMessageBox::Ok, QMessageBox::Ok,
          QMessageBox::Ok);
}

QString ChoixFichierQt::FichierAEnregistrer(QWidget* proprietaire, const QString& titre,
                                            const QString& nomPropose, const QString& filtre) {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString depart = documents.isEmpty() ? nomPropose : documents + u'/' + nomPropose;
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
