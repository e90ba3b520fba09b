#pragma once

#include <QString>
#include <functional>

class Database;

// Rewrites the book without the free space deleted rows leave behind. The book is never
// put at risk: a compacted copy is written beside it, checked, and only then put in the
// book's place by one atomic rename. Until that rename the book itself is not touched.
//
// A book that is a symbolic link is compacted at its real file, so the link keeps naming
// the book; the new file takes the old one's permissions and owner.
//
// Every step runs on the shared connection; replaceBook() closes it and leaves the
// reopening to the caller, which reopens whatever file is the book afterwards.
class BookCompaction {
public:
    enum class Step { Compact, Check, Replace };
    // Called before each step; a test makes a step fail by throwing from it.
    using StepHook = std::function<void(Step)>;

    BookCompaction(Database& db, const QString& bookPath, StepHook beforeStep = {});

    // The book's real file, and the copy's place beside it.
    const QString& bookFile() const { return m_bookFile; }
    const QString& copyPath() const { return m_copyPath; }

    // Refuses, before anything is written, a book the user may not change and a book another
    // program is still writing to (Failure of kind BookRefused, the message for the user). A
    // journal the engine no longer needs is removed: it is no reason to refuse.
    void checkBook() const;
    // Deletes a copy left over from an earlier run. Throws Failure when it cannot.
    void removeLeftover() const;
    // Writes the compacted copy and checks it against the book (BookCopy::verify). Throws
    // Failure; the book is untouched.
    void makeCheckedCopy() const;
    // Closes the shared connection and renames the copy over the book. Throws Failure
    // when the rename did not happen: the book is then still the old, untouched file.
    void replaceBook() const;
    // Removes the copy after a failed run; never throws.
    void discardCopy() const noexcept;

private:
    void before(Step step) const;

    Database& m_db;
    QString m_bookFile;
    QString m_copyPath;
    StepHook m_beforeStep;
};
