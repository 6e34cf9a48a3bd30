#include "rtf/rtftables.h"

#include "rtf/rtfprops.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextTable>
#include <algorithm>
#include <iterator>
#include <utility>

namespace {
int ColumnCount(const TRtfRowDef& def) {
    return qBound(1, int(def.cells.size()), TRtfTableBuilder::MaxColumns);
}

// Fixed column widths from the cells' right edges, or none when the definition does not fit
// the table or is not sane.
QList<QTextLength> ColumnWidths(const TRtfRowDef& def, int columns) {
    QList<QTextLength> widths;
    if (def.cells.size() != columns)
        return widths;
    int prev = qBound(-14400, def.left, 31680);
    for (const TRtfCellDef& c : def.cells) {
        const int w = c.rightEdge - prev;
        if (w <= 0 || w > 31680)
            return {};
        widths.append(QTextLength(QTextLength::FixedLength, TwipsToPx(w)));
        prev = c.rightEdge;
    }
    return widths;
}

// Where the table sits across the page: aligned, and with its left edge where \trleft puts
// it (Word's tables start a cell's padding to the left of the margin, so their text lines
// up with the text around them).
void PlaceTable(QTextTableFormat& fmt, const TRtfRowDef& def) {
    fmt.setAlignment(def.align);
    fmt.setLeftMargin(def.align == Qt::AlignLeft ? TwipsToPx(qBound(-1440, def.left, 14400)) : 0);
}

// The one border every side of every cell has, as (width in twips, colour); width -1 if the
// sides differ or some have none.
std::pair<int, QColor> UniformBorder(const TRtfRowDef& def, int columns) {
    if (def.cells.isEmpty() || def.cells.size() != columns)
        return {-1, QColor()};
    const TRtfCellDef& first = def.cells.first();
    for (const TRtfCellDef& c : def.cells)
        for (int i = 0; i < 4; ++i)
            if (c.border[i] != first.border[0] || c.borderColor[i] != first.borderColor[0])
                return {-1, QColor()};
    return {first.border[0], first.borderColor[0]};
}
} // namespace

void TRtfTableBuilder::ensureLevel(int level, const TRtfRowDef& def) {
    level = exhausted() ? 0 : qBound(0, level, MaxDepth);
    while (depth() > level)
        closeTable();
    while (depth() < level) {
        // A nested table's row definition comes after its cells: until then the definition
        // in force is the outer row's, which says nothing about the nested table's columns.
        if (depth() > 0)
            m_tables.last().deeperInRow = true;
        openTable(depth() == 0 ? def : TRtfRowDef());
    }
    if (level > 0) {
        Table& t = m_tables.last();
        if (!t.rowOpen) {
            if (t.row + 1 >= MaxRows) {
                closeTable();
                openTable(def);
            } else {
                startRow(def);
            }
        }
        Table& cur = m_tables.last();
        if (cur.cellPending) {
            cur.cellPending = false;
            if (cur.col >= cur.table->columns()) {
                if (cur.table->columns() < MaxColumns) {
                    cur.table->appendColumns(1);
                    cur.vMergeStart.append(-1);
                    countCells(cur.row + 1, depth());
                } else {
                    // Surplus cells continue on a new row: one cell holding them all would
                    // be a single endless line.
                    cur.col = cur.table->columns() - 1;
                    applyRowDef(cur, def);
                    cur.rowOpen = false;
                    ensureLevel(level, def);
                    return;
                }
            }
            moveToCell(cur);
        }
    }
}

void TRtfTableBuilder::openTable(const TRtfRowDef& def) {
    ++m_moves;
    const int cols = ColumnCount(def);
    QTextTableFormat fmt;
    // Separate borders until a row needs borders of its own cells: Qt lays out and draws
    // collapsed borders at a fraction of the speed, and most tables have one border or none.
    fmt.setBorder(0);
    fmt.setBorderCollapse(false);
    fmt.setCellSpacing(0);
    fmt.setCellPadding(TwipsToPx(qBound(0, def.gap, 1440)));
    PlaceTable(fmt, def);
    if (const QList<QTextLength> widths = ColumnWidths(def, cols); !widths.isEmpty())
        fmt.setColumnWidthConstraints(widths);
    // A table always has a paragraph before it. Writers end that paragraph with its \par
    // before the table starts, so the empty paragraph the mark opened is where the table
    // goes, not a paragraph of its own: drop it (only across a plain paragraph mark, never
    // a cell's or a table's boundary).
    const QTextBlock here = m_cursor->block();
    if (here.length() == 1 && here.position() > 0 && m_cursor->atBlockStart() &&
        m_cursor->document()->characterAt(here.position() - 1) == QChar::ParagraphSeparator)
        m_cursor->deletePreviousChar();
    Table t;
    t.table = m_cursor->insertTable(1, cols, fmt);
    countCells(cols, depth() + 1);
    t.rowOpen = true;
    t.rowStartDef = def;
    t.vMergeStart = QList<int>(cols, -1);
    m_tables.append(t);
    moveToCell(m_tables.last());
}

