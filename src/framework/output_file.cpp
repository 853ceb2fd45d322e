#include "framework/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cctype>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <random>
#include <streambuf>

namespace {

// Exports write millions of short lines: one system call per megabyte, not per line.
constexpr size_t kBufferBytes = 1 << 20;
constexpr int kTemporaryNameAttempts = 100;
// Hidden, and plainly ours should a crash leave one behind.
const char kTemporaryPrefix[] = ".locuscope-";
const char kTemporarySuffix[] = ".tmp";
constexpr mode_t kNewFileMode = 0666;     // less the user's umask, as any new file
constexpr mode_t kPermissionBits = 0777;  // set-id bits are not carried onto new contents
// Links there stand for open files (/dev/stdout, /proc/self/fd/1): replacing the file they
// reach by a rename would cut it off from whoever holds it open.
const char* const kSpecialFolders[] = {"/dev/", "/proc/"};

std::string ReasonFor(int error) {
    switch (error) {
        case ENOENT:
        case ENOTDIR:
            return "no such folder";
        case EACCES:
        case EPERM:
            return "permission denied";
        case ENOSPC:
            return "disk full";
        case EDQUOT:
            return "disk quota exceeded";
        case EFBIG:
            return "file too large";
        case EROFS:
            return "read-only file system";
        case EISDIR:
            return "is a folder";
        default: {
            std::string reason = std::strerror(error);
            if (!reason.empty())
                reason[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(reason[0])));
            return reason;
        }
    }
}

// Writes every byte, going on after short writes; false with error set when the system refuses.
bool WriteAll(int fd, const char* data, size_t size, int& error) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            error = written < 0 ? errno : ENOSPC;
            return false;
        }
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

bool IsLink(const std::string& path) {
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0 && S_ISLNK(status.st_mode);
}

bool IsOpenFileLink(const std::string& path) {
    std::error_code ignored;
    const std::string absolute =
        std::filesystem::absolute(path, ignored).lexically_normal().string();
    for (const char* folder : kSpecialFolders) {
        if (absolute.rfind(folder, 0) == 0)
            return IsLink(path);
    }
    return false;
}

bool IsSameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool IsOneOf(const struct stat& destination, const std::vector<std::string>& inputs) {
    for (const std::string& input : inputs) {
        struct stat status {};
        if (::stat(input.c_str(), &status) == 0 && IsSameFile(status, destination))
            return true;
    }
    return false;
}

// The file a rename must replace: the one a symbolic link names, else path itself.
std::string FileToReplace(const std::string& path) {
    if (!IsLink(path))
        return path;
    std::error_code error;
    const std::filesystem::path resolved = std::filesystem::weakly_canonical(path, error);
    return error ? path : resolved.string();
}

std::string TemporaryName(const std::string& target) {
    static std::mt19937_64 random{std::random_device{}() ^ static_cast<uint64_t>(::getpid())};
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::string name = kTemporaryPrefix;
    for (int i = 0; i < 8; ++i)
        name += kLetters[random() % (sizeof(kLetters) - 1)];
    name += kTemporarySuffix;
    const std::filesystem::path folder = std::filesystem::path(target).parent_path();
    return folder.empty() ? name : (folder / name).string();
}

// The temporary files that exist right now, for a signal handler to remove: fixed slots, since
// a handler may not allocate or lock.
constexpr int kTemporarySlots = 16;
constexpr size_t kTemporaryPathBytes = 4096;
struct TemporarySlot {
    std::atomic<bool> taken{false};
    std::atomic<bool> filled{false};
    char path[kTemporaryPathBytes];
};
TemporarySlot temporarySlots[kTemporarySlots];

int RememberTemporary(const std::string& path) {
    if (path.size() >= kTemporaryPathBytes)
        return -1;
    for (int i = 0; i < kTemporarySlots; ++i) {
        bool free = false;
        if (temporarySlots[i].taken.compare_exchange_strong(free, true)) {
            std::memcpy(temporarySlots[i].path, path.c_str(), path.size() + 1);
            temporarySlots[i].filled = true;
            return i;
        }
    }
    return -1;
}

void ForgetTemporary(int slot) {
    if (slot < 0)
        return;
    temporarySlots[slot].filled = false;
    temporarySlots[slot].taken = false;
}

extern "C" void RemoveTemporariesThenStop(int signal) {
    for (TemporarySlot& slot : temporarySlots) {
        if (slot.filled)
            ::unlink(slot.path);
    }
    struct sigaction standard {};
    standard.sa_handler = SIG_DFL;
    sigemptyset(&standard.sa_mask);
    ::sigaction(signal, &standard, nullptr);
    ::raise(signal);
}

}  // namespace

