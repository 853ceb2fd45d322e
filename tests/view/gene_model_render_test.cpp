// Gene models as files on disk bring them: imported, then drawn by the full pass.
#include <gtest/gtest.h>

#include <QImage>
#include <memory>
#include <string>

#include "data/chromosome_dataset.h"
#include "data/track_models.h"
#include "import/import_driver.h"
#include "support/scratch_file.h"
#include "view/gene_model_layout.h"
#include "view/pane_image.h"
#include "view/render_settings.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFFFFu;

// Pane "chr1" drawn over [1, 300] 375 pixels wide: x = 74 + base. The first row's band lines
// are at y = 95 and 145; without names a lane of models is 14 pixels high from y = 96, its
// boxes 12 pixels from one pixel below its top, its introns on the lane's middle row.
class GeneModelRenderTest : public testing::Test {
protected:
    static constexpr int kWidth = 375;
    static constexpr int kLaneTop = 96;
    static constexpr int kLaneHeight = 14;

    static int X(uint32_t base) { return 74 + static_cast<int>(base); }
    static int BoxTop(int lane) { return kLaneTop + lane * kLaneHeight + 1; }
    static int Middle(int lane) { return BoxTop(lane) + 6; }

    void Import(const std::string& name, const std::string& text) {
        ScratchFile file(name, text);
        TrackCollector touched;
        ASSERT_TRUE(ImportDriver(Genome()).ImportFile(file.Path(), &touched));
        for (const auto& pair : touched.GetPairs())
            Genome().Store().AppendTrackName(pair.second);
    }
    QImage Render(bool geneModels, bool names = false) {
        RenderSettings settings;
        settings.geneModels = geneModels;
        settings.showFeatureNames = names;
        settings.showGridLines = false;
        Genome().Store().SortChromosomeNames();
        return PaneImage::Render(Genome(), "chr1", {1, 300}, kWidth, false, settings);
    }
    // True when the column at base shows nothing but the rows [from, to] in the band.
    static bool OnlyRows(const QImage& image, uint32_t base, int from, int to) {
        for (int y = kLaneTop; y < 145; ++y) {
            if ((y < from || y > to) && image.pixel(X(base), y) != kWhite)
                return false;
        }
        return true;
    }

    void Reset() { owned_ = std::make_unique<GenomeDataset>(); }
    GenomeDataset& Genome() { return *owned_; }

    std::unique_ptr<GenomeDataset> owned_ = std::make_unique<GenomeDataset>();
};

// Items at both ends give the pane [1, 300]; they make a track of their own, drawn last.
const std::string kAnchors =
    "chr1\ts\tanchor\t1\t1\t.\t+\t.\tID=a1\n"
    "chr1\ts\tanchor\t300\t300\t.\t+\t.\tID=a2\n";

std::string Gff(const char* type, int start, int stop, const std::string& attributes,
                const char* score = ".", char strand = '+') {
    return std::string("chr1\ts\t") + type + "\t" + std::to_string(start) + "\t" +
           std::to_string(stop) + "\t" + score + "\t" + strand + "\t.\t" + attributes + "\n";
}

TEST_F(GeneModelRenderTest, Bed12IntronsHoldOnlyTheLineAndTheThickRangeIsFullHeight) {
    // Blocks 10-50, 110-130, 201-250 (1-based); thick 50-200.
    Import("genes.bed",
           "chr1\t0\t1\ta\t0\t+\t0\t0\t0\t1\t1,\t0,\n"
           "chr1\t9\t250\ttx\t0\t+\t49\t200\t0\t3\t41,21,50,\t0,100,191,\n"
           "chr1\t299\t300\tb\t0\t+\t300\t300\t0\t1\t1,\t0,\n");
    const QImage image = Render(true);
    for (const uint32_t intron : {60u, 100u, 140u, 190u}) {
        EXPECT_NE(image.pixel(X(intron), Middle(0)), kWhite) << intron;
        // The line, and the arrowheads spaced along it.
        EXPECT_TRUE(OnlyRows(image, intron, Middle(0) - 2, Middle(0) + 2)) << intron;
    }
    EXPECT_TRUE(OnlyRows(image, 120, BoxTop(0), BoxTop(0) + 11));  // coding: full height
    EXPECT_NE(image.pixel(X(120), BoxTop(0)), kWhite);
    EXPECT_TRUE(OnlyRows(image, 230, BoxTop(0) + 3, BoxTop(0) + 8));  // untranslated: half
    EXPECT_NE(image.pixel(X(230), BoxTop(0) + 3), kWhite);

    // Without gene models the item is one bar, over its introns too.
    EXPECT_NE(Render(false).pixel(X(100), 120), kWhite);
}

