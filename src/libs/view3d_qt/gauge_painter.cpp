#include "libs/view3d_qt/gauge_painter.h"

#include "libs/view3d/gauge_pointer.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>
#include <array>
#include <cmath>
#include <numbers>
#include <span>

namespace {

const QColor kDialFace(252, 253, 254);
const QColor kDialRim(160, 171, 184);
const QColor kLevelMark(110, 122, 138);
const QColor kLetter(96, 108, 124);
const QColor kBody(70, 88, 110);
const QColor kBodyTop(110, 132, 158);
const QColor kDark(30, 36, 44);
const QColor kAccent(232, 121, 43);

// A part of a dial's camera, in dial radii, drawn with the gauge's
// reference direction (the camera's right for roll, its lens otherwise)
// along +x and then turned to where GaugePointer says it points.
struct GlyphPart {
    QRectF rect;
    const QColor* colour;
};

constexpr std::array kRollGlyph{
    GlyphPart{{-0.56, -0.3, 1.12, 0.6}, &kBody},
    GlyphPart{{-0.2, -0.44, 0.4, 0.16}, &kBodyTop},
    GlyphPart{{-0.4, -0.18, 0.8, 0.36}, &kDark},
};
constexpr std::array kPitchGlyph{
    GlyphPart{{-0.46, -0.3, 0.72, 0.6}, &kBody},
    GlyphPart{{-0.36, -0.44, 0.3, 0.16}, &kBodyTop},
    GlyphPart{{0.26, -0.2, 0.28, 0.4}, &kDark},
    GlyphPart{{0.52, -0.23, 0.1, 0.46}, &kAccent},
};
constexpr std::array kYawGlyph{
    GlyphPart{{-0.4, -0.52, 0.6, 1.04}, &kBody},
    GlyphPart{{-0.32, -0.18, 0.3, 0.36}, &kBodyTop},
    GlyphPart{{0.2, -0.2, 0.3, 0.4}, &kDark},
    GlyphPart{{0.48, -0.23, 0.1, 0.46}, &kAccent},
};

struct GaugeStyle {
    const char* letter;
    std::span<const GlyphPart> glyph;
    // Headings of the fixed marks around the rim, in degrees clockwise
    // from the right: level marks at 0 and 180, heading 0 at 270.
    std::span<const double> marks;
};

constexpr std::array kLevelMarks{0.0, 180.0};
constexpr std::array kCompassMarks{270.0, 0.0, 90.0, 180.0};

const GaugeStyle& StyleOf(Gauge gauge)
{
    static const std::array<GaugeStyle, 3> styles{
        GaugeStyle{"R", kRollGlyph, kLevelMarks},
        GaugeStyle{"P", kPitchGlyph, kLevelMarks},
        GaugeStyle{"Y", kYawGlyph, kCompassMarks},
    };
    return styles[static_cast<int>(gauge)];
}

void PaintDial(QPainter& painter, double radius)
{
    painter.setPen(QPen(kDialRim, 1.0));
    painter.setBrush(kDialFace);
    painter.drawEllipse(QPointF(0, 0), radius, radius);
}

// The first mark is the one that matters (level, or heading 0): longer.
void PaintMarks(QPainter& painter, const GaugeStyle& style, double radius)
{
    bool first = true;
    for (const double degrees : style.marks) {
        const double inner = first || style.marks.size() == 2 ? 0.7 : 0.84;
        painter.save();
        painter.rotate(degrees);
        painter.setPen(QPen(kLevelMark, 1.6, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(radius * inner, 0), QPointF(radius * 0.95, 0));
        painter.restore();
        first = false;
    }
}

// A glyph's parts in device pixels, the gauge's reference direction along
// +x: the same flattening the painter would do at that size.
std::vector<QPolygonF> FlattenedGlyph(const GaugeStyle& style, double device_radius)
{
    std::vector<QPolygonF> parts;
    const QTransform scale = QTransform::fromScale(device_radius, device_radius);
    for (const GlyphPart& part : style.glyph) {
        QPainterPath path;
        path.addRoundedRect(part.rect, 0.05, 0.05);
        parts.push_back(path.toFillPolygon(scale));
    }
    return parts;
}

void PaintLetter(QPainter& painter, const GaugeStyle& style, const Rect& dial)
{
    QFont font = painter.font();
    font.setPixelSize(std::max(8, static_cast<int>(dial.height * 0.24)));
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(kLetter);
    const QRectF box(dial.x - dial.height * 0.42, dial.y, dial.height * 0.36, dial.height);
    painter.drawText(box, Qt::AlignRight | Qt::AlignVCenter, QString::fromLatin1(style.letter));
}

} // namespace

void PaintGaugeFace(QPainter& painter, Gauge gauge, const Rect& dial)
{
    const GaugeStyle& style = StyleOf(gauge);
    const double radius = dial.width / 2.0;
    PaintLetter(painter, style, dial);
    painter.save();
    painter.translate(dial.x + radius, dial.y + radius);
    PaintDial(painter, radius);
    PaintMarks(painter, style, radius);
    painter.restore();
}

void GaugePointers::Paint(QPainter& painter, Gauge gauge, const Rect& dial, const Attitude& attitude)
{
    const GaugeStyle& style = StyleOf(gauge);
    const double radius = dial.width / 2.0;
    const double ratio = painter.device()->devicePixelRatioF();
    const std::vector<QPolygonF>& parts = Parts(gauge, radius * ratio);
    const Point2 pointer = GaugePointer(gauge, attitude);
    painter.save();
    painter.translate(dial.x + radius, dial.y + radius);
    painter.rotate(std::atan2(pointer.y, pointer.x) * 180.0 / std::numbers::pi);
    painter.scale(1.0 / ratio, 1.0 / ratio);
    painter.setPen(Qt::NoPen);
    for (std::size_t i = 0; i < parts.size(); ++i) {
        painter.setBrush(*style.glyph[i].colour);
        painter.drawPolygon(parts[i]);
    }
    painter.restore();
}

const std::vector<QPolygonF>& GaugePointers::Parts(Gauge gauge, double device_radius)
{
    Outlines& outlines = m_outlines[static_cast<std::size_t>(gauge)];
    if (outlines.device_radius != device_radius) {
        outlines = {device_radius, FlattenedGlyph(StyleOf(gauge), device_radius)};
    }
    return outlines.parts;
}
