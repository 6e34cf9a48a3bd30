#pragma once

#include "records/clientlist.h"
#include "records/recordsmodes.h"

#include <QWidget>

class QLineEdit;
class QTabWidget;
class QPushButton;
class TClient;
class TClientDetailsPage;
class TClientSearchPage;
class TfrmAdvancedSearch;

// The client records view: the client list with quick search, the client details page and
// the client's documents, notes, contacts and account pages.
class TfmeRecords : public QWidget {
    Q_OBJECT
public:
    enum Page { SearchPage, DetailsPage, ContactsPage, DocumentsPage, NotesPage, AccountPage };

    explicit TfmeRecords(QWidget* parent = nullptr);
    ~TfmeRecords() override;

    TClient& Client(); // the current client; id > 0 while one is loaded
    QTabWidget* pcRecords() const { return m_pcRecords; }
    QPushButton* btnEditClient() const;
    QLineEdit* edtQuickSearch() const;
    TRecordsMode Mode() const { return m_mode; }
    const TClientFilter& SearchFilter() const { return m_searchFilter; }
    TfrmAdvancedSearch* AdvancedSearch(); // the dialog, created on first use and kept

    void OpenClient(int id);
    void ShowBlankClient();
    void RefreshAfterSettings();

public slots:
    void btnNewClientClick();
    void btnNewContactClick();
    void Newfromtemplate1Click();
    void Linkexternalfile1Click();
    void btnNewNotesClick();
    void btnNewAccountClick();

    void btnGoClick();
    void btnAdvSearchClick();
    void btnClearSearchClick();
    void btnRefreshClick();
    void btnAddClientClick();
    void btnEditClientClick();
    void btnSaveClientClick();
    void btnCancelClientClick();
    void btnDeleteClientClick();
    void btnPrintClientClick();

private:
    void LoadClientList();
    void EndClientEdit();
    void SetTabsVisible(bool visible, int pageIndex);
    void ShowPage(int pageIndex);
    void ApplyMode(TRecordsMode mode);
    void Run(TClientAction action);
    void ReloadClientPages();
    void LabelOtherFields();

    QTabWidget* m_pcRecords = nullptr;
    TClientSearchPage* m_searchPage = nullptr;
    TClientDetailsPage* m_detailsPage = nullptr;
    TfrmAdvancedSearch* m_advancedSearch = nullptr;
    TClient* m_client = nullptr;
    TClientFilter m_searchFilter; // empty: every client
    int m_returnClientId = 0;     // the client shown again when an entry is cancelled
    TRecordsMode m_mode = TRecordsMode::Start;
    bool m_listLoaded = false;
    TClientAction m_newAction = TClientAction::Add;
    TClientAction m_editAction = TClientAction::Cancel;
};
