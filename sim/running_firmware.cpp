#include "sim/running_firmware.h"

RunningFirmware::RunningFirmware(ControllerModel& controller, BootloaderOptions bootloader_options,
                                 SimFlash& flash)
    : m_controller(controller), m_flash(flash), m_bootloader(bootloader_options, flash)
{
    // A controller whose flash holds no valid image can only start its bootloader.
    if (!m_flash.Mark().valid)
        EnterBootloader();
}

void RunningFirmware::Receive(const uint8_t* data, size_t count)
{
    if (!m_in_bootloader) {
        m_controller.Receive(data, count);
        if (m_controller.BootloaderRequested())
            EnterBootloader();
        return;
    }
    m_bootloader.Receive(data, count);
    if (m_bootloader.WantsToStartImage())
        StartImage();
}

std::optional<ProtocolFrame> RunningFirmware::NextFrame()
{
    if (m_in_bootloader)
        return std::nullopt;
    return m_controller.NextFrame();
}

std::vector<uint8_t> RunningFirmware::TakeAnswers()
{
    std::vector<uint8_t> answers;
    answers.swap(m_bootloader.Output());
    return answers;
}

bool RunningFirmware::TakeLineReset()
{
    const bool reset = m_line_reset;
    m_line_reset = false;
    return reset;
}

void RunningFirmware::RestartAfterPowerCut()
{
    m_bootloader.Restart();
    if (m_flash.Mark().valid)
        StartImage();
    else
        EnterBootloader();
}

void RunningFirmware::EnterBootloader()
{
    m_bootloader.Restart();
    m_in_bootloader = true;
    m_line_reset = true;
}

void RunningFirmware::StartImage()
{
    // The boot answer stays queued for the line; the bootloader's own state
    // is cleared when it runs next.
    m_controller.Restart(m_flash.Mark().version);
    m_in_bootloader = false;
}
