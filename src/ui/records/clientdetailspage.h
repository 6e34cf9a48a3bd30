#pragma once

#include <QWidget>

class QPlainTextEdit;
class QPushButton;
class TLabelledEdit;

// The client details page: every client column as a control named after it, in group boxes,
// with the New, Edit, Print and Delete buttons below. It holds no behaviour of its own; the
// records view binds the controls to its client record and drives the buttons.
class TClientDetailsPage : public QWidget {
    Q_OBJECT
public:
    explicit TClientDetailsPage(QWidget* parent = nullptr);

    QString CompanyName() const;
    void SetOtherCaptions(const QString& other1, const QString& other2, const QString& other3);
    void FocusFirstField();

    QPushButton* btnNewClient() const { return m_btnNew; }
    QPushButton* btnEditClient() const { return m_btnEdit; }
    QPushButton* btnPrintClient() const { return m_btnPrint; }
    QPushButton* btnDeleteClient() const { return m_btnDelete; }

private:
    TLabelledEdit* m_companyName = nullptr;
    TLabelledEdit* m_other[3] = {};
    QPushButton* m_btnNew = nullptr;
    QPushButton* m_btnEdit = nullptr;
    QPushButton* m_btnPrint = nullptr;
    QPushButton* m_btnDelete = nullptr;
};
