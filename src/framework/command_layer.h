#pragma once

#include <QHash>
#include <QKeySequence>
#include <QObject>
#include <QString>
#include <functional>
#include <vector>

#include "framework/command_target.h"

class QAction;
class QMenu;
class QTimer;
class QWidget;

// One QAction per command id. A trigger goes to the first target of the route that handles
// the command; the same route answers the enable/check/text rule before a menu opens and, for
// actions on toolbars, on a short idle timer. A command that no target handles is disabled.
class CCommandLayer : public QObject {
    Q_OBJECT

public:
    struct Command {
        int id;
        // As menus show it: '&' marks the mnemonic, a tab leads the accelerator's own text
        // ("Next Item\t->"), which menus show as it stands.
        QString menuText;
        QKeySequence shortcut;  // bound to the owner window; empty for none
        QString statusTip;
        QString toolTip;  // the menu text without accelerator when empty
        bool checkable = false;
    };
    using RouteProvider = std::function<std::vector<CCommandTarget*>()>;

    // Actions are children of owner, so their shortcuts work wherever owner has focus.
    explicit CCommandLayer(QWidget* owner);

    void SetRouteProvider(RouteProvider provider) { route_ = std::move(provider); }

    QAction* Register(const Command& command);
    // A further key for a registered command (the menu still shows the first).
    void AddShortcut(int id, const QKeySequence& keys);
    // The action of a registered id; null for an unknown id.
    QAction* Action(int id) const { return actions_.value(id, nullptr); }
    // A menu whose actions are brought up to date each time it opens.
    void WatchMenu(QMenu* menu);
    // Actions brought up to date on the idle timer (toolbar buttons).
    void WatchAction(QAction* action);

    // Runs a command along the route; false when no target handles it.
    bool Execute(int id);
    // Runs a command only when its rule enables it, as keyboard accelerators do.
    bool ExecuteIfEnabled(int id);
    // Asks the route for the command's state and applies it to its action.
    void Update(int id);
    void UpdateWatched();

signals:
    // On every tick of the idle timer, after the watched actions were updated.
    void Idle();

private:
    std::vector<CCommandTarget*> Route() const { return route_ ? route_() : std::vector<CCommandTarget*>(); }

    QWidget* owner_;
    RouteProvider route_;
    QHash<int, QAction*> actions_;
    QHash<int, QString> registeredTexts_;
    std::vector<int> watched_;
    QTimer* idleTimer_;
};
