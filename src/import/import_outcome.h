#pragma once

// How an import of one or more files ended, from best to worst: of several files, the worst
// counts.
enum class ImportOutcome {
    kComplete,  // every file was read to its end (or the user cancelled)
    kCutShort,  // a file stopped early (too many errors or names, no memory left); what was
                // read stays loaded and the later files were read
    kFailed,    // a file could not be imported or read to its end; the later files were not read
};
