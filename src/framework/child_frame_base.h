#pragma once

#include <QMdiSubWindow>

#include "framework/command_target.h"

class CViewBase;

// The frame of one document window: a sub-window of the main frame holding one view, which
// it owns.
class CChildFrameBase : public QMdiSubWindow, public CCommandTarget {
    Q_OBJECT

public:
    explicit CChildFrameBase(QWidget* parent = nullptr);

    void SetView(CViewBase* view);
    CViewBase* GetView() const { return view_; }

signals:
    // Emitted once, when the frame is about to go away with its view.
    void Closing(CChildFrameBase* frame);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    CViewBase* view_ = nullptr;
};
