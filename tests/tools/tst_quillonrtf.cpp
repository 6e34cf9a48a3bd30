#include "rtf/plaintext.h"
#include "rtf/rtfwriter.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>

namespace {

const QString kTool = QStringLiteral(QUILLON_BIN_DIR "/quillon-rtf");

struct Run {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

Run run(const QStringList& args) {
    QProcess p;
    p.start(kTool, args);
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

void buildLetter(QTextDocument* doc) {
    QTextCursor c(doc);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    c.insertText(QStringLiteral("Dear Ms Brontë,"), bold);
    c.insertBlock();
    c.insertText(QStringLiteral("Your appointment is on Monday."), QTextCharFormat());
    QTextBlockFormat newPage;
    newPage.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    c.insertBlock(newPage);
    c.insertText(QStringLiteral("Yours sincerely"));
}

} // namespace

class TestQuillonRtf : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void badUsage_data();
    void badUsage();
    void unreadableInput();
    void conversions();
    void unwritableOutput();

private:
    QTemporaryDir m_dir;
    QString m_letter;
    QByteArray m_letterRtf;
    QString m_letterText;
};

void TestQuillonRtf::initTestCase() {
    if (!QFile::exists(kTool))
        QSKIP("quillon-rtf is not built (it needs the RTF reader)");
    QTextDocument doc;
    buildLetter(&doc);
    m_letterRtf = TRtfWriter::Write(doc);
    m_letterText = DocumentPlainText(doc);
    m_letter = m_dir.filePath(QStringLiteral("letter.rtf"));
    QFile f(m_letter);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(m_letterRtf);
}

void TestQuillonRtf::badUsage_data() {
    QTest::addColumn<QStringList>("args");
    QTest::newRow("nothing") << QStringList();
    QTest::newRow("unknown command") << QStringList{QStringLiteral("doc"), QStringLiteral("a")};
    QTest::newRow("missing output") << QStringList{QStringLiteral("pdf"), QStringLiteral("a.rtf")};
    QTest::newRow("text with output")
        << QStringList{QStringLiteral("text"), QStringLiteral("a"), QStringLiteral("b")};
}

void TestQuillonRtf::badUsage() {
    QFETCH(QStringList, args);
    const Run r = run(args);
    QCOMPARE(r.status, 2);
    QVERIFY(r.err.startsWith("quillon-rtf: usage:"));
    QVERIFY(r.out.isEmpty());
}

void TestQuillonRtf::unreadableInput() {
    const QString missing = m_dir.filePath(QStringLiteral("no such file.rtf"));
    for (const QString& command : {QStringLiteral("text"), QStringLiteral("pdf")}) {
        QStringList args{command, missing};
        if (command != QLatin1String("text"))
            args << m_dir.filePath(QStringLiteral("never.pdf"));
        const Run r = run(args);
        QCOMPARE(r.status, 1);
        QCOMPARE(r.err.count('\n'), 1); // one line, naming the file
        QVERIFY2(r.err.contains(missing.toUtf8()), r.err.constData());
        QVERIFY(r.out.isEmpty());
    }
    QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("never.pdf"))));
}

void TestQuillonRtf::conversions() {
    Run r = run({QStringLiteral("text"), m_letter});
    QCOMPARE(r.status, 0);
    QCOMPARE(QString::fromUtf8(r.out),
             QString(m_letterText).replace(QLatin1String("\r\n"), QLatin1String("\n")) + u'\n');

    const QString rtf = m_dir.filePath(QStringLiteral("again.rtf"));
    r = run({QStringLiteral("rtf"), m_letter, rtf});
    QCOMPARE(r.status, 0);
    QFile again(rtf);
    QVERIFY(again.open(QIODevice::ReadOnly));
    QCOMPARE(again.readAll(), m_letterRtf); // our own RTF comes back byte for byte

    const QString html = m_dir.filePath(QStringLiteral("letter.html"));
    r = run({QStringLiteral("html"), m_letter, html});
    QCOMPARE(r.status, 0);
    QFile h(html);
    QVERIFY(h.open(QIODevice::ReadOnly));
    const QString page = QString::fromUtf8(h.readAll());
    QVERIFY(page.contains(QStringLiteral("<html")));
    QVERIFY(page.contains(QStringLiteral("Dear Ms Brontë,")));

    r = run({QStringLiteral("pdf"), m_letter, m_dir.filePath(QStringLiteral("letter.pdf"))});
    QCOMPARE(r.status, 0);
    QFile pdf(m_dir.filePath(QStringLiteral("letter.pdf")));
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    QVERIFY(bytes.startsWith("%PDF-"));
    QCOMPARE(bytes.count("/Type /Page\n") + bytes.count("/Type /Page "), 2);
    QVERIFY(bytes.contains("Pages of letter.pdf"));
}

void TestQuillonRtf::unwritableOutput() {
    const QString target = m_dir.filePath(QStringLiteral("missing/out.rtf"));
    const Run r = run({QStringLiteral("rtf"), m_letter, target});
    QCOMPARE(r.status, 1);
    QCOMPARE(r.err.count('\n'), 1);
    QVERIFY(r.err.contains(target.toUtf8()));
}

QTEST_MAIN(TestQuillonRtf)
#include "tst_quillonrtf.moc"
