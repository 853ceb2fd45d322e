#include "framework/c_dialog_string_get.h"

#include <QBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "framework/message_box.h"

CDialogStringGet::CDialogStringGet(const std::string& title, const std::string& question,
                                   bool numericOnly, QWidget* parent)
    : CDialogBase(parent),
      title(title),
      question(question),
      numericOnly(numericOnly),
      questionLabel_(new QLabel(QStringLiteral("Question?"), this)),
      answerField_(new QLineEdit(this)) {
    setWindowTitle(QStringLiteral("Enter Answer"));
    auto* okButton = new QPushButton(QStringLiteral("OK"), this);
    auto* cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, &CDialogStringGet::accept);
    connect(cancelButton, &QPushButton::clicked, this, &CDialogStringGet::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(questionLabel_);
    layout->addWidget(answerField_);
    layout->addLayout(buttons);
    // Never narrower than the question: the window is sized before the question is set.
    layout->setSizeConstraint(QLayout::SetMinimumSize);
    setMinimumWidth(DialogUnitsToPixels(229, 0).width());
}

void CDialogStringGet::OnInitDialog() {
    if (!title.empty())
        setWindowTitle(QString::fromStdString(title));
    if (!question.empty())
        questionLabel_->setText(QString::fromStdString(question));
    answerField_->setText(QString::fromStdString(answer));
    adjustSize();
}

void CDialogStringGet::accept() {
    answer = answerField_->text().toStdString();
    if (numericOnly && !IsNumericAnswer(answer)) {
        ShowMessageBox(kNotANumberMessage);
        return;
    }
    CDialogBase::accept();
}

bool CDialogStringGet::IsNumericAnswer(const std::string& text) {
    return text.find_first_not_of("0123456789-+.") == std::string::npos;
}
