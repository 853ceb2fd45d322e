#include "document/command_catalog.h"

#include <QAction>
#include <QKeySequence>

#include "document/command_icons.h"
#include "document/command_ids.h"
#include "framework/command_layer.h"

namespace {

using Command = CCommandLayer::Command;
namespace Id = CommandId;

QKeySequence Keys(QKeyCombination keys) { return QKeySequence(keys); }

const QList<Command>& Catalog() {
    static const QList<Command> catalog = {
        // File
        {Id::kFileNew, "&New\tCtrl+N", Keys(Qt::CTRL | Qt::Key_N), "Create a new document", "New"},
        {Id::kFileOpen, "&Open...", {}, "Open a file in a new document", "Open"},
        {Id::kImport, "Import...", {}, "Import Files", "Import Files"},
        {Id::kOpenWorkspace, "Open Workspace...", {}, "Open a saved workspace", ""},
        {Id::kSaveWorkspace, "Save Workspace...", {}, "Save this document as a workspace", ""},
        {Id::kExportSelections, "Selections", {}, "Export Selected data to GFF File", ""},
        {Id::kImageCapture, "Image Capture", {}, "Save the drawing as a picture", ""},
        {Id::kMetafileCapture, "Metafile Capture", {}, "Save the drawing as a vector picture",
         ""},
        {Id::kFilePrint, "&Print...\tCtrl+P", Keys(Qt::CTRL | Qt::Key_P),
         "Print the active document", "Print"},
        {Id::kFilePrintPreview, "Print Pre&view", {}, "Show how the document will print",
         "Print Preview"},
        {Id::kFilePrintSetup, "P&rint Setup...", {}, "Change the printer and printing options",
         ""},
        {Id::kAppExit, "E&xit", {}, "Quit the application", ""},
        // Edit
        {Id::kUndo, "Undo\tCtrl+Z", Keys(Qt::CTRL | Qt::Key_Z), "Undo the last change", ""},
        {Id::kRedo, "Redo\tCtrl+Shift+Z", Keys(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
         "Redo the change last undone", ""},
        {Id::kEditSelectAll, "Select All\tCtrl+A", Keys(Qt::CTRL | Qt::Key_A),
         "Select the whole extent of every pane", ""},
        {Id::kSearch, "Search\tCtrl+F", Keys(Qt::CTRL | Qt::Key_F), "Search for Attribute",
         "Search for Attribute in data"},
        {Id::kCopyGenomicRange, "Copy Genomic Range to Clipboard\tCtrl+R",
         Keys(Qt::CTRL | Qt::Key_R), "Copy the visible genomic range", ""},
        {Id::kCopyGenomicPosition, "Copy Genomic Position to Clipboard\tCtrl+T",
         Keys(Qt::CTRL | Qt::Key_T), "Copy the genomic position under the pointer", ""},
        // View
        {Id::kViewToolbar, "&Toolbar", {}, "Show or hide the toolbar", "", true},
        {Id::kPaneToolbar, "Pane Toolbar", {}, "Show or hide the pane toolbar", "", true},
        {Id::kViewStatusBar, "&Status Bar", {}, "Show or hide the status bar", "", true},
        {Id::kDisplayHeader, "Display Header", {}, "Show or hide the ruler and the info lines",
         "", true},
        {Id::kShowLoadedFiles, "Loaded Files", {}, "Show the loaded files", "", true},
        {Id::kShowTrackStats, "Track Statistics", {}, "Show the track statistics", "", true},
        {Id::kShowPointerInfo, "Pointer Info", {}, "Show what is under the pointer and cursor",
         "", true},
        {Id::kShowGridLines, "Grid Lines", {}, "Show horizontal grid lines", "", true},
        {Id::kShowDataBorder, "Display Data Border", {}, "Outline bars and dense points", "",
         true},
        {Id::kShowManualScaleOverlay, "Display Manual Scale Indicator", {},
         "Mark tracks that use a manual scale", "", true},
        {Id::kShowFeatureNames, "Feature Names", {},
         "Show the names of features where they have room", "", true},
        {Id::kShowGeneModels, "Gene Models", {},
         "Draw transcripts as gene models: exons, introns and strand, isoforms in rows", "",
         true},
        {Id::kZoomIn, "Zoom In\tCtrl++", QKeySequence(QKeySequence::ZoomIn), "Zoom in", ""},
        {Id::kZoomOut, "Zoom Out\tCtrl+-", QKeySequence(QKeySequence::ZoomOut), "Zoom out", ""},
        {Id::kFullZoomOut, "Full Zoom Out\tCtrl+0", Keys(Qt::CTRL | Qt::Key_0),
         "Show the whole pane", ""},
        {Id::kGoToPosition, "Go to Position\tCtrl+G", Keys(Qt::CTRL | Qt::Key_G),
         "Go to a position", ""},
        {Id::kScrollRowsUp, "Rows Up\tUp", QKeySequence(Qt::Key_Up), "Scroll the tracks up",
         "Click Up arrow"},
        {Id::kScrollRowsDown, "Rows Down\tDown", QKeySequence(Qt::Key_Down), "Scroll the tracks down",
         "Click Down Arrow"},
        // Cursor
        {Id::kNextItem, "Next Item\t->", QKeySequence(Qt::Key_Right), "Move the cursor to the next item",
         ""},
        {Id::kPreviousItem, "Previous Item\t<-", QKeySequence(Qt::Key_Left),
         "Move the cursor to the previous item", ""},
        {Id::kAttachCursor, "Attach Cursor\tAlt+A", Keys(Qt::ALT | Qt::Key_A),
         "Associate cursor with selected track", ""},
        // Pane
        {Id::kGoBack, "Go Back One Pane", {}, "Go Back One Pane", "Back"},
        {Id::kGoForward, "Go Forward One Pane", {}, "Go Forward One Pane", "Forward"},
        {Id::kDeletePane, "Delete\tCtrl+Del", Keys(Qt::CTRL | Qt::Key_Delete),
         "Delete the selected pane", ""},
        {Id::kSortUnsorted, "Unsorted", {}, "Show panes in the order they were found", "", true},
        {Id::kSortAlphanumeric, "Alphanumeric", {}, "Show panes sorted by name", "", true},
        {Id::kPaneSelector, "Pane Selection", {}, "Pane Selection", ""},
        {Id::kPaneStepper, "Choose Previous/next Pane", {}, "Choose Previous/next Pane", ""},
        {Id::kNextPane, "Next Window\tF6", QKeySequence(Qt::Key_F6), "Switch to the next window", ""},
        {Id::kPreviousPane, "Previous Window\tShift+F6", Keys(Qt::SHIFT | Qt::Key_F6),
         "Switch to the previous window", ""},
        // Track
        {Id::kSelectAllTracks, "Select All\tCtrl+Alt+A", Keys(Qt::CTRL | Qt::ALT | Qt::Key_A),
         "Select All Tracks", ""},
        {Id::kDeleteTracks, "Delete\tDel", QKeySequence(Qt::Key_Delete), "Delete the selected tracks", ""},
        {Id::kSetColor, "Set Color", {}, "Set Color", "Set Default Color for Selected Tracks"},
        {Id::kSetHeight, "Set Height", {}, "Set Pixel Height", ""},
        {Id::kAutoScale, "Auto Scale", {}, "Set Auto Scale", "", true},
        {Id::kManualScale, "Manual Scale", {}, "Set Manual Scale", "", true},
        {Id::kStyleAutomatic, "Automatic", {}, "Draw in the default style", "", true},
        {Id::kStylePoints, "Points", {}, "Draw as points", "", true},
        {Id::kStyleBars, "Bars", {}, "Draw as bars", "", true},
        {Id::kDefaultStylePoints, "Points", {}, "Draw automatic tracks as points", "", true},
        {Id::kDefaultStyleBars, "Bars", {}, "Draw automatic tracks as bars", "", true},
        {Id::kAdjustPointSize, "Adjust Point Size", {}, "Adjust Point Size", "Point Size"},
        {Id::kIncreasePointSize, "Increase Point Size", {}, "Increase Point Size", ""},
        {Id::kDecreasePointSize, "Decrease Point Size", {}, "Decrease Point Size", ""},
        // Tools
        {Id::kToolPointer, "Pointer", {}, "Pointer", "", true},
        {Id::kToolMagnifier, "Magnifier", {}, "Magnifier", "", true},
        {Id::kToolRuler, "Ruler", {}, "Ruler", "", true},
        // Window and Help
        {Id::kWindowCascade, "&Cascade", {}, "Arrange windows so they overlap", ""},
        {Id::kWindowTile, "&Tile", {}, "Arrange windows as non-overlapping tiles", ""},
        {Id::kWindowArrange, "&Arrange Icons", {}, "Arrange minimised windows", ""},
        {Id::kAppAbout, "&About Locuscope...", {}, "Display program information and version",
         "About"},
    };
    return catalog;
}

}  // namespace

void RegisterCommands(CCommandLayer& commands) {
    for (const Command& command : Catalog()) {
        QAction* action = commands.Register(command);
        const QIcon icon = CommandIcon(command.id);
        if (!icon.isNull())
            action->setIcon(icon);
    }
    // Where "+" needs Shift, Ctrl+= is the key people press to zoom in.
    commands.AddShortcut(Id::kZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal));
    commands.AddShortcut(Id::kRedo, QKeySequence(Qt::CTRL | Qt::Key_Y));
}
