#pragma once

#include <filesystem>
#include <fstream>
#include <string>

// A file written for one test under the build tree's scratch folder and removed afterwards.
class ScratchFile {
public:
    ScratchFile(const std::string& name, const std::string& contents)
        : path_(std::filesystem::path(LOCUSCOPE_TEST_SCRATCH) / name) {
        std::filesystem::create_directories(path_.parent_path());
        std::ofstream(path_, std::ios::binary) << contents;
    }
    ~ScratchFile() {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    std::string Path() const { return path_.string(); }

private:
    std::filesystem::path path_;
};
