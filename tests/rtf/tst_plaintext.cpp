#include "rtf/plaintext.h"
#include "sampledoc.h"

#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

class TestPlainText : public QObject {
    Q_OBJECT

private slots:
    void paragraphs_data();
    void paragraphs();
    void wholeSampleDocument();
    void tables();
};

void TestPlainText::paragraphs_data() {
    QTest::addColumn<QString>("plain");
    QTest::addColumn<QString>("expected");
    QTest::newRow("empty document") << QString() << QString();
    QTest::newRow("one line") << QStringLiteral("Dear Sir") << QStringLiteral("Dear Sir");
    QTest::newRow("paragraphs use CR LF")
        << QStringLiteral("one\ntwo\n\nfour") << QStringLiteral("one\r\ntwo\r\n\r\nfour");
    QTest::newRow("line break inside a paragraph")
        << QStringLiteral("a") + QChar(QChar::LineSeparator) + QStringLiteral("b")
        << QStringLiteral("a\r\nb");
    QTest::newRow("tabs kept, no-break space plain")
        << QStringLiteral("x\ty\u00a0z") << QStringLiteral("x\ty z");
    QTest::newRow("long line not wrapped") << QString(200, u'w') << QString(200, u'w');
    QTest::newRow("trailing empty paragraphs dropped")
        << QStringLiteral("end\n\n") << QStringLiteral("end");
}

void TestPlainText::paragraphs() {
    QFETCH(QString, plain);
    QFETCH(QString, expected);
    QTextDocument doc;
    QTextCursor(&doc).insertText(plain);
    QCOMPARE(DocumentPlainText(doc), expected);
}

void TestPlainText::wholeSampleDocument() {
    QTextDocument doc;
    BuildSampleDocument(&doc);
    // List markers and the picture are not text; a nested table stays inside its cell.
    const QString expected = QStringLiteral("Report for \u00c9mile Zo\u00eb\r\n"
                                            "Plain, bold, red italic and code {x} \\ y.\r\n"
                                            "Visit our site today.\r\n"
                                            "First point\r\n"
                                            "Second point\r\n"
                                            "Step one\r\n"
                                            "Step two\r\n"
                                            "\r\n"
                                            "Date\tItem\tSum\r\n"
                                            "01/02\tVisit in A in B\t40.00\r\n"
                                            "Total\t\t40.00\r\n"
                                            "Logo: ");
    QCOMPARE(DocumentPlainText(doc), expected);
}

void TestPlainText::tables() {
    QTextDocument doc;
    QTextCursor c(&doc);
    c.insertText(QStringLiteral("Before"));
    QTextTable* t = c.insertTable(2, 2);
    QTextCursor cell = t->cellAt(0, 0).firstCursorPosition();
    cell.insertText(QStringLiteral("two"));
    cell.insertBlock();
    cell.insertText(QStringLiteral("lines"));
    t->cellAt(1, 1).firstCursorPosition().insertText(QStringLiteral("last"));
    c.movePosition(QTextCursor::End);
    c.insertText(QStringLiteral("After"));
    QCOMPARE(DocumentPlainText(doc), QStringLiteral("Before\r\ntwo lines\t\r\n\tlast\r\nAfter"));
}

QTEST_MAIN(TestPlainText)
#include "tst_plaintext.moc"
