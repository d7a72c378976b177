#pragma once

#include <QTableWidget>

// A read-only grid of 4 rows by 4 equal columns of texts: no header, no
// scroll bars, no selection, no input at all; a button-shadow line under
// every row and at the right edge of every column.
class CKRQList : public QTableWidget {
    Q_OBJECT
public:
    static constexpr int kRows = 4;
    static constexpr int kColumns = 4;

    explicit CKRQList(QWidget* parent = nullptr);

    // Cell texts by row and column (0 to 3); outside the grid a read gives an
    // empty text and a write does nothing.
    QString ItemText(int row, int column) const;
    // Replaces a cell's text only when it differs (no repaint otherwise);
    // returns whether it did.
    bool SetItemText(int row, int column, const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void FitSections();
};
