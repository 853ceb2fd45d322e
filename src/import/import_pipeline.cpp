#include "import/import_pipeline.h"

#include <new>
#include <system_error>

#include "data/large_block.h"

namespace {

// Huge-page blocks kept ready for the caller's thread: more than the items of a chunk take.
constexpr size_t kPreparedBlocks = 2;

// Enough chunks in flight to keep every worker busy while the caller takes them in order.
size_t SlotsFor(unsigned threads) {
    return threads < 2 ? 1 : 2 * size_t{threads} + 1;
}

}  // namespace

ImportPipeline::ImportPipeline(ChunkReader& reader, LineSyntax syntax,
                               const ChunkParser::Settings& parsing, unsigned threads)
    : reader_(reader), parser_(parsing), syntax_(syntax) {
    const size_t slots = SlotsFor(threads);
    for (size_t i = 0; i < slots; ++i) {
        slots_.push_back(std::make_unique<ParsedChunk>());
        free_.push_back(slots_.back().get());
    }
    ready_.assign(slots, nullptr);
    if (threads < 2)
        return;
    for (unsigned i = 0; i < threads; ++i) {
        try {
            workers_.emplace_back(&ImportPipeline::Work, this);
        } catch (const std::system_error&) {
            break;  // as many as the system gives; none means the caller's thread alone
        }
    }
}

ImportPipeline::~ImportPipeline() {
    {
        std::lock_guard<std::mutex> guard(lock_);
        stopping_ = true;
    }
    changed_.notify_all();
    for (std::thread& worker : workers_)
        worker.join();
}

bool ImportPipeline::Read(ParsedChunk& slot, ChunkReader::Status& status) {
    if (readerFinished_) {  // every thread that comes later learns how the text ended
        status = finishedStatus_;
        return false;
    }
    slot.memoryError = false;
    try {
        status = reader_.Next(slot.text);
    } catch (const std::bad_alloc&) {
        // The chunk stands for the failure; nothing is read after it.
        slot.memoryError = true;
        status = ChunkReader::Status::kChunk;
    }
    if (status != ChunkReader::Status::kChunk) {
        readerFinished_ = true;
        finishedStatus_ = status;
        return false;
    }
    readerFinished_ = slot.memoryError;  // then the chunk's memory error is the end
    slot.sequence = nextSequence_++;
    slot.syntax = syntax_;
    slot.decidingLine = ParsedChunk::kNoLine;
    if (syntax_ == LineSyntax::kUndecided && !slot.memoryError)
        syntax_ = parser_.Decide(slot);
    return true;
}

void ImportPipeline::Work() {
    TextBlockWriter texts;  // each thread writes texts to blocks of its own
    for (;;) {
        ParsedChunk* slot = nullptr;
        {
            std::unique_lock<std::mutex> guard(lock_);
            changed_.wait(guard, [this] { return stopping_ || readingDone_ || !free_.empty(); });
            if (stopping_ || readingDone_)
                return;
            slot = free_.back();
            free_.pop_back();
        }
        bool read = false;
        ChunkReader::Status status = ChunkReader::Status::kEnd;
        uint64_t endSequence = 0;
        {
            std::lock_guard<std::mutex> reading(readLock_);
            read = Read(*slot, status);
            endSequence = nextSequence_;
        }
        if (!read) {
            std::lock_guard<std::mutex> guard(lock_);
            free_.push_back(slot);
            if (!readingDone_) {
                readingDone_ = true;
                endSequence_ = endSequence;
                endStatus_ = status;
            }
            changed_.notify_all();
            return;
        }
        parser_.Parse(*slot, texts);
        {
            std::lock_guard<std::mutex> guard(lock_);
            ready_[slot->sequence % ready_.size()] = slot;
        }
        changed_.notify_all();
        // The caller's thread files the items; the system's clearing of the fresh memory it
        // files them in is best done here, while it is busy.
        try {
            LargeBlock::Prepare(kPreparedBlocks);
        } catch (const std::bad_alloc&) {
            // The caller will find out for itself.
        }
    }
}

ImportPipeline::Status ImportPipeline::Next(ParsedChunk*& chunk) {
    chunk = nullptr;
    if (!Threaded()) {
        ParsedChunk& slot = *slots_.front();
        ChunkReader::Status status = ChunkReader::Status::kEnd;
        if (!Read(slot, status))
            return status == ChunkReader::Status::kError ? Status::kError : Status::kEnd;
        parser_.Parse(slot, texts_);
        chunk = &slot;
        return Status::kChunk;
    }
    std::unique_lock<std::mutex> guard(lock_);
    ParsedChunk*& next = ready_[nextHanded_ % ready_.size()];
    changed_.wait(guard,
                  [&] { return next != nullptr || (readingDone_ && nextHanded_ == endSequence_); });
    if (next == nullptr)
        return endStatus_ == ChunkReader::Status::kError ? Status::kError : Status::kEnd;
    chunk = next;
    next = nullptr;
    ++nextHanded_;
    return Status::kChunk;
}

void ImportPipeline::Recycle(ParsedChunk* chunk) {
    // The tracks that took texts from the chunk hold their own shares of its blocks.
    chunk->blocks.clear();
    if (!Threaded())
        return;
    {
        std::lock_guard<std::mutex> guard(lock_);
        free_.push_back(chunk);
    }
    changed_.notify_all();
}
