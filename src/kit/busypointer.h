#pragma once

#include <QString>

// The application-wide wait pointer. Set and reset, never stacked: setting it twice
// and resetting once leaves the normal pointer. Long work the user started (a backup, a
// restore, period end, compaction) also names its steps through it, and holds it so that the
// same work is not started again while it runs.
class BusyPointer {
public:
    virtual ~BusyPointer() = default;
    void set() {
        if (!m_busy) {
            m_busy = true;
            apply(true);
        }
    }
    void reset() {
        if (m_busy) {
            m_busy = false;
            apply(false);
        }
    }
    bool isBusy() const { return m_busy; }

    // The step the work has reached and how far it is in it (`done` of `total`; both 0 when
    // it cannot tell). The program shows it in a progress dialog when the work has taken over
    // half a second, until reset(), and keeps its windows painted between steps.
    void step(const QString& text, qint64 done = 0, qint64 total = 0) {
        if (m_busy)
            showStep(text, done, total);
    }

    // Long work the user started: false while such work runs, so that a second start (a
    // click reaching the window between two steps) does nothing. See WorkGuard.
    bool startWork() {
        if (m_working)
            return false;
        m_working = true;
        return true;
    }
    void endWork() { m_working = false; }

protected:
    virtual void apply(bool /*busy*/) {}
    virtual void showStep(const QString& /*text*/, qint64 /*done*/, qint64 /*total*/) {}

private:
    bool m_busy = false;
    bool m_working = false;
};

// Shows the wait pointer for the life of a scope.
class BusyScope {
public:
    explicit BusyScope(BusyPointer& pointer) : m_pointer(pointer) { m_pointer.set(); }
    ~BusyScope() { m_pointer.reset(); }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    BusyPointer& m_pointer;
};

// Holds long work for the life of a scope; false when such work was running already.
class WorkGuard {
public:
    explicit WorkGuard(BusyPointer& pointer) : m_pointer(pointer), m_started(pointer.startWork()) {}
    ~WorkGuard() {
        if (m_started)
            m_pointer.endWork();
    }
    WorkGuard(const WorkGuard&) = delete;
    WorkGuard& operator=(const WorkGuard&) = delete;
    explicit operator bool() const { return m_started; }

private:
    BusyPointer& m_pointer;
    bool m_started;
};
