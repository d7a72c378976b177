#pragma once

#include "libs/iap/firmware_file.h"
#include "libs/iap/upgrade_engine.h"
#include "link/gimbal_session.h"
#include "support/scratch_folder.h"
#include "support/sim_process.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// A scratch folder with firmware files, and simulated controllers in it.
class UpgradeFixture : public testing::Test {
protected:
    static std::vector<uint8_t> Image(size_t size)
    {
        std::vector<uint8_t> image(size);
        for (size_t i = 0; i < size; ++i)
            image[i] = static_cast<uint8_t>((i * 31) ^ (i >> 8));
        return image;
    }

    // A firmware file for board 1, version 2.4, unless told otherwise.
    std::string FirmwareFileOf(size_t size, uint32_t board = 1, uint8_t version = 24)
    {
        const std::vector<uint8_t> bytes = BuildFirmwareFile(Image(size), board, version);
        const std::string path = m_folder.File("fw-" + std::to_string(++m_files) + ".cahf");
        WriteWholeFile(path, std::string(bytes.begin(), bytes.end()));
        return path;
    }

    SimProcess Controller(std::vector<std::string> options = {}) const
    {
        options.insert(options.end(), {"--seed", "7"});
        return SimProcess(m_folder.Path(), std::move(options));
    }

    static UpgradeResult Upgrade(const std::string& port, const std::string& file, int baud = 115200)
    {
        UpgradeOptions options;
        options.m_baud = baud;
        options.m_device = port;
        options.m_firmware_path = file;
        StopSignal stop;
        return RunUpgrade(options, stop, {});
    }

    // The main board version the running firmware reports in page 33, as
    // the window shows it after reconnecting; -1 when nothing answers.
    static int ReportedVersion(const std::string& port, int baud = 115200)
    {
        GimbalSession session(10, false);
        if (!session.StartLink(port, baud))
            return -1;
        const bool live = session.PumpUntil([&session] { return session.StatusPageCount() > 0; },
                                            GimbalSession::Clock::now() + std::chrono::seconds(3));
        return live ? session.Telemetry().m_main_version : -1;
    }

    ScratchFolder m_folder{"iap-test"};
    int m_files = 0;
};
