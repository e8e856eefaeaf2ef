#pragma once

#include "StudioTab.h"

#include <QPainter>
#include <QRectF>
#include <QSizeF>
#include <QStringList>

class ChartView;
class QComboBox;
class QLabel;

// A tab that shows a chart of the reports, drawn by its function in
// src/rapporto at the widget's size. A subclass keeps what it draws (taken
// in fill(), never while painting) and says how to draw it; with several
// views (the pages of the class) a choice above the chart picks one.
class ChartTab : public StudioTab
{
    Q_OBJECT

public:
    explicit ChartTab(const QStringList &views = {}, QWidget *parent = nullptr);

    // The chart in points, inside the box.
    virtual void draw(QPainter &p, const QRectF &box) const = 0;
    // The smallest box in which the chart fits whole.
    virtual QSizeF minimumBox() const = 0;
    // The pointer over the chart, and a click on it, in the chart's points.
    virtual QString toolTipAt(QPointF point, const QRectF &box) const;
    virtual void clickedAt(QPointF point, const QRectF &box);

    QImage chartImage() const override;
    // False while the tab shows only its note, saying why there is no chart.
    bool hasChart() const { return chart_; }
    ChartView *view() const { return view_; }
    int currentView() const;
    void setCurrentView(int view);

protected:
    // A line above the chart; hidden when empty. Without a chart the note
    // stands alone.
    void setNote(const QString &note, bool chart = true);

private:
    ChartView *view_ = nullptr;
    QComboBox *views_ = nullptr;
    QLabel *note_ = nullptr;
    bool chart_ = true;
};
