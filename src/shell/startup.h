#pragma once

#include <QString>
#include <memory>

class SwitchboardWindow;
struct Services;

// The start-up procedure: checks that the book (Services::bookPath) is there, opens the
// shared connection on it (bringing an older book up to date and telling the user what the
// upgrade found) and shows the main window, titled with the book. A book the user may not
// change is opened read-only, the user told and the writing commands disabled. The program
// takes the book's lock (BookLock); a book another Quillan program holds is opened read-only
// if the user wants, else the program ends. Once the window is up, the book's pages are
// checked in the background (BackgroundBookCheck, a child of the window). Returns no window
// when the program must end (no book, or a book that cannot be used; the user has been told).
// `inPlaceOfAnother`: the book is to replace the one that was open (BookSession), which a
// refusal brings back instead of ending the program.
std::unique_ptr<SwitchboardWindow> Main(Services& services, bool inPlaceOfAnother = false);
