#pragma once

#include "data/clock.h"
#include "kit/busypointer.h"
#include "kit/filedialogs.h"
#include "kit/launcher.h"
#include "kit/prompts.h"

#include <QDate>
#include <QList>
#include <QRegularExpression>
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>

// Message boxes answered from a queue of expectations. An unexpected box, or a box whose
// text differs from the next expectation, fails the running test at once.
class ScriptedPrompts : public Prompts {
public:
    struct Shown {
        QString text;
        Icon icon;
        Buttons buttons;
        Answer defaultButton;
    };

    // The next box must show exactly this text; it is answered with `answer`.
    ScriptedPrompts& expect(const QString& text, Answer answer = Answer::Ok);
    // The next box's text must match the pattern.
    ScriptedPrompts& expectMatch(const QString& pattern, Answer answer = Answer::Ok);
    // expect(), or expectMatch() for a text that starts with ^.
    ScriptedPrompts& expectBox(const QString& textOrPattern, Answer answer = Answer::Ok) {
        return textOrPattern.startsWith(QLatin1Char('^')) ? expectMatch(textOrPattern, answer)
                                                          : expect(textOrPattern, answer);
    }

    Answer show(const QString& text, Icon icon, Buttons buttons, Answer defaultButton) override;

    // Fails the running test if an expected box was never shown.
    bool verifyAllShown();
    int pending() const { return int(m_queue.size()); }
    const QList<Shown>& shown() const { return m_shown; }
    QStringList shownTexts() const;
    void clear() {
        m_queue.clear();
        m_shown.clear();
    }

private:
    struct Expectation {
        QString text;
        bool isPattern = false;
        Answer answer = Answer::Ok;
    };
    std::deque<Expectation> m_queue;
    QList<Shown> m_shown;
};

// File dialogs answered from a queue: a path, or nothing for a cancelled dialog.
class ScriptedFileDialogs : public FileDialogs {
public:
    void answer(std::optional<QString> path) { m_answers.push_back(std::move(path)); }
    std::optional<QString> saveFileName(const FileDialogRequest& request) override;
    std::optional<QString> openFileName(const FileDialogRequest& request) override;
    const QList<FileDialogRequest>& requests() const { return m_requests; }

private:
    std::optional<QString> next(const FileDialogRequest& request);
    std::deque<std::optional<QString>> m_answers;
    QList<FileDialogRequest> m_requests;
};

// Records what would have been started instead of starting it.
class RecordingLauncher : public Launcher {
public:
    struct Started {
        QString program;
        QStringList arguments;
    };
    // Programs that findExecutable() reports as present.
    QStringList available;
    bool startSucceeds = true;
    QList<Started> started;
    QStringList helpTopics;

    QString findExecutable(const QString& name) override;
    bool startDetached(const QString& program, const QStringList& arguments) override;
    void showHelp(const QString& topic) override { helpTopics << topic; }
};

// A pointer that remembers every change and the steps of long work, each once when it begins.
class RecordingBusyPointer : public BusyPointer {
public:
    int setCount = 0;
    QStringList steps;
    // Called at each step shown, where the program paints its windows: a test starts more
    // work there.
    std::function<void()> atStep;

protected:
    void apply(bool busy) override {
        if (busy)
            ++setCount;
    }
    void showStep(const QString& text, qint64, qint64) override {
        if (steps.isEmpty() || steps.constLast() != text)
            steps << text;
        if (atStep)
            atStep();
    }
};

class FixedClock : public Clock {
public:
    explicit FixedClock(QDate date = QDate(2003, 1, 15)) : date(date) {}
    QDate today() const override { return date; }
    QDate date;
};
