#pragma once

#include <QColor>
#include <QList>
#include <QTextCursor>

class QTextTable;

// One cell as the row definition (\trowd ... \cellx) describes it.
struct TRtfCellDef {
    int rightEdge = 0;                            // twips
    bool mergeFirst = false, mergeNext = false;   // horizontal \clmgf / \clmrg
    bool vMergeFirst = false, vMergeNext = false; // \clvmgf / \clvmrg
    QColor background;
    int border[4] = {-1, -1, -1, -1}; // top, left, bottom, right in twips; -1 = none
    QColor borderColor[4];            // invalid: black
    int vAlign = 0;                   // 0 top, 1 centre, 2 bottom
};

struct TRtfRowDef {
    QList<TRtfCellDef> cells;
    TRtfCellDef pending; // properties of the cell whose \cellx has not come yet
    int gap = 108;       // \trgaph, half the space between cells
    int left = 0;        // \trleft: the row's left edge from the margin
    Qt::Alignment align = Qt::AlignLeft;
    bool header = false; // \trhdr: repeated at the top of every page the table continues on
};

// Builds QTextTables as RTF's table paragraphs arrive: a table opens when a paragraph of a
// deeper table level starts, a row when content follows a finished row, and each \cell,
// \row moves on. Row properties come from the row definition current at the row's end,
// since writers put it before the row, after it (nested tables), or both.
class TRtfTableBuilder {
public:
    static constexpr int MaxDepth = 8;
    static constexpr int MaxColumns = 63;
    // Longer tables continue in a new table: QTextTable's grid is rebuilt on every change.
    static constexpr int MaxRows = 1000;
    // Cells a document may hold in tables. Laying out a table costs far more per character
    // than body text, and every level of nesting doubles the cost of the cells inside, so a
    // cell counts 2^(depth - 1). Beyond this, table content continues as paragraphs with a
    // tab between cells: a hostile file cannot make the document take minutes to display.
    static constexpr qint64 MaxCells = 20000;
    static constexpr int MaxRowSpan = 100;
    // Rows are added in growing batches (doubling up to this many) and the unused ones removed
    // when the table ends: adding a row rebuilds the table's grid, which made long tables
    // quadratic, while removing a large surplus made the many small tables of a letter slow.
    static constexpr int RowChunk = 64;

    explicit TRtfTableBuilder(QTextCursor* cursor) : m_cursor(cursor) {}

    int depth() const { return int(m_tables.size()); }
    // True once the document's tables hold MaxCells cells; all later content is body text.
    bool exhausted() const { return m_cells >= MaxCells; }
    // Counts cells added to the table at the given depth (1 = outermost).
    void countCells(qint64 cells, int depth) { m_cells += cells << qBound(0, depth - 1, 30); }
    // Makes the cursor sit where content of the given table level goes, opening or closing
    // tables and starting rows as needed.
    void ensureLevel(int level, const TRtfRowDef& def);
    void endCell(int level, const TRtfRowDef& def);
    void endRow(int level, const TRtfRowDef& def);
    // Removes the rows added ahead that no content reached, in every open table. Called
    // once the input ends; the cursor stays where it is.
    void finish();
    // Counts the times the builder moved the cursor or changed the paragraphs around it:
    // while it stays the same, the cursor is in the paragraph it was in.
    int moves() const { return m_moves; }

private:
    struct Table {
        QTextTable* table = nullptr;
        int row = 0;
        int col = 0;
        bool rowOpen = false;
        bool cellPending = false; // a \cell moved on; the next cell exists once content comes
        bool deeperInRow = false; // a nested table came in the current row
        TRtfRowDef rowStartDef;   // the row definition in force when the row began
        QList<int> vMergeStart;
    };
    void openTable(const TRtfRowDef& def);
    void closeTable();
    static void trimRows(Table& t);
    void startRow(const TRtfRowDef& def);
    void applyRowDef(Table& t, const TRtfRowDef& def);
    void moveToCell(Table& t);

    QTextCursor* m_cursor;
    QList<Table> m_tables;
    qint64 m_cells = 0;
    int m_moves = 0;
};
