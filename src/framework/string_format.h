#pragma once

#include <string>

// printf-style formatting into a std::string, for the fixed message and number formats the
// program shows. Arguments follow the C rules: a %s argument ends at its first zero byte.
std::string FormatString(const char* format, ...) __attribute__((format(printf, 1, 2)));