void TRtfTableBuilder::trimRows(Table& t) {
    const int rows = t.table->rows();
    if (rows > t.row + 1)
        t.table->removeRows(t.row + 1, rows - t.row - 1);
}

void TRtfTableBuilder::finish() {
    for (Table& t : m_tables)
        trimRows(t);
}

void TRtfTableBuilder::closeTable() {
    ++m_moves;
    Table t = m_tables.takeLast();
    trimRows(t);
    // Qt keeps a block after every table; content after the table goes there.
    m_cursor->setPosition(t.table->lastPosition() + 1);
}

void TRtfTableBuilder::startRow(const TRtfRowDef& def) {
    Table& t = m_tables.last();
    if (t.row + 1 >= t.table->rows())
        t.table->appendRows(qMin(qBound(1, t.table->rows(), RowChunk), MaxRows - t.table->rows()));
    ++t.row;
    t.col = 0;
    t.rowOpen = true;
    t.deeperInRow = false;
    t.rowStartDef = def;
    const int want = ColumnCount(def);
    if (t.table->columns() < want) {
        countCells(qint64(want - t.table->columns()) * t.row, depth());
        t.table->appendColumns(want - t.table->columns());
        t.vMergeStart.resize(want, -1);
    }
    countCells(t.table->columns(), depth());
    moveToCell(t);
}

void TRtfTableBuilder::moveToCell(Table& t) {
    ++m_moves;
    *m_cursor = t.table->cellAt(t.row, t.col).firstCursorPosition();
}

void TRtfTableBuilder::endCell(int level, const TRtfRowDef& def) {
    if (exhausted()) {
        ensureLevel(0, def);
        m_cursor->insertText(QStringLiteral("\t"));
        ++m_moves;
        return;
    }
    ensureLevel(qMax(1, level), def);
    Table& t = m_tables.last();
    ++t.col;
    t.cellPending = true;
}

void TRtfTableBuilder::endRow(int level, const TRtfRowDef& def) {
    if (exhausted()) {
        ensureLevel(0, def);
        m_cursor->insertBlock();
        ++m_moves;
        return;
    }
    level = qBound(1, level, MaxDepth);
    if (depth() < level)
        return; // a \row with no row: nothing to end
    while (depth() > level)
        closeTable();
    Table& t = m_tables.last();
    if (!t.rowOpen)
        return;
    t.cellPending = false;
    t.col = qMin(t.col, t.table->columns() - 1);
    // After a nested table the definition in force may be the nested one; the row's own came
    // before its cells (writers that repeat it at the row's end repeat the same one).
    const bool useStart = t.deeperInRow && !t.rowStartDef.cells.isEmpty();
    applyRowDef(t, useStart ? t.rowStartDef : def);
    t.rowOpen = false;
    // The rows after this one may be ones added ahead; the row's end is its last cell's.
    ++m_moves;
    *m_cursor = t.table->cellAt(t.row, t.table->columns() - 1).lastCursorPosition();
}

