#include "play/progress_line.h"

#include <unistd.h>

namespace vexlo {

ProgressLine::ProgressLine(std::FILE *stream, qsizetype total)
    : stream_(stream), total_(total), enabled_(isatty(fileno(stream)) != 0)
{
    started_.start();
}

void ProgressLine::show(qsizetype done)
{
    const qint64 now = started_.elapsed();
    if (!enabled_ || (now - lastShownMs_ < 100 && done < total_))
        return;
    lastShownMs_ = now;
    const double rate = now > 0 ? done * 1000.0 / now : 0.0;
    const qint64 left = rate > 0 ? qint64((total_ - done) / rate + 0.5) : 0;
    // The first jobs include the start and say little of the rest.
    const QString leftText = now < 1000 ? QString()
                                        : QStringLiteral(", %1:%2 left").arg(left / 60).arg(left % 60, 2, 10, QLatin1Char('0'));
    const QString text = QStringLiteral("\r%1 of %2 jobs done, %3 jobs a second%4\x1b[K")
                             .arg(done).arg(total_).arg(rate, 0, 'f', 1).arg(leftText);
    std::fputs(text.toLocal8Bit().constData(), stream_);
    std::fflush(stream_);
    shown_ = true;
}

void ProgressLine::clear()
{
    if (!shown_)
        return;
    std::fputs("\r\x1b[K", stream_);
    shown_ = false;
    lastShownMs_ = -1000;
}

} // namespace vexlo
