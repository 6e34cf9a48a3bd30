#include "data/query.h"
#include "dbfixture.h"
#include "pdftext.h"
#include "print/reportoutput.h"
#include "print/rptclient.h"
#include "shell/messages.h"
#include "shell/settings.h"

#include <QDate>
#include <QLocale>
#include <QtTest>

// The client sheet printed from a client stored in a real database file.
class TestPrintClient : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void printsTheStoredClient();
    void missingClientIsReported();

private:
    std::unique_ptr<DbFixture> m_db;
    std::unique_ptr<TAppSettings> m_settings;
};

void TestPrintClient::init() {
    m_db = std::make_unique<DbFixture>();
    TAppPaths::init(m_db->dir.path());
    m_settings = std::make_unique<TAppSettings>(QStringLiteral("$"));
    m_settings->CompanyName = QStringLiteral("Northgate Accountancy");
    m_settings->Other1Name = QStringLiteral("Tax office");
    m_settings->Other2Name = QStringLiteral("UTR");
    m_settings->Other3Name = QStringLiteral("Year end");
    TAppSettings::setInstance(m_settings.get());
    TMessages::setTesting(true);
    TMessages::shown().clear();
    TReportOutput::setTesting(true);
}

void TestPrintClient::cleanup() {
    TAppSettings::setInstance(nullptr);
    m_settings.reset();
    m_db.reset(); // the shared connection closes before the next test opens its own
}

void TestPrintClient::printsTheStoredClient() {
    // memNotes left NULL, as rows from older files may have it.
    TQuery insert(QStringLiteral(
        "INSERT INTO client (ledtCompanyName, memAddress, ledtPrimaryContact, ledtOffice, "
        "ledtFax, ledtEmail, ledtPosition, ledtWebsite, ledtOther1, ledtOther2, ledtOther3, "
        "ledtReference, memNotes) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, NULL)"));
    const QStringList values{QStringLiteral("O'Brien \"Quoted\" Partners"),
                             QStringLiteral("1 Quay Road\r\nCork"),
                             QStringLiteral("Siobhán O'Brien"),
                             QStringLiteral("021 555 0100"),
                             QStringLiteral("021 555 0101"),
                             QStringLiteral("office@obrien.example"),
                             QStringLiteral("Partner"),
                             QStringLiteral("obrien.example"),
                             QStringLiteral("Cork North"),
                             QStringLiteral("1234567890"),
                             QStringLiteral("31 March"),
                             QStringLiteral("OBR-7")};
    for (const QString& v : values)
        insert.bind(v);
    insert.exec();
    const int id = insert.lastInsertId().toInt();

    const QString path = m_db->dir.filePath(QStringLiteral("sheet.pdf"));
    TReportOutput::setNextChoice({TOutputKind::PdfFile, path});
    PrintClientSheet(nullptr, id);
    QVERIFY(TMessages::shown().isEmpty());

    const QString text = PdfText::text(path);
    QStringList expected = values;
    expected.replace(1, QStringLiteral("1 Quay Road\nCork"));
    expected << QStringLiteral("Tax office:") << QStringLiteral("UTR:")
             << QStringLiteral("Year end:") << QStringLiteral("Northgate Accountancy")
             << QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat)
             << QStringLiteral("Client ID %1").arg(id);
    for (const QString& piece : expected)
        QVERIFY2(text.contains(piece), qPrintable(piece));
    // The document is named after the client.
    QVERIFY(PdfText::run(QStringLiteral("pdfinfo"), {path})
                .contains(QStringLiteral("Client sheet - O'Brien")));
}

void TestPrintClient::missingClientIsReported() {
    const QString path = m_db->dir.filePath(QStringLiteral("none.pdf"));
    TReportOutput::setNextChoice({TOutputKind::PdfFile, path});
    PrintClientSheet(nullptr, 999);
    QCOMPARE(TMessages::shown(),
             QStringList{QStringLiteral("This client record no longer exists.")});
    QVERIFY(!QFile::exists(path));

    // No client open: nothing to print and nothing to say.
    TMessages::shown().clear();
    PrintClientSheet(nullptr, 0);
    QVERIFY(TMessages::shown().isEmpty());
}

QTEST_MAIN(TestPrintClient)
#include "tst_printclient.moc"
