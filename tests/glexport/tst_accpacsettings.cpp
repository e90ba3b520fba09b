// The Accpac / Adagio settings window, driven as a user does.
#include "glexport/accpacsettingswindow.h"
#include "shell/switchboardwindow.h"
#include "support/testbook.h"
#include "support/windowdriving.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTest>
#include <QTimer>

namespace {

QWidget* widget(QWidget* window, const QString& name) {
    return child<QWidget>(window, name);
}

QString textOf(QWidget* window, const QString& name) {
    QWidget* w = widget(window, name);
    if (auto* combo = qobject_cast<QComboBox*>(w))
        return combo->currentText();
    return qobject_cast<QLineEdit*>(w)->text();
}

void setTextOf(QWidget* window, const QString& name, const QString& text) {
    QWidget* w = widget(window, name);
    if (auto* combo = qobject_cast<QComboBox*>(w))
        combo->setEditText(text);
    else
        qobject_cast<QLineEdit*>(w)->setText(text);
}

// A click on the box itself, as the user aims at it.
void clickBox(QWidget* window, const char* name) {
    auto* box = child<QCheckBox>(window, QString::fromLatin1(name));
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
}

void click(QWidget* window, const char* name) {
    child<QPushButton>(window, QString::fromLatin1(name))->click();
}

// A complete row: both ledgers integrated, multi-currency.
void fillSettings(TestBook& book) {
    book.sql(QStringLiteral(
        "UPDATE tblAccpacSettings SET GLSourceCode = 'CB01', GLSingleMultiCurrency = 'M', "
        "GLHomeCurrency = 'S$', GLRateType = 'SP', IntegrateWithAR = 1, GLARControl = '1100', "
        "GLARControlDept = 'D1', GLARControlDesc = 'AR Control', GLARClearing = '1150', "
        "GLARClearingDept = 'D2', GLARClearingDesc = 'AR Clearing', ARControlAccountSet = 'SET1', "
        "IntegrateWithAP = 1, GLAPControl = '2000', GLAPControlDept = 'D3', "
        "GLAPControlDesc = 'AP Control', GLAPClearing = '2050', GLAPClearingDept = 'D4', "
        "GLAPClearingDesc = 'AP Clearing', APBankCode = 'BK1'"));
}

QString storedRow(TestBook& book) {
    QSqlQuery q = book.db.exec(QStringLiteral(
        "SELECT GLSourceCode, GLSingleMultiCurrency, GLHomeCurrency, GLRateType, IntegrateWithAR, "
        "GLARControl, GLARControlDept, GLARControlDesc, GLARClearing, GLARClearingDept, "
        "GLARClearingDesc, ARControlAccountSet, IntegrateWithAP, GLAPControl, GLAPControlDept, "
        "GLAPControlDesc, GLAPClearing, GLAPClearingDept, GLAPClearingDesc, APBankCode "
        "FROM tblAccpacSettings"));
    if (!q.next())
        return QStringLiteral("(no row)");
    QStringList values;
    for (int i = 0; i < 20; ++i)
        values << q.value(i).toString();
    return values.join(QLatin1Char('|'));
}

const QString kFilledRow =
    QStringLiteral("CB01|M|S$|SP|1|1100|D1|AR Control|1150|D2|AR Clearing|SET1|"
                   "1|2000|D3|AP Control|2050|D4|AP Clearing|BK1");

const QStringList kARFields = {QStringLiteral("txtARControlAccount"),
                               QStringLiteral("txtARClearingAccount"),
                               QStringLiteral("txtARControlAccountSet")};
const QStringList kAPFields = {QStringLiteral("txtAPControlAccount"),
                               QStringLiteral("txtAPClearingAccount"),
                               QStringLiteral("txtAPBankCode")};
const QStringList kCurrencyFields = {QStringLiteral("txtGLHomeCurrency"),
                                     QStringLiteral("txtGLRateType")};

} // namespace

