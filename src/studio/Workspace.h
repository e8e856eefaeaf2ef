#pragma once

#include "Disegno.h"
#include "Documenti.h"
#include "OpenSurvey.h"
#include "RapportoComunita.h"
#include "RapportoDati.h"
#include "Selection.h"
#include "Verita.h"

#include <QImage>
#include <QString>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <vector>

// A design the user asks for.
struct DesignRequest {
    disegno::Tipo tipo = disegno::Tipo::Casuale;
    int stations = 20;
    std::uint64_t seed = 1;
    QString strata = verita::kStratiPredefiniti; // used by the stratified design
};

// One line of the list of open surveys.
struct SurveyRow {
    QString name;
    QString stations;
    QString area;
};

// Everything the studio knows, without a window: the open surveys, the area
// they are compared with, and what the analyses make of them, worked out
// once per survey and area rather than on every redraw.
class Workspace
{
public:
    // The program's own area lies in its folder, as for fondalis.
    explicit Workspace(QString programFolder);

    // The area: loaded from a folder. On failure a loaded area stays, and the
    // message, naming the file and the folder, is given back.
    QString setArea(const QString &folder);
    QString areaFolder() const { return areaFolder_; }
    const Area *area() const { return area_.area ? &*area_.area : nullptr; }
    QString areaError() const { return area_.errore; }
    // "del programma", or the chosen folder's name.
    QString areaName() const;

    // Reads a file, or reads it again when it is open already; its id.
    int open(const QString &path);
    // Reads the file again: after a change on disk.
    void reload(int id);
    // A new survey by the design, placed as fondalis-analisi disegno places
    // it; empty with the message when it cannot be made.
    std::optional<int> addDesign(const DesignRequest &request, QString *error);
    // A design saved to a file becomes that file.
    void markSaved(int id, const QString &path);
    void close(int id);

    const std::vector<OpenSurvey> &surveys() const { return surveys_; }
    const OpenSurvey *survey(int id) const;
    std::optional<int> idForPath(const QString &path) const;
    bool hasUnsaved() const;

    SurveyRow row(int id) const;
    // Why a tab with those needs cannot show the selection; empty when it can.
    QString blockedReason(const TabNeeds &needs, const Selection &selection) const;
    // The stations whose depth disagrees with the area's bathymetry, and the
    // warning that names them; empty when all agree or nothing can be told.
    std::vector<int> discordantStations(int id) const;
    QString discordWarning(int id) const;
    // The surveys among the ids, in the list's order; and the readable ones.
    std::vector<int> inListOrder(const std::vector<int> &ids) const;
    std::vector<int> readableSelection(const Selection &selection) const;

    // What the report pages show of one survey (null when unreadable or
    // without an area), and of the selected surveys as a class.
    std::shared_ptr<const rapporto::Rilievo> report(int id) const;
    std::shared_ptr<const rapporto::Classe> classReport(const std::vector<int> &ids) const;
    // The community pages' contents with the comunita command's own options,
    // worked out once per survey and area: they take a while.
    std::shared_ptr<const rapporto::PagineComunita> community(int id) const;

    // The document "Salva rapporto PDF…" and "Stampa…" give: rapporto for one
    // survey, classe for several.
    documenti::Esito document(const std::vector<int> &ids) const;
    QString suggestedPdfPath(const std::vector<int> &ids) const;
    // The survey as the program's own table, and as CSV.
    QString tableText(int id) const;
    QString csv(int id, bool longFormat) const;
    QString suggestedPath(int id, const QString &suffix) const;

private:
    OpenSurvey *find(int id);
    void forget(int id) const;
    std::vector<costruzione::Lettura> readings(const std::vector<int> &ids) const;

    QString programFolder_;
    QString areaFolder_;
    documenti::AreaConMappa area_;
    std::vector<OpenSurvey> surveys_;
    int nextId_ = 1;
    mutable std::map<int, std::shared_ptr<const rapporto::Rilievo>> reports_;
    mutable std::map<int, std::shared_ptr<const rapporto::PagineComunita>> communities_;
    mutable std::vector<int> classIds_;
    mutable std::shared_ptr<const rapporto::Classe> class_;
};
