#pragma once

#include <QMainWindow>
#include <functional>

class QLineEdit;
class QTabWidget;
struct Services;

// The main window: the company panel, four pages of command buttons and the menu bar.
// Every button and menu item starts disabled; each subsystem binds the commands it has
// built with bindCommand(), which enables them.
class SwitchboardWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit SwitchboardWindow(Services& services, QWidget* parent = nullptr);

    Services& services() { return m_services; }

    // Binds the button or menu item named objectName to an action, enables it, and runs
    // the action through the handler guard labelled with that name.
    void bindCommand(const QString& name, std::function<void()> action);
    // Presses the button named `name` when it is enabled, its actions' failures labelled
    // `label` instead: a menu item that presses a button reports under its own name.
    void pressAs(const QString& name, const QString& label);

    // Fills the company panel from the settings row, upper-cased (error label "Form Load").
    void loadCompanyPanel();

private:
    void buildPages();
    void buildMenus();

    Services& m_services;
    QTabWidget* m_tabs = nullptr;
    // The routine label of the press under way by pressAs(); empty otherwise.
    QString m_pressedAs;
};
