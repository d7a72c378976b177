#include "platform/runtime_dir.h"

#include "platform/wide_text_win.h"
#include "platform/windows_api_win.h"

#include <knownfolders.h>
#include <shlobj.h>

namespace {

// A known folder of the user's, in UTF-8; "" when the system has none.
std::string KnownFolder(REFKNOWNFOLDERID id)
{
    wchar_t* folder = nullptr;
    std::string path;
    if (SUCCEEDED(SHGetKnownFolderPath(id, KF_FLAG_DEFAULT, nullptr, &folder)))
        path = Utf8FromWide(folder);
    CoTaskMemFree(folder);
    return path;
}

} // namespace

// Recordings and backups stay on this machine: %LOCALAPPDATA%\Orvane.
std::string UserDataDirectory()
{
    return KnownFolder(FOLDERID_LocalAppData) + "\\Orvane";
}
