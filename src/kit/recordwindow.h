#pragma once

#include "kit/recordflow.h"

#include <QDialog>
#include <functional>
#include <memory>

class FieldGate;
class QLabel;
class QLineEdit;
class QPushButton;
class RecordNavigator;
struct Services;

// The frame of a window that edits one record at a time: the field gate over its fields,
// the tracking of the user's changes, the record flow (leave, Add, Save, Delete, Close),
// commands that leave the focused field first, and closing by Close, the close box or
// Escape (which undoes changes first when there are any).
//
// A window built on it creates its fields with the helpers below, supplies its field
// rules, and installs the flow over its navigator with its checks and its write.
class RecordWindow : public QDialog {
    Q_OBJECT
public:
    ~RecordWindow() override;

    // Whether the shown row holds changes not yet written.
    bool hasPendingChanges() const { return m_dirty; }
    // The book was opened read-only: the window is for looking and its flow writes nothing.
    bool isReadOnly() const;

protected:
    RecordWindow(Services& services, const QString& windowName, const QString& caption,
                 QWidget* parent);

    QLineEdit* addLineEdit(const char* name, int maxLength = 0);
    QLabel* addLabel(const char* name, const QString& text, QWidget* buddy);
    // A command button; Enter in a field never presses it.
    QPushButton* addButton(const char* name, const QString& caption);

    // Leaving a watched field: false when its rule refuses (the gate keeps the focus).
    virtual bool leaveField(QWidget* widget, bool focusLeaving) = 0;
    // A watched field took the focus: by default its text is selected.
    virtual void gotFocus(QWidget* widget);
    // Escape: whether there is something to undo, and undoing it.
    virtual bool escapeUndoes() const { return m_dirty; }
    virtual void undoChanges() = 0;

    // Every line edit, combo box and memo of the window except those given marks the row
    // changed when its text changes outside a Binding.
    void trackChanges(const QList<QWidget*>& except);
    void installFlow(RecordNavigator& navigator, RecordFlow::Row row, RecordFlow::Texts texts);
    // A command: the focused field is left first; the body runs under the handler guard.
    void runCommand(const QString& routine, const std::function<void()>& body);
    // The check before the navigator moves: a refused field holds it, then the flow leaves
    // the row under the routine's label.
    bool beforeMove(const QString& routine);
    // Close: the row is left as the flow leaves it on closing.
    void closeWindow(const QString& routine);
    // After a modal chooser or dialog has closed: this window becomes the active one again,
    // so that keys reach it and leaving a field runs its rule, even where no window manager
    // hands the activation back.
    void reactivate();
    void focusField(const QString& name);

    // Field changes made by the window itself (showing a row, normalisations) while this is
    // held are not the user's changes.
    class Binding {
    public:
        explicit Binding(RecordWindow& window) : m_depth(window.m_binding) { ++m_depth; }
        ~Binding() { --m_depth; }
        Binding(const Binding&) = delete;
        Binding& operator=(const Binding&) = delete;

    private:
        int& m_depth;
    };
    bool isBinding() const { return m_binding > 0; }

    void closeEvent(QCloseEvent* event) override;
    void reject() override;

    Services& m_services;
    const QString m_windowName;
    FieldGate* m_gate = nullptr; // may the user leave the focused field
    std::unique_ptr<RecordFlow> m_flow;
    bool m_dirty = false;

private:
    bool mayClose(const QString& routine);

    int m_binding = 0;
    bool m_closing = false;
};
