#include "documents/pdfhdr.h"
#include "documents/trvpdf.h"
#include "pdfreader.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>

namespace {

// Three pages: the second and third paragraphs start on new pages.
void fillThreePages(QTextDocument* doc) {
    QTextCursor c(doc);
    c.insertText(QStringLiteral("Page one text"));
    QTextBlockFormat breakBefore;
    breakBefore.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    c.insertBlock(breakBefore);
    c.insertText(QStringLiteral("Page two text"));
    c.insertBlock(breakBefore);
    c.insertText(QStringLiteral("Page three text"));
}

QString pageText(const QString& pdf, int page) {
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty())
        return QString();
    QProcess p;
    p.start(tool, {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                   QString::number(page), pdf, QStringLiteral("-")});
    p.waitForFinished(20000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

class TestPdfExport : public QObject {
    Q_OBJECT

private slots:
    void pageSizes_data();
    void pageSizes();
    void pdfFileName_data();
    void pdfFileName();
    void threePagesWithOutlines();
    void longTextFlowsOverPages();
    void exportsAgainAtAnotherSize();
    void pageSizeAndPictures();
    void noOutlinesUnlessAsked();
    void emptyDocumentWritesNoFile();
    void unwritableFolderIsReported();
    void overwritesExistingFile();
    void roleOutlineTreeAndInfo();
};

void TestPdfExport::pageSizes_data() {
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("orientation"); // -1: leave as it is
    QTest::addColumn<QSize>("expected");
    QTest::newRow("A4") << int(TRolePDF::psA4) << -1 << QSize(595, 842);
    QTest::newRow("Letter") << int(TRolePDF::psLetter) << -1 << QSize(612, 792);
    QTest::newRow("Legal") << int(TRolePDF::psLegal) << -1 << QSize(612, 1008);
    QTest::newRow("A4 landscape") << int(TRolePDF::psA4) << int(TRolePDF::poLandscape)
                                  << QSize(842, 595);
    QTest::newRow("A4 portrait stays")
        << int(TRolePDF::psA4) << int(TRolePDF::poPortrait) << QSize(595, 842);
    QTest::newRow("custom keeps the size") << int(TRolePDF::psCustom) << -1 << QSize(595, 842);
}

void TestPdfExport::pageSizes() {
    QFETCH(int, size);
    QFETCH(int, orientation);
    QFETCH(QSize, expected);
    TRolePDF pdf;
    QCOMPARE(pdf.PageSize(), TRolePDF::psA4);
    pdf.SetPageSize(TRolePDF::TPageSize(size));
    if (orientation >= 0) {
        pdf.SetOrientation(TRolePDF::TPageOrientation(orientation));
        pdf.SetOrientation(TRolePDF::TPageOrientation(orientation)); // again: no change
    }
    QCOMPARE(QSize(pdf.PageWidth(), pdf.PageHeight()), expected);
    QCOMPARE(pdf.Orientation(),
             expected.width() > expected.height() ? TRolePDF::poLandscape : TRolePDF::poPortrait);
}

void TestPdfExport::pdfFileName_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");
    QTest::newRow("document file")
        << QStringLiteral("/tmp/x/report.qdf") << QStringLiteral("/tmp/x/report.pdf");
    QTest::newRow("already pdf") << QStringLiteral("a.pdf") << QStringLiteral("a.pdf");
    QTest::newRow("no extension") << QStringLiteral("/tmp/letter")
                                  << QStringLiteral("/tmp/letter.pdf");
    QTest::newRow("only the last extension") << QStringLiteral("/tmp/v1.2/notes.final.qdf")
                                             << QStringLiteral("/tmp/v1.2/notes.final.pdf");
    QTest::newRow("dot in folder only")
        << QStringLiteral("/tmp/v1.2/notes") << QStringLiteral("/tmp/v1.2/notes.pdf");
}

void TestPdfExport::pdfFileName() {
    QFETCH(QString, name);
    QFETCH(QString, expected);
    QCOMPARE(TRichViewPDF::PdfFileName(name), expected);
}

void TestPdfExport::threePagesWithOutlines() {
    QTemporaryDir dir;
    TRichViewPDF exporter;
    fillThreePages(exporter.RichView());
    exporter.SetCreateOutlines(true);
    const QString asked = dir.filePath(QStringLiteral("report.qdf"));
    QVERIFY2(exporter.Export(asked), qPrintable(exporter.ErrorString()));
    const QString written = dir.filePath(QStringLiteral("report.pdf"));
    QCOMPARE(exporter.OutputFileName(), written);
    QVERIFY(!QFile::exists(asked));
    QCOMPARE(exporter.PageCount(), 3);

    const TPdfFacts facts = ReadPdfFacts(written);
    QVERIFY(facts.ok);
    QCOMPARE(facts.pages, 3);
    QCOMPARE(facts.outlines.size(), 1);
    const TPdfOutline& top = facts.outlines.first();
    QCOMPARE(top.title, QStringLiteral("Pages of report.pdf"));
    QCOMPARE(top.page, 1);
    QCOMPARE(top.kids.size(), 3);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(top.kids.at(i).title, QStringLiteral("Page %1").arg(i + 1));
        QCOMPARE(top.kids.at(i).page, i + 1);
        QVERIFY(top.kids.at(i).kids.isEmpty());
    }
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext is not installed; the page texts are not checked");
    QVERIFY(pageText(written, 1).contains(QStringLiteral("Page one text")));
    QVERIFY(pageText(written, 2).contains(QStringLiteral("Page two text")));
    QVERIFY(pageText(written, 3).contains(QStringLiteral("Page three text")));
}

