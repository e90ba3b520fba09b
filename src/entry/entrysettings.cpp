#include "entrysettings.h"

#include "kit/services.h"
#include "shell/mrlookup.h"
#include "shell/settings.h"

EntryRules::Settings readEntrySettings(Services& services) {
    EntryRules::Settings s;
    s.bankAccount = mrLookupText(services, Settings::BankAccount, Settings::Code);
    s.bankDept = mrLookupText(services, Settings::BankAccount, Settings::Dept);
    s.integrateWithAP =
        Settings::isTrue(mrLookup(services, Settings::IntegrateWithAP, Settings::Plain));
    s.apControl = mrLookupText(services, Settings::APControl, Settings::Code);
    s.integrateWithAR =
        Settings::isTrue(mrLookup(services, Settings::IntegrateWithAR, Settings::Plain));
    s.arControl = mrLookupText(services, Settings::ARControl, Settings::Code);
    return s;
}
