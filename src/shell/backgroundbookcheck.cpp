#include "backgroundbookcheck.h"

#include "data/bookbackup.h"
#include "data/cashbooktotals.h"
#include "data/messages.h"
#include "kit/handlerguard.h"
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
    // A book that may not be changed keeps its totals: they could not be counted again.
    m_thread = QThread::create(
        [this, interrupt = m_interrupt, compareTotals = !m_services.db.isReadOnly()] {
            m_findings = BookCheck::check(m_bookPath, interrupt, compareTotals);
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
    if (!m_findings.problems.isEmpty())
        m_services.prompts.critical(
            Messages::bookDamaged(m_findings.problems, BookBackup::latest(m_bookPath)));
    else if (m_findings.totalsDiffer)
        recountTotals();
    emit done(m_findings.problems);
}

// On the program's connection, now that the check has let go of the book. The count is made
// afresh inside the transaction, so a write since the comparison cannot make it wrong.
void BackgroundBookCheck::recountTotals() {
    const Database& db = m_services.db;
    if (guarded(m_services, {}, QStringLiteral("Main"), [&db] {
            Transaction transaction(db);
            CashbookTotals::recount(db);
            transaction.commit();
        }))
        m_services.prompts.information(Messages::totalsRecounted());
}
