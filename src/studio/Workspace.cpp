#include "Workspace.h"

#include "CostruzioneComunita.h"
#include "Formati.h"
#include "TableText.h"
#include "Verita.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

QString tr(const char *text) { return QCoreApplication::translate("Workspace", text); }

QString joined(const std::vector<int> &numbers)
{
    QStringList parts;
    for (const int n : numbers)
        parts << QString::number(n);
    return parts.join(QStringLiteral(", "));
}

QString designTitle(const DesignRequest &r)
{
    QString title = tr("%1 %2, seme %3").arg(disegno::nomeTipo(r.tipo)).arg(r.stations).arg(r.seed);
    if (r.tipo == disegno::Tipo::Stratificato && r.strata != verita::kStratiPredefiniti)
        title += tr(", strati %1").arg(r.strata);
    return title;
}

QString absolute(const QString &path) { return QFileInfo(path).absoluteFilePath(); }

} // namespace

Workspace::Workspace(QString programFolder)
    : programFolder_(std::move(programFolder))
{
}

QString Workspace::setArea(const QString &folder)
{
    documenti::AreaConMappa loaded = documenti::caricaArea(folder);
    const QString error = loaded.errore;
    // A failure replaces only the lack of an area, whose reason it gives.
    if (loaded.area || !area_.area) {
        area_ = std::move(loaded);
        areaFolder_ = folder;
        reports_.clear();
        communities_.clear();
        class_.reset();
    }
    return error;
}

QString Workspace::areaName() const
{
    if (absolute(areaFolder_) == absolute(programFolder_))
        return tr("del programma");
    return QDir(areaFolder_).dirName();
}

int Workspace::open(const QString &path)
{
    if (const std::optional<int> id = idForPath(path)) {
        reload(*id);
        return *id;
    }
    OpenSurvey s;
    s.id = nextId_++;
    s.path = absolute(path);
    s.title = QFileInfo(path).fileName();
    s.lettura = rilievo::leggiFile(path);
    surveys_.push_back(std::move(s));
    return surveys_.back().id;
}

void Workspace::reload(int id)
{
    OpenSurvey *s = find(id);
    if (!s || s->unsaved())
        return;
    s->lettura = rilievo::leggiFile(s->path);
    forget(id);
}

std::optional<int> Workspace::addDesign(const DesignRequest &request, QString *error)
{
    const auto fail = [error](const QString &message) -> std::optional<int> {
        if (error)
            *error = message;
        return std::nullopt;
    };
    if (!area_.area)
        return fail(tr("Per un disegno serve l'area: %1").arg(area_.errore));
    const verita::Limiti limits = verita::leggiLimiti(request.strata);
    if (!limits.errore.isEmpty())
        return fail(tr("Strati: %1").arg(limits.errore));
    const disegno::Tabella made = disegno::tabella(areaFolder_, request.tipo, request.stations, request.seed, limits.valori);
    if (!made.errore.isEmpty())
        return fail(made.errore);
    OpenSurvey s;
    s.id = nextId_++;
    s.title = designTitle(request);
    s.designTable = made.testo;
    s.lettura = rilievo::leggi(made.testo.toUtf8());
    surveys_.push_back(std::move(s));
    return surveys_.back().id;
}

void Workspace::markSaved(int id, const QString &path)
{
    OpenSurvey *s = find(id);
    if (!s)
        return;
    s->path = absolute(path);
    s->title = QFileInfo(path).fileName();
    s->designTable.clear();
    forget(id); // the report's footer names the file
}

void Workspace::close(int id)
{
    forget(id);
    surveys_.erase(std::remove_if(surveys_.begin(), surveys_.end(), [id](const OpenSurvey &s) { return s.id == id; }),
                   surveys_.end());
}

const OpenSurvey *Workspace::survey(int id) const
{
    const auto it = std::find_if(surveys_.begin(), surveys_.end(), [id](const OpenSurvey &s) { return s.id == id; });
    return it == surveys_.end() ? nullptr : &*it;
}

