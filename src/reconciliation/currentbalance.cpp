#include "currentbalance.h"

#include "kit/handlerguard.h"
#include "kit/services.h"
#include "reconciliation/balances.h"

Money calcCurrentBalance(Services& services, int mode) {
    Money balance;
    guarded(services, QString(), QStringLiteral("calcCurrentBalance"),
            [&] { balance = Balances::calcCurrentBalance(services.db, mode); });
    return balance;
}
