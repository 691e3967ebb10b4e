#include "kit/OpenURL.h"

#include "kit/Dialogs.h"

void TMisc::Open(const QString& sCommand) { pinakos::dialogs().shellOpen(sCommand); }
