// Files as other systems and tools leave them, read through the command line: old Mac and
// Windows line ends, byte-order marks, compressed data under any name, UTF-16 text, and an
// import that meets the end of the memory it may take.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "support/gzip_text.h"
#include "support/run_locuscope.h"
#include "support/scratch_file.h"

namespace {

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// Lines of one GFF gene each (or BED intervals), ended by lineEnd.
std::string GffLines(int count, const std::string& lineEnd) {
    std::string text;
    for (int i = 1; i <= count; ++i)
        text += "chr1\tsrc\tgene\t" + std::to_string(i) + "\t" + std::to_string(i + 9) +
                "\t1\t+\t.\tID=g" + std::to_string(i) + lineEnd;
    return text;
}
std::string BedLines(int count, const std::string& lineEnd) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += "chr2 " + std::to_string(i) + " " + std::to_string(i + 9) + " b" +
                std::to_string(i) + lineEnd;
    return text;
}

class OddFilesTest : public testing::Test {
protected:
    // Writes the file and runs the program with arguments, then the file's path.
    RunResult Run(QStringList arguments, const std::string& name, const std::string& contents,
                  const std::function<void()>& inChild = {}) {
        files_.push_back(std::make_unique<ScratchFile>(name, contents));
        return RunLocuscope(arguments << QString::fromStdString(files_.back()->Path()), inChild);
    }
    RunResult Report(const std::string& name, const std::string& contents) {
        return Run({"--report"}, name, contents);
    }
    std::string LastPath() const { return files_.back()->Path(); }

    std::vector<std::unique_ptr<ScratchFile>> files_;
};

TEST_F(OddFilesTest, LinesEndAtCarriageReturnsAsAtLineFeeds) {
    // Classic Mac text: a lone carriage return ends each line, and a blank line is skipped.
    for (const auto& [name, text] :
         {std::pair<std::string, std::string>{"mac.gff", GffLines(1000, "\r")},
          {"mac.bed", BedLines(999, "\r") + "\r" + BedLines(1, "\r")},
          {"mac.txt", GffLines(1000, "\r")},
          {"mac.gff.gz", GzipText(GffLines(1000, "\r"), 7)}}) {
        const RunResult run = Report(name, text);
        EXPECT_EQ(run.exitCode, 0) << name << run.err;
        EXPECT_TRUE(Contains(run.out, "features\t1000\nerrors\t0\nresult\tok\n"))
            << name << run.out;
    }
    // Lines are counted alike whatever ends them.
    const RunResult run = Report("bad.bed", "chr1 0 10\rchr1 0 10\n\nchr1 x 10\r\nchr1 0 10\r");
    EXPECT_TRUE(Contains(run.err,
                         "Invalid File, line 4: Exception 'Invalid BED File: "
                         "non-numeric value x found in column 1 at line 4.'"))
        << run.err;
    EXPECT_TRUE(Contains(run.out, "features\t3\n")) << run.out;
}

TEST_F(OddFilesTest, ABlankWindowsLineStillReachesTheReader) {
    // A carriage return before the line feed: one line end, the line between is empty and is
    // refused as such (the line numbers go on counting).
    const RunResult run = Report("windows.gff", GffLines(2, "\r\n") + "\r\n" + GffLines(1, "\r\n"));
    EXPECT_TRUE(Contains(run.err, "Invalid File, line 3: Exception 'Invalid GFF File: 0 columns"))
        << run.err;
    EXPECT_TRUE(Contains(run.out, "features\t3\nerrors\t1\n")) << run.out;
    EXPECT_FALSE(Contains(run.out, "\r")) << run.out;
}

TEST_F(OddFilesTest, AByteOrderMarkIsNotPartOfTheFirstName) {
    const std::string mark = "\xEF\xBB\xBF";
    for (const auto& [name, text] :
         {std::pair<std::string, std::string>{"marked.gff", mark + GffLines(2, "\r\n")},
          {"marked.bed.gz", GzipText(mark + "chr1 0 10\nchr1 5 20\n")}}) {
        const RunResult run = Report(name, text);
        EXPECT_EQ(run.exitCode, 0) << name << run.err;
        EXPECT_TRUE(Contains(run.out, "pane\tchr1\t1\n")) << name << run.out;
        EXPECT_FALSE(Contains(run.out, "\\xEF")) << name << run.out;
        EXPECT_TRUE(Contains(run.out, "features\t2\nerrors\t0\n")) << name << run.out;
    }
    // Only at the start of the text: elsewhere the bytes belong to the line.
    const RunResult run = Report("inner.bed", "chr1 0 10\n" + mark + "chr1 0 10\n");
    EXPECT_TRUE(Contains(run.out, "pane\t" + mark + "chr1\t1\n")) << run.out;
}

