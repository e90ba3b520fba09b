#include "periodendcommand.h"

#include "data/codes.h"
#include "data/messages.h"
#include "kit/services.h"
#include "reconciliation/periodend.h"

void runPeriodEnd(Services& services) {
    const PeriodEnd::FiscalPeriod now = PeriodEnd::current(services.db);
    if (!services.prompts.ask(
            Messages::periodEndQuestion(Codes::monthName(now.month), QString::number(now.year))))
        return;
    // Anything that must be made of the book before it moves on (a checked copy) goes here,
    // before the one write.
    const PeriodEnd::FiscalPeriod moved = PeriodEnd::advance(services.db);
    services.prompts.information(
        Messages::periodEndCompleted(Codes::monthName(moved.month), QString::number(moved.year)));
}
