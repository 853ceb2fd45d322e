#include "document/locuscope_main_frame.h"

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QPointer>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QUrl>

#include "document/chromosome_start_stop_combo_box.h"
#include "document/command_catalog.h"
#include "document/command_ids.h"
#include "document/locuscope_document.h"
#include "document/long_operation_guard.h"
#include "document/workspace_command.h"
#include "framework/settings.h"
#include "framework/byte_text.h"
#include "framework/c_tool_bar_base.h"
#include "framework/child_frame_base.h"
#include "framework/view_base.h"
#include "framework/c_up_down_control.h"
#include "framework/command_layer.h"
#include "framework/recent_file_list.h"

namespace {

namespace Id = CommandId;
constexpr int kSeparator = 0;
const QString kToolbarStateKey = QStringLiteral("ToolbarState");
constexpr int kPaneSelectorWidth = 250;
constexpr int kPaneStepperWidth = 20;

}  // namespace

LocuscopeMainFrame::LocuscopeMainFrame() : recentFiles_(new CRecentFileList(this)) {
    options_.Read();
    setWindowTitle(QStringLiteral("Locuscope"));
    setAcceptDrops(true);
    GetMdiArea()->setDocumentMode(true);
    GetMdiArea()->setBackground(QColor(0x8A, 0x93, 0x9C));
    RegisterCommands(Commands());
    CreateMenus();
    // A closed menu takes its prompt with it, whichever way it closed.
    for (QMenu* menu : menuBar()->findChildren<QMenu*>())
        connect(menu, &QMenu::aboutToHide, statusBar(), &QStatusBar::clearMessage);
    CreateToolBars();
    CreateStatusBar();
    restoreState(OpenSettingsStore().value(kToolbarStateKey).toByteArray());
    // Child windows are always shown maximised, whichever becomes active.
    connect(GetMdiArea(), &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* window) {
        if (window != nullptr && !window->isMaximized())
            window->showMaximized();
        RefreshPaneSelector();
    });
    connect(&Commands(), &CCommandLayer::Idle, this, &LocuscopeMainFrame::UpdateControls);
    welcome_ = new QLabel(tr("Drop GFF or BED files here, or choose File > New to import them."),
                          GetMdiArea()->viewport());
    welcome_->setAlignment(Qt::AlignCenter);
    welcome_->setStyleSheet(QStringLiteral("color: #E8ECF0; font-size: 15px;"));
    GetMdiArea()->viewport()->installEventFilter(this);
    resize(1200, 800);
}

LocuscopeMainFrame::~LocuscopeMainFrame() {
    // The area outlives this part of the frame and still reports activations while it goes.
    disconnect(GetMdiArea(), nullptr, this, nullptr);
    options_.Write();
}

LocuscopeDocument* LocuscopeMainFrame::GetActiveDocument() const {
    CChildFrameBase* frame = GetActiveChildFrame();
    if (frame == nullptr || frame->GetView() == nullptr)
        return nullptr;
    return dynamic_cast<LocuscopeDocument*>(frame->GetView()->GetDocumentBase());
}

QMenu* LocuscopeMainFrame::AddMenu(const QString& title, const QList<int>& ids) {
    QMenu* menu = menuBar()->addMenu(title);
    for (const int id : ids) {
        if (id == kSeparator)
            menu->addSeparator();
        else
            menu->addAction(Commands().Action(id));
    }
    Commands().WatchMenu(menu);
    return menu;
}

