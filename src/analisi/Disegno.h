#pragma once

#include "Area.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

class SurveyMap;

// Sampling designs, placed on the map by the program's own rules: every
// station is a left click on the map after the cursor stood there, so no
// station lands on or beside a marker and the survey holds at most 100.
namespace disegno {

enum class Tipo { Casuale, Griglia, Stratificato };

struct Esito {
    int posate = 0;
    QString errore; // empty when all n stations were placed
};

// The map must be empty and hold the area's pictures; area is the field
// decoded from them. The same seed gives the same stations.
Esito posa(SurveyMap &mappa, const Area &area, Tipo tipo, int n, std::uint64_t seme,
           const std::vector<int> &limiti);

// The table "Salva dati" would write for n stations of the design placed
// on the area in the folder; or the Italian message why it cannot be made.
struct Tabella {
    QString testo;
    QString errore;
};
Tabella tabella(const QString &cartella, Tipo tipo, int n, std::uint64_t seme, const std::vector<int> &limiti);

// "casuale", "griglia", "stratificato".
QString nomeTipo(Tipo tipo);
std::optional<Tipo> tipoDaNome(const QString &nome);

// Proportional allocation of n stations to strata of the given sizes,
// largest remainders first (ties to the earlier stratum).
std::vector<int> ripartisci(int n, const std::vector<long> &dimensioni);

} // namespace disegno
