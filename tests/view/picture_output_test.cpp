#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>

#include "data/genome_dataset.h"
#include "view/gif_writer.h"
#include "view/pane_image.h"
#include "view/pane_printer.h"
#include "view/picture_output.h"
#include "view/track_renderer.h"

namespace {

constexpr uint32_t kTrackRed = 0xFFC00000u;

// A pane "chr1" of [1, 1000] with `tracks` tracks of one red item each.
class PictureOutputTest : public testing::Test {
protected:
    void Fill(int tracks) {
        for (int i = 0; i < tracks; ++i) {
            const std::string name = "track" + std::to_string(i);
            genome_.Store().AppendTrackName(name);
            ChromosomeDataset& track = genome_.Store().FindOrCreateTrack("chr1", name);
            ChromosomeItem item;
            item.Stop = 900;
            item.Score = 1.0f;
            item.Color = kTrackRed;
            track.UpdateExtents(100, item.Stop, item.Score);
            track.AddItem(100, item);
            genome_.Colors().AssignTrackColor(track, name);
        }
        genome_.Store().SortChromosomeNames();
    }
    QImage Picture(const QColor& background) {
        return PaneImage::Render(genome_, "chr1", {1, 1000}, 400, false, RenderSettings(),
                                 background);
    }
    PanePrinter::Job Job() const {
        PanePrinter::Job job;
        job.genome = &genome_;
        job.paneName = "chr1";
        job.range = {1, 1000};
        return job;
    }

    GenomeDataset genome_;
};

TEST_F(PictureOutputTest, EveryImageTypeReadsBackWithItsSizeColoursAndTransparency) {
    Fill(2);
    const QImage transparent = Picture(Qt::transparent);
    const QPoint corner(2, transparent.height() - 2);  // background below the last row
    const QPoint bar(75 + 200, 80 + 40);               // inside the first row's item
    for (const std::string type : {"png", "gif", "tiff", "bmp"}) {
        SCOPED_TRACE(type);
        ASSERT_TRUE(PictureOutput::HasEncoder(type));
        const bool white = type == "bmp";  // BMP is always drawn on white
        QByteArray bytes;
        ASSERT_TRUE(
            PictureOutput::EncodeImage(white ? Picture(Qt::white) : transparent, type, bytes));
        const QImage read = QImage::fromData(bytes);
        ASSERT_FALSE(read.isNull());
        EXPECT_EQ(read.size(), transparent.size());
        EXPECT_EQ(read.pixel(bar), kTrackRed);
        EXPECT_EQ(read.pixel(corner), white ? 0xFFFFFFFFu : 0x00000000u)
            << std::hex << read.pixel(corner);
    }
    EXPECT_FALSE(PictureOutput::HasEncoder("jpeg2000"));
    QByteArray unused;
    EXPECT_FALSE(PictureOutput::EncodeImage(transparent, "jpeg2000", unused));
    EXPECT_EQ(PictureOutput::ImageFilter("png"), "png (*.png)|*.png|All Files (*.*)|*.*||");
}

TEST_F(PictureOutputTest, AGifOfManyColoursKeepsTheMostUsedOnesAndItsSize) {
    QImage image(300, 40, QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, x < 200 ? qRgb(10, 200, 30) : qRgb(x, y * 5, 255 - x));
    }
    QByteArray bytes;
    ASSERT_TRUE(GifWriter::Encode(image, bytes));
    const QImage read = QImage::fromData(bytes, "GIF");
    ASSERT_EQ(read.size(), image.size());
    EXPECT_EQ(read.pixel(5, 5), qRgb(10, 200, 30));
    EXPECT_LT(std::abs(qRed(read.pixel(250, 20)) - 250), 40);
    EXPECT_FALSE(GifWriter::Encode(QImage(70000, 1, QImage::Format_ARGB32), bytes));
}