void LocuscopeMainFrame::CreateMenus() {
    QMenu* file = AddMenu(tr("&File"), {Id::kFileNew, Id::kImport, kSeparator, Id::kOpenWorkspace,
                                        Id::kSaveWorkspace, kSeparator});
    QMenu* exportMenu = file->addMenu(tr("Export"));
    for (const int id : {Id::kExportSelections, Id::kImageCapture, Id::kMetafileCapture})
        exportMenu->addAction(Commands().Action(id));
    Commands().WatchMenu(exportMenu);
    file->addSeparator();
    for (const int id : {Id::kFilePrint, Id::kFilePrintPreview, Id::kFilePrintSetup})
        file->addAction(Commands().Action(id));
    file->addSeparator();
    QAction* recentEnd = file->addSeparator();
    file->addAction(Commands().Action(Id::kAppExit));
    recentFiles_->AttachTo(file, recentEnd);

    AddMenu(tr("&Edit"), {Id::kUndo, Id::kRedo, kSeparator, Id::kEditSelectAll, Id::kSearch,
                          kSeparator, Id::kCopyGenomicRange, Id::kCopyGenomicPosition});
    AddMenu(tr("&View"), {Id::kViewToolbar, Id::kPaneToolbar, Id::kViewStatusBar, kSeparator,
                          Id::kDisplayHeader, Id::kShowLoadedFiles, Id::kShowTrackStats,
                          Id::kShowPointerInfo, Id::kShowGridLines, Id::kShowDataBorder,
                          Id::kShowManualScaleOverlay, Id::kShowFeatureNames,
                          Id::kShowGeneModels, kSeparator,
                          Id::kZoomIn, Id::kZoomOut, Id::kFullZoomOut, Id::kGoToPosition,
                          kSeparator, Id::kScrollRowsUp, Id::kScrollRowsDown});
    AddMenu(tr("&Cursor"), {Id::kNextItem, Id::kPreviousItem, kSeparator, Id::kAttachCursor});
    QMenu* pane = AddMenu(tr("&Pane"), {Id::kGoBack, Id::kGoForward, kSeparator, Id::kDeletePane});
    QMenu* sort = pane->addMenu(tr("Sort"));
    for (const int id : {Id::kSortUnsorted, Id::kSortAlphanumeric})
        sort->addAction(Commands().Action(id));
    Commands().WatchMenu(sort);

    QMenu* track = AddMenu(tr("&Track"), {Id::kSelectAllTracks, Id::kDeleteTracks, kSeparator,
                                          Id::kSetColor, Id::kSetHeight, kSeparator,
                                          Id::kAutoScale, Id::kManualScale});
    QMenu* trackStyle = track->addMenu(tr("Style"));
    for (const int id : {Id::kStyleAutomatic, Id::kStylePoints, Id::kStyleBars})
        trackStyle->addAction(Commands().Action(id));
    Commands().WatchMenu(trackStyle);
    for (const int id : {kSeparator, Id::kAdjustPointSize, Id::kIncreasePointSize,
                         Id::kDecreasePointSize, kSeparator, Id::kAttachCursor}) {
        if (id == kSeparator)
            track->addSeparator();
        else
            track->addAction(Commands().Action(id));
    }

    QMenu* style = menuBar()->addMenu(tr("&Style"));
    QMenu* defaultStyle = style->addMenu(tr("Default Style"));
    for (const int id : {Id::kDefaultStylePoints, Id::kDefaultStyleBars})
        defaultStyle->addAction(Commands().Action(id));
    Commands().WatchMenu(defaultStyle);

    AddMenu(tr("T&ools"), {Id::kToolPointer, Id::kToolMagnifier, Id::kToolRuler});
    windowMenu_ = AddMenu(tr("&Window"), {Id::kWindowCascade, Id::kWindowTile,
                                          Id::kWindowArrange, kSeparator, Id::kNextPane,
                                          Id::kPreviousPane});
    connect(windowMenu_, &QMenu::aboutToShow, this, &LocuscopeMainFrame::UpdateWindowMenu);
    AddMenu(tr("&Help"), {Id::kAppAbout});
}

