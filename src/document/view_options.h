#pragma once

// The display options of the main frame, remembered in the settings under "Main": read when
// the main frame is made, written when it goes away.
struct ViewOptions {
    bool ShowLoadedFiles = false;
    bool ShowTrackStats = false;
    bool ShowPointerInfo = true;
    bool ShowGridLinesHoriz = true;
    bool ShowTransparentDataBorder = true;
    bool ShowManualScaleOverlay = true;
    bool ShowFeatureNames = true;
    bool ShowGeneModels = true;

    void Read();
    void Write() const;
    // The option a View-menu command toggles, or null for another command.
    bool* ForCommand(int commandId);
};
