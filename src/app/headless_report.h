#pragma once

#include <cstdio>

#include "data/genome_dataset.h"
#include "import/import_outcome.h"

// Writes what a document holds as tab-separated lines: the loaded files, every pane with its
// tracks in display order (and, with items, every item of each track), then the totals.
// outcome and errorFlag are those of the import that filled genome; the last line says
// "result" and ok, partial (a file was cut short) or failed.
void WriteHeadlessReport(std::FILE* out, GenomeDataset& genome, bool withItems,
                         ImportOutcome outcome, bool errorFlag);
