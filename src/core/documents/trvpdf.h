#pragma once

#include <QMarginsF>
#include <QSizeF>
#include <QString>
#include <memory>

class QTextDocument;

// Exports a rich-text document to a PDF file: lays it out in pages of the given size and
// margins, draws each page once, and optionally adds outlines "Pages of <file>" with one
// "Page n" entry per page.
class TRichViewPDF {
public:
    TRichViewPDF();
    ~TRichViewPDF();
    TRichViewPDF(const TRichViewPDF&) = delete;
    TRichViewPDF& operator=(const TRichViewPDF&) = delete;

    // The document to export, owned and empty at first; callers load it. An export leaves it
    // laid out in the PDF's page body.
    QTextDocument* RichView() const { return m_doc.get(); }
    // Replaces the document with a copy of doc (its text, formats and pictures).
    void SetDocument(const QTextDocument& doc);

    // Page size in points (1/72 inch); A4 by default.
    QSizeF PageSize() const { return m_pageSize; }
    void SetPageSize(const QSizeF& points) { m_pageSize = points; }
    // Margins in millimetres; 20 each by default.
    QMarginsF Margins() const { return m_margins; }
    void SetMargins(const QMarginsF& mm) { m_margins = mm; }
    bool CreateOutlines() const { return m_createOutlines; }
    void SetCreateOutlines(bool on) { m_createOutlines = on; }
    bool AutoLaunch() const { return m_autoLaunch; }
    void SetAutoLaunch(bool on) { m_autoLaunch = on; }

    // Writes the document to fileName with its extension replaced by ".pdf". An empty document
    // writes nothing and succeeds. Returns false, with ErrorString(), when the file cannot be
    // written.
    bool Export(const QString& fileName);
    QString ErrorString() const { return m_error; }
    // The file the last Export wrote (empty when it wrote none) and its number of pages.
    QString OutputFileName() const { return m_output; }
    int PageCount() const { return m_pageCount; }

    // fileName with its extension replaced by ".pdf", or ".pdf" added when it has none.
    static QString PdfFileName(const QString& fileName);

private:
    std::unique_ptr<QTextDocument> m_doc;
    QSizeF m_pageSize{595, 842};
    QMarginsF m_margins{20, 20, 20, 20};
    bool m_createOutlines = false;
    bool m_autoLaunch = false;
    QString m_error;
    QString m_output;
    int m_pageCount = 0;
};
