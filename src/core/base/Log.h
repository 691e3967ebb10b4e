#pragma once
#include <QLoggingCategory>

// One logging category per area. Warnings are on by default; the rest are
// turned on with QT_LOGGING_RULES, for example
//   QT_LOGGING_RULES="pinakos.*.debug=true"
Q_DECLARE_LOGGING_CATEGORY(lcStore)
Q_DECLARE_LOGGING_CATEGORY(lcPhoto)
Q_DECLARE_LOGGING_CATEGORY(lcSearch)
Q_DECLARE_LOGGING_CATEGORY(lcOutput)
Q_DECLARE_LOGGING_CATEGORY(lcAccess)
Q_DECLARE_LOGGING_CATEGORY(lcBackup)
Q_DECLARE_LOGGING_CATEGORY(lcUi)
