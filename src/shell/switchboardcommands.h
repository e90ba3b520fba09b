#pragma once

#include "kit/commandbinder.h"

class SwitchboardWindow;

// The switchboard as the features see it while they install their commands: each bound to
// the button or menu item of its name.
class SwitchboardCommands : public CommandBinder {
public:
    explicit SwitchboardCommands(SwitchboardWindow& switchboard);

    Services& services() override;
    QWidget* parentWindow() override;
    void bindCommand(const QString& name, std::function<void()> action) override;

private:
    SwitchboardWindow& m_switchboard;
};
