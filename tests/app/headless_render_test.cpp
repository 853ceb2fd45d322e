#include <gtest/gtest.h>

#include <QFile>
#include <QImage>

#include "framework/settings.h"
#include "support/run_locuscope.h"
#include "support/scratch_file.h"

namespace {

// locuscope --render OUT: the format follows OUT's extension.
class HeadlessRenderTest : public testing::Test {
protected:
    static QString Scratch(const std::string& name) {
        return QString::fromStdString(ScratchFile::Folder() + "/" + name);
    }
    static QByteArray Read(const QString& path) {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        return file.readAll();
    }
    RunResult Render(const QString& output, QStringList more = {}) {
        QStringList arguments = {"--render", output};
        arguments << more << "search_export.gff";
        return RunLocuscope(arguments);
    }

    ScratchFile folder_{"keep", ""};  // makes the scratch folder
};

TEST_F(HeadlessRenderTest, EachImageExtensionWritesThatFormatWithItsBackground) {
    struct Case {
        const char* name;
        const char* format;
        bool transparent;  // --transparent given and kept (BMP stays white)
    };
    for (const Case& c :
         {Case{"a.png", "png", true}, Case{"b.PNG", "png", false}, Case{"c.bmp", "bmp", false},
          Case{"d.gif", "gif", true}, Case{"e.tif", "tiff", true}, Case{"f.tiff", "tiff", true}}) {
        SCOPED_TRACE(c.name);
        const QString output = Scratch(c.name);
        const bool ask = c.transparent || QByteArray(c.format) == "bmp";
        const RunResult run = Render(output, ask ? QStringList{"--transparent", "--width", "300"}
                                                 : QStringList{"--width", "300"});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        const QByteArray bytes = Read(output);
        const QImage image = QImage::fromData(bytes, c.format);
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.width(), 300);
        const QRgb corner = image.pixel(2, image.height() - 2);
        EXPECT_EQ(qAlpha(corner), c.transparent ? 0 : 0xFF);
        if (!c.transparent) {
            EXPECT_EQ(corner, 0xFFFFFFFFu);
        }
    }
}

TEST_F(HeadlessRenderTest, SvgAndPdfAreVectorPicturesAndPrintedPages) {
    RunResult run = Render(Scratch("v.svg"));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const QByteArray svg = Read(Scratch("v.svg"));
    EXPECT_TRUE(svg.contains("<svg") && svg.contains(">gene<"));
    EXPECT_FALSE(svg.contains("<image"));

    run = Render(Scratch("p.pdf"));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const QByteArray pdf = Read(Scratch("p.pdf"));
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_TRUE(pdf.contains("/Count 1")) << pdf.left(2000).toStdString();
}

TEST_F(HeadlessRenderTest, ThePictureHoldsTheHeaderEveryRowAndTheGapsBetweenThem) {
    ScratchFile three("three.gff",
                      "chr1\ts\tgene\t100\t900\t1\t+\t.\tID=g\n"
                      "chr1\ts\tmRNA\t100\t900\t1\t+\t.\tID=m\n"
                      "chr1\ts\texon\t100\t300\t1\t+\t.\tID=e\n");
    const RunResult run = RunLocuscope({"--render", Scratch("rows.png"), "--region", "chr1",
                                        QString::fromStdString(three.Path())});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    // Header 130 and its gap 10, three rows of 80 with the two gaps of 6 between them, and 25
    // below: the gaps count, or the last rows of a pane of many tracks would be cut off.
    EXPECT_EQ(QImage(Scratch("rows.png")).height(), 130 + 10 + 3 * 80 + 2 * 6 + 25);
}

TEST_F(HeadlessRenderTest, WidthsOutsideTheDialogsLimitsAreBroughtIntoThem) {
    for (const auto& [asked, made] :
         {std::pair<const char*, int>{"50", 100}, {"40000", 32767}, {"-3", 100}}) {
        const RunResult run = Render(Scratch("w.png"), {"--width", asked});
        ASSERT_EQ(run.exitCode, 0) << asked << run.err;
        EXPECT_EQ(QImage(Scratch("w.png")).width(), made) << asked;
    }
    EXPECT_EQ(Render(Scratch("w.png"), {"--width", "wide"}).exitCode, 2);
}

TEST_F(HeadlessRenderTest, AnUnknownExtensionIsBadUsage) {
    for (const char* name : {"x.jpg", "x", "x.png.txt"}) {
        const RunResult run = Render(Scratch(name));
        EXPECT_EQ(run.exitCode, 2) << name;
        EXPECT_NE(run.err.find("--render writes"), std::string::npos) << run.err;
    }
}

