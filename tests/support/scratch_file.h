#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

// A file written for one test and removed afterwards, in a scratch folder of the build tree
// that belongs to this test process (tests run in parallel).
class ScratchFile {
public:
    static std::string Folder() {
        return std::string(LOCUSCOPE_TEST_SCRATCH) + "/" + std::to_string(getpid());
    }

    ScratchFile(const std::string& name, const std::string& contents)
        : path_(std::filesystem::path(Folder()) / name) {
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
