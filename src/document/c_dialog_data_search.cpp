#include "document/c_dialog_data_search.h"

#include <QBoxLayout>
#include <QFontDatabase>
#include <QFontInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

#include "document/locuscope_document.h"
#include "document/search_result_model.h"
#include "framework/message_box.h"
#include "framework/settings.h"

CDialogDataSearch::CDialogDataSearch(LocuscopeDocument& document, QWidget* parent)
    : CDialogBase(parent),
      document_(document),
      searchString_(new QLineEdit(this)),
      results_(new QTableView(this)),
      model_(new SearchResultModel(document, this)),
      findButton_(new QPushButton(QStringLiteral("Find"), this)) {
    setWindowTitle(QStringLiteral("Search Dialog"));
    searchString_->setObjectName(QStringLiteral("searchString"));
    searchString_->setText(
        QString::fromStdString(ReadSettingString(kSettingsSection, kSearchStringKey, "")));

    results_->setObjectName(QStringLiteral("results"));
    SetListFont();
    // Rows of one height, fixed before the rows arrive: the list then shows millions of them
    // without measuring any.
    results_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    results_->verticalHeader()->setDefaultSectionSize(results_->fontMetrics().height() + 4);
    results_->verticalHeader()->hide();
    results_->setModel(model_);
    results_->setSelectionBehavior(QAbstractItemView::SelectRows);
    results_->setSelectionMode(QAbstractItemView::SingleSelection);
    results_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    results_->setWordWrap(false);
    results_->setAlternatingRowColors(false);
    for (int column = 0; column < SearchResultModel::kColumnCount; ++column)
        results_->setColumnWidth(column, kColumnWidths[column]);
    results_->horizontalHeader()->setStretchLastSection(true);

    auto* goToButton = new QPushButton(QStringLiteral("Go to Selected"), this);
    auto* doneButton = new QPushButton(QStringLiteral("Done"), this);
    findButton_->setDefault(true);
    goToButton->setAutoDefault(false);
    doneButton->setAutoDefault(false);
    connect(findButton_, &QPushButton::clicked, this, &CDialogDataSearch::OnFind);
    connect(goToButton, &QPushButton::clicked, this, &CDialogDataSearch::OnGoToSelected);
    connect(doneButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(results_, &QAbstractItemView::doubleClicked, this,
            &CDialogDataSearch::OnGoToSelected);

    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(new QLabel(QStringLiteral("Search String"), this));
    searchRow->addWidget(searchString_, 1);
    searchRow->addWidget(findButton_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(goToButton);
    buttons->addStretch();
    buttons->addWidget(doneButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(searchRow);
    layout->addWidget(new QLabel(QStringLiteral("Results"), this));
    layout->addWidget(results_, 1);
    layout->addLayout(buttons);
    int listWidth = 0;
    for (const int width : kColumnWidths)
        listWidth += width;
    resize(listWidth + layout->contentsMargins().left() * 4, 420);
    setTabOrder(searchString_, findButton_);

    const int last = document_.LastSearchRow;
    if (last >= 0 && last < model_->rowCount()) {
        results_->selectRow(last);
        results_->scrollTo(model_->index(last, 0));
    }
    InitDialogBase();
}

void CDialogDataSearch::SetListFont() {
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPixelSize(kFontPixelHeight);
    font.setWeight(QFont::Normal);
    // Where no face of that family or a metric twin exists, the system's fixed-width font.
    if (!QFontInfo(font).fixedPitch()) {
        font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        font.setPixelSize(kFontPixelHeight);
    }
    results_->setFont(font);
}

void CDialogDataSearch::OnFind() {
    const std::string text = searchString_->text().toStdString();
    WriteSettingString(kSettingsSection, kSearchStringKey, text);
    document_.LastSearchRow = -1;
    document_.SearchAttributes(text);
    model_->Refresh();
    if (model_->rowCount() > 0) {
        results_->selectRow(0);
        OnGoToSelected();
    }
}

void CDialogDataSearch::OnGoToSelected() {
    const QModelIndexList rows = results_->selectionModel()->selectedRows();
    if (rows.isEmpty())
        return;
    const int row = rows.first().row();
    if (row < 0 || static_cast<size_t>(row) >= document_.GetSearchResults().size()) {
        ShowMessageBox("Internal Error");
        return;
    }
    document_.LastSearchRow = row;
    const SearchResult result = document_.GetSearchResults()[static_cast<size_t>(row)];
    document_.GoToSearchResult(result.PaneName, result.TrackName, result.Start);
}
