#include "print/pagewriter.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPen>
#include <QTextLayout>
#include <algorithm>

#if defined(__GLIBC__)
#include <cstdint>
#include <langinfo.h>
#endif

namespace {
// Splits text into paragraphs on any line break the user may have typed (CR LF, LF, CR and
// the Unicode separators) and makes tabs and stray control characters harmless.
QStringList paragraphs(const QString& text) {
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    t.replace(QChar::LineSeparator, QLatin1Char('\n'));
    t.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    t.replace(QLatin1Char('\t'), QStringLiteral("    "));
    for (QChar& c : t) {
        if (c != QLatin1Char('\n') && c.category() == QChar::Other_Control)
            c = QLatin1Char(' ');
    }
    return t.split(QLatin1Char('\n'));
}
} // namespace

TPageWriter::TPageWriter(QPainter& painter, QPagedPaintDevice& device)
    : m_painter(painter), m_device(device) {
    m_dpiX = device.logicalDpiX();
    m_dpiY = device.logicalDpiY();
    const QPageLayout layout = device.pageLayout();
    const QRectF full = layout.fullRect(QPageLayout::Inch);
    m_pageWidth = full.width();
    m_pageHeight = full.height();
    // A device that is not in full-page mode paints from its margins' corner.
    m_origin = layout.paintRect(QPageLayout::Inch).topLeft() - full.topLeft();
    m_x = m_margins.left();
    m_y = m_margins.top();
    m_font = QFont(sansFamily());
    m_font.setPointSizeF(10);
    m_font.setStyleStrategy(QFont::PreferOutline);
    applyFont();
}

TPageWriter::~TPageWriter() {
    finishPage();
}

void TPageWriter::setMargins(const QMarginsF& inches) {
    m_margins = inches;
    m_x = std::max(m_x, m_margins.left());
    m_y = std::max(m_y, m_margins.top());
}

void TPageWriter::setFont(double points, bool bold) {
    m_font.setPointSizeF(points);
    m_font.setBold(bold);
    applyFont();
}

void TPageWriter::setBold(bool bold) {
    m_font.setBold(bold);
    applyFont();
}

void TPageWriter::setItalic(bool italic) {
    m_font.setItalic(italic);
    applyFont();
}

void TPageWriter::setColor(const QColor& color) {
    m_color = color;
    applyFont();
}

void TPageWriter::applyFont() {
    m_painter.setFont(m_font);
    m_painter.setPen(m_color);
}

void TPageWriter::gotoXY(double x, double y) {
    m_x = x;
    m_y = y;
}

double TPageWriter::lineHeight() const {
    return QFontMetricsF(m_font, &m_device).lineSpacing() / m_dpiY;
}

double TPageWriter::ascent() const {
    return QFontMetricsF(m_font, &m_device).ascent() / m_dpiY;
}

double TPageWriter::textWidth(const QString& text) const {
    return QFontMetricsF(m_font, &m_device).horizontalAdvance(text) / m_dpiX;
}

QPointF TPageWriter::toDevice(double x, double y) const {
    return QPointF((x - m_origin.x()) * m_dpiX, (y - m_origin.y()) * m_dpiY);
}

void TPageWriter::print(const QString& text) {
    printAt(m_x, text);
    m_x += textWidth(text);
}

void TPageWriter::printLn(const QString& text) {
    print(text);
    newLine();
}

void TPageWriter::printAt(double x, const QString& text, Align align) {
    ensureSpace(lineHeight());
    double left = x;
    if (align == Align::Center)
        left = x - textWidth(text) / 2;
    else if (align == Align::Right)
        left = x - textWidth(text);
    m_painter.drawText(toDevice(left, m_y + ascent()), text);
}

void TPageWriter::printCenter(const QString& text) {
    printAt(m_pageWidth / 2, text, Align::Center);
}

void TPageWriter::newLine(int count) {
    m_y += lineHeight() * count;
    m_x = m_margins.left();
}

QStringList TPageWriter::wrapLines(const QString& text, double width) const {
    QStringList lines;
    const double widthPx = std::max(1.0, width * m_dpiX);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    for (const QString& para : paragraphs(text)) {
        if (para.trimmed().isEmpty()) {
            lines.append(QString());
            continue;
        }
        QTextLayout layout(para, m_font, &m_device);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(widthPx);
            QString piece = para.mid(line.textStart(), line.textLength());
            // The space a line was broken at belongs to neither line.
            while (!piece.isEmpty() && piece.back().isSpace())
                piece.chop(1);
            lines.append(piece);
        }
        layout.endLayout();
    }
    return lines;
}

