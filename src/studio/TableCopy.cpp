#include "TableCopy.h"

#include <QAbstractItemModel>

#include <map>
#include <set>

namespace tablecopy {

QString text(const QModelIndexList &selected)
{
    std::map<int, std::map<int, QString>> cells;
    std::set<int> columns;
    for (const QModelIndex &i : selected) {
        cells[i.row()][i.column()] = i.data(Qt::DisplayRole).toString();
        columns.insert(i.column());
    }
    QString out;
    for (const auto &[row, rowCells] : cells) {
        QStringList line;
        for (const int c : columns) {
            const auto it = rowCells.find(c);
            line << (it == rowCells.end() ? QString() : it->second);
        }
        out += line.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    return out;
}

} // namespace tablecopy
