#pragma once

#include <cstddef>
#include <string_view>

// How a file's text is written, as its first bytes tell: UTF-8 (or ASCII) as the readers take
// it, UTF-8 behind a byte-order mark that is to be skipped, or UTF-16 or UTF-32 (from a
// byte-order mark, or from the zero bytes of ASCII characters written in 2 or 4 bytes each),
// which the readers cannot take.
enum class TextForm { kPlain, kUtf8WithMark, kUtf16, kUtf32 };

namespace TextForms {

// The first bytes of the text that RecogniseTextForm looks at.
constexpr size_t kProbeBytes = 4;
// The bytes of a UTF-8 byte-order mark.
constexpr size_t kUtf8MarkLength = 3;

// firstBytes: the text's first kProbeBytes bytes (fewer when it is shorter).
TextForm Recognise(std::string_view firstBytes);

}  // namespace TextForms
