#include "features/compare/qt/window_comparison.h"

#include "params/param_comparison.h"
#include "params/param_file.h"
#include "ui/dialog/dialog_prompts.h"

#include <QFileInfo>
#include <QTimer>
#include <QWidget>
#include <utility>

namespace {

QString Text(UiText id, const std::string& argument = {})
{
    return QString::fromStdString(LoadUiText(id, argument));
}

} // namespace

WindowComparison::WindowComparison(LinkStatus& status, DialogPrompts& prompts, const ParamPanel& panel,
                                   QWidget* owner, WindowSide window)
    : m_status(status), m_prompts(prompts), m_panel(panel), m_owner(owner), m_window(std::move(window)),
      m_pending(status)
{
}

std::optional<GimbalParams> WindowComparison::ChooseFromOther(GimbalParams current, const GimbalParams& other,
                                                              const std::string& file_name,
                                                              UiText current_label)
{
    const ComparisonChoice choice{Text(UiText::kCompareTitle, file_name), Text(current_label),
                                  Text(UiText::kCompareFile), CompareParams(current, other, m_panel)};
    if (choice.differences.empty()) {
        m_window.show_status(Qt::black, Text(UiText::kCompareNoDifferences, file_name));
        return std::nullopt;
    }
    const std::optional<std::vector<std::string>> keys = m_prompts.ChooseDifferences(m_owner, choice);
    if (!keys)
        return std::nullopt;
    TakeParams(current, other, *keys);
    return current;
}

void WindowComparison::OnCompareGimbalWithFile(const std::string& initial_name)
{
    if (m_status.Phase() != LinkPhase::kLinked) {
        m_window.show_status(Qt::red, Text(UiText::kCompareNeedsLink));
        return;
    }
    const QString path = m_prompts.ChooseFileToOpen(m_owner, ParamFileChoice(initial_name));
    if (path.isEmpty())
        return;
    GimbalParams file{};
    if (!TryLoadParamFile(path.toStdString(), file)) {
        m_window.show_status(Qt::red, Text(UiText::kParamFileOpenFailed, path.toStdString()));
        return;
    }
    m_pending.Await(file, QFileInfo(path).fileName().toStdString());
    m_window.start_download();
}

// The table opens from the event loop, once the transfer has finished and
// the decoder has returned.
void WindowComparison::OnDownloadFinished(const GimbalParams& gimbal)
{
    if (!m_pending.Awaiting())
        return;
    m_pending.OnDownloadFinished(gimbal);
    QTimer::singleShot(0, m_owner, [this] { CompareReady(); });
}

void WindowComparison::CompareReady()
{
    std::optional<PendingComparison::Ready> ready = m_pending.TakeReady();
    if (!ready)
        return;
    if (std::optional<GimbalParams> chosen =
            ChooseFromOther(ready->gimbal, ready->file, ready->file_name, UiText::kCompareGimbal))
        m_window.take(*chosen);
}
