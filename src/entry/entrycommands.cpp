#include "entrycommands.h"

#include "entry/bankchargesinterestwindow.h"
#include "entry/paymentvoucherwindow.h"
#include "entry/voucherkind.h"
#include "kit/commandbinder.h"
#include "kit/services.h"
#include "kit/windowopening.h"

#include <memory>

namespace {

void openVouchers(Services& services, QWidget* parent, const VoucherKind& kind) {
    openTransactionWindow(services, [&services, parent, &kind] {
        return std::make_unique<PaymentVoucherWindow>(services, kind, parent);
    });
}

void openBankCharges(Services& services, QWidget* parent) {
    openTransactionWindow(services, [&services, parent] {
        return std::make_unique<BankChargesInterestWindow>(services, parent);
    });
}

} // namespace

void installEntryCommands(CommandBinder& commands) {
    Services& services = commands.services();
    QWidget* parent = commands.parentWindow();
    commands.bindCommand(QStringLiteral("cmdPaymentVouchers"), [&services, parent] {
        checkVendorsDefined(services);
        openVouchers(services, parent, VoucherKind::payment());
    });
    commands.bindCommand(QStringLiteral("mnuDataEntry2PaymentVouchers"), [&services, parent] {
        openVouchers(services, parent, VoucherKind::payment());
    });
    commands.bindCommand(QStringLiteral("cmdReceipts"), [&services, parent] {
        checkCustomersDefined(services);
        openVouchers(services, parent, VoucherKind::receipt());
    });
    commands.bindCommand(QStringLiteral("mnuDataEntry2Receipts"), [&services, parent] {
        openVouchers(services, parent, VoucherKind::receipt());
    });
    commands.bindCommand(QStringLiteral("cmdBankChargesInterestMisc"),
                         [&services, parent] { openBankCharges(services, parent); });
    commands.bindCommand(QStringLiteral("mnuDataEntry2BankCharges"),
                         [&services, parent] { openBankCharges(services, parent); });
}
