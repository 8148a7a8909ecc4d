#include "common/prompt.h"

#include "common/failure.h"

namespace vexlo {
namespace {

std::unique_ptr<Prompt> &Installed()
{
    static std::unique_ptr<Prompt> prompt;
    return prompt;
}

} // namespace

Prompt &Prompt::current()
{
    if (!Installed())
        throw Failure(QStringLiteral("No prompt installed"));
    return *Installed();
}

std::unique_ptr<Prompt> Prompt::install(std::unique_ptr<Prompt> prompt)
{
    std::swap(Installed(), prompt);
    return prompt;
}

} // namespace vexlo
