// The INI layer on an arbitrary file: a value the document accepts reads back
// unchanged, before and after a save and a reload, and no other key moves.
#include "fuzz_input.h"
#include "platform/ini_file.h"
#include "platform/ini_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    const std::string section = input.Text();
    const std::string key = input.Text();
    const std::string value = input.Text();
    const std::string other_key = input.Text();
    const std::string path = ScratchPath("ini");
    WriteWholeFile(path, input.Rest());

    IniDocument document = IniDocument::Load(path);
    const std::optional<std::string> other_before = document.Find(section, other_key);
    if (!document.Write(section, key, value))
        return 0;
    const std::string expected = value.substr(0, kIniValueLimit);
    FUZZ_CHECK(document.Read(section, key, "") == expected);
    FUZZ_CHECK(document.Save(path));
    const IniDocument reloaded = IniDocument::Load(path);
    FUZZ_CHECK(reloaded.Read(section, key, "") == expected);
    FUZZ_CHECK(ReadIniString(path, section, key, "") == expected);
    if (!IniNamesEqual(TrimIniBlanks(key), TrimIniBlanks(other_key)))
        FUZZ_CHECK(reloaded.Find(section, other_key) == other_before);
    return 0;
}
