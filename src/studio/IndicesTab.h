#pragma once

#include "StudioTab.h"

class IndicesModel;
class QLabel;
class QSortFilterProxyModel;
class QTableView;

// The indices of every station in a real table, one row per station,
// sortable by any column; Ctrl+C copies the selected cells for a
// spreadsheet. Only the survey is needed, not the area.
class IndicesTab : public StudioTab
{
    Q_OBJECT

public:
    explicit IndicesTab(QWidget *parent = nullptr);

    QString title() const override { return tr("&Indici"); }
    TabNeeds needs() const override { return {false, false}; }
    bool showStation(int number) override;

    QTableView *view() const { return view_; }
    IndicesModel *model() const { return model_; }
    // The selected cells as Ctrl+C copies them.
    QString selectionText() const;
    void copySelection() const;

protected:
    void fill(const Workspace &workspace, const Selection &selection) override;
    void release() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    IndicesModel *model_ = nullptr;
    QSortFilterProxyModel *proxy_ = nullptr;
    QTableView *view_ = nullptr;
    QLabel *summary_ = nullptr;
};
