#include "ui/controls/ckrq_list.h"

#include "ui/controls/system_colors.h"

#include <QEvent>
#include <QHeaderView>
#include <QPainter>

CKRQList::CKRQList(QWidget* parent) : QTableWidget(kRows, kColumns, parent)
{
    setEnabled(false);
    setFocusPolicy(Qt::NoFocus);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // The grid lines are drawn over the cells by paintEvent.
    setShowGrid(false);
    for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            auto* item = new QTableWidgetItem();
            item->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            setItem(row, column, item);
        }
    }
    FitSections();
}

QString CKRQList::ItemText(int row, int column) const
{
    const QTableWidgetItem* cell = item(row, column);
    return cell == nullptr ? QString() : cell->text();
}

bool CKRQList::SetItemText(int row, int column, const QString& text)
{
    QTableWidgetItem* cell = item(row, column);
    if (cell == nullptr || cell->text() == text) {
        return false;
    }
    cell->setText(text);
    return true;
}

void CKRQList::FitSections()
{
    // Four equal columns over the width, as the list view sizes them.
    const int column_width = (viewport()->width() + 2) / kColumns;
    for (int column = 0; column < kColumns; ++column) {
        setColumnWidth(column, column_width);
    }
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
}

void CKRQList::resizeEvent(QResizeEvent* event)
{
    QTableWidget::resizeEvent(event);
    FitSections();
}

void CKRQList::changeEvent(QEvent* event)
{
    QTableWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        FitSections();
    }
}

void CKRQList::paintEvent(QPaintEvent* event)
{
    QTableWidget::paintEvent(event);
    QPainter painter(viewport());
    painter.setPen(QPen(SystemColor(*this, SystemColorId::ButtonShadow), 0));
    // Each line starts on the first pixel past its row or column and, like
    // the platform's line primitive, stops short of its end point.
    const int last = columnCount() - 1;
    const int rows_right = columnViewportPosition(last) + columnWidth(last);
    for (int row = 0; row < rowCount(); ++row) {
        const int y = rowViewportPosition(row) + rowHeight(row);
        painter.drawLine(columnViewportPosition(0), y, rows_right - 1, y);
    }
    for (int column = 0; column <= last; ++column) {
        const int x = columnViewportPosition(column) + columnWidth(column);
        painter.drawLine(x, 0, x, viewport()->height() - 1);
    }
}
