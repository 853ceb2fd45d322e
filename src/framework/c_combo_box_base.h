#pragma once

#include <QComboBox>
#include <QString>

// An editable combo box with look-up by exact text. Enter in its edit field gives the keyboard
// focus away and ends the edit; ending the edit, by Enter or by leaving the field, emits
// EditingFinished so the owner can act on a typed text.
class CComboBoxBase : public QComboBox {
    Q_OBJECT

public:
    static constexpr int kMaxVisibleItems = 10;

    explicit CComboBoxBase(QWidget* parent = nullptr);

    // Index of the first item whose text equals text exactly (case-sensitive), or -1.
    int FindExact(const QString& text) const;
    // Selects that item; leaves the selection alone when there is none.
    void SelectString(const QString& text);
    // The selected item's text, empty when none is selected.
    QString GetSelectedText() const;
    void ResetContent() { clear(); }
    // Appends an item and returns its index; with resizeDropDown the list shows up to ten
    // items without scrolling.
    int AddItem(const QString& text, bool resizeDropDown);

signals:
    void EditingFinished();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Keys typed while the box itself has the focus reach the edit field through here.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void EndEditByEnter();
    // Up, Down and Enter belong to the box while it has the focus, even where the window binds
    // them to commands of its own.
    static bool ClaimsKey(QEvent* event);

    bool endingByEnter_ = false;
};
