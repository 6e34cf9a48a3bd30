// Damaged and hostile input: the reader reports an error or gives what it could read,
// and never crashes, hangs or allocates without bound.
#include "rtf/rtfreader.h"

#include <QRandomGenerator>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QtTest>

namespace {

QByteArray Repeat(const char* s, int n) {
    return QByteArray(s).repeated(n);
}

QByteArray RandomBytes(quint32 seed, int size) {
    QRandomGenerator gen(seed);
    QByteArray out(size, Qt::Uninitialized);
    for (char& c : out)
        c = char(gen.bounded(256));
    return out;
}

// The largest table in the document, counted by rows and columns.
QSize LargestTable(QTextDocument* doc) {
    QSize most;
    QList<QTextFrame*> frames = {doc->rootFrame()};
    while (!frames.isEmpty()) {
        QTextFrame* f = frames.takeLast();
        if (auto* t = qobject_cast<QTextTable*>(f))
            most = most.expandedTo(QSize(t->columns(), t->rows()));
        frames += f->childFrames();
    }
    return most;
}

} // namespace

class TestRtfHostile : public QObject {
    Q_OBJECT

private slots:
    void survives_data() {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("text"); // must appear in the document's text

        const QByteArray doc =
            "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red1\\green2\\blue3;}"
            "\\f0\\fs24 First paragraph\\par \\b Second\\b0  one\\par}";
        QTest::newRow("empty") << QByteArray() << false << QString();
        QTest::newRow("blank") << QByteArray(" \r\n\t ") << false << QString();
        QTest::newRow("not rtf") << QByteArray("hello world") << false << QString();
        QTest::newRow("random bytes") << RandomBytes(1, 4096) << false << QString();
        QTest::newRow("random after header")
            << QByteArray("{\\rtf1 ") + RandomBytes(2, 65536) << true << QString();
        QTest::newRow("truncated in text")
            << doc.left(doc.indexOf("Second")) << true << QStringLiteral("First paragraph");
        QTest::newRow("truncated in font table") << doc.left(25) << true << QString();
        QTest::newRow("truncated after backslash")
            << QByteArray("{\\rtf1 abc\\") << true << QStringLiteral("abc");
        QTest::newRow("truncated hex escape")
            << QByteArray("{\\rtf1 abc\\'4") << true << QStringLiteral("abc");
        QTest::newRow("invalid hex escape")
            << QByteArray("{\\rtf1 a\\'zzb}") << true << QStringLiteral("azzb");
        QTest::newRow("extra closing braces")
            << QByteArray("{\\rtf1 a}}}}}") << true << QStringLiteral("a");
        QTest::newRow("stray closing brace inside")
            << QByteArray("{\\rtf1 {\\b a}} b}") << true << QStringLiteral("a");
        QTest::newRow("unclosed groups")
            << QByteArray("{\\rtf1 {{{{\\i a") << true << QStringLiteral("a");
        QTest::newRow("huge font size")
            << QByteArray("{\\rtf1\\fs999999999 a}") << true << QStringLiteral("a");
        QTest::newRow("negative font size")
            << QByteArray("{\\rtf1\\fs-20 a}") << true << QStringLiteral("a");
        QTest::newRow("parameter overflow")
            << QByteArray("{\\rtf1\\li99999999999999999999999\\f-99999999999999 a}") << true
            << QStringLiteral("a");
        QTest::newRow("negative cellx")
            << QByteArray("{\\rtf1\\trowd\\cellx-5\\cellx-10\\intbl a\\cell b\\cell\\row}") << true
            << QStringLiteral("a");
        QTest::newRow("unicode out of range")
            << QByteArray("{\\rtf1 a\\u99999999?b}") << true << QStringLiteral("a\uFFFDb");
        QTest::newRow("lone surrogate")
            << QByteArray("{\\rtf1 a\\u-10179?b}") << true << QStringLiteral("b");
        // Content nested deeper than any real document is dropped; what follows is kept.
        QTest::newRow("3000 nested groups, as in an Outlook mail")
            << QByteArray("{\\rtf1 ") + Repeat("{\\lang1033 ", 3000) + "deep" + Repeat("}", 3000) +
                   "}"
            << true << QStringLiteral("deep");
        QTest::newRow("100000 nested groups")
            << QByteArray("{\\rtf1 a") + Repeat("{", 100000) + "deep" + Repeat("}", 99999) + "b}"
            << true << QStringLiteral("ab");
        QTest::newRow("100000 unclosed groups")
            << QByteArray("{\\rtf1 a") + Repeat("{\\b ", 100000) + "deep" << true
            << QStringLiteral("a");
        QTest::newRow("bin longer than file")
            << QByteArray("{\\rtf1 a\\bin99999999 xyz}") << true << QStringLiteral("a");
        QTest::newRow("bin negative")
            << QByteArray("{\\rtf1 a\\bin-5 b}") << true << QStringLiteral("b");
        QTest::newRow("bin in picture longer than file")
            << QByteArray("{\\rtf1 a{\\pict\\pngblip\\bin2147483647 xyz") << true
            << QStringLiteral("a");
        QTest::newRow("invalid hex in picture")
            << QByteArray("{\\rtf1 a{\\pict\\pngblip\\picw10\\pich10 89zz50qq4e!!47}b}") << true
            << QStringLiteral("a\uFFFCb");
        QTest::newRow("huge picw")
            << QByteArray("{\\rtf1 a{\\pict\\wmetafile8\\picw2147483647\\pich2147483647"
                          "\\picscalex2147483647 0100}b}")
            << true << QStringLiteral("a\uFFFCb");
        QTest::newRow("long control word") << QByteArray("{\\rtf1 \\") + Repeat("a", 100000) + " b}"
                                           << true << QStringLiteral("b");
        QTest::newRow("long number") << QByteArray("{\\rtf1 \\fs") + Repeat("9", 100000) + " b}"
                                     << true << QStringLiteral("b");
        QTest::newRow("100000 cellx")
            << QByteArray("{\\rtf1\\trowd") + Repeat("\\cellx100", 100000) + "\\intbl a\\cell\\row}"
            << true << QStringLiteral("a");
        QTest::newRow("10000 cells")
            << QByteArray("{\\rtf1\\trowd\\cellx100\\intbl ") + Repeat("x\\cell ", 10000) + "\\row}"
            << true << QStringLiteral("x");
        QTest::newRow("100000 cells") << QByteArray("{\\rtf1\\trowd\\cellx100\\intbl ") +
                                             Repeat("x\\cell ", 100000) + "\\row}"
                                      << true << QStringLiteral("x");
        QTest::newRow("100000 cells, each defined")
            << QByteArray("{\\rtf1\\trowd") + Repeat("\\cellx100", 100000) + "\\intbl " +
                   Repeat("x\\cell ", 100000) + "\\row}"
            << true << QStringLiteral("x");
        QTest::newRow("100000 rows")
            << QByteArray("{\\rtf1") +
                   Repeat("\\trowd\\cellx100\\cellx200\\intbl a\\cell b\\cell\\row", 100000) + "}"
            << true << QStringLiteral("a");
        QTest::newRow("3000 rows of 63 cells")
            << QByteArray("{\\rtf1") +
                   (QByteArray("\\trowd") + Repeat("\\cellx100", 63) + "\\intbl " +
                    Repeat("a\\cell ", 63) + "\\row")
                       .repeated(3000) +
                   "}"
            << true << QStringLiteral("a");
        QTest::newRow("merges on every row")
            << QByteArray(
                   "{\\rtf1\\trowd\\clvmgf\\cellx100\\cellx200\\intbl a\\cell b\\cell\\row") +
                   Repeat("\\trowd\\clvmrg\\cellx100\\clmgf\\cellx200\\clmrg\\cellx300\\intbl "
                          "a\\cell b\\cell c\\cell\\row",
                          30000) +
                   "}"
            << true << QStringLiteral("a");
        QTest::newRow("5000 rows")
            << QByteArray("{\\rtf1") +
                   Repeat("\\trowd\\cellx100\\cellx200\\intbl a\\cell b\\cell\\row", 5000) + "}"
            << true << QStringLiteral("a");
        QTest::newRow("deep nested tables")
            << QByteArray("{\\rtf1\\intbl\\itap1000 a\\nestcell\\nestrow") +
                   Repeat("\\itap99 b\\nestcell", 1000) + "}"
            << true << QStringLiteral("a");
        // Every level of nesting doubles the cost of laying out the cells inside.
        QTest::newRow("2000 tables nested 8 deep")
            << QByteArray("{\\rtf1\\trowd\\cellx2000\\cellx4000\\cellx6000") +
                   Repeat("\\pard\\intbl\\itap8 x\\cell ", 2000) + "\\row}"
            << true << QStringLiteral("x");
        static const char fuzzNested[] =
            "{\\rtf1{\\colortbl;\\red0\\green128\\blue0;}\\trowd\\trgaph1\\clvm\x97"
            "f\\cellx2000\\clmgf\\cellx4000\\clmrg\\cellx6000\\pard\\intbl\\itap22n\\nestl "
            "c\\cell\\rJEFtrointbl a\\cell b\\\xa6"
            "\x9a"
            "\x93"
            "\x93"
            " c\\cell\\rJE.t c\\centbl a\\cell b\\cell c\\cell\\rJEFt c\\cell\\ErrtoJiFntbl "
            "a\\cell b\\cell c\\cell\\rJEFtrowd\\clvmrg\\cellx40\x01"
            "\x00"
            "\x00"
            "\x00"
            "\x00"
            "\x00"
            "\x00"
            "\x02"
            "6000\\pard\\in|bl\\cell d\\cenlbin)\\pard\\intbl\x90"
            "\x00"
            "\\itap22n\\nestcell{\\r}";
        QTest::newRow("fuzz: nested tables in merged cells")
            << QByteArray(fuzzNested, sizeof(fuzzNested) - 1) << true << QStringLiteral("d");
        QTest::newRow("row without table")
            << QByteArray("{\\rtf1 a\\row\\cell\\nestrow b}") << true << QStringLiteral("a");
        QTest::newRow("merge without start")
            << QByteArray(
                   "{\\rtf1\\trowd\\clvmrg\\cellx100\\clmrg\\cellx200\\intbl a\\cell b\\cell\\row}")
            << true << QStringLiteral("a");
        QTest::newRow("million colours")
            << QByteArray("{\\rtf1{\\colortbl") + Repeat("\\red1;", 1000000) + "}\\cf999999 a}"
            << true << QStringLiteral("a");
        QTest::newRow("many fields")
            << QByteArray("{\\rtf1 ") +
                   Repeat("{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt ", 400) + "z}"
            << true << QStringLiteral("z");
        QTest::newRow("list level out of range")
            << QByteArray(
                   "{\\rtf1{\\*\\listtable{\\list{\\listlevel{\\leveltext\\'ff;}}\\listid1}}"
                   "{\\*\\listoverridetable{\\listoverride\\listid1\\ls1}}\\ls1\\ilvl999 a\\par}")
            << true << QStringLiteral("a");
        QTest::newRow("uc skip past group end")
            << QByteArray("{\\rtf1\\uc9999 {\\u65 }b}") << true << QStringLiteral("Ab");
        QTest::newRow("fuzz: characters in a field instruction")
            << QByteArray("{\\rtf1{\\field{\\*\\fldinst HYPERLINK \"") + Repeat("\\u233?", 200) +
                   "\"}{\\fldrslt link}}}"
            << true << QStringLiteral("link");
        QTest::newRow("nul bytes")
            << QByteArray("{\\rtf1 a\0b}", 10) << true << QStringLiteral("ab");
    }

