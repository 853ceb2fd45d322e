#include "document/search_result_model.h"

#include <climits>

#include "data/percent_decoding.h"
#include "document/locuscope_document.h"
#include "framework/display_text.h"

namespace {

const char* const kColumnTitles[SearchResultModel::kColumnCount] = {"Pane", "Track", "Start", "End",
                                                                    "Attribute"};

QString Cut(std::string_view text) {
    return DisplayText::From(text.substr(0, SearchResultModel::kMaxCellText));
}

}  // namespace

SearchResultModel::SearchResultModel(const LocuscopeDocument& document, QObject* parent)
    : QAbstractTableModel(parent), document_(document) {
    Refresh();
}

void SearchResultModel::Refresh() {
    beginResetModel();
    rows_ = static_cast<int>(std::min<size_t>(document_.GetSearchResults().size(), INT_MAX));
    endResetModel();
}

int SearchResultModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int SearchResultModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant SearchResultModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    if (role == Qt::TextAlignmentRole) {
        const bool number = index.column() == COLUMN_START || index.column() == COLUMN_END;
        return QVariant::fromValue(Qt::AlignVCenter | (number ? Qt::AlignRight : Qt::AlignLeft));
    }
    if (role != Qt::DisplayRole)
        return {};
    return CellText(index.row(), index.column());
}

QString SearchResultModel::CellText(int row, int column) const {
    const SearchResultList& results = document_.GetSearchResults();
    if (row < 0 || static_cast<size_t>(row) >= results.size())
        return {};
    const size_t at = static_cast<size_t>(row);
    switch (column) {
        case COLUMN_PANE: return Cut(results.GetPaneName(at));
        case COLUMN_TRACK: return Cut(PercentDecodedForDisplay(results.GetTrackName(at)));
        case COLUMN_START: return QString::number(results.GetStart(at));
        default: break;
    }
    const std::optional<SearchResultList::Located> found = results.Locate(document_.Genome(), at);
    if (!found)
        return {};
    if (column == COLUMN_END)
        return QString::number(found->track->GetStop(found->item));
    // The text as the user reads it; the search itself matched the escapes as written.
    return Cut(PercentDecodedForDisplay(found->track->GetItem(found->item).Attributes));
}

QVariant SearchResultModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= kColumnCount)
        return {};
    if (role == Qt::DisplayRole)
        return QString::fromLatin1(kColumnTitles[section]);
    if (role == Qt::TextAlignmentRole && (section == COLUMN_START || section == COLUMN_END))
        return QVariant::fromValue(Qt::AlignVCenter | Qt::AlignRight);
    return {};
}
