#pragma once

#include <QWidget>

class QToolButton;

// A pair of arrow buttons, one above the other, that step through a list: Stepped(-1) for the
// upper arrow, Stepped(+1) for the lower one.
class CUpDownControl : public QWidget {
    Q_OBJECT

public:
    explicit CUpDownControl(QWidget* parent = nullptr);

signals:
    void Stepped(int delta);

private:
    QToolButton* up_;
    QToolButton* down_;
};
