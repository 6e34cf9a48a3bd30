#include "sampledoc.h"

#include <QImage>
#include <QPainter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>
#include <QUrl>

void BuildSampleDocument(QTextDocument* doc) {
    doc->clear();
    QFont base(QStringLiteral("Liberation Sans"));
    base.setPointSize(11);
    doc->setDefaultFont(base);
    QTextCursor c(doc);

    QTextCharFormat plain;
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    QTextCharFormat red;
    red.setForeground(QColor(200, 0, 0));
    red.setFontItalic(true);
    QTextCharFormat mono;
    mono.setFontFamilies({QStringLiteral("Liberation Mono")});
    mono.setFontPointSize(9);

    QTextBlockFormat title;
    title.setAlignment(Qt::AlignHCenter);
    title.setBottomMargin(12);
    c.setBlockFormat(title);
    QTextCharFormat big = bold;
    big.setFontPointSize(16);
    c.insertText(QStringLiteral("Report for Émile Zoë"), big);

    QTextBlockFormat body;
    body.setAlignment(Qt::AlignJustify);
    body.setTextIndent(24);
    c.insertBlock(body, plain);
    c.insertText(QStringLiteral("Plain, "), plain);
    c.insertText(QStringLiteral("bold"), bold);
    c.insertText(QStringLiteral(", red italic"), red);
    c.insertText(QStringLiteral(" and code {x} \\ y."), mono);

    c.insertBlock(QTextBlockFormat(), plain);
    c.insertText(QStringLiteral("Visit "), plain);
    QTextCharFormat link;
    link.setAnchor(true);
    link.setAnchorHref(QStringLiteral("https://example.org/a?b=1"));
    link.setFontUnderline(true);
    link.setForeground(QColor(0, 0, 255));
    c.insertText(QStringLiteral("our site"), link);
    c.insertText(QStringLiteral(" today."), plain);

    c.insertBlock(QTextBlockFormat(), plain);
    QTextListFormat bullets;
    bullets.setStyle(QTextListFormat::ListDisc);
    c.createList(bullets);
    c.insertText(QStringLiteral("First point"), plain);
    c.insertBlock();
    c.insertText(QStringLiteral("Second point"), plain);

    c.insertBlock(QTextBlockFormat(), plain);
    QTextListFormat numbers;
    numbers.setStyle(QTextListFormat::ListDecimal);
    c.createList(numbers);
    c.insertText(QStringLiteral("Step one"), plain);
    c.insertBlock();
    c.insertText(QStringLiteral("Step two"), plain);

    c.insertBlock(QTextBlockFormat(), plain);
    QTextTableFormat tf;
    tf.setCellPadding(4);
    tf.setBorder(1);
    QTextTable* table = c.insertTable(3, 3, tf);
    const QStringList cells = {QStringLiteral("Date"),  QStringLiteral("Item"),
                               QStringLiteral("Sum"),   QStringLiteral("01/02"),
                               QStringLiteral("Visit"), QStringLiteral("40.00"),
                               QStringLiteral("Total"), QString(),
                               QStringLiteral("40.00")};
    for (int i = 0; i < 9; ++i)
        table->cellAt(i / 3, i % 3).firstCursorPosition().insertText(cells.at(i));
    table->mergeCells(2, 0, 1, 2);
    QTextTableCellFormat shaded;
    shaded.setBackground(QColor(230, 230, 230));
    table->cellAt(0, 0).setFormat(shaded);
    QTextCursor inner = table->cellAt(1, 1).lastCursorPosition();
    inner.insertBlock();
    QTextTable* nested = inner.insertTable(1, 2, tf);
    nested->cellAt(0, 0).firstCursorPosition().insertText(QStringLiteral("in A"));
    nested->cellAt(0, 1).firstCursorPosition().insertText(QStringLiteral("in B"));

    c.movePosition(QTextCursor::End);
    QImage image(16, 8, QImage::Format_RGB32);
    image.fill(QColor(10, 120, 200));
    {
        QPainter p(&image);
        p.fillRect(0, 0, 8, 8, Qt::yellow);
    }
    doc->addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("logo.png")), image);
    QTextImageFormat picture;
    picture.setName(QStringLiteral("logo.png"));
    picture.setWidth(32);
    picture.setHeight(16);
    c.insertText(QStringLiteral("Logo: "), plain);
    c.insertImage(picture);
}
