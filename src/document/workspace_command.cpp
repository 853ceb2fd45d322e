#include "document/workspace_command.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "data/track_removal.h"
#include "document/locuscope_document.h"
#include "document/long_operation_guard.h"
#include "document/workspace_format.h"
#include "document/workspace_state.h"
#include "framework/byte_text.h"
#include "framework/file_dialog_filter.h"
#include "framework/message_box.h"
#include "framework/output_file.h"
#include "import/import_driver.h"

namespace {

const char kExtension[] = ".lsw";
const char kWorkspaceFilter[] = "Locuscope workspaces (*.lsw)|*.lsw|All Files (*.*)|*.*||";

std::string AbsoluteFolderOf(const std::string& path) {
    std::error_code ignored;
    return std::filesystem::absolute(path, ignored).lexically_normal().parent_path().string();
}

bool Exists(const std::string& path) {
    std::error_code ignored;
    return !path.empty() && std::filesystem::exists(path, ignored);
}

// Where the file is now: beside the workspace by its relative path, else at its absolute
// path; empty when at neither.
std::string Locate(const Workspace::File& file, const std::string& folder) {
    if (!file.relativePath.empty()) {
        const std::string beside =
            (std::filesystem::path(folder) / file.relativePath).lexically_normal().string();
        if (Exists(beside))
            return beside;
    }
    return Exists(file.absolutePath) ? file.absolutePath : std::string();
}

bool ReadWorkspace(const std::string& path, Workspace& workspace, std::string& problem) {
    std::error_code error;
    const uintmax_t size = std::filesystem::file_size(path, error);
    if (error) {
        problem = error == std::errc::no_such_file_or_directory ? "not found" : error.message();
        return false;
    }
    if (size > static_cast<uintmax_t>(WorkspaceFormat::kMaximumBytes)) {
        problem = "too large for a workspace";
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    const QByteArray bytes = QByteArray::fromStdString(
        std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
    if (in.bad()) {
        problem = "cannot be read";
        return false;
    }
    return WorkspaceFormat::Read(bytes, workspace, problem);
}

int FileCount(const Workspace& workspace) {
    size_t count = 0;
    for (const Workspace::Step& step : workspace.steps)
        count += step.files.size();
    return static_cast<int>(std::min<size_t>(count, INT32_MAX));
}

// Makes one import step again: the files that are still there, each reported when it changed
// since the workspace was saved, and each missing one reported instead.
ImportOutcome ReplayImport(LocuscopeDocument& document, const Workspace::Step& step,
                           const std::string& folder, int& done, int total) {
    ImportOutcome worst = ImportOutcome::kComplete;
    std::vector<std::string> found;
    for (const Workspace::File& file : step.files) {
        const std::string path = Locate(file, folder);
        if (path.empty()) {
            const std::string named =
                file.relativePath.empty() ? file.absolutePath : file.relativePath;
            document.ReportMessage("Bad File: " + named + " (not found beside the workspace" +
                                   (file.absolutePath.empty()
                                        ? std::string(")")
                                        : ", nor at " + file.absolutePath + ")"));
            document.SetErrorFlag(true);
            worst = ImportOutcome::kFailed;
            document.SetProgress(CNotificationAgent::PROGRESS_OVERALL, ++done, total, "", "", 0);
            continue;
        }
        if (DataRecipe::HasChanged({file.absolutePath, file.size, file.modified}, path)) {
            document.ReportMessage("File changed since the workspace was saved: " + path);
            document.SetErrorFlag(true);
        }
        found.push_back(path);
    }
    if (found.empty())
        return worst;
    worst =
        std::max(worst, ImportDriver(document.Genome()).LoadFilesOfLargerLoad(found, done, total));
    document.RememberImported(found);
    return worst;
}

void ReplayDeletion(LocuscopeDocument& document, const Workspace::Step& step) {
    if (step.kind == DataRecipe::StepKind::kDeleteTracks)
        TrackRemoval::TakeTracks(document.Genome(), step.names);
    else if (!step.names.empty() && document.Genome().Store().HasChromosome(step.names.front()))
        TrackRemoval::TakePane(document.Genome(), step.names.front());
    document.Recipe().AddDeletion(step.kind, step.names);
}

}  // namespace

bool WorkspaceCommand::IsWorkspace(const std::string& path) {
    const size_t length = sizeof(kExtension) - 1;
    if (path.size() <= length)
        return false;
    std::string ending = path.substr(path.size() - length);
    for (char& c : ending)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ending == kExtension && path[path.size() - length - 1] != '/';
}

bool WorkspaceCommand::Save(LocuscopeDocument& document, const std::string& path) {
    const Workspace workspace = WorkspaceState::Capture(document, AbsoluteFolderOf(path));
    const QByteArray bytes = WorkspaceFormat::Write(workspace);
    OutputFile output;
    if (output.Open(path, document.GetImportedPaths())) {
        output.Stream().write(bytes.constData(), bytes.size());
        if (output.Commit())
            return true;
    }
    ShowMessageBox(output.Failure());
    return false;
}

void WorkspaceCommand::ChooseFileAndSave(LocuscopeDocument& document) {
    QFileDialog dialog(QApplication::activeWindow(), QObject::tr("Save Workspace"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilter(ToQtFileFilter(kWorkspaceFilter));
    dialog.setDefaultSuffix(QStringLiteral("lsw"));
    // A workspace saved again goes where it came from; otherwise it is named after the window.
    if (IsWorkspace(document.GetPathName())) {
        dialog.selectFile(ByteText::FromBytes(document.GetPathName()));
    } else {
        const QString title = ByteText::FromBytes(document.GetTitle());
        dialog.selectFile(QFileInfo(title).completeBaseName() + QLatin1String(kExtension));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    Save(document, ByteText::ToBytes(dialog.selectedFiles().constFirst()));
}

bool WorkspaceCommand::Open(LocuscopeDocument& document, const std::string& path,
                            ImportOutcome* outcome) {
    if (outcome != nullptr)
        *outcome = ImportOutcome::kFailed;
    if (document.IsBusy())
        return false;
    Workspace workspace;
    std::string problem;
    if (!ReadWorkspace(path, workspace, problem)) {
        ShowMessageBox("Cannot open the workspace " + path + ": " + problem + ".");
        return false;
    }
    const std::string folder = AbsoluteFolderOf(path);
    ImportOutcome worst = ImportOutcome::kComplete;
    {
        LongOperationGuard operation(document, "Open Workspace", "Total Progress", "Loading File",
                                     FileCount(workspace));
        document.UndoStack().clear();
        document.Genome().Store().SetSortOrder(workspace.sortOrder);
        int done = 0;
        for (const Workspace::Step& step : workspace.steps) {
            if (document.IsCancelRequested(false))
                break;
            if (step.kind == DataRecipe::StepKind::kImport)
                worst = std::max(worst,
                                 ReplayImport(document, step, folder, done, FileCount(workspace)));
            else
                ReplayDeletion(document, step);
        }
        WorkspaceState::Restore(workspace, document);
        if (document.GetErrorFlag())
            document.WaitForClose("Done", 100);
    }
    if (outcome != nullptr)
        *outcome = worst;
    return true;
}