// A stream buffer over a file descriptor that keeps the reason of the first failed write.
class OutputFile::Buffer : public std::streambuf {
public:
    explicit Buffer(int fd) : fd_(fd), bytes_(kBufferBytes) { Reset(); }
    int Error() const { return error_; }

protected:
    int_type overflow(int_type c) override {
        if (!Drain())
            return traits_type::eof();
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }
    int sync() override { return Drain() ? 0 : -1; }

private:
    void Reset() { setp(bytes_.data(), bytes_.data() + bytes_.size()); }
    bool Drain() {
        const size_t pending = static_cast<size_t>(pptr() - pbase());
        Reset();
        return error_ == 0 && WriteAll(fd_, bytes_.data(), pending, error_);
    }

    int fd_;
    std::vector<char> bytes_;
    int error_ = 0;
};

OutputFile::OutputFile() = default;

OutputFile::~OutputFile() {
    Discard();
}

void OutputFile::RemoveTemporaryFilesOnSignals() {
    struct sigaction action {};
    action.sa_handler = RemoveTemporariesThenStop;
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction previous {};
        // A signal ignored on purpose (nohup) stays ignored.
        if (::sigaction(signal, nullptr, &previous) == 0 && previous.sa_handler != SIG_IGN)
            ::sigaction(signal, &action, nullptr);
    }
    // Beyond a file size limit (ulimit -f) the write fails with EFBIG and is reported, instead
    // of the signal ending the program with the temporary file left behind.
    std::signal(SIGXFSZ, SIG_IGN);
}

bool OutputFile::Open(const std::string& path, const std::vector<std::string>& inputs) {
    Discard();
    failure_.clear();
    path_ = path;
    struct stat destination {};
    const bool exists = ::stat(path.c_str(), &destination) == 0;
    if (exists && IsOneOf(destination, inputs)) {
        failure_ = "Cannot Write to " + path + ": it is one of the imported files.";
        return false;
    }
    if (exists && S_ISDIR(destination.st_mode))
        return Fail(EISDIR);

    inPlace_ = (exists && !S_ISREG(destination.st_mode)) || IsOpenFileLink(path);
    if (inPlace_) {
        target_ = writePath_ = path;
        const int append = exists && S_ISREG(destination.st_mode) ? O_APPEND : 0;
        fd_ = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | append);
        if (fd_ < 0)
            return Fail(errno);
    } else {
        target_ = FileToReplace(path);
        for (int attempt = 0; fd_ < 0 && attempt < kTemporaryNameAttempts; ++attempt) {
            writePath_ = TemporaryName(target_);
            fd_ = ::open(writePath_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kNewFileMode);
            if (fd_ < 0 && errno != EEXIST)
                return Fail(errno);
        }
        if (fd_ < 0)
            return Fail(EEXIST);
        temporarySlot_ = RememberTemporary(writePath_);
        if (exists)
            ::fchmod(fd_, destination.st_mode & kPermissionBits);
    }
    buffer_ = std::make_unique<Buffer>(fd_);
    stream_ = std::make_unique<std::ostream>(buffer_.get());
    return true;
}

std::ostream& OutputFile::Stream() {
    // Not open: a stream that takes nothing, so that writers fail as on a refused write.
    if (!stream_)
        stream_ = std::make_unique<std::ostream>(nullptr);
    return *stream_;
}

bool OutputFile::Commit() {
    if (fd_ < 0)
        return false;
    stream_->flush();
    int error = buffer_->Error();
    if (error == 0 && !stream_->good())
        error = EIO;
    // The data must be on the disk before the rename makes it the destination: a crash
    // in between must not leave an empty file under the old name.
    if (error == 0 && !inPlace_ && ::fsync(fd_) != 0)
        error = errno;
    if (::close(fd_) != 0 && error == 0 && errno != EINTR)
        error = errno;
    fd_ = -1;
    if (error == 0 && !inPlace_ && ::rename(writePath_.c_str(), target_.c_str()) != 0)
        error = errno;
    if (error != 0 && !inPlace_)
        ::unlink(writePath_.c_str());
    ForgetTemporary(temporarySlot_);
    temporarySlot_ = -1;
    Close();
    return error == 0 || Fail(error);
}

void OutputFile::Discard() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
        if (!inPlace_)
            ::unlink(writePath_.c_str());
    }
    ForgetTemporary(temporarySlot_);
    temporarySlot_ = -1;
    Close();
}

bool OutputFile::Fail(int error) {
    failure_ = "Cannot Write to " + path_ + " (" + ReasonFor(error) + ")";
    return false;
}

void OutputFile::Close() {
    stream_.reset();
    buffer_.reset();
}
