#pragma once

#include <QObject>
#include <QStringList>

class QMenu;

// The most recently opened files, newest first, kept in the settings store under
// "Recent File List/File1" ... "File16" and shown as numbered entries of a menu. Paths carry
// their bytes as ByteText gives them; a name that is not UTF-8 is stored as bytes.
class CRecentFileList : public QObject {
    Q_OBJECT

public:
    static constexpr int kMaxEntries = 16;

    explicit CRecentFileList(QObject* parent = nullptr);

    // Moves path to the front (adding it when new) and saves the list.
    void Add(const QString& path);
    void Remove(const QString& path);
    const QStringList& Files() const { return files_; }

    // Fills menu (from its placeholder action before on) with the entries.
    void AttachTo(QMenu* menu, class QAction* before);

signals:
    void FileChosen(const QString& path);

private:
    void Save() const;
    void RefreshMenu();

    QStringList files_;
    QMenu* menu_ = nullptr;
    QAction* before_ = nullptr;
    QList<QAction*> entryActions_;
};
