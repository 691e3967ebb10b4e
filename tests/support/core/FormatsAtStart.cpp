// Linked into every test: the program's formats, as start-up fixes them,
// hold from the moment the application object exists. On Windows the
// offscreen platform finds fonts in one folder only (QT_QPA_FONTDIR, read
// when the first font is asked for): Windows' own unless one is given.
#include "base/Format.h"

#include <QCoreApplication>

namespace {
void fixFormats()
{
#ifdef Q_OS_WIN
    if (qEnvironmentVariableIsEmpty("QT_QPA_FONTDIR"))
        qputenv("QT_QPA_FONTDIR", qgetenv("SystemRoot") + "\\Fonts");
#endif
    pinakos::applyFormatSettings();
}
} // namespace

Q_COREAPP_STARTUP_FUNCTION(fixFormats)
