#pragma once

#include "common/prompt.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <memory>

namespace vexlo::test {

// Records every box the program shows and answers questions and input boxes
// from prepared answers, so no test ever waits for a person. A question or
// input box without a prepared answer fails the test and answers No / Cancel.
class ScriptedPrompt final : public Prompt {
public:
    struct Box {
        Icon icon;
        QString title;
        QString text;
        QString defaultText; // input boxes only
        Answer byDefault = Answer::Yes; // questions only
    };

    void message(Icon icon, const QString &title, const QString &text) override;
    Reply ask(const QString &title, const QString &text, Answer byDefault) override;
    QString inputText(const QString &prompt, const QString &title,
                      const QString &defaultText) override;
    // Records the address and answers with the prepared result (true by default).
    bool openUrl(const QUrl &url) override;

    void answerYesNo(bool yes) { replies_.push_back(yes ? Reply::Yes : Reply::No); }
    // The next question closed without a button (close box, Escape, a signal).
    void dismissNextQuestion() { replies_.push_back(Reply::Dismissed); }
    void answerText(const QString &text) { texts_.push_back(text); }
    // Runs while the next message box is "on screen", as a person's reaction.
    void onNextMessage(std::function<void()> action) { onMessage_.push_back(std::move(action)); }

    void failOpeningUrls() { openUrlResult_ = false; }
    const QList<QUrl> &openedUrls() const { return openedUrls_; }

    const QList<Box> &boxes() const { return boxes_; }
    QStringList texts() const;
    void forget() { boxes_.clear(); }

private:
    QList<Box> boxes_;
    std::deque<Reply> replies_;
    std::deque<QString> texts_;
    std::deque<std::function<void()>> onMessage_;
    QList<QUrl> openedUrls_;
    bool openUrlResult_ = true;
};

// Installs a ScriptedPrompt for the lifetime of the object.
class ScopedScriptedPrompt {
public:
    ScopedScriptedPrompt();
    ~ScopedScriptedPrompt();
    ScriptedPrompt *operator->() { return prompt_; }
    ScriptedPrompt &operator*() { return *prompt_; }

private:
    ScriptedPrompt *prompt_;
    std::unique_ptr<Prompt> previous_;
};

} // namespace vexlo::test