class TestAccpacSettings : public QObject {
    Q_OBJECT

private slots:
    void openingEnablesGroups_data();
    void openingEnablesGroups();
    void sourceCodeAloneSaves();
    void uncheckingKeepsValuesAndSavesThem();
    void checkingEnablesGroup();
    void saveRefusesEachMissingValue_data();
    void saveRefusesEachMissingValue();
    void currencyChoiceSetsCode_data();
    void currencyChoiceSetsCode();
    void choosingAccountFillsCodeDeptAndDescription_data();
    void choosingAccountFillsCodeDeptAndDescription();
    void chartOfAccountsIsTheChooser();
    void seventhCharacterRefused_data();
    void seventhCharacterRefused();
    void closeDiscardsEdits();
    void switchboardOpensTheWindow_data();
    void switchboardOpensTheWindow();
};

void TestAccpacSettings::openingEnablesGroups_data() {
    QTest::addColumn<int>("ar");
    QTest::addColumn<int>("ap");
    QTest::addColumn<QString>("currency");
    QTest::addColumn<QString>("shownCurrency");
    QTest::addColumn<QString>("hiddenCode");
    QTest::newRow("none, single") << 0 << 0 << "S"
                                  << "Single-Currency"
                                  << "S";
    QTest::newRow("AR only, multi") << 1 << 0 << "M"
                                    << "Multi-Currency"
                                    << "M";
    QTest::newRow("AP only, multi") << 0 << 1 << "M"
                                    << "Multi-Currency"
                                    << "M";
    QTest::newRow("both, empty currency shows multi") << 1 << 1 << ""
                                                      << "Multi-Currency"
                                                      << "M";
    QTest::newRow("lower-case s is not S") << 0 << 0 << "s"
                                           << "Multi-Currency"
                                           << "M";
}

void TestAccpacSettings::openingEnablesGroups() {
    QFETCH(int, ar);
    QFETCH(int, ap);
    QFETCH(QString, currency);
    QFETCH(QString, shownCurrency);
    QFETCH(QString, hiddenCode);
    TestBook book;
    book.sql(
        QStringLiteral("UPDATE tblAccpacSettings SET IntegrateWithAR = ?, IntegrateWithAP = ?, "
                       "GLSingleMultiCurrency = ?"),
        {ar, ap, currency});
    AccpacSettingsWindow window(book.services);
    QCOMPARE(window.windowTitle(), QStringLiteral("Accpac Plus / Adagio Settings"));
    QCOMPARE(child<QCheckBox>(&window, QStringLiteral("chkIntegrateWithAR"))->isChecked(), ar == 1);
    QCOMPARE(child<QCheckBox>(&window, QStringLiteral("chkIntegrateWithAP"))->isChecked(), ap == 1);
    for (const QString& name : kARFields)
        QCOMPARE(widget(&window, name)->isEnabled(), ar == 1);
    for (const QString& name : kAPFields)
        QCOMPARE(widget(&window, name)->isEnabled(), ap == 1);
    QCOMPARE(child<QComboBox>(&window, QStringLiteral("cboSingleMultiCurrency"))->currentText(),
             shownCurrency);
    QCOMPARE(textOf(&window, QStringLiteral("txtSingleMultiCurrency")), hiddenCode);
    for (const QString& name : kCurrencyFields)
        QCOMPARE(widget(&window, name)->isEnabled(), hiddenCode == QLatin1String("M"));
    // Hidden fields stay hidden.
    QVERIFY(widget(&window, QStringLiteral("txtARControlAccountDesc"))->isHidden());
    QVERIFY(widget(&window, QStringLiteral("txtSingleMultiCurrency"))->isHidden());
    QVERIFY(book.prompts.verifyAllShown());
}