TEST_F(GeneModelRenderTest, OverlappingIsoformsTakeTheirOwnLanes) {
    Import("isoforms.gff3",
           Gff("mRNA", 10, 200, "ID=t1") + Gff("mRNA", 50, 280, "ID=t2") +
               Gff("exon", 10, 40, "Parent=t1") + Gff("exon", 150, 200, "Parent=t1") +
               Gff("exon", 50, 70, "Parent=t2") + Gff("exon", 250, 280, "Parent=t2") + kAnchors);
    const QImage image = Render(true);
    EXPECT_NE(image.pixel(X(20), BoxTop(0) + 2), kWhite);  // t1's exon in the first lane
    EXPECT_TRUE(OnlyRows(image, 20, BoxTop(0), BoxTop(0) + 11));
    EXPECT_NE(image.pixel(X(60), BoxTop(1) + 2), kWhite);  // t2's exon in the second
    EXPECT_NE(image.pixel(X(60), Middle(0)), kWhite);      // over t1's intron
    EXPECT_TRUE(OnlyRows(image, 260, BoxTop(1), BoxTop(1) + 11));
}

TEST_F(GeneModelRenderTest, AGtfWithoutTranscriptLinesDrawsItsTranscriptsOnTheExonTrack) {
    Import("ucsc.gtf",
           "chr1\ts\texon\t10\t40\t.\t-\t.\tgene_id \"g\"; transcript_id \"a\";\n"
           "chr1\ts\texon\t150\t200\t.\t-\t.\tgene_id \"g\"; transcript_id \"a\";\n" +
               kAnchors);
    const QImage models = Render(true);
    EXPECT_TRUE(OnlyRows(models, 100, Middle(0) - 2, Middle(0) + 2));
    EXPECT_NE(models.pixel(X(100), Middle(0)), kWhite);
    EXPECT_NE(models.pixel(X(170), BoxTop(0)), kWhite);
    EXPECT_EQ(Render(false).pixel(X(100), Middle(0)), kWhite);  // two bars, nothing between
}

TEST_F(GeneModelRenderTest, WithTheOptionOffTracksAreDrawnAsWithoutModelsPixelForPixel) {
    // A FlyBase-like gene: two isoforms sharing an exon, UTRs, CDS, an intron feature.
    const std::string linked =
        Gff("gene", 20, 280, "ID=FBgn1;Name=tub") +
        Gff("mRNA", 20, 280, "ID=FBtr1;Parent=FBgn1;Name=tub-RA") +
        Gff("mRNA", 20, 200, "ID=FBtr2;Parent=FBgn1;Name=tub-RB") +
        Gff("exon", 20, 80, "Parent=FBtr1,FBtr2") + Gff("exon", 120, 200, "Parent=FBtr1,FBtr2") +
        Gff("exon", 240, 280, "Parent=FBtr1") + Gff("five_prime_UTR", 20, 50, "Parent=FBtr1") +
        Gff("CDS", 51, 80, "Parent=FBtr1") + Gff("CDS", 120, 200, "Parent=FBtr1") +
        Gff("intron", 81, 119, "Parent=FBtr1") + kAnchors;
    std::string unlinked = linked;
    for (size_t at; (at = unlinked.find("Parent=")) != std::string::npos;)
        unlinked.replace(at, 6, "Mother");
    Import("linked.gff3", linked);
    const QImage off = Render(false, true);
    const QImage on = Render(true, true);
    Reset();  // a new document: track colours as for the first file
    Import("unlinked.gff3", unlinked);
    const QImage without = Render(true, true);
    ASSERT_EQ(off.size(), without.size());
    EXPECT_TRUE(off == without);
    EXPECT_FALSE(on == off);
}

