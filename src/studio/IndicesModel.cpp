#include "IndicesModel.h"

#include <limits>

IndicesModel::IndicesModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

void IndicesModel::setSurvey(const Rilievo &rilievo)
{
    beginResetModel();
    table_ = IndicesTable(rilievo);
    endResetModel();
}

void IndicesModel::clear()
{
    beginResetModel();
    table_ = IndicesTable();
    endResetModel();
}

int IndicesModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : table_.rows();
}

int IndicesModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : IndicesTable::columns();
}

QVariant IndicesModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= table_.rows())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return table_.text(index.row(), index.column());
    case kSortRole:
        return table_.value(index.row(), index.column()).value_or(-std::numeric_limits<double>::infinity());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignVCenter
                                   | (IndicesTable::isText(index.column()) ? Qt::AlignLeft : Qt::AlignRight));
    default:
        return {};
    }
}

QVariant IndicesModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return IndicesTable::header(section);
}
