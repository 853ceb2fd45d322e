#include "framework/c_combo_box_base.h"

#include <QKeyEvent>
#include <QLineEdit>

CComboBoxBase::CComboBoxBase(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);  // typed texts choose, they never add entries
    setMaxVisibleItems(kMaxVisibleItems);
    lineEdit()->installEventFilter(this);
}

int CComboBoxBase::FindExact(const QString& text) const {
    for (int i = 0; i < count(); ++i) {
        if (itemText(i) == text)
            return i;
    }
    return -1;
}

void CComboBoxBase::SelectString(const QString& text) {
    const int index = FindExact(text);
    if (index >= 0)
        setCurrentIndex(index);
}

QString CComboBoxBase::GetSelectedText() const {
    return currentIndex() >= 0 ? itemText(currentIndex()) : QString();
}

int CComboBoxBase::AddItem(const QString& text, bool resizeDropDown) {
    addItem(text);
    if (resizeDropDown)
        setMaxVisibleItems(qBound(1, count(), kMaxVisibleItems));
    return count() - 1;
}

bool CComboBoxBase::ClaimsKey(QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & ~Qt::KeypadModifier)
        return false;
    switch (key->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            event->accept();
            return true;
        default:
            return false;
    }
}

bool CComboBoxBase::event(QEvent* event) {
    if (ClaimsKey(event))
        return true;
    return QComboBox::event(event);
}

bool CComboBoxBase::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lineEdit() && ClaimsKey(event))
        return true;
    if (watched == lineEdit()) {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                EndEditByEnter();
                return true;
            }
        } else if (event->type() == QEvent::FocusOut && !endingByEnter_) {
            emit EditingFinished();
        }
    }
    return QComboBox::eventFilter(watched, event);
}

void CComboBoxBase::keyPressEvent(QKeyEvent* event) {
    if (isEditable() && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        EndEditByEnter();
        event->accept();
        return;
    }
    QComboBox::keyPressEvent(event);
}

void CComboBoxBase::EndEditByEnter() {
    // The edit ends here; the focus-out that follows must not end it again.
    endingByEnter_ = true;
    clearFocus();
    lineEdit()->clearFocus();
    endingByEnter_ = false;
    emit EditingFinished();
}
