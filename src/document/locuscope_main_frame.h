#pragma once

#include <QStringList>
#include <functional>

#include "document/view_options.h"
#include "framework/main_frame_base.h"

class CRecentFileList;
class CToolBarBase;
class CUpDownControl;
class ChromosomeStartStopComboBox;
class LocuscopeDocument;
class QMenu;

// The application's main window: menus, the main and pane toolbars with the pane selector,
// the status bar and the six view options; it takes files dropped from the desktop.
class LocuscopeMainFrame : public CMainFrameBase {
    Q_OBJECT

public:
    // Opens path as a new document and returns it (null when it could not be opened).
    using DocumentOpener = std::function<LocuscopeDocument*(const QString& path)>;

    LocuscopeMainFrame();
    ~LocuscopeMainFrame() override;

    // The one main frame, or null (headless runs, before start-up, after shut-down).
    static LocuscopeMainFrame* Instance();

    LocuscopeDocument* GetActiveDocument() const;
    ChromosomeStartStopComboBox* GetPaneSelector() const { return paneSelector_; }
    ViewOptions& Options() { return options_; }
    CRecentFileList& RecentFiles() const { return *recentFiles_; }
    void SetDocumentOpener(DocumentOpener opener) { openDocument_ = std::move(opener); }

    // Refills the pane selector from the active document; false when there is none.
    bool RefreshPaneSelector();
    // Imports files as if they were dropped on the window.
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
    void ChoosePaneFromSelector();
    void StepPane(int delta);
    void UpdateControls();

    ViewOptions options_;
    CRecentFileList* recentFiles_;
    CToolBarBase* mainToolBar_ = nullptr;
    CToolBarBase* paneToolBar_ = nullptr;
    ChromosomeStartStopComboBox* paneSelector_ = nullptr;
    CUpDownControl* paneStepper_ = nullptr;
    class QLabel* welcome_ = nullptr;  // what to do, while no document is open
    DocumentOpener openDocument_;
    bool refreshing_ = false;
};
