#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/gene_model_set.h"
#include "data/track_removal.h"
#include "import/import_driver.h"
#include "support/recording_agent.h"
#include "support/scratch_file.h"

namespace {

// Gene models as drawing a pane finds them after an import, read back from a track as one line
// per model:
// "START-STOP item@ITEMSTART exons:A-B,C-D coding:E-F", exons marked "~" when drawn half high.
class GeneModelLinkTest : public testing::Test {
protected:
    GeneModelLinkTest() { genome_.SetNotificationTarget(&agent_); }

    bool Import(const std::string& name, const std::string& contents) {
        ScratchFile file(name, contents);
        return ImportDriver(genome_).ImportFile(file.Path(), nullptr);
    }
    std::vector<std::string> Models(const std::string& trackName,
                                    const std::string& chromosome = "chr1") {
        Draw(chromosome);
        std::vector<std::string> lines;
        const ChromosomeDataset* track = genome_.Store().FindTrack(chromosome, trackName);
        const GeneModelSet* set = track != nullptr ? track->GetGeneModels() : nullptr;
        if (set == nullptr)
            return lines;
        for (size_t m = 0; m < set->GetModelCount(); ++m) {
            const GeneModelSet::Model& model = set->GetModel(m);
            std::string line = std::to_string(model.Start) + "-" + std::to_string(model.Stop) +
                               " item@" + std::to_string(track->GetStart(model.Item));
            std::string exons, coding;
            for (size_t p = model.FirstPart; p < set->PartsEnd(m); ++p) {
                const GeneModelSet::Part& part = set->GetPart(p);
                std::string& list = set->GetKind(p) == GeneModelSet::kCoding ? coding : exons;
                list += (list.empty() ? "" : ",") + std::to_string(part.Start) + "-" +
                        std::to_string(part.Stop);
                if (set->GetKind(p) == GeneModelSet::kUntranslated)
                    list += "~";
            }
            line += " exons:" + exons;
            if (!coding.empty())
                line += " coding:" + coding;
            lines.push_back(line);
        }
        return lines;
    }

    // What drawing a pane does first.
    void Draw(const std::string& pane) {
        genome_.Store().GetGeneModelSchedule().LinkDue(genome_.Store(), pane);
    }
    bool HasModels(const std::string& trackName, const std::string& chromosome) const {
        return genome_.Store().FindTrack(chromosome, trackName)->GetGeneModels() != nullptr;
    }