OpenSurvey *Workspace::find(int id)
{
    return const_cast<OpenSurvey *>(std::as_const(*this).survey(id));
}

std::optional<int> Workspace::idForPath(const QString &path) const
{
    const QString wanted = absolute(path);
    for (const OpenSurvey &s : surveys_)
        if (!s.unsaved() && s.path == wanted)
            return s.id;
    return std::nullopt;
}

bool Workspace::hasUnsaved() const
{
    return std::any_of(surveys_.begin(), surveys_.end(), [](const OpenSurvey &s) { return s.unsaved(); });
}

void Workspace::forget(int id) const
{
    reports_.erase(id);
    communities_.erase(id);
    if (std::find(classIds_.begin(), classIds_.end(), id) != classIds_.end())
        class_.reset();
}

SurveyRow Workspace::row(int id) const
{
    const OpenSurvey *s = survey(id);
    if (!s)
        return {};
    if (!s->readable())
        return {s->displayName(), tr("—"), tr("illeggibile")};
    const QString stations = QString::number(s->lettura.rilievo->numStazioni());
    if (!area_.area)
        return {s->displayName(), stations, tr("n.d.")};
    return {s->displayName(), stations, discordantStations(id).empty() ? areaName() : tr("non corrisponde")};
}

std::vector<int> Workspace::inListOrder(const std::vector<int> &ids) const
{
    std::vector<int> ordered;
    for (const OpenSurvey &s : surveys_)
        if (std::find(ids.begin(), ids.end(), s.id) != ids.end())
            ordered.push_back(s.id);
    return ordered;
}

std::vector<int> Workspace::readableSelection(const Selection &selection) const
{
    std::vector<int> ids = inListOrder(selection.selected);
    ids.erase(std::remove_if(ids.begin(), ids.end(), [this](int id) { return !survey(id)->readable(); }), ids.end());
    return ids;
}

QString Workspace::blockedReason(const TabNeeds &needs, const Selection &selection) const
{
    const QString noArea = tr("Questa scheda ha bisogno dell'area, che non si può usare: %1\n"
                              "Scegli un'altra area dal menu File, con «Area…».")
                               .arg(area_.errore);
    if (surveys_.empty())
        return tr("Apri un rilievo salvato da Fondalis con «Apri…» (Ctrl+O), trascinalo nella finestra, "
                  "o crea un «Nuovo disegno…» (Ctrl+N).");
    if (needs.severalSurveys) {
        if (readableSelection(selection).size() < 2)
            return tr("Scegli nell'elenco due o più rilievi leggibili, con Ctrl o Maiusc e un clic.");
        return needs.area && !area_.area ? noArea : QString();
    }
    const OpenSurvey *s = selection.current ? survey(*selection.current) : nullptr;
    if (!s)
        return tr("Scegli un rilievo nell'elenco.");
    if (!s->readable())
        return tr("Il rilievo non si può leggere.\n%1").arg(s->failure());
    return needs.area && !area_.area ? noArea : QString();
}

std::vector<int> Workspace::discordantStations(int id) const
{
    const OpenSurvey *s = survey(id);
    if (!s || !s->readable() || !area_.area)
        return {};
    return verita::stazioniDiscordi(*s->lettura.rilievo, *area_.area);
}

QString Workspace::discordWarning(int id) const
{
    const std::vector<int> stations = discordantStations(id);
    if (stations.empty())
        return {};
    const QString which = stations.size() == 1 ? tr("della stazione %1").arg(stations.front())
                                               : tr("delle stazioni %1").arg(joined(stations));
    return tr("%1: la profondità %2 non corrisponde alla batimetria dell'area (%3): il rilievo viene da un'altra "
              "area, o è stato modificato. Le stime sulla verità non valgono; gli indici sì.")
        .arg(survey(id)->displayName(), which, areaName());
}

