#pragma once

#include <string>
#include <vector>

// locuscope --render OUT [--region PANE:START-STOP] [--width N] [--transparent] FILE...:
// imports the files and draws a pane as the view does into OUT, in the format its extension
// names: .png, .bmp, .gif, .tif or .tiff (a picture of every track, as Image Capture makes
// it; --transparent leaves the background transparent except in BMP), .svg (the same picture
// as vector shapes and text) or .pdf (printed pages, as Print makes them, on A4 landscape).
// The width is kept between 100 and 32767 pixels. OUT is written only when every file
// imported, and replaced only when complete; never when it is one of the files. Returns 0; 1
// when the picture cannot be made or written, or a file failed to import; 2 for an unknown
// extension or a region that cannot be read or names no pane of the files. Transcripts are drawn
// as gene models as the View menu was left, unless the request says on or off.
class HeadlessRender {
public:
    // Gene models as View > Gene Models was left (remembered in the settings), or on or off.
    enum class GeneModels { kRemembered, kOn, kOff };

    struct Request {
        std::string output;
        std::string region;  // empty: All Tracks
        int width = 1024;
        bool transparent = false;
        GeneModels geneModels = GeneModels::kRemembered;
        std::vector<std::string> paths;
    };

    // The lower-case format an output path names ("png", "bmp", "gif", "tiff", "svg", "pdf"),
    // or empty for an extension that names none.
    static std::string FormatOf(const std::string& output);
    // The width a requested width becomes: at least 100, at most 32767.
    static int ClampWidth(long long width);
    static int Run(const Request& request);
};
