#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/command_target.h"

class CViewBase;

// The data side of one document window. Views register themselves; an update of all views
// carries no hint, and each view redraws from the document as it then stands. Documents are
// never saved: opening a file fills a new document.
class CDocumentBase : public CCommandTarget {
public:
    CDocumentBase() = default;
    virtual ~CDocumentBase() = default;
    CDocumentBase(const CDocumentBase&) = delete;
    CDocumentBase& operator=(const CDocumentBase&) = delete;

    // A new, empty document: clears the contents and the path. False cancels the creation.
    virtual bool OnNewDocument();
    // A document for the file at path: clears the contents and takes the path. False cancels.
    virtual bool OnOpenDocument(const std::string& path);
    virtual void DeleteContents() {}

    virtual bool IsModified() const { return modified_; }
    virtual void SetModifiedFlag(bool modified) { modified_ = modified; }

    const std::string& GetPathName() const { return pathName_; }
    const std::string& GetTitle() const { return title_; }
    void SetTitle(const std::string& title) { title_ = title; }

    // Views are referred to, never owned.
    void AddView(CViewBase* view);
    void RemoveView(CViewBase* view);
    const std::vector<CViewBase*>& GetViews() const { return views_; }
    void UpdateAllViews();
    // How many updates of all views there have been: every change of the data ends with one,
    // so a different count means the data may have changed.
    uint64_t GetUpdateCount() const { return updateCount_; }

private:
    std::vector<CViewBase*> views_;
    std::string pathName_;
    std::string title_;
    bool modified_ = false;
    uint64_t updateCount_ = 0;
};
