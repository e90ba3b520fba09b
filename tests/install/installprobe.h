#pragma once

#include <QObject>

class QWidget;

// Drives the installed program from inside, as a user would, and reports on standard output:
// "main <title>" when the main window is up (it then asks for help from the Help menu),
// "help <file>" with the page the help window shows, after which the process ends with 0;
// "box <text>" for any message box, after which it ends with 1.
class InstallProbe : public QObject {
    Q_OBJECT
public:
    InstallProbe();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void look();
    void lookAt(QWidget* window);

    bool m_askedForHelp = false;
};
