#pragma once

#include "params/param_comparison.h"

#include <QDialog>
#include <QString>
#include <string>
#include <vector>

class QTreeWidget;

// What the user picks from: the values that differ between the panel (or
// the gimbal) and a file, and which side is which.
struct ComparisonChoice {
    QString title;
    QString current_label; // the column of the values the panel holds now
    QString other_label;   // the column of the values that may be taken
    std::vector<ParamDifference> differences;
};

// A table of the differences, one row each with a check box, all ticked at
// first; "Take Selected" accepts, "Cancel" rejects.
class ParamCompareDialog : public QDialog {
    Q_OBJECT
public:
    ParamCompareDialog(QWidget* parent, const ComparisonChoice& choice);

    // The keys of the ticked rows, in table order.
    std::vector<std::string> CheckedKeys() const;
    void CheckAll(bool checked);

private:
    void FillTable(const ComparisonChoice& choice);

    QTreeWidget* m_table;
};
