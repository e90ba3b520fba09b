#pragma once

#include "kit/services.h"
#include "scriptedservices.h"

#include <QTemporaryDir>
#include <memory>

// Writes at path a book as builds made it before books carried a format version (the
// tables and template rows of that build, no mark, version 0).
void writeEarlierBuildBook(const QString& path);

// Writes at path a book as the build of format `version` made it: the earlier build's book
// brought up to that version by the first `version` upgrade steps.
void writeBookOfVersion(const QString& path, int version);

// Runs statements on a book file with no format check or upgrade (to make the file under test).
void changeFile(const QString& path, const QStringList& statements);

// The bytes of a file, for checking that something left it untouched.
QByteArray fileBytes(const QString& path);

// Replaces a file's contents with bytes, making it when missing.
void writeFile(const QString& path, const QByteArray& bytes);

// The engine the tests' books are kept in: a book file, or, when QUILLAN_TEST_ENGINE is
// "postgresql", a database of the test's own on the server QUILLAN_TEST_SERVER names.
BookEngine testEngine();

// A fresh template book in a temporary application directory, with scripted services: a book
// file, or on the server (testEngine()) a fresh database made by ServerSchema::createBook.
// The book is open on `db` unless constructed with Open::No.
class TestBook {
public:
    enum class Open { Yes, No };
    explicit TestBook(Open open = Open::Yes);
    ~TestBook();

    QString appDir() const { return m_dir.path(); }
    QString bookPath() const { return services.bookPath(); }

    // Runs a statement on the book (test set-up only).
    void sql(const QString& statement, const QVariantList& values = {});
    QVariant value(const QString& query, const QVariantList& values = {});
    // The query's rows, each as its values (a Null as empty) joined by "|".
    QStringList rows(const QString& query, const QVariantList& values = {});

    QTemporaryDir m_dir;
    // The server book's database (none for a book file), dropped after the book is closed.
    struct Server;
    std::unique_ptr<Server> m_server;
    Database db;
    ScriptedPrompts prompts;
    ScriptedFileDialogs fileDialogs;
    RecordingLauncher launcher;
    RecordingBusyPointer busy;
    FixedClock clock;
    Services services;
    int endProgramCalls = 0;
};
