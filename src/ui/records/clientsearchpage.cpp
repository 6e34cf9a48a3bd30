#include "records/clientsearchpage.h"

#include "records/clientlistmodel.h"
#include "shell/buttons.h"
#include "shell/listviews.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTableView>
#include <QVBoxLayout>

TClientSearchPage::TClientSearchPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("tsSearch"));
    auto* page = new QVBoxLayout(this);

    auto* bar = new QHBoxLayout;
    auto* label = new QLabel(tr("Quick search:"), this);
    m_edtQuickSearch = new QLineEdit(this);
    m_edtQuickSearch->setObjectName(QStringLiteral("edtQuickSearch"));
    m_edtQuickSearch->setPlaceholderText(tr("Name, contact, address, telephone or client ID"));
    m_edtQuickSearch->setClearButtonEnabled(true);
    m_edtQuickSearch->setAccessibleName(label->text());
    label->setBuddy(m_edtQuickSearch);
    m_btnGo = MakeButton(this, "btnGo", tr("Go"), tr("Run search"));
    // "Go" is the page's default button: Enter in the search box runs it.
    m_btnGo->setDefault(true);
    connect(m_edtQuickSearch, &QLineEdit::returnPressed, m_btnGo, &QPushButton::click);
    m_btnAdvSearch =
        MakeButton(this, "btnAdvSearch", tr("Advanced"), tr("Advanced search options"));
    m_btnClearSearch = MakeButton(this, "btnClearSearch", tr("Clear"), tr("Clear the search"));
    m_btnRefresh = MakeButton(this, "btnRefresh", tr("Refresh"), tr("Refresh listings"));
    bar->addWidget(label);
    bar->addWidget(m_edtQuickSearch, 1);
    bar->addWidget(m_btnGo);
    bar->addWidget(m_btnAdvSearch);
    bar->addWidget(m_btnClearSearch);
    bar->addWidget(m_btnRefresh);
    page->addLayout(bar);

    m_model = new TClientListModel(this);
    m_lvSearchResults = new QTableView(this);
    m_lvSearchResults->setObjectName(QStringLiteral("lvSearchResults"));
    m_lvSearchResults->setAccessibleName(tr("Clients"));
    m_lvSearchResults->setModel(m_model);
    SetupRecordList(m_lvSearchResults);
    QHeaderView* header = m_lvSearchResults->horizontalHeader();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setSectionResizeMode(TClientListModel::ColCompanyName, QHeaderView::Stretch);
    header->setSectionResizeMode(TClientListModel::ColAddress, QHeaderView::Stretch);
    header->resizeSection(TClientListModel::ColId, 60);
    header->resizeSection(TClientListModel::ColPrimaryContact, 104);
    header->resizeSection(TClientListModel::ColOffice, 80);
    page->addWidget(m_lvSearchResults, 1);

    connect(m_lvSearchResults, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        if (const int id = m_model->idAt(index.row()); id > 0)
            emit clientActivated(id);
    });
    for (const auto key : {Qt::Key_Return, Qt::Key_Enter}) {
        auto* open = new QShortcut(QKeySequence(key), m_lvSearchResults);
        open->setContext(Qt::WidgetShortcut);
        connect(open, &QShortcut::activated, this, [this] {
            if (const int id = SelectedId(); id > 0)
                emit clientActivated(id);
        });
    }
}

int TClientSearchPage::SelectedId() const {
    const QModelIndexList rows = m_lvSearchResults->selectionModel()->selectedRows();
    return rows.isEmpty() ? 0 : m_model->idAt(rows.first().row());
}

void TClientSearchPage::SelectId(int id) {
    const int row = m_model->rowOfId(id);
    if (row < 0)
        return;
    const QModelIndex index = m_model->index(row, 0);
    m_lvSearchResults->selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_lvSearchResults->scrollTo(index);
}
