#include "pdftext.h"
#include "print/pagewriter.h"
#include "print/reportoutput.h"

#include <QLocale>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {
// Numbered paragraphs whose numbers show where a page ended and the next one went on.
QString numberedParagraphs(int count) {
    QStringList paras;
    for (int i = 1; i <= count; ++i)
        paras << QStringLiteral("P%1 begins a paragraph that is long enough to wrap onto a "
                                "second line within the block, and then it ends.")
                     .arg(i, 3, 10, QLatin1Char('0'));
    return paras.join(QStringLiteral("\r\n"));
}

QList<int> paragraphNumbers(const QString& text) {
    QList<int> numbers;
    auto it = QRegularExpression(QStringLiteral("\\bP(\\d{3})\\b")).globalMatch(text);
    while (it.hasNext())
        numbers << it.next().captured(1).toInt();
    return numbers;
}
} // namespace

class TestPageWriter : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { TReportOutput::setTesting(true); }

    void wrapKeepsWordsWhole_data();
    void wrapKeepsWordsWhole();
    void wrapKeepsLineBreaks_data();
    void wrapKeepsLineBreaks();
    void wrapBreaksOverlongWord();
    void textContinuesOverPages();
    void pageNumbersAndContinuedHeader();
    void samePlaceOnPdfAndPrinter();
    void pageSizeForLocale_data();
    void pageSizeForLocale();

private:
    QTemporaryDir m_dir;
};

// A measuring writer on a throw-away PDF.
#define WITH_WRITER(w)                                                                             \
    QPdfWriter pdf(m_dir.filePath(QStringLiteral("measure.pdf")));                                 \
    QPainter painter(&pdf);                                                                        \
    TPageWriter w(painter, pdf)

void TestPageWriter::wrapKeepsWordsWhole_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("width");
    const QString prose = QStringLiteral(
        "The quarterly review covered receivables, the new lease and the staffing plan; "
        "the client asked for a written summary before the next meeting in September.");
    QTest::newRow("full block") << prose << 6.5;
    QTest::newRow("narrow block") << prose << 1.2;
    QTest::newRow("accents") << QStringLiteral("Émile Zoë Ångström façade naïve coöperate "
                                               "déjà vu señor über Œuvre")
                             << 1.5;
    QTest::newRow("several spaces") << QStringLiteral("word   word     word word   word") << 0.8;
}

void TestPageWriter::wrapKeepsWordsWhole() {
    QFETCH(QString, text);
    QFETCH(double, width);
    WITH_WRITER(w);
    const QStringList lines = w.wrapLines(text, width);
    QVERIFY(!lines.isEmpty());
    const QStringList words = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QStringList seen;
    for (const QString& line : lines) {
        QVERIFY2(w.textWidth(line) <= width + 1e-6, qPrintable(line));
        QVERIFY2(!line.startsWith(QLatin1Char(' ')) && !line.endsWith(QLatin1Char(' ')),
                 qPrintable(line));
        seen += line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    }
    // Every word arrives whole, in order, once.
    QCOMPARE(seen, words);
}

void TestPageWriter::wrapKeepsLineBreaks_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    const QStringList expected{QStringLiteral("Dear Sir"), QString(), QStringLiteral("Thanks"),
                               QStringLiteral("Ann")};
    QTest::newRow("CR LF") << QStringLiteral("Dear Sir\r\n\r\nThanks\r\nAnn") << expected;
    QTest::newRow("LF") << QStringLiteral("Dear Sir\n\nThanks\nAnn") << expected;
    QTest::newRow("CR") << QStringLiteral("Dear Sir\r\rThanks\rAnn") << expected;
    QTest::newRow("paragraph separators")
        << QStringLiteral("Dear Sir\u2029\u2029Thanks\u2028Ann") << expected;
    QTest::newRow("tab") << QStringLiteral("a\tb") << QStringList{QStringLiteral("a    b")};
    QTest::newRow("empty") << QString() << QStringList{QString()};
}

void TestPageWriter::wrapKeepsLineBreaks() {
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    WITH_WRITER(w);
    QCOMPARE(w.wrapLines(text, 6.5), lines);
}

void TestPageWriter::wrapBreaksOverlongWord() {
    WITH_WRITER(w);
    const QString word(300, QLatin1Char('x'));
    const QStringList lines = w.wrapLines(QStringLiteral("short ") + word, 1.0);
    QVERIFY(lines.size() > 2);
    QCOMPARE(lines.first(), QStringLiteral("short"));
    for (const QString& line : lines)
        QVERIFY(w.textWidth(line) <= 1.0 + 1e-6);
    QCOMPARE(lines.mid(1).join(QString()), word);
}

