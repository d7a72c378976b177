#include "features/compare/pending_comparison.h"

#include <utility>

PendingComparison::PendingComparison(LinkStatus& status)
{
    status.Listen([this](LinkPhase phase) {
        if (phase != LinkPhase::kTransferring && phase != LinkPhase::kLinked)
            Drop();
    });
}

void PendingComparison::Await(const GimbalParams& file, std::string file_name)
{
    m_file = file;
    m_file_name = std::move(file_name);
    m_gimbal.reset();
}

void PendingComparison::OnDownloadFinished(const GimbalParams& gimbal)
{
    if (Awaiting())
        m_gimbal = gimbal;
}

std::optional<PendingComparison::Ready> PendingComparison::TakeReady()
{
    if (!m_file || !m_gimbal)
        return std::nullopt;
    Ready ready{*m_file, std::move(m_file_name), *m_gimbal};
    Drop();
    return ready;
}

void PendingComparison::Drop()
{
    m_file.reset();
    m_gimbal.reset();
    m_file_name.clear();
}
