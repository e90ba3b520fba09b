#include "scriptedservices.h"

#include <QTest>

ScriptedPrompts& ScriptedPrompts::expect(const QString& text, Answer answer) {
    m_queue.push_back({text, false, answer});
    return *this;
}

ScriptedPrompts& ScriptedPrompts::expectMatch(const QString& pattern, Answer answer) {
    m_queue.push_back({pattern, true, answer});
    return *this;
}

Prompts::Answer ScriptedPrompts::show(const QString& text, Icon icon, Buttons buttons,
                                      Answer defaultButton) {
    m_shown.push_back({text, icon, buttons, defaultButton});
    const Answer fallback = buttons == Buttons::Ok ? Answer::Ok : defaultButton;
    if (m_queue.empty()) {
        QTest::qFail(qPrintable(QStringLiteral("Unexpected message box: ") + text), __FILE__,
                     __LINE__);
        return fallback;
    }
    const Expectation expected = m_queue.front();
    m_queue.pop_front();
    const bool matches = expected.isPattern
                             ? QRegularExpression(expected.text).match(text).hasMatch()
                             : expected.text == text;
    if (!matches) {
        QTest::qFail(qPrintable(QStringLiteral("Message box\n  shown:    %1\n  expected: %2")
                                    .arg(text, expected.text)),
                     __FILE__, __LINE__);
        return fallback;
    }
    if (buttons == Buttons::Ok)
        return Answer::Ok;
    return expected.answer == Answer::Ok ? defaultButton : expected.answer;
}

bool ScriptedPrompts::verifyAllShown() {
    if (m_queue.empty())
        return true;
    QTest::qFail(
        qPrintable(QStringLiteral("Expected message box never shown: ") + m_queue.front().text),
        __FILE__, __LINE__);
    return false;
}

QStringList ScriptedPrompts::shownTexts() const {
    QStringList texts;
    for (const Shown& shown : m_shown)
        texts << shown.text;
    return texts;
}

std::optional<QString> ScriptedFileDialogs::next(const FileDialogRequest& request) {
    m_requests.push_back(request);
    if (m_answers.empty()) {
        QTest::qFail("Unexpected file dialog", __FILE__, __LINE__);
        return std::nullopt;
    }
    const std::optional<QString> answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

std::optional<QString> ScriptedFileDialogs::saveFileName(const FileDialogRequest& request) {
    return next(request);
}

std::optional<QString> ScriptedFileDialogs::openFileName(const FileDialogRequest& request) {
    return next(request);
}

QString RecordingLauncher::findExecutable(const QString& name) {
    return available.contains(name) ? QStringLiteral("/usr/bin/") + name : QString();
}

bool RecordingLauncher::startDetached(const QString& program, const QStringList& arguments) {
    started.push_back({program, arguments});
    return startSucceeds;
}
