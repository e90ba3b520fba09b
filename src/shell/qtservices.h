#pragma once

#include "kit/busypointer.h"
#include "kit/filedialogs.h"
#include "kit/launcher.h"
#include "kit/prompts.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QProgressDialog>

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
    // helpFolder: where the help pages are (ProgramFiles::helpFolder).
    explicit QtLauncher(QString helpFolder) : m_helpFolder(std::move(helpFolder)) {}
    QString findExecutable(const QString& name) override;
    bool startDetached(const QString& program, const QStringList& arguments) override;
    void showHelp(const QString& topic) override;

private:
    QString m_helpFolder;
};

// The wait pointer, and for long work a progress dialog naming its step, shown once the work
// has taken over half a second: it blocks the other windows, which are painted between steps.
class QtBusyPointer : public BusyPointer {
protected:
    void apply(bool busy) override;
    void showStep(const QString& text, qint64 done, qint64 total) override;

private:
    QElapsedTimer m_started;
    QPointer<QProgressDialog> m_dialog;
};
