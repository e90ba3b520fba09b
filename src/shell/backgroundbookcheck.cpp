#include "backgroundbookcheck.h"

#include "data/bookbackup.h"
#include "data/bookcheck.h"
#include "data/messages.h"
#include "kit/services.h"

#include <QThread>

BackgroundBookCheck::BackgroundBookCheck(Services& services, QObject* parent)
    : QObject(parent), m_services(services), m_bookPath(services.bookPath()) {
    m_thread = QThread::create([this] { m_problems = BookCheck::problems(m_bookPath); });
    connect(m_thread, &QThread::finished, this, &BackgroundBookCheck::report);
    m_thread->start(QThread::LowPriority);
}

BackgroundBookCheck::~BackgroundBookCheck() {
    m_thread->wait();
    delete m_thread;
}

void BackgroundBookCheck::report() {
    m_done = true;
    if (!m_problems.isEmpty())
        m_services.prompts.critical(
            Messages::bookDamaged(m_problems, BookBackup::latest(m_bookPath)));
    emit done(m_problems);
}
