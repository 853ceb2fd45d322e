#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "framework/settings.h"
#include "support/run_locuscope.h"
#include "support/scratch_file.h"

namespace {

std::string ReadFile(const std::string& path) {
    QFile file(QString::fromStdString(path));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path;
    return file.readAll().toStdString();
}

class HeadlessSearchExportTest : public testing::Test {
protected:
    HeadlessSearchExportTest() : output_("out.gff", "") {
        WriteSettingInt("Document", "ChromosomeNameSortOrder", 1);
    }
    QString Out() const { return QString::fromStdString(output_.Path()); }

    ScratchFile output_;
};

TEST_F(HeadlessSearchExportTest, SearchListsEveryHitInResultOrderWithTheStatusLines) {
    const RunResult run = RunLocuscope({"--search", "Alpha", "search_export.gff"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out,
              "hit\tchr2\tgene\t100\t300\tID=g1;Name=Alpha\n"
              "hit\tchr10\tgene\t1000\t2000\tID=g4;Name=Alpha\n"
              "hits\t2\n");
    EXPECT_EQ(run.err,
              "Loading search_export.gff\n"
              "Search String: Alpha\n"
              "Pane: chr2 Track: gene Position: 100\n"
              "Pane: chr10 Track: gene Position: 1000\n"
              "Number of items found: 2\n"
              "\n");
}

TEST_F(HeadlessSearchExportTest, SearchWithoutHitsAndAfterAFailedImport) {
    RunResult run = RunLocuscope({"--search", "nowhere", "search_export.gff"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "hits\t0\n");
    EXPECT_TRUE(run.err.find("Number of items found: 0\n\nNo items were found.  Please try "
                             "another Attribute Search.\n") != std::string::npos)
        << run.err;
    // An empty string lists every item; a missing file still searches what was loaded.
    run = RunLocuscope({"--search", "", "search_export.gff", "missing.gff"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.out.find("hit\tchr2\tgene\t100\t250\tID=g2;Name=alpha\n") != std::string::npos)
        << run.out;
    EXPECT_TRUE(run.out.find("hits\t5\n") != std::string::npos) << run.out;
}

TEST_F(HeadlessSearchExportTest, ExportWritesSelectedRangesInPaneOrderThenRangeOrder) {
    const RunResult run =
        RunLocuscope({"--export", Out(), "--select", "chr10:1,000-1,000", "--select",
                      "chr2:450-150", "--select", "chr2:1-100", "search_export.gff"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(ReadFile(output_.Path()),
              "chr2\tsrc\tgene\t400\t500\t3.000000\t+\t.\tID=g3;Name=Beta\n"
              "chr2\tsrc\texon\t150\t200\t0.500000\t+\t0\tParent=g1\n"
              "chr2\tsrc\tgene\t100\t300\t1.000000\t+\t.\tID=g1;Name=Alpha\n"
              "chr2\tsrc\tgene\t100\t250\t2.000000\t-\t.\tID=g2;Name=alpha\n"
              "chr10\tsrc\tgene\t1000\t2000\t4.000000\t+\t.\tID=g4;Name=Alpha\n");
    EXPECT_EQ(run.err,
              "Loading search_export.gff\n"
              "Adding chr2 gene Positions 400 - 400.\n"
              "Adding chr2 exon Positions 150 - 150.\n"
              "Adding chr2 gene Positions 100 - 100.\n"
              "Adding chr10 gene Positions 1000 - 1000.\n"
              "Export Complete.\n");
}

TEST_F(HeadlessSearchExportTest, SelectAllExportsEveryItemOnce) {
    const RunResult run = RunLocuscope({"--export", Out(), "--select-all", "search_export.gff"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    const std::string written = ReadFile(output_.Path());
    EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 5) << written;
}

TEST_F(HeadlessSearchExportTest, ExportFailuresAndBadUsage) {
    RunResult run = RunLocuscope({"--export", "/dev/full", "--select-all", "search_export.gff"});
    EXPECT_EQ(run.exitCode, 1);
    const std::string failure = "Cannot Write to /dev/full (disk full)\n";
    EXPECT_TRUE(run.err.size() > failure.size() &&
                run.err.compare(run.err.size() - failure.size(), failure.size(), failure) == 0)
        << run.err;
    EXPECT_EQ(run.err.find("Export Complete."), std::string::npos);

    for (const QStringList& arguments :
         {QStringList{"--export", Out(), "--select", "chr7:1-10", "search_export.gff"},
          QStringList{"--export", Out(), "--select", "chr2", "search_export.gff"},
          QStringList{"--search", "a", "--select-all", "search_export.gff"},
          QStringList{"--search", "a", "--export", Out(), "search_export.gff"},
          QStringList{"--export", Out()}}) {
        run = RunLocuscope(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(run.out.empty());
    }

    // Without --select or --select-all there is nothing to export: bad usage, no file.
    const std::string unwritten = ScratchFile::Folder() + "/unwritten.gff";
    run = RunLocuscope({"--export", QString::fromStdString(unwritten), "search_export.gff"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.find("--export needs --select") != std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("Export Complete."), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(unwritten));
}

TEST_F(HeadlessSearchExportTest, SearchTextAndExportNamesThatAreNotUtf8PassAsBytes) {
    // A shell hands the program the bytes, as a terminal in a Latin-1 locale would.
    ScratchFile data("latin1.gff",
                     "chr1\ts\tgene\t1\t10\t1\t+\t.\tName=caf\xe9\n"
                     "chr1\ts\tgene\t20\t30\t1\t+\t.\tName=cafe\n");
    QProcess shell;
    shell.setWorkingDirectory(QString::fromStdString(ScratchFile::Folder()));
    shell.start(QStringLiteral("/bin/sh"),
                {QStringLiteral("-c"),
                 QStringLiteral("\"$0\" --search \"$(printf 'caf\\351')\" latin1.gff && "
                                "exec \"$0\" --export \"$(printf 'out\\351.gff')\" "
                                "--select-all latin1.gff"),
                 QStringLiteral(LOCUSCOPE_EXECUTABLE)});
    ASSERT_TRUE(shell.waitForFinished(60000));
    EXPECT_EQ(shell.exitCode(), 0) << shell.readAllStandardError().toStdString();
    EXPECT_EQ(shell.readAllStandardOutput().toStdString(),
              "hit\tchr1\tgene\t1\t10\tName=caf\xe9\nhits\t1\n");
    const std::string written = ScratchFile::Folder() + "/out\xe9.gff";
    EXPECT_TRUE(std::filesystem::exists(written));
    std::ifstream file(written, std::ios::binary);
    const std::string exported((std::istreambuf_iterator<char>(file)), {});
    EXPECT_EQ(exported,
              "chr1\ts\tgene\t1\t10\t1.000000\t+\t.\tName=caf\xe9\n"
              "chr1\ts\tgene\t20\t30\t1.000000\t+\t.\tName=cafe\n");
    std::filesystem::remove(written);
}

}  // namespace
