#include "params/param_file.h"

#include "params/param_fields.h"
#include "platform/ini_file.h"

namespace {

void LoadFromDocument(const IniDocument& document, GimbalParams& params)
{
    for (const ParamField& field : ParamFieldTable()) {
        ParseParamField(params, field, document.Read(kParamFileSection, field.key, field.default_text));
    }
}

} // namespace

void LoadParamFile(const std::string& path, GimbalParams& params)
{
    LoadFromDocument(IniDocument::Load(path), params);
}

bool TryLoadParamFile(const std::string& path, GimbalParams& params)
{
    const IniDocument document = IniDocument::Load(path);
    if (!document.WasRead()) {
        return false;
    }
    LoadFromDocument(document, params);
    return true;
}

bool SaveParamFile(const std::string& path, const GimbalParams& params)
{
    IniDocument document = IniDocument::Load(path);
    for (const ParamField& field : ParamFieldTable()) {
        // A file missing a key would load that key's default later.
        if (!document.Write(kParamFileSection, field.key, FormatParamField(params, field))) {
            return false;
        }
    }
    return document.Save(path);
}
