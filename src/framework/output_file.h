#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <vector>

// One output file that is written whole or leaves its destination as it was.
//
// A regular destination, or one that does not exist yet, is written to a new temporary file in
// the destination's folder, which Commit renames over the destination once every byte is written
// and on the disk; Discard, or destruction without Commit, removes the temporary file. The
// replaced file's permissions carry over. A symbolic link is followed: the file it names is
// replaced and the link stays. A device, FIFO or other special destination (/dev/null,
// /dev/full, a pipe) cannot be replaced and is written in place, and so is anything reached
// through a link in /dev or /proc (/dev/stdout redirected to a file is appended to, never
// truncated).
//
// A destination that is the same file as one of the inputs (same device and inode, so hard and
// symbolic links are seen through) is refused before anything is written.
//
// Every failure leaves a message for the user in Failure(): "Cannot Write to PATH (REASON)",
// REASON telling a missing folder ("no such folder") from a full disk ("disk full"), a size
// limit ("file too large") and the rest, or "Cannot Write to PATH: it is one of the imported
// files." PATH is the destination as given.
class OutputFile {
public:
    OutputFile();
    // Discards an output that was opened and not committed.
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Prepares path for writing. False, with Failure() set and nothing created, when path is
    // one of inputs, is a folder, or its temporary file cannot be created.
    bool Open(const std::string& path, const std::vector<std::string>& inputs);
    // Where the output goes until Commit: through a 1 MB buffer to WritePath(). The stream
    // fails at the first write the system refuses.
    std::ostream& Stream();
    // The file written until Commit (the temporary file, or the destination when written in
    // place), for writers that open files by name; they must have closed it before Commit.
    const std::string& WritePath() const { return writePath_; }
    bool IsInPlace() const { return inPlace_; }
    // Flushes the stream, puts the file on the disk and renames it over the destination. False,
    // with Failure() set, the temporary file removed and the destination untouched, when a
    // write failed before or now.
    bool Commit();
    // Abandons the output: the temporary file is removed (a special destination keeps what
    // already reached it).
    void Discard();

    // The message for the failure that ended the output; empty while there was none.
    const std::string& Failure() const { return failure_; }

    // Once at start-up: an interrupt, hang-up or termination removes the temporary files of
    // the outputs being written before the program stops as it would have, and a write beyond
    // the file size limit fails (and is reported) instead of ending the program.
    static void RemoveTemporaryFilesOnSignals();

private:
    class Buffer;

    bool Fail(int error);
    void Close();

    std::string path_;       // the destination as given
    std::string target_;     // the file that is replaced: path_ with its links followed
    std::string writePath_;  // the temporary file, or target_ when written in place
    int fd_ = -1;
    int temporarySlot_ = -1;  // where a signal handler finds the temporary file
    bool inPlace_ = false;
    std::unique_ptr<Buffer> buffer_;
    std::unique_ptr<std::ostream> stream_;
    std::string failure_;
};
