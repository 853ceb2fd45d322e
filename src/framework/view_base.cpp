#include "framework/view_base.h"

#include "framework/document_base.h"

CViewBase::~CViewBase() {
    if (document_ != nullptr)
        document_->RemoveView(this);
}

void CViewBase::AttachDocument(CDocumentBase* document) {
    if (document_ != nullptr)
        document_->RemoveView(this);
    document_ = document;
    if (document_ != nullptr)
        document_->AddView(this);
}
