#include "platform/output_file.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

std::string Contents(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

TEST(OutputFileWin, FilesAreReplacedWholeFoldersRefusedDevicesWrittenInPlace)
{
    const ScratchFolder scratch("output-file");
    const std::string file = scratch.File("set.rkdp");
    EXPECT_EQ(InspectOutput(file).kind, OutputKind::kNew);
    EXPECT_EQ(WriteOutputFile(file, "first"), "");
    EXPECT_EQ(InspectOutput(file).kind, OutputKind::kRegular);
    EXPECT_EQ(WriteOutputFile(file, "second"), "");
    EXPECT_EQ(Contents(file), "second");

    const OutputTarget folder = InspectOutput(scratch.Path().string());
    EXPECT_EQ(folder.kind, OutputKind::kRefused);
    EXPECT_NE(WriteOutputFile(scratch.Path().string(), "x").find("is a folder"), std::string::npos);

    EXPECT_EQ(InspectOutput("NUL").kind, OutputKind::kStream);
    EXPECT_EQ(WriteOutputFile("NUL", "discarded"), "");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(scratch.Path()), {}), 1)
        << "no file is left beside the target";
}

} // namespace
