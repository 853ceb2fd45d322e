#pragma once

#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <thread>
#include <vector>

// Writes blocks to an open file on a thread of its own while the caller fills the next block,
// so that putting a large output together and the system's copying of it overlap. For a file
// that will be put on the disk (see OutputFile::Commit), the system is asked to start writing
// each block out at once, which leaves the final wait short. Blocks are written in the order
// they are handed over; after a failed write nothing more is written.
class BackgroundFileWriter {
public:
    // fd stays the caller's and must stay open while blocks are written.
    BackgroundFileWriter(int fd, bool startWriteBack);
    // Waits for the block being written.
    ~BackgroundFileWriter();
    BackgroundFileWriter(const BackgroundFileWriter&) = delete;
    BackgroundFileWriter& operator=(const BackgroundFileWriter&) = delete;

    // Hands over the first size bytes of block to be written and gives back in block a buffer
    // of the same size to fill next. Waits while the previous block is still being written.
    // False once a write has failed.
    bool Write(std::vector<char>& block, size_t size);
    // Waits until every block handed over is written; false once a write has failed.
    bool Finish();
    // The error number of the failed write, 0 while none has failed.
    int Error();

private:
    void Run();
    // Waits, with lock held, until the thread has nothing to write.
    void WaitIdle(std::unique_lock<std::mutex>& lock);

    const int fd_;
    const bool startWriteBack_;
    std::mutex lock_;
    std::condition_variable changed_;
    std::vector<char> pending_;  // the block being written
    size_t pendingSize_ = 0;
    bool busy_ = false;
    bool stopping_ = false;
    int error_ = 0;
    unsigned long long written_ = 0;  // bytes written so far, where the next block starts
    std::thread thread_;
};
