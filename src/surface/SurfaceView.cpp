#include "SurfaceView.h"

#include "PictureSurface.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>

#include <cmath>

SurfaceView::SurfaceView(PictureSurface &surface, int frameWidth, QWidget *parent)
    : QWidget(parent)
    , surface_(surface)
    , frameWidth_(frameWidth)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    // A window's surfaces are members, gone before its child views: the view
    // leaves its surface alone on the way out, and the call checks the view.
    surface_.setChangeListener([view = QPointer<SurfaceView>(this)](const QRect &r) {
        if (view)
            view->surfaceChanged(r);
    });
}

SurfaceView::~SurfaceView() = default;

QSize SurfaceView::sizeHint() const
{
    return surface_.size() + QSize(2 * frameWidth_, 2 * frameWidth_);
}

void SurfaceView::Refresh()
{
    pendingUpdate_ = QRect();
    repaint();
}

int SurfaceView::buttonCode(Qt::MouseButtons buttons)
{
    int code = 0;
    if (buttons & Qt::LeftButton)
        code |= 1;
    if (buttons & Qt::RightButton)
        code |= 2;
    if (buttons & Qt::MiddleButton)
        code |= 4;
    return code;
}

int SurfaceView::shiftCode(Qt::KeyboardModifiers modifiers)
{
    int code = 0;
    if (modifiers & Qt::ShiftModifier)
        code |= 1;
    if (modifiers & Qt::ControlModifier)
        code |= 2;
    if (modifiers & Qt::AltModifier)
        code |= 4;
    return code;
}

void SurfaceView::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    // Enlarging on a high-density screen must keep every map pixel crisp.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    const QRect imageRect(QPoint(frameWidth_, frameWidth_), surface_.size());
    const QRect dirtyInImage = event->rect().intersected(imageRect).translated(-imageRect.topLeft());
    if (!dirtyInImage.isEmpty())
        painter.drawImage(dirtyInImage.topLeft() + imageRect.topLeft(), surface_.Image(), dirtyInImage);

    const QRegion outside = QRegion(event->rect()).subtracted(imageRect);
    if (!outside.isEmpty()) {
        painter.setClipRegion(outside);
        painter.fillRect(rect(), palette().window());
        // A sunken border, darker above and to the left.
        const QRect r = rect();
        for (int i = 0; i < frameWidth_; ++i) {
            const QColor upper = i == 0 ? QColor(128, 128, 128) : QColor(64, 64, 64);
            const QColor lower = i == 0 ? QColor(255, 255, 255) : QColor(212, 208, 200);
            const QRect ring = r.adjusted(i, i, -i, -i);
            painter.setPen(upper);
            painter.drawLine(ring.topLeft(), ring.topRight());
            painter.drawLine(ring.topLeft(), ring.bottomLeft());
            painter.setPen(lower);
            painter.drawLine(ring.bottomLeft(), ring.bottomRight());
            painter.drawLine(ring.topRight(), ring.bottomRight());
        }
    }
}

QPointF SurfaceView::unitsAt(QPointF widgetPos) const
{
    // The whole pixel under the pointer, also when a fractional logical
    // position comes from a high-density screen.
    const QPointF pixel(std::floor(widgetPos.x() - frameWidth_), std::floor(widgetPos.y() - frameWidth_));
    return surface_.toUnits(pixel);
}

void SurfaceView::mousePressEvent(QMouseEvent *event)
{
    const QPointF p = unitsAt(event->position());
    emit mouseDown(buttonCode(event->button()), shiftCode(event->modifiers()), float(p.x()), float(p.y()));
}

void SurfaceView::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF p = unitsAt(event->position());
    emit mouseMove(buttonCode(event->buttons()), shiftCode(event->modifiers()), float(p.x()), float(p.y()));
}

void SurfaceView::mouseReleaseEvent(QMouseEvent *event)
{
    const QPointF p = unitsAt(event->position());
    emit mouseUp(buttonCode(event->button()), shiftCode(event->modifiers()), float(p.x()), float(p.y()));
}

void SurfaceView::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second press of a left double click is not a press of its own: a
    // quick double click on the sea would place a station and at once open
    // its sieve. Any other button's quick second press is one more press,
    // such as a second deletion on a neighbouring marker.
    if (event->button() == Qt::LeftButton)
        event->accept();
    else
        mousePressEvent(event);
}

void SurfaceView::surfaceChanged(const QRect &pixelRect)
{
    if (pendingUpdate_.isEmpty()) {
        QMetaObject::invokeMethod(
            this,
            [this] {
                update(pendingUpdate_);
                pendingUpdate_ = QRect();
            },
            Qt::QueuedConnection);
    }
    pendingUpdate_ |= pixelRect.translated(frameWidth_, frameWidth_);
}
