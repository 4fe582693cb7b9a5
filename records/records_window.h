#pragma once
// The records and about window, the last window of every run; its "Close" ends the program.

namespace records
{
void showRecordsWindow(); // modal
}
