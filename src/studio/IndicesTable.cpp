#include "IndicesTable.h"

#include <QCoreApplication>

IndicesTable::IndicesTable(const Rilievo &rilievo)
    : stations_(rilievo.stazioni)
    , whole_(indici::calcola(rilievo.totali()))
{
    for (const Stazione &s : stations_)
        indices_.push_back(indici::calcola(s.conteggi));
}

int IndicesTable::columns()
{
    return kFirstIndex + int(tabellaindici::voci().size());
}

QString IndicesTable::header(int column)
{
    static const QString kPlace[kFirstIndex] = {QStringLiteral("staz."), QStringLiteral("x (m)"), QStringLiteral("y (m)"),
                                                QStringLiteral("prof. (m)")};
    return column < kFirstIndex ? kPlace[column] : tabellaindici::voci()[size_t(column - kFirstIndex)].etichetta;
}

QString IndicesTable::text(int row, int column) const
{
    const Stazione &s = stations_[size_t(row)];
    switch (column) {
    case 0:
        return QString::number(s.numero);
    case 1:
        return QString::number(s.xm);
    case 2:
        return QString::number(s.ym);
    case 3:
        return QString::number(s.prof);
    default:
        return tabellaindici::voci()[size_t(column - kFirstIndex)].testo(indices_[size_t(row)]);
    }
}

std::optional<double> IndicesTable::value(int row, int column) const
{
    const Stazione &s = stations_[size_t(row)];
    const int place[kFirstIndex] = {s.numero, s.xm, s.ym, s.prof};
    if (column < kFirstIndex)
        return place[column];
    return tabellaindici::voci()[size_t(column - kFirstIndex)].valore(indices_[size_t(row)]);
}

int IndicesTable::rowOf(int number) const
{
    for (size_t i = 0; i < stations_.size(); ++i)
        if (stations_[i].numero == number)
            return int(i);
    return -1;
}

QString IndicesTable::summary() const
{
    if (!whole_)
        return {};
    QStringList parts;
    for (const tabellaindici::Voce &v : tabellaindici::voci())
        parts << QStringLiteral("%1 %2").arg(v.etichetta, v.testo(*whole_));
    return QCoreApplication::translate("IndicesTable", "Tutto il rilievo: %1").arg(parts.join(QStringLiteral(" · ")));
}