    RecordingAgent agent_;
    GenomeDataset genome_;
};

using Lines = std::vector<std::string>;

std::string Gff(const char* type, int start, int stop, const std::string& attributes,
                const char* chromosome = "chr1") {
    return std::string(chromosome) + "\tsrc\t" + type + "\t" + std::to_string(start) + "\t" +
           std::to_string(stop) + "\t.\t+\t.\t" + attributes + "\n";
}

TEST_F(GeneModelLinkTest, Gff3ChildrenFindTheirParentsInAnyOrderAndMayShareThem) {
    // Exons first, parents last; one exon belongs to both isoforms (Parent=t1,t2), UTRs and
    // CDS make the exons half high, and the gene is no model: its children are parents.
    ASSERT_TRUE(Import(
        "fly.gff3",
        Gff("exon", 100, 200, "ID=e1;Parent=t1,t2") + Gff("exon", 300, 400, "Parent=t1") +
            Gff("exon", 350, 450, "Parent= t2 ") + Gff("five_prime_UTR", 100, 149, "Parent=t1") +
            Gff("CDS", 150, 200, "Parent=t1") + Gff("CDS", 300, 360, "Parent=t1") +
            Gff("intron", 201, 299, "Parent=t1") + Gff("mRNA", 100, 400, "ID=t1;Parent=g1") +
            Gff("mRNA", 100, 450, "ID=t2;Parent=g1") + Gff("gene", 100, 450, "ID=g1")));
    EXPECT_EQ(Models("mRNA"),
              (Lines{"100-400 item@100 exons:100-200~,300-400~ coding:150-200,300-360",
                     "100-450 item@100 exons:100-200,350-450"}));
    EXPECT_TRUE(Models("gene").empty());
    EXPECT_TRUE(Models("exon").empty());
    EXPECT_FALSE(agent_.GetErrorFlag());
}

TEST_F(GeneModelLinkTest, BadLinksLeaveTheirItemsWithoutModelsAndNeverStopTheImport) {
    ASSERT_TRUE(Import("bad.gff3", Gff("mRNA", 100, 900, "ID=ok") +
                                       Gff("exon", 100, 200, "Parent=ok") +
                                       // a missing parent
                                       Gff("exon", 300, 400, "Parent=nowhere") +
                                       // one ID on two items: neither is anybody's parent
                                       Gff("transcript", 1000, 1900, "ID=twice") +
                                       Gff("transcript", 1000, 1800, "ID=twice") +
                                       Gff("exon", 1000, 1100, "Parent=twice") +
                                       // a cycle, and an item that is its own parent
                                       Gff("transcript", 2000, 2900, "ID=a;Parent=b") +
                                       Gff("transcript", 2000, 2900, "ID=b;Parent=a") +
                                       Gff("transcript", 3000, 3900, "ID=self;Parent=self") +
                                       // empty names among the parents
                                       Gff("mRNA", 4000, 4900, "ID=empty;Parent=") +
                                       Gff("exon", 4000, 4100, "Parent=,empty,")));
    EXPECT_EQ(Models("mRNA"),
              (Lines{"100-900 item@100 exons:100-200", "4000-4900 item@4000 exons:4000-4100"}));
    EXPECT_TRUE(Models("transcript").empty());
    EXPECT_EQ(genome_.Store().FindTrack("chr1", "exon")->GetItemCount(), 4u);
    EXPECT_FALSE(agent_.GetErrorFlag());
}

TEST_F(GeneModelLinkTest, GtfTranscriptsAreDrawnForTheirLineOrOverTheirExons) {
    const std::string noLines =
        "chr1\tsrc\texon\t100\t200\t.\t-\t.\tgene_id \"g\"; transcript_id \"tA\";\n"
        "chr1\tsrc\tCDS\t150\t200\t.\t-\t0\tgene_id \"g\"; transcript_id \"tA\";\n"
        "chr1\tsrc\tstop_codon\t147\t149\t.\t-\t0\tgene_id \"g\"; transcript_id \"tA\";\n"
        "chr1\tsrc\texon\t500\t600\t.\t-\t.\tgene_id \"g\"; transcript_id \"tA\";\n"
        "chr1\tsrc\texon\t120\t220\t.\t-\t.\tgene_id \"g\"; transcript_id \"tB\";\n";
    ASSERT_TRUE(Import("ucsc.gtf", noLines));
    EXPECT_EQ(Models("exon"), (Lines{"100-600 item@100 exons:100-200~,500-600~ coding:147-200",
                                     "120-220 item@120 exons:120-220"}));
    EXPECT_TRUE(Models("CDS").empty());

    genome_.Clear();
    ASSERT_TRUE(
        Import("ensembl.gtf",
               "chr1\tsrc\tgene\t100\t600\t.\t+\t.\tgene_id \"g\";\n"
               "chr1\tsrc\ttranscript\t90\t600\t.\t+\t.\tgene_id \"g\"; transcript_id \"tA\";\n" +
                   noLines));
    EXPECT_EQ(Models("transcript"),
              (Lines{"90-600 item@90 exons:100-200~,500-600~ coding:147-200"}));
    // tB has no line of its own, but the exon track mostly holds tA's exons: tB is not drawn.
    EXPECT_TRUE(Models("exon").empty());
}

TEST_F(GeneModelLinkTest, AnyChildThatIsNoParentIsAnExonAndMostItemsMustBeModels) {
    // NCBI's bacterial genes carry their CDS or RNA directly; a gene with an mRNA is no model.
    ASSERT_TRUE(Import("ncbi.gff3", Gff("gene", 1, 1400, "ID=gene-dnaA") +
                                        Gff("CDS", 1, 1400, "ID=cds-A;Parent=gene-dnaA") +
                                        Gff("gene", 2000, 3000, "ID=gene-rrs") +
                                        Gff("rRNA", 2000, 3000, "ID=rna-rrs;Parent=gene-rrs") +
                                        Gff("gene", 4000, 5000, "ID=gene-x") +
                                        Gff("mRNA", 4000, 5000, "ID=rna-x;Parent=gene-x") +
                                        Gff("exon", 4000, 5000, "Parent=rna-x") +
                                        Gff("gene", 6000, 7000, "ID=gene-lonely")));
    EXPECT_EQ(Models("gene"), (Lines{"1-1400 item@1 exons:1-1400~ coding:1-1400",
                                     "2000-3000 item@2000 exons:2000-3000"}));
    EXPECT_EQ(Models("mRNA"), (Lines{"4000-5000 item@4000 exons:4000-5000"}));

    // One gene with an exon among three without: the gene track stays as it was.
    ASSERT_TRUE(Import("ncbi.gff3", Gff("gene", 1, 10, "ID=p1", "chr2") +
                                        Gff("exon", 1, 10, "Parent=p1", "chr2") +
                                        Gff("gene", 20, 30, "ID=p2", "chr2") +
                                        Gff("gene", 40, 50, "ID=p3", "chr2") +
                                        Gff("gene", 60, 70, "ID=p4", "chr2")));
    EXPECT_TRUE(Models("gene", "chr2").empty());
}

TEST_F(GeneModelLinkTest, ModelsFollowWhatIsLoadedAndWhatIsDeleted) {
    ASSERT_TRUE(Import("a.gff3", Gff("mRNA", 100, 900, "ID=t1") +
                                     Gff("exon", 100, 200, "Parent=t1") +
                                     Gff("CDS", 150, 200, "Parent=t1")));
    // A second file on the same chromosome: its transcript is linked, the first one kept.
    ASSERT_TRUE(Import("b.gff3", Gff("mRNA", 50, 60, "ID=t2") + Gff("exon", 50, 60, "Parent=t2")));
    EXPECT_EQ(Models("mRNA"), (Lines{"50-60 item@50 exons:50-60",
                                     "100-900 item@100 exons:100-200~ coding:150-200"}));
    genome_.Store().DeleteTracks({{"chr1", "CDS"}});
    EXPECT_EQ(Models("mRNA"),
              (Lines{"50-60 item@50 exons:50-60", "100-900 item@100 exons:100-200"}));
    // BED lines added to the track: the models named items by their place, so they are dropped.
    ASSERT_TRUE(Import("mRNA.bed", "chr1\t0\t10\tx\n"));
    EXPECT_TRUE(Models("mRNA").empty());
}

TEST_F(GeneModelLinkTest, ADeletionThatIsUndoneBringsBackTheModelsItChanged) {
    ASSERT_TRUE(Import("a.gff3", Gff("mRNA", 100, 900, "ID=t1") +
                                     Gff("exon", 100, 200, "Parent=t1") +
                                     Gff("CDS", 150, 200, "Parent=t1")));
    const Lines whole = Models("mRNA");
    RemovedTracks removed = TrackRemoval::TakeTracks(genome_, {"CDS"});
    EXPECT_EQ(Models("mRNA"), (Lines{"100-900 item@100 exons:100-200"}));
    TrackRemoval::Restore(genome_, removed);
    EXPECT_EQ(Models("mRNA"), whole);
    // Without its exons the transcript has no model; undone, it has it again.
    removed = TrackRemoval::TakeTracks(genome_, {"exon"});
    TrackRemoval::Restore(genome_, removed);
    EXPECT_EQ(Models("mRNA"), whole);
}

TEST_F(GeneModelLinkTest, ModelsAreFoundWhenTheirPaneIsFirstDrawn) {
    const std::string transcript =
        Gff("mRNA", 100, 900, "ID=t1") + Gff("exon", 100, 200, "Parent=t1");
    ASSERT_TRUE(Import("a.gff3", transcript + Gff("mRNA", 100, 900, "ID=t2", "chr2") +
                                     Gff("exon", 100, 200, "Parent=t2", "chr2") +
                                     Gff("mRNA", 100, 900, "ID=t3", "chr3") +
                                     Gff("exon", 100, 200, "Parent=t3", "chr3")));
    EXPECT_FALSE(HasModels("mRNA", "chr1"));  // the import links nothing
    Draw("chr1");
    EXPECT_TRUE(HasModels("mRNA", "chr1"));
    EXPECT_FALSE(HasModels("mRNA", "chr2"));
    Draw(kAllTracksPane);
    EXPECT_TRUE(HasModels("mRNA", "chr2"));
    EXPECT_TRUE(HasModels("mRNA", "chr3"));
}

TEST_F(GeneModelLinkTest, DeletionsUndoneInAnyOrderAroundDrawingKeepEveryModel) {
    ASSERT_TRUE(Import(
        "a.gff3", Gff("mRNA", 100, 900, "ID=t1") + Gff("exon", 100, 200, "Parent=t1") +
                      Gff("CDS", 150, 200, "Parent=t1") + Gff("transcript", 300, 400, "ID=r1") +
                      Gff("exon", 300, 400, "Parent=r1")));
    const Lines mRNA = Models("mRNA");
    const Lines transcript = Models("transcript");
    ASSERT_FALSE(transcript.empty());
    // Two deletions with no drawing between them, then a drawing, then their undo.
    RemovedTracks withoutCds = TrackRemoval::TakeTracks(genome_, {"CDS"});
    RemovedTracks withoutTranscripts = TrackRemoval::TakeTracks(genome_, {"transcript"});
    EXPECT_EQ(Models("mRNA"), (Lines{"100-900 item@100 exons:100-200"}));
    TrackRemoval::Restore(genome_, withoutTranscripts);
    EXPECT_EQ(Models("transcript"), transcript);
    TrackRemoval::Restore(genome_, withoutCds);
    EXPECT_EQ(Models("mRNA"), mRNA);
}

}  // namespace
