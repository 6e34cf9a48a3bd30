#pragma once

#include <QColor>
#include <QFont>
#include <QHash>
#include <QList>
#include <QString>
#include <QTextCharFormat>
#include <QTextOption>

class QTextBlockFormat;
class QTextTableFormat;

// Character and paragraph properties as an RTF group carries them; plain values so a group
// can copy them cheaply, turned into Qt formats only when text is inserted.

// RTF measures in twips; the document in pixels at 96 dpi.
inline qreal TwipsToPx(int twips) {
    return twips / 15.0;
}

// The width of the line a table's own border draws round and between its cells. Separate
// borders are drawn round every cell, so two cells side by side show the width twice.
qreal TableLineWidth(const QTextTableFormat& table);

struct TRtfCharProps {
    int font = -1;
    int halfPoints = 24;
    bool bold = false;
    bool italic = false;
    bool strike = false;
    bool hidden = false;
    QTextCharFormat::UnderlineStyle underline = QTextCharFormat::NoUnderline;
    int foreground = 0; // colour table index, 0 = automatic
    int background = 0;
    int underlineColor = 0;
    QTextCharFormat::VerticalAlignment vAlign = QTextCharFormat::AlignNormal;
    QFont::Capitalization caps = QFont::MixedCase;
    QString href;

    bool operator==(const TRtfCharProps&) const = default;
};

enum class TRtfListKind : quint8 {
    None,
    Bullet,
    Decimal,
    UpperRoman,
    LowerRoman,
    UpperAlpha,
    LowerAlpha
};

struct TRtfParaProps {
    Qt::Alignment align = Qt::AlignLeft;
    int left = 0, right = 0, firstLine = 0;
    int spaceBefore = 0, spaceAfter = 0;
    int lineSpacing = 0;
    bool lineMultiple = false;
    bool keepTogether = false;
    bool breakBefore = false;
    bool inTable = false;
    int nestLevel = 0;    // \itap
    int listOverride = 0; // \ls
    int listLevel = 0;
    int style = -1;
    int heading = 0;
    TRtfListKind oldListKind = TRtfListKind::None; // legacy \pn numbering
    int oldListStart = 1;
    QString oldListBefore, oldListAfter; // the number's surrounding text
    QList<QTextOption::Tab> tabs;
    QTextOption::TabType nextTabType = QTextOption::LeftTab;

    bool operator==(const TRtfParaProps&) const = default;

    // The table depth this paragraph belongs to (0 = body text).
    int tableLevel() const { return nestLevel > 0 ? nestLevel : (inTable ? 1 : 0); }
};

struct TRtfFont {
    QString name;
    int codepage = 0; // 0 = the document's code page
};

QTextCharFormat MakeCharFormat(const TRtfCharProps& ch, const QHash<int, TRtfFont>& fonts,
                               const QList<QColor>& colors);
QTextBlockFormat MakeBlockFormat(const TRtfParaProps& para, bool inList);

// The list kind of a \levelnfc number format.
TRtfListKind ListKindForNfc(int nfc);
