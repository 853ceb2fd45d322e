#pragma once

#include <QStringList>
#include <functional>
#include <string>
#include <unordered_map>

#include "document/document_events.h"
#include "document/view_options.h"
#include "framework/main_frame_base.h"

class CRecentFileList;
class CToolBarBase;
class CUpDownControl;
class ChromosomeStartStopComboBox;
class LocuscopeDocument;
class QMenu;

// The application's main window: menus, the main and pane toolbars with the pane selector,
// the status bar and the six view options; it takes files dropped from the desktop. It hears
// of every document's pane changes and keeps the selector on the active document.
class LocuscopeMainFrame : public CMainFrameBase, public DocumentEvents {
    Q_OBJECT

public:
    // Opens path as a new document and returns it (null when it could not be opened).
    using DocumentOpener = std::function<LocuscopeDocument*(const QString& path)>;

    LocuscopeMainFrame();
    ~LocuscopeMainFrame() override;

    LocuscopeDocument* GetActiveDocument() const;
    ChromosomeStartStopComboBox* GetPaneSelector() const { return paneSelector_; }
    ViewOptions& Options() { return options_; }
    CRecentFileList& RecentFiles() const { return *recentFiles_; }
    void SetDocumentOpener(DocumentOpener opener) { openDocument_ = std::move(opener); }

    // Refills the pane selector from the active document; false when there is none.
    bool RefreshPaneSelector();

    // DocumentEvents: the selector follows the active document only.
    void PanesChanged(LocuscopeDocument& document) override;
    void CurrentPaneChanged(LocuscopeDocument& document) override;
    void PaneRangeChanged(LocuscopeDocument& document, const std::string& paneName) override;
    void ViewOptionsChanged() override;
    // Imports files as if they were dropped on the window (a workspace opens a window of its
    // own); names carry their bytes as ByteText gives them.
    void ImportDroppedFiles(const QStringList& paths);

    bool OnCommand(int id) override;
    bool OnUpdateCommand(int id, CommandState& state) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void CreateMenus();
    void CreateToolBars();
    void CreateStatusBar();
    QMenu* AddMenu(const QString& title, const QList<int>& ids);
    void ImportDataFiles(QStringList paths);
    void ChoosePaneFromSelector();
    void StepPane(int delta);
    void UpdateControls();
    void UpdateWindowMenu();
    // Relabels one pane's entry; false when the selector has no entry for it.
    bool RelabelPane(LocuscopeDocument& document, const std::string& paneName);
    void SelectCurrentPane(LocuscopeDocument& document);
    // Every open view draws again with the options as they now are.
    void RedrawAllViews();

    ViewOptions options_;
    CRecentFileList* recentFiles_;
    CToolBarBase* mainToolBar_ = nullptr;
    CToolBarBase* paneToolBar_ = nullptr;
    ChromosomeStartStopComboBox* paneSelector_ = nullptr;
    CUpDownControl* paneStepper_ = nullptr;
    class QLabel* welcome_ = nullptr;  // what to do, while no document is open
    QMenu* windowMenu_ = nullptr;
    QList<class QAction*> windowEntries_;  // the open documents, listed in the Window menu
    // The selector's entry of each pane of the active document.
    std::unordered_map<std::string, int> paneEntries_;
    DocumentOpener openDocument_;
    bool refreshing_ = false;
};
