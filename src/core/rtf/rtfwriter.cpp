#include "rtf/rtfwriter.h"

#include "documents/pictures.h"
#include "rtf/rtfescape.h"
#include "rtf/rtfprops.h"

#include <QFont>
#include <QHash>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>
#include <QUrl>
#include <QVariant>
#include <cctype>

namespace {

// QTextDocument lengths are logical pixels at 96 dpi; RTF lengths are twips (1/1440 inch).
constexpr double kTwipsPerPx = 15.0;
constexpr double kTwipsPerMm = 1440.0 / 25.4;

// Whether out ends in a control word (\word or \wordN), after which text needs a space as the
// delimiter; after a group brace or a control symbol a space would be text.
bool endsWithControlWord(const QByteArray& out) {
    qsizetype i = out.size();
    while (i > 0 && (isalnum(uchar(out.at(i - 1))) || out.at(i - 1) == '-'))
        --i;
    if (i == 0 || i == out.size() || out.at(i - 1) != '\\' || !isalpha(uchar(out.at(i))))
        return false;
    qsizetype slashes = 0;
    while (i - 1 - slashes >= 0 && out.at(i - 1 - slashes) == '\\')
        ++slashes;
    return slashes % 2 == 1; // an even run is escaped backslashes followed by text
}

int pxToTwips(double px) {
    return qRound(px * kTwipsPerPx);
}

// A cell's sides as RTF names them and as the cell's format holds them.
struct CellSide {
    const char* word;
    QTextFormat::Property width, style, brush;
};
constexpr CellSide kCellSides[] = {
    {"\\clbrdrt", QTextFormat::TableCellTopBorder, QTextFormat::TableCellTopBorderStyle,
     QTextFormat::TableCellTopBorderBrush},
    {"\\clbrdrl", QTextFormat::TableCellLeftBorder, QTextFormat::TableCellLeftBorderStyle,
     QTextFormat::TableCellLeftBorderBrush},
    {"\\clbrdrb", QTextFormat::TableCellBottomBorder, QTextFormat::TableCellBottomBorderStyle,
     QTextFormat::TableCellBottomBorderBrush},
    {"\\clbrdrr", QTextFormat::TableCellRightBorder, QTextFormat::TableCellRightBorderStyle,
     QTextFormat::TableCellRightBorderBrush},
};

// Whether the cell draws this side itself (only collapsed borders draw a cell's own).
bool HasOwnBorder(const QTextTableFormat& table, const QTextCharFormat& cell,
                  const CellSide& side) {
    return table.borderCollapse() && cell.hasProperty(side.width) &&
           cell.doubleProperty(side.width) > 0 &&
           QTextFrameFormat::BorderStyle(cell.intProperty(side.style)) !=
               QTextFrameFormat::BorderStyle_None;
}

// One embedded picture, encoded once however often the document shows it.
struct Picture {
    QByteArray blipKeyword; // "\pngblip" or "\jpegblip"; empty when the image is unusable
    QByteArray data;
    QSize pixels;
};

class Writer {
public:
    Writer(const QTextDocument& doc, const TRtfPageSetup& page) : m_doc(doc), m_page(page) {}

    QByteArray run();

private:
    // Collecting the tables written in the header, in order of first use.
    void collectFrame(const QTextFrame* frame);
    void collectBlock(const QTextBlock& block);
    void collectCharFormat(const QTextCharFormat& fmt);
    int fontIndex(const QString& family);
    int colorIndex(const QColor& color);

    void writeHeader();
    void writeListTable();
    void writeFrame(const QTextFrame* frame, int depth, int availTwips);
    void writeTable(const QTextTable* table, int depth, int availTwips);
    void writeCell(const QTextTableCell& cell, int depth, int availTwips);
    void writeRowDefinition(const QTextTable* table, int row, const QList<int>& edges);
    void writeBlock(const QTextBlock& block, int depth, const char* end);
    void writeParagraphProperties(const QTextBlock& block, int depth);
    void writeFragment(const QTextFragment& fragment);
    void writePicture(const QTextImageFormat& fmt);
    void writeBorder(const char* side, qreal width, QTextFrameFormat::BorderStyle style,
                     const QBrush& brush);