void TestPageWriter::textContinuesOverPages() {
    const QString path = m_dir.filePath(QStringLiteral("long.pdf"));
    int lastPage = 0;
    double yAfter = 0;
    QString error;
    QVERIFY2(TReportOutput::WritePdf(
                 path, QStringLiteral("Long"),
                 [&](QPainter& p, QPagedPaintDevice& d) {
                     TPageWriter w(p, d);
                     w.gotoXY(0.5, 0.3);
                     w.wrapText(numberedParagraphs(60));
                     lastPage = w.pageNumber();
                     yAfter = w.y();
                 },
                 &error),
             qPrintable(error));

    QVERIFY(lastPage >= 2);
    // No empty page at the end, and the writer's position is on the last page.
    QCOMPARE(PdfText::pageCount(path), lastPage);
    QVERIFY(yAfter > 0.5 && yAfter < 11.0);

    // Every paragraph once, in order, the text of each page going on where the last stopped.
    QList<int> all;
    for (int page = 1; page <= lastPage; ++page) {
        const QList<int> numbers = paragraphNumbers(PdfText::text(path, page));
        QVERIFY2(!numbers.isEmpty(), qPrintable(QString::number(page)));
        if (!all.isEmpty())
            QVERIFY(numbers.first() == all.last() || numbers.first() == all.last() + 1);
        all += numbers;
    }
    QList<int> expected;
    for (int i = 1; i <= 60; ++i)
        expected << i;
    QCOMPARE(all, expected);
}

void TestPageWriter::pageNumbersAndContinuedHeader() {
    const QString path = m_dir.filePath(QStringLiteral("numbered.pdf"));
    QVERIFY(TReportOutput::WritePdf(
        path, QStringLiteral("Numbered"), [&](QPainter& p, QPagedPaintDevice& d) {
            TPageWriter w(p, d);
            w.setPageNumbers(true);
            w.setPageHeader([](TPageWriter& h) { h.printLn(QStringLiteral("Continuedheader")); });
            w.wrapText(numberedParagraphs(60));
        }));
    QCOMPARE(PdfText::pageCount(path), 2);
    const QString first = PdfText::text(path, 1);
    const QString second = PdfText::text(path, 2);
    QVERIFY(first.contains(QStringLiteral("Page 1")));
    QVERIFY(!first.contains(QStringLiteral("Continuedheader")));
    QVERIFY(second.contains(QStringLiteral("Page 2")));
    QVERIFY(second.contains(QStringLiteral("Continuedheader")));
}

void TestPageWriter::samePlaceOnPdfAndPrinter() {
    const auto draw = [](QPainter& p, QPagedPaintDevice& d) {
        TPageWriter w(p, d);
        w.gotoXY(1.0, 2.0);
        w.print(QStringLiteral("Marker"));
    };
    const QString pdfPath = m_dir.filePath(QStringLiteral("direct.pdf"));
    const QString printerPath = m_dir.filePath(QStringLiteral("printer.pdf"));
    QVERIFY(TReportOutput::WritePdf(pdfPath, QStringLiteral("Marker"), draw));
    TReportOutput::setNextChoice({TOutputKind::Printer, printerPath});
    QCOMPARE(TReportOutput::Run(nullptr, QStringLiteral("Marker"), draw),
             TReportOutput::Result::Done);

    // One inch from the left edge, whatever the device's resolution and margins.
    const QPointF direct = PdfText::wordPosition(pdfPath, QStringLiteral("Marker"));
    const QPointF printed = PdfText::wordPosition(printerPath, QStringLiteral("Marker"));
    QVERIFY2(qAbs(direct.x() - 72) < 1.5, qPrintable(QString::number(direct.x())));
    QVERIFY(direct.y() > 144 && direct.y() < 144 + 10);
    QVERIFY(qAbs(printed.x() - direct.x()) < 0.5);
    QVERIFY(qAbs(printed.y() - direct.y()) < 0.5);

    // The paper of the locale, and Arial or its metric twin embedded.
    const QSizeF paper = QPageSize(TPageWriter::systemPageSize()).size(QPageSize::Point);
    QVERIFY(qAbs(PdfText::pageSize(pdfPath).width() - paper.width()) < 1);
    QVERIFY(qAbs(PdfText::pageSize(pdfPath).height() - paper.height()) < 1);
    QVERIFY(PdfText::fonts(pdfPath).contains(
        QString(TPageWriter::sansFamily()).remove(QLatin1Char(' '))));
}

void TestPageWriter::pageSizeForLocale_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<int>("size");
    QTest::newRow("United States") << QStringLiteral("en_US") << int(QPageSize::Letter);
    QTest::newRow("Canada (French)") << QStringLiteral("fr_CA") << int(QPageSize::Letter);
    QTest::newRow("Mexico") << QStringLiteral("es_MX") << int(QPageSize::Letter);
    QTest::newRow("United Kingdom") << QStringLiteral("en_GB") << int(QPageSize::A4);
    QTest::newRow("Germany") << QStringLiteral("de_DE") << int(QPageSize::A4);
    QTest::newRow("Australia") << QStringLiteral("en_AU") << int(QPageSize::A4);
}

void TestPageWriter::pageSizeForLocale() {
    QFETCH(QString, locale);
    QFETCH(int, size);
    QCOMPARE(int(TPageWriter::pageSizeForLocale(QLocale(locale))), size);
}

QTEST_MAIN(TestPageWriter)
#include "tst_pagewriter.moc"
