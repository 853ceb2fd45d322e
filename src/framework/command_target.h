#pragma once

#include <QString>

// What a command looks like right now: the enable/check rule's answer, and a menu text when
// the rule changes it (empty keeps the registered text).
struct CommandState {
    bool enabled = true;
    bool checked = false;
    QString text;
};

// Anything on the command route: the active view, its document, the child frame, the main
// frame and the application. The first target that answers handles the command.
class CCommandTarget {
public:
    virtual ~CCommandTarget() = default;

    // Runs the command and returns true when this target handles it.
    virtual bool OnCommand(int id) {
        (void)id;
        return false;
    }
    // Fills state and returns true when this target handles the command.
    virtual bool OnUpdateCommand(int id, CommandState& state) {
        (void)id;
        (void)state;
        return false;
    }
};
