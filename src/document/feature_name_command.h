#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "data/feature_name_index.h"

class LocuscopeDocument;
class QWidget;

// Finding a feature by its name or ID wherever a place is asked for: the pane selector, Go to
// Position and the headless render's region.
class FeatureNameCommand {
public:
    // Documents with more features than this read their names under a progress dialog; fewer
    // take well under a tenth of a second.
    static constexpr uint64_t kFeaturesIndexedAtOnce = 200000;

    enum class Choice {
        kNoFeature,  // no feature answers to the name
        kCancelled,  // the user cancelled, or the document is busy
        kChosen,
    };

    // The features named name (see FeatureNameIndex). The names are read again first when the
    // document's tracks changed since they were last read: under the progress dialog "Find
    // Feature" (Cancel stops it) in a large document. Nothing when that was cancelled or
    // another long operation runs on the document.
    static std::optional<FeatureNameIndex::Lookup> Find(LocuscopeDocument& document,
                                                        const std::string& name);
    // Find, then the one feature; of several, the one the user picks from a list shown over
    // parent (null: the active window).
    static Choice Choose(LocuscopeDocument& document, const std::string& name, QWidget* parent,
                         FeatureMatch& chosen);
    // Shows the feature in its pane with its margins (FeatureNameIndex::ShownRange), recording
    // the pane left in the history.
    static void Show(LocuscopeDocument& document, const FeatureMatch& feature);
};
