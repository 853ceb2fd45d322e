// Milliseconds per scroll step and per pane change in a window showing a draft assembly of
// 30,000 one-track scaffolds: the pane selector must relabel one entry on a scroll and refill
// only when the pane list changes. Drives the real window offscreen:
//   pane_selector_benchmark [benchmark flags]
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QToolButton>
#include <fstream>
#include <memory>

#include "app/c_splash_wnd.h"
#include "app/locuscope_app.h"
#include "document/locuscope_document.h"
#include "document/locuscope_main_frame.h"
#include "framework/c_up_down_control.h"
#include "framework/child_frame_base.h"
#include "view/locuscope_view.h"

namespace {

constexpr int kScaffolds = 30000;

struct Window {
    QTemporaryDir folder;
    LocuscopeApp app;
    LocuscopeView* view = nullptr;
    QScrollBar* horizontal = nullptr;
    QToolButton* down = nullptr;
    QToolButton* up = nullptr;

    Window() {
        qputenv("XDG_CONFIG_HOME", folder.path().toLocal8Bit());
        const std::string path = folder.filePath("draft.gff").toStdString();
        std::ofstream file(path);
        for (int i = 0; i < kScaffolds; ++i)
            file << "scaffold_" << i << "\ts\tgene\t" << 1000 + i << '\t' << 900000 + i
                 << "\t1\t+\t.\tID=g" << i << '\n';
        file.close();
        CSplashWnd::EnableSplashScreen(false);
        app.InitInstance({QString::fromStdString(path)});
        LocuscopeMainFrame& frame = *app.MainFrame();
        view = static_cast<LocuscopeView*>(frame.GetActiveChildFrame()->GetView());
        for (QScrollBar* bar : view->findChildren<QScrollBar*>())
            if (bar->orientation() == Qt::Horizontal)
                horizontal = bar;
        const QList<QToolButton*> arrows =
            frame.findChild<CUpDownControl*>()->findChildren<QToolButton*>();
        up = arrows[0]->y() < arrows[1]->y() ? arrows[0] : arrows[1];
        down = up == arrows[0] ? arrows[1] : arrows[0];
        // Zoomed in, so that scrolling has room to move.
        frame.GetActiveDocument()->ChoosePane("scaffold_0:100,000-200,000");
        QApplication::processEvents();
    }
};

std::unique_ptr<Window>& WindowHolder() {
    static std::unique_ptr<Window> window;
    return window;
}

Window& TheWindow() {
    if (!WindowHolder())
        WindowHolder() = std::make_unique<Window>();
    return *WindowHolder();
}

// One step of the horizontal scroll bar, as a click on its arrow does, with the repaint.
void ScrollStep(benchmark::State& state) {
    Window& window = TheWindow();
    bool forward = true;
    for (auto _ : state) {
        window.horizontal->triggerAction(forward ? QAbstractSlider::SliderPageStepAdd
                                                 : QAbstractSlider::SliderPageStepSub);
        QApplication::processEvents();
        forward = !forward;
    }
}

// The same step without the repaint: what the scroll costs the document and the selector.
void ScrollStepWithoutPaint(benchmark::State& state) {
    Window& window = TheWindow();
    bool forward = true;
    for (auto _ : state) {
        window.horizontal->triggerAction(forward ? QAbstractSlider::SliderPageStepAdd
                                                 : QAbstractSlider::SliderPageStepSub);
        forward = !forward;
    }
    QApplication::processEvents();
}

// One click on the pane stepper's arrow: the next pane is shown and the selector follows.
void PaneChange(benchmark::State& state) {
    Window& window = TheWindow();
    bool forward = true;
    for (auto _ : state) {
        (forward ? window.down : window.up)->click();
        QApplication::processEvents();
        forward = !forward;
    }
}

BENCHMARK(ScrollStep)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ScrollStepWithoutPaint)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(PaneChange)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    WindowHolder().reset();  // the window goes before the application object
    return 0;
}
