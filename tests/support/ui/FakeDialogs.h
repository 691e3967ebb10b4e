#pragma once
#include "Newest.h"
#include "kit/Dialogs.h"

#include <QList>
#include <QQueue>
#include <functional>

namespace pinakos::test {

// Records every dialog and shell call and answers from scripted queues.
// Installed on construction; on destruction the newest other fake still
// alive is installed again, or none.
class FakeDialogs : public Dialogs
{
public:
    enum class Call { Message, Information, Warning, Error, Confirm, OpenFile, SaveFile, Print, ShellOpen, Progress };
    struct Record
    {
        Call call;
        QString text; // message text, dialog title, print job name, progress text or shell command
        FileDialogRequest request; // file dialogs
    };

    FakeDialogs();
    ~FakeDialogs() override;

    void notify(QWidget* parent, Kind kind, const QString& text) override;
    bool confirm(QWidget* parent, const QString& text) override;
    QString openFile(QWidget* parent, const FileDialogRequest& request) override;
    QString saveFile(QWidget* parent, const FileDialogRequest& request) override;
    bool print(QWidget* parent, QPrinter& printer) override;
    void shellOpen(const QString& command) override;
    std::unique_ptr<Progress> progress(QWidget* parent, const QString& text, int total) override;

    QList<Record> calls;
    QQueue<bool> confirmAnswers; // empty queue answers No
    QQueue<QString> fileAnswers; // empty queue answers Cancel
    QQueue<bool> printAnswers; // empty queue answers Cancel
    // When set, a confirmed print dialog sends the printing to this PDF file.
    QString printFile;
    // Every step reported to a progress dialog, in order; the "user" cancels
    // once a step reaches cancelProgressAt (never when negative).
    QList<int> progressSteps;
    int cancelProgressAt = -1;
    // Runs inside each notify/confirm call, while the "dialog" is up.
    std::function<void(const Record&)> onCall;

    // Texts of the message-like calls (notify and confirm), in order.
    QStringList texts() const;
    // The last call, or a Record with an empty text when there was none.
    Record last() const;
    int count(Call c) const;
    void clear() { calls.clear(); }

private:
    void add(const Record& r);

    Newest<FakeDialogs> m_newest{this};
};

} // namespace pinakos::test
