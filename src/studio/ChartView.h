#pragma once

#include <QImage>
#include <QWidget>

class ChartTab;

// Shows a chart tab's drawing at the widget's own size: the report's
// drawing in points, scaled as a whole by the painter, never a picture
// scaled up. Passes the pointer on in the chart's coordinates.
class ChartView : public QWidget
{
    Q_OBJECT

public:
    explicit ChartView(ChartTab &tab, QWidget *parent = nullptr);

    // Draws the chart as it shows in a widget of that size, white behind.
    void paintChart(QPainter &p, const QSizeF &size) const;
    // The chart as shown, at the given device pixel ratio.
    QImage image(qreal devicePixelRatio) const;
    // A point of the widget in the chart's coordinates, and the chart's box.
    QPointF toChart(QPointF widgetPoint) const;
    QPointF fromChart(QPointF chartPoint) const;
    QRectF chartBox() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    double scale() const;

    ChartTab &tab_;
};
