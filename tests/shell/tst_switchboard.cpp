// The switchboard's commands, the function keys, quit, help, about and the licence window.
// (The vendor and customer notices and the hourglass over transaction windows are driven
// through the switchboard in tests/entry/tst_entrycommands.cpp.)
#include "data/messages.h"
#include "shell/shellprocs.h"
#include "shell/switchboardwindow.h"
#include "support/datarows.h"
#include "support/testbook.h"
#include "support/windowdriving.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
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
        QCOMPARE(commands.size(), 33 + 29);
        // The commands the shell itself carries out are always there.
        for (const char* name : {"cmdHelp", "cmdQuit", "mnuFileExit", "mnuToolsCalculator",
                                 "mnuToolsCompactDatabase", "mnuHelpSystem", "mnuAbout"})
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

    void functionKeysInAField_data() {
        columns<int, bool, QString>("key", "shift", "message");
        const QString list = Messages::functionKeyList();
        QTest::newRow("F3") << int(Qt::Key_F3) << false << list;
        QTest::newRow("Shift+F5") << int(Qt::Key_F5) << true << list;
        QTest::newRow("F12") << int(Qt::Key_F12) << false << list;
        QTest::newRow("F10, No") << int(Qt::Key_F10) << false << Messages::quitQuestion();
        QTest::newRow("Shift+F10, Yes") << int(Qt::Key_F10) << true << Messages::quitQuestion();
        QTest::newRow("F2 starts the calculator") << int(Qt::Key_F2) << false << QString();
        QTest::newRow("F1 opens the window's help") << int(Qt::Key_F1) << false << QString();
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
};

QTEST_MAIN(TestSwitchboard)
#include "tst_switchboard.moc"
