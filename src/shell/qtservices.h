#pragma once

#include "kit/busypointer.h"
#include "kit/filedialogs.h"
#include "kit/launcher.h"
#include "kit/prompts.h"

class QWidget;

// The Qt implementations of the seams, used by the running program.

class QtPrompts : public Prompts {
public:
    Answer show(const QString& text, Icon icon, Buttons buttons, Answer defaultButton) override;
};

class QtFileDialogs : public FileDialogs {
public:
    std::optional<QString> saveFileName(const FileDialogRequest& request) override;
    std::optional<QString> openFileName(const FileDialogRequest& request) override;
};

class QtLauncher : public Launcher {
public:
    explicit QtLauncher(QString appDir) : m_appDir(std::move(appDir)) {}
    QString findExecutable(const QString& name) override;
    bool startDetached(const QString& program, const QStringList& arguments) override;
    void showHelp(const QString& topic) override;

private:
    QString m_appDir;
};

class QtBusyPointer : public BusyPointer {
protected:
    void apply(bool busy) override;
};
