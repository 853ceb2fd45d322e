#include "document/imported_files.h"

#include <filesystem>

bool ImportedFiles::Contains(const std::string& path) const {
    return paths_.count(Canonical(path)) != 0;
}

void ImportedFiles::Add(const std::string& path) {
    paths_.insert(Canonical(path));
}

std::string ImportedFiles::Canonical(const std::string& path) {
    std::error_code error;
    const std::filesystem::path canonical = std::filesystem::weakly_canonical(path, error);
    return error ? path : canonical.string();
}
