#pragma once

#include <QImage>
#include <QPoint>
#include <QPointF>
#include <QString>

#include <optional>
#include <vector>

// What the printed pages show, already computed: the pages only draw. The
// commands fill these from the survey files and the area.
namespace rapporto {

struct Pie {
    QString file;     // the survey's file name, or a summary for a class
    QString area;     // the folder of the area's images
    QString data;     // the date, written out in Italian
    QString versione; // the program's version
};

// One row of the station table; the whole survey is a row too.
struct RigaStazione {
    QString etichetta; // the station number, or the whole survey's name
    QPoint pixel;      // map column and row
    int xm = 0;
    int ym = 0;
    int prof = 0;
    int n = 0;
    int s = 0;
    std::optional<double> h; // natural log
    std::optional<double> j;
    std::optional<double> ambi;
    QString classeAmbi;
};

// The mean per station of one quantity, its 95 % interval where the survey
// can give one, and the field's true value.
struct Stima {
    QString nome;
    double media = 0;
    std::optional<double> basso;
    std::optional<double> alto;
    double vera = 0;
    // Whether the interval covers the true value; empty without an interval
    // or with one of zero width, where coverage is undefined.
    std::optional<bool> copre;

    bool manca() const { return copre == false; }
};

struct Zonazione {
    QString nome;
    std::vector<QPointF> stazioni; // (depth m, count) station by station
    // Band k holds depths 5k + 1 ... 5k + 5 m; none where the area has no sea.
    std::vector<std::optional<double>> profiloVero;
};

struct Abbondanza {
    QString nome;
    long totale = 0;
};

struct Rilievo {
    QImage mappa;                       // the area's chart, 512 x 512
    std::vector<RigaStazione> stazioni; // station 1 first
    std::optional<RigaStazione> complessivo;
    std::vector<Stima> specie; // the twelve species
    std::vector<Stima> totali; // N and S per station
    std::vector<Zonazione> zonazione;
    std::vector<Abbondanza> abbondanze; // the survey's total per species
    Pie pie;
};

// One student's survey in a class.
struct Uscita {
    QString file;
    int stazioni = 0;
    std::vector<Stima> stime; // the twelve species, then N and S
};

struct Classe {
    std::vector<QString> nomi;  // the twelve species, then "N" and "S"
    std::vector<double> verita; // the same order
    std::vector<Uscita> uscite;
    int fileDati = 0;                // how many files were given
    std::vector<QString> scartati;   // "file: reason", in the order given
    std::vector<QString> note;       // differences in size or area
    Pie pie;
};

} // namespace rapporto
