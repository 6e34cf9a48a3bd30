#pragma once

#include "records/clientlist.h"

#include <QAbstractTableModel>
// The client list's rows: id and the four display columns, held as plain values (no item per
// row) so a list of any length loads and scrolls at once.
class TClientListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { ColId, ColCompanyName, ColAddress, ColPrimaryContact, ColOffice, ColumnCount };

    explicit TClientListModel(QObject* parent = nullptr);

    void setRows(TClientListRows rows);
    int idAt(int row) const;   // 0 for a row outside the list
    int rowOfId(int id) const; // -1 when the id is not listed

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    TClientListRows m_rows;
    bool m_sortedById = true;
};
