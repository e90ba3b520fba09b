#include "switchboardwindow.h"

#include "kit/handlerguard.h"
#include "kit/services.h"
#include "kit/shellprocs.h"
#include "shell/commands.h"

#include <QAction>
#include <QDir>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QSqlQuery>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

struct ButtonDef {
    const char* name;
    const char* caption;
    const char* tooltip;
};

struct PageDef {
    const char* caption;
    std::vector<ButtonDef> buttons;
};

const std::vector<PageDef>& commandPages() {
    static const std::vector<PageDef> pages = {
        {"&Setup",
         {{"cmdCompanyDetails", "Company Details", "Enter / Modify Company Details"},
          {"cmdBankDetails", "Fiscal Year and Bank Details",
           "Enter important details such as Bank take-on balance"},
          {"cmdTransactionType", "Transaction Type",
           "Especially important if exporting to AR / AP"},
          {"cmdReconciliationStatuses", "Reconciliation Statuses", "Reconciliation Statuses"},
          {"cmdDepartments", "Departments", "To setup a departmentalised Chart of Accounts"},
          {"cmdChartOfAccounts", "Chart of Accounts", "Essential to setup double-entry"},
          {"cmdAccountCodeSettings", "Bank GL Account Code", "Essential for double-entry"},
          {"cmdTaxTable", "Tax Table", "For purchase and sales taxes"},
          {"cmdAccpacSettings", "Accpac / Adagio",
           "For integration options with Accpac Plus / Adagio"},
          {"cmdCustomers", "Customers", "To identify from whom receipts are received"},
          {"cmdVendors", "Vendors", "To identify to whom payments are made"}}},
        {"&Transactions",
         {{"cmdPaymentVouchers", "Payment Vouchers", "Enter / Modify Payment Vouchers"},
          {"cmdReceipts", "Receipts", "Enter / Modify Receipts"},
          {"cmdBankChargesInterestMisc", "Bank Charges / Interest / Misc",
           "Enter / Modify Bank Charges, Interest, Miscellaneous"},
          {"cmdCashbook", "Cashbook",
           "To see Cashbook and Bank balances and perform reconciliation"},
          {"cmdPEProcessing", "Period End Processing", "Period End Processing"}}},
        {"&Reports",
         {{"cmdPrintPaymentVouchers", "Payment Vouchers", ""},
          {"cmdPrintReceipt", "Receipts", ""},
          {"cmdTaxAnalysis", "Tax Analysis Current Month", ""},
          {"cmdGLListing", "GL Listing  Current Month", ""},
          {"cmdGLSummary", "GL Summary Current Month", ""},
          {"cmdAllTransactions", "All Transactions", ""},
          {"cmdBankReconciliation", "Bank Reconciliation", ""},
          {"cmdCashbookReport", "Cashbook", ""},
          {"cmdCashPosition", "Cash Position",
           "The bank balance by day and the money in and out by month, as a chart"}}},
        {"&Import/Export",
         {{"cmdExportToAccpac", "Export Current Month to Accpac / Adagio",
           "Export current month's transactions to Accpac Plus / Adagio"},
          {"cmdExportVendors", "Export Vendors", ""},
          {"cmdExportCustomers", "Export Customers", ""},
          {"cmdExportCOA", "Export Chart of Accounts", ""},
          {"cmdImportVendors", "Import Vendors", ""},
          {"cmdImportCustomers", "Import Customers", ""},
          {"cmdImportCOA", "Import Chart of Accounts", ""}}},
    };
    return pages;
}

struct MenuItemDef {
    const char* name;
    const char* caption;
};

struct MenuDef {
    const char* name;
    const char* caption;
    std::vector<MenuItemDef> items;
};

