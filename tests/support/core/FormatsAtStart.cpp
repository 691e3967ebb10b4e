// Linked into every test: the program's formats, as start-up fixes them,
// hold from the moment the application object exists.
#include "base/Format.h"

#include <QCoreApplication>

namespace {
void fixFormats() { pinakos::applyFormatSettings(); }
} // namespace

Q_COREAPP_STARTUP_FUNCTION(fixFormats)