    void survives() {
        QFETCH(QByteArray, rtf);
        QFETCH(bool, ok);
        QFETCH(QString, text);
        QTextDocument doc;
        const TRtfReadResult r = TRtfReader::Read(rtf, &doc);
        QCOMPARE(r.ok, ok);
        QCOMPARE(r.error.isEmpty(), ok);
        if (!ok)
            QVERIFY(!r.error.contains(QLatin1Char('\n')));
        const QString plain = doc.toPlainText();
        if (!text.isEmpty())
            QVERIFY2(plain.contains(text), qPrintable(plain.left(200)));
        // The document must also lay out: that reads every format the reader made.
        doc.setTextWidth(500);
        QVERIFY(doc.size().height() >= 0);
        const QSize table = LargestTable(&doc);
        QVERIFY(table.width() <= 63);
        QVERIFY(table.height() <= 1000);
    }

    // Tables too wide or too large for the document continue in new rows or as text; every
    // cell's text is still there.
    void keepsEveryCell_data() {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<int>("cells");
        QTest::newRow("one row of 30000 cells")
            << QByteArray("{\\rtf1\\trowd\\cellx100\\intbl ") + Repeat("x\\cell ", 30000) + "\\row}"
            << 30000;
        QTest::newRow("15000 rows of 2 cells")
            << QByteArray("{\\rtf1") +
                   Repeat("\\trowd\\cellx100\\cellx200\\intbl x\\cell x\\cell\\row", 15000) + "}"
            << 30000;
        QTest::newRow("nested rows of 2 cells")
            << QByteArray("{\\rtf1") +
                   Repeat("\\intbl\\itap2 x\\nestcell x\\nestcell\\nestrow\\itap1 x\\cell\\row",
                          10000) +
                   "}"
            << 30000;
    }

    void keepsEveryCell() {
        QFETCH(QByteArray, rtf);
        QFETCH(int, cells);
        QTextDocument doc;
        QVERIFY(TRtfReader::Read(rtf, &doc).ok);
        QCOMPARE(doc.toPlainText().count(QLatin1Char('x')), cells);
        const QSize table = LargestTable(&doc);
        QVERIFY(table.width() <= 63);
        QVERIFY(table.height() <= 1000);
    }

    void clampsAbsurdValues() {
        QTextDocument doc;
        QVERIFY(TRtfReader::Read("{\\rtf1\\fs999999999 a{\\pict\\wmetafile8\\picw2147483647"
                                 "\\pich5 0100}}",
                                 &doc)
                    .ok);
        QTextCursor c(&doc);
        c.setPosition(1);
        QVERIFY(c.charFormat().fontPointSize() <= 1638);
        c.setPosition(2);
        const QTextImageFormat img = c.charFormat().toImageFormat();
        QVERIFY(img.isValid());
        QVERIFY(img.width() > 0 && img.width() <= 20000);
    }
};

QTEST_MAIN(TestRtfHostile)
#include "tst_hostile.moc"