    QFont resolvedFont(const QTextCharFormat& fmt) const;
    const QByteArray& charProperties(int formatIndex);
    QByteArray charPropertiesFor(const QTextCharFormat& fmt);
    QString listMarker(const QTextBlock& block) const;
    QList<int> columnEdges(const QTextTable* table, int availTwips) const;
    const Picture& picture(const QString& name);

    void word(const char* controlWord) { m_out.append(controlWord); }
    void word(const char* controlWord, int value) {
        m_out.append(controlWord);
        m_out.append(QByteArray::number(value));
    }
    void text(const QString& s) { RtfEscape::appendText(m_out, s); }

    const QTextDocument& m_doc;
    const TRtfPageSetup m_page;
    QByteArray m_out;

    QStringList m_fonts;
    QHash<QString, int> m_fontIndex;
    QList<QRgb> m_colors;
    QHash<QRgb, int> m_colorIndex;
    QList<const QTextList*> m_lists;
    QHash<const QTextList*, int> m_listIndex;
    QHash<int, QByteArray> m_charProps;
    QHash<QString, Picture> m_pictures;
    QByteArray m_current; // the character properties in force at the end of the output
    bool m_pageBreakPending = false;
};

QByteArray Writer::run() {
    m_out.reserve(qMax<qsizetype>(4096, m_doc.characterCount() * 2));
    fontIndex(resolvedFont(QTextCharFormat()).family()); // \deff0: the document's font
    collectFrame(m_doc.rootFrame());
    writeHeader();

    const int textWidth =
        qRound((m_page.paperSizeMm.width() - m_page.marginsMm.left() - m_page.marginsMm.right()) *
               kTwipsPerMm);
    writeFrame(m_doc.rootFrame(), 0, qMax(textWidth, 1440));
    m_out.append("}\r\n");
    return m_out;
}

// ---- collecting ----------------------------------------------------------------------------

void Writer::collectFrame(const QTextFrame* frame) {
    if (auto* table = qobject_cast<const QTextTable*>(frame)) {
        const QTextTableFormat tf = table->format();
        if (tf.borderBrush().style() != Qt::NoBrush)
            colorIndex(tf.borderBrush().color());
        for (int r = 0; r < table->rows(); ++r)
            for (int c = 0; c < table->columns(); ++c) {
                const QTextTableCell cell = table->cellAt(r, c);
                if (cell.row() != r || cell.column() != c)
                    continue;
                const QTextCharFormat cf = cell.format();
                if (cf.background().style() != Qt::NoBrush)
                    colorIndex(cf.background().color());
                for (const CellSide& side : kCellSides)
                    if (HasOwnBorder(tf, cf, side) &&
                        cf.brushProperty(side.brush).style() != Qt::NoBrush)
                        colorIndex(cf.brushProperty(side.brush).color());
                for (auto it = cell.begin(); !it.atEnd(); ++it) {
                    if (it.currentFrame())
                        collectFrame(it.currentFrame());
                    else
                        collectBlock(it.currentBlock());
                }
            }
        return;
    }
    for (auto it = frame->begin(); !it.atEnd(); ++it) {
        if (it.currentFrame())
            collectFrame(it.currentFrame());
        else
            collectBlock(it.currentBlock());
    }
}

void Writer::collectBlock(const QTextBlock& block) {
    const QTextBlockFormat bf = block.blockFormat();
    if (bf.background().style() != Qt::NoBrush)
        colorIndex(bf.background().color());
    if (QTextList* list = block.textList(); list && !m_listIndex.contains(list)) {
        m_listIndex.insert(list, int(m_lists.size()) + 1);
        m_lists.append(list);
    }
    collectCharFormat(block.charFormat());
    for (auto it = block.begin(); !it.atEnd(); ++it)
        collectCharFormat(it.fragment().charFormat());
}

void Writer::collectCharFormat(const QTextCharFormat& fmt) {
    fontIndex(resolvedFont(fmt).family());
    if (fmt.foreground().style() != Qt::NoBrush)
        colorIndex(fmt.foreground().color());
    if (fmt.background().style() != Qt::NoBrush)
        colorIndex(fmt.background().color());
}

int Writer::fontIndex(const QString& family) {
    auto it = m_fontIndex.constFind(family);
    if (it != m_fontIndex.constEnd())
        return *it;
    const int index = int(m_fonts.size());
    m_fonts.append(family);
    m_fontIndex.insert(family, index);
    return index;
}

// Index into the colour table; entry 0 is the "automatic" colour, so real colours start at 1.
int Writer::colorIndex(const QColor& color) {
    const QRgb rgb = color.toRgb().rgb() | 0xff000000u;
    auto it = m_colorIndex.constFind(rgb);
    if (it != m_colorIndex.constEnd())
        return *it;
    m_colors.append(rgb);
    const int index = int(m_colors.size());
    m_colorIndex.insert(rgb, index);
    return index;
}

// ---- header --------------------------------------------------------------------------------

void Writer::writeHeader() {
    m_out.append("{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\r\n{\\fonttbl");
    for (int i = 0; i < m_fonts.size(); ++i) {
        word("{\\f", i);
        m_out.append("\\fnil\\fcharset0 ");
        text(m_fonts.at(i));
        m_out.append(";}");
    }
    m_out.append("}\r\n{\\colortbl;");
    for (QRgb rgb : std::as_const(m_colors)) {
        word("\\red", qRed(rgb));
        word("\\green", qGreen(rgb));
        word("\\blue", qBlue(rgb));
        m_out.append(';');
    }
    m_out.append("}\r\n");

    const QFont base = resolvedFont(QTextCharFormat());
    m_out.append("{\\stylesheet{\\ql\\f0");
    word("\\fs", qMax(1, qRound(base.pointSizeF() * 2)));
    m_out.append(" Normal;}}\r\n");

    writeListTable();
    m_out.append("{\\*\\generator Quillon;}");

    const QSizeF paper = m_page.paperSizeMm;
    word("\\paperw", qRound(paper.width() * kTwipsPerMm));
    word("\\paperh", qRound(paper.height() * kTwipsPerMm));
    word("\\margl", qRound(m_page.marginsMm.left() * kTwipsPerMm));
    word("\\margr", qRound(m_page.marginsMm.right() * kTwipsPerMm));
    word("\\margt", qRound(m_page.marginsMm.top() * kTwipsPerMm));
    word("\\margb", qRound(m_page.marginsMm.bottom() * kTwipsPerMm));
    if (paper.width() > paper.height())
        word("\\landscape");
    word("\\deftab", qMax(1, pxToTwips(m_doc.defaultTextOption().tabStopDistance())));
    m_out.append("\r\n");
}

int levelNumberFormat(QTextListFormat::Style style) {
    switch (style) {
    case QTextListFormat::ListDecimal:
        return 0;
    case QTextListFormat::ListUpperRoman:
        return 1;
    case QTextListFormat::ListLowerRoman:
        return 2;
    case QTextListFormat::ListUpperAlpha:
        return 3;
    case QTextListFormat::ListLowerAlpha:
        return 4;
    case QTextListFormat::ListDisc:
    case QTextListFormat::ListCircle:
    case QTextListFormat::ListSquare:
        return 23;
    default:
        return 255;
    }
}

QString bulletFor(QTextListFormat::Style style) {
    switch (style) {
    case QTextListFormat::ListCircle:
        return QString(QChar(0x25E6));
    case QTextListFormat::ListSquare:
        return QString(QChar(0x25AA));
    default:
        return QString(QChar(0x2022));
    }
}

QString numberSuffix(const QTextListFormat& fmt) {
    return fmt.hasProperty(QTextFormat::ListNumberSuffix) ? fmt.numberSuffix()
                                                          : QStringLiteral(".");
}

// Each QTextList becomes one list of nine levels, all in the list's own style, so that a
// reader numbering by level still shows the list as the document does.
void Writer::writeListTable() {
    if (m_lists.isEmpty())
        return;
    const int indentTwips = pxToTwips(m_doc.indentWidth());
    m_out.append("{\\*\\listtable\r\n");
    for (int i = 0; i < m_lists.size(); ++i) {
        const QTextListFormat fmt = m_lists.at(i)->format();
        const int nfc = levelNumberFormat(fmt.style());
        const int listId = i + 1;
        word("{\\list\\listtemplateid", listId);
        m_out.append("\\listhybrid");
        for (int level = 0; level < 9; ++level) {
            word("{\\listlevel\\levelnfc", nfc);
            word("\\levelnfcn", nfc);
            m_out.append("\\leveljc0\\leveljcn0\\levelfollow0");
            word("\\levelstartat", 1);
            m_out.append("\\levelspace0\\levelindent0{\\leveltext");
            QByteArray numbers;
            if (nfc == 23) {
                m_out.append("\\'01");
                text(bulletFor(fmt.style()));
            } else if (nfc == 255) {
                m_out.append("\\'00");
            } else {
                const QString prefix = fmt.numberPrefix();
                const QString suffix = numberSuffix(fmt);
                const int length = int(prefix.size() + 1 + suffix.size());
                m_out.append(QByteArray("\\'") +
                             QByteArray::number(qMin(length, 255), 16).rightJustified(2, '0'));
                text(prefix);
                m_out.append(QByteArray("\\'0") + QByteArray::number(level));
                text(suffix);
                numbers = QByteArray("\\'") +
                          QByteArray::number(int(prefix.size()) + 1, 16).rightJustified(2, '0');
            }
            m_out.append(";}{\\levelnumbers");
            m_out.append(numbers);
            m_out.append(";}");
            word("\\fi", -360);
            word("\\li", indentTwips * (level + 1));
            word("\\lin", indentTwips * (level + 1));
            m_out.append("}");
        }
        word("{\\listname ;}\\listid", listId);
        m_out.append("}\r\n");
    }
    m_out.append("}\r\n{\\*\\listoverridetable\r\n");
    for (int i = 0; i < m_lists.size(); ++i) {
        word("{\\listoverride\\listid", i + 1);
        word("\\listoverridecount0\\ls", i + 1);
        m_out.append("}\r\n");
    }
    m_out.append("}\r\n");
}

// ---- body ----------------------------------------------------------------------------------

// depth is the table nesting level of the frame's paragraphs: 0 in the body, 1 in a cell of a
// top-level table, 2 in a nested table and so on.
void Writer::writeFrame(const QTextFrame* frame, int depth, int availTwips) {
    for (auto it = frame->begin(); !it.atEnd(); ++it) {
        if (QTextFrame* child = it.currentFrame()) {
            if (auto* table = qobject_cast<QTextTable*>(child))
                writeTable(table, depth + 1, availTwips);
            else
                writeFrame(child, depth, availTwips);
        } else {
            // Every paragraph ends with its mark, the last one too: readers (ours, Word's,
            // LibreOffice's) take a final \par as the end of the document, not a new paragraph.
            writeBlock(it.currentBlock(), depth, "\\par");
        }
    }
}

QList<int> Writer::columnEdges(const QTextTable* table, int availTwips) const {
    const QTextTableFormat tf = table->format();
    const int columns = table->columns();
    int tableWidth = availTwips;
    const QTextLength width = tf.width();
    if (width.type() == QTextLength::FixedLength)
        tableWidth = pxToTwips(width.rawValue());
    else if (width.type() == QTextLength::PercentageLength)
        tableWidth = qRound(availTwips * width.rawValue() / 100.0);

    const QList<QTextLength> constraints = tf.columnWidthConstraints();
    QList<int> widths(columns, -1);
    int fixedTotal = 0;
    int variable = columns;
    if (constraints.size() == columns) {
        for (int c = 0; c < columns; ++c) {
            const QTextLength& len = constraints.at(c);
            if (len.type() == QTextLength::FixedLength)
                widths[c] = pxToTwips(len.rawValue());
            else if (len.type() == QTextLength::PercentageLength)
                widths[c] = qRound(tableWidth * len.rawValue() / 100.0);
            else
                continue;
            fixedTotal += widths[c];
            --variable;
        }
    }
    const int share = variable > 0 ? qMax(144, (tableWidth - fixedTotal) / variable) : 0;
    QList<int> edges;
    edges.reserve(columns);
    int x = 0;
    for (int c = 0; c < columns; ++c) {
        x += qMax(1, widths[c] < 0 ? share : widths[c]);
        edges.append(x);
    }
    return edges;
}

void Writer::writeBorder(const char* side, qreal width, QTextFrameFormat::BorderStyle style,
                         const QBrush& brush) {
    m_out.append(side);
    switch (style) {
    case QTextFrameFormat::BorderStyle_Dotted:
        m_out.append("\\brdrdot");
        break;
    case QTextFrameFormat::BorderStyle_Dashed:
    case QTextFrameFormat::BorderStyle_DotDash:
    case QTextFrameFormat::BorderStyle_DotDotDash:
        m_out.append("\\brdrdash");
        break;
    case QTextFrameFormat::BorderStyle_Double:
        m_out.append("\\brdrdb");
        break;
    default:
        m_out.append("\\brdrs");
        break;
    }
    word("\\brdrw", qBound(1, pxToTwips(width), 75));
    if (brush.style() != Qt::NoBrush)
        word("\\brdrcf", colorIndex(brush.color()));
}

void Writer::writeRowDefinition(const QTextTable* table, int row, const QList<int>& edges) {
    const QTextTableFormat tf = table->format();
    const int gap = pxToTwips(tf.cellPadding());
    word("\\trowd\\trgaph", gap);
    const int left = pxToTwips(tf.leftMargin());
    word("\\trleft", left);
    if (tf.alignment() & Qt::AlignHCenter)
        word("\\trqc");
    else if (tf.alignment() & Qt::AlignRight)
        word("\\trqr");
    if (row < tf.headerRowCount())
        word("\\trhdr");
    const bool borders = tf.border() > 0 && tf.borderStyle() != QTextFrameFormat::BorderStyle_None;
    for (int c = 0; c < table->columns(); ++c) {
        const QTextTableCell cell = table->cellAt(row, c);
        if (cell.rowSpan() > 1 && cell.row() == row)
            word("\\clvmgf");
        else if (cell.row() < row)
            word("\\clvmrg");
        if (cell.columnSpan() > 1 && cell.column() == c)
            word("\\clmgf");
        else if (cell.column() < c)
            word("\\clmrg");
        const QTextTableCellFormat cf = cell.format().toTableCellFormat();
        switch (cf.verticalAlignment()) {
        case QTextCharFormat::AlignMiddle:
            word("\\clvertalc");
            break;
        case QTextCharFormat::AlignBottom:
            word("\\clvertalb");
            break;
        default:
            word("\\clvertalt");
            break;
        }
        // A side with a border of the cell's own has it; the others the table's, if any.
        for (const CellSide& side : kCellSides) {
            if (HasOwnBorder(tf, cf, side))
                writeBorder(side.word, cf.doubleProperty(side.width),
                            QTextFrameFormat::BorderStyle(cf.intProperty(side.style)),
                            cf.brushProperty(side.brush));
            else if (borders)
                writeBorder(side.word, TableLineWidth(tf), tf.borderStyle(), tf.borderBrush());
        }
        if (cf.background().style() != Qt::NoBrush)
            word("\\clcbpat", colorIndex(cf.background().color()));
        // Cell edges are measured from the margin; the row starts at \\trleft.
        word("\\cellx", left + edges.at(c));
    }
}

void Writer::writeTable(const QTextTable* table, int depth, int availTwips) {
    const QList<int> edges = columnEdges(table, availTwips);
    const int gap = pxToTwips(table->format().cellPadding());
    for (int r = 0; r < table->rows(); ++r) {
        if (depth == 1) {
            writeRowDefinition(table, r, edges);
            m_out.append("\r\n");
        }
        for (int c = 0; c < table->columns(); ++c) {
            const QTextTableCell cell = table->cellAt(r, c);
            const int left = c == 0 ? 0 : edges.at(c - 1);
            const int cellWidth = qMax(144, edges.at(c) - left - 2 * gap);
            if (cell.row() != r || cell.column() != c) {
                // A merged-over cell still needs its (empty) cell mark.
                m_out.append("\\pard\\plain\\intbl");
                if (depth > 1)
                    word("\\itap", depth);
                m_out.append(depth > 1 ? "\\nestcell\r\n" : "\\cell\r\n");
                continue;
            }
            writeCell(cell, depth, cellWidth);
        }
        if (depth == 1) {
            m_out.append("\\row\r\n");
        } else {
            m_out.append("{\\*\\nesttableprops");
            writeRowDefinition(table, r, edges);
            m_out.append("\\nestrow}{\\nonesttables\\par}\r\n");
        }
    }
}

void Writer::writeCell(const QTextTableCell& cell, int depth, int availTwips) {
    const QTextBlock lastBlock = cell.lastCursorPosition().block();
    const char* cellEnd = depth > 1 ? "\\nestcell" : "\\cell";
    for (auto it = cell.begin(); !it.atEnd(); ++it) {
        if (QTextFrame* child = it.currentFrame()) {
            if (auto* table = qobject_cast<QTextTable*>(child))
                writeTable(table, depth + 1, availTwips);
            else
                writeFrame(child, depth, availTwips);
        } else {
            const QTextBlock block = it.currentBlock();
            writeBlock(block, depth, block == lastBlock ? cellEnd : "\\par");
        }
    }
}

QString Writer::listMarker(const QTextBlock& block) const {
    const QTextList* list = block.textList();
    const int nfc = levelNumberFormat(list->format().style());
    if (nfc == 23)
        return bulletFor(list->format().style());
    if (nfc == 255)
        return QString();
    return list->itemText(block);
}

void Writer::writeParagraphProperties(const QTextBlock& block, int depth) {
    const QTextBlockFormat bf = block.blockFormat();
    if (depth > 0)
        word("\\intbl");
    if (depth > 1)
        word("\\itap", depth);
    if (bf.layoutDirection() == Qt::RightToLeft)
        word("\\rtlpar");

    const Qt::Alignment align = bf.alignment() & Qt::AlignHorizontal_Mask;
    if (align & Qt::AlignJustify)
        word("\\qj");
    else if (align & Qt::AlignHCenter)
        word("\\qc");
    else if ((align & Qt::AlignRight) || (align & Qt::AlignTrailing))
        word("\\qr");
    else
        word("\\ql");

    const QTextList* list = block.textList();
    const double indentWidth = m_doc.indentWidth();
    double left = bf.leftMargin() + bf.indent() * indentWidth;
    int firstLine = pxToTwips(bf.textIndent());
    if (list) {
        left += list->format().indent() * indentWidth;
        // Qt hangs the marker left of the text; RTF needs a hanging first line for that.
        if (firstLine == 0)
            firstLine = -qMin(360, pxToTwips(left));
    }
    if (firstLine != 0)
        word("\\fi", firstLine);
    if (left != 0)
        word("\\li", pxToTwips(left));
    if (bf.rightMargin() != 0)
        word("\\ri", pxToTwips(bf.rightMargin()));
    if (bf.topMargin() != 0)
        word("\\sb", pxToTwips(bf.topMargin()));
    if (bf.bottomMargin() != 0)
        word("\\sa", pxToTwips(bf.bottomMargin()));

    switch (bf.lineHeightType()) {
    case QTextBlockFormat::ProportionalHeight:
        word("\\sl", qRound(240 * bf.lineHeight() / 100.0));
        word("\\slmult1");
        break;
    case QTextBlockFormat::FixedHeight:
        word("\\sl", -pxToTwips(bf.lineHeight()));
        word("\\slmult0");
        break;
    case QTextBlockFormat::MinimumHeight:
        word("\\sl", pxToTwips(bf.lineHeight()));
        word("\\slmult0");
        break;
    default:
        break;
    }

    if ((bf.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore) || m_pageBreakPending)
        word("\\pagebb");
    m_pageBreakPending = bf.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysAfter;
    if (bf.nonBreakableLines())
        word("\\keep");
    if (bf.headingLevel() > 0)
        word("\\outlinelevel", qMin(bf.headingLevel(), 9) - 1);
    if (bf.background().style() != Qt::NoBrush)
        word("\\cbpat", colorIndex(bf.background().color()));

    for (const QTextOption::Tab& tab : bf.tabPositions()) {
        if (tab.type == QTextOption::RightTab)
            word("\\tqr");
        else if (tab.type == QTextOption::CenterTab)
            word("\\tqc");
        else if (tab.type == QTextOption::DelimiterTab)
            word("\\tqdec");
        word("\\tx", pxToTwips(tab.position));
    }
    if (list) {
        word("\\ls", m_listIndex.value(list));
        word("\\ilvl", qBound(0, list->format().indent() - 1, 8));
    }
}

void Writer::writeBlock(const QTextBlock& block, int depth, const char* end) {
    m_out.append("\\pard\\plain");
    writeParagraphProperties(block, depth);
    QTextCharFormat markFormat = block.charFormat();
    if (markFormat.isTableCellFormat())
        markFormat.clearBackground(); // the cell's shading, written with the row
    const QByteArray markProps = charPropertiesFor(markFormat);
    m_out.append(markProps);
    m_current = markProps;
    if (block.textList()) {
        // Readers that know no list tables show this text instead of a generated marker.
        m_out.append("{\\pntext");
        m_out.append(markProps);
        m_out.append(' ');
        text(listMarker(block));
        m_out.append("\\tab}");
    }

    QString openHref;
    QByteArray beforeField;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        const QTextCharFormat fmt = fragment.charFormat();
        const QString href = fmt.isAnchor() ? fmt.anchorHref() : QString();
        if (href != openHref) {
            if (!openHref.isEmpty()) {
                m_out.append("}}}");
                m_current = beforeField; // closing the groups restores the properties
            }
            if (!href.isEmpty()) {
                m_out.append("{\\field{\\*\\fldinst{HYPERLINK ");
                QString target = href;
                if (target.startsWith(u'#')) {
                    m_out.append("\\\\l ");
                    target.remove(0, 1);
                }
                m_out.append('"');
                text(target.replace(u'"', QLatin1String("%22")));
                m_out.append("\"}}{\\fldrslt{");
                beforeField = m_current;
            }
            openHref = href;
        }
        for (const QString& name : fmt.anchorNames()) {
            m_out.append("{\\*\\bkmkstart ");
            text(name);
            m_out.append("}{\\*\\bkmkend ");
            text(name);
            m_out.append('}');
        }
        writeFragment(fragment);
    }
    if (!openHref.isEmpty()) {
        m_out.append("}}}");
        m_current = beforeField;
    }
    if (m_current != markProps)
        m_out.append(markProps);
    if (end) {
        m_out.append(end);
        m_out.append("\r\n");
    }
}

