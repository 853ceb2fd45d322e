#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class CChildFrameBase;
class CDocumentBase;
class CViewBase;
class QMdiArea;

// The one document template and the open documents: creates a document with its child frame
// and view together, shows the frame in the main frame's area, and deletes the document when
// its last frame closes. Owns the documents; the area owns the frames.
class CDocumentManager : public QObject {
    Q_OBJECT

public:
    struct Template {
        std::function<std::unique_ptr<CDocumentBase>()> createDocument;
        std::function<CChildFrameBase*()> createFrame;
        std::function<CViewBase*()> createView;
        // New documents are titled this name followed by a running number ("GFF1").
        std::string newDocumentName = "GFF";
    };

    CDocumentManager(QMdiArea* area, Template documentTemplate);
    ~CDocumentManager() override;

    // A new empty document (its OnNewDocument may ask for files); null when it declined.
    CDocumentBase* NewDocument();
    // A new document for path; null when it could not be opened.
    CDocumentBase* OpenDocument(const std::string& path);

    const std::vector<std::unique_ptr<CDocumentBase>>& GetDocuments() const { return documents_; }
    // The document of the active child frame, or null.
    CDocumentBase* GetActiveDocument() const;

signals:
    // path carries the bytes OpenDocument was given, as ByteText gives them.
    void DocumentOpened(const QString& path);

private:
    CDocumentBase* Create(const std::function<bool(CDocumentBase&)>& fill);
    void FrameClosing(CChildFrameBase* frame);

    QMdiArea* area_;
    Template template_;
    std::vector<std::unique_ptr<CDocumentBase>> documents_;
    int newDocuments_ = 0;
};
