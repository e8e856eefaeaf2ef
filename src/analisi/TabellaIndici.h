#pragma once

#include "Indici.h"

#include <QString>

#include <functional>
#include <optional>
#include <vector>

// The rows of the indici command, in its order and with its figures: the
// command prints one per line, the studio one per column.
namespace tabellaindici {

struct Voce {
    QString etichetta;
    std::function<QString(const indici::Indici &)> testo;
    // The value the figure stands for, to sort by; empty where it is "n.d.".
    std::function<std::optional<double>(const indici::Indici &)> valore;
};

const std::vector<Voce> &voci();

} // namespace tabellaindici
