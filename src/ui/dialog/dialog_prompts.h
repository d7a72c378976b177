#pragma once

#include "ui/views/param_compare_dialog.h"

#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QWidget;

// What a file dialog offers: one filter entry whose label carries its
// pattern ("rkdp file(*.rkdp)"), the extension a bare name gets, the name
// proposed at first.
struct FileChoice {
    QString filter;
    QString default_suffix;
    QString initial_name;
};

// A parameter file, proposed under `initial_name`.
FileChoice ParamFileChoice(const std::string& initial_name);

// The questions the window asks its user. The program asks with the
// toolkit's boxes and file dialogs; tests answer without a nested loop.
class DialogPrompts {
public:
    virtual ~DialogPrompts() = default;

    // Yes/No with a warning icon and No as the default; true only for Yes.
    virtual bool AskYesNo(QWidget* owner, const QString& caption, const QString& text) = 0;
    // A file that exists; "" when the user cancels.
    virtual QString ChooseFileToOpen(QWidget* owner, const FileChoice& choice) = 0;
    // A file to write, the user asked before an existing one is replaced;
    // "" when the user cancels.
    virtual QString ChooseFileToSave(QWidget* owner, const FileChoice& choice) = 0;
    // The keys of the differences the user takes; nullopt when the user cancels.
    virtual std::optional<std::vector<std::string>> ChooseDifferences(QWidget* owner,
                                                                      const ComparisonChoice& choice) = 0;
    // Offers an action without waiting for the answer: `accepted` runs when
    // the user takes it, never once `owner` is gone.
    virtual void OfferAction(QWidget* owner, const QString& text, const QString& action_text,
                             std::function<void()> accepted) = 0;
};

// The toolkit's message box and file dialogs, in the user-interface language.
class QtDialogPrompts : public DialogPrompts {
public:
    bool AskYesNo(QWidget* owner, const QString& caption, const QString& text) override;
    QString ChooseFileToOpen(QWidget* owner, const FileChoice& choice) override;
    QString ChooseFileToSave(QWidget* owner, const FileChoice& choice) override;
    std::optional<std::vector<std::string>> ChooseDifferences(QWidget* owner,
                                                              const ComparisonChoice& choice) override;
    void OfferAction(QWidget* owner, const QString& text, const QString& action_text,
                     std::function<void()> accepted) override;
};
