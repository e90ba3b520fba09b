#include "shellcommands.h"

#include "kit/services.h"
#include "kit/shellprocs.h"
#include "shell/bookbackupcommands.h"
#include "shell/compactdatabase.h"
#include "shell/licenceagreementwindow.h"
#include "shell/switchboardwindow.h"

#include <QAbstractButton>
#include <QAction>
#include <QEvent>

namespace {

// Keeps a menu item enabled exactly while the button it presses is.
class EnabledFollower : public QObject {
public:
    EnabledFollower(QAbstractButton* button, QAction* item) : QObject(button), m_item(item) {
        button->installEventFilter(this);
        m_item->setEnabled(button->isEnabled());
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::EnabledChange)
            m_item->setEnabled(static_cast<QWidget*>(watched)->isEnabled());
        return false;
    }

private:
    QAction* m_item;
};

void linkPeriodEndMenu(SwitchboardWindow& switchboard) {
    const QString itemName = QStringLiteral("mnuDataEntry2PeriodEndProcessing");
    auto* button = switchboard.findChild<QAbstractButton*>(QStringLiteral("cmdPEProcessing"));
    auto* item = switchboard.findChild<QAction*>(itemName);
    if (!button || !item)
        return;
    // The button's own action, run exactly as a click on it runs it, but reporting a failure
    // under the menu item's name.
    QObject::connect(item, &QAction::triggered, &switchboard, [&switchboard, itemName] {
        switchboard.pressAs(QStringLiteral("cmdPEProcessing"), itemName);
    });
    new EnabledFollower(button, item);
}

} // namespace

void installShellCommands(SwitchboardWindow& switchboard) {
    Services& services = switchboard.services();
    switchboard.bindCommand(QStringLiteral("cmdHelp"), [&services] { DisplayHelp(services); });
    switchboard.bindCommand(QStringLiteral("mnuHelpSystem"),
                            [&services] { DisplayHelp(services); });
    switchboard.bindCommand(QStringLiteral("cmdQuit"), [&services] { Quit(services); });
    switchboard.bindCommand(QStringLiteral("mnuFileExit"), [&services] { Quit(services); });
    switchboard.bindCommand(QStringLiteral("mnuToolsCalculator"),
                            [&services] { Calculator(services); });
    switchboard.bindCommand(QStringLiteral("mnuToolsCompactDatabase"),
                            [&services] { CompactDatabase(services); });
    switchboard.bindCommand(QStringLiteral("mnuToolsBackUpBook"),
                            [&services] { BackUpBook(services); });
    switchboard.bindCommand(QStringLiteral("mnuToolsRestoreBook"), [&services, &switchboard] {
        if (RestoreBook(services))
            switchboard.loadCompanyPanel();
    });
    switchboard.bindCommand(QStringLiteral("mnuHelpLicenceAgreement"), [&services, &switchboard] {
        LicenceAgreementWindow window(services, &switchboard);
        window.exec();
    });
    switchboard.bindCommand(QStringLiteral("mnuAbout"), [&services] { DisplayAbout(services); });
    linkPeriodEndMenu(switchboard);
}
