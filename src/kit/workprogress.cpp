#include "workprogress.h"

#include <QCoreApplication>
#include <QProgressDialog>
#include <algorithm>

int WorkProgress::showAfterMs = 500;

namespace {
// The dialog is told of every so many steps; a step is one row or one line.
constexpr qint64 kStepsPerUpdate = 128;
constexpr int kScale = 1000;
} // namespace

WorkProgress::WorkProgress(QWidget* parent, const QString& label)
    : m_dialog(
          std::make_unique<QProgressDialog>(label, QStringLiteral("Cancel"), 0, kScale, parent)) {
    m_dialog->setObjectName(QStringLiteral("dlgProgress"));
    m_dialog->setWindowTitle(QStringLiteral("Quillan"));
    m_dialog->setWindowModality(Qt::ApplicationModal);
    m_dialog->setAutoReset(false);
    m_dialog->setAutoClose(false);
    m_dialog->setMinimumDuration(showAfterMs);
    m_dialog->setValue(0);
}

WorkProgress::~WorkProgress() = default;

bool WorkProgress::update(qint64 done, qint64 total) {
    if (m_dialog->wasCanceled())
        return false;
    if (++m_calls % kStepsPerUpdate != 0 && done < total)
        return true;
    const int value = total > 0 ? int(std::clamp<qint64>(done * kScale / total, 0, kScale)) : 0;
    if (value != m_dialog->value())
        m_dialog->setValue(value);
    // Until the dialog shows, nothing must reach the other windows: the work is not
    // finished and the main window's commands must not start on top of it.
    QCoreApplication::processEvents(m_dialog->isVisible() ? QEventLoop::AllEvents
                                                          : QEventLoop::ExcludeUserInputEvents);
    return !m_dialog->wasCanceled();
}

bool WorkProgress::wasCancelled() const {
    return m_dialog->wasCanceled();
}

void WorkProgress::finish() {
    m_dialog->hide();
}
