#pragma once

#include "MapColour.h"

#include <array>
#include <cstdint>
#include <vector>

// The survey state shared by the windows. One object, owned by the
// application and handed to every window that reads or writes it.
// Station and species numbers are 1-based, as the user sees them: row 0 and
// column 0 of the tables are never used.
struct Velmara {
    static constexpr int kMaxStazioni = 100;
    static constexpr int kNumSpecie = 12;
    enum StazioneColonna { kX = 1, kY = 2, kProf = 3 };

    // Row n is station n: map column, map row (0 at the top), depth in m.
    std::array<std::array<std::int16_t, 4>, kMaxStazioni + 1> Stazioni{};
    // Row n is station n, column sp the organisms of species sp (0..63).
    std::array<std::array<std::int16_t, kNumSpecie + 1>, kMaxStazioni + 1> Conteggi{};
    std::int16_t StazSel = 0;

    bool IDVisibili = false;
    bool SplashFatto = false;

    // The sieve window's drawing parameters and the organisms of its sample.
    ColourValue ColoreTrasp = 0;
    ColourValue ColoreMaglia = 0;
    std::int16_t PassoMaglia = 0;
    std::int16_t NSpecie = 0;
    std::int16_t AltezzaPx = 0;
    std::int16_t LarghezzaPx = 0;
    std::int16_t AltezzaSprite = 0;
    std::int16_t LarghezzaSprite = 0;
    // Organism k is element k (element 0 stands for no organism).
    std::vector<float> ContX{0.0f};
    std::vector<float> ContY{0.0f};
    std::vector<std::int16_t> ContRot{0};

    // Both tables anew, every element 0.
    void clearTables();
};
