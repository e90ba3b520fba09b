// The switchboard's commands and the windows they open, the function keys, quit, help, about,
// the licence window, and the File menu's books (open, new, the last ones, switching).
#include "../entry/entrydriver.h"
#include "data/bookaccess.h"
#include "data/messages.h"
#include "data/schema.h"
#include "kit/shellprocs.h"
#include "kit/windowopening.h"
#include "shell/booksession.h"
#include "shell/switchboardwindow.h"
#include "support/datarows.h"
#include "support/testbook.h"
#include "support/windowdriving.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLockFile>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QSysInfo>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QVBoxLayout>

namespace {

// A task window with one field, handling keys as every window does; records the keys
// that reach the field.
class FieldWindow : public QObject {
public:
    explicit FieldWindow(Services& services) {
        window.setObjectName(QStringLiteral("frmSample"));
        field = new QLineEdit(&window);
        (new QVBoxLayout(&window))->addWidget(field);
        field->installEventFilter(this);
        installFunctionKeys(&window, services, QStringLiteral("frmSample"));
        window.show();
        field->setFocus();
    }
    QDialog window;
    QLineEdit* field = nullptr;
    QList<int> keys;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() != Qt::Key_Shift)
            keys << static_cast<QKeyEvent*>(event)->key();
        return false;
    }
};

// The File menu's captions from Open Book... to Exit.
QStringList fileMenu(QWidget* switchboard) {
    QStringList captions;
    for (QAction* item : child<QMenu>(switchboard, QStringLiteral("mnuFile"))->actions())
        if (!item->isSeparator())
            captions << item->text();
    return captions;
}

// A session on a test book, its settings in the book's folder.
struct Session {
    explicit Session(TestBook& book)
        : settings(book.appDir() + QStringLiteral("/settings.ini"), QSettings::IniFormat),
          session(book.services, settings, {book.appDir() + QStringLiteral("/program"), {}, {}}) {
        book.db.close();
        QVERIFY(session.start(CommandLine::parse({QStringLiteral("quillan"), book.bookPath()})));
    }
    // Runs a File menu command of the window open now; the old window goes as it would.
    bool run(const QString& name) {
        const bool ran = runCommand(session.window(), name);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return ran;
    }
    QSettings settings;
    BookSession session;
};

bool hasHandler(QObject* command, QObject* switchboard) {
    // Disconnecting reports whether the switchboard had bound an action to the command.
    if (auto* button = qobject_cast<QAbstractButton*>(command))
        return QObject::disconnect(button, &QAbstractButton::clicked, switchboard, nullptr);
    return QObject::disconnect(static_cast<QAction*>(command), &QAction::triggered, switchboard,
                               nullptr);
}

} // namespace

class TestSwitchboard : public QObject {
    Q_OBJECT
private slots:
    void commandPlaces_data() {
        columns<QString, QString>("place", "caption"); // place: the page's or the menu's caption
        // The first and last command of each page and menu, and the captions easily mistyped.
        addRow("cmdCompanyDetails", "&Setup", "Company Details");
        addRow("cmdGLListing", "&Reports", "GL Listing  Current Month");
        addRow("cmdImportCOA", "&Import/Export", "Import Chart of Accounts");
        addRow("mnuFileOpenBook", "&File", "&Open Book...");
        addRow("mnuFileExit", "&File", "&Exit");
        addRow("mnuDataEntry2BankCharges", "&Data Entry", "&Bank Charges, Int, Misc");
        addRow("mnuAbout", "&Help", "&About");
    }

    void commandPlaces() {
        auto [place, caption] = fetch<QString, QString>("place", "caption");
        const QString name = QString::fromLatin1(QTest::currentDataTag());
        TestBook book;
        SwitchboardWindow switchboard(book.services);
        if (auto* button = switchboard.findChild<QPushButton*>(name)) {
            QCOMPARE(button->text(), caption);
            auto* tabs = child<QTabWidget>(&switchboard, QStringLiteral("SSTab1"));
            QCOMPARE(tabs->tabText(tabs->indexOf(button->parentWidget())), place);
            return;
        }
        auto* item = child<QAction>(&switchboard, name);
        QCOMPARE(item->text(), caption);
        QCOMPARE(qobject_cast<QMenu*>(item->parent())->title(), place);
    }

