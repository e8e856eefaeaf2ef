#pragma once

#include "IndicesTable.h"

#include <QAbstractTableModel>

// The indices table for a view: the figures as text, and under kSortRole the
// values to sort by, "n.d." below every number.
class IndicesModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    static constexpr int kSortRole = Qt::UserRole;

    explicit IndicesModel(QObject *parent = nullptr);

    void setSurvey(const Rilievo &rilievo);
    void clear();
    const IndicesTable &table() const { return table_; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    IndicesTable table_;
};
