#pragma once

#include "Velmara.h"
#include "VelmaraMain.h"

#include <QApplication>
#include <QDir>
#include <QFile>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The timing and the table of fondalis-bench, shared by its case files.

struct Timing {
    double median = 0; // seconds
    double min = 0;
    double max = 0;
};

struct Row {
    std::string name;
    std::optional<Timing> timing;
    std::string value; // instead of a timing, e.g. memory
    std::string reference;
    std::optional<Timing> referenceTiming;
    std::string ratio;
    std::string target;
    bool met = true;
};

inline std::string format(const char *pattern, double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, pattern, value);
    return buffer;
}

// Microseconds below a millisecond, milliseconds above.
inline std::string duration(double seconds)
{
    if (seconds < 1e-3)
        return format("%.2f us", seconds * 1e6);
    return format("%.3f ms", seconds * 1e3);
}

class Bench
{
public:
    explicit Bench(QString folder)
        : folder_(std::move(folder))
    {
    }

    const QString &folder() const { return folder_; }
    QString file(const char *name) const { return QDir(folder_).filePath(QString::fromLatin1(name)); }

    // Runs `work` twice to warm up, then as often as fits in about
    // `budget` seconds (5 to 2001 times). `between` runs after each timed
    // run, outside the clock, to put things back.
    Timing time(const std::function<void()> &work, const std::function<void()> &between = {}, double budget = 0.6)
    {
        return timeTogether({work}, between, budget).front();
    }

    // Times the pieces of work in turn, run by run, so that a change of
    // load on the shared machine weighs on all of them alike: for a work
    // and its reference.
    std::vector<Timing> timeTogether(const std::vector<std::function<void()>> &works,
                                     const std::function<void()> &between = {}, double budget = 1.0)
    {
        using Clock = std::chrono::steady_clock;
        const auto once = [&](const std::function<void()> &work) {
            const auto start = Clock::now();
            work();
            const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
            if (between)
                between();
            return seconds;
        };
        double estimate = 0;
        for (int i = 0; i < 2; ++i) {
            estimate = 0;
            for (const auto &work : works)
                estimate += once(work);
        }
        const int runs = std::clamp(static_cast<int>(budget / std::max(estimate, 1e-7)), 5, 2001) | 1;
        std::vector<std::vector<double>> times(works.size());
        for (int i = 0; i < runs; ++i)
            for (std::size_t w = 0; w < works.size(); ++w)
                times[w].push_back(once(works[w]));
        std::vector<Timing> result;
        for (std::vector<double> &t : times) {
            std::sort(t.begin(), t.end());
            result.push_back({t[t.size() / 2], t.front(), t.back()});
        }
        return result;
    }

    void absolute(const std::string &name, const Timing &t, double limitSeconds)
    {
        Row row{name, t, {}, {}, {}, {}, "<= " + duration(limitSeconds), t.median <= limitSeconds};
        rows_.push_back(row);
    }

    // time / reference at most `factor`.
    void atMostTimes(const std::string &name, const Timing &t, const std::string &reference, const Timing &ref,
                     double factor)
    {
        const double ratio = t.median / ref.median;
        rows_.push_back({name, t, {}, reference, ref, format("%.2fx", ratio), format("<= %.3gx ref", factor),
                         ratio <= factor});
    }

    // reference / time at least `factor`.
    void atLeastFaster(const std::string &name, const Timing &t, const std::string &reference, const Timing &ref,
                       double factor)
    {
        const double ratio = ref.median / t.median;
        rows_.push_back({name, t, {}, reference, ref, format("%.1fx faster", ratio),
                         format(">= %.3gx faster", factor), ratio >= factor});
    }

    void atMost(const std::string &name, double value, double limit, const char *unit)
    {
        rows_.push_back({name, {}, format("%.1f ", value) + unit, {}, {}, {}, format("<= %.0f ", limit) + unit,
                         value <= limit});
    }

    // A case that could not be measured, or measured something wrong.
    void failed(const std::string &name, const QString &why)
    {
        rows_.push_back({name, {}, "FAILED", {}, {}, {}, why.toStdString(), false});
    }

    // Sorted by the case number leading each name.
    bool print()
    {
        std::stable_sort(rows_.begin(), rows_.end(),
                         [](const Row &a, const Row &c) { return std::atoi(a.name.c_str()) < std::atoi(c.name.c_str()); });
        bool allMet = true;
        std::printf("%-44s %11s %11s %11s  %-22s %11s  %-13s %-16s %s\n", "case", "median", "min", "max", "reference",
                    "ref median", "ratio", "target", "");
        for (const Row &r : rows_) {
            allMet = allMet && r.met;
            const std::string median = r.timing ? duration(r.timing->median) : r.value;
            const std::string min = r.timing ? duration(r.timing->min) : std::string();
            const std::string max = r.timing ? duration(r.timing->max) : std::string();
            const std::string refMedian = r.referenceTiming ? duration(r.referenceTiming->median) : std::string();
            std::printf("%-44s %11s %11s %11s  %-22s %11s  %-13s %-16s %s\n", r.name.c_str(), median.c_str(),
                        min.c_str(), max.c_str(), r.reference.c_str(), refMedian.c_str(), r.ratio.c_str(),
                        r.target.c_str(), r.met ? "ok" : "MISSED");
        }
        return allMet;
    }

    // The main window of the program, loaded once and kept for the cases
    // that need it.
    VelmaraMain &main()
    {
        if (!main_) {
            main_ = std::make_unique<VelmaraMain>(state_, folder_);
            state_.SplashFatto = true; // no four-second wait
            main_->setFatalReporter([](const QString &message) { std::fprintf(stderr, "%s\n", qPrintable(message)); });
            mainLoaded_ = main_->Form_Load();
            QApplication::processEvents();
        }
        return *main_;
    }
    bool mainLoaded() const { return mainLoaded_; }
    Velmara &state() { return state_; }

private:
    QString folder_;
    std::vector<Row> rows_;
    Velmara state_;
    std::unique_ptr<VelmaraMain> main_;
    bool mainLoaded_ = false;
};

inline double vmHwmMb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return -1;
}

