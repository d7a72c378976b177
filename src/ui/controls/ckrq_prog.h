#pragma once

#include <QColor>
#include <QFrame>
#include <cstdint>

// A thin level bar: the left `m_pos` percent of the width in `m_bar_color`
// on the button face, no frame of its own, no text.
class CKRQProg : public QFrame {
    Q_OBJECT
public:
    explicit CKRQProg(QWidget* parent = nullptr);

    // Shows `pos` percent (0 to 100, not clamped) in `color`; repaints only
    // when either differs from what is shown.
    void SetPos(std::int32_t pos, const QColor& color);

    std::int32_t Pos() const { return m_pos; }
    const QColor& BarColor() const { return m_bar_color; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::int32_t m_pos = 0;
    QColor m_bar_color{0, 0, 0};
};