    void enabledExactlyWhenBound() {
        TestBook book;
        SwitchboardWindow switchboard(book.services);
        QList<QObject*> commands;
        for (QAbstractButton* button : switchboard.findChildren<QAbstractButton*>())
            if (button->objectName().startsWith(QLatin1String("cmd")))
                commands << button;
        for (QAction* action : switchboard.findChildren<QAction*>())
            if (action->objectName().startsWith(QLatin1String("mnu")))
                commands << action;
        QCOMPARE(commands.size(), 34 + 34);
        // The commands the shell itself carries out are always there.
        for (const char* name :
             {"cmdHelp", "cmdQuit", "mnuFileExit", "mnuToolsCalculator", "mnuToolsCompactDatabase",
              "mnuToolsBackUpBook", "mnuToolsRestoreBook", "mnuHelpSystem", "mnuAbout"})
            QVERIFY2(switchboard.findChild<QObject*>(name)->property("enabled").toBool(), name);
        // No enabled command without an action, and no bound command left disabled; the
        // Period End item has none of its own: it presses its button and follows its state.
        auto* periodEnd = child<QAction>(&switchboard, "mnuDataEntry2PeriodEndProcessing");
        commands.removeOne(periodEnd);
        for (QObject* command : commands) {
            const bool enabled = command->property("enabled").toBool();
            QVERIFY2(enabled == hasHandler(command, &switchboard),
                     qPrintable(command->objectName()));
        }
        int runs = 0;
        switchboard.bindCommand(QStringLiteral("cmdPEProcessing"), [&runs] { ++runs; });
        QVERIFY(runCommand(&switchboard, periodEnd->objectName()));
        QCOMPARE(runs, 1);
        child<QPushButton>(&switchboard, QStringLiteral("cmdPEProcessing"))->setEnabled(false);
        QVERIFY(!periodEnd->isEnabled());
    }

    void opensWindow_data() {
        // keys: 0 none pressed, 1 F1, 2 F5 ignored and F1, 3 F5 and F1. existing: a row of this
        // table is made first. busy: the window opens under the busy pointer.
        columns<QString, QString, int, QString, QString, bool>("command", "window", "keys",
                                                               "existing", "notice", "busy");
        const auto row = [](const char* command, const char* window, int keys,
                            const char* existing = "", const QString& notice = {},
                            bool busy = false) {
            const QByteArray tag = QByteArray(command) + (*existing ? ", " : "") + existing;
            QTest::newRow(tag.constData()) << QString(command) << QString(window) << keys
                                           << QString(existing) << notice << busy;
        };
        // A few master and setup commands stand for the rest: each kind of function-key handling,
        // and each setup window.
        row("cmdChartOfAccounts", "frmChartOfAccounts", 3);
        row("cmdReconciliationStatuses", "frmTransactionStatus", 2);
        row("cmdVendors", "frmVendors", 1);
        row("mnuDataEntryTaxTable", "frmTaxTable", 0);
        row("mnuDataEntryCompanyDetails", "frmCompany", 0);
        row("cmdBankDetails", "frmBankDetails", 0);
        row("cmdAccountCodeSettings", "frmBankGLAccountCode", 0);
        row("mnuDataEntryAccpacAdagioSettings", "frmAccpacSettings", 0);
        // The Payment Vouchers and Receipts buttons warn when no vendor or customer exists and
        // open their window either way; the menu items open them without the warning; the bank
        // entries and the reconciliation screen need neither.
        const auto entry = [&row](const char* command, const char* window,
                                  const char* existing = "", const QString& notice = {}) {
            row(command, window, 0, existing, notice, true);
        };
        entry("cmdPaymentVouchers", "frmPaymentVoucher", "", Messages::noVendorsNotice());
        entry("cmdPaymentVouchers", "frmPaymentVoucher", "tblVendors");
        entry("mnuDataEntry2PaymentVouchers", "frmPaymentVoucher");
        entry("cmdReceipts", "frmReceipts", "tblVendors", Messages::noCustomersNotice());
        entry("cmdReceipts", "frmReceipts", "tblCustomers");
        entry("mnuDataEntry2Receipts", "frmReceipts");
        entry("cmdBankChargesInterestMisc", "frmBankChargesInterest");
        entry("mnuDataEntry2BankCharges", "frmBankChargesInterest");
        entry("cmdCashbook", "frmCashbook");
        entry("mnuDataEntry2Cashbook", "frmCashbook");
    }

