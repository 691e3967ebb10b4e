#include "FakeDialogs.h"

namespace pinakos::test {

FakeDialogs::FakeDialogs() { setDialogs(this); }

FakeDialogs::~FakeDialogs() { setDialogs(nullptr); }

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

QString FakeDialogs::openFile(QWidget*, const FileDialogSpec& request)
{
    add({Call::OpenFile, request.title, request});
    return fileAnswers.isEmpty() ? QString() : fileAnswers.dequeue();
}

QString FakeDialogs::saveFile(QWidget*, const FileDialogSpec& request)
{
    add({Call::SaveFile, request.title, request});
    return fileAnswers.isEmpty() ? QString() : fileAnswers.dequeue();
}

bool FakeDialogs::print(QWidget*, QPrinter&)
{
    add({Call::Print, {}, {}});
    return printAnswers.isEmpty() ? false : printAnswers.dequeue();
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
