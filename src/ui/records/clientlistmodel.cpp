#include "records/clientlistmodel.h"

#include <algorithm>

TClientListModel::TClientListModel(QObject* parent) : QAbstractTableModel(parent) {}

void TClientListModel::setRows(std::vector<TClientListRow> rows) {
    beginResetModel();
    m_rows = std::move(rows);
    m_sortedById = std::is_sorted(m_rows.begin(), m_rows.end(),
                                  [](const auto& a, const auto& b) { return a.id < b.id; });
    endResetModel();
}

int TClientListModel::idAt(int row) const {
    return row >= 0 && row < int(m_rows.size()) ? m_rows[size_t(row)].id : 0;
}

int TClientListModel::rowOfId(int id) const {
    if (m_sortedById) {
        const auto it = std::lower_bound(m_rows.begin(), m_rows.end(), id,
                                         [](const TClientListRow& r, int v) { return r.id < v; });
        return it != m_rows.end() && it->id == id ? int(it - m_rows.begin()) : -1;
    }
    const auto it = std::find_if(m_rows.begin(), m_rows.end(),
                                 [id](const TClientListRow& r) { return r.id == id; });
    return it != m_rows.end() ? int(it - m_rows.begin()) : -1;
}

int TClientListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

int TClientListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TClientListModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid) || role != Qt::DisplayRole)
        return {};
    const TClientListRow& row = m_rows[size_t(index.row())];
    switch (index.column()) {
    case ColId:
        return QString::number(row.id);
    case ColCompanyName:
        return row.companyName;
    case ColAddress:
        return row.address;
    case ColPrimaryContact:
        return row.primaryContact;
    case ColOffice:
        return row.office;
    }
    return {};
}

QVariant TClientListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case ColId:
        return tr("Client ID");
    case ColCompanyName:
        return tr("Company name");
    case ColAddress:
        return tr("Address");
    case ColPrimaryContact:
        return tr("Primary contact");
    case ColOffice:
        return tr("Office tel");
    }
    return {};
}

Qt::ItemFlags TClientListModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren
                           : Qt::NoItemFlags;
}
