#pragma once

#include <string>

class LocuscopeDocument;

// What a document tells the window around it. The main frame listens so that its pane selector
// follows the document; a document without a listener (headless runs, tests) tells no one.
class DocumentEvents {
public:
    virtual ~DocumentEvents() = default;

    // The pane list, the current pane or the whole data changed: refill what lists panes.
    virtual void PanesChanged(LocuscopeDocument& document) = 0;
    // Only the current pane changed; the list is as it was.
    virtual void CurrentPaneChanged(LocuscopeDocument& document) = 0;
    // Only the visible range of one pane changed (a scroll or a zoom): relabel that pane.
    virtual void PaneRangeChanged(LocuscopeDocument& document, const std::string& paneName) = 0;
    // A workspace changed the view options the document was given: every view draws again.
    virtual void ViewOptionsChanged() = 0;
};
