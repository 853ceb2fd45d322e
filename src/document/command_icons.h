#pragma once

#include <QIcon>

// The toolbar picture of a command, drawn by the program; a null icon for commands that only
// live in menus.
QIcon CommandIcon(int commandId);
