#pragma once

#include "framework/child_frame_base.h"

// The frame of one document window, holding its one view. It is always shown maximised and
// keeps the main frame's pane selector in step when it becomes active.
class LocuscopeChildFrame : public CChildFrameBase {
    Q_OBJECT

public:
    explicit LocuscopeChildFrame(QWidget* parent = nullptr);

protected:
    void focusInEvent(QFocusEvent* event) override;
    // Waits for a running long operation, cancelled, before the document can go.
    void closeEvent(QCloseEvent* event) override;
};
