#include "switchboardcommands.h"

#include "shell/switchboardwindow.h"

SwitchboardCommands::SwitchboardCommands(SwitchboardWindow& switchboard)
    : m_switchboard(switchboard) {}

Services& SwitchboardCommands::services() {
    return m_switchboard.services();
}

QWidget* SwitchboardCommands::parentWindow() {
    return &m_switchboard;
}

void SwitchboardCommands::bindCommand(const QString& name, std::function<void()> action) {
    m_switchboard.bindCommand(name, std::move(action));
}
