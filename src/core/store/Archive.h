#pragma once
#include "store/SchedaOpera.h"

#include <QFile>
#include <QString>
#include <functional>

namespace pinakos {

// The text a window shows when an archive cannot be used.
QString archiveFailureMessage();

// One archive file of work records, opened for one command by the
// open-or-create rule and closed before the command ends. Every failure
// throws pinakos::Failure with a message; nothing is retried.
class Archive
{
public:
    // Opens the existing file for reading and writing; creates it empty only
    // when there is no such file. An existing file is never emptied.
    explicit Archive(const QString& path);
    ~Archive();
    Archive(const Archive&) = delete;
    Archive& operator=(const Archive&) = delete;

    // Whole records in the file; trailing bytes that make no record don't count.
    int count() const;
    // Record n (1-based); a number outside 1..count is a failure.
    TSchedaOpera read(int n);
    // Writes over record n (1..count).
    void write(int n, const TSchedaOpera& r);
    // Writes at the end (over any trailing partial bytes) under an exclusive
    // lock held from counting to writing; returns the new record's number.
    int append(const TSchedaOpera& r);
    // Appends `count` records in one step under the same lock, make(i, r)
    // filling the i-th (0-based) before it is written. Any failure, make's
    // own included, puts the file back to its bytes before the call and is
    // thrown again; returns the first new record's number.
    int appendAll(int count, const std::function<void(int i, TSchedaOpera& r)>& make);
    // Record index after the last read or write: the 1-based number of that record.
    int position() const { return m_position; }
    // Reads records first to last in large blocks; fn returns false to stop.
    void scan(const std::function<bool(int n, const TSchedaOpera& r)>& fn);
    void close();

private:
    void checkNumber(int n) const;
    void seekIndex(int index);
    void put(int index, const TSchedaOpera& r);
    // Reads until size bytes or the end of the file; returns how many came.
    qint64 readUpTo(char* to, qint64 size);

    QFile m_file;
    int m_position = 0;
};

} // namespace pinakos
