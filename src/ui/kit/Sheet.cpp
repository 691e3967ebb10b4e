#include "kit/Sheet.h"

#include "base/Text.h"

namespace pinakos {

void markOpener(QLabel* memory, const Sheet* sheet) { memory->setText(sheet ? kSheetOpenerMark : QString()); }

bool openedFromSheet(const QLabel* memory) { return trimmed(memory->text()) == kSheetOpenerMark; }

} // namespace pinakos
