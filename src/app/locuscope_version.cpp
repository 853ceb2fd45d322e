#include "app/locuscope_version.h"

// LOCUSCOPE_VERSION is given to this one file by the build, so a new version recompiles
// nothing else.
QString LocuscopeVersion() {
    return QStringLiteral(LOCUSCOPE_VERSION);
}
