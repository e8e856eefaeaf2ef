#pragma once

#include "Selection.h"

#include <QTreeWidget>

#include <vector>

class Workspace;

// The list of open surveys: file name, stations and area, one or more
// selected. The current survey is the one the single-survey tabs show.
class SurveyList : public QTreeWidget
{
    Q_OBJECT

public:
    explicit SurveyList(QWidget *parent = nullptr);

    // Shows the workspace's surveys again, keeping what was selected.
    void rebuild(const Workspace &workspace);
    // Selects the surveys; `current` is the one the tabs show.
    void select(const std::vector<int> &ids, int current);
    Selection selection(const Workspace &workspace) const;

signals:
    // The user, or select(), changed the selection; not a rebuild.
    void selectionMade();

private:
    bool rebuilding_ = false;
};