TEST_F(GeneModelRenderTest, ZeroAndNaNScoresBesideScoredItemsAreMarksOnTheAxis) {
    Import("peaks.gff", Gff("peaks", 1, 1, "ID=a", "5") + Gff("peaks", 10, 50, "ID=p1", "10") +
                            Gff("peaks", 100, 140, "ID=p2", "0") +
                            Gff("peaks", 200, 240, "ID=p3", "nan") +
                            Gff("peaks", 300, 300, "ID=b", "5"));
    for (const bool geneModels : {false, true}) {
        const QImage image = Render(geneModels);
        EXPECT_TRUE(OnlyRows(image, 30, kLaneTop, 145));
        for (const uint32_t base : {120u, 220u}) {
            SCOPED_TRACE(base);
            EXPECT_NE(image.pixel(X(base), 144), kWhite);
            EXPECT_NE(image.pixel(X(base), 145), image.pixel(X(60), 145));  // not the band line
            EXPECT_TRUE(OnlyRows(image, base, 144, 145));
        }
    }
}

TEST_F(GeneModelRenderTest, ModelsTooDenseToDrawAndModelsWithoutALane) {
    std::string dense;
    for (int k = 1; k <= 140; ++k)
        dense += Gff("mRNA", 2 * k, 2 * k, "ID=t" + std::to_string(k)) +
                 Gff("exon", 2 * k, 2 * k, "Parent=t" + std::to_string(k));
    Import("dense.gff3", dense + kAnchors);
    EXPECT_TRUE(Render(true) == Render(false));  // more than one model per 3 pixels

    Reset();
    std::string stacked;
    for (int k = 1; k <= 6; ++k)
        stacked += Gff("mRNA", 10 + k, 290, "ID=s" + std::to_string(k)) +
                   Gff("exon", 10 + k, 290, "Parent=s" + std::to_string(k));
    Import("stacked.gff3", stacked + kAnchors);
    const QImage image = Render(true);
    // Four lanes of 12 pixels; "+2" at the right, under the band.
    EXPECT_NE(image.pixel(X(100), 96 + 3 * 12 + 2), kWhite);
    bool written = false;
    for (int x = 300; x < kWidth; ++x) {
        for (int y = 146; y < 160; ++y)
            written = written || image.pixel(x, y) != kWhite;
    }
    EXPECT_TRUE(written);
}

TEST_F(GeneModelRenderTest, NamesNeverCoverAnotherNameOrModel) {
    std::string crowd;
    for (int k = 0; k < 60; ++k) {
        const int start = 1 + (k * 37) % 260;
        const std::string id = "tx" + std::to_string(k);
        crowd += Gff("mRNA", start, start + 5 + (k * 13) % 40, "ID=" + id + ";Name=" + id) +
                 Gff("exon", start, start + 5, "Parent=" + id);
    }
    Import("crowd.gff3", crowd + kAnchors);
    Genome().Store().SortChromosomeNames();
    const ViewGeometry geometry = PaneImage::Layout(Genome(), "chr1", {1, 300}, kWidth, false);
    Render(true);  // drawing the pane finds its models
    const ChromosomeDataset& track = *Genome().Store().FindTrack("chr1", "mRNA");
    const TrackModels models(track);
    const RenderResources resources(1.0);
    const GeneModelLayout layout(track, models, geometry, kWidth, 95, 145, &resources.small);
    ASSERT_TRUE(layout.IsDrawn());
    int written = 0;
    for (const GeneModelLayout::Placed& named : layout.GetPlaced()) {
        if (named.nameBox.isEmpty())
            continue;
        ++written;
        for (const GeneModelLayout::Placed& other : layout.GetPlaced()) {
            if (other.lane < 0)
                continue;
            const QRect box(other.left, layout.GlyphTop(other.lane), other.right - other.left,
                            layout.GetGlyphHeight());
            EXPECT_FALSE(named.nameBox.intersects(box)) << named.name.toStdString();
            if (&other != &named) {
                EXPECT_FALSE(named.nameBox.intersects(other.nameBox)) << named.name.toStdString();
            }
        }
    }
    EXPECT_GT(written, 0);
}

}  // namespace
