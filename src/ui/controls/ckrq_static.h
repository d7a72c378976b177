#pragma once

#include <QColor>
#include <QLabel>

// A label or value field that draws its own text: button-face background,
// one line in `m_text_color`, placed left, centred or right by the label's
// horizontal alignment (centre wins over right), always vertically centred,
// never clipped to a rectangle, elided or given '&' mnemonics. The frame
// (frameShape) is drawn around the text area as usual. Colours stay
// readable on a dark palette (see ShownColor).
class CKRQStatic : public QLabel {
    Q_OBJECT
public:
    explicit CKRQStatic(QWidget* parent = nullptr);
    explicit CKRQStatic(const QString& text, QWidget* parent = nullptr);

    // Shows `text` in `color`; does nothing (no repaint) when both are
    // already shown.
    void SetText(const QColor& color, const QString& text);
    // The same in the palette's window-text colour at the time of the call.
    void SetText(const QString& text);

    const QColor& TextColor() const { return m_text_color; }
    // The colour the text is drawn in: TextColor() on a light palette; on a
    // dark one the palette's text for black and a readable shade otherwise.
    QColor ShownColor() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int TextLeft(int client_width, int text_width) const;

    QColor m_text_color{0, 0, 0};
};
