#pragma once

#include <QList>
#include <QToolBar>

class QAction;

// A toolbar that can host controls in place of buttons.
class CToolBarBase : public QToolBar {
    Q_OBJECT

public:
    explicit CToolBarBase(const QString& title, QWidget* parent = nullptr);

    // Puts control, width pixels wide, in the place of the button of action and keeps it in the
    // toolbar's control list; returns control, or null when action is not on this toolbar (the
    // control is then deleted).
    QWidget* InsertControl(QWidget* control, QAction* action, int width);
    const QList<QWidget*>& Controls() const { return controls_; }

private:
    QList<QWidget*> controls_;
};
