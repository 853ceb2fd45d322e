#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>

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
    EXPECT_TRUE(run.err.endsWith("Loading missing.bed\nBad File: missing.bed\n"))
        << run.err.toStdString();
    EXPECT_TRUE(run.out.endsWith("features\t4\nerrors\t1\nresult\tfailed\n"))
        << run.out.toStdString();
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

}  // namespace
