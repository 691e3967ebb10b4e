#pragma once
// A sheet window as the other windows see it through its interface, with
// nothing behind it: what is handed to it is kept, what it shows is set by
// the test.
#include "kit/Sheet.h"

namespace pinakos::test {

class FakeSheet : public Sheet
{
public:
    QString path, name;
    int number = 0;
    TSchedaOpera record;
    SheetPhoto photo;
    Attachments slots;

    void openCatalog(const QString& p, const QString& n) override
    {
        path = p;
        name = n;
    }
    QString catalogPath() const override { return path; }
    QString catalogName() const override { return name; }
    void showRecord(int n, const TSchedaOpera& r) override
    {
        number = n;
        record = r;
    }
    TSchedaOpera shownRecord() const override { return record; }
    QString shownText(Campo field) const override { return record.text(field); }
    int shownNumber() const override { return number; }
    SheetPhoto shownPhoto() const override { return photo; }
    Attachments attachments() const override { return slots; }
    void setAttachments(const Attachments& a) override { slots = a; }
};

} // namespace pinakos::test
