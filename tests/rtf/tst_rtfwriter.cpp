#include "rtf/rtfwriter.h"
#include "sampledoc.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QRegularExpression>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>

namespace {

QByteArray rtfOf(const QString& text, const QTextCharFormat& fmt = {}) {
    QTextDocument doc;
    QTextCursor(&doc).insertText(text, fmt);
    return TRtfWriter::Write(doc);
}

// The body after the header, where the paragraphs start.
QByteArray bodyOf(const QByteArray& rtf) {
    return rtf.mid(rtf.indexOf("\\pard"));
}

// Groups open and close in pairs (escaped braces aside) and the document is one group.
bool bracesBalanced(const QByteArray& rtf) {
    int depth = 0;
    for (qsizetype i = 0; i < rtf.size(); ++i) {
        const char ch = rtf.at(i);
        if (ch == '\\') {
            ++i;
            continue;
        }
        if (ch == '{')
            ++depth;
        else if (ch == '}' && --depth == 0 && rtf.indexOf('{', i) >= 0)
            return false;
        if (depth < 0)
            return false;
    }
    return depth == 0;
}

} // namespace

class TestRtfWriter : public QObject {
    Q_OBJECT

private slots:
    void escapesText_data();
    void escapesText();
    void writesHeaderAndPage_data();
    void writesHeaderAndPage();
    void writesCharacterFormats_data();
    void writesCharacterFormats();
    void writesParagraphFormats_data();
    void writesParagraphFormats();
    void tablesInFirstUseOrder();
    void sameDocumentSameBytes();
    void writesLists();
    void writesTables();
    void writesNestedTable();
    void writesPicture();
    void skipsMissingPicture();
    void writesHyperlink();
    void paragraphMarks();
};

void TestRtfWriter::escapesText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("braces and backslash")
        << QStringLiteral("a{b}c\\d") << QByteArray("a\\{b\\}c\\\\d");
    QTest::newRow("tab") << QStringLiteral("x\ty") << QByteArray("x\\tab y");
    QTest::newRow("line break") << QStringLiteral("x") + QChar(QChar::LineSeparator) + u'y'
                                << QByteArray("x\\line y");
    QTest::newRow("no-break space") << QStringLiteral("1\u00a0kg") << QByteArray("1\\~kg");
    QTest::newRow("latin-1 letter") << QStringLiteral("caf\u00e9") << QByteArray("caf\\'e9");
    QTest::newRow("euro in 1252") << QStringLiteral("\u20ac5") << QByteArray("\\'805");
    QTest::newRow("em dash in 1252") << QStringLiteral("a\u2014b") << QByteArray("a\\'97b");
    QTest::newRow("accented outside 1252 falls back to base letter")
        << QStringLiteral("\u010d") << QByteArray("\\u269 c");
    QTest::newRow("greek falls back to ?") << QStringLiteral("\u03a9") << QByteArray("\\u937 ?");
    QTest::newRow("minus sign falls back to hyphen")
        << QStringLiteral("\u2212") << QByteArray("\\u8722 -");
    QTest::newRow("high code is negative") << QStringLiteral("\uff21") << QByteArray("\\u-223 A");
    QTest::newRow("surrogate pair as two units")
        << QString::fromUtf8("\xf0\x9f\x98\x80") << QByteArray("\\u-10179 ?\\u-8704 ?");
    QTest::newRow("escaped backslash before a word")
        << QStringLiteral("\\par") << QByteArray(" \\\\par\\par");
    QTest::newRow("control characters dropped")
        << QStringLiteral("a\u0001b\u0007c") << QByteArray(" abc");
}

void TestRtfWriter::escapesText() {
    QFETCH(QString, text);
    QFETCH(QByteArray, expected);
    const QByteArray rtf = rtfOf(text);
    QVERIFY2(bodyOf(rtf).contains(expected), bodyOf(rtf).constData());
    QVERIFY(bracesBalanced(rtf));
    // Every byte is 7-bit: the code page never depends on the reader's locale.
    for (char ch : rtf)
        QVERIFY(uchar(ch) < 0x80);
}

