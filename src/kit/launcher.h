#pragma once

#include <QString>
#include <QStringList>

// Starts outside programs without waiting for them, and shows help.
class Launcher {
public:
    virtual ~Launcher() = default;
    // Full path of a program found on PATH, or empty.
    virtual QString findExecutable(const QString& name) = 0;
    // Starts a program detached; false when it could not be started.
    virtual bool startDetached(const QString& program, const QStringList& arguments) = 0;
    // Opens the help viewer at a topic (a page name without extension).
    virtual void showHelp(const QString& topic) = 0;
};
