#pragma once

#include <QString>
#include <functional>

class QWidget;
struct Services;

// What a feature binds its commands through: each command is named as its button or menu
// item is, and bound to the action it runs. The window on top that carries the commands
// implements it; a feature knows nothing more of that window. It serves while the commands
// are installed: an action keeps the services and the parent window it needs, not the binder.
class CommandBinder {
public:
    virtual ~CommandBinder() = default;

    // The services handed to the windows the commands open.
    virtual Services& services() = 0;
    // The window the commands are on: the parent of the windows they open, and the window
    // their failures are reported under.
    virtual QWidget* parentWindow() = 0;
    // Binds the command named `name` to `action` and enables it; the action runs through the
    // handler guard labelled with that name.
    virtual void bindCommand(const QString& name, std::function<void()> action) = 0;
};