void TestRtfWriter::writesHeaderAndPage_data() {
    QTest::addColumn<QSizeF>("paper");
    QTest::addColumn<QMarginsF>("margins");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("A4, 20 mm") << QSizeF(210, 297) << QMarginsF(20, 20, 20, 20)
                               << QByteArray("\\paperw11906\\paperh16838\\margl1134\\margr1134"
                                             "\\margt1134\\margb1134\\deftab");
    QTest::newRow("Letter, mixed margins")
        << QSizeF(215.9, 279.4) << QMarginsF(25.4, 12.7, 19.05, 0)
        << QByteArray("\\paperw12240\\paperh15840\\margl1440\\margr1080\\margt720\\margb0\\deftab");
    QTest::newRow("landscape A4") << QSizeF(297, 210) << QMarginsF(10, 10, 10, 10)
                                  << QByteArray("\\paperw16838\\paperh11906\\margl567\\margr567"
                                                "\\margt567\\margb567\\landscape");
}

void TestRtfWriter::writesHeaderAndPage() {
    QFETCH(QSizeF, paper);
    QFETCH(QMarginsF, margins);
    QFETCH(QByteArray, expected);
    QTextDocument doc;
    doc.setPlainText(QStringLiteral("x"));
    const QByteArray rtf = TRtfWriter::Write(doc, {paper, margins});
    QVERIFY(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1"));
    QVERIFY(rtf.contains("{\\fonttbl{\\f0"));
    QVERIFY(rtf.contains("{\\colortbl;"));
    QVERIFY(rtf.contains("{\\stylesheet"));
    QVERIFY2(rtf.contains(expected), rtf.constData());
    QVERIFY(bracesBalanced(rtf));
}

void TestRtfWriter::writesCharacterFormats_data() {
    QTest::addColumn<QTextCharFormat>("format");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<QByteArray>("absent");

    auto row = [](const char* name, auto setup, const char* expected,
                  const char* absent = "\\fake") {
        QTextCharFormat f;
        setup(f);
        QTest::newRow(name) << f << QByteArray(expected) << QByteArray(absent);
    };
    row(
        "plain", [](QTextCharFormat&) {}, "\\plain\\f0\\fs", "\\b");
    row(
        "bold", [](QTextCharFormat& f) { f.setFontWeight(QFont::Bold); }, "\\b");
    row(
        "normal weight is not bold", [](QTextCharFormat& f) { f.setFontWeight(QFont::Medium); },
        "\\plain", "\\b ");
    row(
        "italic", [](QTextCharFormat& f) { f.setFontItalic(true); }, "\\i");
    row(
        "underline", [](QTextCharFormat& f) { f.setFontUnderline(true); }, "\\ul");
    row(
        "dotted underline",
        [](QTextCharFormat& f) { f.setUnderlineStyle(QTextCharFormat::DotLine); }, "\\uld");
    row(
        "dashed underline",
        [](QTextCharFormat& f) { f.setUnderlineStyle(QTextCharFormat::DashUnderline); },
        "\\uldash");
    row(
        "wave underline",
        [](QTextCharFormat& f) { f.setUnderlineStyle(QTextCharFormat::WaveUnderline); },
        "\\ulwave");
    row(
        "strike", [](QTextCharFormat& f) { f.setFontStrikeOut(true); }, "\\strike");
    row(
        "superscript",
        [](QTextCharFormat& f) { f.setVerticalAlignment(QTextCharFormat::AlignSuperScript); },
        "\\super");
    row(
        "subscript",
        [](QTextCharFormat& f) { f.setVerticalAlignment(QTextCharFormat::AlignSubScript); },
        "\\sub");
    row(
        "caps", [](QTextCharFormat& f) { f.setFontCapitalization(QFont::AllUppercase); }, "\\caps");
    row(
        "small caps", [](QTextCharFormat& f) { f.setFontCapitalization(QFont::SmallCaps); },
        "\\scaps");
    row(
        "half-point size", [](QTextCharFormat& f) { f.setFontPointSize(15.5); }, "\\fs31");
    row(
        "second font",
        [](QTextCharFormat& f) { f.setFontFamilies({QStringLiteral("Liberation Serif")}); },
        "\\f1\\fs");
    row(
        "colour", [](QTextCharFormat& f) { f.setForeground(QColor(1, 2, 3)); }, "\\cf1");
    row(
        "background", [](QTextCharFormat& f) { f.setBackground(QColor(4, 5, 6)); }, "\\chcbpat1");
}

void TestRtfWriter::writesCharacterFormats() {
    QFETCH(QTextCharFormat, format);
    QFETCH(QByteArray, expected);
    QFETCH(QByteArray, absent);
    const QByteArray body = bodyOf(rtfOf(QStringLiteral("word"), format));
    const QByteArray run = body.mid(body.indexOf("\\plain\\f"),
                                    body.indexOf(" word") - body.indexOf("\\plain\\f") + 1);
    QVERIFY2(run.contains(expected), run.constData());
    QVERIFY2(!run.contains(absent), run.constData());
}

void TestRtfWriter::writesParagraphFormats_data() {
    QTest::addColumn<QTextBlockFormat>("format");
    QTest::addColumn<QByteArray>("expected");
    auto row = [](const char* name, auto setup, const char* expected) {
        QTextBlockFormat f;
        setup(f);
        QTest::newRow(name) << f << QByteArray(expected);
    };
    row(
        "left", [](QTextBlockFormat&) {}, "\\pard\\plain\\ql\\plain");
    row(
        "centre", [](QTextBlockFormat& f) { f.setAlignment(Qt::AlignHCenter); }, "\\qc");
    row(
        "right", [](QTextBlockFormat& f) { f.setAlignment(Qt::AlignRight); }, "\\qr");
    row(
        "justify", [](QTextBlockFormat& f) { f.setAlignment(Qt::AlignJustify); }, "\\qj");
    row(
        "indents",
        [](QTextBlockFormat& f) {
            f.setLeftMargin(20);
            f.setRightMargin(10);
            f.setTextIndent(-8);
        },
        "\\fi-120\\li300\\ri150");
    row(
        "indent level", [](QTextBlockFormat& f) { f.setIndent(2); }, "\\li1200");
    row(
        "space before and after",
        [](QTextBlockFormat& f) {
            f.setTopMargin(6);
            f.setBottomMargin(12);
        },
        "\\sb90\\sa180");
    row(
        "one and a half lines",
        [](QTextBlockFormat& f) { f.setLineHeight(150, QTextBlockFormat::ProportionalHeight); },
        "\\sl360\\slmult1");
    row(
        "exact line height",
        [](QTextBlockFormat& f) { f.setLineHeight(20, QTextBlockFormat::FixedHeight); },
        "\\sl-300\\slmult0");
    row(
        "minimum line height",
        [](QTextBlockFormat& f) { f.setLineHeight(20, QTextBlockFormat::MinimumHeight); },
        "\\sl300\\slmult0");
    row(
        "page break before",
        [](QTextBlockFormat& f) { f.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore); },
        "\\pagebb");
    row(
        "keep lines together", [](QTextBlockFormat& f) { f.setNonBreakableLines(true); }, "\\keep");
    row(
        "heading", [](QTextBlockFormat& f) { f.setHeadingLevel(2); }, "\\outlinelevel1");
    row(
        "right-to-left", [](QTextBlockFormat& f) { f.setLayoutDirection(Qt::RightToLeft); },
        "\\rtlpar");
    row(
        "tab stops",
        [](QTextBlockFormat& f) {
            f.setTabPositions({QTextOption::Tab(100, QTextOption::LeftTab),
                               QTextOption::Tab(200, QTextOption::RightTab)});
        },
        "\\tx1500\\tqr\\tx3000");
}

