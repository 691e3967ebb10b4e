#pragma once
#include <QString>

// The one desktop-shell operation of the program. Never instantiated.
class TMisc
{
public:
    TMisc() = delete;
    // Asks the desktop to open sCommand; nothing is reported when it cannot.
    static void Open(const QString& sCommand);
};
