#pragma once

#include <QByteArray>
#include <QMarginsF>
#include <QSizeF>

class QTextDocument;

// Paper size and page margins written into a document's RTF, in millimetres.
struct TRtfPageSetup {
    QSizeF paperSizeMm{210.0, 297.0};            // A4
    QMarginsF marginsMm{20.0, 20.0, 20.0, 20.0}; // left, top, right, bottom
};

// Writes a QTextDocument as a self-contained RTF document (font, colour and list tables,
// pictures embedded). The output depends only on the document and the page setup, so the
// same document always gives the same bytes.
class TRtfWriter {
public:
    static QByteArray Write(const QTextDocument& doc, const TRtfPageSetup& page = {});
};