void TestRtfWriter::writesParagraphFormats() {
    QFETCH(QTextBlockFormat, format);
    QFETCH(QByteArray, expected);
    QTextDocument doc;
    QTextCursor c(&doc);
    c.insertText(QStringLiteral("before"));
    c.insertBlock(format);
    c.insertText(QStringLiteral("text"));
    const QByteArray body = bodyOf(TRtfWriter::Write(doc));
    const QByteArray second = body.mid(body.indexOf("\\par\r\n") + 6);
    QVERIFY2(second.contains(expected), second.constData());
    QVERIFY2(!body.left(body.indexOf("\\par\r\n")).contains(expected) ||
                 QByteArray(QTest::currentDataTag()) == "left",
             "the format leaked into the paragraph before");
}

void TestRtfWriter::tablesInFirstUseOrder() {
    QTextDocument doc;
    doc.setDefaultFont(QFont(QStringLiteral("Liberation Sans")));
    QTextCursor c(&doc);
    QTextCharFormat f1;
    f1.setFontFamilies({QStringLiteral("Zeta Font")});
    f1.setForeground(QColor(0, 0, 9));
    QTextCharFormat f2;
    f2.setFontFamilies({QStringLiteral("Alpha Font")});
    f2.setForeground(QColor(9, 0, 0));
    c.insertText(QStringLiteral("z"), f1);
    c.insertText(QStringLiteral("a"), f2);
    c.insertText(QStringLiteral("z"), f1);
    const QByteArray rtf = TRtfWriter::Write(doc);
    QVERIFY2(rtf.contains("{\\fonttbl{\\f0\\fnil\\fcharset0 Liberation Sans;}"
                          "{\\f1\\fnil\\fcharset0 Zeta Font;}{\\f2\\fnil\\fcharset0 Alpha Font;}}"),
             rtf.constData());
    QVERIFY(rtf.contains("{\\colortbl;\\red0\\green0\\blue9;\\red9\\green0\\blue0;}"));
    QVERIFY(rtf.contains("\\f1\\fs"));
    QVERIFY(rtf.contains("\\cf2 a"));
}

