#include "periodendcommand.h"

#include "data/bookbackup.h"
#include "data/codes.h"
#include "data/messages.h"
#include "kit/services.h"
#include "reconciliation/periodend.h"

void runPeriodEnd(Services& services) {
    const WorkGuard work(services.busy);
    if (!work)
        return;
    const PeriodEnd::FiscalPeriod now = PeriodEnd::current(services.db);
    if (!services.prompts.ask(
            Messages::periodEndQuestion(Codes::monthName(now.month), QString::number(now.year))))
        return;
    // A checked copy of the book as it stood at the month's end, before the one write; a
    // copy that cannot be made stops period end (its failure is the error report).
    PeriodEnd::FiscalPeriod moved;
    {
        BusyScope busy(services.busy);
        BookBackup::makeAutomatic(
            services.db, services.bookPath(), QStringLiteral("period end"),
            [&busy = services.busy](const QString& step, qint64 done, qint64 total) {
                busy.step(step, done, total);
            });
        moved = PeriodEnd::advance(services.db);
    }
    services.prompts.information(
        Messages::periodEndCompleted(Codes::monthName(moved.month), QString::number(moved.year)));
}
