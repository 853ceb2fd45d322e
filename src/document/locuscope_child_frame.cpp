#include "document/locuscope_child_frame.h"

LocuscopeChildFrame::LocuscopeChildFrame(QWidget* parent) : CChildFrameBase(parent) {
    setWindowFlags(Qt::SubWindow);
}