void TestRtfWriter::sameDocumentSameBytes() {
    QTextDocument a;
    QTextDocument b;
    BuildSampleDocument(&a);
    BuildSampleDocument(&b);
    const QByteArray rtf = TRtfWriter::Write(a);
    QCOMPARE(TRtfWriter::Write(a), rtf);
    QCOMPARE(TRtfWriter::Write(b), rtf);
    QVERIFY(bracesBalanced(rtf));
    QVERIFY(!rtf.contains("\\creatim"));
}

void TestRtfWriter::writesLists() {
    QTextDocument doc;
    BuildSampleDocument(&doc);
    const QByteArray rtf = TRtfWriter::Write(doc);
    QVERIFY(rtf.contains("{\\*\\listtable"));
    QVERIFY(rtf.contains("{\\*\\listoverridetable"));
    QCOMPARE(rtf.count("{\\list\\listtemplateid"), 2);
    QCOMPARE(rtf.count("{\\listoverride\\listid"), 2);
    QCOMPARE(rtf.count("{\\listlevel"), 18);
    // Bullet list first (1, bullet format 23), numbered second (2, decimal "N.").
    QVERIFY(rtf.contains("{\\list\\listtemplateid1\\listhybrid{\\listlevel\\levelnfc23"));
    QVERIFY(rtf.contains("{\\leveltext\\'02\\'00.;}{\\levelnumbers\\'01;}"));
    QCOMPARE(rtf.count("\\ls1\\ilvl0"), 2);
    QCOMPARE(rtf.count("\\ls2\\ilvl0"), 2);
    QVERIFY(rtf.contains("\\fi-360\\li600"));
    // No space after the marker group: there it would be text.
    QVERIFY2(rtf.contains("{\\pntext\\plain\\f0\\fs22 \\'95\\tab}First point\\par"),
             rtf.constData());
    QVERIFY(QRegularExpression(QStringLiteral("\\{\\\\pntext[^}]* 2\\.\\\\tab\\}"))
                .match(QString::fromLatin1(rtf))
                .hasMatch());
}

