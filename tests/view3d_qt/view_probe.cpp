#include "view_probe.h"

#include <QColor>
#include <QPainter>
#include <cstdlib>

namespace {

constexpr int kClearDifference = 48; // sum of the three channels' differences
constexpr int kDarkLightness = 110;

int Difference(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
}

QRect Pixels(const Rect& area)
{
    return QRect(static_cast<int>(area.x), static_cast<int>(area.y), static_cast<int>(area.width),
                 static_cast<int>(area.height));
}

double MeanDarkRow(const QImage& image, const QRect& area)
{
    double rows = 0;
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (QColor(image.pixel(x, y)).lightness() < kDarkLightness) {
                rows += y;
                ++count;
            }
        }
    }
    return count > 0 ? rows / count : 0.0;
}

} // namespace

int CountDifferentPixels(const QImage& a, const QImage& b, const Rect& area)
{
    const QRect pixels = Pixels(area);
    int count = 0;
    for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
        for (int x = pixels.left(); x <= pixels.right(); ++x) {
            count += Difference(a.pixel(x, y), b.pixel(x, y)) > kClearDifference ? 1 : 0;
        }
    }
    return count;
}

QImage MirroredWithin(const QImage& image, const Rect& area)
{
    const QRect pixels = Pixels(area);
    QImage mirrored = image.copy();
    for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
        for (int x = pixels.left(); x <= pixels.right(); ++x) {
            mirrored.setPixel(x, y, image.pixel(pixels.left() + pixels.right() - x, y));
        }
    }
    return mirrored;
}

double DarkTilt(const QImage& image, const Rect& area)
{
    const QRect pixels = Pixels(area);
    const int half = pixels.width() / 2;
    const QRect left(pixels.left(), pixels.top(), half, pixels.height());
    const QRect right(pixels.right() - half + 1, pixels.top(), half, pixels.height());
    return MeanDarkRow(image, right) - MeanDarkRow(image, left);
}

QImage PaintedPicture(ModelVariant variant, const Attitude& attitude, double ratio)
{
    const QSize size(455, 210);
    QImage image(size * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::black);
    QPainter painter(&image);
    AttitudePicture(variant, 1.0).Paint(painter, size, attitude);
    return image;
}