    void opensWindow() {
        auto [command, window, keys, existing, notice, busy] =
            fetch<QString, QString, int, QString, QString, bool>("command", "window", "keys",
                                                                 "existing", "notice", "busy");
        TestBook book;
        if (!existing.isEmpty())
            book.sql(QStringLiteral("INSERT INTO %1 VALUES ('X1', 'Name', '', '', '', '', '')")
                         .arg(existing));
        SwitchboardWindow switchboard(book.services);
        if (!notice.isEmpty())
            book.prompts.expect(notice);
        if (keys == 3)
            book.prompts.expectMatch(QStringLiteral("^F1  - Help\r\nF2  - Calculator"));
        QString opened;
        bool busyWhileOpen = true;
        whenModal([&opened, &busyWhileOpen, &book, keys](QDialog* dialog) {
            opened = dialog->objectName();
            busyWhileOpen = book.busy.isBusy();
            QWidget* target = dialog->findChild<QTableView*>();
            if (!target)
                target = dialog->findChild<QLineEdit*>();
            if (keys) {
                QVERIFY(showActive(dialog));
                if (keys >= 2)
                    QTest::keyClick(target, Qt::Key_F5);
                QTest::keyClick(target, Qt::Key_F1);
            }
            dialog->close();
        });
        QVERIFY2(runCommand(&switchboard, command), qPrintable(command));
        QCOMPARE(opened, window);
        QVERIFY(book.prompts.verifyAllShown());
        // The busy pointer shows while a transaction window is made, not while it is open.
        QVERIFY(!busyWhileOpen);
        QVERIFY(!book.busy.isBusy());
        QCOMPARE(book.busy.setCount >= 1, busy);
        // F1 opens the window's own help page, put beside the program with the others.
        QCOMPARE(book.launcher.helpTopics, keys ? QStringList{window} : QStringList{});
        QVERIFY(QFileInfo::exists(QCoreApplication::applicationDirPath() +
                                  QStringLiteral("/help/") + window + QStringLiteral(".html")));
    }

    void functionKeysInAField_data() {
        columns<int, bool, QString>("key", "shift", "message");
        const QString list = Messages::functionKeyList();
        addRow("F3", int(Qt::Key_F3), false, list);
        addRow("Shift+F5", int(Qt::Key_F5), true, list);
        addRow("F12", int(Qt::Key_F12), false, list);
        addRow("F10, No", int(Qt::Key_F10), false, Messages::quitQuestion());
        addRow("Shift+F10, Yes", int(Qt::Key_F10), true, Messages::quitQuestion());
        addRow("F2 starts the calculator", int(Qt::Key_F2), false, QString());
        addRow("F1 opens the window's help", int(Qt::Key_F1), false, QString());
    }

    // Every function key is the window's: none reaches the field it was pressed in.
    void functionKeysInAField() {
        auto [key, shift, message] = fetch<int, bool, QString>("key", "shift", "message");
        TestBook book;
        book.launcher.available = {QStringLiteral("xcalc"), QStringLiteral("gnome-calculator")};
        FieldWindow sample(book.services);
        QTest::keyClicks(sample.field, QStringLiteral("ab"));
        const bool yes = key == Qt::Key_F10 && shift;
        if (!message.isEmpty())
            book.prompts.expect(message, yes ? Prompts::Answer::Yes : Prompts::Answer::No);
        QTest::keyClick(sample.field, Qt::Key(key), shift ? Qt::ShiftModifier : Qt::NoModifier);
        QVERIFY(book.prompts.verifyAllShown());
        QCOMPARE(sample.keys, (QList<int>{Qt::Key_A, Qt::Key_B}));
        QCOMPARE(sample.field->text(), QStringLiteral("ab"));
        QCOMPARE(book.endProgramCalls, yes ? 1 : 0);
        if (key == Qt::Key_F10)
            QCOMPARE(book.prompts.shown().first().defaultButton, Prompts::Answer::No);
        QCOMPARE(book.launcher.started.size(), key == Qt::Key_F2 ? 1 : 0);
        if (key == Qt::Key_F2)
            QCOMPARE(book.launcher.started.first().program,
                     QStringLiteral("/usr/bin/gnome-calculator"));
        QCOMPARE(book.launcher.helpTopics,
                 key == Qt::Key_F1 ? QStringList{"frmSample"} : QStringList{});
    }