void LocuscopeMainFrame::CreateToolBars() {
    mainToolBar_ = new CToolBarBase(tr("Toolbar"), this);
    mainToolBar_->setObjectName(QStringLiteral("MainToolBar"));
    mainToolBar_->setIconSize(QSize(16, 16));
    const QList<int> mainButtons = {Id::kFileNew,        Id::kImport,       kSeparator,
                                    Id::kFilePrintPreview, Id::kFilePrint,  kSeparator,
                                    Id::kToolPointer,    Id::kToolMagnifier, Id::kToolRuler,
                                    kSeparator,          Id::kAutoScale,    Id::kManualScale,
                                    kSeparator,          Id::kIncreasePointSize,
                                    Id::kDecreasePointSize};
    for (const int id : mainButtons) {
        if (id == kSeparator) {
            mainToolBar_->addSeparator();
        } else {
            mainToolBar_->addAction(Commands().Action(id));
            Commands().WatchAction(Commands().Action(id));
        }
    }
    addToolBar(Qt::TopToolBarArea, mainToolBar_);

    paneToolBar_ = new CToolBarBase(tr("Pane Toolbar"), this);
    paneToolBar_->setObjectName(QStringLiteral("PaneToolBar"));
    paneToolBar_->setIconSize(QSize(16, 16));
    for (const int id : {Id::kGoBack, Id::kGoForward, Id::kPaneSelector, Id::kPaneStepper,
                         Id::kScrollRowsUp, Id::kScrollRowsDown}) {
        paneToolBar_->addAction(Commands().Action(id));
        Commands().WatchAction(Commands().Action(id));
    }
    paneSelector_ = new ChromosomeStartStopComboBox;
    paneSelector_->setObjectName(QStringLiteral("PaneSelector"));
    // Every scroll relabels an entry; an inline completer would filter all the labels of a draft
    // assembly each time (10 ms for 30,000 panes). Labels are typed whole or chosen from the list.
    paneSelector_->setCompleter(nullptr);
    paneSelector_->setToolTip(tr("Pane Selection"));
    paneSelector_->setStatusTip(tr("Pane Selection"));
    paneToolBar_->InsertControl(paneSelector_, Commands().Action(Id::kPaneSelector),
                                kPaneSelectorWidth);
    paneStepper_ = new CUpDownControl;
    paneStepper_->setToolTip(tr("Choose Previous/next Pane"));
    paneToolBar_->InsertControl(paneStepper_, Commands().Action(Id::kPaneStepper),
                                kPaneStepperWidth);
    paneStepper_->setFixedHeight(paneSelector_->sizeHint().height());
    connect(paneSelector_, QOverload<int>::of(&QComboBox::activated), this,
            &LocuscopeMainFrame::ChoosePaneFromSelector);
    connect(paneSelector_, &CComboBoxBase::EditingFinished, this,
            &LocuscopeMainFrame::ChoosePaneFromSelector);
    connect(paneStepper_, &CUpDownControl::Stepped, this, &LocuscopeMainFrame::StepPane);
    addToolBar(Qt::TopToolBarArea, paneToolBar_);
}

void LocuscopeMainFrame::CreateStatusBar() {
    statusBar()->showMessage(tr("Ready"));
    for (const QString& indicator : {tr("CAP"), tr("NUM"), tr("SCRL")}) {
        auto* label = new QLabel(indicator, this);
        label->setAlignment(Qt::AlignCenter);
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(indicator) + 12);
        label->setEnabled(false);  // the platform does not tell the lock-key states
        statusBar()->addPermanentWidget(label);
    }
}

bool LocuscopeMainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched == GetMdiArea()->viewport() && event->type() == QEvent::Resize)
        welcome_->setGeometry(GetMdiArea()->viewport()->rect());
    return CMainFrameBase::eventFilter(watched, event);
}

void LocuscopeMainFrame::UpdateControls() {
    welcome_->setVisible(GetMdiArea()->subWindowList().isEmpty());
    const bool hasDocument = GetActiveDocument() != nullptr;
    paneSelector_->setEnabled(hasDocument);
    paneStepper_->setEnabled(hasDocument);
    if (!hasDocument && paneSelector_->count() > 0)
        paneSelector_->ResetContent();
}

bool LocuscopeMainFrame::RefreshPaneSelector() {
    LocuscopeDocument* document = GetActiveDocument();
    if (document == nullptr || refreshing_)
        return false;
    refreshing_ = true;
    // Refill without painting or reacting in between.
    paneSelector_->setUpdatesEnabled(false);
    paneSelector_->blockSignals(true);
    paneSelector_->ResetContent();
    paneEntries_.clear();
    QStringList labels;
    labels.reserve(static_cast<int>(document->Genome().Store().GetPaneOrder().size()) + 1);
    labels.append(QString::fromStdString(document->GetPaneLabel(kAllTracksPane)));
    paneEntries_.emplace(kAllTracksPane, 0);
    for (const std::string& pane : document->Genome().Store().GetPaneOrder()) {
        paneEntries_.emplace(pane, labels.size());
        labels.append(QString::fromStdString(document->GetPaneLabel(pane)));
    }
    paneSelector_->addItems(labels);
    paneSelector_->setMaxVisibleItems(
        qBound(1, paneSelector_->count(), CComboBoxBase::kMaxVisibleItems));
    paneSelector_->blockSignals(false);
    paneSelector_->setUpdatesEnabled(true);
    refreshing_ = false;
    SelectCurrentPane(*document);
    return true;
}

