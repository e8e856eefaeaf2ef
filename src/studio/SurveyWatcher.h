#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>

// Tells when an open survey's file changes on disk, once per save. A save
// often comes as several signals, and most programs (Fondalis's own "Salva
// dati" too) replace the file by a rename, after which the file is no
// longer watched: its path is watched again, and its folder tells when a
// file that was gone comes back.
class SurveyWatcher : public QObject
{
    Q_OBJECT

public:
    explicit SurveyWatcher(QObject *parent = nullptr);

    void watch(const QString &path);
    void unwatch(const QString &path);
    QStringList watched() const { return paths_.values(); }

    // How long the signals of one save are gathered.
    static constexpr int kFoldMs = 200;

signals:
    void changed(const QString &path);

private:
    void fileChanged(const QString &path);
    void folderChanged(const QString &folder);
    void report();

    QFileSystemWatcher watcher_;
    QSet<QString> paths_;
    QSet<QString> pending_;
    QTimer fold_;
};
