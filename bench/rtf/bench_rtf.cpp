// Throughput of the RTF writer (and reader, when built) on a generated document of several
// megabytes, and the time of RTF -> PDF for a document of a little over 100 pages and for a
// 5,000-row ruled table.
//   bench_rtf [OUTPUT_FOLDER]   also leaves big.rtf, hundred.rtf and ledger.rtf there for
//                               comparisons, and the PDFs made (generated.pdf: the document as
//                               built; hundred.pdf and ledger.pdf: as read from RTF) to look at
#if __has_include("rtf/rtfreader.h")
#include "rtf/rtfreader.h"
#define HAVE_RTF_READER 1
#else
#define HAVE_RTF_READER 0
#endif

#include "documents/trvpdf.h"
#include "gendoc.h"
#include "rtf/rtfwriter.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextDocument>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

// The best and the median of a few runs: the best is the figure least disturbed by other work
// on the machine, the median what a user would usually see.
struct Timing {
    double best = 0, median = 0;
};

Timing timeRuns(int runs, const std::function<void()>& work) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        work();
        times.push_back(t.nsecsElapsed() / 1e9);
    }
    std::sort(times.begin(), times.end());
    return {times.front(), times[times.size() / 2]};
}

void save(const QString& path, const QByteArray& data) {
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(data);
}

} // namespace

int main(int argc, char* argv[]) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir temp;
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temp.path();
    QDir().mkpath(out);

    QTextDocument big;
    int sections = 200;
    QByteArray rtf;
    for (;;) { // grow until the RTF is at least 5 MB
        GenerateDocument(&big, sections, true);
        rtf = TRtfWriter::Write(big);
        if (rtf.size() >= 5 * 1024 * 1024)
            break;
        sections = int(sections * 1.2 * (5.0 * 1024 * 1024) / rtf.size()) + 1;
    }
    save(out + QStringLiteral("/big.rtf"), rtf);
    const double mb = rtf.size() / 1e6;
    std::printf("document: %d sections, %.1f MB of RTF, %d characters\n", sections, mb,
                big.characterCount());

    const Timing write = timeRuns(5, [&] { rtf = TRtfWriter::Write(big); });
    const Timing toHtml = timeRuns(1, [&] { (void)big.toHtml(); });
    std::printf("write: best %.3f s (%.1f MB/s), median %.3f s (%.1f MB/s); for scale, Qt's own "
                "HTML export: %.3f s\n",
                write.best, mb / write.best, write.median, mb / write.median, toHtml.best);
#if HAVE_RTF_READER
    const Timing read = timeRuns(7, [&] {
        QTextDocument doc;
        TRtfReader::Read(rtf, &doc);
    });
    std::printf("read:  best %.3f s (%.1f MB/s), median %.3f s (%.1f MB/s); goal: 50 MB/s\n",
                read.best, mb / read.best, read.median, mb / read.median);
#else
    std::printf("read:  not measured, the RTF reader is not part of this build\n");
#endif

    // A little over 100 A4 pages of text, lists and tables, no pictures.
    TRichViewPDF generated;
    GenerateDocument(generated.RichView(), 230, false);
    const QByteArray hundredRtf = TRtfWriter::Write(*generated.RichView());
    save(out + QStringLiteral("/hundred.rtf"), hundredRtf);
    // Both PDFs are left for a look: the document as built, and as read back from its RTF.
    QString pdf = out + QStringLiteral("/generated.pdf");
    int pages = 0;
    auto exportPdf = [&](TRichViewPDF& exporter) {
        exporter.SetCreateOutlines(true);
        if (!exporter.Export(pdf))
            std::fprintf(stderr, "%s\n", qPrintable(exporter.ErrorString()));
        pages = exporter.PageCount();
    };
    const Timing layout = timeRuns(5, [&] { exportPdf(generated); });
    std::printf("document -> PDF: %d pages, best %.3f s, median %.3f s\n", pages, layout.best,
                layout.median);
#if HAVE_RTF_READER
    pdf = out + QStringLiteral("/hundred.pdf");
    auto readAndExport = [&](const QByteArray& rtf) {
        TRichViewPDF exporter;
        TRtfReader::Read(rtf, exporter.RichView());
        exportPdf(exporter);
    };
    const Timing toPdf = timeRuns(5, [&] { readAndExport(hundredRtf); });
    std::printf("RTF -> PDF: %d pages, best %.3f s, median %.3f s; goal: 100 pages < 1 s\n", pages,
                toPdf.best, toPdf.median);

    // The most table a document may hold (20,000 cells): an account's statement of 5,000
    // lines in a ruled grid, the worst a practitioner's file is likely to ask of the layout.
    QByteArray ledger = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Liberation Sans;}}\\f0\\fs20 ";
    const QByteArray ruled = "\\clbrdrt\\brdrs\\brdrw10\\clbrdrl\\brdrs\\brdrw10"
                             "\\clbrdrb\\brdrs\\brdrw10\\clbrdrr\\brdrs\\brdrw10";
    for (int row = 0; row < 5000; ++row)
        ledger += "\\trowd\\trgaph60" + ruled + "\\cellx1800" + ruled + "\\cellx6000" + ruled +
                  "\\cellx7800" + ruled + "\\cellx9600\\pard\\intbl " +
                  QByteArray::number(1 + row % 28) + "/0" + QByteArray::number(1 + row % 9) +
                  "/2026\\cell Session " + QByteArray::number(row + 1) +
                  "\\cell\\qr 60.00\\cell\\qr " + QByteArray::number(60 * (row + 1)) +
                  ".00\\cell\\row\r\n";
    ledger += "}";
    save(out + QStringLiteral("/ledger.rtf"), ledger);
    pdf = out + QStringLiteral("/ledger.pdf");
    const Timing ledgerPdf = timeRuns(3, [&] { readAndExport(ledger); });
    std::printf("RTF -> PDF, 5,000-row ruled table: %d pages, best %.3f s, median %.3f s\n", pages,
                ledgerPdf.best, ledgerPdf.median);
#endif
    return 0;
}