std::shared_ptr<const rapporto::Rilievo> Workspace::report(int id) const
{
    const OpenSurvey *s = survey(id);
    if (!s || !s->readable() || !area_.area)
        return nullptr;
    auto &cached = reports_[id];
    if (!cached)
        cached = std::make_shared<const rapporto::Rilievo>(costruzione::rilievo(
            *s->lettura.rilievo, *area_.area, area_.mappa, documenti::pie(s->title, areaFolder_)));
    return cached;
}

std::shared_ptr<const rapporto::PagineComunita> Workspace::community(int id) const
{
    const OpenSurvey *s = survey(id);
    if (!s || !s->readable() || !area_.area)
        return nullptr;
    auto &cached = communities_[id];
    if (!cached)
        cached = std::make_shared<const rapporto::PagineComunita>(
            costruzionecomunita::pagine(*s->lettura.rilievo, *area_.area, area_.mappa, comunita::Opzioni{}));
    return cached;
}

std::vector<costruzione::Lettura> Workspace::readings(const std::vector<int> &ids) const
{
    std::vector<costruzione::Lettura> out;
    for (const int id : ids)
        if (const OpenSurvey *s = survey(id))
            out.push_back({s->unsaved() ? s->title : s->path, s->lettura});
    return out;
}

std::shared_ptr<const rapporto::Classe> Workspace::classReport(const std::vector<int> &ids) const
{
    if (!area_.area || ids.size() < 2)
        return nullptr;
    if (!class_ || classIds_ != ids) {
        classIds_ = ids;
        class_ = std::make_shared<const rapporto::Classe>(documenti::classe(readings(ids), *area_.area).contenuto);
    }
    return class_;
}

documenti::Esito Workspace::document(const std::vector<int> &ids) const
{
    if (ids.empty())
        return {std::nullopt, tr("Scegli un rilievo nell'elenco.")};
    if (!area_.area)
        return {std::nullopt, tr("Il rapporto ha bisogno dell'area: %1").arg(area_.errore)};
    if (ids.size() > 1) {
        documenti::EsitoClasse made = documenti::classe(readings(ids), *area_.area);
        return {std::move(made.documento), made.errore};
    }
    const OpenSurvey *s = survey(ids.front());
    if (!s)
        return {std::nullopt, tr("Scegli un rilievo nell'elenco.")};
    if (!s->readable())
        return {std::nullopt, s->failure()};
    return documenti::rilievo(*s->lettura.rilievo, s->title, *area_.area, area_.mappa);
}

QString Workspace::suggestedPath(int id, const QString &suffix) const
{
    const OpenSurvey *s = survey(id);
    if (!s)
        return {};
    if (s->unsaved()) {
        QString slug = s->title;
        slug.replace(QLatin1String(", "), QLatin1String("-")).replace(QLatin1Char(' '), QLatin1Char('-'));
        slug.replace(QLatin1Char(','), QLatin1Char('_'));
        return QDir::current().absoluteFilePath(slug + suffix);
    }
    const QFileInfo info(s->path);
    return info.dir().absoluteFilePath(info.completeBaseName() + suffix);
}

QString Workspace::suggestedPdfPath(const std::vector<int> &ids) const
{
    if (ids.empty())
        return {};
    if (ids.size() == 1)
        return suggestedPath(ids.front(), QStringLiteral("-rapporto.pdf"));
    const OpenSurvey *first = survey(ids.front());
    const QDir folder = first && !first->unsaved() ? QFileInfo(first->path).dir() : QDir::current();
    return folder.absoluteFilePath(QStringLiteral("classe.pdf"));
}

QString Workspace::tableText(int id) const
{
    const OpenSurvey *s = survey(id);
    if (!s || !s->readable())
        return {};
    if (s->unsaved())
        return s->designTable;
    const Rilievo &r = *s->lettura.rilievo;
    return tabletext::build(r.velmara(), r.numStazioni());
}

QString Workspace::csv(int id, bool longFormat) const
{
    const OpenSurvey *s = survey(id);
    if (!s || !s->readable())
        return {};
    return longFormat ? formati::lungo(*s->lettura.rilievo) : formati::trasposto(*s->lettura.rilievo);
}
