#include "document/view_options.h"

#include <string>

#include "document/command_ids.h"
#include "framework/settings.h"

namespace {

const std::string kSection = "Main";

struct OptionKey {
    bool ViewOptions::*option;
    const char* key;
    int commandId;
};

// In the order they are read and written.
constexpr OptionKey kOptions[] = {
    {&ViewOptions::ShowLoadedFiles, "ShowLoadedFiles", CommandId::kShowLoadedFiles},
    {&ViewOptions::ShowTrackStats, "ShowTrackStats", CommandId::kShowTrackStats},
    {&ViewOptions::ShowPointerInfo, "ShowPointerInfo", CommandId::kShowPointerInfo},
    {&ViewOptions::ShowGridLinesHoriz, "ShowGridLinesHoriz", CommandId::kShowGridLines},
    {&ViewOptions::ShowTransparentDataBorder, "ShowTransparentDataBorder",
     CommandId::kShowDataBorder},
    {&ViewOptions::ShowManualScaleOverlay, "ShowManualScaleOverlay",
     CommandId::kShowManualScaleOverlay},
    {&ViewOptions::ShowFeatureNames, "ShowFeatureNames", CommandId::kShowFeatureNames},
    {&ViewOptions::ShowGeneModels, "ShowGeneModels", CommandId::kShowGeneModels},
};

}  // namespace

void ViewOptions::Read() {
    for (const OptionKey& entry : kOptions)
        this->*entry.option = ReadSettingInt(kSection, entry.key, this->*entry.option ? 1 : 0) != 0;
}

void ViewOptions::Write() const {
    for (const OptionKey& entry : kOptions)
        WriteSettingInt(kSection, entry.key, this->*entry.option ? 1 : 0);
}

bool* ViewOptions::ForCommand(int commandId) {
    for (const OptionKey& entry : kOptions) {
        if (entry.commandId == commandId)
            return &(this->*entry.option);
    }
    return nullptr;
}