void TestAccpacSettings::sourceCodeAloneSaves() {
    TestBook book;
    book.sql(
        QStringLiteral("UPDATE tblAccpacSettings SET GLSourceCode = NULL, "
                       "GLSingleMultiCurrency = 'S', GLHomeCurrency = NULL, GLRateType = NULL"));
    AccpacSettingsWindow window(book.services);
    QVERIFY(showActive(&window));
    auto* source = child<QLineEdit>(&window, QStringLiteral("txtGLSourceCode"));
    source->setFocus();
    QTest::keyClicks(source, QStringLiteral("CBGLX"));
    QCOMPARE(source->text(), QStringLiteral("CBGL"));
    book.prompts.expect(QStringLiteral("Saved!"));
    click(&window, "cmdSave");
    QVERIFY(book.prompts.verifyAllShown());
    QCOMPARE(book.prompts.shown().last().icon, Prompts::Icon::Information);
    QCOMPARE(storedRow(book), QStringLiteral("CBGL|S|||0||||||||0|||||||"));
}

void TestAccpacSettings::uncheckingKeepsValuesAndSavesThem() {
    TestBook book;
    fillSettings(book);
    AccpacSettingsWindow window(book.services);
    QVERIFY(showActive(&window));
    clickBox(&window, "chkIntegrateWithAR");
    auto* ap = child<QCheckBox>(&window, QStringLiteral("chkIntegrateWithAP"));
    ap->setFocus();
    QTest::keyClick(ap, Qt::Key_Space);
    for (const QString& name : kARFields + kAPFields)
        QVERIFY2(!widget(&window, name)->isEnabled(), qPrintable(name));
    QCOMPARE(textOf(&window, QStringLiteral("txtARControlAccount")), QStringLiteral("1100"));
    QCOMPARE(textOf(&window, QStringLiteral("txtAPBankCode")), QStringLiteral("BK1"));

    // A disabled group is not checked, even with a value missing.
    setTextOf(&window, QStringLiteral("txtARControlAccountSet"), QString());
    book.prompts.expect(QStringLiteral("Saved!"));
    click(&window, "cmdSave");
    QVERIFY(book.prompts.verifyAllShown());
    QCOMPARE(storedRow(book),
             QStringLiteral("CB01|M|S$|SP|0|1100|D1|AR Control|1150|D2|AR Clearing||"
                            "0|2000|D3|AP Control|2050|D4|AP Clearing|BK1"));
}

void TestAccpacSettings::checkingEnablesGroup() {
    TestBook book;
    AccpacSettingsWindow window(book.services);
    QVERIFY(showActive(&window));
    clickBox(&window, "chkIntegrateWithAR");
    for (const QString& name : kARFields)
        QVERIFY(widget(&window, name)->isEnabled());
    for (const QString& name : kAPFields)
        QVERIFY(!widget(&window, name)->isEnabled());
    // Now integrated, the AR values are needed.
    book.prompts.expect(QStringLiteral("Must enter AR Control Account."));
    click(&window, "cmdSave");
    QVERIFY(book.prompts.verifyAllShown());
    QCOMPARE(book.value(QStringLiteral("SELECT IntegrateWithAR FROM tblAccpacSettings")).toInt(),
             0);
}

