#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>

class QWidget;

// Hands the activation back when a modal dialog or message box closes. A window manager
// does this; on a bare X server (Xvfb alone) and on the VNC platform nothing does, so the
// window underneath stays inactive: keys such as Tab reach no field and a field's leave rule
// never runs. Installed once on the application, it remembers which window was active when
// each modal window appeared and, when that modal window goes while no window is active,
// activates the remembered one (or the dialog's parent).
class ActivationKeeper : public QObject {
    Q_OBJECT
public:
    explicit ActivationKeeper(QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // For each modal window shown: the window that was active underneath, and its field
    // with the focus.
    struct Underneath {
        QPointer<QWidget> window;
        QPointer<QWidget> focus;
    };
    QHash<QObject*, Underneath> m_previous;
};
