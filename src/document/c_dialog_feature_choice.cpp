#include "document/c_dialog_feature_choice.h"

#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QStyle>
#include <QTreeWidget>
#include <algorithm>

#include "document/pane_label.h"
#include "framework/display_text.h"

CDialogFeatureChoice::CDialogFeatureChoice(const FeatureNameIndex::Lookup& lookup, QWidget* parent)
    : CDialogBase(parent), list_(new QTreeWidget(this)) {
    setWindowTitle(QStringLiteral("Choose a Feature"));
    std::string question = PaneLabel::GroupedNumber(lookup.count) + " features are named " +
                           lookup.name + ". Choose the one to show.";
    if (lookup.count > lookup.matches.size())
        question +=
            " The first " + PaneLabel::GroupedNumber(lookup.matches.size()) + " are listed.";
    auto* label = new QLabel(DisplayText::From(question), this);
    label->setWordWrap(true);

    list_->setObjectName(QStringLiteral("features"));
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setAllColumnsShowFocus(true);
    list_->setHeaderLabels(
        {QStringLiteral("Name"), QStringLiteral("Track"), QStringLiteral("Place")});
    QList<QTreeWidgetItem*> rows;
    for (const FeatureMatch& match : lookup.matches) {
        rows.append(
            new QTreeWidgetItem({DisplayText::From(match.name), DisplayText::From(match.trackName),
                                 DisplayText::From(PaneLabel::Format(match.chromosomeName,
                                                                     {match.start, match.stop}))}));
    }
    list_->addTopLevelItems(rows);
    // Columns as wide as their texts, with room to tell one from the next.
    const int columnGap = fontMetrics().averageCharWidth() * 2;
    for (int column = 0; column < list_->columnCount(); ++column) {
        list_->resizeColumnToContents(column);
        list_->setColumnWidth(column, list_->columnWidth(column) + columnGap);
    }
    list_->setCurrentItem(list_->topLevelItem(0));
    const int rowHeight = list_->sizeHintForRow(0);
    list_->setMinimumHeight(rowHeight * kShownRows + list_->header()->sizeHint().height() +
                            2 * list_->frameWidth());
    // Long scaffold names scroll rather than widen the dialog past a screen.
    list_->setMinimumWidth(std::min(list_->header()->length() + 2 * list_->frameWidth() +
                                        style()->pixelMetric(QStyle::PM_ScrollBarExtent),
                                    kLargestListWidth));
    connect(list_, &QTreeWidget::itemDoubleClicked, this, &CDialogFeatureChoice::accept);

    auto* form = new QFormLayout;
    form->addRow(label);
    form->addRow(list_);
    LayOutWithOkCancel(form);
    list_->setFocus();
    InitDialogBase();
}

int CDialogFeatureChoice::GetChosenRow() const {
    const int row = list_->indexOfTopLevelItem(list_->currentItem());
    return row < 0 ? 0 : row;
}
