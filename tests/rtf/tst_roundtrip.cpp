// Documents written as RTF and read back: the same text and formats, and writing the read
// document again gives the same bytes.
#if __has_include("rtf/rtfreader.h")
#include "rtf/rtfreader.h"
#define HAVE_RTF_READER 1
#else
#define HAVE_RTF_READER 0
#endif

#include "rtf/plaintext.h"
#include "rtf/rtfwriter.h"
#include "sampledoc.h"

#include <QBuffer>
#include <QImage>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>
#include <functional>

using Builder = std::function<void(QTextDocument*)>;
Q_DECLARE_METATYPE(Builder)

namespace {

void withFormat(QTextDocument* doc, const std::function<void(QTextCharFormat&)>& setup) {
    QTextCursor c(doc);
    c.insertText(QStringLiteral("before "));
    QTextCharFormat f;
    setup(f);
    c.insertText(QStringLiteral("formatted"), f);
    c.insertText(QStringLiteral(" after"), QTextCharFormat());
}

void withBlockFormat(QTextDocument* doc, const std::function<void(QTextBlockFormat&)>& setup) {
    QTextCursor c(doc);
    c.insertText(QStringLiteral("first"));
    QTextBlockFormat f;
    setup(f);
    c.insertBlock(f);
    c.insertText(QStringLiteral("second"));
    c.insertBlock(QTextBlockFormat());
    c.insertText(QStringLiteral("third"));
}

struct Shape {
    int blocks = 0;
    int tables = 0;
    int listItems = 0;
    int images = 0;
    QList<QSize> tableSizes;
};

void shapeOf(const QTextFrame* frame, Shape& s) {
    if (auto* t = qobject_cast<const QTextTable*>(frame)) {
        ++s.tables;
        s.tableSizes.append(QSize(t->columns(), t->rows()));
    }
    for (auto it = frame->begin(); !it.atEnd(); ++it) {
        if (it.currentFrame()) {
            shapeOf(it.currentFrame(), s);
            continue;
        }
        const QTextBlock b = it.currentBlock();
        ++s.blocks;
        if (b.textList())
            ++s.listItems;
        for (auto f = b.begin(); !f.atEnd(); ++f)
            if (f.fragment().charFormat().isImageFormat())
                s.images += int(f.fragment().text().count(QChar::ObjectReplacementCharacter));
    }
}

} // namespace

class TestRoundTrip : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void documents_data();
    void documents();
    void pageSetup_data();
    void pageSetup();
    void formatsSurvive();
    void picturesSurvive();
};

void TestRoundTrip::initTestCase() {
    if (!HAVE_RTF_READER)
        QSKIP("The RTF reader is not part of this build");
}

