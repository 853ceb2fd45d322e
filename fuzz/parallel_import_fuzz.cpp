// Imports a file made from the input read whole on one thread, in small chunks on one thread
// and in the same chunks on three, and traps when any of them loads or reports anything else
// (see tests/support/import_snapshot.h). The import's limits are shrunk as in import_file_fuzz
// so that short inputs reach them; the chunks are a few bytes long, so that their boundaries
// fall everywhere: inside lines, between CR and LF, inside a line too long to keep.
//
// The first byte chooses the file and its reading:
//   bits 0-2  the name: .gff, .bed, .txt, .bedGraph, .narrowPeak, .broadPeak, .bed12, .gtf;
//   bit 3     ".gz" added to the name (the bytes, not the name, say whether it is compressed);
//   bits 4-6  the chunk size, 1 + 5 * value bytes;
//   bit 7     a memory budget of a few kilobytes, so that the import stops part way: then only
//             readings in chunks of the same size are compared.
// The second byte, modulo 4, how the rest is stored: 0 and 3 as it is; 1 gzip-compressed in 1
// to 3 members; 2 behind the two bytes that start gzip data, so that the decompression meets
// damaged and hostile streams and the text ends in an error.
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <new>
#include <string>
#include <string_view>

#include "data/memory_budget.h"
#include "import/import_limits.h"
#include "fuzzed_storage.h"
#include "support/import_snapshot.h"
#include "support/tight_budget.h"

namespace {

const char* const kExtensions[] = {".gff",        ".bed",       ".txt",   ".bedGraph",
                                   ".narrowPeak", ".broadPeak", ".bed12", ".gtf"};
constexpr uint8_t kExtensionMask = 7;
constexpr uint8_t kCompressedNameBit = 1 << 3;
constexpr int kChunkShift = 4;
constexpr uint8_t kChunkMask = 7;
constexpr size_t kChunkStep = 5;
constexpr uint8_t kTightMemoryBit = 1 << 7;
constexpr size_t kTightMemoryBytes = 8192;

std::string Read(const std::string& path, size_t chunkBytes, unsigned threads, bool tight) {
    ImportLimits limits;
    limits.maxLineLength = 256;
    limits.maxChromosomeNames = 16;
    limits.progressInterval = std::chrono::milliseconds(0);
    limits.chunkBytes = chunkBytes;
    limits.threads = threads;
    TightBudget budget(kTightMemoryBytes);
    return ImportSnapshot(path, limits, tight ? &budget : &MemoryBudget::Unlimited());
}

void ExpectSame(const std::string& expected, const std::string& found, const char* what) {
    if (expected == found)
        return;
    std::fprintf(stderr, "%s differs:\n--- expected\n%s\n--- found\n%s\n", what, expected.c_str(),
                 found.c_str());
    __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    const uint8_t selector = data[0];
    const std::string_view body(reinterpret_cast<const char*>(data + 2), size - 2);
    const std::string path = "/tmp/locuscope-parallel-fuzz-" + std::to_string(getpid()) +
                             kExtensions[selector & kExtensionMask] +
                             ((selector & kCompressedNameBit) != 0 ? ".gz" : "");
    WriteFuzzedFile(path, body, data[1]);
    const size_t chunkBytes = 1 + kChunkStep * ((selector >> kChunkShift) & kChunkMask);
    const bool tight = (selector & kTightMemoryBit) != 0;
    const std::string chunked = Read(path, chunkBytes, 1, tight);
    ExpectSame(chunked, Read(path, chunkBytes, 3, tight), "three threads");
    if (!tight)
        ExpectSame(Read(path, ChunkReader::kChunkBytes, 1, false), chunked, "small chunks");
    std::remove(path.c_str());
    return 0;
}
