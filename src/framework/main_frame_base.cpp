#include "framework/main_frame_base.h"

#include <QMdiArea>

#include "framework/child_frame_base.h"
#include "framework/command_layer.h"
#include "framework/document_base.h"
#include "framework/view_base.h"

CMainFrameBase::CMainFrameBase(QWidget* parent)
    : QMainWindow(parent), mdiArea_(new QMdiArea(this)), commands_(new CCommandLayer(this)) {
    setCentralWidget(mdiArea_);
    commands_->SetRouteProvider([this] {
        std::vector<CCommandTarget*> route;
        if (CChildFrameBase* frame = GetActiveChildFrame()) {
            if (CViewBase* view = frame->GetView()) {
                route.push_back(view);
                if (CDocumentBase* document = view->GetDocumentBase())
                    route.push_back(document);
            }
            route.push_back(frame);
        }
        route.push_back(this);
        if (applicationTarget_ != nullptr)
            route.push_back(applicationTarget_);
        return route;
    });
}

CChildFrameBase* CMainFrameBase::GetActiveChildFrame() const {
    // The area has no active sub-window while the main window itself is inactive (a dialog is
    // up); the frame on top then still counts as the active one.
    if (auto* active = qobject_cast<CChildFrameBase*>(mdiArea_->activeSubWindow()))
        return active;
    const QList<QMdiSubWindow*> frames = mdiArea_->subWindowList(QMdiArea::StackingOrder);
    return frames.isEmpty() ? nullptr : qobject_cast<CChildFrameBase*>(frames.constLast());
}
