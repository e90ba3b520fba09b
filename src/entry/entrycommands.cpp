#include "entrycommands.h"

#include "entry/paymentvoucherwindow.h"
#include "entry/voucherkind.h"
#include "shell/services.h"
#include "shell/switchboardwindow.h"
#include "shell/windowopening.h"

#include <memory>

namespace {

void openPaymentVouchers(SwitchboardWindow& switchboard) {
    Services& services = switchboard.services();
    openTransactionWindow(services, [&services, &switchboard] {
        return std::make_unique<PaymentVoucherWindow>(services, VoucherKind::payment(),
                                                      &switchboard);
    });
}

} // namespace

void installEntryCommands(SwitchboardWindow& switchboard) {
    switchboard.bindCommand(QStringLiteral("cmdPaymentVouchers"), [&switchboard] {
        checkVendorsDefined(switchboard.services());
        openPaymentVouchers(switchboard);
    });
    switchboard.bindCommand(QStringLiteral("mnuDataEntry2PaymentVouchers"),
                            [&switchboard] { openPaymentVouchers(switchboard); });
}
