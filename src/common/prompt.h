#pragma once

#include <QString>
#include <QUrl>

#include <memory>

namespace vexlo {

// Every message box and text input box goes through this seam, and so does
// handing an address to the desktop, so the core and the windows never talk
// to the screen directly and tests can answer the boxes from a script.
class Prompt {
public:
    enum class Icon { None, Information, Exclamation, Critical, Question };
    enum class Answer { Yes, No };
    // How a question was left: a button, or closed without one (its close
    // box, Escape, or the program ending under it).
    enum class Reply { Yes, No, Dismissed };

    virtual ~Prompt() = default;

    // A box with one OK button.
    virtual void message(Icon icon, const QString &title, const QString &text) = 0;
    // A box with Yes and No buttons and the question icon. Enter gives
    // `byDefault`: No wherever Yes could lose the user's work.
    virtual Reply ask(const QString &title, const QString &text, Answer byDefault) = 0;
    // The same where closing the box means No; true for Yes.
    bool askYesNo(const QString &title, const QString &text, Answer byDefault)
    {
        return ask(title, text, byDefault) == Reply::Yes;
    }
    // A text input box; Cancel gives the empty text.
    virtual QString inputText(const QString &prompt, const QString &title,
                              const QString &defaultText) = 0;
    // Opens a folder or web address with the desktop's opener, without
    // waiting for it; false when it could not be started.
    virtual bool openUrl(const QUrl &url) = 0;

    // The prompt in force for the whole program. Install replaces it and
    // returns the previous one, so a test can restore it.
    static Prompt &current();
    static std::unique_ptr<Prompt> install(std::unique_ptr<Prompt> prompt);
};

} // namespace vexlo
