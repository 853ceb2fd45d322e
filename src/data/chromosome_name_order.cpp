#include "data/chromosome_name_order.h"

#include <algorithm>
#include <cstring>

#include "data/number_scan.h"

namespace {

constexpr size_t kPrefixLength = 3;  // "chr"

bool IsNumberedChromosome(const std::string& name) {
    return name.size() > kPrefixLength && name.compare(0, kPrefixLength, "chr") == 0 &&
           name[kPrefixLength] >= '0' && name[kPrefixLength] <= '9';
}

unsigned char LowerByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (byte >= 'A' && byte <= 'Z') ? static_cast<unsigned char>(byte + ('a' - 'A')) : byte;
}

bool CaseFreeLess(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return LowerByte(x) < LowerByte(y); });
}

bool ByteLess(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    });
}

}  // namespace

bool ChromosomeNameLess(const std::string& a, const std::string& b) {
    if (!IsNumberedChromosome(a) || !IsNumberedChromosome(b))
        return CaseFreeLess(a, b);
    const std::string restA = a.substr(kPrefixLength);
    const std::string restB = b.substr(kPrefixLength);
    const int32_t numberA = ScanInt32(restA);
    const int32_t numberB = ScanInt32(restB);
    if (numberA != numberB)
        return numberA < numberB;
    // Drop the number's digits (one for 0-9, two otherwise) and compare what follows.
    const size_t skip = numberA <= 9 ? 1 : 2;
    return ByteLess(restA.substr(std::min(skip, restA.size())),
                    restB.substr(std::min(skip, restB.size())));
}
