#include <gtest/gtest.h>

#include <sys/wait.h>

#include <QFile>
#include <QProcess>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "framework/settings.h"

namespace {

struct RunResult {
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs the program as a user would, from the test-data folder so that paths stay short.
RunResult RunLocuscope(const QStringList& arguments) {
    QProcess process;
    process.setWorkingDirectory(QStringLiteral(LOCUSCOPE_TEST_DATA));
    process.start(QStringLiteral(LOCUSCOPE_EXECUTABLE), arguments);
    EXPECT_TRUE(process.waitForFinished(60000)) << arguments.join(' ').toStdString();
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

QString Expected(const QString& name) {
    QFile file(QStringLiteral(LOCUSCOPE_TEST_DATA "/") + name);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
    return QString::fromUtf8(file.readAll());
}

TEST(HeadlessReportTest, ReportListsFilesPanesTracksAndItems) {
    WriteSettingInt("Document", "ChromosomeNameSortOrder", 1);
    const RunResult run =
        RunLocuscope({"--report", "--items", "report_mix.gff", "report_peaks.txt"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out.toStdString(), Expected("report_mix.expected.out").toStdString());
    EXPECT_EQ(run.err.toStdString(), Expected("report_mix.expected.err").toStdString());
}

TEST(HeadlessReportTest, UnsortedOrderKeepsChromosomesAsFirstSeen) {
    WriteSettingInt("Document", "ChromosomeNameSortOrder", 0);
    const RunResult run = RunLocuscope({"--report", "report_mix.gff"});
    EXPECT_TRUE(run.out.startsWith("file\treport_mix.gff \npane\tchrX\t1\n"))
        << run.out.toStdString();
}

TEST(HeadlessReportTest, FailedImportStopsAtTheFailingFileAndExitsWithOne) {
    const RunResult run =
        RunLocuscope({"--report", "report_mix.gff", "missing.bed", "report_peaks.txt"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.endsWith("Loading missing.bed\nBad File: missing.bed (not found)\n"))
        << run.err.toStdString();
    EXPECT_TRUE(run.out.endsWith("features\t4\nerrors\t1\nresult\tfailed\n"))
        << run.out.toStdString();
}

TEST(HeadlessReportTest, AFileNamedTwiceIsImportedTwiceWithoutAQuestion) {
    const RunResult run = RunLocuscope({"--report", "report_mix.gff", "./report_mix.gff"});
    EXPECT_EQ(run.exitCode, 0);
    const RunResult once = RunLocuscope({"--report", "report_mix.gff"});
    const auto features = [](const QString& out) {
        return out.section(QStringLiteral("features\t"), 1).section('\n', 0, 0).toInt();
    };
    EXPECT_GT(features(once.out), 0);
    EXPECT_EQ(features(run.out), 2 * features(once.out)) << run.out.toStdString();
}

TEST(HeadlessReportTest, BadUsageExitsWithTwo) {
    for (const QStringList& arguments :
         {QStringList{"--report"}, QStringList{"--report", "--bogus", "a.gff"}}) {
        const RunResult run = RunLocuscope(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_TRUE(run.err.contains("--report")) << run.err.toStdString();
    }
}

TEST(HeadlessReportTest, ExamplesLoadWithoutErrors) {
    const RunResult run = RunLocuscope({"--report", LOCUSCOPE_EXAMPLES "/demo_annotation.gff",
                                        LOCUSCOPE_EXAMPLES "/demo_peaks.bed"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.out.contains("track\tchr1\tDemo Peaks\t")) << run.out.toStdString();
    EXPECT_TRUE(run.out.endsWith("errors\t0\nresult\tok\n")) << run.out.toStdString();
}

// Runs a shell command line with its bytes as they are (QProcess would re-encode arguments);
// standard error is merged into the output.
RunResult RunShell(const std::string& commandLine) {
    RunResult result;
    std::FILE* pipe = popen((commandLine + " 2>&1").c_str(), "r");
    EXPECT_NE(pipe, nullptr);
    std::string output;
    char chunk[4096];
    for (size_t got; (got = std::fread(chunk, 1, sizeof chunk, pipe)) > 0;)
        output.append(chunk, got);
    const int status = pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = QString::fromStdString(output);  // bytes that are not UTF-8 compare as U+FFFD
    return result;
}

TEST(HeadlessReportTest, FileNamesThatAreNotUtf8ArePassedAsBytes) {
    const std::string folder = LOCUSCOPE_TEST_SCRATCH "/latin1";
    std::filesystem::create_directories(folder);
    const std::string input = "caf\xe9.bed";
    const std::string output = "r\xe9sum\xe9.png";
    std::ofstream(folder + "/" + input) << "chr1 0 10 n 1\n";
    std::filesystem::remove(folder + "/" + output);
    const std::string cd = "cd '" + folder + "' && '" LOCUSCOPE_EXECUTABLE "' ";

    RunResult run = RunShell(cd + "--report '" + input + "'");
    EXPECT_EQ(run.exitCode, 0) << run.out.toStdString();
    EXPECT_TRUE(run.out.endsWith("features\t1\nerrors\t0\nresult\tok\n")) << run.out.toStdString();

    run = RunShell(cd + "--render '" + output + "' '" + input + "'");
    EXPECT_EQ(run.exitCode, 0) << run.out.toStdString();
    EXPECT_GT(std::filesystem::file_size(folder + "/" + output), 0u);
}

TEST(HeadlessReportTest, ARegionBeyondThePositionsIsARangeError) {
    const QString output = QStringLiteral(LOCUSCOPE_TEST_SCRATCH "/region.png");
    RunResult run = RunLocuscope(
        {"--render", output, "--region", "chr2:4294967290-4294967295", "report_mix.gff"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains("--region has a position beyond 4,294,967,294: "
                                 "chr2:4294967290-4294967295"))
        << run.err.toStdString();
    run = RunLocuscope({"--render", output, "--region", "chr2:100-300", "report_mix.gff"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(QFile::exists(output));
}

}  // namespace
