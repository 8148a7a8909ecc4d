#pragma once

#include <QImage>
#include <QString>

namespace vexlo::bench {

// A sheet of the full width where every pixel has its own colour and about
// one in eight is magenta (#FF00FF).
QImage MagentaSpeckledSheet(int height);

// One sheet through Vexlo's core as a user takes it: read and checked as the
// load dialog does, magenta replaced by black over the whole sheet, written
// as the save dialog does. Fails with the reason.
void LoadReplaceSave(const QString &in, const QString &out);

} // namespace vexlo::bench
