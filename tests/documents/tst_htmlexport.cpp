// A document as one HTML page: every picture embedded, wherever it sits.
#include "documents/htmlexport.h"

#include <QBuffer>
#include <QImage>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <QUrl>
#include <QtTest>

namespace {

QByteArray Png(const QColor& color) {
    QImage image(6, 4, QImage::Format_RGB32);
    image.fill(color);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

void InsertPicture(QTextCursor& cursor, const QString& name) {
    QTextImageFormat f;
    f.setName(name);
    cursor.insertImage(f);
}

} // namespace

class TestHtmlExport : public QObject {
    Q_OBJECT

private slots:
    void picturesAreEmbedded() {
        QTextDocument doc;
        const QByteArray readPng = Png(Qt::red); // as a document read from a file holds it
        doc.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("rtfimage:abc")),
                        readPng);
        QImage drawn(3, 3, QImage::Format_RGB32); // as one made in the editor
        drawn.fill(Qt::green);
        doc.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("logo & seal.png")),
                        drawn);
        QTextCursor c(&doc);
        c.insertText(QStringLiteral("Letter "));
        InsertPicture(c, QStringLiteral("rtfimage:abc"));
        QTextTable* table = c.insertTable(1, 2);
        QTextCursor cell = table->cellAt(0, 1).firstCursorPosition();
        InsertPicture(cell, QStringLiteral("logo & seal.png"));
        c.movePosition(QTextCursor::End);
        InsertPicture(c, QStringLiteral("rtfimage:missing"));

        const QString html = DocumentHtml(doc);
        // PNG data read from a file is embedded byte for byte.
        QVERIFY(html.contains(QLatin1String("src=\"data:image/png;base64,") +
                              QLatin1String(readPng.toBase64()) + u'"'));
        QVERIFY(!html.contains(QLatin1String("rtfimage:abc")));
        // A picture in a table cell, with a name HTML must escape, is embedded as PNG.
        QVERIFY(!html.contains(QLatin1String("seal.png")));
        const qsizetype at = html.lastIndexOf(QLatin1String("data:image/png;base64,"));
        const qsizetype end = html.indexOf(u'"', at);
        const QByteArray embedded =
            QByteArray::fromBase64(html.mid(at + 22, end - at - 22).toLatin1());
        QCOMPARE(QImage::fromData(embedded, "PNG").pixel(1, 1), QColor(Qt::green).rgb());
        // A picture the document does not hold keeps its name.
        QVERIFY(html.contains(QLatin1String("src=\"rtfimage:missing\"")));
    }
};

QTEST_MAIN(TestHtmlExport)
#include "tst_htmlexport.moc"
