#include "support/file_faults.h"

#include "common/failure.h"

#include <QElapsedTimer>
#include <QFile>

#include <csignal>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
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

AppendOnlyFolder::AppendOnlyFolder(const QString &path) : fd_(open(QFile::encodeName(path).constData(), O_RDONLY))
{
    int flags = 0;
    if (fd_ < 0 || ioctl(fd_, FS_IOC_GETFLAGS, &flags) != 0)
        return;
    flags |= FS_APPEND_FL;
    holds_ = ioctl(fd_, FS_IOC_SETFLAGS, &flags) == 0;
}

AppendOnlyFolder::~AppendOnlyFolder()
{
    int flags = 0;
    if (holds_ && ioctl(fd_, FS_IOC_GETFLAGS, &flags) == 0) {
        flags &= ~FS_APPEND_FL;
        ioctl(fd_, FS_IOC_SETFLAGS, &flags);
    }
    if (fd_ >= 0)
        close(fd_);
}

namespace {

// Runs `body` in a child process after `prepare`; true when it returned true
// within the time.
bool InChild(int timeoutMs, const std::function<bool()> &prepare, const std::function<bool()> &body)
{
    const pid_t child = fork();
    if (child == -1)
        return false;
    if (child == 0)
        _exit(prepare() && body() ? 0 : 1);
    QElapsedTimer clock;
    clock.start();
    int status = 0;
    while (waitpid(child, &status, WNOHANG) == 0) {
        if (clock.elapsed() > timeoutMs) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            return false;
        }
        usleep(10000);
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The process's address space in bytes, from the kernel's own count.
qint64 AddressSpaceBytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine())
        if (line.startsWith("VmSize:"))
            return line.mid(7).trimmed().split(' ').value(0).toLongLong() * 1024;
    return -1;
}

} // namespace

bool InChildUnderFileSizeLimit(qint64 bytes, const std::function<bool()> &body)
{
    return InChild(60000, [bytes] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{rlim_t(bytes), rlim_t(bytes)};
        return setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }, body);
}

bool InChildUnderMemoryLimit(qint64 extraBytes, const std::function<bool()> &body, int timeoutMs)
{
    return InChild(timeoutMs, [extraBytes] {
        const qint64 now = AddressSpaceBytes();
        const rlimit limit{rlim_t(now + extraBytes), rlim_t(now + extraBytes)};
        return now > 0 && setrlimit(RLIMIT_AS, &limit) == 0;
    }, body);
}

bool InChildWithin(int timeoutMs, const std::function<bool()> &body)
{
    return InChild(timeoutMs, [] { return true; }, body);
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
