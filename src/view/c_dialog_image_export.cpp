#include "view/c_dialog_image_export.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QIntValidator>
#include <QLineEdit>
#include <algorithm>

#include "framework/settings.h"

namespace {

const char* const kTypes[] = {"BMP", "PNG", "GIF", "TIFF"};
constexpr int kTypeCount = 4;
constexpr int kWidthDigits = 9;  // room for any width typed; the export lowers it

}  // namespace

CDialogImageExport::CDialogImageExport(QWidget* parent)
    : CDialogBase(parent),
      widthField_(new QLineEdit(this)),
      typeField_(new QComboBox(this)),
      transparentField_(new QCheckBox(QStringLiteral("Transparent Background"), this)) {
    setWindowTitle(QStringLiteral("Export Image Dialog"));
    const int width =
        std::max(ReadSettingInt(kSection, "ImageWidth", kDefaultWidth), kMinimumWidth);
    widthField_->setValidator(new QIntValidator(0, 999999999, widthField_));
    widthField_->setMaxLength(kWidthDigits);
    widthField_->setText(QString::number(width));
    for (const char* type : kTypes)
        typeField_->addItem(QString::fromLatin1(type));
    const int type = ReadSettingInt(kSection, "ImageType", 0);
    typeField_->setCurrentIndex(type >= 0 && type < kTypeCount ? type : 0);
    transparentField_->setChecked(ReadSettingInt(kSection, "ImageTransparent", 0) != 0);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Image Width( <32768 )"), widthField_);
    form->addRow(QStringLiteral("Image Type"), typeField_);
    form->addRow(transparentField_);
    LayOutWithOkCancel(form);
    InitDialogBase();
}

int CDialogImageExport::GetWidth() const {
    return std::max(widthField_->text().toInt(), kMinimumWidth);
}

std::string CDialogImageExport::GetType() const {
    return typeField_->currentText().toLower().toStdString();
}

bool CDialogImageExport::GetTransparent() const {
    return transparentField_->isChecked();
}

void CDialogImageExport::accept() {
    WriteSettingInt(kSection, "ImageWidth", GetWidth());
    WriteSettingInt(kSection, "ImageType", typeField_->currentIndex());
    WriteSettingInt(kSection, "ImageTransparent", GetTransparent() ? 1 : 0);
    CDialogBase::accept();
}
