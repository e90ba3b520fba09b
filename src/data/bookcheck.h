#pragma once

#include <QMutex>
#include <QString>

struct sqlite3;

// The engine's quick check of a book's pages, run on a connection of its own so it can run
// on another thread while the program works on the shared connection.
namespace BookCheck {

struct Findings {
    // The problems the quick check finds, one a line (at most ten); empty when the book is
    // sound or when the check was interrupted (see Interrupt::requested). A file that cannot
    // be read at all is a problem too.
    QString problems;
    // The cashbook totals differ from the sums of the transactions (CashbookTotals).
    bool totalsDiffer = false;
};

// Lets another thread cut a running check short. While the check reads, the book may not
// be written (a writer waits for its readers), so the program stops the check before it
// writes rather than make the user's save wait for it.
class Interrupt {
public:
    // Stops the check now if it is running, or before it starts. Safe from any thread.
    void request();
    bool requested() const;

private:
    friend Findings check(const QString& path, Interrupt* interrupt, bool compareTotals);
    // The connection the check runs on; false when the check is already to stop.
    bool attach(sqlite3* handle);
    void detach();

    mutable QMutex m_mutex;
    sqlite3* m_handle = nullptr;
    bool m_requested = false;
};

// The quick check of the book at path and then, when asked and the pages are sound, the
// comparison of the cashbook totals with the transactions, both on one reading connection.
Findings check(const QString& path, Interrupt* interrupt, bool compareTotals);

// The quick check alone: the problems it finds.
QString problems(const QString& path, Interrupt* interrupt = nullptr);

} // namespace BookCheck
