// Files read in chunks on several threads load and report exactly what they load and report
// read whole on one: the same items in the same order, the same status lines, the same outcome,
// wherever the chunk boundaries fall.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <string>
#include <vector>

#include "support/gzip_text.h"
#include "support/import_snapshot.h"
#include "support/scratch_file.h"
#include "support/tight_budget.h"

namespace {

// The file read whole on one thread, then in chunks of a few sizes on one thread and on four:
// every reading must give the same snapshot. Returns the snapshot.
std::string ExpectSameReadingEverywhere(const std::string& path, ImportLimits limits,
                                        const std::vector<size_t>& chunkSizes) {
    limits.threads = 1;
    const std::string whole = ImportSnapshot(path, limits);
    for (const size_t chunkBytes : chunkSizes) {
        for (const unsigned threads : {1u, 4u}) {
            limits.threads = threads;
            limits.chunkBytes = chunkBytes;
            EXPECT_EQ(ImportSnapshot(path, limits), whole)
                << path << " in chunks of " << chunkBytes << " bytes on " << threads << " threads";
        }
    }
    return whole;
}

const std::vector<size_t> kSmallChunks = {1, 3, 64, 1000};
// Enough for the first few dozen items of a file.
constexpr size_t kBudgetBytes = 6000;

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

std::string FileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(ParallelImportTest, ExampleFilesLoadTheSame) {
    for (const std::string& path :
         {std::string(LOCUSCOPE_TEST_DATA) + "/../../examples/demo_annotation.gff",
          std::string(LOCUSCOPE_TEST_DATA) + "/../../examples/demo_peaks.bed",
          std::string(LOCUSCOPE_TEST_DATA) + "/report_mix.gff",
          std::string(LOCUSCOPE_TEST_DATA) + "/report_peaks.txt",
          std::string(LOCUSCOPE_TEST_DATA) + "/search_export.gff"}) {
        const std::string whole = ExpectSameReadingEverywhere(path, ImportLimits(), kSmallChunks);
        EXPECT_TRUE(Contains(whole, "\nitem ")) << path;
    }
}

// Each file as text, with what the reading must show, so that a reading that loses
// everything everywhere cannot pass.
struct Case {
    const char* name;
    std::string text;
    const char* shows;
};

std::string Repeat(const std::string& line, int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += line;
    return text;
}

TEST(ParallelImportTest, ErrorPolicyAndHeadersApplyInFileOrder) {
    const std::string good = "chr1\tsrc\tgene\t100\t200\t5\t+\t.\tID=a;color=00FF00\n";
    const std::string backwards = "chr1\tsrc\tgene\t300\t200\t0\t+\t.\n";
    std::string names;
    for (int i = 0; i < 40; ++i)
        names += "c" + std::to_string(i % 20) + "\t" + std::to_string(i) + "\t50\tn\n";
    const Case cases[] = {
        {"stop.gff", Repeat(good, 20) + Repeat(backwards, 33) + Repeat(good, 5),
         "Too many errors (33) in File."},
        {"names.bed", names, "Too many ChromosomeNames found."},
        {"capped.gff", Repeat("x\n", 150) + good + Repeat("y\tz\n", 120) + good,
         "more lines skipped like line"},
        {"sections.bed",
         "chr1 0 10 a 0 + 0 10 255,0,0\ntrack name=off itemRgb=\"Off\" color=0,0,255\n"
         "chr1 5 15 b 0 - 5 15 0,255,0\nChr2 5 15 c\nbrowser hide all\n"
         "track name=\"two words\"\nchr1 1 2 d 0 + 1 2 1,2,3 2 1,1 0,1\n"
         "chr1 1 9 e 0 + 0 0 . 2 1,1 0,9\n",
         "BED blocks dropped"},
        {"windows.gff",
         "\xEF\xBB\xBF"
         "chr1\tsrc\tgene\t1\t9\t1\t+\t.\tID=w\r\n\r\n" +
             good + "chr1\tsrc\tgene\t2\t9\t1\t+\t.\tID=m\rchr1\tsrc\texon\t2\t9\t1\t+\t.\r\n",
         "Exception 'Invalid GFF File: 0 columns"},
        {"fasta.gff3", Repeat(good, 30) + "##FASTA\n>chr1\nACGT\n" + good, "[ID=a;color=00FF00]"},
        {"fasta.txt", "# comment\n\n##FASTA\n" + good, "stored 0"},
        {"as_gff.txt", "# comment\n\n" + good + "chr1 1 2\n" + good + ">chr1\nACGT\n",
         "Exception 'Invalid GFF File: 1 columns"},
        {"as_bed.txt", "#x\ntrack name=calls\nchr2 0 10 n1 3\n" + good, "track chr2 calls"},
        // The pane of every chromosome cannot be a chromosome too: each such line is refused.
        {"reserved.gff",
         Repeat("All Tracks\tsrc\tgene\t1\t9\t1\t+\t.\tID=r\n", 2) + good +
             "All Tracks\tsrc\tgene\t1\t9\t1\t+\t.\tID=s\n",
         "line 4: Exception 'The chromosome name \"All Tracks\" is the name of the pane"},
        {"neither.txt", "# header\n\r\nchr1 1 2\n" + good, "ERROR: File is not GFF or BED file."},
    };
    for (const Case& c : cases) {
        ScratchFile file(c.name, c.text);
        ImportLimits limits;
        limits.maxChromosomeNames = 16;
        const std::string whole = ExpectSameReadingEverywhere(file.Path(), limits, kSmallChunks);
        EXPECT_TRUE(Contains(whole, c.shows)) << c.name << "\n" << whole;
    }
}

TEST(ParallelImportTest, AMemoryBudgetRunsOutAtTheSameLineOnAnyNumberOfThreads) {
    // Items whose texts come whole from the chunks, between items whose blocks are dropped and
    // whose texts the track copies into blocks of its own.
    std::string text;
    for (int i = 0; i < 300; ++i)
        text += "chr" + std::to_string(i % 3) + "\t" + std::to_string(i) + "\t200\tname" +
                std::to_string(i) + (i % 4 == 0 ? "\t0\t+\t0\t0\t0\t2\t1,1\t0,9\n" : "\n");
    ScratchFile file("budget.bed", text);
    for (const size_t chunkBytes : {size_t{1}, size_t{100}, size_t{700}}) {
        ImportLimits limits;
        limits.chunkBytes = chunkBytes;
        limits.threads = 1;
        TightBudget single(kBudgetBytes);
        const std::string alone = ImportSnapshot(file.Path(), limits, &single);
        EXPECT_TRUE(Contains(alone, "message Memory Error\n")) << alone;
        for (int round = 0; round < 5; ++round) {
            limits.threads = 3;
            TightBudget shared(kBudgetBytes);
            EXPECT_EQ(ImportSnapshot(file.Path(), limits, &shared), alone) << chunkBytes;
        }
    }
}

TEST(ParallelImportTest, ACancelStopsAfterTheSameChunkOnAnyNumberOfThreads) {
    std::string text;
    for (int i = 0; i < 2000; ++i)
        text += "chr1\t" + std::to_string(i) + "\t" + std::to_string(i + 10) + "\tn\n";
    ScratchFile file("cancel.bed", text);
    ImportLimits limits;
    limits.progressInterval = std::chrono::milliseconds(0);  // progress, and a cancel, at once
    limits.chunkBytes = 4096;
    limits.threads = 1;
    const std::string alone = ImportSnapshot(file.Path(), limits, nullptr, true);
    EXPECT_TRUE(Contains(alone, "outcome 0")) << alone;  // a cancel is no failure
    EXPECT_FALSE(Contains(alone, "stored 2000")) << alone;
    EXPECT_FALSE(Contains(alone, "stored 0")) << alone;
    limits.threads = 4;
    for (int round = 0; round < 5; ++round)
        EXPECT_EQ(ImportSnapshot(file.Path(), limits, nullptr, true), alone);
}

TEST(ParallelImportTest, CompressedFilesLoadTheSame) {
    std::string text;
    for (int i = 1; i <= 400; ++i)
        text += "chr" + std::to_string(i % 3 + 1) + "\tsrc\t" + (i % 2 ? "gene" : "exon") + "\t" +
                std::to_string(i) + "\t" + std::to_string(i + 50) + "\t" + std::to_string(i) +
                "\t-\t.\tID=f" + std::to_string(i) + "\r\n";
    for (const auto& [name, members] :
         {std::pair<const char*, int>{"one.gff.gz", 1}, {"blocks.gff.bgz", 37}}) {
        ScratchFile file(name, GzipText(text, members));
        const std::string whole =
            ExpectSameReadingEverywhere(file.Path(), ImportLimits(), {7, 256, 4096});
        EXPECT_TRUE(Contains(whole, "stored 400")) << name;
    }
    // Damaged after its first member: the lines before the damage, then the same error, also
    // when another thread reaches the end of the text before the one that met the damage has
    // said so (tried a few times, as threads meet it in any order).
    ScratchFile damaged("damaged.gff.gz", GzipText(text.substr(0, 5000)) + "\x1f\x8bjunk");
    for (int round = 0; round < 10; ++round) {
        const std::string whole =
            ExpectSameReadingEverywhere(damaged.Path(), ImportLimits(), {7, 256});
        EXPECT_TRUE(Contains(whole, "Error reading file at line")) << whole;
    }
}

TEST(ParallelImportTest, LinesOfAMegabyteAcrossChunkBoundaries) {
    const std::string good = "chr1\tsrc\tgene\t100\t200\t5\t+\t.\tID=a\n";
    const std::string longest =
        "chr1\tsrc\tgene\t7\t8\t5\t+\t.\tID=" + std::string(ChunkReader::kMaxLineLength - 27, 'x') +
        "\n";
    ASSERT_EQ(longest.size(), ChunkReader::kMaxLineLength + 1);
    const std::string tooLong =
        "chr1\tsrc\tgene\t9\t9\t5\t+\t.\tID=" + std::string(ChunkReader::kMaxLineLength, 'y') +
        "\n";
    ScratchFile file("long.gff", Repeat(good, 1000) + longest + Repeat(good, 10) + tooLong +
                                     longest + Repeat(good, 5000) + tooLong + tooLong + good);
    const std::string whole = ExpectSameReadingEverywhere(file.Path(), ImportLimits(),
                                                          {ChunkReader::kChunkBytes, 4096, 333333});
    EXPECT_TRUE(Contains(whole,
                         "message Invalid File, line 1012: Line longer than 1048576 "
                         "characters.\n"))
        << whole.substr(0, 400);
    EXPECT_TRUE(Contains(whole, "stored 6013")) << whole.substr(0, 400);
    EXPECT_EQ(FileText(file.Path()).size(),
              6011 * good.size() + 2 * longest.size() + 3 * tooLong.size());
}

}  // namespace
