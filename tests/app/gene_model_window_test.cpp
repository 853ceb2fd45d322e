// Gene models in the window: what the pointer says over one, and the View option, through real
// mouse events and menu commands on the offscreen platform.
#include <gtest/gtest.h>

#include <QStatusBar>
#include <QTest>

#include "app/c_splash_wnd.h"
#include "app/locuscope_app.h"
#include "document/command_ids.h"
#include "document/locuscope_document.h"
#include "document/locuscope_main_frame.h"
#include "framework/child_frame_base.h"
#include "framework/command_layer.h"
#include "framework/settings.h"
#include "support/scratch_file.h"
#include "view/locuscope_view.h"

namespace {

// A transcript on the reverse strand: its exons count from the right.
const char kTranscript[] =
    "chr1\ts\tmRNA\t1001\t2000\t.\t-\t.\tID=t1;Name=tub-RA\n"
    "chr1\ts\texon\t1001\t1100\t.\t-\t.\tParent=t1\n"
    "chr1\ts\texon\t1401\t1500\t.\t-\t.\tParent=t1\n"
    "chr1\ts\texon\t1801\t2000\t.\t-\t.\tParent=t1\n";
const char kDescription[] = "Score: 0.000 Pos: 1001 - 2000 Attr: ID=t1;Name=tub-RA";

class GeneModelWindowTest : public testing::Test {
protected:
    GeneModelWindowTest() : file_("tub.gff3", kTranscript) {
        CSplashWnd::EnableSplashScreen(false);
        WriteSettingInt("Main", "ShowGeneModels", 1);
        EXPECT_TRUE(app_->InitInstance({QString::fromStdString(file_.Path())}));
        Document().ChoosePane("chr1:1001-2000");
        View().grab();
    }

    LocuscopeMainFrame& Frame() { return *app_->MainFrame(); }
    LocuscopeDocument& Document() { return *Frame().GetActiveDocument(); }
    LocuscopeView& View() {
        return *static_cast<LocuscopeView*>(Frame().GetActiveChildFrame()->GetView());
    }
    // The point over base position in the first row, a little below the top of its models.
    QPoint Over(uint32_t position) {
        const int x = View().Geometry().PositionToX(position, 1, View().UsableRect().width());
        return {x, View().Geometry().rowTops.at(0) + 23};
    }

    ScratchFile file_;
    std::unique_ptr<LocuscopeApp> app_ = std::make_unique<LocuscopeApp>();
};

TEST_F(GeneModelWindowTest, ThePointerNamesTheTranscriptAndTheExonOrIntronUnderIt) {
    QTest::mouseMove(&View(), Over(1450));
    EXPECT_EQ(View().PointerInfo(), std::string("tub-RA, exon 2 of 3: ") + kDescription);
    EXPECT_EQ(Frame().statusBar()->currentMessage().toStdString(),
              std::string("tub-RA, exon 2 of 3: ") + kDescription);
    QTest::mouseMove(&View(), Over(1050));
    EXPECT_EQ(View().PointerInfo(), std::string("tub-RA, exon 3 of 3: ") + kDescription);
    QTest::mouseMove(&View(), Over(1250));
    EXPECT_EQ(View().PointerInfo(), std::string("tub-RA, intron 2 of 2: ") + kDescription);
    // Below the model, in the empty lanes of its row: nothing.
    QTest::mouseMove(&View(), Over(1450) + QPoint(0, 30));
    EXPECT_EQ(View().PointerInfo(), "");
}

TEST_F(GeneModelWindowTest, TheViewOptionTurnsModelsOffAndIsRemembered) {
    CCommandLayer& commands = Frame().Commands();
    commands.Update(CommandId::kShowGeneModels);
    EXPECT_TRUE(commands.Action(CommandId::kShowGeneModels)->isChecked());
    ASSERT_TRUE(commands.ExecuteIfEnabled(CommandId::kShowGeneModels));
    View().grab();
    // The mRNA is one bar again, and the pointer describes it as before.
    QTest::mouseMove(&View(), Over(1250));
    EXPECT_EQ(View().PointerInfo(), kDescription);

    app_.reset();  // the program ends
    EXPECT_EQ(ReadSettingInt("Main", "ShowGeneModels", 1), 0);
}

}  // namespace