TEST_F(HeadlessRenderTest, APictureTooLargeToMakeIsAnErrorNotACrash) {
    // 110 tracks of 86 pixels at 32767 pixels wide: more than 2^28 pixels.
    std::string gff;
    for (int i = 0; i < 110; ++i)
        gff += "chr1\tsrc\ttype" + std::to_string(i) + "\t1\t100\t1\t+\t.\tID=x\n";
    const ScratchFile input("many.gff", gff);
    const RunResult run = RunLocuscope(
        {"--render", Scratch("big.png"), "--width", "32767", QString::fromStdString(input.Path())});
    EXPECT_EQ(run.exitCode, 1);
    // The message says why: the size, not a file that could not be written.
    EXPECT_NE(run.err.find("Error creating image. (32,767 x "), std::string::npos) << run.err;
    EXPECT_NE(run.err.find(" pixels is more than the 268,435,456 a picture may hold"),
              std::string::npos)
        << run.err;
}

TEST_F(HeadlessRenderTest, GeneModelsFollowTheRememberedOptionUnlessToldOnOrOff) {
    const ScratchFile input("tx.gff3",
                            "chr1\ts\tmRNA\t100\t900\t.\t+\t.\tID=t1\n"
                            "chr1\ts\texon\t100\t200\t.\t+\t.\tParent=t1\n"
                            "chr1\ts\texon\t800\t900\t.\t+\t.\tParent=t1\n");
    const auto render = [&](const char* name, QStringList more) {
        more << QString::fromStdString(input.Path());
        const RunResult run = RunLocuscope(QStringList{"--render", Scratch(name)} + more);
        EXPECT_EQ(run.exitCode, 0) << name << run.err;
        return QImage(Scratch(name));
    };
    const QImage on = render("on.png", {"--gene-models", "on"});
    const QImage off = render("off.png", {"--gene-models", "off"});
    EXPECT_FALSE(on == off);
    EXPECT_TRUE(render("default.png", {}) == on);
    WriteSettingInt("Main", "ShowGeneModels", 0);
    EXPECT_TRUE(render("remembered.png", {}) == off);
    EXPECT_TRUE(render("told.png", {"--gene-models", "on"}) == on);
    WriteSettingInt("Main", "ShowGeneModels", 1);

    const RunResult bad = RunLocuscope({"--render", Scratch("x.png"), "--gene-models", "yes",
                                        QString::fromStdString(input.Path())});
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_NE(bad.err.find("--gene-models takes on or off."), std::string::npos) << bad.err;
}

TEST_F(HeadlessRenderTest, ARegionNamingAFeatureDrawsItWithItsMarginsTheFirstOfSeveral) {
    const ScratchFile input("named.gff",
                            "chr1\ts\tregion\t1\t100000\t.\t+\t.\tID=r1\n"
                            "chr1\ts\tgene\t1001\t2000\t.\t+\t.\tID=g1;Name=BRCA2\n"
                            "chr2\ts\tgene\t500\t600\t.\t+\t.\tName=dup\n"
                            "chr1\ts\texon\t7001\t7100\t.\t+\t.\tID=DUP\n");
    const QString file = QString::fromStdString(input.Path());
    const auto render = [&](const QString& region, const std::string& output) {
        return RunLocuscope({"--render", Scratch(output), "--region", region, file});
    };
    const auto importLines = [](const std::string& err) {
        return err.substr(0, err.find('\n') + 1);
    };
    RunResult run = render("brca2", "name.png");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, importLines(run.err));  // one feature: nothing more to say
    ASSERT_EQ(render("chr1:901-2100", "range.png").exitCode, 0);
    EXPECT_EQ(Read(Scratch("name.png")), Read(Scratch("range.png")));

    run = render("DUP", "first.png");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, importLines(run.err) +
                           "2 features are named DUP; drawing the first: exon chr1:7,001-7,100\n");
    ASSERT_EQ(render("chr1:6991-7110", "range.png").exitCode, 0);
    EXPECT_EQ(Read(Scratch("first.png")), Read(Scratch("range.png")));

    run = render("NOPE", "none.png");
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("--region names no pane of the files: NOPE"), std::string::npos);
    EXPECT_FALSE(QFile::exists(Scratch("none.png")));
}

}  // namespace