const std::vector<MenuDef>& menus() {
    static const std::vector<MenuDef> defs = {
        {"mnuFile",
         "&File",
         {{"mnuFileOpenBook", "&Open Book..."},
          {"mnuFileNewBook", "&New Book..."},
          {"mnuFileExit", "&Exit"}}},
        {"mnuDataEntry",
         "&Setup",
         {{"mnuDataEntryCompanyDetails", "&Company Details"},
          {"mnuDataEntryFiscalYearAndBankDetails", "&Fiscal Year and Bank Details"},
          {"mnuDataEntryTransactionType", "&Transaction Type"},
          {"mnuDataEntryReconciliationStatuses", "&Reconciliation Statuses"},
          {"mnuDataEntryDepartments", "De&partments"},
          {"mnuDataEntryCOA", "Chart of &Accounts"},
          {"mnuDataEntryTaxTable", "Ta&x Table"},
          {"mnuDataEntryAccpacAdagioSettings", "Accpac and Adagio S&ettings"},
          {"mnuDataEntryCustomers", "C&ustomers"},
          {"mnuDataEntryVendors", "&Vendors"}}},
        {"mnuDataEntry2",
         "&Data Entry",
         {{"mnuDataEntry2PaymentVouchers", "&Payment Vouchers"},
          {"mnuDataEntry2Receipts", "&Receipts"},
          {"mnuDataEntry2BankCharges", "&Bank Charges, Int, Misc"},
          {"mnuDataEntry2Cashbook", "&Cashbook"},
          {"mnuDataEntry2PeriodEndProcessing", "Period &End Processing"}}},
        {"mnuReports",
         "&Reports",
         {{"mnuReportsPaymentVouchers", "&Payment Vouchers"},
          {"mnuReportsReceipts", "&Receipts"},
          {"mnuReportsCashbook", "&Cashbook"},
          {"mnuReportsBankReconciliation", "&Bank Reconciliation"},
          {"mnuReportsAllTransactions", "&All Transactions"},
          {"mnuReportsGLSummary", "&GL Summary"},
          {"mnuReportsGLListing", "G&L Listing"},
          {"mnuReportsTaxAnalysis", "&Tax Analysis"},
          {"mnuReportsCashPosition", "Cash &Position"}}},
        {"mnuTools",
         "&Tools",
         {{"mnuToolsCalculator", "&Calculator (F2)"},
          {"mnuToolsCompactDatabase", "C&ompact Database"},
          {"mnuToolsBackUpBook", "&Back Up Book..."},
          {"mnuToolsRestoreBook", "&Restore Book..."}}},
        {"mnuHelp",
         "&Help",
         {{"mnuHelpSystem", "Help &System  (F1)"},
          {"mnuHelpLicenceAgreement", "&Licence Agreement"},
          {"mnuAbout", "&About"}}},
    };
    return defs;
}

} // namespace

SwitchboardWindow::SwitchboardWindow(Services& services, QWidget* parent)
    : QMainWindow(parent), m_services(services) {
    setObjectName(QStringLiteral("frmSwitchboard"));
    setWindowTitle(QStringLiteral("Quillan - Main Menu"));
    buildPages();
    buildMenus();
    installCommands(*this);
    installFunctionKeys(this, m_services, QStringLiteral("frmSwitchboard"));
    // Windows that name the book without a directory find it through the current directory,
    // which is the book's folder.
    QDir::setCurrent(m_services.bookFolder());
    loadCompanyPanel();
}

