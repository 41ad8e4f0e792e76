// The stand-in's readings of the real machine and of a simulation file (Windows side).
#pragma once
#include "standins/quorix/Reading.h"

namespace quorix {

Reading ReadSmbios(int index);  // GetSystemFirmwareTable('RSMB')
Reading ReadWmi(int index);     // ROOT\CIMV2 through the WMI COM interfaces

// The simulation file named by QUORIX_SIMULATION; false when the variable is unset or empty.
// A named file that cannot be read makes every answer fail.
bool SimulationActive(std::string& fileText);

} // namespace quorix
