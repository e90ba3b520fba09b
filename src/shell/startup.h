#pragma once

#include <QString>
#include <memory>

class SwitchboardWindow;
struct Services;

// The start-up procedure: checks that the book is in the application directory, opens
// the shared connection on it and shows the main window. Returns no window when the
// program must end (no book, or a book that cannot be used; the user has been told).
std::unique_ptr<SwitchboardWindow> Main(Services& services);

// The message shown when the book is not in the application directory.
QString missingBookMessage(const QString& appDir);
