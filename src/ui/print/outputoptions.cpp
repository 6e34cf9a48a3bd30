#include "print/outputoptions.h"

#include "shell/messages.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace {
TOutputChoice& last() {
    static TOutputChoice choice;
    return choice;
}

QString defaultFolder() {
    const QString previous = last().pdfPath;
    if (!previous.isEmpty()) {
        const QFileInfo info(previous);
        if (info.absoluteDir().exists())
            return info.absolutePath();
    }
    QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (docs.isEmpty() || !QDir(docs).exists())
        docs = QDir::homePath();
    return docs;
}

QRadioButton* radio(const QString& caption, const QString& name, QWidget* parent) {
    auto* button = new QRadioButton(caption, parent);
    button->setObjectName(name);
    button->setAccessibleName(QString(caption).remove(QLatin1Char('&')));
    return button;
}
} // namespace

TfrmOutputOptions::TfrmOutputOptions(const QString& suggestedPdfName, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("frmOutputOptions"));
    setWindowTitle(QStringLiteral("Output Options"));

    auto* group = new QGroupBox(QStringLiteral("Send the report to"), this);
    m_rbPrinter = radio(QStringLiteral("&Printer"), QStringLiteral("rbPrinter"), group);
    m_rbPreview = radio(QStringLiteral("Pre&view"), QStringLiteral("rbPreview"), group);
    m_rbPdf = radio(QStringLiteral("P&DF file"), QStringLiteral("rbPdfFile"), group);

    auto* fileLabel = new QLabel(QStringLiteral("&File name:"), group);
    m_edtPdfFile = new QLineEdit(group);
    m_edtPdfFile->setObjectName(QStringLiteral("edtPdfFile"));
    m_edtPdfFile->setAccessibleName(QStringLiteral("File name"));
    m_edtPdfFile->setMinimumWidth(320);
    fileLabel->setBuddy(m_edtPdfFile);
    m_btnBrowse = new QPushButton(QStringLiteral("&Browse..."), group);
    m_btnBrowse->setObjectName(QStringLiteral("btnBrowse"));
    m_btnBrowse->setAccessibleName(QStringLiteral("Browse..."));

    auto* fileRow = new QHBoxLayout;
    fileRow->setContentsMargins(24, 0, 0, 0); // indented under its radio button
    fileRow->addWidget(fileLabel);
    fileRow->addWidget(m_edtPdfFile, 1);
    fileRow->addWidget(m_btnBrowse);

    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(m_rbPrinter);
    groupLayout->addWidget(m_rbPreview);
    groupLayout->addWidget(m_rbPdf);
    groupLayout->addLayout(fileRow);

    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("btnOk"));
    m_buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("btnCancel"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(m_buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_btnBrowse, &QPushButton::clicked, this, &TfrmOutputOptions::browse);
    for (QRadioButton* rb : {m_rbPrinter, m_rbPreview, m_rbPdf})
        connect(rb, &QRadioButton::toggled, this, &TfrmOutputOptions::updateState);
    connect(m_edtPdfFile, &QLineEdit::textChanged, this, &TfrmOutputOptions::updateState);

    // The last folder used, with this printout's own name.
    TOutputChoice initial = last();
    initial.pdfPath = QDir(defaultFolder()).filePath(suggestedPdfName);
    setChoice(initial);
}

TOutputChoice TfrmOutputOptions::choice() const {
    TOutputChoice c;
    c.kind = m_rbPrinter->isChecked() ? TOutputKind::Printer
             : m_rbPdf->isChecked()   ? TOutputKind::PdfFile
                                      : TOutputKind::Preview;
    c.pdfPath = m_edtPdfFile->text().trimmed();
    if (!c.pdfPath.isEmpty() && QFileInfo(c.pdfPath).suffix().isEmpty())
        c.pdfPath += QStringLiteral(".pdf");
    if (!c.pdfPath.isEmpty())
        c.pdfPath = QDir::cleanPath(QDir::home().absoluteFilePath(c.pdfPath));
    return c;
}

void TfrmOutputOptions::setChoice(const TOutputChoice& choice) {
    m_rbPrinter->setChecked(choice.kind == TOutputKind::Printer);
    m_rbPreview->setChecked(choice.kind == TOutputKind::Preview);
    m_rbPdf->setChecked(choice.kind == TOutputKind::PdfFile);
    m_edtPdfFile->setText(QDir::toNativeSeparators(choice.pdfPath));
    updateState();
}

TOutputChoice TfrmOutputOptions::lastChoice() {
    return last();
}
void TfrmOutputOptions::setLastChoice(const TOutputChoice& choice) {
    last() = choice;
}

void TfrmOutputOptions::browse() {
    const QString path =
        TMessages::saveFile(this, QStringLiteral("Save as PDF"), m_edtPdfFile->text(),
                            QStringLiteral("PDF files (*.pdf);;All files (*)"));
    if (path.isEmpty())
        return;
    m_edtPdfFile->setText(QDir::toNativeSeparators(path));
    m_rbPdf->setChecked(true);
    m_confirmedPath = choice().pdfPath;
}

void TfrmOutputOptions::updateState() {
    const bool pdf = m_rbPdf->isChecked();
    m_edtPdfFile->setEnabled(pdf);
    m_btnBrowse->setEnabled(pdf);
    m_buttons->button(QDialogButtonBox::Ok)
        ->setEnabled(!pdf || !m_edtPdfFile->text().trimmed().isEmpty());
}

void TfrmOutputOptions::accept() {
    const TOutputChoice c = choice();
    if (c.kind == TOutputKind::PdfFile) {
        const QFileInfo info(c.pdfPath);
        if (!info.absoluteDir().exists()) {
            TMessages::error(this, QStringLiteral("The folder \"%1\" does not exist.")
                                       .arg(QDir::toNativeSeparators(info.absolutePath())));
            return;
        }
        if (info.isDir()) {
            TMessages::error(this, QStringLiteral("\"%1\" is a folder. Please enter a file name.")
                                       .arg(QDir::toNativeSeparators(c.pdfPath)));
            return;
        }
        if (info.exists() && c.pdfPath != m_confirmedPath &&
            TMessages::confirm(this, QStringLiteral("The file \"%1\" already exists.\n"
                                                    "Do you want to replace it?")
                                         .arg(QDir::toNativeSeparators(c.pdfPath))) !=
                QMessageBox::Yes)
            return;
    }
    last() = c;
    QDialog::accept();
}
