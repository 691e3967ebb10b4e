#pragma once
// The program's one password: kept scrambled as "Valore" of section
// "Accesso" in the settings file "unins000.dll" of the program folder.

#include <QString>

namespace pinakos {

// The password file's full path.
QString passwordFile();

// Letters a..z become A..Z, then characters of code 32 or less go from both ends.
QString normalPassword(const QString& typed);

// Whether the scrambler keeps the password faithfully: its normal form holds
// 1 to 255 characters, each with a code from 1 to 255.
bool isStorablePassword(const QString& typed);

// The stored password in normal form; empty when the file or the value is
// missing. Throws pinakos::Failure when the stored value is damaged or the
// file is far too large to be a settings file.
QString readStoredPassword();

// Whether the typed password, in normal form, is the stored one. A blank
// text is never accepted. Throws like readStoredPassword.
bool passwordAccepted(const QString& typed);

// Stores the normal form of the typed password. Throws pinakos::Failure when it
// is not storable or the file cannot be written; the old value then stays.
void storePassword(const QString& typed);

} // namespace pinakos
