#pragma once

// The command ids of the program. Menus, toolbars, accelerators and context menus share them,
// so one handler serves them all.
namespace CommandId {

// Framework commands.
constexpr int kFileNew = 57600;
constexpr int kFileOpen = 57601;
constexpr int kFilePrintSetup = 57606;
constexpr int kFilePrint = 57607;
constexpr int kFilePrintPreview = 57609;
constexpr int kEditSelectAll = 57642;
constexpr int kUndo = 57643;
constexpr int kRedo = 57644;
constexpr int kWindowArrange = 57649;
constexpr int kWindowCascade = 57650;
constexpr int kWindowTile = 57651;
constexpr int kAppAbout = 57664;
constexpr int kAppExit = 57665;
constexpr int kNextPane = 57680;
constexpr int kPreviousPane = 57681;
constexpr int kViewToolbar = 59392;
constexpr int kViewStatusBar = 59393;

// View: rows, zoom, position.
constexpr int kScrollRowsUp = 132;
constexpr int kScrollRowsDown = 133;
constexpr int kZoomIn = 32771;
constexpr int kZoomOut = 32772;
constexpr int kFullZoomOut = 32806;
constexpr int kGoToPosition = 32777;

// Document.
constexpr int kImport = 32778;
constexpr int kOpenWorkspace = 32860;
constexpr int kSaveWorkspace = 32861;
constexpr int kExportSelections = 32789;
constexpr int kImageCapture = 32790;
constexpr int kMetafileCapture = 32791;
constexpr int kSearch = 32799;
constexpr int kNextItem = 32773;
constexpr int kPreviousItem = 32774;
constexpr int kAttachCursor = 32794;
constexpr int kDeletePane = 32797;
constexpr int kSortUnsorted = 32808;
constexpr int kSortAlphanumeric = 32809;
constexpr int kGoBack = 32812;
constexpr int kGoForward = 32813;
constexpr int kSelectAllTracks = 32798;
constexpr int kDeleteTracks = 32796;
constexpr int kSetColor = 32800;
constexpr int kSetHeight = 32802;
constexpr int kAutoScale = 32785;
constexpr int kManualScale = 32786;
constexpr int kStyleAutomatic = 32805;
constexpr int kStylePoints = 32803;
constexpr int kStyleBars = 32804;
constexpr int kDefaultStylePoints = 32840;
constexpr int kDefaultStyleBars = 32842;
constexpr int kAdjustPointSize = 32824;
constexpr int kIncreasePointSize = 32826;
constexpr int kDecreasePointSize = 32827;
constexpr int kDisplayHeader = 32844;
constexpr int kToolPointer = 32775;
constexpr int kToolMagnifier = 32817;
constexpr int kToolRuler = 32818;

// Main frame and view options.
constexpr int kPaneSelector = 32810;
constexpr int kPaneStepper = 32823;
constexpr int kPaneToolbar = 32814;
constexpr int kShowLoadedFiles = 32815;
constexpr int kShowTrackStats = 32816;
constexpr int kShowPointerInfo = 32821;
constexpr int kShowGridLines = 32822;
constexpr int kShowDataBorder = 32829;
constexpr int kShowManualScaleOverlay = 32837;
constexpr int kShowFeatureNames = 32850;
constexpr int kShowGeneModels = 32851;
constexpr int kCopyGenomicRange = 32833;
constexpr int kCopyGenomicPosition = 32832;

}  // namespace CommandId
