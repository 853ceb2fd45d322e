#pragma once

#include <cstdio>

#include "data/genome_dataset.h"

// Writes what a document holds as tab-separated lines: the loaded files, every pane with its
// tracks in display order (and, with items, every item of each track), then the totals.
// importSucceeded and errorFlag are the outcome of the import that filled genome.
void WriteHeadlessReport(std::FILE* out, GenomeDataset& genome, bool withItems,
                         bool importSucceeded, bool errorFlag);
