#include "activationkeeper.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

ActivationKeeper::ActivationKeeper(QObject* parent) : QObject(parent) {}

bool ActivationKeeper::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::Show && type != QEvent::Hide)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || !widget->isWindow() || widget->windowModality() == Qt::NonModal)
        return false;
    if (type == QEvent::Show) {
        // Shown but not yet active: the active window is the one underneath.
        QWidget* underneath = QApplication::activeWindow();
        if (underneath == widget)
            underneath = nullptr;
        m_previous.insert(widget, {underneath, underneath ? underneath->focusWidget() : nullptr});
        return false;
    }
    const Underneath previous = m_previous.take(widget);
    QPointer<QWidget> target = previous.window;
    if (!target && widget->parentWidget())
        target = widget->parentWidget()->window();
    if (!target)
        return false;
    const QPointer<QWidget> focus = previous.focus;
    // Once the dialog has gone, unless another window took the activation or another modal
    // window is open. Asking again for a window that is already active changes nothing.
    QTimer::singleShot(0, this, [target, focus] {
        const QWidget* active = QApplication::activeWindow();
        const QWidget* modal = QApplication::activeModalWidget();
        if (target && target->isVisible() && (!active || active == target) &&
            (!modal || modal == target)) {
            target->activateWindow();
            // Not a move to another field: no field's leave rule runs for it.
            if (!target->focusWidget() && focus && focus->window() == target)
                focus->setFocus(Qt::ActiveWindowFocusReason);
        }
    });
    return false;
}
