#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <functional>
#include <string>
#include <vector>

#include "view/pane_printer.h"

class QPageLayout;
class QPainter;

// Writing the drawing to files: raster images by type, the vector form as SVG, printed pages
// as PDF, and the messages the export commands show when that fails. Paths are byte strings,
// written as given.
class CNotificationAgent;

class PictureOutput {
public:
    static constexpr const char* kNothingToDisplay = "Nothing to display";
    static constexpr const char* kErrorCreatingImage = "Error creating image.";
    static constexpr const char* kNothingToDraw = "Error in Screen capture - Nothing to draw";
    static constexpr const char* kErrorCreatingMetafile = "Error creating metafile.";
    static constexpr const char* kErrorPrinting = "Error printing.";
    static constexpr const char* kMetafileFilter = "SVG (*.svg)|*.svg|All Files (*.*)|*.*||";

    // The save dialog's filter for a lower-case image type t: "t (*.t)|*.t|All Files (*.*)|*.*||".
    static std::string ImageFilter(const std::string& type);
    // The encoder for type (bmp, png, gif, tiff): the image writer format whose MIME type is
    // "image/" + type, or GIF through giflib. False when there is none.
    static bool HasEncoder(const std::string& type);
    // Encodes image as type; false when there is no encoder or it fails.
    static bool EncodeImage(const QImage& image, const std::string& type, QByteArray& out);
    // Draws through draw, a picture of size, into an SVG document of real shapes and text.
    static bool EncodeSvg(const QSize& size, const std::function<void(QPainter&)>& draw,
                          QByteArray& out);
    // Prints job onto PDF pages laid out as layout at dotsPerInch; false when nothing printed
    // or the agent, when given, was asked to cancel (then cancelled is set, when given).
    static bool EncodePdf(const QPageLayout& layout, int dotsPerInch, const PanePrinter::Job& job,
                          QByteArray& out, CNotificationAgent* agent = nullptr,
                          bool* cancelled = nullptr);

    // Writes what produce makes to path, whole or not at all (see OutputFile), never onto one
    // of inputs. path is prepared before produce runs, so that a destination that cannot be
    // written costs no drawing. False when the file is refused or fails (failure says why) or
    // produce fails (failure empty).
    static bool WriteFile(const std::string& path, const std::vector<std::string>& inputs,
                          const std::function<bool(QByteArray&)>& produce, std::string& failure);
    // The message for a failed output: message, then what went wrong with the file, if
    // anything ("Error creating image. Cannot Write to out.png (disk full)").
    static std::string FailureMessage(const char* message, const std::string& failure);
};
