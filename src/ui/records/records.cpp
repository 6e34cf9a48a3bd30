#include "records/records.h"

#include "data/client.h"
#include "print/rptclient.h"
#include "records/clientdetailspage.h"
#include "records/clientlistmodel.h"
#include "records/clientsearchpage.h"
#include "search/advanced_search.h"
#include "shell/boundcontrols.h"
#include "shell/messages.h"
#include "shell/settings.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {
QWidget* placeholderPage(const char* name) {
    auto* page = new QWidget;
    page->setObjectName(QString::fromLatin1(name));
    return page;
}
} // namespace

TfmeRecords::TfmeRecords(QWidget* parent) : QWidget(parent), m_client(new TClient) {
    setObjectName(QStringLiteral("fmeRecords"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_pcRecords = new QTabWidget(this);
    m_pcRecords->setObjectName(QStringLiteral("pcRecords"));
    m_searchPage = new TClientSearchPage;
    m_detailsPage = new TClientDetailsPage;
    m_pcRecords->addTab(m_searchPage, tr("Search"));
    m_pcRecords->addTab(m_detailsPage, tr("Client details"));
    m_pcRecords->addTab(placeholderPage("tsContacts"), tr("Client contacts"));
    m_pcRecords->addTab(placeholderPage("tsEvaluations"), tr("Client documents and files"));
    m_pcRecords->addTab(placeholderPage("tsHstory"), tr("General client notes"));
    m_pcRecords->addTab(placeholderPage("tsAccount"), tr("Client accounts"));
    layout->addWidget(m_pcRecords);

    m_client->controls.BindControls(TWidgetNode(m_detailsPage));

    connect(m_searchPage->btnGo(), &QPushButton::clicked, this, &TfmeRecords::btnGoClick);
    connect(m_searchPage->btnAdvSearch(), &QPushButton::clicked, this,
            &TfmeRecords::btnAdvSearchClick);
    connect(m_searchPage->btnClearSearch(), &QPushButton::clicked, this,
            &TfmeRecords::btnClearSearchClick);
    connect(m_searchPage->btnRefresh(), &QPushButton::clicked, this, &TfmeRecords::btnRefreshClick);
    connect(m_searchPage, &TClientSearchPage::clientActivated, this, &TfmeRecords::OpenClient);
    // The two mode buttons run whatever action the current mode gives them.
    connect(m_detailsPage->btnNewClient(), &QPushButton::clicked, this,
            [this] { Run(m_newAction); });
    connect(m_detailsPage->btnEditClient(), &QPushButton::clicked, this,
            [this] { Run(m_editAction); });
    connect(m_detailsPage->btnPrintClient(), &QPushButton::clicked, this,
            &TfmeRecords::btnPrintClientClick);
    connect(m_detailsPage->btnDeleteClient(), &QPushButton::clicked, this,
            &TfmeRecords::btnDeleteClientClick);

    ApplyMode(TRecordsMode::Start);
    LabelOtherFields();
    // The first list load runs from the event loop, where a database error reaches the
    // application's handler instead of escaping the main window's constructor.
    QTimer::singleShot(0, this, [this] {
        if (!m_listLoaded)
            LoadClientList();
    });
}

TfmeRecords::~TfmeRecords() {
    delete m_client;
}

TClient& TfmeRecords::Client() {
    return *m_client;
}
QPushButton* TfmeRecords::btnEditClient() const {
    return m_detailsPage->btnEditClient();
}
QLineEdit* TfmeRecords::edtQuickSearch() const {
    return m_searchPage->edtQuickSearch();
}

TfrmAdvancedSearch* TfmeRecords::AdvancedSearch() {
    if (!m_advancedSearch)
        m_advancedSearch = new TfrmAdvancedSearch(this);
    return m_advancedSearch;
}

void TfmeRecords::ApplyMode(TRecordsMode mode) {
    const TRecordsModeRow& row = TRecordsModes::Row(mode);
    m_mode = mode;
    m_newAction = row.newButton;
    m_editAction = row.editButton;
    QPushButton* btnNew = m_detailsPage->btnNewClient();
    QPushButton* btnEdit = m_detailsPage->btnEditClient();
    btnNew->setText(TRecordsModes::Caption(row.newButton));
    btnNew->setToolTip(TRecordsModes::Hint(row.newButton));
    btnEdit->setText(TRecordsModes::Caption(row.editButton));
    btnEdit->setToolTip(TRecordsModes::Hint(row.editButton));
    btnEdit->setEnabled(row.editEnabled);
    m_detailsPage->btnPrintClient()->setEnabled(row.printDeleteEnabled);
    m_detailsPage->btnDeleteClient()->setEnabled(row.printDeleteEnabled);
    m_client->controls.SetReadOnlyAll(row.fieldsReadOnly);

    for (int i = 0; i < m_pcRecords->count(); ++i) {
        const bool shown = row.tabs == TTabsShown::All ||
                           (row.tabs == TTabsShown::SearchAndDetails && i <= DetailsPage);
        m_pcRecords->setTabVisible(i, shown);
    }
    // With every tab hidden the bar is hidden too, so only the active page shows and the user
    // finishes the entry before going elsewhere.
    m_pcRecords->tabBar()->setVisible(row.tabs != TTabsShown::None);
    ShowPage(row.activePage);
}

void TfmeRecords::ShowPage(int pageIndex) {
    m_pcRecords->setCurrentIndex(pageIndex);
    // A page control hides the page of a hidden tab; the active page must show regardless.
    m_pcRecords->currentWidget()->setVisible(true);
}

void TfmeRecords::SetTabsVisible(bool visible, int pageIndex) {
    for (int i = 0; i < m_pcRecords->count(); ++i)
        m_pcRecords->setTabVisible(i, visible);
    m_pcRecords->tabBar()->setVisible(visible);
    ShowPage(pageIndex);
}

void TfmeRecords::Run(TClientAction action) {
    switch (action) {
    case TClientAction::Add:
        btnAddClientClick();
        break;
    case TClientAction::New:
        btnNewClientClick();
        break;
    case TClientAction::Cancel:
        btnCancelClientClick();
        break;
    case TClientAction::Edit:
        btnEditClientClick();
        break;
    case TClientAction::Save:
        btnSaveClientClick();
        break;
    }
}

void TfmeRecords::LabelOtherFields() {
    const TAppSettings& settings = TAppSettings::instance();
    m_detailsPage->SetOtherCaptions(settings.Other1Name, settings.Other2Name, settings.Other3Name);
}

void TfmeRecords::LoadClientList() {
    m_listLoaded = true;
    const int selected = m_searchPage->SelectedId();
    m_searchPage->model()->setRows(TClientList::Load(m_searchFilter));
    m_searchPage->SelectId(selected);
}

void TfmeRecords::ReloadClientPages() {
    // The contacts, documents, notes and account pages load the open client's rows here.
}

void TfmeRecords::OpenClient(int id) {
    // An id with no row (a stale hit, a client deleted meanwhile) leaves the view as it was,
    // rather than showing the previous client's fields under a "viewing" state.
    if (id <= 0 || !TClientList::Exists(id))
        return;
    m_client->Load(id);
    ReloadClientPages();
    m_returnClientId = id;
    btnCancelClientClick();
    ShowPage(DetailsPage);
    m_searchPage->SelectId(id);
}

void TfmeRecords::ShowBlankClient() {
    m_client->Clear();
    // The main window's new-client command calls this right after New: the entry stays in
    // mode New, with its Cancel, instead of stranding the user on a page with no way back.
    if (m_mode == TRecordsMode::New)
        return;
    ApplyMode(TRecordsMode::Blank);
}

void TfmeRecords::RefreshAfterSettings() {
    LabelOtherFields();
    LoadClientList();
}

void TfmeRecords::btnNewClientClick() {
    m_returnClientId = m_client->id;
    m_client->Clear();
    ApplyMode(TRecordsMode::New);
    m_detailsPage->FocusFirstField();
}

void TfmeRecords::btnAddClientClick() {
    const QString name = m_detailsPage->CompanyName();
    if (name.trimmed().isEmpty()) {
        TMessages::error(this, tr("A Company name is required for each record"));
        m_detailsPage->FocusFirstField();
        return;
    }
    if (TClient::CompanyNameInUse(name) &&
        TMessages::okCancel(this, tr("A record already exists with this company name, continue "
                                     "to create this record?")) != QMessageBox::Ok) {
        return;
    }
    const int id = m_client->Insert();
    OpenClient(id);
    LoadClientList();
    m_searchPage->SelectId(id);
}

void TfmeRecords::btnEditClientClick() {
    if (m_client->id <= 0)
        return;
    ApplyMode(TRecordsMode::Editing);
    m_detailsPage->FocusFirstField();
}

void TfmeRecords::btnSaveClientClick() {
    if (m_detailsPage->CompanyName().trimmed().isEmpty()) {
        TMessages::error(this, tr("A Company name is required for each record"));
        m_detailsPage->FocusFirstField();
        return;
    }
    m_client->Update();
    btnCancelClientClick();
}

void TfmeRecords::EndClientEdit() {
    ApplyMode(TRecordsMode::Viewing);
}

void TfmeRecords::btnCancelClientClick() {
    EndClientEdit();
    if (m_returnClientId > 0)
        m_client->Load(m_returnClientId);
    else
        ShowBlankClient();
}

void TfmeRecords::btnDeleteClientClick() {
    if (m_client->id <= 0)
        return;
    if (TMessages::confirm(this, tr("Are you sure you want to delete this client?")) !=
        QMessageBox::Yes)
        return;
    m_client->Delete();
    m_returnClientId = 0;
    ShowBlankClient();
    ApplyMode(TRecordsMode::Deleted);
    LoadClientList();
}

void TfmeRecords::btnPrintClientClick() {
    if (m_client->id > 0)
        PrintClientSheet(this, m_client->id);
}

void TfmeRecords::btnGoClick() {
    const QString text = m_searchPage->edtQuickSearch()->text();
    // A client number opens that client; a number no client has is searched for as text
    // (it may be part of a telephone number).
    if (const int id = TClientList::QuickSearchId(text); id > 0 && TClientList::Exists(id)) {
        OpenClient(id);
        return;
    }
    m_searchFilter = text.isEmpty() ? TClientFilter{} : TClientList::QuickSearchFilter(text);
    LoadClientList();
}

void TfmeRecords::btnAdvSearchClick() {
    TfrmAdvancedSearch* dialog = AdvancedSearch();
    if (dialog->exec() != QDialog::Accepted)
        return;
    m_searchFilter = dialog->Condition();
    LoadClientList();
}

void TfmeRecords::btnClearSearchClick() {
    m_searchFilter = {};
    LoadClientList();
}

void TfmeRecords::btnRefreshClick() {
    LoadClientList();
}

// The client's contacts, documents, notes and account pages fill these in.
void TfmeRecords::btnNewContactClick() {}
void TfmeRecords::Newfromtemplate1Click() {}
void TfmeRecords::Linkexternalfile1Click() {}
void TfmeRecords::btnNewNotesClick() {}
void TfmeRecords::btnNewAccountClick() {}
