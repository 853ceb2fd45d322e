#pragma once

// The whole program behind main(): a headless run when the arguments ask for one.
int LocuscopeMain(int argc, char** argv);
