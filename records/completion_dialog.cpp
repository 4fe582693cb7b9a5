// Placeholder until the completion dialog lands.
#include "records/completion_dialog.h"
namespace records {
void showCompletionDialog(QWidget *) {}
} // namespace records
