#include "document/data_recipe.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <limits>

DataRecipe::File DataRecipe::Describe(const std::string& path) {
    File file;
    std::error_code ignored;
    file.path = std::filesystem::absolute(path, ignored).lexically_normal().string();
    if (file.path.empty())
        file.path = path;
    struct stat status {};
    if (::stat(path.c_str(), &status) == 0) {
        file.size = static_cast<uint64_t>(status.st_size);
        constexpr int64_t kNanoseconds = 1000000000;
        const int64_t seconds = std::clamp<int64_t>(
            status.st_mtim.tv_sec, 0, std::numeric_limits<int64_t>::max() / kNanoseconds - 1);
        file.modified = seconds * kNanoseconds + status.st_mtim.tv_nsec;
    }
    return file;
}

bool DataRecipe::HasChanged(const File& file, const std::string& path) {
    const File now = Describe(path);
    return now.size != file.size || now.modified != file.modified;
}

void DataRecipe::AddImport(std::vector<File> files) {
    if (!files.empty())
        steps_.push_back({StepKind::kImport, std::move(files), {}});
}

void DataRecipe::AddDeletion(StepKind kind, std::vector<std::string> names) {
    steps_.push_back({kind, {}, std::move(names)});
}

void DataRecipe::RemoveLast() {
    if (!steps_.empty())
        steps_.pop_back();
}
