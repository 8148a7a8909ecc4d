#pragma once

#include <QApplication>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <deque>
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

// Acts on the modal dialogs that a call opens one after the other, one step
// per dialog in the order they come, as a person would once each is on
// screen. Each step gets the dialog and must end it. A dialog beyond the
// steps fails the test and is closed, so the call never waits for a person.
class ModalScript {
public:
    using Step = std::function<void(QWidget *)>;

    explicit ModalScript(std::deque<Step> steps) : steps_(std::move(steps))
    {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] { act(); });
        timer_.start();
    }

    // The captions of the dialogs met so far, in order.
    const QStringList &captions() const { return captions_; }
    bool finished() const { return steps_.empty(); }

private:
    void act()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        captions_.append(modal->windowTitle());
        if (steps_.empty()) {
            ADD_FAILURE() << "unexpected dialog " << modal->windowTitle().toStdString();
            modal->close();
            return;
        }
        const Step step = std::move(steps_.front());
        steps_.pop_front();
        step(modal);
    }

    std::deque<Step> steps_;
    QStringList captions_;
    QTimer timer_;
};

} // namespace vexlo::test
