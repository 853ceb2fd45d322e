#pragma once

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "import/chunk_parser.h"
#include "import/chunk_reader.h"
#include "import/parsed_chunk.h"

// Cuts a file's text into chunks and parses them, handing the parsed chunks out in file
// order. With one thread everything happens in Next, on the caller's thread; with more, that
// many worker threads read the chunks in turn (reading is the one step taken in file order)
// and parse them side by side, while the caller takes the chunks in order. Either way a chunk
// is read and parsed by the same steps, so what the caller gets does not depend on the
// number of threads. Workers never report anything: what the chunks hold is for the caller.
class ImportPipeline {
public:
    enum class Status {
        kChunk,  // chunk is the next chunk of the text
        kEnd,    // every chunk has been handed out
        kError,  // the source failed after the chunks handed out
    };

    // Reads from reader (which must outlive the pipeline) text of the given syntax; threads
    // below 2 mean none of the pipeline's own. Throws std::bad_alloc when there is no memory.
    ImportPipeline(ChunkReader& reader, LineSyntax syntax, const ChunkParser::Settings& parsing,
                   unsigned threads);
    // Stops the workers and waits for them.
    ~ImportPipeline();
    ImportPipeline(const ImportPipeline&) = delete;
    ImportPipeline& operator=(const ImportPipeline&) = delete;

    // The next chunk in file order, parsed. It stays the caller's until handed back with
    // Recycle, which must come before the next call.
    Status Next(ParsedChunk*& chunk);
    void Recycle(ParsedChunk* chunk);

private:
    // Reads the next chunk into slot, numbering it; false (with the reason in status) when
    // the text has ended. Never throws: running out of memory marks the slot.
    bool Read(ParsedChunk& slot, ChunkReader::Status& status);
    void Work();
    bool Threaded() const { return !workers_.empty(); }

    ChunkReader& reader_;
    const ChunkParser parser_;
    std::vector<std::unique_ptr<ParsedChunk>> slots_;
    TextBlockWriter texts_;  // for chunks parsed on the caller's thread

    // The reading side, taken in turn under readLock_.
    std::mutex readLock_;
    LineSyntax syntax_;
    uint64_t nextSequence_ = 0;
    bool readerFinished_ = false;
    ChunkReader::Status finishedStatus_ = ChunkReader::Status::kEnd;  // once finished

    // What the threads share, under lock_.
    std::mutex lock_;
    std::condition_variable changed_;
    std::vector<ParsedChunk*> free_;
    std::vector<ParsedChunk*> ready_;  // parsed chunks by sequence modulo the slot count
    uint64_t nextHanded_ = 0;
    bool readingDone_ = false;
    uint64_t endSequence_ = 0;  // once reading is done: the sequence the text ended at
    ChunkReader::Status endStatus_ = ChunkReader::Status::kEnd;
    bool stopping_ = false;

    std::vector<std::thread> workers_;
};
