#pragma once

#include <QDialog>

// The About box. A click anywhere in it also opens the program's web site.
class CAboutDlg : public QDialog {
    Q_OBJECT

public:
    static const char* const kWebAddress;

    explicit CAboutDlg(QWidget* parent = nullptr);

protected:
    void mousePressEvent(QMouseEvent* event) override;
};
