// Reading speed of the RTF reader on generated documents (or on the files given).
// Usage: bench_rtfreader [--mb N] [file.rtf ...]
#include "rtf/rtfreader.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <cstdio>

namespace {

// Letter-like text: paragraphs of words with a little formatting, as our documents have.
QByteArray TextHeavy(qsizetype bytes) {
    QByteArray out =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman "
        "Times New Roman;}}{\\colortbl;\\red200\\green0\\blue0;}\\f0\\fs22 ";
    const QByteArray para =
        "\\pard\\sa120\\sl276\\slmult1 Dear Mrs Smith, thank you for your letter of the "
        "fourth. As agreed, we will meet on {\\b Tuesday} at ten o'clock to go through the "
        "accounts for the last quarter; please bring the receipts caf\\'e9 and {\\i any} "
        "statements from the bank. Kind regards, and \\u8364? 120.00 paid in full.\\par\n";
    out.reserve(bytes + para.size() + 2);
    while (out.size() < bytes)
        out += para;
    out += '}';
    return out;
}

QByteArray Tables(int rows) {
    QByteArray out = "{\\rtf1\\ansi ";
    for (int r = 0; r < rows; ++r)
        out += "\\trowd\\cellx2000\\cellx4000\\cellx6000\\pard\\intbl Name\\cell 12.00\\cell "
               "Paid\\cell\\row\n";
    out += '}';
    return out;
}

// Hostile shapes: one row of very many cells, and very many rows.
QByteArray WideRow(int cells) {
    return "{\\rtf1\\ansi\\trowd\\cellx2000\\pard\\intbl " +
           QByteArray("x\\cell ").repeated(cells) + "\\row}";
}

// The best of three readings, in seconds: the figure least disturbed by other work on the
// machine.
double Measure(const char* label, const QByteArray& rtf) {
    double best = 1e9;
    TRtfReadResult r;
    int chars = 0;
    for (int run = 0; run < 3; ++run) {
        QTextDocument doc;
        QElapsedTimer timer;
        timer.start();
        r = TRtfReader::Read(rtf, &doc);
        best = qMin(best, timer.nsecsElapsed() / 1e9);
        chars = doc.characterCount();
    }
    if (label)
        std::printf("%-28s %8.2f MB %9.1f ms %8.1f MB/s  ok=%d chars=%d\n", label, rtf.size() / 1e6,
                    best * 1e3, rtf.size() / 1e6 / best, r.ok, chars);
    return best;
}

// What Qt itself needs to hold the text-heavy letter: the same paragraphs, runs and formats
// inserted straight through a cursor, with no RTF to read. No reader over QTextDocument can be
// faster than this.
void MeasureQtInsertion(qsizetype bytes) {
    const QString a = QStringLiteral("Dear Mrs Smith, thank you for your letter of the fourth. As "
                                     "agreed, we will meet on ");
    const QString b = QStringLiteral("Tuesday");
    const QString c = QStringLiteral(" at ten o'clock to go through the accounts for the last "
                                     "quarter; please bring the receipts caf\u00e9 and ");
    const QString d = QStringLiteral("any");
    const QString e = QStringLiteral(" statements from the bank. Kind regards, and \u20ac "
                                     "120.00 paid in full.");
    QTextCharFormat plain;
    plain.setFontFamilies({QStringLiteral("Arial")});
    plain.setFontPointSize(11);
    QTextCharFormat bold = plain;
    bold.setFontWeight(QFont::Bold);
    QTextCharFormat italic = plain;
    italic.setFontItalic(true);
    QTextBlockFormat block;
    block.setBottomMargin(8);
    block.setLineHeight(115, QTextBlockFormat::ProportionalHeight);
    const qsizetype paragraphs = bytes / 330;
    double best = 1e9;
    for (int run = 0; run < 3; ++run) {
        QTextDocument doc;
        doc.setUndoRedoEnabled(false);
        QElapsedTimer timer;
        timer.start();
        QTextCursor cursor(&doc);
        cursor.beginEditBlock();
        cursor.setBlockFormat(block);
        for (qsizetype i = 0; i < paragraphs; ++i) {
            cursor.insertText(a, plain);
            cursor.insertText(b, bold);
            cursor.insertText(c, plain);
            cursor.insertText(d, italic);
            cursor.insertText(e, plain);
            cursor.insertBlock(block, plain);
        }
        cursor.endEditBlock();
        best = qMin(best, timer.nsecsElapsed() / 1e9);
    }
    std::printf("%-28s %8.2f MB %9.1f ms %8.1f MB/s  (Qt alone, no reading)\n",
                "same letter, cursor only", bytes / 1e6, best * 1e3, bytes / 1e6 / best);
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    QStringList files;
    int mb = 20;
    const QStringList args = app.arguments().mid(1);
    for (int i = 0; i < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--mb") && i + 1 < args.size())
            mb = args.at(++i).toInt();
        else
            files.append(args.at(i));
    }
    if (!files.isEmpty()) {
        // Each file on its own, then all of them as a whole (the sum of each file's best).
        double total = 0;
        qsizetype bytes = 0;
        for (const QString& f : files) {
            QFile file(f);
            if (!file.open(QIODevice::ReadOnly))
                continue;
            const QByteArray rtf = file.readAll();
            total += Measure(files.size() <= 20 ? qPrintable(f) : nullptr, rtf);
            bytes += rtf.size();
        }
        std::printf("%-28s %8.2f MB %9.1f ms %8.1f MB/s\n",
                    qPrintable(QStringLiteral("all %1 files").arg(files.size())), bytes / 1e6,
                    total * 1e3, bytes / 1e6 / total);
        return 0;
    }
    Measure("text-heavy letter", TextHeavy(qsizetype(mb) * 1000 * 1000));
    MeasureQtInsertion(qsizetype(mb) * 1000 * 1000);
    Measure("table, 2000 rows", Tables(2000));
    Measure("table, 100000 rows", Tables(100000));
    Measure("one row of 100000 cells", WideRow(100000));
    return 0;
}
