#include "framework/document_manager.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <algorithm>

#include "framework/byte_text.h"
#include "framework/child_frame_base.h"
#include "framework/display_text.h"
#include "framework/document_base.h"
#include "framework/view_base.h"

CDocumentManager::CDocumentManager(QMdiArea* area, Template documentTemplate)
    : QObject(area), area_(area), template_(std::move(documentTemplate)) {}

CDocumentManager::~CDocumentManager() {
    // Views still registered with a document must not call back into a deleted one.
    for (const auto& document : documents_) {
        for (CViewBase* view : std::vector<CViewBase*>(document->GetViews()))
            view->AttachDocument(nullptr);
    }
}

CDocumentBase* CDocumentManager::NewDocument() {
    // Named before it fills itself: its import dialog already belongs to a titled window.
    const std::string title = template_.newDocumentName + std::to_string(++newDocuments_);
    return Create([&title](CDocumentBase& document) {
        document.SetTitle(title);
        return document.OnNewDocument();
    });
}

CDocumentBase* CDocumentManager::OpenDocument(const std::string& path) {
    CDocumentBase* document =
        Create([&path](CDocumentBase& created) { return created.OnOpenDocument(path); });
    if (document != nullptr)
        emit DocumentOpened(ByteText::FromBytes(path));
    return document;
}

CDocumentBase* CDocumentManager::GetActiveDocument() const {
    const auto* frame = qobject_cast<CChildFrameBase*>(area_->activeSubWindow());
    if (frame == nullptr && !area_->subWindowList().isEmpty())
        frame = qobject_cast<CChildFrameBase*>(area_->subWindowList().constLast());
    if (frame == nullptr || frame->GetView() == nullptr)
        return nullptr;
    return frame->GetView()->GetDocumentBase();
}

CDocumentBase* CDocumentManager::Create(const std::function<bool(CDocumentBase&)>& fill) {
    // The frame and view exist, hidden, while the document fills itself, so that it can
    // already talk to its view.
    std::unique_ptr<CDocumentBase> document = template_.createDocument();
    CChildFrameBase* frame = template_.createFrame();
    CViewBase* view = template_.createView();
    frame->SetView(view);
    view->AttachDocument(document.get());
    area_->addSubWindow(frame);

    if (!fill(*document)) {
        view->AttachDocument(nullptr);
        area_->removeSubWindow(frame);
        delete frame;
        return nullptr;
    }
    CDocumentBase* created = document.get();
    documents_.push_back(std::move(document));
    connect(frame, &CChildFrameBase::Closing, this, &CDocumentManager::FrameClosing);
    view->OnInitialUpdate();
    frame->setWindowTitle(DisplayText::From(created->GetTitle()));
    frame->showMaximized();
    area_->setActiveSubWindow(frame);
    return created;
}

void CDocumentManager::FrameClosing(CChildFrameBase* frame) {
    CViewBase* view = frame->GetView();
    CDocumentBase* document = view != nullptr ? view->GetDocumentBase() : nullptr;
    if (view != nullptr)
        view->AttachDocument(nullptr);
    if (document == nullptr || !document->GetViews().empty())
        return;
    documents_.erase(std::remove_if(documents_.begin(), documents_.end(),
                                    [document](const auto& owned) { return owned.get() == document; }),
                     documents_.end());
}
