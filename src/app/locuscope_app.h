#pragma once

#include <QObject>
#include <QStringList>
#include <memory>

#include "framework/command_target.h"
#include "framework/document_manager.h"

class LocuscopeDocument;
class LocuscopeMainFrame;

// The application object: registers the document type, makes the main frame with its splash
// screen, opens a file named on the command line and answers the application's commands
// (New, Open, Open Workspace, About, Exit). Needs a QApplication.
class LocuscopeApp : public QObject, public CCommandTarget {
    Q_OBJECT

public:
    static constexpr int kSplashMilliseconds = 1500;

    LocuscopeApp();
    ~LocuscopeApp() override;

    // Start-up. files are the file arguments of the command line: none starts without a
    // document; the first is opened and imported. False ends the process (the import has then
    // shown why).
    bool InitInstance(const QStringList& files);

    // The one document type: a document that tells frame of its panes, a child frame and a
    // view that draws with frame's options and shows its commands in menus.
    static CDocumentManager::Template DocumentTemplate(LocuscopeMainFrame& frame);

    LocuscopeMainFrame* MainFrame() const { return mainFrame_.get(); }
    CDocumentManager* Documents() const { return documents_; }
    LocuscopeDocument* OpenDocument(const QString& path);
    // Imports files into the active document, each once; a workspace opens a window of its own.
    void ImportIntoActiveDocument(const QStringList& files);

    bool OnCommand(int id) override;
    bool OnUpdateCommand(int id, CommandState& state) override;

private:
    std::unique_ptr<LocuscopeMainFrame> mainFrame_;
    CDocumentManager* documents_ = nullptr;
};
