#pragma once

#include "MapColour.h"

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QImage>
#include <QRect>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

// A raster picture with a persistent image: the background picture plus
// everything drawn since the last Cls. Drawing happens in the surface's
// coordinates, pixels by default or a user scale; every drawing routine maps
// a point to the pixel nearest to it (halves to even) and clips to the
// picture. The image is always Format_RGB32.
class PictureSurface
{
public:
    explicit PictureSurface(QSize size = {}, ColourValue backColour = mapcolour::kWhite);

    QSize size() const { return image_.size(); }
    int width() const { return image_.width(); }
    int height() const { return image_.height(); }

    // The background picture is laid at natural size from the top-left
    // corner over the back colour and replaces the persistent image.
    // With autoSize the surface first takes the picture's size.
    void setPicture(const QImage &picture, bool autoSize = false);
    void Cls(); // back to the background picture; CurrentX, CurrentY to 0

    // ScaleMode pixels: one unit per pixel, origin top-left, y downwards.
    void scalePixels();
    // User scale: (x1, y1) is the top-left of the drawing area, (x2, y2) the
    // bottom-right, mapped linearly (y grows upwards when y1 > y2).
    void Scale(float x1, float y1, float x2, float y2);
    QPoint toPixel(float x, float y) const;
    QPointF toUnits(QPointF pixel) const;

    // -1 outside the picture.
    ColourValue Point(float x, float y) const;
    void PSet(float x, float y, ColourValue c);
    // A one-pixel line; both end points are drawn.
    void Line(float x1, float y1, float x2, float y2, ColourValue c);
    // A filled box; both corners are included (+-2 around a point is 5 x 5).
    void Box(float x1, float y1, float x2, float y2, ColourValue c);

    // Draws the text with its top-left corner at (CurrentX, CurrentY); only
    // pixels inside the text's TextWidth x TextHeight box change. Afterwards
    // CurrentY is one text line lower and CurrentX back where it was.
    void Print(const QString &text);
    // Print for each text in turn from its own top-left corner, with one
    // painter for them all: the same pixels, many times faster for many
    // short texts. Leaves the current position as Print of the last one.
    struct Caption {
        float x;
        float y;
        QString text;
    };
    void PrintAll(const std::vector<Caption> &captions);
    float TextWidth(const QString &text) const;
    float TextHeight(const QString &text) const;

    float CurrentX = 0.0f;
    float CurrentY = 0.0f;
    ColourValue ForeColor = mapcolour::kBlack;
    void setFont(const QFont &font);
    const QFont &font() const { return font_; }

    // The persistent image, e.g. for the clipboard.
    const QImage &Image() const { return image_; }

    // For bulk pixel work on rows: write into pixels(), then report the
    // rectangle that changed so that a view repaints it. Ask for it again
    // after a Cls or a new picture: the surface notes that it was drawn on.
    QImage &pixels() { return drawing(); }
    void markChanged(const QRect &pixelRect);

    // Told of every changed pixel rectangle (a view repaints it).
    void setChangeListener(std::function<void(const QRect &)> listener) { listener_ = std::move(listener); }

private:
    void restoreBackground();
    QImage &drawing()
    {
        drawnOn_ = true;
        return image_;
    }

    const QFontMetrics &metrics() const;
    int advance(const QString &text) const;

    QImage background_;
    // The picture background_ was made from, so that laying the same one
    // again costs nothing; 0 when made from none.
    qint64 pictureKey_ = 0;
    // Whether image_ may differ from background_.
    bool drawnOn_ = false;
    QImage image_;
    ColourValue backColour_ = mapcolour::kWhite;
    QFont font_;
    // Made on first use after each change of font: measuring a text shapes
    // it, and the map's labels are measured over and over.
    mutable std::optional<QFontMetrics> metrics_;
    mutable QHash<QString, int> advances_;
    // Pixel = (unit - origin) * factor, per axis.
    double originX_ = 0.0;
    double originY_ = 0.0;
    double factorX_ = 1.0;
    double factorY_ = 1.0;
    std::function<void(const QRect &)> listener_;
};
