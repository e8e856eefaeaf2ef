#include "ChartView.h"

#include "ChartScale.h"
#include "ChartTab.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

ChartView::ChartView(ChartTab &tab, QWidget *parent)
    : QWidget(parent)
    , tab_(tab)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setMinimumSize(200, 150);
    setFocusPolicy(Qt::ClickFocus);
}

double ChartView::scale() const
{
    return chartscale::scale(QSizeF(size()), tab_.minimumBox());
}

void ChartView::paintChart(QPainter &p, const QSizeF &size) const
{
    p.fillRect(QRectF(QPointF(0, 0), size), Qt::white);
    const double s = chartscale::scale(size, tab_.minimumBox());
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    p.scale(s, s);
    tab_.draw(p, chartscale::box(size, s));
    p.restore();
}

QImage ChartView::image(qreal devicePixelRatio) const
{
    QImage image((QSizeF(size()) * devicePixelRatio).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    QPainter p(&image);
    paintChart(p, QSizeF(size()));
    p.end();
    return image;
}

QPointF ChartView::toChart(QPointF widgetPoint) const
{
    return widgetPoint / scale();
}

QPointF ChartView::fromChart(QPointF chartPoint) const
{
    return chartPoint * scale();
}

QRectF ChartView::chartBox() const
{
    return chartscale::box(QSizeF(size()), scale());
}

void ChartView::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    paintChart(p, QSizeF(size()));
}

bool ChartView::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto *help = static_cast<QHelpEvent *>(event);
        const QString text = tab_.toolTipAt(toChart(help->pos()), chartBox());
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), text, this);
        return true;
    }
    return QWidget::event(event);
}

void ChartView::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        tab_.clickedAt(toChart(event->position()), chartBox());
    QWidget::mouseReleaseEvent(event);
}
