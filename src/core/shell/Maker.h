#pragma once
// Who makes Pinakos and how to reach them: one place for every window and tool.
#include <QString>

namespace pinakos::maker {

inline QString webSite() { return QStringLiteral("https://www.example.org"); }
// The address as the windows show it.
inline QString webSiteShown() { return QStringLiteral("www.example.org"); }
inline QString infoEmail() { return QStringLiteral("info@example.org"); }
inline QString name() { return QStringLiteral("Studio Esempio"); }
inline QString productName() { return QStringLiteral("Pinakos"); }
inline QString productVersion() { return QStringLiteral("1.0"); }

} // namespace pinakos::maker
