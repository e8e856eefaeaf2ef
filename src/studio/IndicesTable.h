#pragma once

#include "Rilievo.h"
#include "TabellaIndici.h"

#include <QString>

#include <optional>
#include <vector>

// The indici command's table turned round: one row per station, with its
// position and depth, then the indices with the command's own figures.
class IndicesTable
{
public:
    IndicesTable() = default;
    explicit IndicesTable(const Rilievo &rilievo);

    int rows() const { return int(stations_.size()); }
    static int columns();
    static QString header(int column);
    // Columns from here on hold indices; the class is the last, and text.
    static constexpr int kFirstIndex = 4;
    static bool isText(int column) { return column == columns() - 1; }

    QString text(int row, int column) const;
    // What the figure stands for, to sort by; empty where it is "n.d.".
    std::optional<double> value(int row, int column) const;
    int stationNumber(int row) const { return stations_[size_t(row)].numero; }
    // The row of station `number`, or -1.
    int rowOf(int number) const;
    // The whole survey's indices in one line, pooled as indici pools them.
    QString summary() const;

private:
    std::vector<Stazione> stations_;
    std::vector<indici::Indici> indices_;
    std::optional<indici::Indici> whole_;
};
