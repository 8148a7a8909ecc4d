#include "app/close_on_signals.h"

#include <QApplication>
#include <QDialog>
#include <QSocketNotifier>
#include <QWidget>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace vexlo {
namespace {

// A signal handler may do next to nothing; it writes a byte that the event
// loop reads, and the closing happens there.
int signalPipe[2] = {-1, -1};

void WriteSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[0], &byte, 1);
}

} // namespace

void CatchClosingSignals()
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0)
        return; // the signals keep their usual effect
    struct sigaction action = {};
    action.sa_handler = WriteSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGHUP, SIGINT})
        sigaction(signal, &action, nullptr);
}

void CloseOnSignals(QWidget &window)
{
    if (signalPipe[1] < 0)
        return;
    auto *notifier = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, &window);
    QObject::connect(notifier, &QSocketNotifier::activated, &window, [&window] {
        char byte = 0;
        [[maybe_unused]] const ssize_t read = ::read(signalPipe[1], &byte, 1);
        // Open dialogs are cancelled first, as Escape would, so that the
        // code waiting on them goes on to its end.
        QDialog *last = nullptr;
        while (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
            if (dialog == last)
                break; // one that stays open when cancelled
            last = dialog;
            dialog->reject();
        }
        window.close();
    });
}

} // namespace vexlo
