#include "entrycommands.h"

#include "entry/bankchargesinterestwindow.h"
#include "entry/paymentvoucherwindow.h"
#include "entry/voucherkind.h"
#include "kit/services.h"
#include "kit/windowopening.h"
#include "shell/switchboardwindow.h"

#include <memory>

namespace {

void openVouchers(SwitchboardWindow& switchboard, const VoucherKind& kind) {
    Services& services = switchboard.services();
    openTransactionWindow(services, [&services, &switchboard, &kind] {
        return std::make_unique<PaymentVoucherWindow>(services, kind, &switchboard);
    });
}

void openBankCharges(SwitchboardWindow& switchboard) {
    Services& services = switchboard.services();
    openTransactionWindow(services, [&services, &switchboard] {
        return std::make_unique<BankChargesInterestWindow>(services, &switchboard);
    });
}

} // namespace

void installEntryCommands(SwitchboardWindow& switchboard) {
    switchboard.bindCommand(QStringLiteral("cmdPaymentVouchers"), [&switchboard] {
        checkVendorsDefined(switchboard.services());
        openVouchers(switchboard, VoucherKind::payment());
    });
    switchboard.bindCommand(QStringLiteral("mnuDataEntry2PaymentVouchers"),
                            [&switchboard] { openVouchers(switchboard, VoucherKind::payment()); });
    switchboard.bindCommand(QStringLiteral("cmdReceipts"), [&switchboard] {
        checkCustomersDefined(switchboard.services());
        openVouchers(switchboard, VoucherKind::receipt());
    });
    switchboard.bindCommand(QStringLiteral("mnuDataEntry2Receipts"),
                            [&switchboard] { openVouchers(switchboard, VoucherKind::receipt()); });
    switchboard.bindCommand(QStringLiteral("cmdBankChargesInterestMisc"),
                            [&switchboard] { openBankCharges(switchboard); });
    switchboard.bindCommand(QStringLiteral("mnuDataEntry2BankCharges"),
                            [&switchboard] { openBankCharges(switchboard); });
}
