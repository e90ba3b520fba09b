#pragma once

#include "data/bookcheck.h"

#include <QObject>
#include <QString>
#include <QTimer>

class QThread;
struct Services;

// The quick check of the book's pages (BookCheck), run on a thread and a connection of its
// own once the main window is up, so start-up does not wait for it. Damage found is told to
// the user, with the last backup to restore. On a sound book the check also compares the
// cashbook totals with the transactions; totals found out of step (a tool that went round
// the triggers) are counted again on the program's connection, in one transaction, and the
// user is told once. A write on the program's connection stops a
// running check at once (the write would otherwise wait for it), and the check starts again
// once the book has been left alone for a while. Owned by the main window; its end stops
// the check.
class BackgroundBookCheck : public QObject {
    Q_OBJECT
public:
    BackgroundBookCheck(Services& services, QObject* parent);
    ~BackgroundBookCheck() override;

    // Whether a whole check has run and its outcome was reported.
    bool isDone() const { return m_done; }
    // How long the book must be left without a write before a stopped check starts again.
    void setRestartDelay(int milliseconds) { m_restart.setInterval(milliseconds); }

signals:
    // The problems found, empty for a sound book; after the user was told.
    void done(const QString& problems);

private:
    void start();
    void stop();
    void finished();
    void recountTotals();

    Services& m_services;
    QString m_bookPath;
    BookCheck::Findings m_findings;
    QThread* m_thread = nullptr;
    BookCheck::Interrupt* m_interrupt = nullptr;
    QTimer m_restart;
    bool m_done = false;
};
