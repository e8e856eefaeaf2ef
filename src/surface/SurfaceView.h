#pragma once

#include <QRect>
#include <QWidget>

class PictureSurface;

// Shows a picture surface one pixel per logical pixel, inside an optional
// sunken frame, and reports the mouse in the surface's own units. On a
// high-density screen the picture is enlarged without smoothing.
class SurfaceView : public QWidget
{
    Q_OBJECT

public:
    explicit SurfaceView(PictureSurface &surface, int frameWidth = 0, QWidget *parent = nullptr);
    ~SurfaceView() override;

    QSize sizeHint() const override;

    // Paints the persistent image now, not at the next event-loop turn.
    void Refresh();

    // Button codes: 1 left, 2 right, 4 middle (or'ed while moving);
    // shift codes: 1 Shift, 2 Ctrl, 4 Alt.
    static int buttonCode(Qt::MouseButtons buttons);
    static int shiftCode(Qt::KeyboardModifiers modifiers);

signals:
    // x and y are in the surface's units; in pixel scale they are the whole
    // number of the pixel under the pointer (outside the picture while a
    // button is held and the pointer has left it).
    void mouseDown(int button, int shift, float x, float y);
    void mouseMove(int button, int shift, float x, float y);
    void mouseUp(int button, int shift, float x, float y);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    QPointF unitsAt(QPointF widgetPos) const;
    void surfaceChanged(const QRect &pixelRect);

    PictureSurface &surface_;
    int frameWidth_ = 0;
    // Pixel loops report single pixels; they are gathered into one
    // rectangle and repainted once when the handler returns.
    QRect pendingUpdate_;
};