void TestPdfExport::longTextFlowsOverPages() {
    QTemporaryDir dir;
    TRichViewPDF exporter;
    QTextCursor c(exporter.RichView());
    for (int i = 1; i <= 150; ++i) {
        c.insertText(QStringLiteral("Paragraph %1 of a long letter that goes on.").arg(i));
        c.insertBlock();
    }
    c.insertText(QStringLiteral("The last words"));
    QVERIFY(exporter.Export(dir.filePath(QStringLiteral("long.pdf"))));
    QVERIFY(exporter.PageCount() >= 3);
    const TPdfFacts facts = ReadPdfFacts(exporter.OutputFileName());
    QCOMPARE(facts.pages, exporter.PageCount());
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext is not installed; the page texts are not checked");
    const QString first = pageText(exporter.OutputFileName(), 1);
    QVERIFY(first.contains(QStringLiteral("Paragraph 1 of")));
    QVERIFY(!first.contains(QStringLiteral("The last words")));
    QVERIFY(pageText(exporter.OutputFileName(), facts.pages)
                .contains(QStringLiteral("The last words")));
    // No paragraph is lost or drawn twice at a page boundary.
    QString all;
    for (int p = 1; p <= facts.pages; ++p)
        all += pageText(exporter.OutputFileName(), p);
    for (int i = 1; i <= 150; ++i)
        QCOMPARE(all.count(QStringLiteral("Paragraph %1 of").arg(i)), 1);
}

// One exporter, several exports: each lays the document out for its own pages, and none
// leaves the document holding a device that is gone.
void TestPdfExport::exportsAgainAtAnotherSize() {
    QTemporaryDir dir;
    TRichViewPDF exporter;
    QTextCursor c(exporter.RichView());
    for (int i = 1; i <= 120; ++i)
        c.insertText(QStringLiteral("Paragraph %1 of a letter exported twice.\n").arg(i));
    const QSizeF a4(595, 842);
    const QSizeF a5(420, 595);
    int pages[3] = {};
    const QSizeF sizes[3] = {a4, a5, a4};
    for (int i = 0; i < 3; ++i) {
        exporter.SetPageSize(sizes[i]);
        const QString file = dir.filePath(QStringLiteral("again%1.pdf").arg(i));
        QVERIFY2(exporter.Export(file), qPrintable(exporter.ErrorString()));
        pages[i] = exporter.PageCount();
        QCOMPARE(ReadPdfFacts(file).pages, pages[i]);
        QVERIFY(!exporter.RichView()->documentLayout()->paintDevice());
    }
    QVERIFY(pages[1] > pages[0]);
    QCOMPARE(pages[2], pages[0]);
}

