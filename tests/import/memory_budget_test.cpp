// The import as memory runs short: the system's rule for how much must be left, and a file
// whose growth is refused part way.
#include <gtest/gtest.h>

#include <new>

#include "import/import_driver.h"
#include "import/system_memory_budget.h"
#include "support/recording_agent.h"
#include "support/scratch_file.h"

namespace {

constexpr uint64_t kMiB = uint64_t{1} << 20;
constexpr uint64_t kGiB = uint64_t{1} << 30;

TEST(SystemMemoryBudgetTest, GrowthMustLeaveATenthOfTheWholeAndHalfAGigabyte) {
    const struct {
        uint64_t left, whole, bytes;
        bool enough;
    } cases[] = {
        {2 * kGiB, 4 * kGiB, 1 * kGiB, true},
        {2 * kGiB, 4 * kGiB, 1536 * kMiB, true},  // exactly 512 MB left
        {2 * kGiB, 4 * kGiB, 1537 * kMiB, false},
        {8 * kGiB, 64 * kGiB, 1 * kGiB, true},  // 7 GB left, a tenth is 6.4 GB
        {8 * kGiB, 64 * kGiB, 2 * kGiB, false},
        {600 * kMiB, 1 * kGiB, 0, true},
        {500 * kMiB, 1 * kGiB, 0, false},       // already below 512 MB
        {1 * kGiB, 2 * kGiB, 2 * kGiB, false},  // more than is left: no wrap around
        {0, UINT64_MAX, 1, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SystemMemoryBudget::LeavesEnough(c.left, c.whole, c.bytes), c.enough)
            << c.left << " " << c.whole << " " << c.bytes;
}

// Grants growth up to a number of bytes, refuses the growth that would pass it, then grants
// everything again (as memory freed by others would).
class OnceRefusingBudget : public MemoryBudget {
public:
    explicit OnceRefusingBudget(size_t bytes) : left_(bytes) {}
    void Reserve(size_t bytes) override {
        if (refused_ || bytes <= left_) {
            left_ -= std::min(left_, bytes);
            return;
        }
        refused_ = true;
        throw std::bad_alloc();
    }

private:
    size_t left_;
    bool refused_ = false;
};

TEST(MemoryBudgetImportTest, ARefusedGrowthStopsTheFileAndTheFilesAfterItStillLoad) {
    std::string genes;
    for (int i = 1; i <= 20000; ++i)
        genes += "chr1\tsrc\tgene\t" + std::to_string(i) + "\t" + std::to_string(i + 50) +
                 "\t1\t+\t.\tID=gene" + std::to_string(i) + "\n";
    ScratchFile first("first.gff", genes);
    ScratchFile second("second.bed", "chr2 0 10 later\n");
    RecordingAgent agent;
    GenomeDataset genome;
    genome.SetNotificationTarget(&agent);
    OnceRefusingBudget budget(size_t{1} << 20);
    ImportOutcome outcome = ImportOutcome::kComplete;
    EXPECT_TRUE(ImportDriver(genome, ImportLimits(), &budget)
                    .LoadFiles({first.Path(), second.Path()}, &outcome));
    EXPECT_EQ(outcome, ImportOutcome::kCutShort);
    EXPECT_EQ(std::count(agent.messages.begin(), agent.messages.end(), "Memory Error"), 1);
    EXPECT_TRUE(agent.GetErrorFlag());

    // Every item stored before the refusal is whole, and the file after it loaded.
    const ChromosomeDataset* gene = genome.FindTrack("chr1", "gene");
    ASSERT_NE(gene, nullptr);
    const size_t stored = gene->GetItemCount();
    EXPECT_GT(stored, 1000u);
    EXPECT_LT(stored, 20000u);
    EXPECT_EQ(gene->GetPositionCount(), stored);
    EXPECT_EQ(gene->GetItem(stored - 1).Attributes, "ID=gene" + std::to_string(stored));
    EXPECT_EQ(genome.GetStoredFeatures(), stored + 1);
    EXPECT_NE(genome.FindTrack("chr2", "second"), nullptr);
    EXPECT_EQ(genome.GetLoadedFiles(), (std::vector<std::string>{"first.gff ", "second.bed "}));
}

}  // namespace
