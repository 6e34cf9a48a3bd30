// Writes generated notes of growing length to PDF through the page writer and reports the
// time per page and the peak memory, so long printouts stay quick.
//   bench_printing [paragraphs...]   (default 100 1000 10000)

#include "print/client_sheet.h"
#include "print/pagewriter.h"
#include "print/reportoutput.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextStream>
#include <sys/resource.h>

namespace {
QString generatedNotes(int paragraphs) {
    static const QStringList words =
        QStringLiteral(
            "client meeting invoice quarterly review agreed follow-up telephone letter draft "
            "account balance payment reference solicitor consultant schedule appointment "
            "summary report enclosed receipt confirmed outstanding")
            .split(QLatin1Char(' '));
    QRandomGenerator rng(1234);
    QString text;
    for (int p = 0; p < paragraphs; ++p) {
        const int count = 20 + int(rng.bounded(80));
        for (int w = 0; w < count; ++w) {
            text += words.at(int(rng.bounded(qsizetype(words.size()))));
            text += QLatin1Char(' ');
        }
        text += QStringLiteral("\r\n");
    }
    return text;
}

long peakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}
} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QList<int> sizes;
    for (const QString& arg : app.arguments().mid(1))
        sizes << arg.toInt();
    if (sizes.isEmpty())
        sizes = {100, 1000, 10000};

    QTemporaryDir dir;
    QTextStream out(stdout);
    out << "paragraphs  characters  pages  total ms  ms/page  peak MB\n";
    for (int paragraphs : sizes) {
        TClientSheetData data;
        data.clientId = 1;
        data.practiceName = QStringLiteral("Bench Practice");
        data.printedOn = QStringLiteral("01/01/2025");
        data.labels = TClientSheet::labels({});
        data.values.insert(QStringLiteral("ledtCompanyName"), QStringLiteral("Bench Client Ltd"));
        data.values.insert(QStringLiteral("memNotes"), generatedNotes(paragraphs));

        int pages = 0;
        QElapsedTimer timer;
        timer.start();
        const bool ok = TReportOutput::WritePdf(dir.filePath(QStringLiteral("bench.pdf")),
                                                QStringLiteral("Bench"),
                                                [&](QPainter& p, QPagedPaintDevice& d) {
                                                    TPageWriter w(p, d);
                                                    TClientSheet::draw(w, data);
                                                    pages = w.pageNumber();
                                                });
        const qint64 ms = timer.elapsed();
        if (!ok)
            return 1;
        out << qSetFieldWidth(10) << paragraphs
            << data.values.value(QStringLiteral("memNotes")).size() << pages << ms
            << QString::number(double(ms) / pages, 'f', 2)
            << QString::number(peakKilobytes() / 1024.0, 'f', 1) << qSetFieldWidth(0) << "\n";
    }
    return 0;
}
