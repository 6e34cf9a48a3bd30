#pragma once

#include <QWidget>

class QLineEdit;
class QPushButton;
class QTableView;
class TClientListModel;

// The Search page of the records view: the quick-search box with its buttons above the client
// list. Layout only; the records view runs the searches.
class TClientSearchPage : public QWidget {
    Q_OBJECT
public:
    explicit TClientSearchPage(QWidget* parent = nullptr);

    QLineEdit* edtQuickSearch() const { return m_edtQuickSearch; }
    QPushButton* btnGo() const { return m_btnGo; }
    QPushButton* btnAdvSearch() const { return m_btnAdvSearch; }
    QPushButton* btnClearSearch() const { return m_btnClearSearch; }
    QPushButton* btnRefresh() const { return m_btnRefresh; }
    QTableView* lvSearchResults() const { return m_lvSearchResults; }
    TClientListModel* model() const { return m_model; }

    int SelectedId() const; // 0 when no row is selected
    void SelectId(int id);  // selects and shows the row of this id, when listed

signals:
    void clientActivated(int id); // double click, or Enter on the list

private:
    QLineEdit* m_edtQuickSearch;
    QPushButton* m_btnGo;
    QPushButton* m_btnAdvSearch;
    QPushButton* m_btnClearSearch;
    QPushButton* m_btnRefresh;
    QTableView* m_lvSearchResults;
    TClientListModel* m_model;
};
