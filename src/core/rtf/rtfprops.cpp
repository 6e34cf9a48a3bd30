#include "rtf/rtfprops.h"

#include <QTextBlockFormat>
#include <QTextTableFormat>

namespace {
QColor ColorAt(const QList<QColor>& colors, int index) {
    return index > 0 && index < colors.size() ? colors.at(index) : QColor();
}
} // namespace

QTextCharFormat MakeCharFormat(const TRtfCharProps& ch, const QHash<int, TRtfFont>& fonts,
                               const QList<QColor>& colors) {
    QTextCharFormat f;
    if (const auto it = fonts.constFind(ch.font); it != fonts.cend() && !it->name.isEmpty())
        f.setFontFamilies({it->name});
    f.setFontPointSize(ch.halfPoints / 2.0);
    f.setFontWeight(ch.bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(ch.italic);
    f.setFontStrikeOut(ch.strike);
    f.setUnderlineStyle(ch.underline);
    if (const QColor c = ColorAt(colors, ch.underlineColor); c.isValid())
        f.setUnderlineColor(c);
    if (const QColor c = ColorAt(colors, ch.foreground); c.isValid())
        f.setForeground(c);
    if (const QColor c = ColorAt(colors, ch.background); c.isValid())
        f.setBackground(c);
    if (ch.vAlign != QTextCharFormat::AlignNormal)
        f.setVerticalAlignment(ch.vAlign);
    if (ch.caps != QFont::MixedCase)
        f.setFontCapitalization(ch.caps);
    if (!ch.href.isEmpty()) {
        f.setAnchor(true);
        f.setAnchorHref(ch.href);
    }
    return f;
}

QTextBlockFormat MakeBlockFormat(const TRtfParaProps& para, bool inList) {
    QTextBlockFormat f;
    f.setAlignment(para.align);
    // A list draws its own marker in the hanging indent, so the paragraph's indents would
    // count twice.
    if (!inList) {
        f.setLeftMargin(TwipsToPx(qMax(0, para.left)));
        f.setTextIndent(TwipsToPx(para.firstLine));
    }
    f.setRightMargin(TwipsToPx(qMax(0, para.right)));
    f.setTopMargin(TwipsToPx(qMax(0, para.spaceBefore)));
    f.setBottomMargin(TwipsToPx(qMax(0, para.spaceAfter)));
    if (para.lineSpacing != 0) {
        if (para.lineMultiple && para.lineSpacing > 0)
            f.setLineHeight(para.lineSpacing * 100.0 / 240.0, QTextBlockFormat::ProportionalHeight);
        else if (para.lineSpacing > 0)
            f.setLineHeight(TwipsToPx(para.lineSpacing), QTextBlockFormat::MinimumHeight);
        else
            f.setLineHeight(TwipsToPx(-para.lineSpacing), QTextBlockFormat::FixedHeight);
    }
    if (para.keepTogether)
        f.setNonBreakableLines(true);
    if (para.breakBefore)
        f.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    if (!para.tabs.isEmpty())
        f.setTabPositions(para.tabs);
    if (para.heading > 0)
        f.setHeadingLevel(para.heading);
    return f;
}

TRtfListKind ListKindForNfc(int nfc) {
    switch (nfc) {
    case 0:
        return TRtfListKind::Decimal;
    case 1:
        return TRtfListKind::UpperRoman;
    case 2:
        return TRtfListKind::LowerRoman;
    case 3:
        return TRtfListKind::UpperAlpha;
    case 4:
        return TRtfListKind::LowerAlpha;
    case 23:
        return TRtfListKind::Bullet;
    case 255:
        return TRtfListKind::None;
    }
    return TRtfListKind::Decimal;
}

qreal TableLineWidth(const QTextTableFormat& table) {
    return table.borderCollapse() ? table.border() : 2 * table.border();
}
