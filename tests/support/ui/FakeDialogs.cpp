#include "FakeDialogs.h"

#include <QPrinter>

namespace pinakos::test {

FakeDialogs::FakeDialogs() { setDialogs(this); }

// The newest fake still alive takes over (an outer one when an inner one
// ends; the new one when the one it replaces ends after it).
FakeDialogs::~FakeDialogs() { setDialogs(m_newest.other()); }

void FakeDialogs::add(const Record& r)
{
    calls.append(r);
    if (onCall)
        onCall(r);
}

void FakeDialogs::notify(QWidget*, Kind kind, const QString& text)
{
    static const Call map[] = {Call::Message, Call::Information, Call::Warning, Call::Error};
    add({map[int(kind)], text, {}});
}

bool FakeDialogs::confirm(QWidget*, const QString& text)
{
    add({Call::Confirm, text, {}});
    return confirmAnswers.isEmpty() ? false : confirmAnswers.dequeue();
}

QString FakeDialogs::openFile(QWidget*, const FileDialogRequest& request)
{
    add({Call::OpenFile, request.title, request});
    return fileAnswers.isEmpty() ? QString() : fileAnswers.dequeue();
}

QString FakeDialogs::saveFile(QWidget*, const FileDialogRequest& request)
{
    add({Call::SaveFile, request.title, request});
    return fileAnswers.isEmpty() ? QString() : fileAnswers.dequeue();
}

bool FakeDialogs::print(QWidget*, QPrinter& printer)
{
    add({Call::Print, printer.docName(), {}});
    const bool ok = printAnswers.isEmpty() ? false : printAnswers.dequeue();
    if (ok && !printFile.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printFile);
    }
    return ok;
}

std::unique_ptr<Dialogs::Progress> FakeDialogs::progress(QWidget*, const QString& text, int)
{
    class FakeProgress final : public Progress
    {
    public:
        explicit FakeProgress(FakeDialogs& d) : m_d(d) {}
        bool step(int done) override
        {
            m_d.progressSteps.append(done);
            return m_d.cancelProgressAt < 0 || done < m_d.cancelProgressAt;
        }

    private:
        FakeDialogs& m_d;
    };
    add({Call::Progress, text, {}});
    return std::make_unique<FakeProgress>(*this);
}

void FakeDialogs::shellOpen(const QString& command) { add({Call::ShellOpen, command, {}}); }

QStringList FakeDialogs::texts() const
{
    QStringList out;
    for (const Record& r : calls)
        if (r.call <= Call::Confirm)
            out << r.text;
    return out;
}

FakeDialogs::Record FakeDialogs::last() const { return calls.isEmpty() ? Record{Call::Message, {}, {}} : calls.last(); }

int FakeDialogs::count(Call c) const
{
    int n = 0;
    for (const Record& r : calls)
        n += r.call == c;
    return n;
}

} // namespace pinakos::test
