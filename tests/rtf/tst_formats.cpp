// Small RTF snippets and the formats they must give in the document.
#include "rtf/rtfreader.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>
#include <QtTest>

namespace {

// The cursor just after the first character of probe, where its format applies.
QTextCursor At(QTextDocument* doc, const QString& probe) {
    QTextCursor c = doc->find(probe);
    if (!c.isNull())
        c.setPosition(c.selectionStart() + 1);
    return c;
}

QTextTable* FirstTable(QTextDocument* doc) {
    for (QTextFrame* f : doc->rootFrame()->childFrames())
        if (auto* t = qobject_cast<QTextTable*>(f))
            return t;
    return nullptr;
}

} // namespace

class TestRtfFormats : public QObject {
    Q_OBJECT

private slots:
    void formats_data() {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<bool>("block"); // a block property, else a character property
        QTest::addColumn<int>("property");
        QTest::addColumn<QVariant>("expected");

        auto c = [](const char* name, const char* body, int prop, QVariant v) {
            QTest::newRow(name) << (QByteArray("{\\rtf1\\ansi{\\colortbl;\\red255\\green0\\blue0;"
                                               "\\red0\\green0\\blue255;}") +
                                    body + "}")
                                << false << prop << v;
        };
        auto b = [](const char* name, const char* body, int prop, QVariant v) {
            QTest::newRow(name) << (QByteArray("{\\rtf1\\ansi ") + body + "\\par}") << true << prop
                                << v;
        };
        c("bold", "a {\\b Xb} c", QTextFormat::FontWeight, int(QFont::Bold));
        c("bold off", "{\\b a\\b0 Xn}", QTextFormat::FontWeight, int(QFont::Normal));
        c("italic", "{\\i Xi}", QTextFormat::FontItalic, true);
        c("strike", "{\\strike Xs}", QTextFormat::FontStrikeOut, true);
        c("underline", "{\\ul Xu}", QTextFormat::TextUnderlineStyle,
          int(QTextCharFormat::SingleUnderline));
        c("underline dotted", "{\\uld Xu}", QTextFormat::TextUnderlineStyle,
          int(QTextCharFormat::DotLine));
        c("underline dash", "{\\uldash Xu}", QTextFormat::TextUnderlineStyle,
          int(QTextCharFormat::DashUnderline));
        c("underline wave", "{\\ulwave Xu}", QTextFormat::TextUnderlineStyle,
          int(QTextCharFormat::WaveUnderline));
        c("underline none", "{\\ul a\\ulnone Xu}", QTextFormat::TextUnderlineStyle,
          int(QTextCharFormat::NoUnderline));
        c("colour", "{\\cf1 Xc}", QTextFormat::ForegroundBrush, QBrush(QColor(255, 0, 0)));
        c("highlight", "{\\highlight2 Xh}", QTextFormat::BackgroundBrush,
          QBrush(QColor(0, 0, 255)));
        c("font size", "{\\fs30 Xf}", QTextFormat::FontPointSize, 15.0);
        c("superscript", "{\\super Xs}", QTextFormat::TextVerticalAlignment,
          int(QTextCharFormat::AlignSuperScript));
        c("subscript", "{\\sub Xs}", QTextFormat::TextVerticalAlignment,
          int(QTextCharFormat::AlignSubScript));
        c("all caps", "{\\caps Xc}", QTextFormat::FontCapitalization, int(QFont::AllUppercase));
        c("font family", "{\\fonttbl{\\f3\\fswiss Liberation Sans;}}{\\f3 Xf}",
          QTextFormat::FontFamilies, QStringList{QStringLiteral("Liberation Sans")});
        // A character style sets what it names and leaves the rest to the text around it.
        const char* charStyles = "{\\stylesheet{\\s0 Normal;}{\\*\\cs10\\additive\\b\\cf2 Strong;}"
                                 "{\\cs11\\i Emphasis;}}";
        c("character style", (QByteArray(charStyles) + "a {\\cs10 Xs} c").constData(),
          QTextFormat::FontWeight, int(QFont::Bold));
        c("character style colour", (QByteArray(charStyles) + "{\\cs10 Xs}").constData(),
          QTextFormat::ForegroundBrush, QBrush(QColor(0, 0, 255)));
        c("character style keeps size",
          (QByteArray(charStyles) + "{\\fs30 {\\cs10 Xs}}").constData(), QTextFormat::FontPointSize,
          15.0);
        c("character style unstarred", (QByteArray(charStyles) + "{\\cs11 Xs}").constData(),
          QTextFormat::FontItalic, true);
        c("character style ends with group", (QByteArray(charStyles) + "{\\cs10 a}Xn").constData(),
          QTextFormat::FontWeight, int(QFont::Normal));
        c("character style unknown", (QByteArray(charStyles) + "{\\cs99 Xs}").constData(),
          QTextFormat::FontWeight, int(QFont::Normal));
        b("centred", "\\qc Xa", QTextFormat::BlockAlignment, int(Qt::AlignHCenter));
        b("right", "\\qr Xa", QTextFormat::BlockAlignment, int(Qt::AlignRight));
        b("justified", "\\qj Xa", QTextFormat::BlockAlignment, int(Qt::AlignJustify));
        b("left indent", "\\li1440 Xa", QTextFormat::BlockLeftMargin, 96.0);
        b("right indent", "\\ri720 Xa", QTextFormat::BlockRightMargin, 48.0);
        b("first line", "\\fi-360 Xa", QTextFormat::TextIndent, -24.0);
        b("space before", "\\sb240 Xa", QTextFormat::BlockTopMargin, 16.0);
        b("space after", "\\sa120 Xa", QTextFormat::BlockBottomMargin, 8.0);
        b("line spacing 1.5", "\\sl360\\slmult1 Xa", QTextFormat::LineHeight, 150.0);
        b("page break before", "\\pagebb Xa", QTextFormat::PageBreakPolicy,
          int(QTextFormat::PageBreak_AlwaysBefore));
        b("keep together", "\\keep Xa", QTextFormat::BlockNonBreakableLines, true);
        b("style heading", "{\\stylesheet{\\s2\\qc\\b heading 2;}}\\s2 Xa",
          QTextFormat::HeadingLevel, 2);
        b("pard resets", "\\qc a\\par\\pard Xa", QTextFormat::BlockAlignment, int(Qt::AlignLeft));
    }

