#include "pdftext.h"
#include "print/client_sheet.h"
#include "print/pagewriter.h"
#include "print/reportoutput.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {
TClientSheetData sampleClient(int noteSentences = 0) {
    TClientSheetData d;
    d.clientId = 42;
    d.practiceName = QStringLiteral("Harbour Lane Consulting");
    d.printedOn = QStringLiteral("17/03/2025");
    d.labels = TClientSheet::labels(
        {QStringLiteral("Date of birth"), QStringLiteral("Referred by"), QString()});
    d.values = {
        {QStringLiteral("ledtCompanyName"), QStringLiteral("Émile Dupont & Daughters Ltd")},
        {QStringLiteral("memAddress"), QStringLiteral("12 High Street\r\nTownsville\r\nAB1 2CD")},
        {QStringLiteral("ledtPrimaryContact"), QStringLiteral("Zoë Dupont")},
        {QStringLiteral("ledtPosition"), QStringLiteral("Director")},
        {QStringLiteral("ledtOffice"), QStringLiteral("01234 567890")},
        {QStringLiteral("ledtEmail"), QStringLiteral("zoe@dupont.example")},
        {QStringLiteral("ledtFax"), QStringLiteral("01234 567891")},
        {QStringLiteral("ledtWebsite"), QStringLiteral("https://dupont.example")},
        {QStringLiteral("ledtReference"), QStringLiteral("DUP-0042")},
        {QStringLiteral("ledtOther1"), QStringLiteral("3 May 1970")},
        {QStringLiteral("ledtOther2"), QStringLiteral("Dr Patel")},
        {QStringLiteral("ledtOther3"), QStringLiteral("Box 7")},
    };
    QString notes;
    for (int i = 1; i <= noteSentences; ++i) {
        notes += QStringLiteral("Sentence S%1 of the notes runs on long enough to wrap. ")
                     .arg(i, 3, 10, QLatin1Char('0'));
        if (i % 6 == 0)
            notes += QStringLiteral("\r\n\r\n");
    }
    d.values.insert(QStringLiteral("memNotes"), notes);
    return d;
}

bool writeSheet(const QString& path, const TClientSheetData& data) {
    return TReportOutput::WritePdf(path, TClientSheet::title(data),
                                   [&](QPainter& p, QPagedPaintDevice& d) {
                                       TPageWriter w(p, d);
                                       TClientSheet::draw(w, data);
                                   });
}
} // namespace

class TestClientSheet : public QObject {
    Q_OBJECT

private slots:
    void sheetShowsEveryField();
    void labels_data();
    void labels();
    void longNotesContinueOnNextPage();

private:
    QTemporaryDir m_dir;
};

void TestClientSheet::sheetShowsEveryField() {
    const TClientSheetData data = sampleClient(3);
    const QString path = m_dir.filePath(QStringLiteral("sheet.pdf"));
    QVERIFY(writeSheet(path, data));
    QCOMPARE(PdfText::pageCount(path), 1);

    const QString text = PdfText::text(path);
    QStringList expected{data.practiceName, data.printedOn, QStringLiteral("Client ID 42"),
                         QStringLiteral("12 High Street\nTownsville\nAB1 2CD")};
    for (const QString& column : TClientSheet::columns()) {
        if (column != QLatin1String("memAddress") && column != QLatin1String("memNotes"))
            expected << data.values.value(column);
        expected << data.labels.value(column);
    }
    expected << QStringLiteral("Date of birth:") << QStringLiteral("Referred by:")
             << QStringLiteral("Other 3:") << QStringLiteral("Sentence S003");
    for (const QString& piece : expected)
        QVERIFY2(text.contains(piece), qPrintable(piece));
}

void TestClientSheet::labels_data() {
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("labels");
    QTest::newRow("defaults") << QStringList{QStringLiteral("Other 1"), QStringLiteral("Other 2"),
                                             QStringLiteral("Other 3")}
                              << QStringList{QStringLiteral("Other 1:"), QStringLiteral("Other 2:"),
                                             QStringLiteral("Other 3:")};
    QTest::newRow("own names") << QStringList{QStringLiteral("VAT no"), QStringLiteral("Née"),
                                              QStringLiteral("File")}
                               << QStringList{QStringLiteral("VAT no:"), QStringLiteral("Née:"),
                                              QStringLiteral("File:")};
    // A name the user cleared still leaves the field recognisable.
    QTest::newRow("empty names") << QStringList{QString(), QStringLiteral("  "),
                                                QStringLiteral("X")}
                                 << QStringList{QStringLiteral("Other 1:"),
                                                QStringLiteral("Other 2:"), QStringLiteral("X:")};
}

void TestClientSheet::labels() {
    QFETCH(QStringList, names);
    QFETCH(QStringList, labels);
    const QHash<QString, QString> all = TClientSheet::labels(names);
    QCOMPARE((QStringList{all.value(QStringLiteral("ledtOther1")),
                          all.value(QStringLiteral("ledtOther2")),
                          all.value(QStringLiteral("ledtOther3"))}),
             labels);
    // Every field of the sheet has a label.
    for (const QString& column : TClientSheet::columns())
        QVERIFY2(!all.value(column).isEmpty(), qPrintable(column));
}

void TestClientSheet::longNotesContinueOnNextPage() {
    const int sentences = 100;
    const TClientSheetData data = sampleClient(sentences);
    const QString path = m_dir.filePath(QStringLiteral("long.pdf"));
    QVERIFY(writeSheet(path, data));
    QCOMPARE(PdfText::pageCount(path), 2);

    const QString first = PdfText::text(path, 1);
    const QString second = PdfText::text(path, 2);
    QVERIFY(first.contains(QStringLiteral("Company name:")));
    QVERIFY(first.contains(QStringLiteral("Page 1")));
    QVERIFY(second.contains(QStringLiteral("client sheet (continued)")));
    QVERIFY(second.contains(QStringLiteral("Page 2")));
    QVERIFY(!second.contains(QStringLiteral("Company name:")));

    // The notes go on where page 1 stopped: every sentence once, in order.
    QList<int> numbers;
    auto it = QRegularExpression(QStringLiteral("\\bS(\\d{3})\\b")).globalMatch(first + second);
    while (it.hasNext())
        numbers << it.next().captured(1).toInt();
    QCOMPARE(numbers.size(), sentences);
    for (int i = 0; i < sentences; ++i)
        QCOMPARE(numbers.at(i), i + 1);
    QVERIFY(second.contains(QStringLiteral("S%1").arg(sentences)));
}

QTEST_MAIN(TestClientSheet)
#include "tst_clientsheet.moc"
