#pragma once

#include <QMainWindow>

#include "framework/command_target.h"

class CChildFrameBase;
class CCommandLayer;
class QMdiArea;

// The application's main window: a multi-document area and the command layer, whose route
// runs from the active child frame's view and document through the child frame to this frame
// and last the application target.
class CMainFrameBase : public QMainWindow, public CCommandTarget {
    Q_OBJECT

public:
    explicit CMainFrameBase(QWidget* parent = nullptr);

    QMdiArea* GetMdiArea() const { return mdiArea_; }
    CCommandLayer& Commands() const { return *commands_; }
    CChildFrameBase* GetActiveChildFrame() const;
    // The last target of the route (the application); not owned.
    void SetApplicationTarget(CCommandTarget* target) { applicationTarget_ = target; }

private:
    QMdiArea* mdiArea_;
    CCommandLayer* commands_;
    CCommandTarget* applicationTarget_ = nullptr;
};
