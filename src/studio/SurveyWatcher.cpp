#include "SurveyWatcher.h"

#include <QFileInfo>

SurveyWatcher::SurveyWatcher(QObject *parent)
    : QObject(parent)
{
    fold_.setSingleShot(true);
    fold_.setInterval(kFoldMs);
    connect(&fold_, &QTimer::timeout, this, &SurveyWatcher::report);
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &SurveyWatcher::fileChanged);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &SurveyWatcher::folderChanged);
}

void SurveyWatcher::watch(const QString &path)
{
    paths_.insert(path);
    if (QFileInfo::exists(path) && !watcher_.files().contains(path))
        watcher_.addPath(path);
    const QString folder = QFileInfo(path).absolutePath();
    if (!watcher_.directories().contains(folder))
        watcher_.addPath(folder);
}

void SurveyWatcher::unwatch(const QString &path)
{
    paths_.remove(path);
    pending_.remove(path);
    watcher_.removePath(path);
    const QString folder = QFileInfo(path).absolutePath();
    const bool folderStillNeeded = std::any_of(paths_.cbegin(), paths_.cend(), [&folder](const QString &p) {
        return QFileInfo(p).absolutePath() == folder;
    });
    if (!folderStillNeeded)
        watcher_.removePath(folder);
}

void SurveyWatcher::fileChanged(const QString &path)
{
    if (!paths_.contains(path))
        return;
    pending_.insert(path);
    fold_.start();
}

void SurveyWatcher::folderChanged(const QString &folder)
{
    // A file replaced or brought back: its own watch may be gone.
    for (const QString &path : std::as_const(paths_))
        if (QFileInfo(path).absolutePath() == folder && QFileInfo::exists(path) && !watcher_.files().contains(path))
            fileChanged(path);
}

void SurveyWatcher::report()
{
    const QSet<QString> paths = std::exchange(pending_, {});
    for (const QString &path : paths) {
        if (!paths_.contains(path))
            continue;
        if (QFileInfo::exists(path) && !watcher_.files().contains(path))
            watcher_.addPath(path);
        emit changed(path);
    }
}
