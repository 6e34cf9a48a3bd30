// quillon-rtf: command-line conversions of Quillon document files.
//   quillon-rtf text IN.rtf           the plain text (UTF-8, one line per paragraph) on stdout
//   quillon-rtf rtf  IN.rtf OUT.rtf   read and write again (normalised RTF)
//   quillon-rtf html IN.rtf OUT.html  one page, its pictures embedded
//   quillon-rtf pdf  IN.rtf OUT.pdf
// Exit status: 0 done, 1 the input could not be read or the output not written, 2 bad usage.

#include "documents/htmlexport.h"
#include "documents/trvpdf.h"
#include "rtf/plaintext.h"
#include "rtf/rtfreader.h"
#include "rtf/rtfwriter.h"

#include <QFile>
#include <QGuiApplication>
#include <QSaveFile>
#include <QTextDocument>
#include <cstdio>

namespace {

// Qt's own warnings (a missing runtime folder, font fallbacks) are no business of a converter's
// user; errors are reported by the tool itself, one line each.
void quietMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fputs(qPrintable(message + u'\n'), stderr);
}

int fail(const QString& message, int status = 1) {
    std::fputs(qPrintable(QStringLiteral("quillon-rtf: ") + message + u'\n'), stderr);
    return status;
}

int usage() {
    return fail(QStringLiteral("usage: quillon-rtf text IN.rtf | rtf IN.rtf OUT.rtf | "
                               "html IN.rtf OUT.html | pdf IN.rtf OUT.pdf"),
                2);
}

bool writeFile(const QString& path, const QByteArray& data, QString* error) {
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.commit())
        return true;
    *error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
    return false;
}

TRtfPageSetup pageSetupOf(const TRtfReadResult& read) {
    TRtfPageSetup page;
    if (read.paperSizeMm.width() > 0 && read.paperSizeMm.height() > 0)
        page.paperSizeMm = read.paperSizeMm;
    if (read.marginsMm.left() >= 0 && read.marginsMm.top() >= 0 && read.marginsMm.right() >= 0 &&
        read.marginsMm.bottom() >= 0 && !read.marginsMm.isNull())
        page.marginsMm = read.marginsMm;
    return page;
}

} // namespace

int main(int argc, char* argv[]) {
    // A converter needs no display; fonts and layout work the same off screen.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietMessages);
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3)
        return usage();
    const QString command = args.at(1);
    const QString in = args.at(2);
    const bool needsOutput = command != QLatin1String("text");
    if (command != QLatin1String("text") && command != QLatin1String("rtf") &&
        command != QLatin1String("html") && command != QLatin1String("pdf"))
        return usage();
    if (args.size() != (needsOutput ? 4 : 3))
        return usage();
    const QString out = needsOutput ? args.at(3) : QString();

    TRichViewPDF exporter; // owns the document, so a PDF needs no copy of it
    QTextDocument* doc = exporter.RichView();
    const TRtfReadResult read = TRtfReader::ReadFile(in, doc);
    if (!read.ok)
        return fail(QStringLiteral("cannot read %1: %2").arg(in, read.error));
    const TRtfPageSetup page = pageSetupOf(read);

    QString error;
    if (command == QLatin1String("text")) {
        // Stored with CR LF; a terminal on this system wants plain line feeds.
        const QByteArray text =
            DocumentPlainText(*doc).replace(QLatin1String("\r\n"), QLatin1String("\n")).toUtf8();
        std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
        std::fputs("\n", stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    }
    if (command == QLatin1String("rtf"))
        return writeFile(out, TRtfWriter::Write(*doc, page), &error) ? 0 : fail(error);
    if (command == QLatin1String("html"))
        return writeFile(out, DocumentHtml(*doc).toUtf8(), &error) ? 0 : fail(error);

    constexpr double kPointsPerMm = 72.0 / 25.4;
    exporter.SetPageSize(page.paperSizeMm * kPointsPerMm);
    exporter.SetMargins(page.marginsMm);
    exporter.SetCreateOutlines(true);
    if (!exporter.Export(out))
        return fail(exporter.ErrorString());
    if (exporter.OutputFileName().isEmpty())
        std::fputs("quillon-rtf: the document is empty; no PDF written\n", stderr);
    return 0;
}
