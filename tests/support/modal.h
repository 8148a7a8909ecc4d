#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace vexlo::test {

// Runs `action` as soon as the event loop turns, that is inside the nested
// loop of the modal dialog the test is about to open, as a person would act
// on a dialog once it is on screen. The action must end the dialog.
inline void WhileModal(std::function<void()> action)
{
    QTimer::singleShot(0, std::move(action));
}

// Lets `look` see the modal dialog the test is about to open, then closes
// it as its close box would. When no dialog came, `look` gets nullptr.
inline void WhileModalLookAndClose(std::function<void(QWidget *)> look)
{
    WhileModal([look = std::move(look)] {
        QWidget *modal = QApplication::activeModalWidget();
        look(modal);
        if (modal)
            modal->close();
    });
}

} // namespace vexlo::test