TEST_F(PictureOutputTest, TheMetafileHoldsShapesAndTextNotABitmap) {
    Fill(2);
    ViewGeometry geometry = PaneImage::Layout(genome_, "chr1", {1, 1000}, 400, false);
    QByteArray svg;
    ASSERT_TRUE(PictureOutput::EncodeSvg(QSize(400, 300), [&](QPainter& painter) {
        TrackRenderer(genome_, "chr1", geometry, RenderSettings())
            .DrawAll(painter, QRect(0, 0, 400, 300), Qt::white);
    }, svg));
    EXPECT_TRUE(svg.contains("<svg"));
    EXPECT_TRUE(svg.contains(">track0<")) << svg.left(2000).toStdString();
    EXPECT_TRUE(svg.contains("<path") || svg.contains("<rect"));
    EXPECT_FALSE(svg.contains("<image"));
}

TEST_F(PictureOutputTest, APrintedPageKeepsItsMarginsWhiteAndHoldsOnlyWholeRows) {
    Fill(12);
    // A page of 600 x 800 pixels at 96 dpi: the drawing takes 570 x 760.
    const QRect page(0, 0, 600, 800);
    EXPECT_EQ(PanePrinter::DrawingRect(page), QRect(0, 0, 570, 760));
    // Header 70 + gap 10, then rows of 80 with 6 between: 7 rows to a page of 760.
    PanePrinter pages(Job(), page, PanePrinter::kLayoutDotsPerInch);
    EXPECT_EQ(pages.PageStarts(), (std::vector<size_t>{0, 7}));

    QImage image(page.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::black);
    QPainter painter(&image);
    pages.DrawPage(painter, 1);
    painter.end();
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            if (x >= 570 || y >= 760 || y > 80 + 5 * 86) {  // margins, below the 5 rows
                ASSERT_EQ(image.pixel(x, y), 0xFFFFFFFFu) << x << "," << y;
            }
        }
    }
    EXPECT_EQ(image.pixel(75 + 200, 80 + 40), kTrackRed);  // the first row of the page
}

TEST_F(PictureOutputTest, APrintedPageLooksAsTheScreensPassOfTheSameRows) {
    // Printing draws the outlines of bars opaque, in the colour they give over their bar.
    Fill(3);
    const QRect page(0, 0, 600, 800);
    QImage printed(page.size(), QImage::Format_ARGB32_Premultiplied);
    QPainter printer(&printed);
    PanePrinter(Job(), page, PanePrinter::kLayoutDotsPerInch).DrawPage(printer, 0);
    printer.end();

    QImage screen(page.size(), QImage::Format_ARGB32_Premultiplied);
    screen.fill(Qt::white);
    QPainter painter(&screen);
    ViewGeometry geometry =
        PaneImage::Layout(genome_, "chr1", {1, 1000}, 570, false, PanePrinter::kPrintedTrackHeight);
    TrackRenderer(genome_, "chr1", geometry, RenderSettings())
        .DrawAll(painter, QRect(0, 0, 570, 760), Qt::white);
    painter.end();
    int outlinePixels = 0;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            const QRgb a = printed.pixel(x, y);
            const QRgb b = screen.pixel(x, y);
            ASSERT_LE(std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                          std::abs(qBlue(a) - qBlue(b)),
                      3)
                << x << "," << y << std::hex << " " << a << " " << b;
            outlinePixels += qRed(b) < 0xC0 && qRed(b) > 0x40 ? 1 : 0;  // dark outline on red
        }
    }
    EXPECT_GT(outlinePixels, 100);
}

TEST_F(PictureOutputTest, PrintingToAPdfPrinterWritesOnePagePerPageOfRows) {
    Fill(12);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("print.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A5), QPageLayout::Portrait,
                                      QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
    const int pages = PanePrinter::Print(printer, Job());
    EXPECT_EQ(pages, 2);  // A5 at 96 dpi: 559 x 794 layout pixels less margins, 7 rows a page
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray pdf = file.readAll();
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_EQ(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") +
                  pdf.count("/Type /Page/") + pdf.count("/Type /Page "),
              pages)
        << pdf.left(3000).toStdString();
}

}  // namespace