void LocuscopeMainFrame::SelectCurrentPane(LocuscopeDocument& document) {
    const auto entry = paneEntries_.find(document.GetCurrentPaneName());
    if (entry == paneEntries_.end())
        return;
    refreshing_ = true;
    paneSelector_->blockSignals(true);
    paneSelector_->setCurrentIndex(entry->second);
    RelabelPane(document, entry->first);
    // The entry may already have been current while the user typed over it.
    paneSelector_->setEditText(paneSelector_->itemText(entry->second));
    paneSelector_->blockSignals(false);
    refreshing_ = false;
}

bool LocuscopeMainFrame::RelabelPane(LocuscopeDocument& document, const std::string& paneName) {
    const auto entry = paneEntries_.find(paneName);
    if (entry == paneEntries_.end())
        return false;
    const QString label = QString::fromStdString(document.GetPaneLabel(paneName));
    if (paneSelector_->itemText(entry->second) != label) {
        paneSelector_->blockSignals(true);
        paneSelector_->setItemText(entry->second, label);
        paneSelector_->blockSignals(false);
    }
    return true;
}

void LocuscopeMainFrame::PanesChanged(LocuscopeDocument& document) {
    if (&document == GetActiveDocument())
        RefreshPaneSelector();
}

void LocuscopeMainFrame::CurrentPaneChanged(LocuscopeDocument& document) {
    if (&document == GetActiveDocument())
        SelectCurrentPane(document);
}

void LocuscopeMainFrame::PaneRangeChanged(LocuscopeDocument& document,
                                          const std::string& paneName) {
    if (&document == GetActiveDocument() && !refreshing_)
        RelabelPane(document, paneName);
}

void LocuscopeMainFrame::ViewOptionsChanged() {
    RedrawAllViews();
}

void LocuscopeMainFrame::RedrawAllViews() {
    for (QMdiSubWindow* window : GetMdiArea()->subWindowList()) {
        auto* frame = qobject_cast<CChildFrameBase*>(window);
        if (frame != nullptr && frame->GetView() != nullptr)
            frame->GetView()->OnUpdate();
    }
}

void LocuscopeMainFrame::UpdateWindowMenu() {
    for (QAction* entry : windowEntries_) {
        windowMenu_->removeAction(entry);
        delete entry;
    }
    windowEntries_.clear();
    const QList<QMdiSubWindow*> windows = GetMdiArea()->subWindowList();
    if (windows.isEmpty())
        return;
    windowEntries_.append(windowMenu_->addSeparator());
    int number = 1;
    for (QMdiSubWindow* window : windows) {
        const QString text = number < 10 ? QStringLiteral("&%1 %2").arg(number).arg(window->windowTitle())
                                         : QStringLiteral("%1 %2").arg(number).arg(window->windowTitle());
        QAction* entry = windowMenu_->addAction(text);
        entry->setCheckable(true);
        entry->setChecked(window == GetMdiArea()->activeSubWindow());
        connect(entry, &QAction::triggered, this,
                [this, window] { GetMdiArea()->setActiveSubWindow(window); });
        windowEntries_.append(entry);
        ++number;
    }
}

void LocuscopeMainFrame::ChoosePaneFromSelector() {
    LocuscopeDocument* document = GetActiveDocument();
    if (document == nullptr || refreshing_)
        return;
    const std::string chosen = paneSelector_->currentText().toStdString();
    if (chosen != document->GetPaneLabel(document->GetCurrentPaneName()))
        document->ChoosePane(chosen);
}

void LocuscopeMainFrame::StepPane(int delta) {
    const int next = paneSelector_->currentIndex() + (delta < 0 ? -1 : 1);
    if (next < 0 || next >= paneSelector_->count())
        return;
    paneSelector_->setCurrentIndex(next);
    ChoosePaneFromSelector();
}

