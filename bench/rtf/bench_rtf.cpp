// Throughput of the RTF writer (and reader, when built) on a generated document of several
// megabytes, and the time of RTF -> PDF for a 100-page document.
//   bench_rtf [OUTPUT_FOLDER]   also leaves big.rtf and hundred.rtf there for comparisons
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

namespace {

// The best of a few runs: the figure least disturbed by other work on the machine.
double bestSeconds(int runs, const std::function<void()>& work) {
    double best = 1e9;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        work();
        best = std::min(best, t.nsecsElapsed() / 1e9);
    }
    return best;
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
    const double mb = rtf.size() / (1024.0 * 1024.0);
    std::printf("document: %d sections, %.1f MB of RTF, %d characters\n", sections, mb,
                big.characterCount());

    const double write = bestSeconds(3, [&] { rtf = TRtfWriter::Write(big); });
    const double toHtml = bestSeconds(1, [&] { (void)big.toHtml(); });
    std::printf("write: %.3f s, %.1f MB/s (for scale, Qt's own HTML export: %.3f s)\n", write,
                mb / write, toHtml);
#if HAVE_RTF_READER
    const double read = bestSeconds(3, [&] {
        QTextDocument doc;
        TRtfReader::Read(rtf, &doc);
    });
    std::printf("read:  %.3f s, %.1f MB/s (goal: 50 MB/s)\n", read, mb / read);
#else
    std::printf("read:  not measured, the RTF reader is not part of this build\n");
#endif

    // About 100 A4 pages of text, lists and tables, no pictures.
    TRichViewPDF generated;
    GenerateDocument(generated.RichView(), 190, false);
    const QByteArray hundredRtf = TRtfWriter::Write(*generated.RichView());
    save(out + QStringLiteral("/hundred.rtf"), hundredRtf);
    const QString pdf = out + QStringLiteral("/hundred.pdf");
    int pages = 0;
    auto exportPdf = [&](TRichViewPDF& exporter) {
        exporter.SetCreateOutlines(true);
        if (!exporter.Export(pdf))
            std::fprintf(stderr, "%s\n", qPrintable(exporter.ErrorString()));
        pages = exporter.PageCount();
    };
    const double layout = bestSeconds(3, [&] { exportPdf(generated); });
    std::printf("document -> PDF: %d pages in %.3f s\n", pages, layout);
#if HAVE_RTF_READER
    const double toPdf = bestSeconds(3, [&] {
        TRichViewPDF exporter;
        TRtfReader::Read(hundredRtf, exporter.RichView());
        exportPdf(exporter);
    });
    std::printf("RTF -> PDF: %d pages in %.3f s (goal: 100 pages < 1 s)\n", pages, toPdf);
#endif
    return 0;
}
