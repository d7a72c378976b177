// The settings file on an arbitrary existing file: a save that succeeds
// reads back as saved, and saving what was loaded is a fixed point.
#include "app/app_settings.h"
#include "fuzz_input.h"

namespace {

bool SameSettings(const AppSettings& a, const AppSettings& b)
{
    return a.m_port_index == b.m_port_index && a.m_send_period == b.m_send_period &&
           a.m_baud_rate == b.m_baud_rate && a.m_autostop == b.m_autostop &&
           a.m_product_type_list == b.m_product_type_list && a.m_gimbal_type_list == b.m_gimbal_type_list &&
           a.m_camera_type_list == b.m_camera_type_list && a.m_ranger_type_list == b.m_ranger_type_list;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    AppSettings settings;
    settings.m_port_index = input.Int32();
    settings.m_send_period = input.Int32();
    settings.m_baud_rate = input.Int32();
    settings.m_autostop = input.Int32();
    settings.m_product_type_list = input.Text();
    settings.m_gimbal_type_list = input.Text();
    settings.m_camera_type_list = input.Text();
    settings.m_ranger_type_list = input.Text();
    const std::string path = ScratchPath("Setting.ini");
    WriteWholeFile(path, input.Rest());

    const std::string before = ReadWholeFile(path);
    if (!SaveAppSettingsTo(path, settings, settings.m_port_index)) {
        FUZZ_CHECK(ReadWholeFile(path) == before); // all or nothing
        return 0;
    }
    const AppSettings loaded = LoadAppSettingsFrom(path);
    FUZZ_CHECK(SameSettings(loaded, settings));
    const std::string saved = ReadWholeFile(path);
    FUZZ_CHECK(SaveAppSettingsTo(path, loaded, loaded.m_port_index));
    FUZZ_CHECK(ReadWholeFile(path) == saved);
    return 0;
}
