#pragma once

#include <QDialog>
#include <QString>

class QDialogButtonBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// Where a printout goes.
enum class TOutputKind { Printer, Preview, PdfFile };

struct TOutputChoice {
    TOutputKind kind = TOutputKind::Preview;
    QString pdfPath; // for PdfFile
};

// "Output Options": the user chooses printer, preview or a PDF file (with its name) before a
// printout is produced. The last choice is offered again for the next printout of the run.
class TfrmOutputOptions : public QDialog {
    Q_OBJECT
public:
    // suggestedPdfName: the file name (without folder) offered for a PDF file.
    explicit TfrmOutputOptions(const QString& suggestedPdfName, QWidget* parent = nullptr);

    TOutputChoice choice() const;
    void setChoice(const TOutputChoice& choice);

    // The choice last accepted in this run (preview before any).
    static TOutputChoice lastChoice();
    static void setLastChoice(const TOutputChoice& choice);

    void accept() override;

private:
    void browse();
    void updateState();

    QRadioButton* m_rbPrinter = nullptr;
    QRadioButton* m_rbPreview = nullptr;
    QRadioButton* m_rbPdf = nullptr;
    QLineEdit* m_edtPdfFile = nullptr;
    QPushButton* m_btnBrowse = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
    QString m_confirmedPath; // chosen in the file dialog, which already asked to replace it
};