void Writer::writeFragment(const QTextFragment& fragment) {
    const QTextCharFormat fmt = fragment.charFormat();
    const QString s = fragment.text();
    if (fmt.isImageFormat()) {
        for (QChar ch : s)
            if (ch == QChar::ObjectReplacementCharacter)
                writePicture(fmt.toImageFormat());
        return;
    }
    const QByteArray& props = charProperties(fragment.charFormatIndex());
    if (props != m_current) {
        m_out.append(props);
        m_current = props;
    }
    if (endsWithControlWord(m_out))
        m_out.append(' ');
    text(s);
}

QFont Writer::resolvedFont(const QTextCharFormat& fmt) const {
    QFont font = fmt.font().resolve(m_doc.defaultFont());
    if (font.pointSizeF() <= 0 && font.pixelSize() > 0)
        font.setPointSizeF(font.pixelSize() * 0.75);
    if (font.pointSizeF() <= 0)
        font.setPointSizeF(12);
    return font;
}

const QByteArray& Writer::charProperties(int formatIndex) {
    auto it = m_charProps.find(formatIndex);
    if (it == m_charProps.end())
        it = m_charProps.insert(
            formatIndex, charPropertiesFor(m_doc.allFormats().at(formatIndex).toCharFormat()));
    return *it;
}

