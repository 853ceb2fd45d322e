// Milliseconds per scroll step and per pane change in a window showing a draft assembly of
// 30,000 one-track scaffolds: the pane selector must relabel one entry on a scroll and refill
// only when the pane list changes. Drives the real window offscreen:
//   pane_selector_benchmark [benchmark flags]
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QScrollBar>
#include <QToolButton>

#include "draft_assembly_window.h"
#include "framework/c_up_down_control.h"
#include "framework/child_frame_base.h"
#include "view/locuscope_view.h"

namespace {

constexpr int kScaffolds = 30000;

struct Window : DraftAssemblyWindow {
    LocuscopeView* view = nullptr;
    QScrollBar* horizontal = nullptr;
    QToolButton* down = nullptr;
    QToolButton* up = nullptr;

    Window() : DraftAssemblyWindow(kScaffolds) {
        view = static_cast<LocuscopeView*>(Frame().GetActiveChildFrame()->GetView());
        for (QScrollBar* bar : view->findChildren<QScrollBar*>())
            if (bar->orientation() == Qt::Horizontal)
                horizontal = bar;
        const QList<QToolButton*> arrows =
            Frame().findChild<CUpDownControl*>()->findChildren<QToolButton*>();
        up = arrows[0]->y() < arrows[1]->y() ? arrows[0] : arrows[1];
        down = up == arrows[0] ? arrows[1] : arrows[0];
        // Zoomed in, so that scrolling has room to move.
        Document().ChoosePane("scaffold_0:100,000-200,000");
        QApplication::processEvents();
    }
};

Window& TheWindow() {
    return WindowHolder<Window>::Get();
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
    WindowHolder<Window>::Reset();  // the window goes before the application object
    return 0;
}