void TestAccpacSettings::saveRefusesEachMissingValue_data() {
    QTest::addColumn<QStringList>("emptied");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");
    QTest::newRow("source code") << QStringList{"txtGLSourceCode"} << "Must enter GL Source Code."
                                 << "txtGLSourceCode";
    QTest::newRow("source code blanks") << QStringList{} << "Must enter GL Source Code."
                                        << "txtGLSourceCode";
    QTest::newRow("AR control") << QStringList{"txtARControlAccount"}
                                << "Must enter AR Control Account."
                                << "txtARControlAccount";
    QTest::newRow("AR clearing") << QStringList{"txtARClearingAccount"}
                                 << "Must enter AR Clearing Account."
                                 << "txtARClearingAccount";
    QTest::newRow("AR control account set")
        << QStringList{"txtARControlAccountSet"} << "Must enter AR Control Account Set."
        << "txtARControlAccountSet";
    QTest::newRow("AP control") << QStringList{"txtAPControlAccount"}
                                << "Must enter AP Control Account."
                                << "txtAPControlAccount";
    QTest::newRow("AP clearing") << QStringList{"txtAPClearingAccount"}
                                 << "Must enter AP Clearing Account."
                                 << "txtAPClearingAccount";
    QTest::newRow("AP bank code") << QStringList{"txtAPBankCode"} << "Must enter AP Bank Code."
                                  << "txtAPBankCode";
    QTest::newRow("home currency")
        << QStringList{"txtGLHomeCurrency"} << "Must enter GL Home Currency Code."
        << "txtGLHomeCurrency";
    QTest::newRow("rate type") << QStringList{"txtGLRateType"} << "Must enter GL Rate Type."
                               << "txtGLRateType";
    QTest::newRow("source code before AR")
        << QStringList{"txtARControlAccount", "txtGLSourceCode"} << "Must enter GL Source Code."
        << "txtGLSourceCode";
    QTest::newRow("AR set before AP")
        << QStringList{"txtAPControlAccount", "txtARControlAccountSet"}
        << "Must enter AR Control Account Set."
        << "txtARControlAccountSet";
    QTest::newRow("AP before currency")
        << QStringList{"txtGLRateType", "txtAPBankCode"} << "Must enter AP Bank Code."
        << "txtAPBankCode";
}

void TestAccpacSettings::saveRefusesEachMissingValue() {
    QFETCH(QStringList, emptied);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    TestBook book;
    fillSettings(book);
    AccpacSettingsWindow window(book.services);
    QVERIFY(showActive(&window));
    if (emptied.isEmpty())
        setTextOf(&window, QStringLiteral("txtGLSourceCode"), QStringLiteral("   "));
    for (const QString& name : emptied)
        setTextOf(&window, name, QString());
    book.prompts.expect(message);
    click(&window, "cmdSave");
    QVERIFY(book.prompts.verifyAllShown());
    QCOMPARE(book.prompts.shown().last().icon, Prompts::Icon::Critical);
    QCOMPARE(QApplication::focusWidget()->objectName(), focus);
    QCOMPARE(storedRow(book), kFilledRow);
    // The edits stay in the window.
    for (const QString& name : emptied)
        QCOMPARE(textOf(&window, name), QString());
}

void TestAccpacSettings::currencyChoiceSetsCode_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("keyDown");
    QTest::addColumn<QString>("saved");
    QTest::newRow("multi to single") << "M" << 0 << "S";
    QTest::newRow("single to multi") << "S" << 1 << "M";
}

void TestAccpacSettings::currencyChoiceSetsCode() {
    QFETCH(QString, stored);
    QFETCH(int, keyDown);
    QFETCH(QString, saved);
    TestBook book;
    book.sql(QStringLiteral("UPDATE tblAccpacSettings SET GLSingleMultiCurrency = ?, "
                            "GLHomeCurrency = 'US$', GLRateType = 'AV'"),
             {stored});
    AccpacSettingsWindow window(book.services);
    QVERIFY(showActive(&window));
    auto* combo = child<QComboBox>(&window, QStringLiteral("cboSingleMultiCurrency"));
    combo->setFocus();
    QTest::keyClick(combo, keyDown ? Qt::Key_Down : Qt::Key_Up);
    QCOMPARE(textOf(&window, QStringLiteral("txtSingleMultiCurrency")), saved);
    for (const QString& name : kCurrencyFields)
        QCOMPARE(widget(&window, name)->isEnabled(), saved == QLatin1String("M"));
    book.prompts.expect(QStringLiteral("Saved!"));
    click(&window, "cmdSave");
    QVERIFY(book.prompts.verifyAllShown());
    // The currency values are kept whichever is chosen.
    QCOMPARE(
        book.value(QStringLiteral("SELECT GLSingleMultiCurrency || GLHomeCurrency || GLRateType "
                                  "FROM tblAccpacSettings"))
            .toString(),
        saved + QStringLiteral("US$AV"));
}

