#pragma once

#include <QTimer>

#include <functional>

namespace vexlo::test {

// Runs `action` as soon as the event loop turns, that is inside the nested
// loop of the modal dialog the test is about to open, as a person would act
// on a dialog once it is on screen. The action must end the dialog.
inline void WhileModal(std::function<void()> action)
{
    QTimer::singleShot(0, std::move(action));
}

} // namespace vexlo::test
