#pragma once

#include <string>

// Where the document keeps what it remembers between runs (section and keys of the settings).
namespace DocumentSettings {

inline const std::string kSection = "Document";
inline const std::string kDefaultTrackStyleKey = "DefaultTrackStyle";
inline const std::string kHeaderVisibleKey = "IsHeaderVisible";
inline const std::string kSortOrderKey = "ChromosomeNameSortOrder";

}  // namespace DocumentSettings