void TestRoundTrip::documents_data() {
    QTest::addColumn<Builder>("build");
    auto text = [](const QString& s) {
        return Builder([s](QTextDocument* d) { QTextCursor(d).insertText(s); });
    };
    QTest::newRow("empty") << Builder([](QTextDocument*) {});
    QTest::newRow("paragraphs") << text(QStringLiteral("one\ntwo\n\n  four  "));
    QTest::newRow("special characters") << text(QStringLiteral("{braces} \\back\\ \ttab"));
    QTest::newRow("line break") << text(QStringLiteral("a") + QChar(QChar::LineSeparator) +
                                        QStringLiteral("b"));
    QTest::newRow("windows-1252") << text(QStringLiteral("café € – “quoted” naïve"));
    QTest::newRow("beyond 1252") << text(QStringLiteral("Čeština, Ελληνικά, 日本語, ") +
                                         QString::fromUtf8("\xf0\x9f\x98\x80"));
    QTest::newRow("no-break space") << text(QStringLiteral("10\u00a0kg"));

    auto fmt = [](std::function<void(QTextCharFormat&)> setup) {
        return Builder([setup](QTextDocument* d) { withFormat(d, setup); });
    };
    QTest::newRow("bold") << fmt([](QTextCharFormat& f) { f.setFontWeight(QFont::Bold); });
    QTest::newRow("italic") << fmt([](QTextCharFormat& f) { f.setFontItalic(true); });
    QTest::newRow("underline") << fmt([](QTextCharFormat& f) { f.setFontUnderline(true); });
    QTest::newRow("dotted underline")
        << fmt([](QTextCharFormat& f) { f.setUnderlineStyle(QTextCharFormat::DotLine); });
    QTest::newRow("wave underline")
        << fmt([](QTextCharFormat& f) { f.setUnderlineStyle(QTextCharFormat::WaveUnderline); });
    QTest::newRow("strike") << fmt([](QTextCharFormat& f) { f.setFontStrikeOut(true); });
    QTest::newRow("colour") << fmt([](QTextCharFormat& f) { f.setForeground(QColor(1, 99, 7)); });
    QTest::newRow("background") << fmt(
        [](QTextCharFormat& f) { f.setBackground(QColor(255, 255, 0)); });
    QTest::newRow("superscript") << fmt(
        [](QTextCharFormat& f) { f.setVerticalAlignment(QTextCharFormat::AlignSuperScript); });
    QTest::newRow("subscript") << fmt(
        [](QTextCharFormat& f) { f.setVerticalAlignment(QTextCharFormat::AlignSubScript); });
    QTest::newRow("caps") << fmt(
        [](QTextCharFormat& f) { f.setFontCapitalization(QFont::AllUppercase); });
    QTest::newRow("small caps") << fmt(
        [](QTextCharFormat& f) { f.setFontCapitalization(QFont::SmallCaps); });
    QTest::newRow("font and size") << fmt([](QTextCharFormat& f) {
        f.setFontFamilies({QStringLiteral("Liberation Serif")});
        f.setFontPointSize(14.5);
    });

    auto block = [](std::function<void(QTextBlockFormat&)> setup) {
        return Builder([setup](QTextDocument* d) { withBlockFormat(d, setup); });
    };
    QTest::newRow("centred") << block(
        [](QTextBlockFormat& f) { f.setAlignment(Qt::AlignHCenter); });
    QTest::newRow("right") << block([](QTextBlockFormat& f) { f.setAlignment(Qt::AlignRight); });
    QTest::newRow("justified") << block(
        [](QTextBlockFormat& f) { f.setAlignment(Qt::AlignJustify); });
    QTest::newRow("indents") << block([](QTextBlockFormat& f) {
        f.setLeftMargin(30);
        f.setRightMargin(15);
        f.setTextIndent(-10);
    });
    QTest::newRow("spacing") << block([](QTextBlockFormat& f) {
        f.setTopMargin(8);
        f.setBottomMargin(4);
    });
    QTest::newRow("line height") << block(
        [](QTextBlockFormat& f) { f.setLineHeight(200, QTextBlockFormat::ProportionalHeight); });
    QTest::newRow("exact line height")
        << block([](QTextBlockFormat& f) { f.setLineHeight(18, QTextBlockFormat::FixedHeight); });
    QTest::newRow("page break before") << block(
        [](QTextBlockFormat& f) { f.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore); });
    QTest::newRow("keep together")
        << block([](QTextBlockFormat& f) { f.setNonBreakableLines(true); });

    QTest::newRow("nested lists") << Builder([](QTextDocument* d) {
        QTextCursor c(d);
        c.insertText(QStringLiteral("Intro"));
        c.insertBlock();
        QTextListFormat outer;
        outer.setStyle(QTextListFormat::ListDecimal);
        c.createList(outer);
        c.insertText(QStringLiteral("one"));
        c.insertBlock();
        QTextListFormat inner;
        inner.setStyle(QTextListFormat::ListLowerAlpha);
        inner.setIndent(2);
        c.createList(inner);
        c.insertText(QStringLiteral("one a"));
        c.insertBlock();
        c.insertText(QStringLiteral("one b"));
    });
    QTest::newRow("table with spans") << Builder([](QTextDocument* d) {
        QTextCursor c(d);
        QTextTable* t = c.insertTable(3, 3);
        for (int i = 0; i < 9; ++i)
            t->cellAt(i / 3, i % 3).firstCursorPosition().insertText(QString::number(i));
        t->mergeCells(0, 0, 1, 2);
        t->mergeCells(1, 2, 2, 1);
        QTextTableCellFormat shade;
        shade.setBackground(QColor(200, 220, 240));
        t->cellAt(2, 0).setFormat(shade);
    });
    // The paragraph before a table is written with its mark; reading must not add another.
    QTest::newRow("table after text") << Builder([](QTextDocument* d) {
        QTextCursor c(d);
        c.insertText(QStringLiteral("Intro"));
        QTextTable* t = c.insertTable(1, 2);
        t->cellAt(0, 0).firstCursorPosition().insertText(QStringLiteral("a"));
        t->cellAt(0, 1).firstCursorPosition().insertText(QStringLiteral("b"));
    });
    QTest::newRow("nested table") << Builder([](QTextDocument* d) {
        QTextCursor c(d);
        QTextTable* outer = c.insertTable(1, 2);
        outer->cellAt(0, 0).firstCursorPosition().insertText(QStringLiteral("left"));
        QTextTableFormat padded;
        padded.setCellPadding(6);
        QTextTable* inner = outer->cellAt(0, 1).firstCursorPosition().insertTable(1, 2, padded);
        inner->cellAt(0, 0).firstCursorPosition().insertText(QStringLiteral("in A"));
        inner->cellAt(0, 1).firstCursorPosition().insertText(QStringLiteral("in B"));
    });
    QTest::newRow("column widths and borders") << Builder([](QTextDocument* d) {
        QTextTableFormat f;
        f.setCellPadding(4);
        f.setBorder(2);
        f.setBorderBrush(QColor(0, 128, 0));
        f.setColumnWidthConstraints({QTextLength(QTextLength::FixedLength, 100),
                                     QTextLength(QTextLength::FixedLength, 240)});
        QTextTable* t = QTextCursor(d).insertTable(2, 2, f);
        t->cellAt(1, 1).firstCursorPosition().insertText(QStringLiteral("x"));
    });
    // A photo stays a JPEG, byte for byte: encoding it again as PNG would change it and make
    // the file several times larger.
    QTest::newRow("JPEG photo") << Builder([](QTextDocument* d) {
        QImage photo(48, 32, QImage::Format_RGB32);
        for (int y = 0; y < photo.height(); ++y)
            for (int x = 0; x < photo.width(); ++x)
                photo.setPixel(x, y, qRgb(x * 5, y * 7, (x * y) % 256));
        QByteArray jpeg;
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        photo.save(&buffer, "JPEG", 80);
        d->addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("photo.jpg")), jpeg);
        QTextImageFormat f;
        f.setName(QStringLiteral("photo.jpg"));
        QTextCursor c(d);
        c.insertText(QStringLiteral("Photo: "));
        c.insertImage(f);
    });
    QTest::newRow("heading and a header row") << Builder([](QTextDocument* d) {
        QTextCursor c(d);
        QTextBlockFormat heading;
        heading.setHeadingLevel(2);
        c.setBlockFormat(heading);
        c.insertText(QStringLiteral("Statement"));
        c.insertBlock(QTextBlockFormat());
        QTextTableFormat f;
        f.setHeaderRowCount(1);
        QTextTable* t = c.insertTable(3, 2, f);
        t->cellAt(0, 0).firstCursorPosition().insertText(QStringLiteral("Date"));
        t->cellAt(2, 1).firstCursorPosition().insertText(QStringLiteral("40.00"));
    });
    QTest::newRow("centred and indented tables") << Builder([](QTextDocument* d) {
        QTextCursor c(d);
        QTextTableFormat centred;
        centred.setAlignment(Qt::AlignHCenter);
        centred.setColumnWidthConstraints({QTextLength(QTextLength::FixedLength, 120)});
        c.insertTable(1, 1, centred)
            ->cellAt(0, 0)
            .firstCursorPosition()
            .insertText(QStringLiteral("centre"));
        c.movePosition(QTextCursor::End);
        QTextTableFormat indented;
        indented.setLeftMargin(48);
        c.insertTable(1, 2, indented)
            ->cellAt(0, 1)
            .firstCursorPosition()
            .insertText(QStringLiteral("indented"));
    });
    QTest::newRow("cell borders of their own") << Builder([](QTextDocument* d) {
        QTextTableFormat f;
        f.setBorderCollapse(true);
        f.setBorder(0);
        QTextTable* t = QTextCursor(d).insertTable(2, 2, f);
        QTextTableCellFormat underlined;
        underlined.setBottomBorder(2);
        underlined.setBottomBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        underlined.setBottomBorderBrush(QColor(200, 0, 0));
        t->cellAt(0, 0).setFormat(underlined);
        t->cellAt(0, 1).setFormat(underlined);
        t->cellAt(1, 1).firstCursorPosition().insertText(QStringLiteral("40.00"));
    });
    // Each paragraph keeps the character format of its own mark (an empty line's height).
    QTest::newRow("paragraph mark formats") << Builder([](QTextDocument* d) {
        QTextCursor c(d);
        QTextCharFormat big;
        big.setFontPointSize(20);
        big.setFontWeight(QFont::Bold);
        c.setBlockCharFormat(big);
        c.insertBlock(QTextBlockFormat(), QTextCharFormat());
        c.insertText(QStringLiteral("plain"));
        c.insertBlock(QTextBlockFormat(), big);
        c.insertText(QStringLiteral("plain text, big mark"), QTextCharFormat());
        c.insertBlock(QTextBlockFormat(), QTextCharFormat());
    });
    QTest::newRow("document font") << Builder([](QTextDocument* d) {
        d->setDefaultFont(QFont(QStringLiteral("Liberation Serif"), 13));
        QTextCursor(d).insertText(QStringLiteral("in the document's font"));
    });
    QTest::newRow("hyperlink") << Builder([](QTextDocument* d) {
        QTextCursor c(d);
        QTextCharFormat link;
        link.setAnchor(true);
        link.setAnchorHref(QStringLiteral("https://example.org/path?q=1&r=2"));
        c.insertText(QStringLiteral("see "));
        c.insertText(QStringLiteral("the page"), link);
        c.insertText(QStringLiteral(" here"), QTextCharFormat());
    });
    QTest::newRow("sample document") << Builder(BuildSampleDocument);
}

