#pragma once

#include "link/link_status.h"
#include "params/gimbal_params.h"

#include <optional>
#include <string>

// "Compare Gimbal With File": the file waits while a fresh download reads
// the gimbal, and is compared with what that download brought. Only the
// download's end answers it (a file opened meanwhile does not), and a link
// that stops being open first drops it.
class PendingComparison {
public:
    struct Ready {
        GimbalParams file;
        std::string file_name;
        GimbalParams gimbal;
    };

    // Follows `status`: the comparison is dropped when the link closes, is
    // lost, or gives the port to an upgrade or the views to a replay.
    explicit PendingComparison(LinkStatus& status);

    void Await(const GimbalParams& file, std::string file_name);
    bool Awaiting() const { return m_file.has_value() && !m_gimbal.has_value(); }
    // The download the comparison waits for has ended with `gimbal`.
    void OnDownloadFinished(const GimbalParams& gimbal);
    // Once, after OnDownloadFinished: what to compare.
    std::optional<Ready> TakeReady();

private:
    void Drop();

    std::optional<GimbalParams> m_file;
    std::string m_file_name;
    std::optional<GimbalParams> m_gimbal;
};
