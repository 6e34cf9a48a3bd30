#include "print/outputoptions.h"
#include "shell/messages.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

class TestOutputOptions : public QObject {
    Q_OBJECT

private slots:
    void init() {
        TMessages::setTesting(true);
        TMessages::shown().clear();
        TfrmOutputOptions::setLastChoice(TOutputChoice());
    }

    void offersLastChoiceAgain();
    void pdfNeedsAFileName();
    void pdfNameGetsItsSuffix();
    void missingFolderKeepsDialogOpen();
    void existingFileAsksBeforeReplacing_data();
    void existingFileAsksBeforeReplacing();
    void browseChoosesPdf();
    void everyControlIsNamed();

private:
    QTemporaryDir m_dir;
};

namespace {
QRadioButton* radio(TfrmOutputOptions& d, const char* name) {
    return d.findChild<QRadioButton*>(QLatin1String(name));
}
QLineEdit* fileEdit(TfrmOutputOptions& d) {
    return d.findChild<QLineEdit*>(QStringLiteral("edtPdfFile"));
}
QPushButton* okButton(TfrmOutputOptions& d) {
    return d.findChild<QPushButton*>(QStringLiteral("btnOk"));
}
} // namespace

void TestOutputOptions::offersLastChoiceAgain() {
    {
        TfrmOutputOptions first(QStringLiteral("First.pdf"));
        QVERIFY(radio(first, "rbPreview")->isChecked()); // before any choice
        radio(first, "rbPdfFile")->setChecked(true);
        fileEdit(first)->setText(m_dir.filePath(QStringLiteral("First.pdf")));
        first.accept();
        QCOMPARE(first.result(), int(QDialog::Accepted));
    }
    // The next printout offers PDF again, in the same folder, under its own name.
    TfrmOutputOptions second(QStringLiteral("Second.pdf"));
    QVERIFY(radio(second, "rbPdfFile")->isChecked());
    QCOMPARE(second.choice().pdfPath, m_dir.filePath(QStringLiteral("Second.pdf")));
}

void TestOutputOptions::pdfNeedsAFileName() {
    TfrmOutputOptions d(QStringLiteral("Report.pdf"));
    QVERIFY(okButton(d)->isEnabled());
    radio(d, "rbPdfFile")->setChecked(true);
    fileEdit(d)->clear();
    QVERIFY(!okButton(d)->isEnabled());
    QVERIFY(fileEdit(d)->isEnabled());
    // Printer and preview need no file.
    radio(d, "rbPrinter")->setChecked(true);
    QVERIFY(okButton(d)->isEnabled());
    QVERIFY(!fileEdit(d)->isEnabled());
}

void TestOutputOptions::pdfNameGetsItsSuffix() {
    TfrmOutputOptions d(QStringLiteral("Report.pdf"));
    radio(d, "rbPdfFile")->setChecked(true);
    fileEdit(d)->setText(m_dir.filePath(QStringLiteral("statement")));
    QCOMPARE(d.choice().pdfPath, m_dir.filePath(QStringLiteral("statement.pdf")));
    fileEdit(d)->setText(m_dir.filePath(QStringLiteral("statement.v2.pdf")));
    QCOMPARE(d.choice().pdfPath, m_dir.filePath(QStringLiteral("statement.v2.pdf")));
}

void TestOutputOptions::missingFolderKeepsDialogOpen() {
    TfrmOutputOptions d(QStringLiteral("Report.pdf"));
    radio(d, "rbPdfFile")->setChecked(true);
    fileEdit(d)->setText(m_dir.filePath(QStringLiteral("gone/Report.pdf")));
    d.accept();
    QCOMPARE(d.result(), int(QDialog::Rejected));
    QCOMPARE(TMessages::shown().size(), 1);
    QVERIFY(TMessages::shown().first().contains(QStringLiteral("does not exist")));
    QCOMPARE(TfrmOutputOptions::lastChoice().kind, TOutputKind::Preview);
}

void TestOutputOptions::existingFileAsksBeforeReplacing_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("replace") << int(QMessageBox::Yes) << true;
    QTest::newRow("keep") << int(QMessageBox::No) << false;
}

void TestOutputOptions::existingFileAsksBeforeReplacing() {
    QFETCH(int, answer);
    QFETCH(bool, accepted);
    const QString path = m_dir.filePath(QStringLiteral("exists.pdf"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();

    TfrmOutputOptions d(QStringLiteral("exists.pdf"));
    radio(d, "rbPdfFile")->setChecked(true);
    fileEdit(d)->setText(path);
    TMessages::setNextAnswer(QMessageBox::StandardButton(answer));
    d.accept();
    QCOMPARE(TMessages::shown().size(), 1);
    QVERIFY(TMessages::shown().first().contains(QStringLiteral("already exists")));
    QCOMPARE(d.result() == QDialog::Accepted, accepted);
}

void TestOutputOptions::browseChoosesPdf() {
    const QString path = m_dir.filePath(QStringLiteral("browsed.pdf"));
    QFile f(path); // the file dialog has already asked about replacing it
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();

    TfrmOutputOptions d(QStringLiteral("Report.pdf"));
    radio(d, "rbPdfFile")->setChecked(true);
    TMessages::setNextFile(path);
    QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("btnBrowse")), Qt::LeftButton);
    QCOMPARE(d.choice().kind, TOutputKind::PdfFile);
    QCOMPARE(d.choice().pdfPath, path);
    d.accept();
    QCOMPARE(d.result(), int(QDialog::Accepted));
    QVERIFY(TMessages::shown().isEmpty());

    // A cancelled file dialog changes nothing.
    TMessages::setNextFile(QString());
    QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("btnBrowse")), Qt::LeftButton);
    QCOMPARE(d.choice().pdfPath, path);
}

void TestOutputOptions::everyControlIsNamed() {
    TfrmOutputOptions d(QStringLiteral("Report.pdf"));
    QCOMPARE(d.windowTitle(), QStringLiteral("Output Options"));
    const auto buttons = d.findChildren<QAbstractButton*>();
    QVERIFY(buttons.size() >= 6);
    for (QAbstractButton* b : buttons)
        QVERIFY2(!b->accessibleName().isEmpty() || !b->text().isEmpty(),
                 qPrintable(b->objectName()));
    QCOMPARE(fileEdit(d)->accessibleName(), QStringLiteral("File name"));
}

QTEST_MAIN(TestOutputOptions)
#include "tst_outputoptions.moc"
