#include "cli_commands.h"

#include "libs/iap/firmware_file.h"
#include "platform/atomic_file.h"
#include "platform/output_file.h"

namespace {

// What a firmware file holds, as text and as JSON.
void ShowFirmware(CliOutput& output, const std::string& path, const FirmwareHeader& header)
{
    const std::string hash = DigestHex(header.m_image_hash);
    output.Result("File:       " + path + "\nBoard:      " + std::to_string(header.m_board_id) +
                      "\nVersion:    " + FirmwareVersionText(header.m_version) + "\nImage size: " +
                      std::to_string(header.m_image_size) + " bytes\nSHA-256:    " + hash + "\n",
                  JsonValue::MakeObject()
                      .Add("file", path)
                      .Add("board", static_cast<int64_t>(header.m_board_id))
                      .Add("version", FirmwareVersionText(header.m_version))
                      .Add("image_size", static_cast<int64_t>(header.m_image_size))
                      .Add("sha256", hash));
}

} // namespace

ExitStatus RunFwinfoCommand(const CliArgs& args, CliOutput& output)
{
    const std::string& path = args.m_operands.front();
    std::string error;
    const FirmwareFile file = LoadFirmwareFile(path, error);
    if (!error.empty()) {
        return output.Fail(ExitStatus::kUsageError, error);
    }
    ShowFirmware(output, path, file.m_header);
    return ExitStatus::kSuccess;
}

ExitStatus RunFwpackCommand(const CliArgs& args, CliOutput& output)
{
    const std::string& image_path = args.m_operands.front();
    std::string image;
    if (ReadWholeFile(image_path, kMaxFirmwareImageSize, image) != FileReadResult::Read || image.empty()) {
        return output.Fail(ExitStatus::kUsageError, "cannot read '" + image_path +
                                                        "' as an image (missing, empty, or larger than " +
                                                        std::to_string(kMaxFirmwareImageSize) + " bytes)");
    }
    const std::vector<uint8_t> bytes =
        BuildFirmwareFile(std::vector<uint8_t>(image.begin(), image.end()),
                          static_cast<uint32_t>(args.m_board), static_cast<uint8_t>(args.m_version));
    const std::string failure = WriteOutputFile(
        args.m_output, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    if (!failure.empty()) {
        return output.Fail(ExitStatus::kUsageError, failure);
    }
    std::string error;
    ShowFirmware(output, args.m_output, ParseFirmwareFile(bytes, error).m_header);
    return ExitStatus::kSuccess;
}
