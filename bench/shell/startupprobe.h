#pragma once

#include <QObject>

// Watches the program from inside: when its first window has been exposed and painted,
// prints "exposed <monotonic ns> <peak resident KB> <window title>" on standard output
// and ends the process at once. Prints "loaded <monotonic ns>" when Qt has loaded it.
class StartupProbe : public QObject {
    Q_OBJECT
public:
    StartupProbe();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void report(const QString& title);

    bool m_seen = false;
};
