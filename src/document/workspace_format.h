#pragma once

#include <QByteArray>
#include <string>

#include "document/workspace.h"

// The workspace file (.lsw): a JSON object written and read through Qt's JSON classes. JSON
// rather than INI through QSettings: pane and track names may hold any byte ('/', '=', ';' and
// line breaks included), which QSettings would take for groups or escape in a form of its own;
// the lists keep their order as arrays; a parse error comes with its place; and the bytes can be
// written through OutputFile (temporary file and rename), where QSettings writes its files
// itself.
//
// Texts are JSON strings when they are UTF-8, else {"bytes": BASE64}, so that every name and
// path keeps its bytes. Positions are whole numbers up to 4294967295; manual scale bounds are
// numbers, or "inf", "-inf", "nan"; colours "#rrggbb" (or "none"); modification times
// "SECONDS.NANOSECONDS" since 1970. Fields left out take the values a new document has.
class WorkspaceFormat {
public:
    // The version written; a file of a later version is refused, as it may mean more than this
    // program would restore.
    static constexpr int kVersion = 1;
    // Files larger than this are refused before they are parsed.
    static constexpr qint64 kMaximumBytes = 256LL * 1024 * 1024;

    static QByteArray Write(const Workspace& workspace);
    // False with problem set, saying where and what (`steps[1].import[0].size is not a whole
    // number from 0 to 9007199254740992`), when bytes are not a workspace this program reads.
    static bool Read(const QByteArray& bytes, Workspace& workspace, std::string& problem);
};
