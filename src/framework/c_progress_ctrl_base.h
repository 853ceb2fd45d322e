#pragma once

#include <QString>
#include <QWidget>
#include <string>

// A progress bar that draws its own text over the bar: an optional prefix, the percentage (or
// "Processing..." while busy) and an optional suffix. A position of -1 puts it into busy mode,
// in which a block a fifth of the bar wide moves back and forth by one pixel per update.
// Colours come from the palette: Highlight for the bar and for text on the background, Base
// for the background and HighlightedText for text on the bar.
class CProgressCtrlBase : public QWidget {
    Q_OBJECT

public:
    explicit CProgressCtrlBase(QWidget* parent = nullptr);

    // Stores the bounds and repaints. Refuses inverted bounds (lower > upper) with false and
    // keeps the old ones. Nothing is drawn while lower == upper.
    bool SetRange(float lower, float upper);
    // True only when lower < upper.
    bool GetRange(float& lower, float& upper) const;
    // Moves the bar to position and returns the previous whole-number position. A negative
    // position means busy (exactly -1) or unknown; while the bar is busy, further negative
    // calls within kBusyIntervalMilliseconds of the last accepted one are ignored and return
    // the stored position, which bounds the repaint rate of the moving block.
    float SetPos(float position);
    // SetPos(position + step).
    float StepIt();
    float SetStep(float step);  // returns the previous step
    float GetStep() const { return step_; }
    float GetPos() const { return position_; }
    bool IsBusy() const { return busy_; }
    int BusyOffset() const { return busyOffset_; }

    void SetPrefix(const std::string& prefix);
    void SetSuffix(const std::string& suffix);
    void SetShowPercent(bool show);

    // The text drawn over the bar for the current state.
    QString DisplayText() const;

    // One step of the busy block in a bar width pixels wide: the offset moves by step, and
    // the step turns round where the block would reach the right edge or leave the left one.
    static void MoveBusyBlock(int width, int& offset, int& step);

    static constexpr int kBusyIntervalMilliseconds = 20;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString prefix_;
    QString suffix_;
    bool showPercent_ = true;
    int busyOffset_ = 0;
    int busyStep_ = 1;
    float position_ = 0.0f;
    int wholePosition_ = 0;  // the position as the bar last reported it
    bool busy_ = false;
    float lower_ = 0.0f;
    float upper_ = 1.0f;
    float step_ = 1.0f;
    int lastBusyUpdate_;
};