void TRtfTableBuilder::applyRowDef(Table& t, const TRtfRowDef& def) {
    QTextTable* table = t.table;
    const int cols = table->columns();
    const int n = qMin(int(def.cells.size()), cols);
    QTextTableFormat tf = table->format();
    // A table opened before its definition came (a nested one) takes its gap and widths
    // from it.
    if (t.row == 0 && t.rowStartDef.cells.isEmpty()) {
        tf.setCellPadding(TwipsToPx(qBound(0, def.gap, 1440)));
        PlaceTable(tf, def);
        if (const QList<QTextLength> widths = ColumnWidths(def, cols); !widths.isEmpty())
            tf.setColumnWidthConstraints(widths);
        table->setFormat(tf);
    }
    // Header rows are the ones at the top; Qt repeats them on every page.
    if (def.header && tf.headerRowCount() == t.row && t.row < MaxRows) {
        tf.setHeaderRowCount(t.row + 1);
        table->setFormat(tf);
    }
    // One border on every side of every cell of the first row is the table's own border,
    // drawn by the table; later rows with the same border need none of their own. Separate
    // borders draw the table's width round every cell, so two cells side by side show it
    // twice: half of it gives the line the file asks for.
    const auto [uniformWidth, uniformColor] = UniformBorder(def, cols);
    const QColor uniformBrush = uniformColor.isValid() ? uniformColor : QColor(Qt::black);
    const qreal uniformPx = qMax<qreal>(1.0, TwipsToPx(qMin(uniformWidth, 300)));
    if (t.row == 0 && uniformWidth >= 0) {
        tf.setBorder(tf.borderCollapse() ? uniformPx : uniformPx / 2);
        tf.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        tf.setBorderBrush(uniformBrush);
        table->setFormat(tf);
    }
    const bool tableDrawsBorders = uniformWidth >= 0 && TableLineWidth(tf) == uniformPx &&
                                   tf.borderBrush().color() == uniformBrush;
    if (!tableDrawsBorders && !tf.borderCollapse()) {
        // Borders of the row's own: only collapsed borders draw them. The table's line keeps
        // its width in the rows before.
        const bool ownBorders =
            std::any_of(def.cells.cbegin(), def.cells.cbegin() + n, [](const TRtfCellDef& d) {
                return std::any_of(std::begin(d.border), std::end(d.border),
                                   [](int w) { return w >= 0; });
            });
        if (ownBorders) {
            tf.setBorder(TableLineWidth(tf));
            tf.setBorderCollapse(true);
            table->setFormat(tf);
        }
    }
    for (int c = 0; c < n; ++c) {
        const TRtfCellDef& d = def.cells.at(c);
        QTextTableCell cell = table->cellAt(t.row, c);
        QTextTableCellFormat f = cell.format().toTableCellFormat();
        if (d.background.isValid())
            f.setBackground(d.background);
        const qreal pad = TwipsToPx(qBound(0, def.gap, 1440));
        f.setLeftPadding(pad);
        f.setRightPadding(pad);
        auto side = [&](int i, void (QTextTableCellFormat::*width)(qreal),
                        void (QTextTableCellFormat::*style)(QTextFrameFormat::BorderStyle),
                        void (QTextTableCellFormat::*brush)(const QBrush&)) {
            if (d.border[i] < 0 || tableDrawsBorders)
                return;
            (f.*width)(qMax<qreal>(1.0, TwipsToPx(qMin(d.border[i], 300))));
            (f.*style)(QTextFrameFormat::BorderStyle_Solid);
            (f.*brush)(QBrush(d.borderColor[i].isValid() ? d.borderColor[i] : QColor(Qt::black)));
        };
        side(0, &QTextTableCellFormat::setTopBorder, &QTextTableCellFormat::setTopBorderStyle,
             &QTextTableCellFormat::setTopBorderBrush);
        side(1, &QTextTableCellFormat::setLeftBorder, &QTextTableCellFormat::setLeftBorderStyle,
             &QTextTableCellFormat::setLeftBorderBrush);
        side(2, &QTextTableCellFormat::setBottomBorder, &QTextTableCellFormat::setBottomBorderStyle,
             &QTextTableCellFormat::setBottomBorderBrush);
        side(3, &QTextTableCellFormat::setRightBorder, &QTextTableCellFormat::setRightBorderStyle,
             &QTextTableCellFormat::setRightBorderBrush);
        if (d.vAlign == 1)
            f.setVerticalAlignment(QTextCharFormat::AlignMiddle);
        else if (d.vAlign == 2)
            f.setVerticalAlignment(QTextCharFormat::AlignBottom);
        cell.setFormat(f);
    }
    // Vertical merges: a run of \clvmrg cells joins the \clvmgf cell above it.
    for (int c = 0; c < n; ++c) {
        const TRtfCellDef& d = def.cells.at(c);
        // Laying out a tall merged cell costs in proportion to its height times the rows it
        // spans, so an absurdly tall one starts afresh.
        if (d.vMergeFirst || (d.vMergeNext && t.vMergeStart.value(c, -1) >= 0 &&
                              t.row - t.vMergeStart[c] >= MaxRowSpan)) {
            t.vMergeStart[c] = t.row;
        } else if (d.vMergeNext && t.vMergeStart.value(c, -1) >= 0) {
            const int start = t.vMergeStart[c];
            const int span = table->cellAt(start, c).columnSpan();
            table->mergeCells(start, c, t.row - start + 1, span);
        } else {
            t.vMergeStart[c] = -1;
        }
    }
    // Horizontal merges, and a row with fewer cells than the table spans its last cell.
    for (int c = 0; c < n; ++c) {
        if (!def.cells.at(c).mergeFirst)
            continue;
        int span = 1;
        while (c + span < n && def.cells.at(c + span).mergeNext)
            ++span;
        if (span > 1)
            table->mergeCells(t.row, c, 1, span);
        c += span - 1;
    }
    if (n > 0 && n < cols && t.col < n)
        table->mergeCells(t.row, n - 1, 1, cols - n + 1);
}
