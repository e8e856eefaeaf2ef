#pragma once

#include "Area.h"
#include "Comunita.h"
#include "Costruzione.h"
#include "RapportoDati.h"
#include "Stampa.h"

#include <QImage>
#include <QString>

#include <optional>
#include <vector>

// The documents of the rapporto and classe commands, made once for every
// program that writes or prints them.
namespace documenti {

// The footer's facts: the file (or a summary), the area's folder, today's
// date in Italian and the program's version.
rapporto::Pie pie(const QString &file, const QString &cartellaArea);

// The true field and the map picture the reports draw on.
struct AreaConMappa {
    std::optional<Area> area;
    QImage mappa;
    QString errore; // Italian, naming the file and the folder
};
AreaConMappa caricaArea(const QString &cartella);

struct Esito {
    std::optional<stampa::Documento> documento;
    QString errore;
};

// Why a survey can have no report: no station lies in the surveyable sea;
// empty when it can.
QString rifiuto(const ::Rilievo &rilievo);
// One survey's report with its community pages, computed with the options
// given (by default the comunita command's own).
Esito rilievo(const ::Rilievo &rilievo, const QString &nomeFile, const Area &area, const QImage &mappa,
              const comunita::Opzioni &opzioni = {});

// A class's report from the files as read, in the order given; the content
// says which were skipped and why. Refused when none can be used.
struct EsitoClasse {
    rapporto::Classe contenuto;
    std::optional<stampa::Documento> documento;
    QString errore;
};
EsitoClasse classe(const std::vector<costruzione::Lettura> &letture, const Area &area);

} // namespace documenti
