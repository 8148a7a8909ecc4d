#include "widgets/qt_prompt.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDesktopServices>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMessageBox>

namespace vexlo {
namespace {

QMessageBox::Icon BoxIcon(Prompt::Icon icon)
{
    switch (icon) {
    case Prompt::Icon::Information:
        return QMessageBox::Information;
    case Prompt::Icon::Exclamation:
        return QMessageBox::Warning;
    case Prompt::Icon::Critical:
        return QMessageBox::Critical;
    case Prompt::Icon::Question:
        return QMessageBox::Question;
    case Prompt::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// A Yes/No box that Escape closes unanswered, as its close box does, rather
// than clicking No: No may delete something.
class Question final : public QMessageBox {
public:
    Question(const QString &title, const QString &text)
        : QMessageBox(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No,
                      QApplication::activeWindow())
    {
    }

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        if (event->matches(QKeySequence::Cancel))
            close();
        else
            QMessageBox::keyPressEvent(event);
    }
};

} // namespace

void QtPrompt::message(Icon icon, const QString &title, const QString &text)
{
    QMessageBox box(BoxIcon(icon), title, text, QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

Prompt::Reply QtPrompt::ask(const QString &title, const QString &text, Answer byDefault)
{
    Question box(title, text);
    box.setDefaultButton(byDefault == Answer::Yes ? QMessageBox::Yes : QMessageBox::No);
    QAbstractButton *clicked = nullptr;
    QObject::connect(&box, &QMessageBox::buttonClicked, &box, [&clicked](QAbstractButton *button) { clicked = button; });
    box.exec();
    if (clicked == nullptr)
        return Reply::Dismissed;
    return box.standardButton(clicked) == QMessageBox::Yes ? Reply::Yes : Reply::No;
}

QString QtPrompt::inputText(const QString &prompt, const QString &title, const QString &defaultText)
{
    bool accepted = false;
    const QString answer = QInputDialog::getText(QApplication::activeWindow(), title, prompt,
                                                 QLineEdit::Normal, defaultText, &accepted);
    return accepted ? answer : QString();
}

bool QtPrompt::openUrl(const QUrl &url)
{
    return QDesktopServices::openUrl(url);
}

} // namespace vexlo
