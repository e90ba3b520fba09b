#include "cashbookentrycontrols.h"

#include "kit/codepopuplist.h"
#include "kit/lookupcombobox.h"
#include "kit/navigatorbar.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>

CashbookEntryControls::CashbookEntryControls(Services& services, Setup setup, QWidget* parent)
    : RecordWindow(services, setup.windowName, setup.caption, parent), m_setup(std::move(setup)) {
    m_transType = addLineEdit("txtTransType");
    m_transType->setReadOnly(true);
    m_typeList = new CodePopupList(m_transType, this);
    m_typeList->setObjectName(QStringLiteral("lstTransType"));
    m_typeList->setAccessibleName(QStringLiteral("Transaction types"));
    m_typeList->setCodes(m_setup.typeCodes, m_setup.typeTexts);
    m_transId = addLineEdit("txtTransID");
    m_datePicker = new QDateEdit(this);
    m_datePicker->setObjectName(QStringLiteral("DTPicker"));
    m_datePicker->setDisplayFormat(QStringLiteral("d MMM yyyy"));
    m_datePicker->setCalendarPopup(true);
    m_transDate = addLineEdit("txtTransDate");
    m_transDate->hide();
    m_desc = addLineEdit("txtTransDesc", 50);

    m_account = new LookupComboBox(this);
    m_account->setObjectName(QStringLiteral("cboGLOffsetAccountCode"));
    m_dept = addLineEdit("txtGLOffsetDeptCode", 6);
    m_dept->setAccessibleName(QStringLiteral("GL Department"));
    m_accountDesc = addLineEdit("txtGLOffsetAccountDesc", 30);
    m_accountDesc->setAccessibleName(QStringLiteral("GL Account Description"));
    m_amount = addLineEdit("txtOffsetAmount");
    m_amount->setAlignment(Qt::AlignRight);
    m_total = addLineEdit("txtTotal");
    m_total->setAlignment(Qt::AlignRight);
    for (QLineEdit* edit : {m_dept, m_accountDesc, m_total})
        edit->setEnabled(false);

    m_status = addLineEdit("txtReconciliationStatus");
    m_status->setEnabled(false);
    m_status->hide();
    m_statusMsg = addLineEdit("txtReconciliationStatusMsg");
    m_statusMsg->setEnabled(false);
    m_deBank = addLineEdit("txtDoubleEntryBank");
    m_deOffset = addLineEdit("txtDoubleEntryOffset");
    for (QLineEdit* edit : {m_deBank, m_deOffset}) {
        edit->setEnabled(false);
        edit->hide();
    }
    m_bankAccount = addLineEdit("txtBankAccountGLAccountCode");
    m_bankDept = addLineEdit("txtBankAccountGLDeptCode");
    m_bankAccount->hide();
    m_bankDept->hide();
    m_bindings.bindAmount(m_amount, QStringLiteral("OffsetAmount"));
    m_bindings.bindAmount(m_total, QStringLiteral("BankAccountAmount"));
    m_bindings.bindAmount(m_deBank, QStringLiteral("DoubleEntryBank"));
    m_bindings.bindAmount(m_deOffset, QStringLiteral("DoubleEntryOffset"));

    m_bar = new NavigatorBar(this);
    m_bar->setObjectName(QStringLiteral("Adodc1"));
    m_add = addButton("cmdAdd", QStringLiteral("&Add"));
    m_save = addButton("cmdSave", QStringLiteral("&Save"));
    m_undo = addButton("cmdUndo", QStringLiteral("&Undo"));
    m_delete = addButton("cmdDelete", QStringLiteral("&Delete"));
    m_find = addButton("cmdFindByPV", QStringLiteral("&Find"));
    m_find->setToolTip(m_setup.findCaption);
    m_close = addButton("cmdClose", QStringLiteral("&Close"));
}
