#include "rtf/plaintext.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

namespace {

const QLatin1String kNewLine("\r\n");

QString blockText(const QTextBlock& block) {
    QString text = block.text();
    text.remove(QChar::ObjectReplacementCharacter);
    text.replace(QChar::LineSeparator, kNewLine);
    text.replace(QChar::Nbsp, u' ');
    return text;
}

void appendFrame(QStringList& lines, const QTextFrame* frame);

// A cell is one line of its row: its own paragraphs (and nested tables) joined by spaces.
QString cellText(const QTextTableCell& cell) {
    QStringList parts;
    for (auto it = cell.begin(); !it.atEnd(); ++it) {
        if (it.currentFrame())
            appendFrame(parts, it.currentFrame());
        else
            parts.append(blockText(it.currentBlock()));
    }
    parts.removeAll(QString());
    return parts.join(u' ').replace(kNewLine, QLatin1String(" ")).replace(u'\t', u' ');
}

void appendTable(QStringList& lines, const QTextTable* table) {
    for (int r = 0; r < table->rows(); ++r) {
        QStringList cells;
        for (int c = 0; c < table->columns(); ++c) {
            const QTextTableCell cell = table->cellAt(r, c);
            cells.append(cell.row() == r && cell.column() == c ? cellText(cell) : QString());
        }
        lines.append(cells.join(u'\t'));
    }
}

void appendFrame(QStringList& lines, const QTextFrame* frame) {
    if (auto* table = qobject_cast<const QTextTable*>(frame)) {
        appendTable(lines, table);
        return;
    }
    for (auto it = frame->begin(); !it.atEnd(); ++it) {
        if (it.currentFrame())
            appendFrame(lines, it.currentFrame());
        else
            lines.append(blockText(it.currentBlock()));
    }
}

} // namespace

QString DocumentPlainText(const QTextDocument& doc) {
    QStringList lines;
    appendFrame(lines, doc.rootFrame());
    while (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast(); // the empty paragraph Qt keeps after a closing table
    return lines.join(kNewLine);
}
