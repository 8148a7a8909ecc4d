// Load, replace colour and save, for load_replace_save.sh (magenta, #FF00FF,
// becomes black); its command line is RunRaceProgram's.
#include "sheet_pipeline.h"

int main(int argc, char **argv)
{
    return vexlo::bench::RunRaceProgram(argc, argv, vexlo::bench::LoadReplaceSave);
}