    // The commands the shell itself carries out, from the switchboard.
    void shellCommands() {
        TestBook book;
        SwitchboardWindow switchboard(book.services);
        QVERIFY(showActive(&switchboard));
        QTest::keyClick(&switchboard, Qt::Key_F1);
        QVERIFY(runCommand(&switchboard, QStringLiteral("cmdHelp")));
        QCOMPARE(book.launcher.helpTopics, (QStringList{"frmSwitchboard", "frmSwitchboard"}));
        book.prompts.expect(Messages::quitQuestion(), Prompts::Answer::Yes);
        QVERIFY(runCommand(&switchboard, QStringLiteral("mnuFileExit")));
        QCOMPARE(book.endProgramCalls, 1);
        // No calculator on the path: the error report labelled "Calculator".
        book.prompts.expectMatch(
            QStringLiteral("(?s)^An error has occurred.*Routine: Calculator$"));
        QVERIFY(runCommand(&switchboard, QStringLiteral("mnuToolsCalculator")));
        book.prompts.expect(Messages::aboutText());
        QVERIFY(runCommand(&switchboard, QStringLiteral("mnuAbout")));
        QVERIFY(book.prompts.verifyAllShown());
        QCOMPARE(book.prompts.shown().last().icon, Prompts::Icon::Information);
    }

    void licenceAgreement() {
        TestBook book;
        SwitchboardWindow switchboard(book.services);
        QString text;
        whenModal([&](QDialog* modal) {
            // F1 and DisplayHelp give this window's topic; the switchboard does not answer too.
            QTest::keyClick(modal, Qt::Key_F1);
            DisplayHelp(book.services);
            QCOMPARE(book.launcher.helpTopics,
                     (QStringList{"frmLicenceAgreement", "frmLicenceAgreement"}));
            auto* box = child<QPlainTextEdit>(modal, QStringLiteral("txtLicenceAgreement"));
            text = box->toPlainText();
            box->setFocus();
            QTest::keyClicks(box, QStringLiteral("xyz"));
            QCOMPARE(box->toPlainText(), text);
            modal->close();
        });
        QVERIFY(runCommand(&switchboard, QStringLiteral("mnuHelpLicenceAgreement")));
        // A short notice of the licence, not the licence itself.
        QVERIFY(text.contains(
            QLatin1String("version 3 of the License, or (at your option) any later")));
        QVERIFY(text.size() < 2000);
    }

