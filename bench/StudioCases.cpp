#include "StudioCases.h"

#include "Analisi.h"
#include "Bench.h"
#include "ChartTab.h"
#include "ChartView.h"
#include "ClassTab.h"
#include "StudioTabs.h"
#include "Workspace.h"

#include <QFile>
#include <QPainter>
#include <QTemporaryDir>

#include <memory>

namespace {

// A survey by the random design, saved as the program saves it.
QString saveDesign(const Bench &b, const QString &folder, int stations, int seed)
{
    QString table, err;
    QTextStream out(&table), errStream(&err);
    const QStringList args{QStringLiteral("disegno"), QStringLiteral("casuale"), QString::number(stations),
                           QStringLiteral("--seme"), QString::number(seed)};
    if (runAnalisi(args, out, errStream, b.folder()) != 0)
        return {};
    out.flush();
    const QString path = folder + QStringLiteral("/studio-%1-%2.txt").arg(stations).arg(seed);
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(table.toUtf8()) > 0 ? path : QString();
}

} // namespace

void caseStudioRedraw(Bench &b)
{
    QTemporaryDir dir;
    Workspace workspace(b.folder());
    if (!workspace.setArea(b.folder()).isEmpty())
        return b.failed("13 studio redraw", QStringLiteral("the area cannot be read"));
    // The largest survey a user can make, and a class of thirty.
    std::vector<int> ids;
    for (int seed = 1; seed <= 30; ++seed) {
        const QString path = saveDesign(b, dir.path(), seed == 1 ? 100 : 20, seed);
        if (path.isEmpty())
            return b.failed("13 studio redraw", QStringLiteral("no survey could be made"));
        ids.push_back(workspace.open(path));
    }
    const Selection selection{ids.front(), ids};
    // The backing store of a window on a screen of 1920 x 1080.
    const QSize window(1920, 1080);
    QImage screen(window, QImage::Format_ARGB32_Premultiplied);
    std::vector<std::unique_ptr<StudioTab>> tabs;
    for (StudioTab *tab : studiotabs::make())
        tabs.emplace_back(tab);
    for (const auto &tab : tabs) {
        auto *chart = qobject_cast<ChartTab *>(tab.get());
        if (!chart)
            continue;
        tab->refresh(workspace, selection);
        const int views = qobject_cast<ClassTab *>(chart) ? 2 : 1;
        for (int view = 0; view < views; ++view) {
            chart->setCurrentView(view);
            // Every redraw is of a window of 1920 x 1080.
            QString name = QStringLiteral("13 studio redraw %1%2")
                               .arg(chart->title().remove(QLatin1Char('&')).toLower(),
                                    views > 1 ? (view == 0 ? QStringLiteral(" table") : QStringLiteral(" panels"))
                                              : QString());
            const Timing t = b.time([&] {
                QPainter p(&screen);
                chart->view()->paintChart(p, QSizeF(window));
            });
            b.absolute(name.toStdString(), t, 16e-3);
        }
    }
}

void caseStudioOpen(Bench &b)
{
    const std::string name = "14 studio open a survey, 100 stations";
    QTemporaryDir dir;
    const QString path = saveDesign(b, dir.path(), 100, 1);
    Workspace workspace(b.folder());
    if (path.isEmpty() || !workspace.setArea(b.folder()).isEmpty())
        return b.failed(name, QStringLiteral("no survey or no area"));
    int id = 0;
    // Read, checked against the area, and the report's analyses made, as
    // the tabs need them; closed again outside the clock.
    const Timing t = b.time(
        [&] {
            id = workspace.open(path);
            (void)workspace.report(id);
            (void)workspace.discordWarning(id);
        },
        [&] { workspace.close(id); });
    b.absolute(name, t, 100e-3);
}
