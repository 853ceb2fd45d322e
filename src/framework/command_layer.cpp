#include "framework/command_layer.h"

#include <QAction>
#include <QMenu>
#include <QShortcut>
#include <QTimer>
#include <QWidget>

namespace {
// Often enough that toolbar buttons follow the state at once, rarely enough to cost nothing.
constexpr int kIdleUpdateMilliseconds = 200;
}  // namespace

CCommandLayer::CCommandLayer(QWidget* owner)
    : QObject(owner), owner_(owner), idleTimer_(new QTimer(this)) {
    connect(idleTimer_, &QTimer::timeout, this, &CCommandLayer::UpdateWatched);
    idleTimer_->start(kIdleUpdateMilliseconds);
}

QAction* CCommandLayer::Register(const Command& command) {
    auto* action = new QAction(command.menuText, owner_);
    action->setStatusTip(command.statusTip);
    const QString plain = command.menuText.section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&'));
    action->setToolTip(command.toolTip.isEmpty() ? plain : command.toolTip);
    action->setCheckable(command.checkable);
    const int id = command.id;
    connect(action, &QAction::triggered, this, [this, id] {
        Execute(id);
        // A checkable action toggles itself on a click; the route decides what it shows.
        Update(id);
    });
    // The key is bound apart from the action, so that menus show the accelerator text as
    // written rather than Qt's name of the key.
    if (!command.shortcut.isEmpty())
        AddShortcut(id, command.shortcut);
    actions_.insert(id, action);
    registeredTexts_.insert(id, command.menuText);
    return action;
}

void CCommandLayer::AddShortcut(int id, const QKeySequence& keys) {
    auto* shortcut = new QShortcut(keys, owner_);
    shortcut->setContext(Qt::WindowShortcut);
    connect(shortcut, &QShortcut::activated, this, [this, id] { ExecuteIfEnabled(id); });
}

void CCommandLayer::WatchMenu(QMenu* menu) {
    connect(menu, &QMenu::aboutToShow, this, [this, menu] {
        for (QAction* action : menu->actions()) {
            const int id = actions_.key(action, 0);
            if (id != 0)
                Update(id);
        }
    });
}

void CCommandLayer::WatchAction(QAction* action) {
    const int id = actions_.key(action, 0);
    if (id != 0)
        watched_.push_back(id);
}

bool CCommandLayer::Execute(int id) {
    for (CCommandTarget* target : Route()) {
        if (target != nullptr && target->OnCommand(id))
            return true;
    }
    return false;
}

bool CCommandLayer::ExecuteIfEnabled(int id) {
    Update(id);
    QAction* action = Action(id);
    if (action == nullptr || !action->isEnabled())
        return false;
    const bool handled = Execute(id);
    Update(id);
    return handled;
}

void CCommandLayer::Update(int id) {
    QAction* action = Action(id);
    if (action == nullptr)
        return;
    CommandState state;
    bool answered = false;
    for (CCommandTarget* target : Route()) {
        if (target != nullptr && target->OnUpdateCommand(id, state)) {
            answered = true;
            break;
        }
    }
    if (!answered)
        state.enabled = false;
    action->setEnabled(state.enabled);
    if (action->isCheckable())
        action->setChecked(state.checked);
    action->setText(state.text.isEmpty() ? registeredTexts_.value(id) : state.text);
}

void CCommandLayer::UpdateWatched() {
    for (const int id : watched_)
        Update(id);
    emit Idle();
}
