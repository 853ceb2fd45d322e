#include "framework/document_base.h"

#include <algorithm>

#include "framework/view_base.h"

bool CDocumentBase::OnNewDocument() {
    DeleteContents();
    pathName_.clear();
    SetModifiedFlag(false);
    return true;
}

bool CDocumentBase::OnOpenDocument(const std::string& path) {
    DeleteContents();
    pathName_ = path;
    const size_t slash = path.find_last_of('/');
    title_ = slash == std::string::npos ? path : path.substr(slash + 1);
    SetModifiedFlag(false);
    return true;
}

void CDocumentBase::AddView(CViewBase* view) {
    if (std::find(views_.begin(), views_.end(), view) == views_.end())
        views_.push_back(view);
}

void CDocumentBase::RemoveView(CViewBase* view) {
    views_.erase(std::remove(views_.begin(), views_.end(), view), views_.end());
}

void CDocumentBase::UpdateAllViews() {
    ++updateCount_;
    // A view may go away while another one redraws; walk a copy.
    const std::vector<CViewBase*> views = views_;
    for (CViewBase* view : views)
        view->OnUpdate();
}
