#pragma once

#include "Velmara.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <optional>
#include <vector>

// One station of a saved survey, as the table gives it.
struct Stazione {
    int numero = 0;
    int xm = 0;   // metres from the west edge (10 per map column)
    int ym = 0;   // metres from the south edge
    int prof = 0; // metres
    std::array<int, Velmara::kNumSpecie> conteggi{}; // species 1..12 at 0..11

    int colonna() const { return xm / 10; }
    int riga() const { return (5110 - ym) / 10; }
    int totale() const;     // N: organisms of every species
    int specie() const;     // S: species with at least one organism
};

// A survey read back from the table that "Salva dati" writes.
struct Rilievo {
    std::vector<Stazione> stazioni;

    int numStazioni() const { return static_cast<int>(stazioni.size()); }
    // Every station's counts added up, species by species.
    std::array<int, Velmara::kNumSpecie> totali() const;
    // The survey as the program holds it, stations 1..numStazioni().
    Velmara velmara() const;
};

namespace rilievo {

// Larger files are refused unread: a full table is about 10 kB.
inline constexpr qint64 kMaxBytes = 1024 * 1024;

struct Lettura {
    std::optional<Rilievo> rilievo;
    QString errore; // Italian, naming the line and the field; empty when read
    bool ok() const { return rilievo.has_value(); }
};

// The table's text: CR LF or LF line ends, UTF-8 (with or without a BOM)
// or Windows-1252, blank lines allowed after the last line.
Lettura leggi(const QByteArray &bytes);
// The same for a file; the message names the file when it cannot be read.
Lettura leggiFile(const QString &path);

} // namespace rilievo