TEST_F(OddFilesTest, CompressionIsReadFromTheBytesWhateverTheName) {
    const std::string bed = BedLines(3, "\n");
    // Compressed under a plain name, and plain text kept under a compressed name (as a browser
    // that decompressed a download leaves it).
    for (const auto& [name, text] :
         {std::pair<std::string, std::string>{"packed.bed", GzipText(bed)},
          {"unpacked.bed.gz", bed},
          {"packed.txt", GzipText(bed, 3)}}) {
        const RunResult run = Report(name, text);
        EXPECT_EQ(run.exitCode, 0) << name << run.err;
        EXPECT_TRUE(Contains(run.out, "features\t3\nerrors\t0\nresult\tok\n")) << name << run.out;
    }
}

TEST_F(OddFilesTest, Utf16AndUtf32TextIsRefusedWithWhatToDo) {
    // Every character as two (four) bytes, with a byte-order mark or without one.
    const auto widen = [](const std::string& text, size_t width, bool bigEndian) {
        std::string wide;
        for (const char c : text) {
            std::string unit(width, '\0');
            unit[bigEndian ? width - 1 : 0] = c;
            wide += unit;
        }
        return wide;
    };
    const std::string line = "chr1\t0\t10\n";
    const struct {
        const char* name;
        std::string contents;
        const char* form;
    } files[] = {
        {"notepad.bed", "\xFF\xFE" + widen(line, 2, false), "UTF-16"},
        {"big.gff", "\xFE\xFF" + widen(line, 2, true), "UTF-16"},
        {"unmarked.txt", widen(line, 2, false), "UTF-16"},
        {"wide.bed.gz", GzipText(std::string("\xFF\xFE\0\0", 4) + widen(line, 4, false)), "UTF-32"},
        {"unmarked32.bed", widen(line, 4, true), "UTF-32"},
    };
    for (const auto& file : files) {
        const RunResult run = Report(file.name, file.contents);
        EXPECT_EQ(run.exitCode, 1) << file.name;
        EXPECT_TRUE(Contains(
            run.err, "Bad File: " + LastPath() + " (" + file.form + " text; save it as UTF-8)\n"))
            << file.name << run.err;
        EXPECT_TRUE(Contains(run.out, "features\t0\n")) << run.out;
        EXPECT_TRUE(Contains(run.out, "result\tfailed\n")) << run.out;
    }
}

TEST_F(OddFilesTest, RunningShortOfMemoryStopsTheImportAndKeepsWhatWasRead) {
    // 300 MB of text in a small compressed file: more than the 768 MB of address space the
    // program is given below leaves room for once the 512 MB it must keep free are set aside.
    constexpr int kLines = 3000;
    const std::string note = ";Note=" + std::string(100000, 'a') + "\n";
    std::string text;
    for (int i = 1; i <= kLines; ++i)
        text += "chr1\tsrc\tgene\t" + std::to_string(i) + "\t1000000\t1\t+\t.\tID=g" +
                std::to_string(i) + note;
    const std::string packed = GzipText(text, 1, 1);
    text = {};
    const auto limitAddressSpace = [] {
        const rlimit limit{rlim_t{768} << 20, rlim_t{768} << 20};
        setrlimit(RLIMIT_AS, &limit);
    };

    const RunResult run = Run({"--report"}, "huge.gff.gz", packed, limitAddressSpace);
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_TRUE(Contains(run.err, "\nMemory Error\n")) << run.err;
    EXPECT_TRUE(Contains(run.out, "result\tpartial\n")) << run.out;
    const size_t at = run.out.find("features\t");
    ASSERT_NE(at, std::string::npos) << run.out;
    const int features = std::stoi(run.out.substr(at + 9));
    EXPECT_GT(features, 100) << run.out;
    EXPECT_LT(features, kLines) << run.out;

    // What was read is there to work with: the last item read is found.
    const std::string last = "ID=g" + std::to_string(features) + ";";
    const RunResult search =
        Run({"--search", QString::fromStdString(last)}, "again.gff.gz", packed, limitAddressSpace);
    EXPECT_EQ(search.exitCode, 1) << search.err;
    EXPECT_TRUE(Contains(search.out, "hit\tchr1\tgene\t" + std::to_string(features) + "\t"))
        << search.err;
    EXPECT_TRUE(Contains(search.out, "hits\t1\n")) << search.err;
}

}  // namespace
