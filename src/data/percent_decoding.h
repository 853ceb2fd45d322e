#pragma once

#include <string>
#include <string_view>

// GFF3 and web links escape reserved characters as %XX (two hexadecimal digits, either case).
// These functions undo that for what the user reads; the stored text, the search and the
// export keep the escapes as written.

// Every %XX escape decoded, except %00, which is kept as written. A '%' not followed by two
// hexadecimal digits is copied as it is. Used for web links.
std::string PercentDecoded(std::string_view text);

// As PercentDecoded, but an escape that stands for a control character (below 0x20, or 0x7F)
// is kept as written, so that a decoded name or attribute never breaks a line of text.
std::string PercentDecodedForDisplay(std::string_view text);
