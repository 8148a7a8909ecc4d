#include "support/scripted_prompt.h"

#include <gtest/gtest.h>

namespace vexlo::test {

void ScriptedPrompt::message(Icon icon, const QString &title, const QString &text)
{
    boxes_.append({icon, title, text, {}});
    if (!onMessage_.empty()) {
        auto action = std::move(onMessage_.front());
        onMessage_.pop_front();
        action();
    }
}

Prompt::Reply ScriptedPrompt::ask(const QString &title, const QString &text, Answer byDefault)
{
    boxes_.append({Icon::Question, title, text, {}, byDefault});
    if (replies_.empty()) {
        ADD_FAILURE() << "unexpected question: " << text.toStdString();
        return Reply::No;
    }
    const Reply answer = replies_.front();
    replies_.pop_front();
    return answer;
}

QString ScriptedPrompt::inputText(const QString &prompt, const QString &title, const QString &defaultText)
{
    boxes_.append({Icon::None, title, prompt, defaultText});
    if (texts_.empty()) {
        ADD_FAILURE() << "unexpected input box: " << prompt.toStdString();
        return {};
    }
    const QString answer = texts_.front();
    texts_.pop_front();
    return answer;
}

bool ScriptedPrompt::openUrl(const QUrl &url)
{
    openedUrls_.append(url);
    return openUrlResult_;
}

QStringList ScriptedPrompt::texts() const
{
    QStringList texts;
    for (const Box &box : boxes_)
        texts.append(box.text);
    return texts;
}

ScopedScriptedPrompt::ScopedScriptedPrompt()
{
    auto prompt = std::make_unique<ScriptedPrompt>();
    prompt_ = prompt.get();
    previous_ = Prompt::install(std::move(prompt));
}

ScopedScriptedPrompt::~ScopedScriptedPrompt()
{
    Prompt::install(std::move(previous_));
}

} // namespace vexlo::test
