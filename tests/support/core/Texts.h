#pragma once
// Names of the program's own files that several tests check, written out
// here rather than taken from the program, so that a renamed file fails them.
#include <QString>

namespace pinakos::test {

// The settings file of the program folder that holds the password.
inline const QString kPasswordFile = QStringLiteral("unins000.dll");

} // namespace pinakos::test
