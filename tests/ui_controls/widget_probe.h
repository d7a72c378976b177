#pragma once

// Helpers for widget tests: count paint events, settle the event loop and
// read pixels of a widget's rendering.
#include <QColor>
#include <QCoreApplication>
#include <QEvent>
#include <QImage>
#include <QTest>
#include <QWidget>
#include <ostream>

class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget& widget) { widget.installEventFilter(this); }
    int Count() const { return m_count; }
    void Reset() { m_count = 0; }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        m_count += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }

private:
    int m_count = 0;
};

// Delivers what is pending: a repaint is a posted event, painted when it
// is delivered, so afterwards every update asked for so far has been painted.
inline void Settle()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

// Number of paints `action` causes: earlier updates are let through first,
// then the repaints the action posted.
template <typename Action> int PaintsCausedBy(PaintCounter& counter, Action&& action)
{
    Settle();
    counter.Reset();
    action();
    Settle();
    return counter.Count();
}

inline void ShowExposed(QWidget& widget)
{
    widget.show();
    (void)QTest::qWaitForWindowExposed(&widget);
    Settle();
}

inline QImage Render(QWidget& widget)
{
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Pixels compare as 8-bit RGB: palette colours carry 16 bits per channel.
inline bool HasColor(const QImage& image, int x, int y, const QColor& color)
{
    return image.pixel(x, y) == color.rgb();
}

inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