void TestAccpacSettings::choosingAccountFillsCodeDeptAndDescription_data() {
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("next");
    QTest::addColumn<bool>("chosen");
    QTest::newRow("AR control") << "txtARControlAccount"
                                << "txtARClearingAccount" << true;
    QTest::newRow("AR clearing") << "txtARClearingAccount"
                                 << "txtARControlAccountSet" << true;
    QTest::newRow("AP control") << "txtAPControlAccount"
                                << "txtAPClearingAccount" << true;
    QTest::newRow("AP clearing") << "txtAPClearingAccount"
                                 << "txtAPBankCode" << true;
    QTest::newRow("AR control, nothing chosen") << "txtARControlAccount"
                                                << "txtARClearingAccount" << false;
    QTest::newRow("AP clearing, nothing chosen") << "txtAPClearingAccount"
                                                 << "txtAPBankCode" << false;
}

void TestAccpacSettings::choosingAccountFillsCodeDeptAndDescription() {
    QFETCH(QString, list);
    QFETCH(QString, next);
    QFETCH(bool, chosen);
    TestBook book;
    fillSettings(book);
    AccpacSettingsWindow window(book.services);
    const QString oldCode = textOf(&window, list);
    const QString oldDept = textOf(&window, list + QStringLiteral("Dept"));
    const QString oldDesc = textOf(&window, list + QStringLiteral("Desc"));
    book.lookup.LookupValue1 = QStringLiteral("stale");
    int calls = 0;
    window.setChooser([&](QWidget* parent) {
        ++calls;
        QCOMPARE(parent, &window);
        QVERIFY(book.lookup.LookupValue1.isEmpty() && book.lookup.LookupValue2.isEmpty() &&
                book.lookup.LookupValue3.isEmpty());
        if (!chosen)
            return;
        book.lookup.LookupValue1 = QStringLiteral("6000");
        book.lookup.LookupValue2 = QStringLiteral("SALES");
        book.lookup.LookupValue3 = QStringLiteral("Salaries - Sales");
    });
    QVERIFY(showActive(&window));
    auto* combo = child<QComboBox>(&window, list);
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Down, Qt::AltModifier);
    QCOMPARE(calls, 1);
    QCOMPARE(textOf(&window, list), chosen ? QStringLiteral("6000") : oldCode);
    QCOMPARE(textOf(&window, list + QStringLiteral("Dept")),
             chosen ? QStringLiteral("SALES") : oldDept);
    QCOMPARE(textOf(&window, list + QStringLiteral("Desc")),
             chosen ? QStringLiteral("Salaries - Sales") : oldDesc);
    QCOMPARE(QApplication::focusWidget()->objectName(), next);

    book.prompts.expect(QStringLiteral("Saved!"));
    click(&window, "cmdSave");
    QVERIFY(book.prompts.verifyAllShown());
    const QString column =
        list == QLatin1String("txtARControlAccount")    ? QStringLiteral("GLARControl")
        : list == QLatin1String("txtARClearingAccount") ? QStringLiteral("GLARClearing")
        : list == QLatin1String("txtAPControlAccount")  ? QStringLiteral("GLAPControl")
                                                        : QStringLiteral("GLAPClearing");
    QCOMPARE(book.value(QStringLiteral(
                            "SELECT %1 || '/' || %1Dept || '/' || %1Desc FROM tblAccpacSettings")
                            .arg(column))
                 .toString(),
             chosen ? QStringLiteral("6000/SALES/Salaries - Sales")
                    : oldCode + '/' + oldDept + '/' + oldDesc);
}

