#pragma once

// The application-wide wait pointer. Set and reset, never stacked: setting it twice
// and resetting once leaves the normal pointer.
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

protected:
    virtual void apply(bool /*busy*/) {}

private:
    bool m_busy = false;
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