void TestPdfExport::pageSizeAndPictures() {
    QTemporaryDir dir;
    TRichViewPDF exporter;
    exporter.SetPageSize(QSizeF(792, 612));
    exporter.SetMargins(QMarginsF(10, 10, 10, 10));
    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    // The editor's document is copied in, pictures and all.
    QTextDocument editor;
    QTextDocument* doc = &editor;
    doc->addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("logo")), image);
    QTextCursor c(doc);
    c.insertText(QStringLiteral("With a picture "));
    QTextImageFormat pic;
    pic.setName(QStringLiteral("logo"));
    c.insertImage(pic);
    exporter.SetDocument(editor);
    QVERIFY(exporter.Export(dir.filePath(QStringLiteral("wide"))));
    QCOMPARE(exporter.OutputFileName(), dir.filePath(QStringLiteral("wide.pdf")));
    const TPdfFacts facts = ReadPdfFacts(exporter.OutputFileName());
    QCOMPARE(facts.pages, 1);
    QCOMPARE(facts.firstPageSize, QSizeF(792, 612));
    QCOMPARE(facts.imagesOnFirstPage, 1);
}

void TestPdfExport::noOutlinesUnlessAsked() {
    QTemporaryDir dir;
    TRichViewPDF exporter;
    fillThreePages(exporter.RichView());
    QVERIFY(exporter.Export(dir.filePath(QStringLiteral("plain.pdf"))));
    const TPdfFacts facts = ReadPdfFacts(exporter.OutputFileName());
    QCOMPARE(facts.pages, 3);
    QVERIFY(facts.outlines.isEmpty());
}

void TestPdfExport::emptyDocumentWritesNoFile() {
    QTemporaryDir dir;
    TRichViewPDF exporter;
    exporter.SetCreateOutlines(true);
    QVERIFY(exporter.Export(dir.filePath(QStringLiteral("empty.qdf"))));
    QVERIFY(exporter.ErrorString().isEmpty());
    QVERIFY(exporter.OutputFileName().isEmpty());
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList());
}

void TestPdfExport::unwritableFolderIsReported() {
    QTemporaryDir dir;
    TRichViewPDF exporter;
    fillThreePages(exporter.RichView());
    const QString target = dir.filePath(QStringLiteral("missing/folder/out.pdf"));
    QVERIFY(!exporter.Export(target));
    QVERIFY2(exporter.ErrorString().contains(target), qPrintable(exporter.ErrorString()));
    QVERIFY(exporter.OutputFileName().isEmpty());
    QVERIFY(!QFile::exists(target));
}

void TestPdfExport::overwritesExistingFile() {
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("again.pdf"));
    QFile old(target);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("not a pdf");
    old.close();
    TRichViewPDF exporter;
    fillThreePages(exporter.RichView());
    QVERIFY(exporter.Export(target));
    QCOMPARE(ReadPdfFacts(target).pages, 3);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("again.pdf")});
}

void TestPdfExport::roleOutlineTreeAndInfo() {
    QTemporaryDir dir;
    TRolePDF pdf;
    pdf.FileName = dir.filePath(QStringLiteral("tree.pdf"));
    pdf.Author = QStringLiteral("J. Müller");
    pdf.SetPageSize(TRolePDF::psLetter);
    QVERIFY(pdf.BeginDoc());
    const int chapter = pdf.AddOutline(QStringLiteral("Chapter ✓"), -1, 1);
    pdf.Canvas()->drawText(100, 100, QStringLiteral("one"));
    pdf.NewPage();
    pdf.AddOutline(QStringLiteral("Section"), chapter, 2);
    pdf.AddOutline(QStringLiteral("Beyond the last page"), -1, 9);
    pdf.Canvas()->drawText(100, 100, QStringLiteral("two"));
    QCOMPARE(pdf.PageCount(), 2);
    QVERIFY2(pdf.EndDoc(), qPrintable(pdf.ErrorString()));

    const TPdfFacts facts = ReadPdfFacts(pdf.FileName);
    QCOMPARE(facts.pages, 2);
    QCOMPARE(facts.firstPageSize, QSizeF(612, 792));
    QCOMPARE(facts.author, QStringLiteral("J. Müller"));
    QCOMPARE(facts.outlines.size(), 2);
    QCOMPARE(facts.outlines.at(0).title, QStringLiteral("Chapter ✓"));
    QCOMPARE(facts.outlines.at(0).kids.size(), 1);
    QCOMPARE(facts.outlines.at(0).kids.at(0).page, 2);
    QCOMPARE(facts.outlines.at(1).page, 2); // clamped to the last page
}

QTEST_MAIN(TestPdfExport)
#include "tst_pdfexport.moc"
