// Placeholder until the records window lands.
#include "records/records_window.h"
namespace records {
void showRecordsWindow() {}
} // namespace records