    // New Book, Open Book and the last books from the File menu: each book opens as at start-up
    // in a window of its own that names it, and goes to the head of the last books.
    void bookCommands() {
        TestBook book;
        Session f(book);
        const QString first = book.bookPath(), second = book.appDir() + "/other/second.mdb";
        QCOMPARE(
            fileMenu(f.session.window()),
            (QStringList{"&Open Book...", "&New Book...", "&1 " + shownBookPath(first), "&Exit"}));
        // A new book from the template, in the folder of the book open.
        book.fileDialogs.answer(second);
        QPointer<SwitchboardWindow> old = f.session.window();
        QVERIFY(f.run("mnuFileNewBook"));
        QCOMPARE(book.fileDialogs.requests().last().directory, book.appDir());
        QVERIFY(!old);
        QCOMPARE(book.db.path(), second);
        QCOMPARE(book.services.bookPath(), second);
        QVERIFY(f.session.window()->isVisible());
        QCOMPARE(f.session.window()->windowTitle(),
                 Messages::mainWindowTitle(shownBookPath(second), false));
        QCOMPARE(book.value("SELECT COUNT(*) FROM tblDepartments").toInt(), 3);
        // Exports start in the open book's folder, which is the current directory too.
        const QString folder = QFileInfo(second).absolutePath();
        book.sql("INSERT INTO tblChartOfAccounts (AccountCode, DeptCode) VALUES ('1000', 'ADMIN')");
        book.prompts.expect(Messages::exportAccountsQuestion(), Prompts::Answer::Yes)
            .expect(Messages::exportCancelled());
        book.fileDialogs.answer(std::nullopt);
        QVERIFY(f.run("cmdExportCOA"));
        QCOMPARE(book.fileDialogs.requests().last().directory, folder);
        QCOMPARE(QDir::current().canonicalPath(), QDir(folder).canonicalPath());
        QCOMPARE(fileMenu(f.session.window()),
                 (QStringList{"&Open Book...", "&New Book...", "&1 " + shownBookPath(second),
                              "&2 " + shownBookPath(first), "&Exit"}));
        // Never over a file; cancelled dialogs change nothing.
        book.fileDialogs.answer(first);
        book.prompts.expect(Messages::bookExists(first));
        QVERIFY(f.run("mnuFileNewBook"));
        book.fileDialogs.answer(std::nullopt);
        QVERIFY(f.run("mnuFileNewBook"));
        book.fileDialogs.answer(std::nullopt);
        QVERIFY(f.run("mnuFileOpenBook"));
        QCOMPARE(book.db.path(), second);
        QCOMPARE(f.session.recentBooks(), (QStringList{second, first}));
        // The second of the last books.
        QVERIFY(f.run("mnuFileRecentBook2"));
        QCOMPARE(book.db.path(), first);
        QCOMPARE(f.session.recentBooks(), (QStringList{first, second}));
        // A file that is no book is refused, and the book that was open comes back.
        const QString text = book.appDir() + "/notes.mdb";
        writeFile(text, "not a book");
        book.fileDialogs.answer(text);
        book.prompts.expect(Messages::notABook(text));
        QVERIFY(f.run("mnuFileOpenBook"));
        QCOMPARE(book.db.path(), first);
        QCOMPARE(fileBytes(text), QByteArray("not a book"));
        // A book another program holds: No brings back the book that was open, Yes opens it
        // read-only.
        QLockFile other(BookLock::pathFor(second));
        QVERIFY(other.tryLock(0));
        const QString held =
            Messages::bookInUseQuestion(BookAccess::realPath(second), QSysInfo::machineHostName(),
                                        QCoreApplication::applicationPid(), true);
        book.prompts.expect(held, Prompts::Answer::No).expect(held, Prompts::Answer::Yes);
        book.fileDialogs.answer(second);
        QVERIFY(f.run("mnuFileOpenBook"));
        QCOMPARE(book.db.path(), first);
        QVERIFY(!book.db.isReadOnly());
        book.fileDialogs.answer(second);
        QVERIFY(f.run("mnuFileOpenBook"));
        QCOMPARE(book.db.path(), second);
        QVERIFY(book.db.isReadOnly());
        QCOMPARE(f.session.window()->windowTitle(),
                 Messages::mainWindowTitle(shownBookPath(second), true));
        // Another book can be opened from a read-only one.
        book.fileDialogs.answer(std::nullopt);
        QVERIFY(f.run("mnuFileOpenBook"));
        QCOMPARE(book.fileDialogs.requests().last().filter,
                 "Quillan books (*.mdb)|*.mdb|All files (*)|*");
        QVERIFY(book.prompts.verifyAllShown());
        int shown = 0;
        for (QWidget* window : QApplication::topLevelWidgets())
            shown += window->isVisible() && qobject_cast<SwitchboardWindow*>(window);
        QCOMPARE(shown, 1);
    }

    // Another book is opened only once every window of the book open has closed: a payment
    // voucher whose new row fails its checks asks as on closing, and No keeps everything.
    void switchingWithUnsavedChanges_data() {
        columns<bool>("abandon");
        addRow("kept", false);
        addRow("abandoned", true);
    }

    void switchingWithUnsavedChanges() {
        const auto [abandon] = fetch<bool>("abandon");
        EntryDriver h;
        Session f(h.book);
        const QString first = h.book.bookPath(), second = h.book.appDir() + "/second.mdb";
        Schema::createBook(second);
        QPointer<SwitchboardWindow> old = f.session.window();
        h.open(Payment);
        h.add();
        h.book.fileDialogs.answer(second);
        h.book.prompts.expect(Messages::closeQuestion(),
                              abandon ? Prompts::Answer::Yes : Prompts::Answer::No);
        if (!abandon)
            h.book.prompts.expect(Messages::missingAmount());
        QVERIFY(f.run("mnuFileOpenBook"));
        QVERIFY(h.book.prompts.verifyAllShown());
        QCOMPARE(h.window->isVisible(), !abandon);
        QCOMPARE(bool(old), !abandon);
        QCOMPARE(h.book.db.path(), abandon ? second : first);
        QCOMPARE(h.book.db.isOpen(), true);
        QCOMPARE(f.session.recentBooks().first(), abandon ? second : first);
        QCOMPARE(QFileInfo::exists(BookLock::pathFor(first)), !abandon);
    }
};

QTEST_MAIN(TestSwitchboard)
#include "tst_switchboard.moc"
