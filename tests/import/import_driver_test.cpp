#include "import/import_driver.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "import/chunk_reader.h"
#include "support/recording_agent.h"
#include "support/scratch_file.h"

namespace {

using Messages = std::vector<std::string>;

class ImportDriverTest : public testing::Test {
protected:
    ImportDriverTest() { genome_.SetNotificationTarget(&agent_); }

    bool Import(const std::string& name, const std::string& contents) {
        ScratchFile file(name, contents);
        return ImportDriver(genome_).ImportFile(file.Path(), &touched_);
    }
    // Messages with the scratch folder taken out of paths.
    Messages MessagesWithoutFolder() const {
        Messages result;
        const std::string folder = ScratchFile::Folder() + "/";
        for (std::string message : agent_.messages) {
            const size_t at = message.find(folder);
            if (at != std::string::npos)
                message.erase(at, folder.size());
            result.push_back(message);
        }
        return result;
    }
    const ChromosomeDataset* Track(const std::string& chromosome, const std::string& name) {
        return genome_.Store().FindTrack(chromosome, name);
    }

    RecordingAgent agent_;
    GenomeDataset genome_;
    TrackCollector touched_;
};

const char kGffLine[] = "chr1\tsrc\tgene\t100\t200\t5\t+\t.\tID=a\n";

TEST_F(ImportDriverTest, FileTypeComesFromTheExtension) {
    const struct {
        const char* name;
        ImportDriver::FileType type;
    } cases[] = {{"x.GFF", ImportDriver::kGff},
                 {"x.gff3", ImportDriver::kGff},
                 {"x.Gtf", ImportDriver::kGff},
                 {"a.b/x.bed", ImportDriver::kBed},
                 {"x.Txt", ImportDriver::kUndecided},
                 {"x.bed.gz", ImportDriver::kBed},
                 {"x.txt.BGZ", ImportDriver::kUndecided},
                 {"gff", ImportDriver::kUnsupported},
                 {"x.gz", ImportDriver::kUnsupported},
                 {"gff.gz", ImportDriver::kUnsupported},
                 {"x.gff.zip", ImportDriver::kUnsupported},
                 {"x.gz.gff", ImportDriver::kGff},
                 {"x.gff.gz.gz", ImportDriver::kUnsupported},
                 {"x.gff4", ImportDriver::kUnsupported},
                 {"x.bedGraph", ImportDriver::kBed},
                 {"x.BDG.gz", ImportDriver::kBed},
                 {"x.narrowpeak", ImportDriver::kBed},
                 {"x.broadPeak.bgz", ImportDriver::kBed},
                 {"x.BED15", ImportDriver::kBed},
                 {"x.bed2", ImportDriver::kUnsupported},
                 {"x.bed16", ImportDriver::kUnsupported},
                 {"x.bed012", ImportDriver::kUnsupported},
                 {"x.bed6+4", ImportDriver::kUnsupported}};
    for (const auto& c : cases)
        EXPECT_EQ(ImportDriver::DetectFileType(c.name), c.type) << c.name;
    EXPECT_EQ(ImportDriver::DetectBedForm("a.BedGraph.gz"), BedForm::kBedGraph);
    EXPECT_EQ(ImportDriver::DetectBedForm("a.NARROWPEAK"), BedForm::kNarrowPeak);
    EXPECT_EQ(ImportDriver::DetectBedForm("a.bed12"), BedForm::kBed);
    EXPECT_EQ(ImportDriver::DetectBedForm("a.narrowPeak.txt"), BedForm::kBed);
    EXPECT_EQ(ImportDriver::DefaultName("/data/my.peaks.bed"), "my.peaks");
    EXPECT_EQ(ImportDriver::DefaultName("/data/my.genes.gff3.bgz"), "my.genes");
}

TEST_F(ImportDriverTest, FilesRefusedBeforeReadingReportWhy) {
    EXPECT_FALSE(Import("a.gff.zip", kGffLine));
    EXPECT_TRUE(agent_.GetErrorFlag());
    agent_.SetErrorFlag(false);
    EXPECT_FALSE(Import("empty.gff", ""));
    EXPECT_FALSE(ImportDriver(genome_).ImportFile("/no/such/file.bed", nullptr));
    EXPECT_FALSE(agent_.GetErrorFlag());  // "Bad File" leaves the flag as it was
    const std::string folder = ScratchFile::Folder() + "/folder.bed";
    std::filesystem::create_directories(folder);
    EXPECT_FALSE(ImportDriver(genome_).ImportFile(folder, nullptr));
    // A pipe or a device would block or never end; neither has a size to check the read by.
    const std::string pipe = ScratchFile::Folder() + "/pipe.bed";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_FALSE(ImportDriver(genome_).ImportFile(pipe, nullptr));
    std::filesystem::remove(pipe);
    const std::string zero = ScratchFile::Folder() + "/zero.bed";
    std::filesystem::create_symlink("/dev/zero", zero);
    EXPECT_FALSE(ImportDriver(genome_).ImportFile(zero, nullptr));
    std::filesystem::remove(zero);
    EXPECT_EQ(
        MessagesWithoutFolder(),
        (Messages{
            "File is not supported: a.gff.zip", "Bad File: empty.gff (empty)",
            "Bad File: /no/such/file.bed (not found)", "Bad File: folder.bed (not a regular file)",
            "Bad File: pipe.bed (not a regular file)", "Bad File: zero.bed (not a regular file)"}));
    EXPECT_EQ(genome_.Store().GetChromosomeCount(), 0u);
    EXPECT_TRUE(genome_.Store().GetLoadedFiles().empty());
}

TEST_F(ImportDriverTest, AnUnreadableFileIsNamedAsSuch) {
    if (geteuid() == 0)
        GTEST_SKIP() << "the superuser reads every file";
    ScratchFile file("locked.bed", "chr1 0 10\n");
    std::filesystem::permissions(file.Path(), std::filesystem::perms::none);
    EXPECT_FALSE(ImportDriver(genome_).ImportFile(file.Path(), nullptr));
    EXPECT_EQ(MessagesWithoutFolder(), Messages{"Bad File: locked.bed (permission denied)"});
}

// Cuts the file being imported to nothing when the first problem is reported, as another
// program truncating it during a long import would.
class TruncatingAgent : public RecordingAgent {
public:
    std::string path;
    void ReportMessage(const std::string& text) override {
        if (messages.empty())
            std::filesystem::resize_file(path, 0);
        RecordingAgent::ReportMessage(text);
    }
};

TEST_F(ImportDriverTest, AFileThatShrinksWhileReadIsReportedAndKeepsWhatWasRead) {
    // Longer than the reader's first gulp, so the cut falls after what is already in memory.
    const size_t lines = 2 * (ChunkReader::kMaxLineLength * 3) / sizeof kGffLine;
    std::string contents = "bad line\n";
    for (size_t i = 0; i < lines; ++i)
        contents += kGffLine;
    ScratchFile file("shrinking.gff", contents);
    TruncatingAgent agent;
    agent.path = file.Path();
    genome_.SetNotificationTarget(&agent);
    EXPECT_FALSE(ImportDriver(genome_).ImportFile(file.Path(), nullptr));
    ASSERT_GE(agent.messages.size(), 3u);
    const std::string& last = agent.messages.back();
    EXPECT_EQ(last.rfind("File changed while it was read (", 0), 0u) << last;
    EXPECT_NE(last.find(std::to_string(contents.size()) + " bytes): " + file.Path()),
              std::string::npos)
        << last;
    EXPECT_TRUE(agent.GetErrorFlag());
    EXPECT_GT(genome_.Store().GetStoredFeatures(), 0u);
    EXPECT_LT(genome_.Store().GetStoredFeatures(), lines);
    EXPECT_EQ(genome_.Store().GetLoadedFiles(), Messages{"shrinking.gff "});
}

TEST_F(ImportDriverTest, RepeatedProblemsAreListedUpToALimitThenCounted) {
    std::string contents;
    for (int i = 0; i < 250; ++i)
        contents += "x\n";
    for (int i = 0; i < 150; ++i)
        contents += "chr1\tsrc\tgene\t300\t200\t0\t+\t.\n";
    ASSERT_TRUE(Import("noisy.gff", contents));
    // Each kind keeps its first 100 lines with their own messages.
    EXPECT_EQ(agent_.messages.size(), 200u + 200u + 2u);
    EXPECT_EQ(agent_.messages[198],
              "Invalid File, line 100: Exception 'Invalid GFF File: 1 columns (min=8, max=9) "
              "found at line 100.'");
    EXPECT_EQ(agent_.messages[200],
              "Invalid File, line 251: End position must be larger than start position");
    EXPECT_EQ(Messages(agent_.messages.end() - 2, agent_.messages.end()),
              (Messages{"Invalid File: 150 more lines skipped like line 100.",
                        "Invalid File: 50 more lines skipped like line 350."}));
    EXPECT_TRUE(agent_.GetErrorFlag());
}

TEST_F(ImportDriverTest, GffFileIsFiledByChromosomeAndFeatureType) {
    ASSERT_TRUE(Import("genes.gff",
                       "# comment\n"
                       "chr1\tsrc\tgene\t100\t200\t5\t+\t.\tID=a\r\n"
                       "CHR1\tsrc\texon\t100\t150\t-2\t-\t.\tID=a1\n"
                       "Chromosome1\tsrc\tgene\t1\t1\t.\t+\t.\n"
                       "\tsrc\t\t7\t9\t.\t+\t.\n"
                       "chr1\tsrc\tgene\t50\t60\t1\t+\t.\tID=b\n"));
    EXPECT_TRUE(agent_.messages.empty()) << agent_.messages.front();
    const ChromosomeDataset* gene = Track("chr1", "gene");
    ASSERT_NE(gene, nullptr);
    EXPECT_EQ(gene->GetStartPositions(), (std::vector<uint32_t>{50, 100}));
    EXPECT_EQ(gene->GetItem(1).Attributes, "ID=a");  // the carriage return is gone
    EXPECT_EQ(gene->MinValue, 1.0f);
    EXPECT_EQ(gene->MaxValue, 5.0f);
    EXPECT_TRUE(Track("chr1", "exon")->HasReverseStrand);
    EXPECT_NE(Track("chromosome1", "gene"), nullptr);
    EXPECT_NE(Track("genes", "genes"), nullptr);  // empty names take the file's name
    EXPECT_EQ(genome_.Store().GetStoredFeatures(), 5u);
    EXPECT_EQ(genome_.Store().GetLoadedFiles(), Messages{"genes.gff "});
    EXPECT_EQ(genome_.GetCurrentPane(), "chr1");
    EXPECT_EQ(touched_.GetPairs().front(), TrackCollector::Pair("chr1", "gene"));
    EXPECT_EQ(touched_.GetPairs().size(), 4u);
}

TEST_F(ImportDriverTest, BadLinesAreReportedAndSkipped) {
    ASSERT_TRUE(Import("mixed.gff",
                       "chr1\tsrc\tgene\t1\n"
                       "chr1\tsrc\tgene\t300\t200\t0\t+\t.\tID=backwards\n"
                       " #not a comment\n" +
                           std::string(kGffLine)));
    EXPECT_EQ(agent_.messages,
              (Messages{"Invalid File, line 1: Exception 'Invalid GFF File: 4 columns (min=8, "
                        "max=9) found at line 1.'",
                        "Line skipped.",
                        "Invalid File, line 2: End position must be larger than start position",
                        "Line Skipped.",
                        "Invalid File, line 3: Exception 'Invalid GFF File: 1 columns (min=8, "
                        "max=9) found at line 3.'",
                        "Line skipped."}));
    EXPECT_TRUE(agent_.GetErrorFlag());
    EXPECT_EQ(genome_.Store().GetStoredFeatures(), 1u);
}

TEST_F(ImportDriverTest, ThirtyThreeBackwardLinesStopTheFileAtTheNextGoodLine) {
    std::string contents;
    for (int i = 0; i < 33; ++i)
        contents += "chr1\tsrc\tgene\t300\t200\t0\t+\t.\n";
    contents += kGffLine;
    contents += kGffLine;
    ASSERT_TRUE(Import("bad.gff", contents));
    const Messages tail(agent_.messages.end() - 3, agent_.messages.end());
    EXPECT_EQ(agent_.messages.size(), 66u + 3u);
    EXPECT_EQ(tail,
              (Messages{"Invalid File, line 34: Too many errors (33) in File.",
                        "0 ChromosomeNames loaded.", "The rest of the file will not be loaded."}));
    EXPECT_EQ(genome_.Store().GetStoredFeatures(), 0u);
    EXPECT_EQ(genome_.Store().GetLoadedFiles(), Messages{"bad.gff "});
}

TEST_F(ImportDriverTest, TooManyChromosomeNamesCutTheFileShort) {
    std::string contents;
    for (size_t i = 0; i <= GenomeDataset::kMaxChromosomeNames + 1; ++i)
        contents += "c" + std::to_string(i) + " 0 10\n";
    ScratchFile file("scaffolds.bed", contents);
    EXPECT_EQ(ImportDriver(genome_).ImportFileWithOutcome(file.Path(), nullptr),
              ImportOutcome::kCutShort);
    EXPECT_EQ(
        Messages(agent_.messages.end() - 3, agent_.messages.end()),
        (Messages{"Invalid File, line 32770: Too many ChromosomeNames found.",
                  "32769 ChromosomeNames loaded.", "The rest of the file will not be loaded."}));
}

TEST_F(ImportDriverTest, TxtFileIsDecidedByItsFirstDataLine) {
    ASSERT_TRUE(Import("as_gff.txt", std::string(kGffLine) + "chr1 1 2\n"));
    EXPECT_EQ(genome_.Store().GetStoredFeatures(), 1u);  // the BED-like line is refused as GFF
    EXPECT_EQ(agent_.messages.size(), 2u);

    agent_.messages.clear();
    ASSERT_TRUE(Import("as_bed.txt", "track name=calls\nchr2 0 10 n1 3\nchr2\t5\t8\n"));
    EXPECT_TRUE(agent_.messages.empty());
    EXPECT_EQ(Track("chr2", "calls")->GetItemCount(), 2u);

    EXPECT_FALSE(Import("neither.txt", "# header\n\r\nchr1 1 2\n"));
    EXPECT_EQ(agent_.messages, Messages{"ERROR: File is not GFF or BED file."});
    EXPECT_EQ(genome_.Store().GetLoadedFiles().size(), 2u);  // no list update for the refused file
}

TEST_F(ImportDriverTest, AFastaSectionEndsTheFeaturesOfAGffFile) {
    const std::string fasta = "##FASTA\n>chr1\nACGTACGTNN\n>chr2 second\nACGT\n";
    ASSERT_TRUE(Import("with_sequence.gff3",
                       "##gff-version 3\n" + std::string(kGffLine) + "###\n" + fasta));
    ASSERT_TRUE(Import("with_sequence.txt", kGffLine + fasta));
    ASSERT_TRUE(Import("sequence_only.txt", "##gff-version 3\n" + fasta));
    EXPECT_TRUE(agent_.messages.empty()) << agent_.messages.front();
    EXPECT_EQ(genome_.Store().GetStoredFeatures(), 2u);
    // In a BED file it is a comment like any other.
    ASSERT_TRUE(Import("not_gff.bed", "##FASTA\nchr1 0 10\n"));
    EXPECT_EQ(genome_.Store().GetStoredFeatures(), 3u);
}

TEST_F(ImportDriverTest, BedBrowserLinesAreSkippedAndTrackLinesColourTheirTracks) {
    ASSERT_TRUE(Import("peaks.bed",
                       "browser position chr1:1-1000\n"
                       "browser hide all\n"
                       "track name=red color=255,0,0 itemRgb=\"On\"\n"
                       "chr1 0 10 a 0 + 0 10 0,0,255\n"
                       "chr2 5 20 b\n"
                       "track name=plain\n"
                       "chr1 0 5 c\n"
                       "track name=red color=0,255,0\n"
                       "chr3 5 20 d\n"));
    EXPECT_TRUE(agent_.messages.empty()) << agent_.messages.front();
    EXPECT_EQ(Track("chr1", "red")->TrackColor, 0x0000FF);
    EXPECT_EQ(Track("chr1", "red")->GetItem(0).Color, 0xFF0000FFu);  // its own colour stays
    EXPECT_EQ(Track("chr2", "red")->TrackColor, 0x0000FF);
    EXPECT_EQ(Track("chr3", "red")->TrackColor, 0x00FF00);
    EXPECT_NE(Track("chr1", "plain")->TrackColor, ChromosomeDataset::kUnassignedColor);
    EXPECT_NE(Track("chr1", "plain")->TrackColor, 0x0000FF);
    EXPECT_EQ(genome_.Store().GetStoredFeatures(), 4u);
}

TEST_F(ImportDriverTest, BedFeatureReadAfterARefusedGffReadingCarriesNothingOfIt) {
    // Read as GFF, this line fills the source ("0") before it is refused for its column count.
    ASSERT_TRUE(Import("guess.txt", "chr1\t0\t10\n"));
    EXPECT_TRUE(agent_.messages.empty());
    const ItemView item = Track("chr1", "guess")->GetItem(0);
    EXPECT_EQ(item.Source, "");
    EXPECT_EQ(item.Stop, 10u);
    EXPECT_EQ(Track("chr1", "guess")->GetStart(0), 1u);
}

TEST_F(ImportDriverTest, HostileBytesNeverLoseWhatWasLoaded) {
    ASSERT_TRUE(Import("good.bed", "chr1 0 10 keep\n"));
    std::string binary;
    for (int i = 0; i < 4096; ++i)
        binary.push_back(static_cast<char>((i * 7919) & 0xFF));
    binary += std::string(ChunkReader::kMaxLineLength + 10, '\0');
    EXPECT_TRUE(Import("binary.bed", binary));
    EXPECT_TRUE(agent_.GetErrorFlag());
    // Every line feed and every carriage return ends a line: the bytes hold no CR LF.
    ASSERT_EQ(binary.find("\r\n"), std::string::npos);
    const auto lineEnds = std::count(binary.begin(), binary.end(), '\n') +
                          std::count(binary.begin(), binary.end(), '\r');
    EXPECT_NE(std::find(agent_.messages.begin(), agent_.messages.end(),
                        "Invalid File, line " + std::to_string(lineEnds + 1) +
                            ": Line longer than 1048576 characters."),
              agent_.messages.end());
    ASSERT_NE(Track("chr1", "good"), nullptr);
    EXPECT_EQ(Track("chr1", "good")->GetItem(0).Attributes, "keep");
}

TEST_F(ImportDriverTest, LoadFilesStopsAtTheFirstFailedFileAndOrdersTracksAsFiled) {
    ScratchFile first("first.bed",
                      "track name=zeta\nchr2 0 10 a 4\ntrack name=alpha\nchr1 0 5 b 9\n");
    ScratchFile second("second.vcf", kGffLine);
    ScratchFile third("third.gff", kGffLine);
    EXPECT_FALSE(ImportDriver(genome_).LoadFiles({first.Path(), second.Path(), third.Path()}));
    EXPECT_EQ(MessagesWithoutFolder(), (Messages{"Loading first.bed", "Loading second.vcf",
                                                 "File is not supported: second.vcf"}));
    // The first file's task bar at 100 %, then 1 and 2 of 3 files.
    EXPECT_EQ(agent_.percents, (std::vector<int>{100, 33, 66}));
    EXPECT_EQ(agent_.waits, 1);  // the flagged error waits for the user
    EXPECT_EQ(
        Messages(genome_.Store().GetTrackOrder().begin(), genome_.Store().GetTrackOrder().end()),
        (Messages{"zeta", "alpha"}));
    EXPECT_EQ(Track("chr1", "alpha")->ScaleMin, 9.0);
    EXPECT_EQ(Track("chr1", "alpha")->ScaleMax, 9.0);
    EXPECT_EQ(genome_.Store().FindTrack("chr1", "gene"), nullptr);
}

// Remembers what an import tells it, and can ask it to stop after the first file.
class RecordingReporter : public ImportReporter {
public:
    void ReportMessage(const std::string& text) override { said.push_back(text); }
    void FlagError() override { flagged = true; }
    bool HasError() override { return flagged; }
    bool IsCancelRequested() override { return cancelAfterFirstFile && !overall.empty(); }
    void SetOverallProgress(int done, int total) override {
        overall.push_back(std::to_string(done) + "/" + std::to_string(total));
    }
    void SetTaskProgress(int, int, const std::string&) override {}
    void SetTaskPercent(int percent, const std::string&) override {
        taskPercents.push_back(percent);
    }
    void WaitForClose() override { ++waits; }