void TestAccpacSettings::chartOfAccountsIsTheChooser() {
    TestBook book;
    fillSettings(book);
    addAccount(book, QStringLiteral("2000"), QStringLiteral(""), QStringLiteral("AP Control"));
    addAccount(book, QStringLiteral("2060"), QStringLiteral("ADMIN"),
               QStringLiteral("AP Clearing Admin"));
    AccpacSettingsWindow window(book.services);
    QVERIFY(showActive(&window));
    auto* combo = child<QComboBox>(&window, QStringLiteral("txtAPClearingAccount"));
    combo->setFocus();
    chooseInChart(QStringLiteral("2060"));
    QTest::keyClick(combo, Qt::Key_F4);
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    QCOMPARE(textOf(&window, QStringLiteral("txtAPClearingAccount")), QStringLiteral("2060"));
    QCOMPARE(textOf(&window, QStringLiteral("txtAPClearingAccountDept")), QStringLiteral("ADMIN"));
    QCOMPARE(textOf(&window, QStringLiteral("txtAPClearingAccountDesc")),
             QStringLiteral("AP Clearing Admin"));
    // The window gets the activation back from the chart later; its focus is already there.
    QVERIFY(window.focusWidget());
    QCOMPARE(window.focusWidget()->objectName(), QStringLiteral("txtAPBankCode"));
    book.prompts.expect(QStringLiteral("Saved!"));
    click(&window, "cmdSave");
    QVERIFY(book.prompts.verifyAllShown());
    QCOMPARE(book.value(QStringLiteral("SELECT GLAPClearing || '/' || GLAPClearingDept || '/' || "
                                       "GLAPClearingDesc FROM tblAccpacSettings"))
                 .toString(),
             QStringLiteral("2060/ADMIN/AP Clearing Admin"));
}

void TestAccpacSettings::seventhCharacterRefused_data() {
    QTest::addColumn<QString>("list");
    QTest::newRow("AR control") << "txtARControlAccount";
    QTest::newRow("AR clearing") << "txtARClearingAccount";
    QTest::newRow("AP control") << "txtAPControlAccount";
    QTest::newRow("AP clearing") << "txtAPClearingAccount";
}

void TestAccpacSettings::seventhCharacterRefused() {
    QFETCH(QString, list);
    TestBook book;
    fillSettings(book);
    AccpacSettingsWindow window(book.services);
    QVERIFY(showActive(&window));
    auto* combo = child<QComboBox>(&window, list);
    combo->setFocus();
    combo->lineEdit()->selectAll();
    QTest::keyClicks(combo, QStringLiteral("ABCDEFG"));
    QCOMPARE(combo->currentText(), QStringLiteral("ABCDEF"));
}

void TestAccpacSettings::closeDiscardsEdits() {
    TestBook book;
    fillSettings(book);
    {
        AccpacSettingsWindow window(book.services);
        QVERIFY(showActive(&window));
        setTextOf(&window, QStringLiteral("txtGLSourceCode"), QStringLiteral("ZZZZ"));
        clickBox(&window, "chkIntegrateWithAP");
        click(&window, "cmdClose");
        QVERIFY(!window.isVisible());
    }
    QCOMPARE(storedRow(book), kFilledRow);
    // Opened again, the window shows the book, not the discarded edits.
    AccpacSettingsWindow again(book.services);
    QCOMPARE(textOf(&again, QStringLiteral("txtGLSourceCode")), QStringLiteral("CB01"));
    QVERIFY(book.prompts.verifyAllShown());
}

void TestAccpacSettings::switchboardOpensTheWindow_data() {
    QTest::addColumn<QString>("command");
    QTest::newRow("button") << "cmdAccpacSettings";
    QTest::newRow("menu item") << "mnuDataEntryAccpacAdagioSettings";
}

void TestAccpacSettings::switchboardOpensTheWindow() {
    QFETCH(QString, command);
    TestBook book;
    SwitchboardWindow switchboard(book.services);
    QString opened;
    QTimer::singleShot(0, &switchboard, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        QVERIFY(modal);
        opened = modal->objectName();
        click(modal, "cmdClose");
    });
    QVERIFY2(runCommand(&switchboard, command), qPrintable(command));
    QCOMPARE(opened, QStringLiteral("frmAccpacSettings"));
    QVERIFY(book.prompts.verifyAllShown());
}

QTEST_MAIN(TestAccpacSettings)
#include "tst_accpacsettings.moc"