    void formats() {
        QFETCH(QByteArray, rtf);
        QFETCH(bool, block);
        QFETCH(int, property);
        QFETCH(QVariant, expected);
        QTextDocument doc;
        QVERIFY(TRtfReader::Read(rtf, &doc).ok);
        const QTextCursor c = At(&doc, QStringLiteral("X"));
        QVERIFY2(!c.isNull(), qPrintable(doc.toPlainText()));
        const QVariant actual =
            block ? c.blockFormat().property(property) : c.charFormat().property(property);
        QCOMPARE(actual, expected);
    }

    void text_data() {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("expected");
        QTest::newRow("unicode with uc1")
            << QByteArray("{\\rtf1 a\\u8364?b}") << QStringLiteral("a\u20ACb");
        QTest::newRow("unicode with uc2")
            << QByteArray("{\\rtf1\\uc2 a\\u8364\\'80\\'80b}") << QStringLiteral("a\u20ACb");
        QTest::newRow("unicode with uc0")
            << QByteArray("{\\rtf1\\uc0 a\\u8364 b}") << QStringLiteral("a\u20ACb");
        QTest::newRow("negative unicode")
            << QByteArray("{\\rtf1 \\u-4064?}") << QString(QChar(0xF020));
        QTest::newRow("surrogate pair")
            << QByteArray("{\\rtf1 \\u-10179?\\u-8704?}") << QStringLiteral("\U0001F600");
        QTest::newRow("1252 e acute")
            << QByteArray("{\\rtf1\\ansi\\ansicpg1252 caf\\'e9}") << QStringLiteral("caf\u00E9");
        QTest::newRow("1252 euro")
            << QByteArray("{\\rtf1\\ansi\\ansicpg1252 \\'80}") << QStringLiteral("\u20AC");
        QTest::newRow("1251 cyrillic")
            << QByteArray("{\\rtf1\\ansi\\ansicpg1251 \\'e9}") << QStringLiteral("\u0439");
        QTest::newRow("1250 font charset")
            << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f1\\fcharset238 Arial;}}\\f1 \\'9a}")
            << QStringLiteral("\u0161");
        QTest::newRow("shift-jis font") << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f1\\fcharset128 "
                                                      "MS Mincho;}}\\f1 \\'82\\'a0\\'93\\'fa}")
                                        << QStringLiteral("\u3042\u65E5");
        QTest::newRow("mac roman") << QByteArray("{\\rtf1\\mac \\'8e}") << QStringLiteral("\u00E9");
        QTest::newRow("symbol font bullet")
            << QByteArray("{\\rtf1{\\fonttbl{\\f2\\fcharset2 Symbol;}}\\f2 \\'b7}")
            << QStringLiteral("\u2022");
        QTest::newRow("escaped braces")
            << QByteArray("{\\rtf1 \\{a\\}\\\\}") << QStringLiteral("{a}\\");
        QTest::newRow("hidden text skipped")
            << QByteArray("{\\rtf1 a{\\v hidden}b}") << QStringLiteral("ab");
        QTest::newRow("unknown destination skipped")
            << QByteArray("{\\rtf1 a{\\*\\foo bar}b}") << QStringLiteral("ab");
        QTest::newRow("unknown word ignored")
            << QByteArray("{\\rtf1 a\\foo b}") << QStringLiteral("ab");
        QTest::newRow("header skipped")
            << QByteArray("{\\rtf1{\\header head}body}") << QStringLiteral("body");
        QTest::newRow("bin skipped")
            << QByteArray("{\\rtf1 a{\\*\\x\\bin3 }}}}b}") << QStringLiteral("ab");
        QTest::newRow("field result")
            << QByteArray("{\\rtf1{\\field{\\*\\fldinst PAGE}{\\fldrslt 7}}}")
            << QStringLiteral("7");
        QTest::newRow("special characters")
            << QByteArray("{\\rtf1 \\emdash\\endash\\lquote\\rquote\\ldblquote\\rdblquote\\bullet}")
            << QStringLiteral("\u2014\u2013\u2018\u2019\u201C\u201D\u2022");
        QTest::newRow("paragraphs")
            << QByteArray("{\\rtf1 a\\par b\\par}") << QStringLiteral("a\nb");
        QTest::newRow("text after the end") << QByteArray("{\\rtf1 a}b") << QStringLiteral("a");
    }

    void text() {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, expected);
        QTextDocument doc;
        QVERIFY(TRtfReader::Read(rtf, &doc).ok);
        QCOMPARE(doc.toPlainText(), expected);
    }

    void lists_data() {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<int>("style");
        const QByteArray table =
            "{\\*\\listtable{\\list{\\listlevel\\levelnfc23{\\leveltext\\'01\\u-3913 ?;}}\\listid1}"
            "{\\list{\\listlevel\\levelnfc4{\\leveltext\\'02\\'00);}}\\listid2}}"
            "{\\*\\listoverridetable{\\listoverride\\listid1\\ls1}{\\listoverride\\listid2\\ls2}}";
        QTest::newRow("bullets") << QByteArray("{\\rtf1" + table +
                                               "\\pard\\ls1 a\\par\\pard\\ls1 b\\par}")
                                 << int(QTextListFormat::ListDisc);
        QTest::newRow("letters") << QByteArray("{\\rtf1" + table +
                                               "\\pard\\ls2 a\\par\\pard\\ls2 b\\par}")
                                 << int(QTextListFormat::ListLowerAlpha);
        QTest::newRow("old numbering")
            << QByteArray("{\\rtf1{\\pntext 1.}{\\*\\pn\\pnlvlbody\\pndec}a\\par"
                          "{\\pntext 2.}{\\*\\pn\\pnlvlbody\\pndec}b\\par}")
            << int(QTextListFormat::ListDecimal);
        QTest::newRow("old bullets")
            << QByteArray("{\\rtf1{\\*\\pn\\pnlvlblt}a\\par{\\*\\pn\\pnlvlblt}b\\par}")
            << int(QTextListFormat::ListDisc);
    }

    void lists() {
        QFETCH(QByteArray, rtf);
        QFETCH(int, style);
        QTextDocument doc;
        QVERIFY(TRtfReader::Read(rtf, &doc).ok);
        const QTextBlock a = doc.begin();
        QVERIFY(a.textList());
        QCOMPARE(int(a.textList()->format().style()), style);
        QCOMPARE(a.next().textList(), a.textList()); // both items in one list
        QCOMPARE(a.text(), QStringLiteral("a"));     // the marker text is not content
    }

    // Legacy numbering shows the text the file puts around the number, and only that.
    void legacyNumberText_data() {
        QTest::addColumn<QByteArray>("pn");
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QString>("suffix");
        QTest::newRow("number alone") << QByteArray("\\pndec") << QString() << QString();
        QTest::newRow("text after")
            << QByteArray("\\pndec{\\pntxta .}") << QString() << QStringLiteral(".");
        QTest::newRow("text around") << QByteArray("\\pnlcltr{\\pntxtb (}{\\pntxta )}")
                                     << QStringLiteral("(") << QStringLiteral(")");
        QTest::newRow("escaped text") << QByteArray("\\pnucrm{\\pntxtb \\'a7 }{\\pntxta \\u8212-}")
                                      << QStringLiteral("\u00A7 ") << QStringLiteral("\u2014");
    }

    void legacyNumberText() {
        QFETCH(QByteArray, pn);
        QFETCH(QString, prefix);
        QFETCH(QString, suffix);
        const QByteArray item = "{\\*\\pn\\pnlvlbody" + pn + "}";
        QTextDocument doc;
        QVERIFY(TRtfReader::Read("{\\rtf1\\ansi " + item + "a\\par " + item + "b\\par}", &doc).ok);
        const QTextBlock a = doc.begin();
        QVERIFY(a.textList());
        QCOMPARE(a.textList()->format().numberPrefix(), prefix);
        QCOMPARE(a.textList()->format().numberSuffix(), suffix);
        QCOMPARE(a.next().textList(), a.textList());
    }

    void legacyNumberTextChangeStartsNewList() {
        QTextDocument doc;
        QVERIFY(TRtfReader::Read("{\\rtf1{\\*\\pn\\pnlvlbody\\pndec{\\pntxta .}}a\\par"
                                 "{\\*\\pn\\pnlvlbody\\pndec{\\pntxta )}}b\\par}",
                                 &doc)
                    .ok);
        const QTextBlock a = doc.begin();
        QVERIFY(a.textList() && a.next().textList());
        QVERIFY(a.textList() != a.next().textList());
        QCOMPARE(a.next().textList()->format().numberSuffix(), QStringLiteral(")"));
    }

    void tableCellsAndMerges() {
        const QByteArray rtf =
            "{\\rtf1{\\colortbl;\\red0\\green128\\blue0;}"
            "\\trowd\\clcbpat1\\clvmgf\\cellx1500\\clmgf\\cellx3000\\clmrg\\cellx4500"
            "\\pard\\intbl a\\cell b\\cell c\\cell\\row"
            "\\trowd\\clvmrg\\cellx1500\\cellx3000\\cellx4500\\pard\\intbl\\cell d\\cell "
            "e\\cell\\row"
            "\\pard after\\par}";
        QTextDocument doc;
        QVERIFY(TRtfReader::Read(rtf, &doc).ok);
        QTextTable* t = FirstTable(&doc);
        QVERIFY(t);
        QCOMPARE(t->rows(), 2);
        QCOMPARE(t->columns(), 3);
        QCOMPARE(t->cellAt(0, 0).rowSpan(), 2);    // vertical merge
        QCOMPARE(t->cellAt(0, 1).columnSpan(), 2); // horizontal merge
        QCOMPARE(t->cellAt(0, 0).format().background().color(), QColor(0, 128, 0));
        QCOMPARE(t->cellAt(1, 1).firstCursorPosition().block().text(), QStringLiteral("d"));
        const QList<QTextLength> widths = t->format().columnWidthConstraints();
        QCOMPARE(widths.size(), 3);
        QCOMPARE(widths.at(0).rawValue(), 100.0); // 1500 twips
        QVERIFY(doc.toPlainText().endsWith(QLatin1String("after")));
    }

    // The first cell is as wide as the row definition says, wherever the row starts.
    void tablePlacement_data() {
        QTest::addColumn<QByteArray>("row");
        QTest::addColumn<int>("alignment");
        QTest::addColumn<qreal>("leftMargin");
        QTest::addColumn<qreal>("firstWidth");
        QTest::newRow("Word's default: padding left of the margin")
            << QByteArray("\\trgaph108\\trleft-108") << int(Qt::AlignLeft) << -7.2 << 207.2;
        QTest::newRow("indented") << QByteArray("\\trleft720") << int(Qt::AlignLeft) << 48.0
                                  << 152.0;
        QTest::newRow("centred") << QByteArray("\\trqc\\trleft-108") << int(Qt::AlignHCenter) << 0.0
                                 << 207.2;
        QTest::newRow("right") << QByteArray("\\trqr") << int(Qt::AlignRight) << 0.0 << 200.0;
    }

    void tablePlacement() {
        QFETCH(QByteArray, row);
        QFETCH(int, alignment);
        QFETCH(qreal, leftMargin);
        QFETCH(qreal, firstWidth);
        QTextDocument doc;
        QVERIFY(TRtfReader::Read("{\\rtf1\\trowd" + row +
                                     "\\cellx3000\\pard\\intbl a\\cell\\row\\pard b\\par}",
                                 &doc)
                    .ok);
        QTextTable* t = FirstTable(&doc);
        QVERIFY(t);
        QCOMPARE(int(t->format().alignment() & Qt::AlignHorizontal_Mask), alignment);
        QCOMPARE(t->format().leftMargin(), leftMargin);
        QCOMPARE(t->format().columnWidthConstraints().value(0).rawValue(), firstWidth);
    }

    // One border round every cell is drawn by the table, as separate borders at half the
    // width (two neighbours show it twice); borders of a cell's own need collapsed borders.
    void tableBorders_data() {
        QTest::addColumn<QByteArray>("rows");
        QTest::addColumn<bool>("collapsed");
        QTest::addColumn<qreal>("tableLine"); // width of the table's own line, in px
        QTest::addColumn<qreal>("ownBottom"); // the last row's first cell's own bottom border
        const QByteArray all = "\\clbrdrt\\brdrs\\brdrw30\\clbrdrl\\brdrs\\brdrw30"
                               "\\clbrdrb\\brdrs\\brdrw30\\clbrdrr\\brdrs\\brdrw30";
        const QByteArray bottom = "\\clbrdrb\\brdrs\\brdrw15";
        auto row = [](const QByteArray& cell) {
            return "\\trowd" + cell + "\\cellx2000" + cell +
                   "\\cellx4000\\pard\\intbl a\\cell b\\cell\\row";
        };
        QTest::newRow("no borders") << row("") << false << 0.0 << 0.0;
        QTest::newRow("one border round every cell") << row(all) + row(all) << false << 2.0 << 0.0;
        QTest::newRow("bottom borders only") << row(bottom) << true << 0.0 << 1.0;
        QTest::newRow("grid, then a row of its own")
            << row(all) + row(bottom) << true << 2.0 << 1.0;
    }

    void tableBorders() {
        QFETCH(QByteArray, rows);
        QFETCH(bool, collapsed);
        QFETCH(qreal, tableLine);
        QFETCH(qreal, ownBottom);
        QTextDocument doc;
        QVERIFY(TRtfReader::Read("{\\rtf1 " + rows + "\\pard after\\par}", &doc).ok);
        QTextTable* t = FirstTable(&doc);
        QVERIFY(t);
        const QTextTableFormat tf = t->format();
        QCOMPARE(tf.borderCollapse(), collapsed);
        QCOMPARE(collapsed ? tf.border() : 2 * tf.border(), tableLine);
        const QTextTableCellFormat last = t->cellAt(t->rows() - 1, 0).format().toTableCellFormat();
        QCOMPARE(last.bottomBorder(), ownBottom);
    }

    void nestedTable() {
        const QByteArray rtf =
            "{\\rtf1\\trowd\\cellx5000\\pard\\intbl outer\\par"
            "\\pard\\intbl\\itap2 inner\\nestcell{\\*\\nesttableprops\\trowd\\cellx2000\\nestrow}"
            "\\pard\\intbl\\itap1\\cell\\row\\pard after\\par}";
        QTextDocument doc;
        QVERIFY(TRtfReader::Read(rtf, &doc).ok);
        QTextTable* outer = FirstTable(&doc);
        QVERIFY(outer);
        QTextCursor c = doc.find(QStringLiteral("inner"));
        QVERIFY(!c.isNull());
        QTextTable* inner = c.currentTable();
        QVERIFY(inner && inner != outer);
        QCOMPARE(inner->parentFrame(), outer);
    }

    void picture_data() {
        QTest::addColumn<QByteArray>("format");
        QTest::addColumn<QByteArray>("blip");
        QTest::newRow("png") << QByteArray("PNG") << QByteArray("\\pngblip");
        QTest::newRow("jpeg") << QByteArray("JPEG") << QByteArray("\\jpegblip");
    }

    void picture() {
        QFETCH(QByteArray, format);
        QFETCH(QByteArray, blip);
        QImage img(40, 20, QImage::Format_RGB32);
        img.fill(Qt::red);
        QByteArray data;
        QBuffer buf(&data);
        buf.open(QIODevice::WriteOnly);
        QVERIFY(img.save(&buf, format.constData()));
        // 40 px shown at 1200 twips wide (80 px), scaled 50 % → 40 px; height 600 twips → 40 px.
        const QByteArray rtf =
            "{\\rtf1 a{\\*\\shppict{\\pict" + blip +
            "\\picw40\\pich20\\picwgoal1200\\pichgoal600\\picscalex50\\picscaley100 " +
            data.toHex() + "}}{\\nonshppict{\\pict\\wmetafile8 0100}}b}";
        QTextDocument doc;
        QVERIFY(TRtfReader::Read(rtf, &doc).ok);
        QCOMPARE(doc.toPlainText(), QStringLiteral("a\uFFFCb"));
        QTextCursor c(&doc);
        c.setPosition(2);
        const QTextImageFormat f = c.charFormat().toImageFormat();
        QVERIFY(f.isValid());
        QCOMPARE(f.width(), 40.0);
        QCOMPARE(f.height(), 40.0);
        const QImage stored =
            doc.resource(QTextDocument::ImageResource, QUrl(f.name())).value<QImage>();
        QCOMPARE(stored.size(), QSize(40, 20));
    }

    // A picture whose header reads well but whose data is cut short (its end and the last
    // bytes of its pixels lost) keeps its place and size, drawn blank; the same picture twice
    // is one resource.
    void damagedAndRepeatedPictures() {
        QImage img(40, 20, QImage::Format_RGB32);
        img.fill(Qt::blue);
        QByteArray png;
        QBuffer buf(&png);
        buf.open(QIODevice::WriteOnly);
        QVERIFY(img.save(&buf, "PNG"));
        const QByteArray whole = "{\\pict\\pngblip\\picw40\\pich20 " + png.toHex() + "}";
        const QByteArray cut =
            "{\\pict\\pngblip\\picw40\\pich20 " + png.left(png.size() - 16).toHex() + "}";
        QTextDocument doc;
        QVERIFY(TRtfReader::Read("{\\rtf1 " + whole + cut + whole + "}", &doc).ok);
        QCOMPARE(doc.toPlainText(), QString(3, QChar::ObjectReplacementCharacter));
        QTextCursor c(&doc);
        QStringList names;
        for (int i = 1; i <= 3; ++i) {
            c.setPosition(i);
            const QTextImageFormat f = c.charFormat().toImageFormat();
            QCOMPARE(f.width(), 40.0);
            QCOMPARE(f.height(), 20.0);
            names.append(f.name());
        }
        QCOMPARE(names.at(0), names.at(2));
        QVERIFY(names.at(0) != names.at(1));
        const QImage good =
            doc.resource(QTextDocument::ImageResource, QUrl(names.at(0))).value<QImage>();
        QCOMPARE(good.pixel(5, 5), QColor(Qt::blue).rgb());
        const QImage blank =
            doc.resource(QTextDocument::ImageResource, QUrl(names.at(1))).value<QImage>();
        QVERIFY(!blank.isNull());
        QVERIFY(blank.size() != QSize(40, 20));
    }

    void metafileIsBlankPlaceholder() {
        QTextDocument doc;
        QVERIFY(
            TRtfReader::Read("{\\rtf1{\\pict\\wmetafile8\\picw2540\\pich1270 010009000003}}", &doc)
                .ok);
        QTextCursor c(&doc);
        c.setPosition(1);
        const QTextImageFormat f = c.charFormat().toImageFormat();
        QVERIFY(f.isValid());
        QCOMPARE(f.width(), 96.0); // 1 inch in hundredths of a millimetre
        QCOMPARE(f.height(), 48.0);
        QVERIFY(
            !doc.resource(QTextDocument::ImageResource, QUrl(f.name())).value<QImage>().isNull());
    }

    void hyperlink_data() {
        QTest::addColumn<QByteArray>("inst");
        QTest::addColumn<QString>("href");
        QTest::newRow("quoted") << QByteArray("HYPERLINK \"http://example.com/a b\"")
                                << QStringLiteral("http://example.com/a b");
        QTest::newRow("bare") << QByteArray("HYPERLINK http://example.com")
                              << QStringLiteral("http://example.com");
        QTest::newRow("with anchor")
            << QByteArray("HYPERLINK \"doc.rtf\" \\\\l \"top\"") << QStringLiteral("doc.rtf#top");
        QTest::newRow("anchor only")
            << QByteArray("HYPERLINK \\\\l \"top\"") << QStringLiteral("#top");
        QTest::newRow("tooltip switch") << QByteArray("HYPERLINK \"mailto:a@b.c\" \\\\o \"Mail\"")
                                        << QStringLiteral("mailto:a@b.c");
        QTest::newRow("letters beyond ASCII")
            << QByteArray("HYPERLINK \"http://example.com/caf\\u233?s-\\u252?ber\"")
            << QStringLiteral("http://example.com/caf\u00e9s-\u00fcber");
    }

    void hyperlink() {
        QFETCH(QByteArray, inst);
        QFETCH(QString, href);
        QTextDocument doc;
        QVERIFY(TRtfReader::Read(
                    "{\\rtf1 a {\\field{\\*\\fldinst " + inst + "}{\\fldrslt Link}} b}", &doc)
                    .ok);
        QCOMPARE(doc.toPlainText(), QStringLiteral("a Link b"));
        const QTextCharFormat f = At(&doc, QStringLiteral("Link")).charFormat();
        QVERIFY(f.isAnchor());
        QCOMPARE(f.anchorHref(), href);
        QVERIFY(!At(&doc, QStringLiteral(" b")).charFormat().isAnchor());
    }

    void pageSetupAndBackground() {
        QTextDocument doc;
        const TRtfReadResult r = TRtfReader::Read(
            "{\\rtf1\\paperw11906\\paperh16838\\margl1134\\margr567\\margt1417\\margb850"
            "{\\*\\background{\\shp{\\*\\shpinst{\\sp{\\sn fillColor}{\\sv 15658734}}}}}x}",
            &doc);
        QVERIFY(r.ok);
        QCOMPARE(qRound(r.paperSizeMm.width()), 210);
        QCOMPARE(qRound(r.paperSizeMm.height()), 297);
        QCOMPARE(qRound(r.marginsMm.left()), 20);
        QCOMPARE(qRound(r.marginsMm.right()), 10);
        QCOMPARE(qRound(r.marginsMm.top()), 25);
        QCOMPARE(qRound(r.marginsMm.bottom()), 15);
        QCOMPARE(doc.rootFrame()->frameFormat().background().color(), QColor(0xEE, 0xEE, 0xEE));

        const TRtfReadResult none = TRtfReader::Read("{\\rtf1 x}", &doc);
        QVERIFY(!none.paperSizeMm.isValid());
        QVERIFY(none.marginsMm.isNull());
    }

    void pageBreak() {
        QTextDocument doc;
        QVERIFY(TRtfReader::Read("{\\rtf1 a\\page b\\par}", &doc).ok);
        QCOMPARE(doc.blockCount(), 2);
        QCOMPARE(doc.lastBlock().blockFormat().pageBreakPolicy(),
                 QTextFormat::PageBreak_AlwaysBefore);
    }

    void readFileErrors() {
        QTextDocument doc;
        const TRtfReadResult r = TRtfReader::ReadFile(QStringLiteral("/nonexistent/x.rtf"), &doc);
        QVERIFY(!r.ok);
        QVERIFY(r.error.contains(QLatin1String("x.rtf")));
    }
};

QTEST_MAIN(TestRtfFormats)
#include "tst_formats.moc"
