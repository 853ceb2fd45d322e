#include "document/feature_name_command.h"

#include <QApplication>

#include "document/c_dialog_feature_choice.h"
#include "document/locuscope_document.h"
#include "document/long_operation_guard.h"
#include "document/pane_label.h"
#include "document/pane_view.h"
#include "framework/owner_modal_dialog.h"

namespace {

constexpr int kProgressSteps = 1000;

}  // namespace

std::optional<FeatureNameIndex::Lookup> FeatureNameCommand::Find(LocuscopeDocument& document,
                                                                 const std::string& name) {
    std::optional<FeatureNameIndex::Lookup> lookup =
        document.FeatureNames.Find(document.Genome(), name);
    if (lookup || document.IsBusy())
        return lookup;
    const uint64_t features = document.Genome().Store().GetStoredFeatures();
    bool built = false;
    if (features > kFeaturesIndexedAtOnce) {
        LongOperationGuard operation(document, "Find Feature", "Total Progress", "",
                                     kProgressSteps);
        document.ReportMessage("Reading the names of " + PaneLabel::GroupedNumber(features) +
                               " features");
        built = document.FeatureNames.Build(document.Genome(), &document);
    } else {
        built = document.FeatureNames.Build(document.Genome(), nullptr);
    }
    if (!built)
        return std::nullopt;
    return document.FeatureNames.Find(document.Genome(), name);
}

FeatureNameCommand::Choice FeatureNameCommand::Choose(LocuscopeDocument& document,
                                                      const std::string& name, QWidget* parent,
                                                      FeatureMatch& chosen) {
    const std::optional<FeatureNameIndex::Lookup> lookup = Find(document, name);
    if (!lookup)
        return Choice::kCancelled;
    if (lookup->matches.empty())
        return Choice::kNoFeature;
    if (lookup->matches.size() == 1) {
        chosen = lookup->matches.front();
        return Choice::kChosen;
    }
    // Modal by disabling its owner, so that closing the main window can still end it.
    CDialogFeatureChoice dialog(*lookup, parent != nullptr ? parent : QApplication::activeWindow());
    if (OwnerModalDialog::Exec(dialog) != QDialog::Accepted)
        return Choice::kCancelled;
    chosen = lookup->matches.at(static_cast<size_t>(dialog.GetChosenRow()));
    return Choice::kChosen;
}

void FeatureNameCommand::Show(LocuscopeDocument& document, const FeatureMatch& feature) {
    const Range shown = FeatureNameIndex::ShownRange(feature.start, feature.stop);
    document.SetPaneJumpRange(feature.chromosomeName, shown.first, shown.second);
    document.NavigateToPane(feature.chromosomeName, true);
    document.UpdateAllViews();
    // The view keeps the width asked for but shifts a range that reaches past the pane's data.
    if (PaneView* view = document.GetFirstView())
        view->SetVisibleRange(shown.first, shown.second);
}
