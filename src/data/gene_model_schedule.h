#pragma once

#include <string>
#include <unordered_set>

class GenomeStore;

// The chromosomes whose gene models are still to be found. An import marks the chromosomes it
// brought GFF items to, and a deletion or its undo those whose tracks changed; the models of a
// pane are found just before it is first drawn. So an import, and a report, search or export
// that draws nothing, never pays for linking, and a draft assembly is linked scaffold by
// scaffold as the user looks at it.
class GeneModelSchedule {
public:
    // The chromosome's models are to be found before it is next drawn.
    void Mark(const std::string& chromosomeName) { due_.insert(chromosomeName); }
    // As Mark, and the chromosome's tracks draw no models until then: tracks have left it or
    // come back, and the models found before may show parts of tracks that are gone.
    void MarkChanged(const GenomeStore& store, const std::string& chromosomeName);
    bool IsDue(const std::string& chromosomeName) const { return due_.count(chromosomeName) != 0; }
    // True when the chromosome's tracks draw models, or will once they are found: a change to
    // its tracks must then be marked.
    bool HasModels(const GenomeStore& store, const std::string& chromosomeName) const;
    void Clear() { due_.clear(); }

    // Finds the models of the pane's chromosome when they are due ("All Tracks": of every
    // chromosome that is due, several at once). A chromosome for which memory runs out is left
    // without models, and not tried again until it is marked again.
    void LinkDue(const GenomeStore& store, const std::string& paneName);

private:
    std::unordered_set<std::string> due_;
};
