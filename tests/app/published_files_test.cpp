// Files as they are published, read through the command line as a user would: each test writes
// one form to disk and checks what the headless report makes of it.
#include <gtest/gtest.h>

#include <QFile>
#include <string>

#include "framework/settings.h"
#include "support/gzip_text.h"
#include "support/run_locuscope.h"
#include "support/scratch_file.h"

namespace {

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

size_t CountOf(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

class PublishedFilesTest : public testing::Test {
protected:
    PublishedFilesTest() { WriteSettingInt("Document", "ChromosomeNameSortOrder", 1); }

    // Writes each (name, contents) file and reports them in that order, with items.
    RunResult Report(const std::vector<std::pair<std::string, std::string>>& files) {
        QStringList arguments{"--report", "--items"};
        for (const auto& [name, contents] : files) {
            files_.push_back(std::make_unique<ScratchFile>(name, contents));
            arguments.append(QString::fromStdString(files_.back()->Path()));
        }
        return RunLocuscope(arguments);
    }

    std::vector<std::unique_ptr<ScratchFile>> files_;
};

TEST_F(PublishedFilesTest, BedGraphFilesByAnyOfTheirNamesGiveScoredItemsWithoutNames) {
    const std::string values = "chr1 0 100 1.5\nchr1\t100\t200\t-2\nchr1 200 300 nan\n";
    const RunResult run = Report({{"coverage.bedGraph", "track type=bedGraph name=cov\n" + values},
                                  {"signal.BDG", values},
                                  {"depth.bedgraph.gz", GzipText(values)}});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    for (const char* track : {"cov", "signal", "depth"}) {
        const std::string prefix = std::string("item\tchr1\t") + track + "\t";
        EXPECT_TRUE(Contains(run.out, prefix + "1\t100\t1.500000\t+\t0\t00FFFFFF\t\t\t\n"))
            << run.out;
        EXPECT_TRUE(Contains(run.out, prefix + "101\t200\t-2.000000\t+\t0\t00FFFFFF\t\t\t\n"))
            << run.out;
        EXPECT_TRUE(Contains(run.out, prefix + "201\t300\tnan\t"));
    }
    EXPECT_TRUE(Contains(run.out, "errors\t0\nresult\tok\n")) << run.out;
}

TEST_F(PublishedFilesTest, PeakFilesKeepTheirValuesAfterTheNameAndTakeNoColourFromThem) {
    const RunResult run =
        Report({{"calls.narrowPeak",
                 "chr1\t9\t50\tpeak1\t900\t.\t5.2\t3.311255e-82\t2.1\t20\n"
                 "chr1\t60\t80\t.\t100\t+\t1\t2\t3\t-1\n"},
                {"broad.broadPeak.gz", GzipText("chr2\t0\t500\tdomain\t7\t-\t0.5\t12\t9\n")}});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(Contains(run.out,
                         "item\tchr1\tcalls\t10\t50\t900.000000\t.\t0\t00FFFFFF\t\t\t"
                         "peak1;signalValue=5.2;pValue=3.311255e-82;qValue=2.1;peak=20\n"))
        << run.out;
    // A name of "." is no name.
    EXPECT_TRUE(Contains(run.out, "\t00FFFFFF\t\t\tsignalValue=1;pValue=2;qValue=3;peak=-1\n"))
        << run.out;
    EXPECT_TRUE(Contains(run.out,
                         "item\tchr2\tbroad\t1\t500\t7.000000\t-\t0\t00FFFFFF\t\t\t"
                         "domain;signalValue=0.5;pValue=12;qValue=9\n"))
        << run.out;

    // The values are searched and exported with the name.
    const RunResult search = RunLocuscope(
        {"--search", "pValue=3.311255e-82", QString::fromStdString(files_[0]->Path())});
    EXPECT_TRUE(Contains(search.out, "hit\tchr1\tcalls\t10\t50\tpeak1;signalValue=5.2;"))
        << search.out;
}

TEST_F(PublishedFilesTest, BedFilesKeepThickRangesAndBlocksAndDropOnlyBlocksThatDoNotFit) {
    const RunResult run = Report({{"models.bed12",
                                   "chr2 100 1000 tx1 0 + 200 900 0 3 100,200,100, 0,400,800,\n"
                                   "chr2 100 1000 noncoding 0 - 1000 1000 . 2 100,100 0,800\n"
                                   "chr2 100 1000 gap 0 + 100 1000 . 2 100,100 0,700\n"
                                   "chr2 100 1000 overlap 0 + 50 1000 . 2 500,450 0,450\n"
                                   "chr2 100 1000 count 0 + 100 1000 . 3 100,800 0,100\n"},
                                  {"thick.BED15", "chr3 0 10 a 0 + 2 8 . 1 10 0 x y z\n"}});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(Contains(run.out, "\ttx1\nthick\t201\t900\nblocks\t101-200,501-700,901-1000\n"))
        << run.out;
    EXPECT_TRUE(Contains(run.out, "\tnoncoding\nthick\t1001\t1000\nblocks\t101-200,901-1000\n"))
        << run.out;
    EXPECT_TRUE(Contains(run.out, "\tgap\nthick\t101\t1000\nitem\t")) << run.out;
    EXPECT_TRUE(Contains(run.out, "\toverlap\nitem\t")) << run.out;
    EXPECT_TRUE(Contains(run.out, "\tcount\nthick\t101\t1000\n")) << run.out;
    EXPECT_TRUE(Contains(run.out, "\ta\nthick\t3\t8\nblocks\t1-10\n")) << run.out;
    // One status line for each line that lost something; the item stays.
    EXPECT_TRUE(Contains(run.err,
                         "Invalid File, line 3: BED blocks dropped (the last block does "
                         "not end at chromEnd).\n"
                         "Invalid File, line 4: BED thick range dropped (thickStart and "
                         "thickEnd do not lie in order within the feature); blocks "
                         "dropped (blocks overlap or are out of order).\n"
                         "Invalid File, line 5: BED blocks dropped (blockSizes and "
                         "blockStarts do not hold blockCount whole numbers).\n"))
        << run.err;
    EXPECT_TRUE(Contains(run.out, "track\tchr2\tmodels\t5\t")) << run.out;
    EXPECT_TRUE(Contains(run.out, "errors\t1\nresult\tok\n")) << run.out;
}

TEST_F(PublishedFilesTest, DroppedBlocksAreListedUpToALimitThenCounted) {
    std::string lines;
    for (int i = 0; i < 103; ++i)
        lines += "chr1 0 100 n 0 + 0 100 0 2 10,10 0,10\n";
    const RunResult run = Report({{"many.bed", lines}});
    EXPECT_EQ(CountOf(run.err, "BED blocks dropped"), 100u);
    EXPECT_TRUE(Contains(run.err,
                         "Invalid File: 3 more lines lost their BED thick range or "
                         "blocks like line 100.\n"))
        << run.err;
    EXPECT_TRUE(Contains(run.out, "track\tchr1\tmany\t103\t")) << run.out;
}

TEST_F(PublishedFilesTest, ZeroLengthBedIntervalsAreOneBaseItemsAfterTheirPosition) {
    // Insertions in a dbSNP file: far more than the 32 errors that once stopped it.
    std::string snps;
    for (int i = 0; i < 40; ++i)
        snps += "chr1 " + std::to_string(100 + i) + " " + std::to_string(100 + i) + " rs" +
                std::to_string(i) + "\n";
    snps += "chr1 500 499 backwards\n";
    const RunResult run = Report({{"snps.bed.gz", GzipText(snps)}});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(
        Contains(run.out, "item\tchr1\tsnps\t101\t101\t0.000000\t+\t0\t00FFFFFF\t\t\trs0\n"))
        << run.out;
    EXPECT_TRUE(Contains(run.out, "track\tchr1\tsnps\t40\t101\t140\t")) << run.out;
    // An end before the start is still refused.
    EXPECT_TRUE(Contains(run.err,
                         "Invalid File, line 41: End position must be larger than start "
                         "position\nLine Skipped.\n"))
        << run.err;

    // Exported as one-base GFF features.
    ScratchFile exported("snps.gff", "");
    const RunResult exportRun =
        RunLocuscope({"--export", QString::fromStdString(exported.Path()), "--select-all",
                      QString::fromStdString(files_[0]->Path())});
    QFile gff(QString::fromStdString(exported.Path()));
    ASSERT_TRUE(gff.open(QIODevice::ReadOnly)) << exportRun.err;
    EXPECT_TRUE(
        Contains(gff.readAll().toStdString(), "chr1\t\tsnps\t102\t102\t0.000000\t+\t0\trs1\n"));
}

TEST_F(PublishedFilesTest, ItemRgbColoursOnlyFromNumbersAndNotAfterItemRgbOff) {
    const RunResult run = Report({{"colours.bed",
                                   "chr1 0 10 dot 0 + 0 10 .\n"
                                   "chr1 0 10 dash 0 + 0 10 -\n"
                                   "chr1 0 10 black 0 + 0 10 0\n"
                                   "chr1 0 10 red 0 + 0 10 255,0,0\n"
                                   "track name=plain itemRgb=\"OFF\"\n"
                                   "chr1 0 10 off 0 + 0 10 0,0,255\n"
                                   "track name=again\n"
                                   "chr1 0 10 on 0 + 0 10 0,0,255\n"}});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    const struct {
        const char* name;
        const char* color;
    } cases[] = {{"dot", "00FFFFFF"}, {"dash", "00FFFFFF"}, {"black", "FF000000"},
                 {"red", "FFFF0000"}, {"off", "00FFFFFF"},  {"on", "FF0000FF"}};
    for (const auto& c : cases)
        EXPECT_TRUE(Contains(run.out, std::string("\t") + c.color + "\t\t\t" + c.name + "\n"))
            << c.name << "\n"
            << run.out;
}

TEST_F(PublishedFilesTest, GffAsPublishedReadsBrowserHeadersBlanksAndSequenceQuietly) {
    const RunResult run = Report({{"table.gff",
                                   "browser position chr1:1-1000\n"
                                   "track name=genes description=\"from a table\"\n"
                                   "chr1\tWormBase\tgene\t944828 \t944900 \t.\t+\t.\tName=a b \n"
                                   ">chr1\nACGTACGTNN\n"},
                                  {"spaces.gff3",
                                   "chr1 src gene 1 10 . + . ID=x\n"
                                   "chr1 src gene 20 30 . + . ID=y\n"
                                   "track\tsrc\tgene\t5\t9\t.\t+\t.\tID=seq_named_track\n"}});
    EXPECT_TRUE(Contains(run.out,
                         "item\tchr1\tgene\t944828\t944900\t0.000000\t+\t.\t00FFFFFF\t"
                         "WormBase\t\tName=a b \n"))
        << run.out;
    EXPECT_TRUE(Contains(run.out, "pane\ttrack\t1\n")) << run.out;
    // Only the lines with blanks for tabs are refused, with the hint once.
    const std::string refusal = "Exception 'Invalid GFF File: 1 columns (min=8, max=9) found at ";
    EXPECT_TRUE(Contains(run.err, "Invalid File, line 1: " + refusal +
                                      "line 1.'\nLine skipped.\n"
                                      "GFF columns are separated by tab characters.\n"
                                      "Invalid File, line 2: " +
                                      refusal + "line 2.'\nLine skipped.\n"))
        << run.err;
    EXPECT_EQ(CountOf(run.err, "Invalid File"), 2u) << run.err;
    EXPECT_EQ(CountOf(run.err, "separated by tab"), 1u) << run.err;
    EXPECT_TRUE(Contains(run.out, "features\t2\nerrors\t1\nresult\tok\n")) << run.out;
}

TEST_F(PublishedFilesTest, AFileCutShortIsPartialWhileTheFilesAfterItStillLoad) {
    std::string backwards;
    for (int i = 0; i < 33; ++i)
        backwards += "chr1 20 10\n";
    const std::string cut = backwards + "chr1 0 10 never\n";
    RunResult run = Report({{"cut.bed", cut}, {"after.bed", "chr2 0 10 later\n"}});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(Contains(run.err,
                         "Invalid File, line 34: Too many errors (33) in File.\n"
                         "0 ChromosomeNames loaded.\n"
                         "The rest of the file will not be loaded.\n"
                         "Loading "))
        << run.err;
    EXPECT_TRUE(Contains(run.out, "\tlater\n")) << run.out;
    EXPECT_FALSE(Contains(run.out, "\tnever\n")) << run.out;
    EXPECT_TRUE(Contains(run.out, "result\tpartial\n")) << run.out;

    // A failed file weighs more than one cut short; the files after it are not read.
    run = Report({{"cut2.bed", cut}, {"missing.vcf", "x"}, {"late.bed", "chr3 0 10 late\n"}});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(Contains(run.out, "result\tfailed\n")) << run.out;
    EXPECT_FALSE(Contains(run.out, "\tlate\n")) << run.out;

    // The search answers what was loaded, and says by its exit status that it is not all.
    const RunResult search =
        RunLocuscope({"--search", "", QString::fromStdString(files_[0]->Path())});
    EXPECT_EQ(search.exitCode, 1);
}

TEST_F(PublishedFilesTest, GzipZeroPaddingEndsTheTextButOtherTrailingBytesFail) {
    const std::string text = "chr1 0 10 a\n";
    RunResult run = Report({{"padded.bed.gz", GzipText(text) + std::string(70000, '\0')}});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(Contains(run.out, "features\t1\nerrors\t0\nresult\tok\n")) << run.out;

    run = Report({{"garbage.bed.gz", GzipText(text) + std::string(8, '\0') + "junk"}});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(Contains(run.err, "(corrupt compressed data: incorrect header check)")) << run.err;
    EXPECT_TRUE(Contains(run.out, "features\t1\n")) << run.out;
}

TEST_F(PublishedFilesTest, EscapedNamesAreStoredSearchedAndExportedAsWritten) {
    const RunResult run =
        Report({{"escaped.gff3",
                 "chr1\ts\tgene\t1\t9\t.\t+\t.\tID=t1%28newGene%29;Name=tubulin%2c beta 8\n"}});
    EXPECT_TRUE(Contains(run.out, "\tID=t1%28newGene%29;Name=tubulin%2c beta 8\n")) << run.out;
    const QString path = QString::fromStdString(files_[0]->Path());
    EXPECT_TRUE(Contains(RunLocuscope({"--search", "tubulin%2c", path}).out, "hits\t1\n"));
    EXPECT_TRUE(Contains(RunLocuscope({"--search", "tubulin,", path}).out, "hits\t0\n"));
}

}  // namespace
