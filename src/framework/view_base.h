#pragma once

#include <QWidget>

#include "framework/command_target.h"

class CDocumentBase;

// A window onto a document. The document is referred to, not owned; the view tells it when
// it goes away.
class CViewBase : public QWidget, public CCommandTarget {
    Q_OBJECT

public:
    explicit CViewBase(QWidget* parent = nullptr) : QWidget(parent) {}
    ~CViewBase() override;

    CDocumentBase* GetDocumentBase() const { return document_; }
    void AttachDocument(CDocumentBase* document);

    // Once, after the document has its first contents and before the view is first shown.
    virtual void OnInitialUpdate() { OnUpdate(); }
    // After every change of the document.
    virtual void OnUpdate() { update(); }

private:
    CDocumentBase* document_ = nullptr;
};