void LocuscopeMainFrame::ImportDroppedFiles(const QStringList& paths) {
    if (paths.isEmpty())
        return;
    // Files dropped while an import runs wait for it: one import must not start inside another.
    if (LongOperationGuard::IsAnyRunning()) {
        LongOperationGuard::WhenIdle([frame = QPointer<LocuscopeMainFrame>(this), paths] {
            if (frame)
                frame->ImportDroppedFiles(paths);
        });
        return;
    }
    // The data files go into the active document; a workspace opens in a window of its own.
    QStringList dataFiles;
    QStringList workspaces;
    for (const QString& path : paths)
        (WorkspaceCommand::IsWorkspace(ByteText::ToBytes(path)) ? workspaces : dataFiles)
            .append(path);
    ImportDataFiles(dataFiles);
    for (const QString& path : workspaces) {
        if (openDocument_)
            openDocument_(path);
    }
}

void LocuscopeMainFrame::ImportDataFiles(QStringList paths) {
    if (paths.isEmpty())
        return;
    if (GetActiveDocument() == nullptr) {
        // Opening the new document imports the first file; the rest follow once each.
        if (!openDocument_ || openDocument_(paths.takeFirst()) == nullptr)
            return;
    }
    LocuscopeDocument* document = GetActiveDocument();
    if (document == nullptr || paths.isEmpty())
        return;
    std::vector<std::string> files;
    for (const QString& path : paths)
        files.push_back(ByteText::ToBytes(path));
    document->ImportFiles(files);
}

void LocuscopeMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void LocuscopeMainFrame::dropEvent(QDropEvent* event) {
    activateWindow();
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        // The file name's own bytes: a name that is not UTF-8 arrives percent-encoded, and
        // decoding it as text would lose them.
        if (url.isLocalFile())
            paths.append(ByteText::FromBytes(
                QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1())
                    .toStdString()));
    }
    event->acceptProposedAction();
    ImportDroppedFiles(paths);
}

void LocuscopeMainFrame::closeEvent(QCloseEvent* event) {
    // A running operation, or the dialog it runs under, still uses its document: cancel it,
    // close the dialog, and close once both have returned.
    if (LongOperationGuard::MustCloseLater()) {
        event->ignore();
        LongOperationGuard::CancelAllThen([frame = QPointer<LocuscopeMainFrame>(this)] {
            if (frame)
                frame->close();
        });
        return;
    }
    OpenSettingsStore().setValue(kToolbarStateKey, saveState());
    GetMdiArea()->closeAllSubWindows();
    QMainWindow::closeEvent(event);
}

bool LocuscopeMainFrame::OnCommand(int id) {
    switch (id) {
        case Id::kPaneToolbar: paneToolBar_->setVisible(!paneToolBar_->isVisible()); return true;
        case Id::kViewToolbar: mainToolBar_->setVisible(!mainToolBar_->isVisible()); return true;
        case Id::kViewStatusBar: statusBar()->setVisible(!statusBar()->isVisible()); return true;
        case Id::kWindowCascade: GetMdiArea()->cascadeSubWindows(); return true;
        case Id::kWindowTile: GetMdiArea()->tileSubWindows(); return true;
        case Id::kWindowArrange: GetMdiArea()->tileSubWindows(); return true;
        case Id::kNextPane: GetMdiArea()->activateNextSubWindow(); return true;
        case Id::kPreviousPane: GetMdiArea()->activatePreviousSubWindow(); return true;
        default: break;
    }
    // A display option changes what every open view draws.
    if (bool* option = options_.ForCommand(id)) {
        *option = !*option;
        RedrawAllViews();
        return true;
    }
    return false;
}

bool LocuscopeMainFrame::OnUpdateCommand(int id, CommandState& state) {
    const bool hasWindows = !GetMdiArea()->subWindowList().isEmpty();
    switch (id) {
        case Id::kPaneToolbar: state.checked = paneToolBar_->isVisible(); return true;
        case Id::kViewToolbar: state.checked = mainToolBar_->isVisible(); return true;
        case Id::kViewStatusBar: state.checked = statusBar()->isVisible(); return true;
        case Id::kWindowCascade:
        case Id::kWindowTile:
        case Id::kWindowArrange:
        case Id::kNextPane:
        case Id::kPreviousPane: state.enabled = hasWindows; return true;
        default: break;
    }
    if (const bool* option = options_.ForCommand(id)) {
        state.checked = *option;
        state.enabled = GetActiveDocument() != nullptr;
        return true;
    }
    return false;
}
