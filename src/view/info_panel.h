#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <string>

class LocuscopeDocument;
class QPainter;
class ViewGeometry;
struct ViewOptions;

// The information lines drawn over the header band: loaded files with load time, track
// statistics, pointer, cursor and selection info, each when its option (or state) asks for it.
struct InfoPanel {
    // The item under the pointer, described; empty for none.
    std::string pointerInfo;
    // A drag under way, as two bases; no line while both are the same base.
    bool selecting = false;
    uint32_t selectionFrom = 0;
    uint32_t selectionTo = 0;

    QStringList Lines(LocuscopeDocument& document, const ViewGeometry& geometry,
                      const ViewOptions& options) const;
    // Top-down from the top of the header, 15 pixels apart.
    void Draw(QPainter& painter, const QStringList& lines, double outputScale) const;
};
