#pragma once

#include "print/outputoptions.h"

#include <QString>
#include <functional>

class QPagedPaintDevice;
class QPainter;
class QWidget;

// Draws every page of a printout on an active painter; a new page is the device's newPage().
// A TPageWriter on the two arguments gives inches from the paper's corner on any device.
using TReportDraw = std::function<void(QPainter& painter, QPagedPaintDevice& device)>;

// The one way a printout reaches the user: asks "Output Options" (printer, preview or PDF
// file), then prints through the system's print dialog, shows "Report Preview" or writes the
// PDF file. The same draw function serves all three, so they look the same.
//
//   TReportOutput::Run(this, tr("Note - %1").arg(title), [&](QPainter& p, QPagedPaintDevice& d) {
//       TPageWriter w(p, d);
//       ...
//   });
//
// Failures (a PDF file that cannot be written, a printer that cannot start) are shown to the
// user and give Failed. An exception thrown by draw (a database error) ends the output, leaves
// no partial PDF file behind, and continues to the caller.
class TReportOutput {
public:
    enum class Result { Done, Cancelled, Failed };

    // title names the document: the PDF's title, the print job and the offered file name.
    static Result Run(QWidget* parent, const QString& title, const TReportDraw& draw);

    // Writes the PDF file directly, on the locale's paper (A4 or Letter). The file appears
    // complete or not at all; an existing file is replaced only on success.
    // On failure returns false with the reason in *error.
    static bool WritePdf(const QString& path, const QString& title, const TReportDraw& draw,
                         QString* error = nullptr);

    // The file name offered for a title: characters no file name may hold are replaced.
    static QString pdfFileName(const QString& title);

    // Test seam: with testing on, Run() takes the next queued choice instead of showing the
    // dialog (none queued means the user cancelled); printer and preview then draw into a
    // PDF at the choice's pdfPath (or nowhere when it is empty) instead of opening a window.
    static void setTesting(bool on);
    static void setNextChoice(const TOutputChoice& choice);
};
