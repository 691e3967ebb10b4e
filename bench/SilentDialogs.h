#pragma once
#include "kit/Dialogs.h"

namespace pinakos::bench {

// Answers every dialog at once, so that commands run without a person: no to
// every question, a cancelled file or print dialog, `folder` for a folder.
class SilentDialogs final : public Dialogs
{
public:
    QString folder;
    void notify(QWidget*, Kind, const QString&) override {}
    bool confirm(QWidget*, const QString&) override { return false; }
    QString openFile(QWidget*, const FileDialogRequest&) override { return {}; }
    QString saveFile(QWidget*, const FileDialogRequest&) override { return {}; }
    QString chooseFolder(QWidget*, const QString&, const QString&) override { return folder; }
    bool print(QWidget*, QPrinter&) override { return false; }
    void shellOpen(const QString&) override {}
};

} // namespace pinakos::bench
