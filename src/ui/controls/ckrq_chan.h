#pragma once

#include <QFont>
#include <QFrame>
#include <array>
#include <cstdint>
#include <optional>
#include <span>

// Sixteen channel levels side by side: for each channel a frame in the button
// shadow colour, a green fill of its level in percent and the label "CH01"
// to "CH16" centred on the bar in a 14-pixel font.
class CKRQChan : public QFrame {
    Q_OBJECT
public:
    static constexpr int kChannelCount = 16;
    using Levels = std::array<std::uint8_t, kChannelCount>;

    explicit CKRQChan(QWidget* parent = nullptr);

    // Takes the levels of channel 1 to 16 (0 to 100, not clamped); repaints
    // only when at least one differs from what is shown.
    void SetLevels(std::span<const std::uint8_t, kChannelCount> levels);

    const Levels& CurrentLevels() const { return m_levels; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void DrawChannel(QPainter& painter, const QRect& client, int channel) const;
    const QFont& LabelFont();

    Levels m_levels{};
    QFont m_label_font;
    std::optional<QFont> m_label_font_source; // the font m_label_font was fitted from
};
