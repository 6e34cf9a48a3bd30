#include "documents/trvpdf.h"

#include "documents/pdfhdr.h"

#include <QAbstractTextDocumentLayout>
#include <QCursor>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QScopeGuard>
#include <QTextDocument>

namespace {

// Restores the cursor however the export ends.
struct WaitCursor {
    WaitCursor() {
        if (qGuiApp)
            QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    }
    ~WaitCursor() {
        if (qGuiApp)
            QGuiApplication::restoreOverrideCursor();
    }
};

} // namespace

TRichViewPDF::TRichViewPDF() : m_doc(std::make_unique<QTextDocument>()) {}

TRichViewPDF::~TRichViewPDF() = default;

void TRichViewPDF::SetDocument(const QTextDocument& doc) {
    m_doc.reset(doc.clone());
}

QString TRichViewPDF::PdfFileName(const QString& fileName) {
    const QFileInfo info(fileName);
    QString name = info.fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot > 0)
        name.truncate(dot);
    name += QLatin1String(".pdf");
    const QString folder = fileName.left(fileName.size() - info.fileName().size());
    return folder + name;
}

bool TRichViewPDF::Export(const QString& fileName) {
    m_error.clear();
    m_output.clear();
    m_pageCount = 0;
    if (m_doc->isEmpty())
        return true;

    const QString pdfName = PdfFileName(fileName);
    TRolePDF pdf;
    pdf.FileName = pdfName;
    pdf.AutoLaunch = m_autoLaunch;
    pdf.SetPageSize(TRolePDF::psCustom);
    pdf.SetPageWidth(qRound(m_pageSize.width()));
    pdf.SetPageHeight(qRound(m_pageSize.height()));

    WaitCursor wait;
    if (!pdf.BeginDoc()) {
        m_error = pdf.ErrorString();
        return false;
    }

    // Lay the document out on the PDF device itself, so text is measured as it will be drawn.
    QPagedPaintDevice* device = pdf.Device();
    const double dpiX = device->logicalDpiX();
    const double dpiY = device->logicalDpiY();
    const double pageW = pdf.PageWidth() * dpiX / 72.0;
    const double pageH = pdf.PageHeight() * dpiY / 72.0;
    const QMarginsF margins(m_margins.left() * dpiX / 25.4, m_margins.top() * dpiY / 25.4,
                            m_margins.right() * dpiX / 25.4, m_margins.bottom() * dpiY / 25.4);
    const QSizeF body(qMax(dpiX / 4, pageW - margins.left() - margins.right()),
                      qMax(dpiY / 4, pageH - margins.top() - margins.bottom()));

    // Every change of margin, page size or paint device lays the document out again, and a
    // table in full each time. So margin and size are set before the document has a layout (a
    // document just read has none); once the layout has the device, setting the size again
    // starts the one layout that counts. The document stays laid out for these pages but lets
    // go of the device, which ends with the export.
    m_doc->setDocumentMargin(0);
    m_doc->setPageSize(body);
    QAbstractTextDocumentLayout* layout = m_doc->documentLayout();
    const auto releaseDevice = qScopeGuard([layout] { layout->setPaintDevice(nullptr); });
    layout->setPaintDevice(device);
    m_doc->setPageSize(body);
    const int pages = m_doc->pageCount();

    int top = -1;
    if (m_createOutlines)
        top = pdf.AddOutline(QStringLiteral("Pages of ") + QFileInfo(pdfName).fileName(), -1, 1);

    QAbstractTextDocumentLayout::PaintContext context;
    // Printed text is black whatever the desktop's colour scheme.
    context.palette.setColor(QPalette::Text, Qt::black);
    for (int i = 0; i < pages; ++i) {
        if (i > 0)
            pdf.NewPage();
        if (m_createOutlines)
            pdf.AddOutline(QStringLiteral("Page ") + QString::number(i + 1), top, i + 1);
        QPainter* painter = pdf.Canvas();
        painter->save();
        painter->translate(margins.left(), margins.top());
        // Only the page's own slice of the document, but across the whole sheet: a table a
        // little wider than the text keeps its right-hand border, as it does in a word
        // processor.
        painter->setClipRect(QRectF(-margins.left(), 0, pageW, body.height()));
        painter->translate(0, -i * body.height());
        // Half a device pixel in from the page edges: a line that starts exactly on the
        // boundary belongs to one page only, and no hidden copy of it lands on the other.
        context.clip = QRectF(-margins.left(), i * body.height() + 0.5, pageW, body.height() - 1);
        layout->draw(painter, context);
        painter->restore();
    }

    if (!pdf.EndDoc()) {
        m_error = pdf.ErrorString();
        return false;
    }
    m_output = pdfName;
    m_pageCount = pages;
    return true;
}
