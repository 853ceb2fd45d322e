#pragma once

#include <QCursor>

// The pointer shapes of the mouse tools, drawn by the program at the screen's pixel ratio so
// that they stay crisp on high-density screens.
namespace ToolCursors {

// The magnifier: a lens with "+" (zooming in) or "-" (zooming out, while Ctrl is held).
QCursor Magnifier(bool zoomOut);
// The ruler: a short graduated rule whose left end marks the base under the pointer.
QCursor Ruler();

}  // namespace ToolCursors
