#pragma once

#include <string>

#include "framework/c_dialog_base.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

// "Export Image Dialog": the width, type and background of an exported picture. The three
// values are read from section "ImageExport" when the dialog opens ("ImageWidth", "ImageType"
// as the index of the type, "ImageTransparent") and written back on OK.
class CDialogImageExport : public CDialogBase {
    Q_OBJECT

public:
    static constexpr int kDefaultWidth = 1024;
    static constexpr int kMinimumWidth = 100;
    static constexpr const char* kSection = "ImageExport";

    explicit CDialogImageExport(QWidget* parent = nullptr);

    // The width as entered, at least kMinimumWidth (an export lowers it to the widest image).
    int GetWidth() const;
    // "bmp", "png", "gif" or "tiff".
    std::string GetType() const;
    bool GetTransparent() const;

    void accept() override;

private:
    QLineEdit* widthField_;
    QComboBox* typeField_;
    QCheckBox* transparentField_;
};
