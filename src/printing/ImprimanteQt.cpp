#include "printing/ImprimanteQt.h"

#include <QAbstractTextDocumentLayout>
#include <QFont>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextOption>

ImprimanteQt::ImprimanteQt() = default;

ImprimanteQt::ImprimanteQt(const QString& fichierPdf) : m_fichierPdf(fichierPdf) {}

ImprimanteQt::~ImprimanteQt() = default;

// Made at the first use: asking the print system for its printers costs time at start-up, and
// most runs never print.
QPrinter& ImprimanteQt::Imprimante() {
    if (!m_imprimante) {
        m_imprimante = std::make_unique<QPrinter>(QPrinter::HighResolution);
        if (!m_fichierPdf.isEmpty()) {
            m_imprimante->setOutputFormat(QPrinter::PdfFormat);
            m_imprimante->setOutputFileName(m_fichierPdf);
        }
    }
    return *m_imprimante;
}

bool ImprimanteQt::Configurer(QWidget* proprietaire) {
    if (!m_fichierPdf.isEmpty())
        return true;
    QPrintDialog dialogue(&Imprimante(), proprietaire);
    return dialogue.exec() == QDialog::Accepted;
}

void ImprimanteQt::Imprimer(const QString& texte, const QString& entete) {
    QPrinter& imprimante = Imprimante();
    imprimante.setDocName(QString());
    // Room to hole-punch and to hold the sheet; the page's own unprintable edge is inside it.
    imprimante.setPageMargins(QMarginsF(18, 18, 18, 18), QPageLayout::Millimeter);

    // Fixed pitch keeps the columns of the exercise list lined up; 10 points reads at arm's
    // length.
    QFont police(QStringLiteral("Courier New"));
    police.setStyleHint(QFont::TypeWriter);
    police.setFixedPitch(true);
    police.setPointSizeF(10);

    QTextDocument document;
    document.setDefaultFont(police);
    document.setDocumentMargin(0);
    QTextOption option = document.defaultTextOption();
    // Word boundaries first; a word wider than the page is cut rather than lost off its edge.
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    document.setDefaultTextOption(option);
    // Measured at the printer's resolution and cut into pages of its printable area.
    document.documentLayout()->setPaintDevice(&imprimante);
    QTextCursor curseur(&document);
    if (!entete.isEmpty()) {
        QTextCharFormat titre;
        QFont policeTitre(QStringLiteral("DejaVu Sans"));
        policeTitre.setStyleHint(QFont::SansSerif);
        policeTitre.setPointSizeF(13);
        policeTitre.setBold(true);
        titre.setFont(policeTitre);
        QTextBlockFormat bloc;
        bloc.setBottomMargin(12);
        curseur.setBlockFormat(bloc);
        curseur.insertText(entete, titre);
        curseur.insertBlock(QTextBlockFormat(), QTextCharFormat());
    }
    curseur.insertText(texte);
    const QSizeF page = imprimante.pageRect(QPrinter::DevicePixel).size();
    document.setPageSize(page);

    // The pages are drawn here rather than by QTextDocument::print, which adds page numbers and
    // also draws, clipped away but still in the job's text, a line that starts exactly where
    // the next page begins.
    QPainter peintre;
    if (!peintre.begin(&imprimante))
        return;
    const int pages = document.pageCount();
    for (int i = 0; i < pages; ++i) {
        if (i > 0)
            imprimante.newPage();
        const QRectF vue(0, i * page.height(), page.width(), page.height());
        peintre.save();
        peintre.translate(0, -vue.top());
        peintre.setClipRect(vue);
        QAbstractTextDocumentLayout::PaintContext contexte;
        // Half a pixel in from each edge: a line that only touches this page belongs to the next.
        contexte.clip = vue.adjusted(0, 0.5, 0, -0.5);
        contexte.palette.setColor(QPalette::Text, Qt::black);
        document.documentLayout()->draw(&peintre, contexte);
        peintre.restore();
    }
    peintre.end();
}
