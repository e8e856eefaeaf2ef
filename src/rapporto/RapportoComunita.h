#pragma once

#include <QImage>
#include <QPoint>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

// What the community charts and pages show, already computed: the charts
// only draw, at any size, on a page or in a window.
namespace rapporto {

// A tree as the clustering gives it: objects 0 .. n-1, the cluster made by
// step k is n + k; levels are similarities in per cent.
struct Dendrogramma {
    struct Fusione {
        int a = 0; // the cluster holding the lower object
        int b = 0;
        double livello = 0.0;
    };
    std::vector<QString> etichette; // per object: the station's number
    std::vector<int> gruppi;        // per object: its group, from 1
    std::vector<Fusione> fusioni;
    double taglio = 0.0;   // the similarity of the cut line
    QString testoTaglio;   // "taglio al 40 %", "4 gruppi"
};

struct PuntoOrdinamento {
    QString etichetta;
    double x = 0.0;
    double y = 0.0;
    int gruppo = 0;  // from 1
    int strato = -1; // position in Ordinamento::strati, -1 for none
};

struct Ordinamento {
    std::vector<PuntoOrdinamento> punti;
    std::vector<QString> strati; // "0-10 m", ...: one marker shape each
    double stress = 0.0;
    QString lettura; // Clarke's reading
    int partenze = 0;
    int alMinimo = 0;
};

// One SIMPER comparison, its leading species first.
struct Simper {
    QString confronto;  // "gruppo 1", "gruppi 1 e 2"
    QString misura;     // "similarità media 59.5 %"
    bool entro = false; // within a group, or between two
    struct Specie {
        QString nome;
        double percento = 0.0; // of the comparison's average
    };
    std::vector<Specie> specie;
};

struct Comunita {
    QString descrizione; // the transformation and the cut, as the command says them
    int stazioni = 0;    // used
    std::vector<int> vuote;
    Dendrogramma dendrogramma;
    double cofenetica = 0.0;
    int numeroGruppi = 0;
    Ordinamento ordinamento;
    std::vector<Simper> simper;
    QString anosim; // one sentence: R, p and the strata left out
};

struct StazioneMappa {
    QPoint pixel;
    QString etichetta;
    int gruppo = 0; // 0: no organisms, in no group
};

// The area's true assemblages under the survey's groups.
struct ComunitaVere {
    QImage mappa;                           // the area's chart, 512 x 512
    std::vector<std::int16_t> assemblaggio; // per pixel, -1 for none
    std::vector<long> pixel;                // per assemblage
    std::vector<int> gruppoSimile;          // per assemblage: the survey group most of its stations fall in, 0 for none
    std::vector<StazioneMappa> stazioni;
    // Worked out once, drawn on every redraw: the chart with the zones in
    // their colours over it, and where each assemblage's letter goes.
    QImage zone;
    std::vector<QPoint> centri;             // per assemblage, (-1, -1) for none
    std::vector<std::vector<int>> tabella;  // [group - 1][assemblage]
    std::vector<int> fuori;                 // stations in no assemblage
    double rand = 0.0;
    int passo = 0;
    int punti = 0;
    QString descrizione;
};

struct Sforzo {
    struct Punto {
        int stazioni = 0;
        double specie = 0.0;
        double deviazione = 0.0;
    };
    struct Stima {
        QString nome;
        double valore = 0.0;
        std::optional<double> errore;
    };
    std::vector<Punto> curva;       // the survey's exact curve, n = 1 .. m
    std::vector<double> curvaVera;  // element n - 1: species expected at n random stations
    int specieVere = 0;             // species anywhere in the surveyable sea
    int osservate = 0;
    int q1 = 0;
    int q2 = 0;
    std::vector<Stima> stime;       // Chao2, jackknife 1 and 2
    struct Specie {
        QString nome;
        int stazioni = 0;      // of the survey's, where it was found
        double frazione = 0.0; // of the sea, where it lives
    };
    std::vector<Specie> specie;     // the twelve
    std::vector<int> escluse;       // stations at 0 m or less
};

// The three pages' contents; a part that cannot be computed carries why.
struct PagineComunita {
    std::optional<Comunita> comunita;
    std::optional<ComunitaVere> vere;
    QString motivo; // why there is no comunita
    std::optional<Sforzo> sforzo;
    QString motivoSforzo;
};

} // namespace rapporto
