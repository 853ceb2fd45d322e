#pragma once

#include <string>

// The order of the sorted pane list: numbered chromosomes by number (chr2 before chr10, chr1
// before chr1_random), everything else by case-free byte order (so chrX, chrY and scaffolds
// follow the numbered chromosomes).
bool ChromosomeNameLess(const std::string& a, const std::string& b);
