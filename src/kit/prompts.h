#pragma once

#include <QString>

// Every message box of the program goes through one of these. The title is always
// "Quillan". Texts use CR LF line breaks exactly as the program composes them.
class Prompts {
public:
    enum class Icon { None, Critical, Information, Question };
    enum class Buttons { Ok, YesNo };
    enum class Answer { Ok, Yes, No };

    virtual ~Prompts() = default;
    virtual Answer show(const QString& text, Icon icon, Buttons buttons, Answer defaultButton) = 0;

    // A refusal or error: OK, critical icon.
    void critical(const QString& text) { show(text, Icon::Critical, Buttons::Ok, Answer::Ok); }
    // A notice: OK, information icon.
    void information(const QString& text) {
        show(text, Icon::Information, Buttons::Ok, Answer::Ok);
    }
    // A plain box: OK, no icon.
    void plain(const QString& text) { show(text, Icon::None, Buttons::Ok, Answer::Ok); }
    // A question with the question icon; true for Yes.
    bool ask(const QString& text, Answer defaultButton = Answer::No) {
        return show(text, Icon::Question, Buttons::YesNo, defaultButton) == Answer::Yes;
    }
    // A Yes/No question without an icon; true for Yes.
    bool askPlain(const QString& text, Answer defaultButton = Answer::No) {
        return show(text, Icon::None, Buttons::YesNo, defaultButton) == Answer::Yes;
    }
};
