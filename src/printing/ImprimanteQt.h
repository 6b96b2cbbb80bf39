#pragma once
// Printing through Qt: the print dialog, and plain text laid out over the printable page.

#include "core/Services.h"

#include <memory>

class QPrinter;

class ImprimanteQt : public IImprimante {
public:
    ImprimanteQt();
    // Prints into this PDF file and answers the set-up without showing a dialog: for tests and
    // checks without a printer.
    explicit ImprimanteQt(const QString& fichierPdf);
    ~ImprimanteQt() override;

    bool Configurer(QWidget* proprietaire) override;
    void Imprimer(const QString& texte, const QString& entete) override;

private:
    QPrinter& Imprimante();
    // One printer for the whole run, so the choice made in the dialog holds for later jobs.
    std::unique_ptr<QPrinter> m_imprimante;
    QString m_fichierPdf;
};
