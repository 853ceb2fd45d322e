#include "framework/c_up_down_control.h"

#include <QToolButton>
#include <QVBoxLayout>

namespace {

QToolButton* MakeArrow(Qt::ArrowType arrow, const QString& toolTip, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setToolTip(toolTip);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    return button;
}

}  // namespace

CUpDownControl::CUpDownControl(QWidget* parent)
    : QWidget(parent),
      up_(MakeArrow(Qt::UpArrow, tr("Previous pane"), this)),
      down_(MakeArrow(Qt::DownArrow, tr("Next pane"), this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(up_);
    layout->addWidget(down_);
    connect(up_, &QToolButton::clicked, this, [this] { emit Stepped(-1); });
    connect(down_, &QToolButton::clicked, this, [this] { emit Stepped(+1); });
}
