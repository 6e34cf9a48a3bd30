#include "data/dberror.h"
#include "pdftext.h"
#include "print/pagewriter.h"
#include "print/reportoutput.h"
#include "shell/messages.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <unistd.h>

namespace {
void drawTwoPages(QPainter& p, QPagedPaintDevice& d) {
    TPageWriter w(p, d);
    w.printLn(QStringLiteral("First page"));
    w.newPage();
    w.printLn(QStringLiteral("Second page"));
}
} // namespace

class TestReportOutput : public QObject {
    Q_OBJECT

private slots:
    void init() {
        TMessages::setTesting(true);
        TMessages::shown().clear();
        TReportOutput::setTesting(true);
    }

    void runWritesTheChosenPdf();
    void runWithoutChoiceIsCancelled();
    void unwritablePdfIsReported_data();
    void unwritablePdfIsReported();
    void failedDrawingKeepsExistingFile();
    void pdfFileName_data();
    void pdfFileName();

private:
    QTemporaryDir m_dir;
};

void TestReportOutput::runWritesTheChosenPdf() {
    const QString path = m_dir.filePath(QStringLiteral("chosen.pdf"));
    // A file already there is replaced by the new printout.
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("old contents");
    old.close();

    TReportOutput::setNextChoice({TOutputKind::PdfFile, path});
    QCOMPARE(TReportOutput::Run(nullptr, QStringLiteral("Two pages"), drawTwoPages),
             TReportOutput::Result::Done);
    QCOMPARE(PdfText::pageCount(path), 2);
    QVERIFY(PdfText::text(path, 2).contains(QStringLiteral("Second page")));
    QVERIFY(PdfText::run(QStringLiteral("pdfinfo"), {path}).contains(QStringLiteral("Two pages")));
    QVERIFY(TMessages::shown().isEmpty());
    // Remembered for the next printout of the run.
    QCOMPARE(TfrmOutputOptions::lastChoice().kind, TOutputKind::PdfFile);
}

void TestReportOutput::runWithoutChoiceIsCancelled() {
    bool drawn = false;
    QCOMPARE(TReportOutput::Run(nullptr, QStringLiteral("Nothing"),
                                [&](QPainter&, QPagedPaintDevice&) { drawn = true; }),
             TReportOutput::Result::Cancelled);
    QVERIFY(!drawn);
}

void TestReportOutput::unwritablePdfIsReported_data() {
    QTest::addColumn<QString>("path");
    QTest::newRow("missing folder") << m_dir.filePath(QStringLiteral("no/such/folder/out.pdf"));
    QTest::newRow("a folder") << m_dir.path();
    QTest::newRow("system folder") << QStringLiteral("/proc/quillon-test.pdf");
    QTest::newRow("read-only folder") << m_dir.filePath(QStringLiteral("readonly/out.pdf"));
}

void TestReportOutput::unwritablePdfIsReported() {
    QFETCH(QString, path);
    if (QString::fromLatin1(QTest::currentDataTag()) == QLatin1String("read-only folder")) {
        if (geteuid() == 0)
            QSKIP("the administrator may write into read-only folders");
        QDir(m_dir.path()).mkdir(QStringLiteral("readonly"));
        QFile::setPermissions(m_dir.filePath(QStringLiteral("readonly")),
                              QFile::ReadOwner | QFile::ExeOwner);
    }
    TReportOutput::setNextChoice({TOutputKind::PdfFile, path});
    QCOMPARE(TReportOutput::Run(nullptr, QStringLiteral("Report"), drawTwoPages),
             TReportOutput::Result::Failed);
    QCOMPARE(TMessages::shown().size(), 1);
    const QString message = TMessages::shown().first();
    QVERIFY2(message.contains(QStringLiteral("could not be written")), qPrintable(message));
    QVERIFY2(message.contains(QDir::toNativeSeparators(path)), qPrintable(message));
    QVERIFY(!QFileInfo(path).isFile());
}

void TestReportOutput::failedDrawingKeepsExistingFile() {
    const QString path = m_dir.filePath(QStringLiteral("kept.pdf"));
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("the earlier printout");
    old.close();

    TReportOutput::setNextChoice({TOutputKind::PdfFile, path});
    // A database error part way through reaches the caller, and nothing half-written stays.
    QVERIFY_THROWS_EXCEPTION(TDbError, TReportOutput::Run(nullptr, QStringLiteral("Broken"),
                                                          [](QPainter& p, QPagedPaintDevice& d) {
                                                              drawTwoPages(p, d);
                                                              throw TDbError(
                                                                  QStringLiteral("disk I/O error"));
                                                          }));
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("the earlier printout"));
    const QStringList leftovers =
        QDir(m_dir.path()).entryList({QStringLiteral("kept.pdf*")}, QDir::Files | QDir::Hidden);
    QCOMPARE(leftovers, QStringList{QStringLiteral("kept.pdf")});
}

void TestReportOutput::pdfFileName_data() {
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("fileName");
    QTest::newRow("plain") << QStringLiteral("Client sheet - Acme Ltd")
                           << QStringLiteral("Client sheet - Acme Ltd.pdf");
    QTest::newRow("separators") << QStringLiteral("Invoice 12/2024: A\\B")
                                << QStringLiteral("Invoice 12_2024_ A_B.pdf");
    QTest::newRow("hidden-file dot") << QStringLiteral("..notes") << QStringLiteral("notes.pdf");
    QTest::newRow("empty") << QString() << QStringLiteral("Report.pdf");
    QTest::newRow("line break") << QStringLiteral("Two\nlines") << QStringLiteral("Two lines.pdf");
}

void TestReportOutput::pdfFileName() {
    QFETCH(QString, title);
    QFETCH(QString, fileName);
    QCOMPARE(TReportOutput::pdfFileName(title), fileName);
}

QTEST_MAIN(TestReportOutput)
#include "tst_reportoutput.moc"
