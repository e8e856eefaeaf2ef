#pragma once

#include "Anosim.h"
#include "Assemblaggi.h"
#include "Ordinamento.h"
#include "Raggruppamento.h"
#include "Rilievo.h"
#include "Similarita.h"
#include "Simper.h"

#include <QMap>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

// A survey's community analysis as one piece: the stations with organisms,
// their similarities, cluster groups, nMDS, SIMPER, the ANOSIM of the depth
// strata, and the comparison with the area's true assemblages. The command
// and the report both take it from here.
namespace comunita {

inline constexpr std::uint64_t kSemePredefinito = 1;
inline constexpr int kPartenzeCasuali = 19; // besides the PCoA start
inline constexpr int kPermutazioni = 999;
inline constexpr double kSogliaSimper = 90.0;

struct Opzioni {
    similarita::Trasformazione trasformazione = similarita::Trasformazione::Radice;
    raggruppamento::Taglio taglio;
    std::vector<int> strati{0, 10, 30, 60, 200};
    std::uint64_t seme = kSemePredefinito;
};

// --trasformazione, --taglio, --gruppi, --strati, --seme from the values
// given; an Italian message when one is out of range. Whether --gruppi
// exceeds the stations is known only with the survey (gruppiTroppi).
struct LetturaOpzioni {
    Opzioni opzioni;
    QString errore;
};
LetturaOpzioni leggiOpzioni(const QMap<QString, QString> &valori);
QString gruppiTroppi(const Opzioni &opzioni, int stazioni);

// How the options read on every output: "radice quadrata, taglio al 40 %".
QString descrizione(const Opzioni &opzioni);

struct Strato {
    int da = 0;
    int a = 0;
    std::vector<int> membri; // positions among the stations used
    bool usato = false;      // two or more stations: in the ANOSIM
};

struct CoppiaStrati {
    int a = 0; // positions in Analisi::strati
    int b = 0;
    double r = 0.0;
};

struct Analisi {
    Opzioni opzioni;
    std::vector<int> indici;  // the stations used: positions in the survey
    std::vector<int> numeri;  // and their numbers
    std::vector<int> vuote;   // numbers of the stations without organisms, left out
    std::vector<similarita::Profilo> profili;
    similarita::Matrice dissimilarita;
    raggruppamento::Albero albero;
    double cofenetica = 0.0;
    std::vector<int> gruppi; // per station used, from 1
    int numeroGruppi = 0;
    ordinamento::Risultato nmds;

    struct Entro {
        int gruppo = 0;
        simper::Tabella tabella;
    };
    struct Tra {
        int a = 0;
        int b = 0;
        simper::Tabella tabella;
    };
    std::vector<Entro> simperEntro; // groups of two or more stations
    std::vector<Tra> simperTra;     // every pair of groups

    std::vector<int> strato;           // per station used: its stratum, or -1
    std::vector<Strato> strati;
    std::vector<int> fuoriStrati;      // numbers of stations in no stratum
    std::optional<anosim::Risultato> anosim; // empty with fewer than two strata used
    std::vector<CoppiaStrati> coppie;
};

struct Esito {
    std::optional<Analisi> analisi;
    QString errore; // fewer than three stations with organisms
};
Esito analizza(const Rilievo &rilievo, const Opzioni &opzioni);

// The survey's groups against the true assemblages at its stations.
struct Confronto {
    std::vector<int> assemblaggio; // per station used, or assemblaggi::kNessuno
    std::vector<int> fuori;        // numbers of stations at a pixel of no assemblage
    // tabella[g - 1][a]: stations of survey group g in true assemblage a.
    std::vector<std::vector<int>> tabella;
    // Per assemblage, the survey group with most of its stations (the lower
    // on a tie), 0 for an assemblage without stations.
    std::vector<int> gruppoSimile;
    double rand = 0.0; // adjusted Rand index over the stations in an assemblage
};
Confronto confronta(const Analisi &analisi, const Rilievo &rilievo, const assemblaggi::Mappa &mappa);

// "A" .. "Z", then "AA", ...: true assemblages are lettered, survey groups numbered.
QString lettera(int assemblaggio);

} // namespace comunita