    Messages said;
    Messages overall;
    std::vector<int> taskPercents;
    bool flagged = false;
    bool cancelAfterFirstFile = false;
    int waits = 0;
};

TEST_F(ImportDriverTest, AGivenReporterHearsEverythingAndTheGenomeNothing) {
    ScratchFile bad("bad.gff", "chr1\tsrc\tgene\t1\n" + std::string(kGffLine));
    ScratchFile good("good.gff", kGffLine);
    RecordingReporter reporter;
    EXPECT_TRUE(ImportDriver(genome_, reporter).LoadFiles({bad.Path(), good.Path()}));
    EXPECT_EQ(reporter.said,
              (Messages{"Loading " + bad.Path(),
                        "Invalid File, line 1: Exception 'Invalid GFF File: 4 columns (min=8, "
                        "max=9) found at line 1.'",
                        "Line skipped.", "Loading " + good.Path()}));
    EXPECT_EQ(reporter.overall, (Messages{"1/2", "2/2"}));
    EXPECT_EQ(reporter.taskPercents, (std::vector<int>{100, 100}));
    EXPECT_TRUE(reporter.flagged);
    EXPECT_EQ(reporter.waits, 1);
    EXPECT_TRUE(agent_.messages.empty());
    EXPECT_FALSE(agent_.GetErrorFlag());
    EXPECT_EQ(agent_.waits, 0);
    EXPECT_EQ(genome_.Store().GetStoredFeatures(), 2u);
}

TEST_F(ImportDriverTest, ACancelFromTheGivenReporterStopsBeforeTheNextFile) {
    ScratchFile first("first.gff", kGffLine);
    ScratchFile second("second.gff", kGffLine);
    RecordingReporter reporter;
    reporter.cancelAfterFirstFile = true;
    EXPECT_TRUE(ImportDriver(genome_, reporter).LoadFiles({first.Path(), second.Path()}));
    EXPECT_EQ(reporter.overall, Messages{"1/2"});
    EXPECT_EQ(genome_.Store().GetStoredFeatures(), 1u);
}

}  // namespace