void TestRtfWriter::writesTables() {
    QTextDocument doc;
    BuildSampleDocument(&doc);
    const QByteArray rtf = TRtfWriter::Write(doc);
    // Three rows of three cells in the outer table; the merged-over cell keeps its mark.
    QCOMPARE(rtf.count("\\row\r\n"), 3);
    QCOMPARE(rtf.count("\\cell\r\n"), 9);
    QCOMPARE(rtf.count("\\trowd"), 4); // three outer rows and one nested row
    QVERIFY(rtf.contains("\\clmgf"));
    QVERIFY(rtf.contains("\\clmrg"));
    QVERIFY(rtf.contains("\\clcbpat"));
    QVERIFY(!rtf.contains("\\chcbpat")); // the cell shading stays with the cell
    QVERIFY(rtf.contains("\\trgaph60"));
    // Cell edges ascend within the row.
    const QByteArray firstRow =
        rtf.mid(rtf.indexOf("\\trowd"), rtf.indexOf("\\row\r\n") - rtf.indexOf("\\trowd"));
    QRegularExpression cellx(QStringLiteral("\\\\cellx(\\d+)"));
    int last = 0;
    int count = 0;
    for (const auto& m : cellx.globalMatch(QString::fromLatin1(firstRow))) {
        QVERIFY(m.captured(1).toInt() > last);
        last = m.captured(1).toInt();
        ++count;
    }
    QCOMPARE(count, 3);
    QVERIFY(last <= 9638 && last > 9000); // the text width of A4 with 20 mm margins

    QTextDocument spans;
    QTextCursor c(&spans);
    QTextTable* t = c.insertTable(3, 2);
    t->mergeCells(0, 0, 3, 1);
    const QByteArray v = TRtfWriter::Write(spans);
    QCOMPARE(v.count("\\clvmgf"), 1);
    QCOMPARE(v.count("\\clvmrg"), 2);
    QCOMPARE(v.count("\\cell\r\n"), 6);
}

void TestRtfWriter::writesNestedTable() {
    QTextDocument doc;
    BuildSampleDocument(&doc);
    const QByteArray rtf = TRtfWriter::Write(doc);
    QCOMPARE(rtf.count("\\nestcell"), 2);
    QCOMPARE(rtf.count("\\nestrow}"), 1);
    QVERIFY(rtf.contains("{\\*\\nesttableprops\\trowd"));
    QVERIFY(rtf.contains("{\\nonesttables\\par}"));
    QVERIFY(rtf.contains("\\pard\\plain\\intbl\\itap2\\ql\\plain\\f0\\fs22 in A\\nestcell"));
    // The nested row ends before the outer cell that holds it.
    QVERIFY(rtf.indexOf("\\nestrow") < rtf.indexOf("40.00"));
}

