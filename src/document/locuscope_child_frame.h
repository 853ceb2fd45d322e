#pragma once

#include "framework/child_frame_base.h"

// The frame of one document window, holding its one view. It is always shown maximised; the
// main frame follows which one is active.
class LocuscopeChildFrame : public CChildFrameBase {
    Q_OBJECT

public:
    explicit LocuscopeChildFrame(QWidget* parent = nullptr);

protected:
    // Waits for a running long operation, cancelled, before the document can go.
    void closeEvent(QCloseEvent* event) override;
};
