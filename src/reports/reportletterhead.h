#pragma once

struct ReportLayout;
class Database;

// Who issues a form and which bank a report is about, from the book's settings, put into the
// labels a layout has for them (a layout without them is left as it is).
namespace ReportLetterhead {

// The company's name and address lines (tblSystemSetup) into lblCompanyName and
// lblCompanyAddress1 to lblCompanyAddress3. Throws Failure on a database error.
void addIssuer(const Database& db, ReportLayout& layout);

// The bank's name and account number (tblBankDetails) into lblBankName and
// lblBankAccountNumber. Throws Failure on a database error.
void addBank(const Database& db, ReportLayout& layout);

} // namespace ReportLetterhead
