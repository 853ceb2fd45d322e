#include "framework/c_tool_bar_base.h"

#include <QAction>

CToolBarBase::CToolBarBase(const QString& title, QWidget* parent) : QToolBar(title, parent) {}

QWidget* CToolBarBase::InsertControl(QWidget* control, QAction* action, int width) {
    if (action == nullptr || !actions().contains(action)) {
        delete control;
        return nullptr;
    }
    control->setFixedWidth(width);
    control->setFocusPolicy(Qt::StrongFocus);
    insertWidget(action, control);
    removeAction(action);
    controls_.append(control);
    return control;
}
