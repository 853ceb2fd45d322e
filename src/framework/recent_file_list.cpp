#include "framework/recent_file_list.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>

namespace {

const QString kSection = QStringLiteral("Recent File List");

QSettings Store() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Locuscope"),
                     QStringLiteral("Locuscope"));
}

QString EntryKey(int index) {
    return kSection + QStringLiteral("/File") + QString::number(index + 1);
}

}  // namespace

CRecentFileList::CRecentFileList(QObject* parent) : QObject(parent) {
    QSettings store = Store();
    for (int i = 0; i < kMaxEntries; ++i) {
        const QString path = store.value(EntryKey(i)).toString();
        if (!path.isEmpty() && !files_.contains(path))
            files_.append(path);
    }
}

void CRecentFileList::Add(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    files_.removeAll(absolute);
    files_.prepend(absolute);
    while (files_.size() > kMaxEntries)
        files_.removeLast();
    Save();
    RefreshMenu();
}

void CRecentFileList::Remove(const QString& path) {
    files_.removeAll(path);
    Save();
    RefreshMenu();
}

void CRecentFileList::AttachTo(QMenu* menu, QAction* before) {
    menu_ = menu;
    before_ = before;
    RefreshMenu();
}

void CRecentFileList::Save() const {
    QSettings store = Store();
    store.remove(kSection);
    for (int i = 0; i < files_.size(); ++i)
        store.setValue(EntryKey(i), files_.at(i));
}

void CRecentFileList::RefreshMenu() {
    if (menu_ == nullptr)
        return;
    qDeleteAll(entryActions_);
    entryActions_.clear();
    for (int i = 0; i < files_.size(); ++i) {
        const QString path = files_.at(i);
        // Entries 1 to 9 get a mnemonic, as menus of recent files usually do.
        const QString number = i < 9 ? QStringLiteral("&%1").arg(i + 1) : QString::number(i + 1);
        auto* action = new QAction(number + QLatin1Char(' ') + QFileInfo(path).fileName(), menu_);
        action->setStatusTip(path);
        connect(action, &QAction::triggered, this, [this, path] { emit FileChosen(path); });
        menu_->insertAction(before_, action);
        entryActions_.append(action);
    }
    if (before_ != nullptr)
        before_->setVisible(!files_.isEmpty());
}
