#pragma once

#include "data/booklock.h"
#include "data/clock.h"
#include "data/database.h"
#include "kit/busypointer.h"
#include "kit/filedialogs.h"
#include "kit/launcher.h"
#include "kit/prompts.h"

#include <QFileInfo>
#include <QString>
#include <functional>

// The program-wide services. main() builds one and hands it to the switchboard,
// which hands it to every window; tests build their own with scripted parts.
struct Services {
    Database& db;
    Prompts& prompts;
    FileDialogs& fileDialogs;
    Launcher& launcher;
    BusyPointer& busy;
    Clock& clock;
    // The directory that holds the executable (ProgramFiles finds the help from it).
    QString appDir;
    // Ends the program at once (the quit command); tests replace it with a recorder.
    std::function<void()> endProgram;
    // This program's lock on the book (start-up takes it); released when the services go.
    BookLock bookLock{};
    // The book the program works in (start-up and the File menu's book commands set it).
    QString book{};

    const QString& bookPath() const { return book; }
    // The folder that holds the book: backups, exports and file dialogs start there.
    QString bookFolder() const { return QFileInfo(book).absolutePath(); }
};
