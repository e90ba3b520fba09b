#include "backgroundbookcheck.h"

#include "data/bookbackup.h"
#include "data/messages.h"
#include "kit/services.h"

#include <QThread>

BackgroundBookCheck::BackgroundBookCheck(Services& services, QObject* parent)
    : QObject(parent), m_services(services), m_bookPath(services.bookPath()) {
    m_restart.setSingleShot(true);
    m_restart.setInterval(5000);
    connect(&m_restart, &QTimer::timeout, this, &BackgroundBookCheck::start);
    m_services.db.setBeforeWrite([this] { stop(); });
    start();
}

BackgroundBookCheck::~BackgroundBookCheck() {
    if (!m_done)
        m_services.db.setBeforeWrite({});
    if (m_thread) {
        m_interrupt->request();
        m_thread->wait();
        delete m_thread;
        delete m_interrupt;
    }
}

void BackgroundBookCheck::start() {
    if (m_thread) { // the stopped check has not been seen off yet
        m_restart.start();
        return;
    }
    m_interrupt = new BookCheck::Interrupt;
    m_thread = QThread::create([this, interrupt = m_interrupt] {
        m_problems = BookCheck::problems(m_bookPath, interrupt);
    });
    connect(m_thread, &QThread::finished, this, &BackgroundBookCheck::finished);
    m_thread->start(QThread::LowPriority);
}

// Before a write: a running check lets go of the book now; a waiting one waits longer.
void BackgroundBookCheck::stop() {
    if (m_thread) {
        m_interrupt->request();
        m_thread->wait();
    }
    m_restart.start();
}

void BackgroundBookCheck::finished() {
    const bool interrupted = m_interrupt->requested();
    m_thread->deleteLater();
    m_thread = nullptr;
    delete m_interrupt;
    m_interrupt = nullptr;
    if (interrupted)
        return; // stop() has set the restart going
    m_done = true;
    m_services.db.setBeforeWrite({});
    if (!m_problems.isEmpty())
        m_services.prompts.critical(
            Messages::bookDamaged(m_problems, BookBackup::latest(m_bookPath)));
    emit done(m_problems);
}
