#include "framework/background_file_writer.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace {

// Writes every byte, going on after short writes; the error number, or 0.
int WriteAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return written < 0 ? errno : ENOSPC;
        data += written;
        size -= static_cast<size_t>(written);
    }
    return 0;
}

}  // namespace

BackgroundFileWriter::BackgroundFileWriter(int fd, bool startWriteBack)
    : fd_(fd), startWriteBack_(startWriteBack) {}

BackgroundFileWriter::~BackgroundFileWriter() {
    {
        std::unique_lock<std::mutex> guard(lock_);
        WaitIdle(guard);
        stopping_ = true;
    }
    changed_.notify_all();
    if (thread_.joinable())
        thread_.join();
}

void BackgroundFileWriter::WaitIdle(std::unique_lock<std::mutex>& lock) {
    changed_.wait(lock, [this] { return !busy_; });
}

bool BackgroundFileWriter::Write(std::vector<char>& block, size_t size) {
    std::unique_lock<std::mutex> guard(lock_);
    WaitIdle(guard);
    if (error_ != 0)
        return false;
    if (size == 0)
        return true;
    if (!thread_.joinable()) {
        try {
            thread_ = std::thread(&BackgroundFileWriter::Run, this);
        } catch (const std::system_error&) {
            // No thread to be had: the block is written here and now.
            error_ = WriteAll(fd_, block.data(), size);
            return error_ == 0;
        }
    }
    pending_.swap(block);
    block.resize(pending_.size());
    pendingSize_ = size;
    busy_ = true;
    guard.unlock();
    changed_.notify_all();
    return true;
}

bool BackgroundFileWriter::Finish() {
    std::unique_lock<std::mutex> guard(lock_);
    WaitIdle(guard);
    return error_ == 0;
}

int BackgroundFileWriter::Error() {
    std::lock_guard<std::mutex> guard(lock_);
    return error_;
}

void BackgroundFileWriter::Run() {
    std::unique_lock<std::mutex> guard(lock_);
    for (;;) {
        changed_.wait(guard, [this] { return busy_ || stopping_; });
        if (!busy_)
            return;
        const char* const data = pending_.data();
        const size_t size = pendingSize_;
        const unsigned long long offset = written_;
        guard.unlock();
        const int error = WriteAll(fd_, data, size);
#if defined(__linux__)
        // Starts the disk writes now; the final fsync waits for them.
        if (error == 0 && startWriteBack_)
            ::sync_file_range(fd_, static_cast<off_t>(offset), static_cast<off_t>(size),
                              SYNC_FILE_RANGE_WRITE);
#else
        (void)offset;
#endif
        guard.lock();
        error_ = error;
        written_ += size;
        busy_ = false;
        changed_.notify_all();
    }
}
