#include "print/reportoutput.h"

#include "print/pagewriter.h"
#include "shell/messages.h"

#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QQueue>
#include <QSaveFile>
#include <QScreen>
#include <QTemporaryDir>
#include <exception>

namespace {
struct Seam {
    bool testing = false;
    QQueue<TOutputChoice> choices;
};

Seam& seam() {
    static Seam s;
    return s;
}

const QString kCreator = QStringLiteral("Quillon");

// Shows the busy cursor while pages are produced.
class BusyCursor {
public:
    BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
};

void preparePrinter(QPrinter& printer, const QString& title) {
    printer.setDocName(title);
    printer.setCreator(kCreator);
    // Positions are measured from the paper's corner on every device.
    printer.setFullPage(true);
    if (QPrinterInfo::defaultPrinter().isNull())
        printer.setPageSize(QPageSize(TPageWriter::systemPageSize()));
}

// Draws on a printer; false with the reason when the printer cannot take the job.
bool paintOn(QPrinter& printer, const TReportDraw& draw, QString* error) {
    BusyCursor busy;
    QPainter painter;
    if (!painter.begin(&printer)) {
        *error = QStringLiteral("The printer could not be started.");
        return false;
    }
    try {
        draw(painter, printer);
    } catch (...) {
        printer.abort();
        painter.end();
        throw;
    }
    painter.end();
    if (printer.printerState() == QPrinter::Error) {
        *error = QStringLiteral("The printer reported an error; the document may not have "
                                "been printed.");
        return false;
    }
    return true;
}

// Printer and preview under tests: the same QPrinter path, into a PDF file.
TReportOutput::Result paintForTest(const TOutputChoice& choice, const QString& title,
                                   const TReportDraw& draw) {
    QTemporaryDir scratch;
    QPrinter printer(QPrinter::HighResolution);
    preparePrinter(printer, title);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(choice.pdfPath.isEmpty() ? scratch.filePath(QStringLiteral("out.pdf"))
                                                       : choice.pdfPath);
    QString error;
    if (!paintOn(printer, draw, &error)) {
        TMessages::error(nullptr, error);
        return TReportOutput::Result::Failed;
    }
    return TReportOutput::Result::Done;
}

TReportOutput::Result toPrinter(QWidget* parent, const QString& title, const TReportDraw& draw) {
    QPrinter printer(QPrinter::HighResolution);
    preparePrinter(printer, title);
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Print"));
    if (dialog.exec() != QDialog::Accepted)
        return TReportOutput::Result::Cancelled;
    QString error;
    if (!paintOn(printer, draw, &error)) {
        TMessages::error(parent, error);
        return TReportOutput::Result::Failed;
    }
    return TReportOutput::Result::Done;
}

TReportOutput::Result toPreview(QWidget* parent, const QString& title, const TReportDraw& draw) {
    QPrinter printer(QPrinter::HighResolution);
    preparePrinter(printer, title);
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("frmReportPreview"));
    dialog.setWindowTitle(QStringLiteral("Report Preview"));
    if (const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        dialog.resize(std::min(area.width() * 4 / 5, 1000), area.height() * 9 / 10);
    }
    // The preview repaints whenever the page setup changes; an exception must not cross the
    // dialog's event loop, so it closes the preview and is passed on afterwards.
    std::exception_ptr failure;
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&](QPrinter* target) {
        if (failure)
            return;
        try {
            QPainter painter(target);
            draw(painter, *target);
        } catch (...) {
            failure = std::current_exception();
            QMetaObject::invokeMethod(&dialog, &QDialog::reject, Qt::QueuedConnection);
        }
    });
    dialog.exec();
    if (failure)
        std::rethrow_exception(failure);
    return TReportOutput::Result::Done;
}
} // namespace

TReportOutput::Result TReportOutput::Run(QWidget* parent, const QString& title,
                                         const TReportDraw& draw) {
    TOutputChoice choice;
    Seam& s = seam();
    if (s.testing) {
        if (s.choices.isEmpty())
            return Result::Cancelled;
        choice = s.choices.dequeue();
        TfrmOutputOptions::setLastChoice(choice);
    } else {
        TfrmOutputOptions dialog(pdfFileName(title), parent);
        if (dialog.exec() != QDialog::Accepted)
            return Result::Cancelled;
        choice = dialog.choice();
    }

    switch (choice.kind) {
    case TOutputKind::PdfFile: {
        QString error;
        if (!WritePdf(choice.pdfPath, title, draw, &error)) {
            TMessages::error(parent,
                             QStringLiteral("The PDF file \"%1\" could not be written.\n\n%2")
                                 .arg(QDir::toNativeSeparators(choice.pdfPath), error));
            return Result::Failed;
        }
        return Result::Done;
    }
    case TOutputKind::Printer:
        return s.testing ? paintForTest(choice, title, draw) : toPrinter(parent, title, draw);
    case TOutputKind::Preview:
        return s.testing ? paintForTest(choice, title, draw) : toPreview(parent, title, draw);
    }
    return Result::Cancelled;
}

bool TReportOutput::WritePdf(const QString& path, const QString& title, const TReportDraw& draw,
                             QString* error) {
    QString reason;
    const auto fail = [&](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    if (path.isEmpty())
        return fail(QStringLiteral("No file name was given."));
    const QFileInfo info(path);
    if (!info.absoluteDir().exists())
        return fail(QStringLiteral("The folder \"%1\" does not exist.")
                        .arg(QDir::toNativeSeparators(info.absolutePath())));
    if (info.isDir())
        return fail(QStringLiteral("\"%1\" is a folder.").arg(QDir::toNativeSeparators(path)));

    BusyCursor busy;
    // Written beside the target and renamed over it at the end, so a failure never leaves a
    // truncated file or destroys the one that was there.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    {
        QPdfWriter writer(&file);
        writer.setTitle(title);
        writer.setCreator(kCreator);
        writer.setPageSize(QPageSize(TPageWriter::systemPageSize()));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter;
        if (!painter.begin(&writer)) {
            file.cancelWriting();
            return fail(QStringLiteral("The PDF file could not be started."));
        }
        try {
            draw(painter, writer);
        } catch (...) {
            painter.end();
            file.cancelWriting();
            throw;
        }
        painter.end();
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
}

QString TReportOutput::pdfFileName(const QString& title) {
    QString name = title.simplified();
    static const QString forbidden = QStringLiteral("/\\:*?\"<>|");
    for (QChar& c : name) {
        if (forbidden.contains(c) || c.category() == QChar::Other_Control)
            c = QLatin1Char('_');
    }
    while (name.startsWith(QLatin1Char('.')))
        name.remove(0, 1);
    if (name.isEmpty())
        name = QStringLiteral("Report");
    return name.left(120) + QStringLiteral(".pdf");
}

void TReportOutput::setTesting(bool on) {
    seam().testing = on;
    seam().choices.clear();
}

void TReportOutput::setNextChoice(const TOutputChoice& choice) {
    seam().choices.enqueue(choice);
}
