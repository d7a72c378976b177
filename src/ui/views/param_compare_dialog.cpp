#include "ui/views/param_compare_dialog.h"

#include "resources/ui_texts.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

enum Column { kKeyColumn, kNameColumn, kCurrentColumn, kOtherColumn, kColumnCount };

// Room for every row of a short list; a long one scrolls.
constexpr QSize kInitialSize{560, 420};

QString Text(UiText id)
{
    return QString::fromStdString(LoadUiText(id));
}

QString Utf8(const std::string& text)
{
    return QString::fromStdString(text);
}

} // namespace

ParamCompareDialog::ParamCompareDialog(QWidget* parent, const ComparisonChoice& choice)
    : QDialog(parent), m_table(new QTreeWidget(this))
{
    setWindowTitle(choice.title);
    m_table->setAccessibleName(choice.title);
    m_table->setRootIsDecorated(false);
    m_table->setColumnCount(kColumnCount);
    m_table->setHeaderLabels(
        {Text(UiText::kCompareKey), Text(UiText::kCompareName), choice.current_label, choice.other_label});
    FillTable(choice);
    for (int column = 0; column < kColumnCount; ++column)
        m_table->resizeColumnToContents(column);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* take = buttons->addButton(Text(UiText::kCompareTakeSelected), QDialogButtonBox::AcceptRole);
    buttons->addButton(Text(UiText::kCancel), QDialogButtonBox::RejectRole);
    QPushButton* all = buttons->addButton(Text(UiText::kCompareSelectAll), QDialogButtonBox::ActionRole);
    QPushButton* none = buttons->addButton(Text(UiText::kCompareSelectNone), QDialogButtonBox::ActionRole);
    take->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(all, &QPushButton::clicked, this, [this] { CheckAll(true); });
    connect(none, &QPushButton::clicked, this, [this] { CheckAll(false); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_table);
    layout->addWidget(buttons);
    resize(kInitialSize);
}

void ParamCompareDialog::FillTable(const ComparisonChoice& choice)
{
    for (const ParamDifference& difference : choice.differences) {
        auto* row =
            new QTreeWidgetItem(m_table, {Utf8(difference.key), Utf8(difference.caption),
                                          Utf8(difference.current_text), Utf8(difference.other_text)});
        row->setFlags(row->flags() | Qt::ItemIsUserCheckable);
        row->setCheckState(kKeyColumn, Qt::Checked);
    }
}

std::vector<std::string> ParamCompareDialog::CheckedKeys() const
{
    std::vector<std::string> keys;
    for (int index = 0; index < m_table->topLevelItemCount(); ++index) {
        const QTreeWidgetItem* row = m_table->topLevelItem(index);
        if (row->checkState(kKeyColumn) == Qt::Checked)
            keys.push_back(row->text(kKeyColumn).toStdString());
    }
    return keys;
}

void ParamCompareDialog::CheckAll(bool checked)
{
    for (int index = 0; index < m_table->topLevelItemCount(); ++index)
        m_table->topLevelItem(index)->setCheckState(kKeyColumn, checked ? Qt::Checked : Qt::Unchecked);
}
