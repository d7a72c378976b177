#include "params/param_comparison.h"
#include "params/param_file.h"
#include "resources/ui_texts.h"
#include "ui/dialog/dialog_prompts.h"
#include "ui/dialog/orvane_dlg.h"

#include <QFileInfo>
#include <utility>

namespace {

QString Text(UiText id, const std::string& argument = {})
{
    return QString::fromStdString(LoadUiText(id, argument));
}

} // namespace

// The panel's values with the differences from `other` the user takes;
// nullopt when there is nothing to take or the user cancels. Uploading stays
// the user's next step: taking values only fills the panel.
std::optional<GimbalParams> COrvaneDlg::ChooseFromOther(const GimbalParams& other,
                                                        const std::string& file_name, UiText current_label)
{
    UpdateParamsFromPanel();
    GimbalParams current = m_link.State().m_params.Snapshot();
    const ComparisonChoice choice{Text(UiText::kCompareTitle, file_name), Text(current_label),
                                  Text(UiText::kCompareFile), CompareParams(current, other, m_panel)};
    if (choice.differences.empty()) {
        ShowStatusText(Qt::black, Text(UiText::kCompareNoDifferences, file_name));
        return std::nullopt;
    }
    const std::optional<std::vector<std::string>> keys = m_prompts.ChooseDifferences(this, choice);
    if (!keys)
        return std::nullopt;
    TakeParams(current, other, *keys);
    return current;
}

// The gimbal's values come with a fresh download, which needs an idle link;
// the comparison follows when it ends (see UpdatePanelFromParams).
void COrvaneDlg::OnCompareGimbalWithFile()
{
    if (!m_link.State().m_transfer_buttons_enabled) {
        ShowStatusText(Qt::red, Text(UiText::kCompareNeedsLink));
        return;
    }
    const QString path = m_prompts.ChooseFileToOpen(this, ParamFileChoice(m_param_file_name));
    if (path.isEmpty())
        return;
    GimbalParams file{};
    if (!TryLoadParamFile(path.toStdString(), file)) {
        ShowStatusText(Qt::red, Text(UiText::kParamFileOpenFailed, path.toStdString()));
        return;
    }
    m_gimbal_comparison_file = file;
    m_gimbal_comparison_name = QFileInfo(path).fileName().toStdString();
    OnDownloadParam();
}

void COrvaneDlg::CompareGimbalWithFile()
{
    if (!m_gimbal_comparison_file)
        return;
    const GimbalParams file = *std::exchange(m_gimbal_comparison_file, std::nullopt);
    if (std::optional<GimbalParams> chosen =
            ChooseFromOther(file, m_gimbal_comparison_name, UiText::kCompareGimbal)) {
        m_link.State().m_params.Replace(*chosen);
        UpdatePanelFromParams();
    }
}
