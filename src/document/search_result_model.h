#pragma once

#include <QAbstractTableModel>

class LocuscopeDocument;

// The rows of the Search Dialog's result list, read from the document's search results when
// they are drawn: the model holds a row count and nothing per row. Columns: "Pane", "Track",
// "Start", "End", "Attribute"; End and Attribute come from the item looked up again, and are
// empty when it is gone. Texts are cut to 256 characters.
class SearchResultModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { COLUMN_PANE, COLUMN_TRACK, COLUMN_START, COLUMN_END, COLUMN_ATTRIBUTE };
    static constexpr int kColumnCount = 5;
    static constexpr int kMaxCellText = 256;

    // The document outlives the model (both live while the Search Dialog is up).
    explicit SearchResultModel(const LocuscopeDocument& document, QObject* parent = nullptr);

    // Takes the row count from the document's results again.
    void Refresh();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QString CellText(int row, int column) const;

    const LocuscopeDocument& document_;
    int rows_ = 0;
};
