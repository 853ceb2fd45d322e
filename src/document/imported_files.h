#pragma once

#include <string>
#include <unordered_set>

// The files a document has read, so that importing one again can be questioned: the same file
// imported twice holds every item twice. Files are known by their canonical path, so a
// relative name, a "./" or a link to an imported file is recognised as it.
class ImportedFiles {
public:
    bool Contains(const std::string& path) const;
    void Add(const std::string& path);
    void Clear() { paths_.clear(); }

private:
    static std::string Canonical(const std::string& path);

    std::unordered_set<std::string> paths_;
};