QByteArray Writer::charPropertiesFor(const QTextCharFormat& fmt) {
    const QFont font = resolvedFont(fmt);
    QByteArray p("\\plain");
    auto add = [&p](const char* w, int v) {
        p.append(w);
        p.append(QByteArray::number(v));
    };
    add("\\f", fontIndex(font.family()));
    add("\\fs", qMax(1, qRound(font.pointSizeF() * 2)));
    if (font.weight() >= QFont::DemiBold)
        p.append("\\b");
    if (font.italic())
        p.append("\\i");

    QTextCharFormat::UnderlineStyle ul = fmt.underlineStyle();
    if (ul == QTextCharFormat::NoUnderline && fmt.fontUnderline())
        ul = QTextCharFormat::SingleUnderline;
    switch (ul) {
    case QTextCharFormat::SingleUnderline:
        p.append("\\ul");
        break;
    case QTextCharFormat::DashUnderline:
        p.append("\\uldash");
        break;
    case QTextCharFormat::DotLine:
        p.append("\\uld");
        break;
    case QTextCharFormat::DashDotLine:
        p.append("\\uldashd");
        break;
    case QTextCharFormat::DashDotDotLine:
        p.append("\\uldashdd");
        break;
    case QTextCharFormat::WaveUnderline:
    case QTextCharFormat::SpellCheckUnderline:
        p.append("\\ulwave");
        break;
    default:
        break;
    }
    if (font.strikeOut())
        p.append("\\strike");
    if (font.capitalization() == QFont::AllUppercase)
        p.append("\\caps");
    else if (font.capitalization() == QFont::SmallCaps)
        p.append("\\scaps");
    if (fmt.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        p.append("\\super");
    else if (fmt.verticalAlignment() == QTextCharFormat::AlignSubScript)
        p.append("\\sub");
    if (fmt.foreground().style() != Qt::NoBrush)
        add("\\cf", colorIndex(fmt.foreground().color()));
    if (fmt.background().style() != Qt::NoBrush)
        add("\\chcbpat", colorIndex(fmt.background().color()));
    return p;
}

// ---- pictures ------------------------------------------------------------------------------

const Picture& Writer::picture(const QString& name) {
    auto it = m_pictures.constFind(name);
    if (it != m_pictures.constEnd())
        return *it;
    const TEncodedPicture encoded = EncodedPicture(m_doc, name);
    Picture pic;
    pic.data = encoded.data;
    pic.pixels = encoded.pixels;
    if (encoded.format == "png")
        pic.blipKeyword = "\\pngblip";
    else if (encoded.format == "jpeg")
        pic.blipKeyword = "\\jpegblip";
    return *m_pictures.insert(name, pic);
}

void Writer::writePicture(const QTextImageFormat& fmt) {
    const Picture& pic = picture(fmt.name());
    if (pic.blipKeyword.isEmpty())
        return; // a picture that cannot be found or decoded is left out

    // The shown size: the format's, else the picture's own; one given scales the other.
    double w = fmt.width();
    double h = fmt.height();
    const QSizeF natural = pic.pixels;
    if (w <= 0 && h <= 0) {
        w = natural.width();
        h = natural.height();
    } else if (w <= 0) {
        w = natural.height() > 0 ? h * natural.width() / natural.height() : h;
    } else if (h <= 0) {
        h = natural.width() > 0 ? w * natural.height() / natural.width() : w;
    }

    m_out.append("{\\pict");
    m_out.append(pic.blipKeyword);
    word("\\picw", pic.pixels.width());
    word("\\pich", pic.pixels.height());
    word("\\picwgoal", pxToTwips(w));
    word("\\pichgoal", pxToTwips(h));
    m_out.append("\r\n");
    // Hex digits in lines of 128, written straight into the grown buffer.
    static const char hex[] = "0123456789abcdef";
    const qsizetype n = pic.data.size();
    const qsizetype lines = (n + 63) / 64;
    qsizetype at = m_out.size();
    m_out.resize(at + n * 2 + lines * 2);
    char* dst = m_out.data() + at;
    const uchar* src = reinterpret_cast<const uchar*>(pic.data.constData());
    for (qsizetype i = 0; i < n; ++i) {
        *dst++ = hex[src[i] >> 4];
        *dst++ = hex[src[i] & 15];
        if (i % 64 == 63 || i == n - 1) {
            *dst++ = '\r';
            *dst++ = '\n';
        }
    }
    m_out.append('}');
}

} // namespace

QByteArray TRtfWriter::Write(const QTextDocument& doc, const TRtfPageSetup& page) {
    return Writer(doc, page).run();
}
