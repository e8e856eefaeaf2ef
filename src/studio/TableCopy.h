#pragma once

#include <QModelIndexList>
#include <QString>

// A table's selected cells as a spreadsheet takes them: rows in the order
// shown, cells parted by TAB, every row ended by a line break. Rows and
// columns with nothing selected are left out; a cell left unselected among
// selected ones stays empty.
namespace tablecopy {

QString text(const QModelIndexList &selected);

} // namespace tablecopy
