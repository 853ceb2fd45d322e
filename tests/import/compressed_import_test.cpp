// Files as they are published: every supported extension, plain and gzip-compressed.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "import/import_driver.h"
#include "support/gzip_text.h"
#include "support/recording_agent.h"
#include "support/scratch_file.h"

namespace {

using Messages = std::vector<std::string>;

const char kGff[] =
    "##gff-version 3\n"
    "chr1\tsrc\tgene\t100\t200\t5\t+\t.\tID=g1;Name=ABC1\n"
    "chr1\tsrc\texon\t100\t150\t.\t+\t.\tParent=g1\n";
const char kGtf[] =
    "#!genome-build GRCh38\n"
    "chr1\tsrc\tgene\t100\t200\t.\t+\t.\tgene_id \"G1\"; gene_name \"ABC1\";\n"
    "chr1\tsrc\texon\t100\t150\t.\t+\t.\tgene_id \"G1\"; exon_number \"1\";\n";
const char kBed[] = "chr1\t99\t200\tABC1\t5\t+\nchr1\t99\t150\tABC1.1\t0\t+\n";

class CompressedImportTest : public testing::Test {
protected:
    CompressedImportTest() { StartAfresh(); }

    void StartAfresh() {
        genome_ = std::make_unique<GenomeDataset>();
        genome_->SetNotificationTarget(&agent_);
        agent_.messages.clear();
        agent_.SetErrorFlag(false);
    }
    bool Import(const std::string& name, const std::string& contents) {
        ScratchFile file(name, contents);
        path_ = file.Path();
        return ImportDriver(*genome_).ImportFile(file.Path(), nullptr);
    }
    size_t ItemsOf(const std::string& track) {
        const ChromosomeDataset* found = genome_->Store().FindTrack("chr1", track);
        return found == nullptr ? 0 : found->GetItemCount();
    }
    // Every GFF line numbered, "n" lines in all, so a lost or doubled line changes the count.
    static std::string NumberedGff(int lines) {
        std::string text;
        for (int i = 1; i <= lines; ++i)
            text += "chr1\tsrc\tgene\t" + std::to_string(i) + "\t" + std::to_string(i + 9) +
                    "\t1\t+\t.\tID=feature" + std::to_string(i) + "\n";
        return text;
    }

    RecordingAgent agent_;
    std::unique_ptr<GenomeDataset> genome_;
    std::string path_;
};

TEST_F(CompressedImportTest, EveryExtensionIsReadPlainAndCompressed) {
    const struct {
        const char* name;
        const char* text;
        const char* track;  // the track of the first line; two items on chr1 in all
    } files[] = {
        {"a.gff", kGff, "gene"},     {"b.gff3", kGff, "gene"}, {"c.GTF", kGtf, "gene"},
        {"d.bed", kBed, "d"},        {"e.txt", kGff, "gene"},  {"f.gff3.gz", kGff, "gene"},
        {"g.gtf.gz", kGtf, "gene"},  {"h.bed.gz", kBed, "h"},  {"i.txt.gz", kBed, "i"},
        {"j.gff.bgz", kGff, "gene"}, {"k.BED.BGZ", kBed, "k"}, {"l.gff3.GZ", kGff, "gene"},
    };
    for (const auto& file : files) {
        StartAfresh();
        const std::string contents =
            ImportDriver::IsCompressed(file.name) ? GzipText(file.text) : file.text;
        EXPECT_TRUE(Import(file.name, contents)) << file.name;
        EXPECT_TRUE(agent_.messages.empty()) << file.name << ": " << agent_.messages.front();
        EXPECT_EQ(genome_->Store().GetStoredFeatures(), 2u) << file.name;
        EXPECT_EQ(ItemsOf(file.track), std::string(file.track) == "gene" ? 1u : 2u) << file.name;
        EXPECT_EQ(genome_->Store().GetLoadedFiles(), Messages{std::string(file.name) + " "});
    }
    EXPECT_FALSE(Import("m.gz", GzipText(kGff)));
    EXPECT_FALSE(Import("n.vcf.gz", GzipText(kGff)));
    EXPECT_EQ(agent_.messages.size(), 2u);
}

TEST_F(CompressedImportTest, ManyMembersAndBlocksReadCompletely) {
    const int lines = 60000;  // about 3 MB: several reads of compressed input and of text
    const std::string text = NumberedGff(lines);
    const struct {
        const char* name;
        int members;
        int level;
    } forms[] = {{"one.gff.gz", 1, Z_DEFAULT_COMPRESSION},
                 {"many.gff.bgz", 997, Z_DEFAULT_COMPRESSION},  // members cut mid-line
                 {"stored.gff.gz", 3, 0}};                      // compressed as large as text
    for (const auto& form : forms) {
        StartAfresh();
        EXPECT_TRUE(Import(form.name, GzipText(text, form.members, form.level))) << form.name;
        EXPECT_TRUE(agent_.messages.empty()) << form.name << ": " << agent_.messages.front();
        ASSERT_EQ(ItemsOf("gene"), static_cast<size_t>(lines)) << form.name;
        const ChromosomeDataset* gene = genome_->Store().FindTrack("chr1", "gene");
        EXPECT_EQ(gene->GetStart(lines - 1), static_cast<uint32_t>(lines));
        EXPECT_EQ(gene->GetItem(lines - 1).Attributes, "ID=feature" + std::to_string(lines));
    }
}

TEST_F(CompressedImportTest, DamagedStreamsStopWithTheLineReachedAndKeepWhatWasRead) {
    const int lines = 20000;
    const std::string whole = GzipText(NumberedGff(lines));
    std::string badCheckSum = whole;
    badCheckSum[whole.size() - 8] = static_cast<char>(badCheckSum[whole.size() - 8] ^ 1);
    const struct {
        const char* name;
        std::string contents;
        const char* reason;
        int lineReached;  // 0: somewhere in the middle
    } cases[] = {
        {"cut.gff.gz", whole.substr(0, whole.size() / 2), "compressed data ends too early", 0},
        {"no_trailer.gff.gz", whole.substr(0, whole.size() - 4), "compressed data ends too early",
         lines + 1},
        {"check_sum.gff.gz", badCheckSum, "corrupt compressed data: incorrect data check",
         lines + 1},
        {"bad_member.gff.gz", whole + std::string("\x1f\x8b\x07\x00\x00\x00\x00\x00", 8),
         "corrupt compressed data: unknown compression method", lines + 1},
    };
    for (const auto& c : cases) {
        StartAfresh();
        EXPECT_FALSE(Import(c.name, c.contents)) << c.name;
        ASSERT_EQ(agent_.messages.size(), 3u) << c.name;
        // Every line before the one reached is kept, and only those.
        const size_t kept = genome_->Store().GetStoredFeatures();
        EXPECT_EQ(agent_.messages[0], "Error reading file at line " + std::to_string(kept + 1) +
                                          ": " + path_ + " (" + c.reason + ")");
        if (c.lineReached != 0)
            EXPECT_EQ(kept + 1, static_cast<size_t>(c.lineReached)) << c.name;
        else
            EXPECT_TRUE(kept > 0 && kept < static_cast<size_t>(lines)) << kept;
        EXPECT_EQ(agent_.messages[2], "The rest of the file will not be loaded.");
        EXPECT_TRUE(agent_.GetErrorFlag());
        EXPECT_EQ(ItemsOf("gene"), kept) << c.name;
        EXPECT_EQ(genome_->Store().GetLoadedFiles(), Messages{std::string(c.name) + " "});
    }
}

}  // namespace
