// Load and save, for png_load_save.sh; its command line is RunRaceProgram's.
#include "sheet_pipeline.h"

int main(int argc, char **argv)
{
    return vexlo::bench::RunRaceProgram(argc, argv, vexlo::bench::LoadSave);
}
