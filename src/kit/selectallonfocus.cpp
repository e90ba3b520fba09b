#include "selectallonfocus.h"

#include <QEvent>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>
#include <QWidget>

SelectAllOnFocus::SelectAllOnFocus(QWidget* field, QLineEdit* edit)
    : QObject(field), m_edit(edit) {}

void SelectAllOnFocus::install(QWidget* field, QLineEdit* edit) {
    field->installEventFilter(new SelectAllOnFocus(field, edit));
}

bool SelectAllOnFocus::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        m_edit->selectAll();
        // A mouse click places the cursor after the focus arrives; select again once it has.
        QPointer<QWidget> field = qobject_cast<QWidget*>(watched);
        QTimer::singleShot(0, this, [this, field] {
            if (field && field->hasFocus())
                m_edit->selectAll();
        });
    }
    return QObject::eventFilter(watched, event);
}
