#include "windowdriving.h"

#include "support/testbook.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace {

// Waits (polling) for a modal window other than `before` to be shown, then drives it.
void driveWhenShown(QPointer<QWidget> before, std::function<void(QDialog*)> drive, int tries) {
    QPointer<QDialog> dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog || dialog == before || !dialog->isVisible()) {
        if (tries <= 0) {
            QTest::qFail("No modal window was opened", __FILE__, __LINE__);
            return;
        }
        QTimer::singleShot(10,
                           [before, drive, tries] { driveWhenShown(before, drive, tries - 1); });
        return;
    }
    QTimer::singleShot(5000, [dialog] {
        if (dialog && dialog->isVisible())
            dialog->hide();
    });
    drive(dialog);
}

} // namespace

bool showActive(QWidget* window) {
    window->show();
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

void press(QWidget* window, const char* name) {
    auto* button = window->findChild<QAbstractButton*>(QString::fromLatin1(name));
    QVERIFY2(button, name);
    QVERIFY2(button->isEnabled(), name);
    QTest::mouseClick(button, Qt::LeftButton);
}

void whenModal(std::function<void(QDialog*)> drive) {
    QPointer<QWidget> before = QApplication::activeModalWidget();
    QTimer::singleShot(0, [before, drive] { driveWhenShown(before, drive, 300); });
}

bool runCommand(QWidget* switchboard, const QString& command) {
    if (auto* button = switchboard->findChild<QAbstractButton*>(command)) {
        if (!button->isEnabled())
            return false;
        button->click();
        return true;
    }
    auto* item = switchboard->findChild<QAction*>(command);
    if (!item || !item->isEnabled())
        return false;
    item->trigger();
    return true;
}

void chooseInChart(const QString& code, int triesLeft) {
    QTimer::singleShot(triesLeft == 200 ? 0 : 10, [code, triesLeft] {
        QWidget* chart = QApplication::activeModalWidget();
        if (!chart || chart->objectName() != QLatin1String("frmChartOfAccounts") ||
            !chart->isVisible()) {
            if (triesLeft > 0)
                chooseInChart(code, triesLeft - 1);
            else
                QFAIL("the chart of accounts never opened");
            return;
        }
        if (code.isEmpty()) {
            child<QPushButton>(chart, QStringLiteral("cmdClose"))->click();
            return;
        }
        auto* grid = child<QAbstractItemView>(chart, QStringLiteral("grdDataGrid"));
        for (int row = 0; row < grid->model()->rowCount(); ++row) {
            if (grid->model()->index(row, 0).data().toString() != code)
                continue;
            const QRect cell = grid->visualRect(grid->model()->index(row, 0));
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
            QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
            return;
        }
        QFAIL(qPrintable(QStringLiteral("no account %1 in the chart").arg(code)));
    });
}

void addAccount(TestBook& book, const QString& code, const QString& dept,
                const QString& description) {
    book.sql(
        QStringLiteral("INSERT INTO tblChartOfAccounts (AccountCode, DeptCode, AccountDescription) "
                       "VALUES (?, ?, ?)"),
        {code, dept, description});
}
