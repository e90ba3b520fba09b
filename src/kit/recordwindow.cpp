#include "recordwindow.h"

#include "kit/fieldgate.h"
#include "kit/handlerguard.h"
#include "kit/lookupcombobox.h"
#include "kit/services.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

RecordWindow::RecordWindow(Services& services, const QString& windowName, const QString& caption,
                           QWidget* parent)
    : QDialog(parent), m_services(services), m_windowName(windowName) {
    setObjectName(windowName);
    setWindowTitle(caption);
    m_gate = new FieldGate(
        services, windowName, this,
        [this](QWidget* widget, bool focusLeaving) { return leaveField(widget, focusLeaving); },
        [this](QWidget* widget) { gotFocus(widget); });
}

RecordWindow::~RecordWindow() = default;

bool RecordWindow::isReadOnly() const {
    return m_services.db.isReadOnly();
}

QLineEdit* RecordWindow::addLineEdit(const char* name, int maxLength) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QString::fromLatin1(name));
    if (maxLength > 0)
        edit->setMaxLength(maxLength);
    return edit;
}

QLabel* RecordWindow::addLabel(const char* name, const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text, this);
    label->setObjectName(QString::fromLatin1(name));
    if (buddy)
        label->setBuddy(buddy);
    return label;
}

QPushButton* RecordWindow::addButton(const char* name, const QString& caption) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

void RecordWindow::gotFocus(QWidget* widget) {
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        edit->selectAll();
    else if (auto* memo = qobject_cast<QPlainTextEdit*>(widget))
        memo->selectAll();
}

void RecordWindow::trackChanges(const QList<QWidget*>& except) {
    auto markDirty = [this] {
        if (m_binding == 0)
            m_dirty = true;
    };
    for (QLineEdit* edit : findChildren<QLineEdit*>())
        if (edit->parent() == this && !except.contains(edit))
            connect(edit, &QLineEdit::textChanged, this, markDirty);
    for (LookupComboBox* combo : findChildren<LookupComboBox*>())
        connect(combo, &QComboBox::editTextChanged, this, markDirty);
    for (QPlainTextEdit* memo : findChildren<QPlainTextEdit*>())
        connect(memo, &QPlainTextEdit::textChanged, this, markDirty);
}

void RecordWindow::installFlow(RecordNavigator& navigator, RecordFlow::Row row,
                               RecordFlow::Texts texts) {
    m_flow = std::make_unique<RecordFlow>(m_services, navigator, std::move(row), std::move(texts));
}

void RecordWindow::runCommand(const QString& routine, const std::function<void()>& body) {
    if (!m_gate->leaveFocused())
        return;
    guarded(m_services, m_windowName, routine, body);
}

bool RecordWindow::beforeMove(const QString& routine) {
    if (m_gate->isRefused())
        return false;
    bool allowed = false;
    guarded(m_services, m_windowName, routine, [this, &allowed] { allowed = m_flow->leave(); });
    return allowed;
}

bool RecordWindow::mayClose(const QString& routine) {
    bool close = false;
    guarded(m_services, m_windowName, routine, [this, &close] { close = m_flow->mayClose(); });
    return close;
}

void RecordWindow::closeWindow(const QString& routine) {
    if (!mayClose(routine))
        return;
    m_closing = true;
    done(QDialog::Accepted);
}

void RecordWindow::reactivate() {
    activateWindow();
}

void RecordWindow::focusField(const QString& name) {
    if (auto* widget = findChild<QWidget*>(name))
        widget->setFocus(Qt::OtherFocusReason);
}

void RecordWindow::closeEvent(QCloseEvent* event) {
    if (m_closing) {
        event->accept();
        return;
    }
    if (!m_gate->leaveFocused() || !mayClose(QStringLiteral("Form QueryUnload"))) {
        event->ignore();
        return;
    }
    m_closing = true;
    event->accept();
    QDialog::closeEvent(event);
}

void RecordWindow::reject() {
    if (m_closing) {
        QDialog::reject();
        return;
    }
    // Escape undoes changes to the shown row; with nothing to undo it closes the window the
    // way its close box does.
    if (escapeUndoes()) {
        m_gate->reset();
        guarded(m_services, m_windowName, QStringLiteral("cmdUndo"), [this] { undoChanges(); });
        return;
    }
    if (!m_gate->leaveFocused() || !mayClose(QStringLiteral("Form QueryUnload")))
        return;
    m_closing = true;
    QDialog::reject();
}
