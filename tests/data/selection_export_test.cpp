#include "data/selection_export.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "data/genome_dataset.h"
#include "import/import_driver.h"
#include "support/recording_agent.h"
#include "support/scratch_file.h"

namespace {

class SelectionExportTest : public testing::Test {
protected:
    SelectionExportTest() : output_("export.gff", "old contents\n") {
        genome_.SetNotificationTarget(&agent_);
    }

    void File(const std::string& chromosome, const std::string& trackName, uint32_t start,
              float score = 1.0f) {
        ChromosomeDataset& track = genome_.Store().FindOrCreateTrack(chromosome, trackName);
        ChromosomeItem item;
        item.Source = "src";
        item.Stop = start + 5;
        item.Score = score;
        item.Attributes = "ID=" + std::to_string(start);
        track.UpdateExtents(start, item.Stop, score);
        track.AddItem(start, item);
        genome_.Store().AppendTrackName(trackName);
        genome_.Store().SortChromosomeNames();
    }
    std::string Exported() {
        std::ifstream in(output_.Path());
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    // The starts of the exported lines, blank-separated.
    std::string ExportedStarts() {
        std::string starts;
        std::istringstream lines(Exported());
        for (std::string line; std::getline(lines, line);) {
            std::istringstream fields(line);
            std::string field;
            for (int i = 0; i < 4; ++i)
                std::getline(fields, field, '\t');
            starts += field + " ";
        }
        return starts;
    }

    ScratchFile output_;
    RecordingAgent agent_;
    GenomeDataset genome_;
};

TEST_F(SelectionExportTest, LowEndIsExclusiveHighEndInclusiveInEitherOrder) {
    for (uint32_t start : {100, 150, 200, 250})
        File("chr1", "gene", start);
    const struct {
        Range range;
        const char* starts;
    } cases[] = {{{100, 200}, "150 200 "}, {{200, 100}, "150 200 "}, {{0, 99}, ""},
                 {{151, 199}, ""},         {{99, 100}, "100 "},      {{250, 0xFFFFFFFF}, ""}};
    for (const auto& c : cases) {
        genome_.Selection().SetRegionSelection({{"chr1", {c.range}}});
        ASSERT_TRUE(SelectionExport::Run(genome_, output_.Path(), {}));
        EXPECT_EQ(ExportedStarts(), c.starts) << c.range.first << "-" << c.range.second;
    }
}

TEST_F(SelectionExportTest, WritesNineColumnsAndTheExactStatusLines) {
    File("chr1", "gene", 150, 0.5f);
    File("chr1", "gene", 200, 5.0f);
    File("chr1", "exon", 300);
    File("chr2", "gene", 10);
    genome_.Selection().SetRegionSelection({{"chr2", {{0, 20}}}, {"chr1", {{100, 200}}}});
    ASSERT_TRUE(SelectionExport::Run(genome_, output_.Path(), {}));
    EXPECT_EQ(Exported(),
              "chr1\tsrc\tgene\t150\t155\t0.500000\t+\t0\tID=150\n"
              "chr1\tsrc\tgene\t200\t205\t5.000000\t+\t0\tID=200\n"
              "chr2\tsrc\tgene\t10\t15\t1.000000\t+\t0\tID=10\n");
    EXPECT_EQ(agent_.messages, (std::vector<std::string>{"Adding chr1 gene Positions 150 - 200.",
                                                         "Adding chr2 gene Positions 10 - 10.",
                                                         "Export Complete."}));
    EXPECT_EQ(agent_.waits, 0);
}

TEST_F(SelectionExportTest, OverlappingRangesExportTheirCommonItemsTwice) {
    for (uint32_t start : {10, 20, 30})
        File("chr1", "gene", start);
    genome_.Selection().SetRegionSelection({{"chr1", {{0, 20}, {15, 30}}}});
    ASSERT_TRUE(SelectionExport::Run(genome_, output_.Path(), {}));
    EXPECT_EQ(ExportedStarts(), "10 20 20 30 ");
}

TEST_F(SelectionExportTest, AFileThatCannotBeWrittenIsReportedWithItsReason) {
    File("chr1", "gene", 10);
    genome_.Selection().SelectAllRegions();
    const struct {
        std::string path;
        std::vector<std::string> inputs;
        std::string message;
    } cases[] = {
        {"/dev/full", {}, "Cannot Write to /dev/full (disk full)"},
        {"/nonexistent-folder/out.gff",
         {},
         "Cannot Write to /nonexistent-folder/out.gff (no such folder)"},
        {output_.Path(),
         {output_.Path()},
         "Cannot Write to " + output_.Path() + ": it is one of the imported files."},
    };
    for (const auto& c : cases) {
        RecordingAgent agent;
        genome_.SetNotificationTarget(&agent);
        EXPECT_FALSE(SelectionExport::Run(genome_, c.path, c.inputs)) << c.path;
        EXPECT_EQ(agent.messages.back(), c.message);
        EXPECT_EQ(std::count(agent.messages.begin(), agent.messages.end(), "Export Complete."), 0);
        EXPECT_TRUE(agent.GetErrorFlag());
        EXPECT_EQ(agent.waits, 1);
    }
    EXPECT_EQ(Exported(), "old contents\n");
}

TEST_F(SelectionExportTest, ACancelledExportSaysSoAndLeavesTheFileAsItWas) {
    for (uint32_t start : {10, 20, 30})
        File("chr1", "gene", start);
    File("chr2", "gene", 10);
    genome_.Selection().SelectAllRegions();
    agent_.cancelAnswer = true;
    EXPECT_FALSE(SelectionExport::Run(genome_, output_.Path(), {}));
    EXPECT_EQ(agent_.messages, (std::vector<std::string>{"Adding chr1 gene Positions 10 - 30.",
                                                         "Export cancelled."}));
    EXPECT_EQ(agent_.waits, 1);
    EXPECT_EQ(Exported(), "old contents\n");
}

TEST_F(SelectionExportTest, SelectAllExportsEveryItemOnceAndReadsBackTheSame) {
    // Duplicate starts at both ends of a track, an item at position 1, and a second chromosome.
    ScratchFile input("input.gff",
                      "chr1\ta\tgene\t1\t10\t1\t+\t.\tID=first\n"
                      "chr1\ta\tgene\t1\t12\t2\t-\t.\tID=first-twin\n"
                      "chr1\ta\tgene\t50\t60\t0.25\t+\t1\tID=mid\n"
                      "chr1\ta\tgene\t90\t99\t3\t+\t2\tID=last\n"
                      "chr1\ta\tgene\t90\t95\t4\t+\t.\tID=last-twin\n"
                      "chr1\tb\texon\t20\t30\t5\t+\t.\tParent=mid\n"
                      "chr2\ta\tgene\t7\t8\t6\t+\t.\tID=other\n");
    GenomeDataset original;
    ASSERT_TRUE(ImportDriver(original).LoadFiles({input.Path()}));
    original.Selection().SelectAllRegions();
    EXPECT_EQ(original.Selection().GetRegionSelection().at("chr1"), (std::vector<Range>{{0, 100}}));
    ASSERT_TRUE(original.ExportSelections(output_.Path(), {}));

    GenomeDataset reread;
    ASSERT_TRUE(ImportDriver(reread).LoadFiles({output_.Path()}));
    for (const char* pane : {"chr1", "chr2"}) {
        const auto before = original.Store().GetPaneTracks(pane);
        const auto after = reread.Store().GetPaneTracks(pane);
        ASSERT_EQ(before.size(), after.size()) << pane;
        for (size_t t = 0; t < before.size(); ++t) {
            ASSERT_EQ(before[t].dataset->GetItemCount(), after[t].dataset->GetItemCount());
            for (size_t i = 0; i < before[t].dataset->GetItemCount(); ++i) {
                const ItemView a = before[t].dataset->GetItem(i);
                const ItemView b = after[t].dataset->GetItem(i);
                EXPECT_EQ(before[t].dataset->GetStart(i), after[t].dataset->GetStart(i));
                EXPECT_EQ(a.Stop, b.Stop);
                EXPECT_EQ(a.Score, b.Score);
                EXPECT_EQ(a.Attributes, b.Attributes);
                EXPECT_EQ(a.Source, b.Source);
                EXPECT_EQ(a.Strand, b.Strand);
            }
        }
    }
}

}  // namespace
