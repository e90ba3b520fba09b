#pragma once

#include "shell/bookchoice.h"
#include "shell/commandline.h"
#include "shell/recentbooks.h"

#include <QObject>
#include <QString>
#include <memory>

class QSettings;
class SwitchboardWindow;
struct Services;

// The book the program works in and its main window, from start-up to the end: the book
// named on the command line or chosen by start-up, and the File menu's Open Book..., New
// Book... and last books, which put another book in its place. Every book is opened as
// start-up opens one (Main: format check and upgrade, read-only, lock, background check) and
// goes to the head of the recent books.
class BookSession : public QObject {
    Q_OBJECT
public:
    // `places` without the recent books, which come from `settings`.
    BookSession(Services& services, QSettings& settings, BookPlaces places);
    ~BookSession() override;

    // Opens the book the command line asks for; false when the program must end (the user
    // has been told why, or declined the first book).
    bool start(const CommandLine& line);

    SwitchboardWindow* window() const { return m_window.get(); }
    QStringList recentBooks() const { return m_recent.books(); }

    // The File menu's commands.
    void openBook();
    void newBook();
    // Closes every window of the book open now, each asking about unsaved changes as it does
    // on closing, then opens the book at path in its place (making it first when `make`).
    // A window that stays open keeps everything as it was. A book that cannot be opened
    // brings back the one that was open. True when the book at path is open.
    bool switchTo(const QString& path, bool make = false);

private:
    // Makes a new book at path, telling the user when it cannot; false then.
    bool make(const QString& path);
    // Opens the book at path with a new main window; false (no window) when it cannot.
    // `inPlaceOfAnother` when it replaces the book that was open.
    bool open(const QString& path, bool inPlaceOfAnother = false);
    bool closeBookWindows();
    void bindBookCommands();

    Services& m_services;
    RecentBooks m_recent;
    BookPlaces m_places;
    std::unique_ptr<SwitchboardWindow> m_window;
};
