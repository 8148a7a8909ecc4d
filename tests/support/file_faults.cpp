#include "support/file_faults.h"

#include "common/failure.h"

#include <QFile>

#include <csignal>
#include <sys/fsuid.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vexlo::test {
namespace {

constexpr uid_t kNobody = 65534;

} // namespace

ActingAsOrdinaryUser::ActingAsOrdinaryUser() : root_(geteuid() == 0)
{
    if (root_) {
        setfsgid(kNobody);
        setfsuid(kNobody);
    }
}

ActingAsOrdinaryUser::~ActingAsOrdinaryUser()
{
    if (root_) {
        setfsuid(0);
        setfsgid(0);
    }
}

ReadOnlyFolder::ReadOnlyFolder(const QString &path) : path_(path)
{
    QFile::setPermissions(path_, QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup
                                     | QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther);
    ordinary_.emplace();
}

ReadOnlyFolder::~ReadOnlyFolder()
{
    ordinary_.reset(); // back as the owner, who may give the permissions back
    QFile::setPermissions(path_, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

bool ReadOnlyFolder::holds() const
{
    QFile probe(path_ + QStringLiteral("/write-probe"));
    if (!probe.open(QIODevice::WriteOnly))
        return true;
    probe.remove();
    return false;
}

bool InChildUnderFileSizeLimit(qint64 bytes, const std::function<bool()> &body)
{
    const pid_t child = fork();
    if (child == -1)
        return false;
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{rlim_t(bytes), rlim_t(bytes)};
        const bool limited = setrlimit(RLIMIT_FSIZE, &limit) == 0;
        _exit(limited && body() ? 0 : 1);
    }
    int status = 0;
    return waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

QString FailureOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const Failure &failure) {
        return failure.description();
    }
    return {};
}

} // namespace vexlo::test
