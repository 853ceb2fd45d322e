#pragma once

#include <string>

#include "framework/c_dialog_base.h"

class QLabel;
class QLineEdit;

// The general question dialog: asks for one line of text, or for a number. Run it with exec()
// and read answer after it returns QDialog::Accepted.
class CDialogStringGet : public CDialogBase {
    Q_OBJECT

public:
    // An empty title keeps "Enter Answer", an empty question keeps "Question?".
    CDialogStringGet(const std::string& title, const std::string& question, bool numericOnly,
                     QWidget* parent = nullptr);

    // OK takes the field's text into answer; a numeric question with a non-numeric answer
    // shows a message box and stays open.
    void accept() override;

    // True when text holds only digits, signs and points; their order is not checked, so the
    // empty text, "+" and "1-2" pass.
    static bool IsNumericAnswer(const std::string& text);

    static constexpr const char* kNotANumberMessage = "This should be a number.  Please try again.";

    std::string title;
    std::string question;
    std::string answer;  // shown in the field when the dialog opens; the typed text after OK
    bool numericOnly;

protected:
    void OnInitDialog() override;

private:
    QLabel* questionLabel_;
    QLineEdit* answerField_;
};
