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

// The same without the replacement: a load and a save, as for turning one
// kind of file into another.
void LoadSave(const QString &in, const QString &out);

// The command line of the programs the race scripts time, one piece of
// work each:
//   PROGRAM --make OUT        writes the 256 x 8192 test sheet (a PNG when
//                             the name ends in .png, otherwise a bitmap)
//   PROGRAM IN OUT            does the work once
//   PROGRAM IN OUT RUNS       the work RUNS times in this one process, as in
//                             a running Vexlo, printing each run's microseconds
int RunRaceProgram(int argc, char **argv, void (*work)(const QString &in, const QString &out));

} // namespace vexlo::bench
