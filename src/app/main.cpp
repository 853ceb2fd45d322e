#include "app/locuscope_main.h"

int main(int argc, char** argv) {
    return LocuscopeMain(argc, argv);
}
