#include "framework/recent_file_list.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <filesystem>

#include "framework/byte_text.h"
#include "framework/settings.h"

namespace {

const QString kSection = QStringLiteral("Recent File List");

QString EntryKey(int index) {
    return kSection + QStringLiteral("/File") + QString::number(index + 1);
}

}  // namespace

CRecentFileList::CRecentFileList(QObject* parent) : QObject(parent) {
    QSettings store = OpenSettingsStore();
    for (int i = 0; i < kMaxEntries; ++i) {
        // A name that is not UTF-8 is kept as its bytes.
        const QVariant value = store.value(EntryKey(i));
        const QString path = value.typeId() == QMetaType::QByteArray
                                 ? ByteText::FromBytes(value.toByteArray().toStdString())
                                 : value.toString();
        if (!path.isEmpty() && !files_.contains(path))
            files_.append(path);
    }
}

void CRecentFileList::Add(const QString& path) {
    // Made absolute on the bytes: Qt's file names would drop those that are not UTF-8.
    std::error_code error;
    const std::filesystem::path bytes(ByteText::ToBytes(path));
    const std::filesystem::path full = std::filesystem::absolute(bytes, error);
    const QString absolute =
        ByteText::FromBytes((error ? bytes : full.lexically_normal()).string());
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
    QSettings store = OpenSettingsStore();
    store.remove(kSection);
    for (int i = 0; i < files_.size(); ++i) {
        const QString& path = files_.at(i);
        const std::string bytes = ByteText::ToBytes(path);
        // Settings files hold UTF-8 text: a name that is not is stored as its bytes.
        if (QString::fromStdString(bytes) == path)
            store.setValue(EntryKey(i), path);
        else
            store.setValue(EntryKey(i), QByteArray::fromStdString(bytes));
    }
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
        // Shown as text (a byte that is not UTF-8 as a replacement mark), opened as bytes.
        const QString shown = QString::fromStdString(ByteText::ToBytes(path));
        auto* action = new QAction(number + QLatin1Char(' ') + QFileInfo(shown).fileName(), menu_);
        action->setStatusTip(shown);
        connect(action, &QAction::triggered, this, [this, path] { emit FileChosen(path); });
        menu_->insertAction(before_, action);
        entryActions_.append(action);
    }
    if (before_ != nullptr)
        before_->setVisible(!files_.isEmpty());
}
