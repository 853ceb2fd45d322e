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

// 1000 GFF genes on chr1, each line ended by lineEnd.
std::string Genes(const std::string& lineEnd) {
    std::string text;
    for (int i = 1; i <= 1000; ++i)
        text += "chr1\tsrc\tgene\t" + std::to_string(i) + "\t" + std::to_string(i + 9) +
                "\t1\t+\t.\tID=g" + std::to_string(i) + lineEnd;
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

    std::vector<std::unique_ptr<ScratchFile>> files_;
};

TEST_F(OddFilesTest, EveryLineEndByteOrderMarkAndCompressionReadsTheWholeFile) {
    const std::string mark = "\xEF\xBB\xBF";
    const std::pair<std::string, std::string> files[] = {
        {"mac.gff", Genes("\r")},                                  // classic Mac OS
        {"mac.txt", "\r\r" + Genes("\r")},                         // blank lines are skipped
        {"mixed.gff.gz", GzipText(Genes("\r") + Genes("\n"), 7)},  // CRs at member edges
        {"marked.gff", mark + Genes("\r\n")},                      // Windows, byte-order mark
        {"marked.gff.gz", GzipText(mark + Genes("\n"))},
        {"packed.gff", GzipText(Genes("\n"))},  // compressed under a plain name
        {"unpacked.gff.gz", Genes("\n")},       // decompressed on download
    };
    for (const auto& [name, text] : files) {
        const RunResult run = Report(name, text);
        const size_t features = name == "mixed.gff.gz" ? 2000 : 1000;
        EXPECT_EQ(run.exitCode, 0) << name << run.err;
        EXPECT_TRUE(Contains(run.out, "pane\tchr1\t1\n")) << name << run.out;
        EXPECT_TRUE(Contains(run.out,
                             "features\t" + std::to_string(features) + "\nerrors\t0\nresult\tok\n"))
            << name << run.out;
    }
}

TEST_F(OddFilesTest, LinesAreCountedAlikeWhateverEndsThem) {
    RunResult run = Report("bad.bed", "chr1 0 10\rchr1 0 10\n\nchr1 x 10\r\nchr1 0 10\r");
    EXPECT_TRUE(Contains(run.err,
                         "Invalid File, line 4: Exception 'Invalid BED File: "
                         "non-numeric value x found in column 1 at line 4.'"))
        << run.err;
    EXPECT_TRUE(Contains(run.out, "features\t3\n")) << run.out;
    // A blank line of Windows text is a line without columns, which the reader refuses.
    run = Report("windows.gff",
                 "chr1\ts\tgene\t1\t9\t.\t+\t.\r\n\r\nchr1\ts\tgene\t5\t9\t.\t+\t.\r\n");
    EXPECT_TRUE(Contains(run.err, "Invalid File, line 2: Exception 'Invalid GFF File: 0 columns"))
        << run.err;
    EXPECT_TRUE(Contains(run.out, "features\t2\nerrors\t1\n")) << run.out;
}

TEST_F(OddFilesTest, Utf16AndUtf32TextIsRefusedWithWhatToDo) {
    // "chr1 0 10" with every character as width bytes, its code in the first or the last.
    const auto widen = [](size_t width, bool bigEndian) {
        std::string wide;
        for (const char c : std::string("chr1 0 10\n")) {
            std::string unit(width, '\0');
            unit[bigEndian ? width - 1 : 0] = c;
            wide += unit;
        }
        return wide;
    };
    const struct {
        const char* name;
        std::string contents;
        const char* form;
    } files[] = {
        {"notepad.bed", "\xFF\xFE" + widen(2, false), "UTF-16"},
        {"unmarked.txt", widen(2, true), "UTF-16"},
        {"wide.bed.gz", GzipText(std::string("\xFF\xFE\0\0", 4) + widen(4, false)), "UTF-32"},
    };
    for (const auto& file : files) {
        const RunResult run = Report(file.name, file.contents);
        EXPECT_EQ(run.exitCode, 1) << file.name;
        EXPECT_TRUE(Contains(run.err, "Bad File: " + files_.back()->Path() + " (" + file.form +
                                          " text; save it as UTF-8)\n"))
            << file.name << run.err;
        EXPECT_TRUE(Contains(run.out, "features\t0\nerrors\t0\nresult\tfailed\n")) << run.out;
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