void TestRoundTrip::documents() {
#if HAVE_RTF_READER
    QFETCH(Builder, build);
    QTextDocument original;
    build(&original);
    const QByteArray rtf = TRtfWriter::Write(original);

    QTextDocument read;
    const TRtfReadResult result = TRtfReader::Read(rtf, &read);
    QVERIFY2(result.ok, qPrintable(result.error));
    QCOMPARE(DocumentPlainText(read), DocumentPlainText(original));

    Shape a;
    Shape b;
    shapeOf(original.rootFrame(), a);
    shapeOf(read.rootFrame(), b);
    QCOMPARE(b.tables, a.tables);
    QCOMPARE(b.tableSizes, a.tableSizes);
    QCOMPARE(b.listItems, a.listItems);
    QCOMPARE(b.images, a.images);

    // Everything RTF can say about the document survived: writing it again changes nothing.
    const QByteArray again = TRtfWriter::Write(read);
    QCOMPARE(again, rtf);
#endif
}

void TestRoundTrip::pageSetup_data() {
    QTest::addColumn<QSizeF>("paper");
    QTest::addColumn<QMarginsF>("margins");
    QTest::newRow("A4") << QSizeF(210, 297) << QMarginsF(20, 20, 20, 20);
    QTest::newRow("Letter landscape") << QSizeF(279.4, 215.9) << QMarginsF(25.4, 12.7, 25.4, 19.05);
}

