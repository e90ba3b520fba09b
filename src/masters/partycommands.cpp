#include "partycommands.h"

#include "kit/services.h"
#include "masters/partywindow.h"
#include "shell/switchboardwindow.h"

void openPartyWindow(Services& services, const PartyKind& kind, QWidget* parent) {
    PartyWindow window(services, kind, parent);
    window.exec();
}

void installPartyCommands(SwitchboardWindow& switchboard) {
    Services& services = switchboard.services();
    SwitchboardWindow* parent = &switchboard;
    const auto customers = [&services, parent] {
        openPartyWindow(services, PartyKind::customers(), parent);
    };
    const auto vendors = [&services, parent] {
        openPartyWindow(services, PartyKind::vendors(), parent);
    };
    switchboard.bindCommand(QStringLiteral("cmdCustomers"), customers);
    switchboard.bindCommand(QStringLiteral("mnuDataEntryCustomers"), customers);
    switchboard.bindCommand(QStringLiteral("cmdVendors"), vendors);
    switchboard.bindCommand(QStringLiteral("mnuDataEntryVendors"), vendors);
}
