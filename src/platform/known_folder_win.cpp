#include "platform/known_folder_win.h"

#include "platform/wide_text_win.h"

#include <shlobj.h>

std::string KnownFolder(REFKNOWNFOLDERID id)
{
    wchar_t* folder = nullptr;
    std::string path;
    if (SUCCEEDED(SHGetKnownFolderPath(id, KF_FLAG_DEFAULT, nullptr, &folder)))
        path = Utf8FromWide(folder);
    CoTaskMemFree(folder);
    return path;
}
