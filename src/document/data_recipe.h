#pragma once

#include <cstdint>
#include <string>
#include <vector>

// How a document's data came about: its imports and deletions, in order, so that a workspace
// can make the same data again from the files (a track deleted and then brought back by a later
// import comes back only where that import brought it). An undone deletion leaves the recipe
// as it was before it.
class DataRecipe {
public:
    // A file as it was when it was imported.
    struct File {
        std::string path;      // absolute, bytes as given
        uint64_t size = 0;     // bytes
        int64_t modified = 0;  // nanoseconds since 1970; 0 when unknown
    };
    enum class StepKind { kImport, kDeleteTracks, kDeletePane };
    struct Step {
        StepKind kind = StepKind::kImport;
        std::vector<File> files;         // kImport: in the order imported
        std::vector<std::string> names;  // kDeleteTracks: the track names; kDeletePane: the pane
    };

    // The file at path as it is now, with path made absolute (from the working folder).
    static File Describe(const std::string& path);
    // True when the file at path now has another size or modification time than file had.
    static bool HasChanged(const File& file, const std::string& path);

    void AddImport(std::vector<File> files);
    void AddDeletion(StepKind kind, std::vector<std::string> names);
    // Forgets the last step (an undone deletion).
    void RemoveLast();
    void Clear() { steps_.clear(); }
    void Swap(DataRecipe& other) { steps_.swap(other.steps_); }

    const std::vector<Step>& Steps() const { return steps_; }

private:
    std::vector<Step> steps_;
};
