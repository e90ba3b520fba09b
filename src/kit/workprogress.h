#pragma once

#include <QString>
#include <QtGlobal>
#include <memory>

class QProgressDialog;
class QWidget;

// Progress of a long piece of work: a modal progress dialog with a Cancel button that
// appears only when the work goes on for more than about half a second. Between steps it
// lets pending window events run (only the dialog takes the user's input once shown).
class WorkProgress {
public:
    // How long the work must run before the dialog appears, in milliseconds.
    static int showAfterMs;

    WorkProgress(QWidget* parent, const QString& label);
    ~WorkProgress();
    WorkProgress(const WorkProgress&) = delete;
    WorkProgress& operator=(const WorkProgress&) = delete;

    // Reports done of total; false once the user has cancelled.
    bool update(qint64 done, qint64 total);
    bool wasCancelled() const;
    // Takes the dialog down, before the work's closing message.
    void finish();

private:
    std::unique_ptr<QProgressDialog> m_dialog;
    qint64 m_calls = 0;
};
