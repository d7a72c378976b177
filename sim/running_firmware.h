#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "sim/bootloader_model.h"
#include "sim/controller_model.h"
#include "sim/sim_flash.h"

// What runs on the simulated controller: the gimbal firmware (the 80-byte
// protocol) or the bootloader (the upgrade protocol), with the flash they
// share. The request frame sends the firmware into the bootloader; an
// accepted boot request starts the image the flash marks valid; a power cut
// restarts into the bootloader when no valid image is left.
class RunningFirmware {
public:
    RunningFirmware(ControllerModel& controller, BootloaderOptions bootloader_options, SimFlash& flash);

    void Receive(const uint8_t* data, size_t count);

    // The next periodic frame; nothing while the bootloader runs, which only
    // answers.
    std::optional<ProtocolFrame> NextFrame();

    // Answers of the bootloader waiting to go out.
    std::vector<uint8_t> TakeAnswers();

    // True once after a restart: bytes still queued for the line belong to
    // the firmware that stopped and are dropped.
    bool TakeLineReset();

    // True once when the power-cut fault struck; RestartAfterPowerCut ends
    // the outage.
    bool TakePowerCut() { return m_bootloader.TakePowerCut(); }
    void RestartAfterPowerCut();

    bool InBootloader() const { return m_in_bootloader; }
    bool ControllerHasGoneAway() const { return m_controller.HasGoneAway(); }

private:
    void EnterBootloader();
    void StartImage();

    ControllerModel& m_controller;
    SimFlash& m_flash;
    BootloaderModel m_bootloader;
    bool m_in_bootloader = false;
    bool m_line_reset = false;
};
