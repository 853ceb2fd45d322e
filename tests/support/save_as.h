#pragma once

#include <gtest/gtest.h>

#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QWidget>
#include <string>

// Answers a save dialog with path. Qt's own dialog is answered through its interface: on the
// offscreen platform its own checks wait for a directory listing that may never come.
inline void SaveAs(QWidget* shown, const std::string& path) {
    auto* dialog = qobject_cast<QFileDialog*>(shown);
    ASSERT_NE(dialog, nullptr);
    const QFileInfo file(QString::fromStdString(path));
    dialog->setDirectory(file.absolutePath());
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(name, nullptr);
    name->setText(file.fileName());
    ASSERT_EQ(dialog->selectedFiles(), QStringList{file.absoluteFilePath()});
    static_cast<QDialog*>(dialog)->done(QDialog::Accepted);
}
