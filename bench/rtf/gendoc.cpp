#include "gendoc.h"

#include <QBuffer>
#include <QImage>
#include <QRandomGenerator>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>
#include <QUrl>

namespace {

const char* const kWords[] = {"client",  "session", "meeting", "invoice", "review",
                              "account", "report",  "therapy", "advice",  "contract",
                              "the",     "and",     "with",    "for",     "after",
                              "before",  "during",  "agreed",  "notes",   "Müller"};

QString sentence(QRandomGenerator& rng, int words) {
    QString s;
    for (int i = 0; i < words; ++i) {
        if (i)
            s += u' ';
        s += QString::fromUtf8(kWords[rng.bounded(int(std::size(kWords)))]);
    }
    s[0] = s[0].toUpper();
    return s + u'.';
}

} // namespace

void GenerateDocument(QTextDocument* doc, int sections, bool withPictures) {
    QRandomGenerator rng(20240601);
    doc->clear();
    doc->setDefaultFont(QFont(QStringLiteral("Liberation Sans"), 11));
    QTextCursor c(doc);
    QTextCharFormat plain;
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    QTextCharFormat italic;
    italic.setFontItalic(true);
    italic.setForeground(QColor(40, 60, 140));
    QTextCharFormat heading;
    heading.setFontWeight(QFont::Bold);
    heading.setFontPointSize(15);
    QTextBlockFormat headingBlock;
    headingBlock.setTopMargin(12);
    headingBlock.setBottomMargin(6);
    headingBlock.setHeadingLevel(2);
    QTextBlockFormat body;
    body.setAlignment(Qt::AlignJustify);
    body.setBottomMargin(4);

    for (int s = 0; s < sections; ++s) {
        c.insertBlock(headingBlock, heading);
        c.insertText(QStringLiteral("Section %1: ").arg(s + 1) + sentence(rng, 4), heading);
        for (int p = 0; p < 3; ++p) {
            c.insertBlock(body, plain);
            c.insertText(sentence(rng, 25) + u' ', plain);
            c.insertText(sentence(rng, 6), bold);
            c.insertText(u' ' + sentence(rng, 18) + u' ', plain);
            c.insertText(sentence(rng, 5), italic);
        }
        c.insertBlock(QTextBlockFormat(), plain);
        QTextListFormat bullets;
        bullets.setStyle(s % 2 ? QTextListFormat::ListDecimal : QTextListFormat::ListDisc);
        c.createList(bullets);
        for (int i = 0; i < 4; ++i) {
            if (i)
                c.insertBlock();
            c.insertText(sentence(rng, 8), plain);
        }
        c.insertBlock(QTextBlockFormat(), plain);
        QTextTableFormat tf;
        tf.setCellPadding(3);
        tf.setHeaderRowCount(1);
        QTextTable* table = c.insertTable(5, 4, tf);
        for (int r = 0; r < 5; ++r)
            for (int col = 0; col < 4; ++col)
                table->cellAt(r, col).firstCursorPosition().insertText(
                    r == 0 ? QStringLiteral("Column %1").arg(col + 1)
                           : (col == 3 ? QString::number(rng.bounded(10000) / 100.0, 'f', 2)
                                       : sentence(rng, 2)),
                    r == 0 ? bold : plain);
        c.movePosition(QTextCursor::End);
        if (withPictures && s % 4 == 0) {
            // A noisy picture compresses badly, like a photo or a scan.
            QImage image(160, 100, QImage::Format_RGB32);
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    image.setPixel(x, y, qRgb(x + s, y * 2, int(rng.bounded(256))));
            // Held encoded, as a document read from a file holds its pictures.
            QByteArray png;
            QBuffer buffer(&png);
            buffer.open(QIODevice::WriteOnly);
            image.save(&buffer, "PNG");
            const QString name = QStringLiteral("picture%1.png").arg(s);
            doc->addResource(QTextDocument::ImageResource, QUrl(name), png);
            QTextImageFormat pic;
            pic.setName(name);
            c.insertBlock(QTextBlockFormat(), plain);
            c.insertImage(pic);
        }
    }
}
