#pragma once

#include <QString>

#include <exception>

namespace vexlo {

// The one failure type of the core: a description the windows show as the
// text of their failure boxes. Raised where an operation cannot go on and
// caught where a handler arms its trap.
class Failure : public std::exception {
public:
    explicit Failure(QString description) : description_(std::move(description)) {}

    const QString &description() const { return description_; }
    const char *what() const noexcept override { return "vexlo::Failure"; }

    static Failure overflow() { return Failure(QStringLiteral("Overflow")); }
    static Failure subscriptOutOfRange() { return Failure(QStringLiteral("Subscript out of range")); }
    static Failure noSuchElement(int index)
    {
        return Failure(QStringLiteral("Control array element '%1' doesn't exist").arg(index));
    }

private:
    QString description_;
};

} // namespace vexlo
