#include "records/clientlistmodel.h"

TClientListModel::TClientListModel(QObject* parent) : QAbstractTableModel(parent) {}

void TClientListModel::setRows(TClientListRows rows) {
    beginResetModel();
    m_rows = std::move(rows);
    m_sortedById = m_rows.sortedById();
    endResetModel();
}

int TClientListModel::idAt(int row) const {
    return row >= 0 && row < m_rows.count() ? m_rows.id(row) : 0;
}

int TClientListModel::rowOfId(int id) const {
    if (m_sortedById) {
        int low = 0;
        int high = m_rows.count();
        while (low < high) {
            const int mid = low + (high - low) / 2;
            if (m_rows.id(mid) < id)
                low = mid + 1;
            else
                high = mid;
        }
        return low < m_rows.count() && m_rows.id(low) == id ? low : -1;
    }
    for (int row = 0; row < m_rows.count(); ++row) {
        if (m_rows.id(row) == id)
            return row;
    }
    return -1;
}

int TClientListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows.count();
}

int TClientListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TClientListModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid) || role != Qt::DisplayRole)
        return {};
    const int row = index.row();
    switch (index.column()) {
    case ColId:
        return QString::number(m_rows.id(row));
    case ColCompanyName:
        return m_rows.text(row, TClientListRows::CompanyName);
    case ColAddress:
        return m_rows.text(row, TClientListRows::Address);
    case ColPrimaryContact:
        return m_rows.text(row, TClientListRows::PrimaryContact);
    case ColOffice:
        return m_rows.text(row, TClientListRows::Office);
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