void TestRoundTrip::pageSetup() {
#if HAVE_RTF_READER
    QFETCH(QSizeF, paper);
    QFETCH(QMarginsF, margins);
    QTextDocument doc;
    doc.setPlainText(QStringLiteral("page"));
    QTextDocument read;
    const TRtfReadResult result = TRtfReader::Read(TRtfWriter::Write(doc, {paper, margins}), &read);
    QVERIFY(result.ok);
    // Twips are exact to a fiftieth of a millimetre.
    QVERIFY(qAbs(result.paperSizeMm.width() - paper.width()) < 0.05);
    QVERIFY(qAbs(result.paperSizeMm.height() - paper.height()) < 0.05);
    QVERIFY(qAbs(result.marginsMm.left() - margins.left()) < 0.05);
    QVERIFY(qAbs(result.marginsMm.top() - margins.top()) < 0.05);
    QVERIFY(qAbs(result.marginsMm.right() - margins.right()) < 0.05);
    QVERIFY(qAbs(result.marginsMm.bottom() - margins.bottom()) < 0.05);
#endif
}

// The formats are checked on the read document itself, not only through the writer.
void TestRoundTrip::formatsSurvive() {
#if HAVE_RTF_READER
    QTextDocument original;
    BuildSampleDocument(&original);
    QTextDocument read;
    QVERIFY(TRtfReader::Read(TRtfWriter::Write(original), &read).ok);

    const QTextBlock title = read.firstBlock();
    QCOMPARE(title.text(), QStringLiteral("Report for \u00c9mile Zo\u00eb"));
    QVERIFY(title.blockFormat().alignment() & Qt::AlignHCenter);
    const QTextCharFormat big = title.begin().fragment().charFormat();
    QCOMPARE(big.fontWeight(), int(QFont::Bold));
    QCOMPARE(big.fontPointSize(), 16.0);

    const QTextBlock body = title.next();
    QVERIFY(body.blockFormat().alignment() & Qt::AlignJustify);
    bool sawRed = false;
    bool sawMono = false;
    for (auto it = body.begin(); !it.atEnd(); ++it) {
        const QTextCharFormat f = it.fragment().charFormat();
        if (it.fragment().text().contains(QStringLiteral("red italic"))) {
            sawRed = true;
            QCOMPARE(f.foreground().color(), QColor(200, 0, 0));
            QVERIFY(f.fontItalic());
        }
        if (it.fragment().text().contains(QStringLiteral("code"))) {
            sawMono = true;
            QCOMPARE(f.font().family(), QStringLiteral("Liberation Mono"));
            QCOMPARE(f.fontPointSize(), 9.0);
        }
    }
    QVERIFY(sawRed);
    QVERIFY(sawMono);

    const QTextBlock linkBlock = body.next();
    bool sawLink = false;
    for (auto it = linkBlock.begin(); !it.atEnd(); ++it)
        if (it.fragment().charFormat().anchorHref() == QLatin1String("https://example.org/a?b=1"))
            sawLink = it.fragment().text() == QLatin1String("our site");
    QVERIFY(sawLink);

    const QTextBlock bullet = linkBlock.next();
    QVERIFY(bullet.textList());
    QCOMPARE(bullet.textList()->format().style(), QTextListFormat::ListDisc);
    const QTextBlock numbered = bullet.next().next();
    QVERIFY(numbered.textList());
    QCOMPARE(numbered.textList()->format().style(), QTextListFormat::ListDecimal);
    QCOMPARE(numbered.textList()->count(), 2);
    QVERIFY(numbered.textList() != bullet.textList());
#endif
}

void TestRoundTrip::picturesSurvive() {
#if HAVE_RTF_READER
    QTextDocument original;
    BuildSampleDocument(&original);
    QTextDocument read;
    QVERIFY(TRtfReader::Read(TRtfWriter::Write(original), &read).ok);
    QTextImageFormat found;
    for (QTextBlock b = read.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat())
                found = it.fragment().charFormat().toImageFormat();
    QVERIFY(found.isValid());
    QCOMPARE(found.width(), 32.0);
    QCOMPARE(found.height(), 16.0);
    const QVariant res = read.resource(QTextDocument::ImageResource, QUrl(found.name()));
    QImage image = res.value<QImage>();
    if (image.isNull())
        image = QImage::fromData(res.toByteArray());
    QCOMPARE(image.size(), QSize(16, 8));
    QCOMPARE(image.pixelColor(2, 2), QColor(Qt::yellow));
#endif
}

QTEST_MAIN(TestRoundTrip)
#include "tst_roundtrip.moc"