void TestRtfWriter::writesPicture() {
    QTextDocument doc;
    BuildSampleDocument(&doc);
    const QByteArray rtf = TRtfWriter::Write(doc);
    const qsizetype start =
        rtf.indexOf("{\\pict\\pngblip\\picw16\\pich8\\picwgoal480\\pichgoal240");
    QVERIFY2(start >= 0, rtf.constData());
    const qsizetype dataStart = rtf.indexOf("\r\n", start) + 2;
    const QByteArray hexBlock = rtf.mid(dataStart, rtf.indexOf('}', dataStart) - dataStart);
    const QList<QByteArray> lines = hexBlock.split('\n');
    for (const QByteArray& line : lines)
        QVERIFY(line.trimmed().size() <= 128);
    QVERIFY(lines.first().trimmed().size() == 128);
    const QImage image = QImage::fromData(QByteArray::fromHex(hexBlock), "png");
    QCOMPARE(image.size(), QSize(16, 8));
    QCOMPARE(image.pixelColor(12, 4), QColor(10, 120, 200));
    QCOMPARE(image.pixelColor(2, 2), QColor(Qt::yellow));

    // Encoded JPEG data is kept as it is.
    QImage photo(4, 4, QImage::Format_RGB32);
    photo.fill(Qt::green);
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    photo.save(&buffer, "JPG");
    QTextDocument withJpeg;
    withJpeg.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("p.jpg")), jpeg);
    QTextImageFormat fmt;
    fmt.setName(QStringLiteral("p.jpg"));
    fmt.setWidth(40); // the height follows the picture's proportions
    QTextCursor(&withJpeg).insertImage(fmt);
    const QByteArray j = TRtfWriter::Write(withJpeg);
    QVERIFY2(j.contains("{\\pict\\jpegblip\\picw4\\pich4\\picwgoal600\\pichgoal600\r\n" +
                        jpeg.left(16).toHex()),
             j.constData());
}

void TestRtfWriter::skipsMissingPicture() {
    QTextDocument doc;
    QTextCursor c(&doc);
    c.insertText(QStringLiteral("a"));
    QTextImageFormat fmt;
    fmt.setName(QStringLiteral("/nonexistent/picture.png"));
    c.insertImage(fmt);
    c.insertText(QStringLiteral("b"));
    const QByteArray rtf = TRtfWriter::Write(doc);
    QVERIFY(!rtf.contains("\\pict"));
    QVERIFY(rtf.contains(" ab\\par"));
    QVERIFY(bracesBalanced(rtf));
}

void TestRtfWriter::writesHyperlink() {
    QTextDocument doc;
    BuildSampleDocument(&doc);
    const QByteArray rtf = TRtfWriter::Write(doc);
    QVERIFY2(rtf.contains("{\\field{\\*\\fldinst{HYPERLINK \"https://example.org/a?b=1\"}}"
                          "{\\fldrslt{\\plain"),
             rtf.constData());
    QVERIFY(rtf.contains(" our site}}}"));

    QTextDocument local;
    QTextCharFormat link;
    link.setAnchor(true);
    link.setAnchorHref(QStringLiteral("#terms"));
    QTextCursor(&local).insertText(QStringLiteral("see terms"), link);
    QVERIFY(TRtfWriter::Write(local).contains("HYPERLINK \\\\l \"terms\""));

    // A link in the surrounding format: its text follows the group brace with no delimiter.
    QTextDocument same;
    QTextCursor c(&same);
    c.insertText(QStringLiteral("see "));
    QTextCharFormat plainLink;
    plainLink.setAnchor(true);
    plainLink.setAnchorHref(QStringLiteral("https://example.org"));
    c.insertText(QStringLiteral("the page"), plainLink);
    c.insertText(QStringLiteral(" here"), QTextCharFormat());
    const QByteArray s = TRtfWriter::Write(same);
    QVERIFY2(s.contains(" see {\\field{\\*\\fldinst{HYPERLINK \"https://example.org\"}}"
                        "{\\fldrslt{the page}}} here\\par"),
             s.constData());
}

void TestRtfWriter::paragraphMarks() {
    QTextDocument doc;
    doc.setPlainText(QStringLiteral("one\ntwo\n\nfour"));
    const QByteArray rtf = TRtfWriter::Write(doc);
    // Four paragraphs, four marks: a final \par ends the document, it adds no paragraph.
    QCOMPARE(rtf.count("\\par\r\n"), 4);
    QVERIFY(rtf.endsWith(" four\\par\r\n}\r\n"));

    QTextDocument empty;
    const QByteArray e = TRtfWriter::Write(empty);
    QVERIFY(bracesBalanced(e));
    QCOMPARE(e.count("\\pard"), 1);
    QCOMPARE(e.count("\\par\r\n"), 1);
}

QTEST_MAIN(TestRtfWriter)
#include "tst_rtfwriter.moc"
