// What the headless outputs do to the files around them: an input is never overwritten, a
// failed import writes nothing, a failed write leaves the destination as it was and says why,
// and text from the files reaches the terminal without its control bytes.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <algorithm>
#include <filesystem>

#include "support/run_locuscope.h"
#include "support/scratch_folder.h"

namespace {

namespace fs = std::filesystem;

const char kPrecious[] = "precious\n";

// Two panes of 200 genes each: every output of them is a few kilobytes at least.
std::string Genes() {
    std::string gff;
    for (int i = 0; i < 400; ++i) {
        const int start = 100 + 50 * (i / 2);
        gff += std::string(i % 2 == 0 ? "chr1" : "chr2") + "\tsrc\tgene\t" + std::to_string(start) +
               "\t" + std::to_string(start + 40) + "\t" + std::to_string(i % 7) + "\t+\t.\tID=g" +
               std::to_string(i) + "\n";
    }
    return gff;
}

class OutputSafetyTest : public testing::Test {
protected:
    OutputSafetyTest() : input_(folder_.Write("genes.gff", Genes())) {}

    static QString Q(const std::string& text) { return QString::fromStdString(text); }
    static bool Contains(const std::string& text, const std::string& part) {
        return text.find(part) != std::string::npos;
    }

    ScratchFolder folder_{"outputs"};
    std::string input_;
};

TEST_F(OutputSafetyTest, AnOutputNeverOverwritesAnInputWhateverItsName) {
    fs::create_symlink("genes.gff", folder_.PathOf("link.png"));
    fs::create_symlink("genes.gff", folder_.PathOf("link.pdf"));
    fs::create_hard_link(input_, folder_.PathOf("hard.svg"));
    const std::string original = ScratchFolder::Read(input_);
    for (const QStringList& arguments :
         {QStringList{"--export", Q(input_), "--select", "chr1:1-1000"},
          QStringList{"--export", Q(folder_.PathOf("link.png")), "--select-all"},
          QStringList{"--render", Q(folder_.PathOf("link.png"))},
          QStringList{"--render", Q(folder_.PathOf("link.pdf"))},
          QStringList{"--render", Q(folder_.PathOf("hard.svg"))}}) {
        const RunResult run = RunLocuscope(QStringList(arguments) << Q(input_));
        const std::string output = arguments[1].toStdString();
        EXPECT_EQ(run.exitCode, 1) << output;
        EXPECT_TRUE(
            Contains(run.err, "Cannot Write to " + output + ": it is one of the imported files."))
            << run.err;
        EXPECT_EQ(ScratchFolder::Read(input_), original) << output;
    }
    EXPECT_TRUE(fs::is_symlink(folder_.PathOf("link.png")));
}

TEST_F(OutputSafetyTest, AFailedImportCreatesNoOutputAndChangesNone) {
    const std::string exported = folder_.Write("out.gff", kPrecious);
    RunResult run =
        RunLocuscope({"--export", Q(exported), "--select-all", Q(folder_.PathOf("missing.gff"))});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(ScratchFolder::Read(exported), kPrecious);
    EXPECT_TRUE(Contains(run.err, "Nothing written to " + exported + ": a file failed to import."))
        << run.err;
    // The files before the failed one imported; the picture is still not made.
    run = RunLocuscope(
        {"--render", Q(folder_.PathOf("new.png")), Q(input_), Q(folder_.PathOf("missing.bed"))});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_FALSE(fs::exists(folder_.PathOf("new.png")));
}

TEST_F(OutputSafetyTest, AFileCutShortWritesNoOutputEither) {
    // More than 32 lines with the end before the start stop the file at the next good line.
    std::string cut;
    for (int i = 0; i < 33; ++i)
        cut += "chr1 20 10\n";
    const std::string input = folder_.Write("cut.bed", cut + "chr1 0 10 never\n");
    const std::string exported = folder_.Write("out.gff", kPrecious);
    for (const QStringList& arguments : {QStringList{"--export", Q(exported), "--select-all"},
                                         QStringList{"--render", Q(folder_.PathOf("cut.png"))},
                                         QStringList{"--render", Q(folder_.PathOf("cut.pdf"))}}) {
        const RunResult run = RunLocuscope(QStringList(arguments) << Q(input_) << Q(input));
        const std::string output = arguments[1].toStdString();
        EXPECT_EQ(run.exitCode, 1) << output;
        EXPECT_TRUE(Contains(run.err,
                             "The rest of the file will not be loaded.\nNothing "
                             "written to " +
                                 output + ": a file was cut short.\n"))
            << run.err;
    }
    EXPECT_EQ(ScratchFolder::Read(exported), kPrecious);
    EXPECT_EQ(folder_.Entries(), (std::vector<std::string>{"cut.bed", "genes.gff", "out.gff"}));
}

TEST_F(OutputSafetyTest, AFailedWriteLeavesTheDestinationAsItWasAndSaysWhy) {
    // A small file size limit fails the writes as a full disk would, with its own reason.
    const auto limitFileSize = [] {
        const rlimit limit{2048, 2048};
        setrlimit(RLIMIT_FSIZE, &limit);
    };
    for (const char* name : {"out.gff", "out.png", "out.gif", "out.svg", "out.pdf"}) {
        const std::string output = folder_.Write(name, kPrecious);
        QStringList arguments = fs::path(name).extension() == ".gff"
                                    ? QStringList{"--export", Q(output), "--select-all"}
                                    : QStringList{"--render", Q(output)};
        const RunResult run = RunLocuscope(arguments << Q(input_), limitFileSize);
        EXPECT_EQ(run.exitCode, 1) << name << run.err;
        EXPECT_TRUE(Contains(run.err, "Cannot Write to " + output + " (file too large)"))
            << run.err;
        EXPECT_EQ(ScratchFolder::Read(output), kPrecious) << name;
    }
    EXPECT_EQ(folder_.Entries(), (std::vector<std::string>{"genes.gff", "out.gff", "out.gif",
                                                           "out.pdf", "out.png", "out.svg"}));

    // A device is written in place: its failure is the full disk. A missing folder is not.
    fs::create_symlink("/dev/full", folder_.PathOf("full.png"));
    RunResult run = RunLocuscope({"--render", Q(folder_.PathOf("full.png")), Q(input_)});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(Contains(run.err, "Error creating image. Cannot Write to " +
                                      folder_.PathOf("full.png") + " (disk full)"))
        << run.err;
    run = RunLocuscope({"--render", Q(folder_.PathOf("no/such.svg")), Q(input_)});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(Contains(run.err, "Error creating metafile. Cannot Write to " +
                                      folder_.PathOf("no/such.svg") + " (no such folder)"))
        << run.err;
}

TEST_F(OutputSafetyTest, ControlBytesFromTheFilesReachTheTerminalEscaped) {
    const std::string odd =
        folder_.Write("odd\nname\t.gff",
                      "chr1\tsrc\tgene\t100\t900\t1\t+\t.\tID=a;Note=\x1b]2;owned\x07\n"
                      "chr1\tsrc\tgene\tx\x1b[31m\t900\t1\t+\t.\tID=b\n");
    const auto hasNoControlBytes = [](const std::string& text) {
        return std::none_of(text.begin(), text.end(), [](char c) {
            const auto byte = static_cast<unsigned char>(c);
            return (byte < 0x20 && c != '\t' && c != '\n') || byte == 0x7F;
        });
    };
    RunResult run = RunLocuscope({"--report", "--items", Q(odd)});
    EXPECT_TRUE(hasNoControlBytes(run.out)) << run.out;
    EXPECT_TRUE(hasNoControlBytes(run.err)) << run.err;
    // The file name stays on its one line, its tab escaped like the line break.
    EXPECT_TRUE(Contains(run.out, "file\todd\\x0Aname\\x09.gff \n")) << run.out;
    EXPECT_TRUE(Contains(run.out, "\tID=a;Note=\\x1B]2;owned\\x07\n")) << run.out;
    EXPECT_TRUE(Contains(run.err, "Loading " + folder_.Path() + "/odd\\x0Aname\\x09.gff\n"))
        << run.err;
    EXPECT_TRUE(Contains(run.err, "x\\x1B[31m")) << run.err;

    run = RunLocuscope({"--search", "owned", Q(odd)});
    EXPECT_TRUE(Contains(run.out, "hit\tchr1\tgene\t100\t900\tID=a;Note=\\x1B]2;owned\\x07\n"))
        << run.out;
    EXPECT_TRUE(hasNoControlBytes(run.out) && hasNoControlBytes(run.err)) << run.err;
}

}  // namespace