void SwitchboardWindow::buildPages() {
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    m_tabs = new QTabWidget(central);
    m_tabs->setObjectName(QStringLiteral("SSTab1"));
    layout->addWidget(m_tabs);

    // The company page: read-only fields filled from the settings row.
    auto* company = new QWidget(m_tabs);
    auto* form = new QFormLayout(company);
    auto field = [company](const char* name, const QString& accessible) {
        auto* edit = new QLineEdit(company);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setReadOnly(true);
        edit->setAccessibleName(accessible);
        return edit;
    };
    auto* name = field("txtCompanyName", QStringLiteral("Company Name"));
    auto* nameLabel = new QLabel(QStringLiteral("Company Name"), company);
    nameLabel->setBuddy(name);
    form->addRow(nameLabel, name);
    auto* address1 = field("txtAddress1", QStringLiteral("Address line 1"));
    auto* addressLabel = new QLabel(QStringLiteral("Address"), company);
    addressLabel->setBuddy(address1);
    form->addRow(addressLabel, address1);
    form->addRow(QString(), field("txtAddress2", QStringLiteral("Address line 2")));
    form->addRow(QString(), field("txtAddress3", QStringLiteral("Address line 3")));
    auto* versionRow = new QHBoxLayout;
    auto* versionNumber = field("txtVersionNumber", QStringLiteral("Version Number"));
    versionRow->addWidget(versionNumber);
    versionRow->addWidget(field("txtVersionType", QStringLiteral("Version Type")));
    auto* versionLabel = new QLabel(QStringLiteral("Version Number"), company);
    versionLabel->setBuddy(versionNumber);
    form->addRow(versionLabel, versionRow);
    m_tabs->addTab(company, QStringLiteral("&Company"));

    for (const PageDef& page : commandPages()) {
        auto* widget = new QWidget(m_tabs);
        auto* grid = new QGridLayout(widget);
        const int rows = int(page.buttons.size() + 1) / 2;
        for (int i = 0; i < int(page.buttons.size()); ++i) {
            const ButtonDef& def = page.buttons[size_t(i)];
            auto* button = new QPushButton(QString::fromLatin1(def.caption), widget);
            button->setObjectName(QString::fromLatin1(def.name));
            if (*def.tooltip)
                button->setToolTip(QString::fromLatin1(def.tooltip));
            button->setEnabled(false);
            grid->addWidget(button, i % rows, i / rows);
        }
        grid->setRowStretch(rows, 1);
        m_tabs->addTab(widget, QString::fromLatin1(page.caption));
    }

    auto* bottom = new QHBoxLayout;
    auto* keys = new QLabel(
        QStringLiteral(
            "            F1 Help       F2  Calculator       F10 Quit      Esc Undo/Cancel"),
        central);
    keys->setObjectName(QStringLiteral("lblFunctionKeys"));
    bottom->addWidget(keys, 1);
    auto picture = [central, this](const char* name, const char* tip, QStyle::StandardPixmap icon) {
        auto* button = new QToolButton(central);
        button->setObjectName(QString::fromLatin1(name));
        button->setToolTip(QString::fromLatin1(tip));
        button->setAccessibleName(QString::fromLatin1(tip));
        button->setIcon(style()->standardIcon(icon));
        button->setIconSize(QSize(32, 32));
        button->setEnabled(false);
        return button;
    };
    bottom->addWidget(picture("cmdHelp", "Help", QStyle::SP_DialogHelpButton));
    bottom->addWidget(picture("cmdQuit", "Quit Quillan", QStyle::SP_DialogCloseButton));
    layout->addLayout(bottom);
    setCentralWidget(central);
}

void SwitchboardWindow::buildMenus() {
    for (const MenuDef& def : menus()) {
        QMenu* menu = menuBar()->addMenu(QString::fromLatin1(def.caption));
        menu->setObjectName(QString::fromLatin1(def.name));
        for (const MenuItemDef& item : def.items) {
            QAction* action = menu->addAction(QString::fromLatin1(item.caption));
            action->setObjectName(QString::fromLatin1(item.name));
            action->setEnabled(false);
        }
    }
}

void SwitchboardWindow::bindCommand(const QString& name, std::function<void()> action) {
    auto run = [this, name, action] {
        guarded(m_services, objectName(), m_pressedAs.isEmpty() ? name : m_pressedAs, action);
    };
    if (auto* button = findChild<QAbstractButton*>(name)) {
        button->setEnabled(true);
        connect(button, &QAbstractButton::clicked, this, run);
        return;
    }
    if (auto* item = findChild<QAction*>(name)) {
        item->setEnabled(true);
        connect(item, &QAction::triggered, this, run);
    }
}

void SwitchboardWindow::pressAs(const QString& name, const QString& label) {
    auto* button = findChild<QAbstractButton*>(name);
    if (!button || !button->isEnabled())
        return;
    m_pressedAs = label;
    const auto done = qScopeGuard([this] { m_pressedAs.clear(); });
    button->click();
}

void SwitchboardWindow::loadCompanyPanel() {
    guarded(m_services, objectName(), QStringLiteral("Form Load"), [this] {
        QSqlQuery query = m_services.db.exec(
            QStringLiteral(R"(SELECT "CompanyName", "Address1", "Address2", "Address3", )"
                           R"("VersionNumber", "VersionType" FROM "tblSystemSetup")"));
        const char* const fields[] = {"txtCompanyName", "txtAddress1",      "txtAddress2",
                                      "txtAddress3",    "txtVersionNumber", "txtVersionType"};
        const bool hasRow = query.next();
        for (int i = 0; i < 6; ++i)
            findChild<QLineEdit*>(QString::fromLatin1(fields[i]))
                ->setText(hasRow ? query.value(i).toString().toUpper() : QString());
    });
}
