#include "ui/dialog/dialog_prompts.h"

#include "resources/ui_texts.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <memory>

namespace {

QString Text(UiText id)
{
    return QString::fromStdString(LoadUiText(id));
}

// The toolkit's own dialog: the same look and behaviour on every desktop,
// and it neither changes the working directory nor needs a portal.
std::unique_ptr<QFileDialog> MakeFileDialog(QWidget* owner, const FileChoice& choice,
                                            QFileDialog::AcceptMode mode)
{
    auto dialog = std::make_unique<QFileDialog>(owner);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setAcceptMode(mode);
    dialog->setNameFilter(choice.filter);
    dialog->setDefaultSuffix(choice.default_suffix);
    dialog->selectFile(choice.initial_name);
    return dialog;
}

QString RunFileDialog(QFileDialog& dialog)
{
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

} // namespace

FileChoice ParamFileChoice(const std::string& initial_name)
{
    return {QStringLiteral("rkdp file(*.rkdp)"), QStringLiteral("rkdp"),
            QString::fromStdString(initial_name)};
}

bool QtDialogPrompts::AskYesNo(QWidget* owner, const QString& caption, const QString& text)
{
    QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Yes | QMessageBox::No, owner);
    box.setDefaultButton(QMessageBox::No);
    box.button(QMessageBox::Yes)->setText(Text(UiText::kYes));
    box.button(QMessageBox::No)->setText(Text(UiText::kNo));
    return box.exec() == QMessageBox::Yes;
}

QString QtDialogPrompts::ChooseFileToOpen(QWidget* owner, const FileChoice& choice)
{
    const auto dialog = MakeFileDialog(owner, choice, QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
    return RunFileDialog(*dialog);
}

QString QtDialogPrompts::ChooseFileToSave(QWidget* owner, const FileChoice& choice)
{
    const auto dialog = MakeFileDialog(owner, choice, QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    return RunFileDialog(*dialog); // the dialog asks before it replaces a file
}

std::optional<std::vector<std::string>> QtDialogPrompts::ChooseDifferences(QWidget* owner,
                                                                           const ComparisonChoice& choice)
{
    ParamCompareDialog dialog(owner, choice);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.CheckedKeys();
}

// A box owned by `owner`: it goes with the window, and with it the
// connection that would run `accepted`.
void QtDialogPrompts::OfferAction(QWidget* owner, const QString& text, const QString& action_text,
                                  std::function<void()> accepted)
{
    auto* box =
        new QMessageBox(QMessageBox::Question, owner->windowTitle(), text, QMessageBox::NoButton, owner);
    box->setAttribute(Qt::WA_DeleteOnClose);
    QPushButton* take = box->addButton(action_text, QMessageBox::AcceptRole);
    box->addButton(Text(UiText::kNotNow), QMessageBox::RejectRole);
    box->setDefaultButton(take);
    QObject::connect(take, &QPushButton::clicked, box, [run = std::move(accepted)] { run(); });
    box->open();
}
