#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <functional>

class QWidget;
struct Services;

// Whether the user may leave a field. The window watches its fields here: entering one runs
// its got-focus step; leaving one (not an activation change or a pop-up: a message box or
// chooser opened over the window does not take the field away) runs its leave rule. A field
// whose rule refuses keeps the focus with its text selected, and commands and moves wait
// until it is passed. Handlers run under the window's handler guard.
class FieldGate : public QObject {
    Q_OBJECT
public:
    // A field's leave rule: false when it refused (the rule then calls refuse or settle).
    using Leave = std::function<bool(QWidget* widget, bool focusLeaving)>;

    FieldGate(Services& services, QString form, QWidget* window, Leave leave,
              std::function<void(QWidget*)> gotFocus);

    // The fields with focus steps, and of those the ones with leave rules.
    void watch(const QList<QWidget*>& fields, const QList<QWidget*>& checked);
    // Before a command or a move: the focused checked field is left first, as a click
    // elsewhere would leave it. False while a field is refused.
    bool leaveFocused();
    // Runs a field's check under the guard: false when it refused; a check that fails with an
    // error report counts as passed.
    bool check(const QString& routine, const std::function<bool()>& check);
    // Ends leaving a field: a refused field keeps the focus, a passed one is accepted.
    bool settle(QWidget* widget, bool focusLeaving, bool passed);
    // Keeps the focus in a field whose check refused, its text selected.
    void refuse(QWidget* widget, bool focusLeaving);
    void accept() { m_refused = false; }
    // Drops a refusal and any focus still to be put back (the row's changes were undone).
    void reset();
    bool isRefused() const { return m_refused; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void restoreFocus();

    Services& m_services;
    const QString m_form;
    QWidget* m_window;
    Leave m_leave;
    std::function<void(QWidget*)> m_gotFocus;
    QList<QWidget*> m_checked;
    bool m_refused = false;
    QPointer<QWidget> m_refocus;
};
