#pragma once

#include <QString>

// Turns a filter written "description|patterns|description|patterns||" (patterns separated by
// ';') into Qt's "description (patterns);;..." form.
QString ToQtFileFilter(const QString& filter);
