#pragma once

#include "common/prompt.h"

namespace vexlo {

// The real boxes: QMessageBox and QInputDialog over the active window.
class QtPrompt final : public Prompt {
public:
    void message(Icon icon, const QString &title, const QString &text) override;
    Reply ask(const QString &title, const QString &text, Answer byDefault) override;
    QString inputText(const QString &prompt, const QString &title,
                      const QString &defaultText) override;
    bool openUrl(const QUrl &url) override;
};

} // namespace vexlo
