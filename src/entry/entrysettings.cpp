#include "entrysettings.h"

#include "data/settings.h"
#include "kit/mrlookup.h"
#include "kit/services.h"

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