void TPageWriter::wrapText(const QString& text, double left, double right) {
    const double height = lineHeight();
    const double top = ascent();
    for (const QString& line : wrapLines(text, right - left)) {
        ensureSpace(height);
        if (!line.isEmpty())
            m_painter.drawText(toDevice(left, m_y + top), line);
        m_y += height;
    }
    m_x = m_margins.left();
}

void TPageWriter::ensureSpace(double height) {
    // The header of a continued page draws at the top; it never starts another page.
    if (m_inHeader || m_y + height <= bottomLimit() + 1e-9)
        return;
    // A block taller than a page cannot be kept together; on a fresh page just go on.
    if (m_y <= m_margins.top() + 1e-9)
        return;
    newPage();
}

void TPageWriter::newPage() {
    finishPage();
    m_device.newPage();
    ++m_page;
    m_x = m_margins.left();
    m_y = m_margins.top();
    if (m_header) {
        // The header may change the font; the continued text keeps its own.
        const QFont font = m_font;
        const QColor color = m_color;
        m_inHeader = true;
        m_header(*this);
        m_inHeader = false;
        m_font = font;
        m_color = color;
        applyFont();
        m_x = m_margins.left();
    }
}

void TPageWriter::finishPage() {
    if (!m_pageNumbers)
        return;
    const QFont font = m_font;
    const QColor color = m_color;
    QFont small(sansFamily());
    small.setPointSizeF(8);
    m_painter.setFont(small);
    m_painter.setPen(QColor(0x55, 0x55, 0x55));
    const QString text = QStringLiteral("Page %1").arg(m_page);
    const QFontMetricsF fm(small, &m_device);
    const double width = fm.horizontalAdvance(text) / m_dpiX;
    const double baseline = m_pageHeight - m_margins.bottom() / 2 + fm.ascent() / m_dpiY / 2;
    m_painter.drawText(toDevice(m_pageWidth / 2 - width / 2, baseline), text);
    m_font = font;
    m_color = color;
    applyFont();
}

void TPageWriter::drawLine(double x1, double y1, double x2, double y2, double points) {
    m_painter.save();
    QPen pen(m_color);
    pen.setWidthF(points / 72.0 * m_dpiY);
    pen.setCapStyle(Qt::FlatCap);
    m_painter.setPen(pen);
    m_painter.drawLine(toDevice(x1, y1), toDevice(x2, y2));
    m_painter.restore();
}

QString TPageWriter::sansFamily() {
    static const QString family = [] {
        const QStringList families = QFontDatabase::families();
        for (const QString& name : {QStringLiteral("Arial"), QStringLiteral("Liberation Sans")}) {
            if (families.contains(name, Qt::CaseInsensitive))
                return name;
        }
        return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    }();
    return family;
}

QPageSize::PageSizeId TPageWriter::pageSizeForLocale(const QLocale& locale) {
    // The countries whose offices use Letter paper; everyone else uses A4.
    static const QLocale::Territory letter[] = {
        QLocale::UnitedStates, QLocale::Canada,      QLocale::Mexico,
        QLocale::PuertoRico,   QLocale::Philippines, QLocale::Chile,
        QLocale::Colombia,     QLocale::Venezuela,   QLocale::CostaRica,
        QLocale::Guatemala,    QLocale::ElSalvador,  QLocale::Panama,
        QLocale::Nicaragua,    QLocale::Honduras,    QLocale::DominicanRepublic,
        QLocale::Belize,
    };
    if (locale.measurementSystem() == QLocale::ImperialUSSystem)
        return QPageSize::Letter;
    return std::find(std::begin(letter), std::end(letter), locale.territory()) != std::end(letter)
               ? QPageSize::Letter
               : QPageSize::A4;
}

QPageSize::PageSizeId TPageWriter::systemPageSize() {
#if defined(__GLIBC__) && defined(_NL_PAPER_WIDTH)
    const auto width =
        static_cast<int>(reinterpret_cast<std::intptr_t>(nl_langinfo(_NL_PAPER_WIDTH)));
    const auto height =
        static_cast<int>(reinterpret_cast<std::intptr_t>(nl_langinfo(_NL_PAPER_HEIGHT)));
    if (width == 216 && height == 279)
        return QPageSize::Letter;
    if (width == 210 && height == 297)
        return QPageSize::A4;
#endif
    return pageSizeForLocale(QLocale::system());
}
