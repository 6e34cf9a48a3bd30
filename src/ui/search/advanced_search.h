#pragma once

#include "records/clientlist.h"
#include "search/advanced_condition.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;

// "Advanced search": builds a condition on the client list from criteria (field, operator,
// value), all of which must hold. Kept by the records view, so the criteria stay between uses.
class TfrmAdvancedSearch : public QDialog {
    Q_OBJECT
public:
    explicit TfrmAdvancedSearch(QWidget* parent = nullptr);

    // The condition built by the last OK; empty means every client.
    const TClientFilter& Condition() const { return m_condition; }
    void BuildCondition();
    const TAdvancedCriteria& Criteria() const { return m_criteria; }

public slots:
    void Button3Click(); // Add
    void Button4Click(); // Remove
    void Button5Click(); // Remove all

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void ShowCriteria(int selectRow);

    TAdvancedCriteria m_criteria;
    TClientFilter m_condition;
    QListWidget* m_lbFields;
    QComboBox* m_cmbOpers;
    QLineEdit* m_edtCondition;
    QComboBox* m_cmbRelation;
    QListWidget* m_lbCriteria;
};
