#pragma once

#include <QString>

namespace vexlo {

class Workspace;

// One user action's undo step, kept only when the action completes: commit()
// at its end keeps it; leaving the scope without it, as a failure does while
// it unwinds, puts back everything the action changed and leaves no step.
// An action run inside another's (a Clear with its Resize) joins that step,
// which the outer action then keeps or puts back whole.
class StepTransaction {
public:
    StepTransaction(Workspace &workspace, const QString &text);
    ~StepTransaction();
    StepTransaction(const StepTransaction &) = delete;
    StepTransaction &operator=(const StepTransaction &) = delete;

    void commit();

private:
    Workspace &workspace_;
    bool began_;
    bool committed_ = false;
};

} // namespace vexlo
