#include "play/job_list.h"

#include "play/play_arguments.h"

#include <QHash>
#include <QList>

namespace vexlo {
namespace {

// Why a line is no job, or the empty text.
QString LineProblem(const QList<QByteArray> &fields, PlayJob &job)
{
    if (fields.size() < 4 || fields.size() > 5)
        return QStringLiteral("%1 tab-separated fields, not 4 or 5 (LEFT RIGHT OUT-LEFT OUT-RIGHT [REMAP])")
            .arg(fields.size());
    QString texts[5];
    for (qsizetype i = 0; i < fields.size(); ++i) {
        texts[i] = QString::fromUtf8(fields[i]);
        if (texts[i].toUtf8() != fields[i])
            return QStringLiteral("field %1 is not valid UTF-8; Vexlo cannot name that file").arg(i + 1);
    }
    job.left = texts[0];
    job.right = texts[1];
    job.outLeft = texts[2];
    job.outRight = texts[3];
    job.remap = texts[4];
    if (job.left.isEmpty() || job.right.isEmpty())
        return QStringLiteral("both the left and the right sheet are needed");
    return {};
}

// Every file a job writes must be its own, and no other job may read it.
QString ClashProblem(const std::vector<PlayJob> &jobs)
{
    QHash<QString, int> writers;
    for (const PlayJob &job : jobs)
        for (const QString *output : {&job.outLeft, &job.outRight, &job.remap}) {
            if (output->isEmpty())
                continue;
            const QString identity = OutputIdentity(*output);
            if (identity.isEmpty())
                continue;
            if (const auto earlier = writers.constFind(identity); earlier != writers.cend())
                return QStringLiteral("line %1 writes %2, which line %3 writes too")
                    .arg(job.line).arg(*output).arg(*earlier);
            writers.insert(identity, job.line);
        }
    for (const PlayJob &job : jobs)
        for (const QString *input : {&job.left, &job.right}) {
            const auto writer = writers.constFind(OutputIdentity(*input));
            if (writer != writers.cend() && *writer != job.line)
                return QStringLiteral("line %1 reads %2, which line %3 writes").arg(job.line).arg(*input).arg(*writer);
        }
    return {};
}

} // namespace

std::optional<std::vector<PlayJob>> ParseJobList(const QByteArray &text, QString &problem)
{
    std::vector<PlayJob> jobs;
    const QList<QByteArray> lines = text.split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QByteArray line = lines[i];
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.trimmed().isEmpty() || line.startsWith('#'))
            continue;
        PlayJob job;
        job.line = int(i + 1);
        if (const QString why = LineProblem(line.split('\t'), job); !why.isEmpty()) {
            problem = QStringLiteral("line %1: %2").arg(job.line).arg(why);
            return std::nullopt;
        }
        jobs.push_back(job);
    }
    problem = ClashProblem(jobs);
    if (!problem.isEmpty())
        return std::nullopt;
    return jobs;
}

} // namespace vexlo
