#include "fieldgate.h"

#include "kit/handlerguard.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QTimer>

namespace {

void selectText(QWidget* widget) {
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        edit->selectAll();
    else if (auto* combo = qobject_cast<QComboBox*>(widget); combo && combo->lineEdit())
        combo->lineEdit()->selectAll();
}

} // namespace

FieldGate::FieldGate(Services& services, QString form, QWidget* window, Leave leave,
                     std::function<void(QWidget*)> gotFocus)
    : QObject(window), m_services(services), m_form(std::move(form)), m_window(window),
      m_leave(std::move(leave)), m_gotFocus(std::move(gotFocus)) {}

void FieldGate::watch(const QList<QWidget*>& fields, const QList<QWidget*>& checked) {
    for (QWidget* widget : fields)
        widget->installEventFilter(this);
    m_checked = checked;
}

bool FieldGate::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget)
        return false;
    if (event->type() == QEvent::FocusIn) {
        if (m_refocus && widget != m_refocus)
            return false;
        if (widget == m_refocus)
            m_refocus = nullptr;
        guarded(m_services, m_form, routineLabel(widget, "GotFocus"),
                [this, widget] { m_gotFocus(widget); });
    } else if (event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (!m_refocus && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            m_leave(widget, true);
    }
    return false;
}

bool FieldGate::leaveFocused() {
    if (m_refocus)
        return false;
    QWidget* focused = m_window->focusWidget();
    // The text of a drop-down is its own child.
    if (focused && qobject_cast<QComboBox*>(focused->parentWidget()))
        focused = focused->parentWidget();
    if (focused && focused->hasFocus() && m_checked.contains(focused))
        return m_leave(focused, false);
    return !m_refused;
}

bool FieldGate::check(const QString& routine, const std::function<bool()>& check) {
    bool passed = true;
    guarded(m_services, m_form, routine, [&check, &passed] { passed = check(); });
    return passed;
}

bool FieldGate::settle(QWidget* widget, bool focusLeaving, bool passed) {
    if (!passed) {
        refuse(widget, focusLeaving);
        return false;
    }
    m_refused = false;
    return true;
}

void FieldGate::refuse(QWidget* widget, bool focusLeaving) {
    m_refused = true;
    selectText(widget);
    if (focusLeaving) {
        m_refocus = widget;
        QTimer::singleShot(0, this, &FieldGate::restoreFocus);
    }
}

void FieldGate::reset() {
    m_refused = false;
    m_refocus = nullptr;
}

void FieldGate::restoreFocus() {
    QWidget* widget = m_refocus;
    if (!widget)
        return;
    widget->setFocus(Qt::OtherFocusReason);
    selectText(widget);
    m_refocus = nullptr;
}
