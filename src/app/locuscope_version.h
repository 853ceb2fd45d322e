#pragma once

#include <QString>

// The program's version, "2.0.0.5" say: the project version the build was configured with,
// the one source for --version, the About box and the splash picture.
QString LocuscopeVersion();
