#pragma once

#include <QColor>
#include <QFont>
#include <QMarginsF>
#include <QPageSize>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <functional>

class QLocale;
class QPagedPaintDevice;
class QPainter;

// Draws a code-drawn printout on a paged device (a PDF file or a printer). Positions are in
// inches from the paper's top-left corner, whatever the device's resolution or margins, so a
// page looks the same in a PDF file, the preview and on paper. y is the top of the current
// line. Drawing a line that would pass the bottom margin first starts a new page, so text
// continues over as many pages as it needs and no empty page is left at the end.
//
//   void draw(QPainter& p, QPagedPaintDevice& d) {
//       TPageWriter w(p, d);
//       w.gotoXY(0.5, 0.3);
//       w.setFont(14, true);
//       w.printCenter(title);
//       w.newLine();
//       w.setFont(10);
//       w.wrapText(longText); // between 0.5 and 7.0 inches
//   }
class TPageWriter {
public:
    enum class Align { Left, Center, Right };

    // The painter must be active on the device. The writer starts at the top-left margin
    // with Arial 10 point.
    TPageWriter(QPainter& painter, QPagedPaintDevice& device);
    // Finishes the last page (its page number).
    ~TPageWriter();
    TPageWriter(const TPageWriter&) = delete;
    TPageWriter& operator=(const TPageWriter&) = delete;

    // Paper and margins, in inches. Margins default to 0.5 on every side.
    double pageWidth() const { return m_pageWidth; }
    double pageHeight() const { return m_pageHeight; }
    void setMargins(const QMarginsF& inches);
    QMarginsF margins() const { return m_margins; }
    double bottomLimit() const { return m_pageHeight - m_margins.bottom(); }

    // Font: Arial (or its metric twin where Arial is absent), in points.
    void setFont(double points, bool bold = false);
    void setBold(bool bold);
    void setItalic(bool italic);
    const QFont& font() const { return m_font; }
    void setColor(const QColor& color);

    // Position of the current line.
    double x() const { return m_x; }
    double y() const { return m_y; }
    void gotoXY(double x, double y);
    void setX(double x) { m_x = x; }
    void setY(double y) { m_y = y; }

    // Height of one line of the current font and its ascent (top of line to baseline), inches.
    double lineHeight() const;
    double ascent() const;
    double textWidth(const QString& text) const;

    // Text on the current line. print() draws at x and moves x past the text; printAt()
    // aligns the text's left edge, centre or right edge on x and leaves x alone.
    void print(const QString& text);
    void printLn(const QString& text);
    void printAt(double x, const QString& text, Align align = Align::Left);
    void printCenter(const QString& text); // centred on the paper
    // Moves to the start (left margin) of the next line.
    void newLine(int count = 1);

    // Word-wraps text between left and right (inches), starting on the current line and
    // continuing on new pages while text remains; afterwards the current line is the one
    // below the block. Line breaks in the text are kept; a word wider than the block is
    // broken where it must be.
    void wrapText(const QString& text, double left = 0.5, double right = 7.0);
    // The lines wrapText() would draw, for measuring.
    QStringList wrapLines(const QString& text, double width) const;

    // Starts a new page when less than height inches are left above the bottom margin
    // (keeps a heading with the lines that follow it).
    void ensureSpace(double height);
    void newPage();
    int pageNumber() const { return m_page; }

    // A page number ("Page n") centred in the bottom margin of every page.
    void setPageNumbers(bool on) { m_pageNumbers = on; }
    // Drawn at the top of every page after the first, before the continued text.
    void setPageHeader(std::function<void(TPageWriter&)> header) { m_header = std::move(header); }

    // A line (thickness in points) between two points in inches.
    void drawLine(double x1, double y1, double x2, double y2, double points = 0.5);

    QPainter& painter() { return m_painter; }
    // Converts inches on the paper to the painter's device coordinates.
    QPointF toDevice(double x, double y) const;

    // "Arial" when installed, else the metric-compatible Liberation Sans (or the default
    // sans-serif face as a last resort).
    static QString sansFamily();
    // The paper a locale uses: Letter in the Americas' Letter countries, A4 elsewhere.
    static QPageSize::PageSizeId pageSizeForLocale(const QLocale& locale);
    // The paper of the user's environment (LC_PAPER where the C library tells it, else the
    // locale's territory).
    static QPageSize::PageSizeId systemPageSize();

private:
    void applyFont();
    void finishPage();

    QPainter& m_painter;
    QPagedPaintDevice& m_device;
    double m_dpiX = 72;
    double m_dpiY = 72;
    QPointF m_origin; // the device origin on the paper, inches
    double m_pageWidth = 0;
    double m_pageHeight = 0;
    QMarginsF m_margins{0.5, 0.5, 0.5, 0.5};
    QFont m_font;
    QColor m_color = Qt::black;
    double m_x = 0.5;
    double m_y = 0.5;
    int m_page = 1;
    bool m_pageNumbers = false;
    bool m_inHeader = false;
    std::function<void(TPageWriter&)> m_header;
};
