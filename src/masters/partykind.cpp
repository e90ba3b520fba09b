#include "partykind.h"

#include "data/messages.h"

namespace {

constexpr std::array<int, PartyKind::FieldCount> kMaxLengths = {6, 30, 30, 30, 30, 30, 15};

PartyKind makeCustomers() {
    PartyKind kind;
    kind.windowName = QStringLiteral("frmCustomers");
    kind.caption = QStringLiteral("Customers");
    kind.table = QStringLiteral("tblCustomers");
    kind.fields = {QStringLiteral("CustID"),    QStringLiteral("CustName"),
                   QStringLiteral("Address1"),  QStringLiteral("Address2"),
                   QStringLiteral("Address3"),  QStringLiteral("Address4"),
                   QStringLiteral("PostalCode")};
    kind.maxLengths = kMaxLengths;
    kind.noun = QStringLiteral("Customer");
    kind.numberLabel = QStringLiteral("Customer &Number");
    kind.nameLabel = QStringLiteral("Customer Na&me");
    kind.numberMessage = Messages::partyNumberRequired(kind.noun);
    kind.nameMessage = Messages::partyNameRequired(kind.noun);
    kind.tooltip = QStringLiteral(
        "If using this form as a lookup, double-click to transfer Customer Number etc to "
        "another form.");
    kind.findByNumberButton = QStringLiteral("cmdFindByCustID");
    kind.findByNameButton = QStringLiteral("cmdFind");
    kind.findByNumberCaption = QStringLiteral("Type Customer Number to find");
    kind.findByNumberQuery =
        QStringLiteral(R"(SELECT "CustID" FROM "tblCustomers" ORDER BY "CustID")");
    kind.findByNameCaption = QStringLiteral("Type Customer Name to find");
    kind.findByNameQuery =
        QStringLiteral(R"(SELECT "CustName" FROM "tblCustomers" ORDER BY "CustName")");
    kind.notFoundLabel = QStringLiteral("Customer ");
    return kind;
}

PartyKind makeVendors() {
    PartyKind kind;
    kind.windowName = QStringLiteral("frmVendors");
    kind.caption = QStringLiteral("Vendors");
    kind.table = QStringLiteral("tblVendors");
    kind.fields = {QStringLiteral("VendorID"),  QStringLiteral("VendorName"),
                   QStringLiteral("Address1"),  QStringLiteral("Address2"),
                   QStringLiteral("Address3"),  QStringLiteral("Address4"),
                   QStringLiteral("PostalCode")};
    kind.maxLengths = kMaxLengths;
    kind.noun = QStringLiteral("Vendor");
    kind.numberLabel = QStringLiteral("Vendor &Number");
    kind.nameLabel = QStringLiteral("Vendor Na&me");
    kind.numberMessage = Messages::partyNumberRequired(kind.noun);
    kind.nameMessage = Messages::partyNameRequired(kind.noun);
    kind.tooltip = QStringLiteral(
        "If using this form as a lookup, double-click to transfer Vendor Number etc to another "
        "form.");
    kind.findByNumberButton = QStringLiteral("cmdFindByVendorID");
    kind.findByNameButton = QStringLiteral("cmdFindByVendorName");
    kind.findByNumberCaption = QStringLiteral("Type Vendor Number to find");
    kind.findByNumberQuery =
        QStringLiteral(R"(SELECT "VendorID" FROM "tblVendors" ORDER BY "VendorID")");
    kind.findByNameCaption = QStringLiteral("Type Vendor Name to find");
    // The number rides along in the query; the find list shows only its first column.
    kind.findByNameQuery = QStringLiteral(
        R"(SELECT "VendorName", "VendorID" FROM "tblVendors" ORDER BY "VendorName")");
    kind.notFoundLabel = QStringLiteral("Vendor ");
    return kind;
}

} // namespace

QString PartyKind::columnList() const {
    QStringList names(fields.begin(), fields.end());
    return names.join(QLatin1Char(','));
}

const PartyKind& PartyKind::customers() {
    static const PartyKind kind = makeCustomers();
    return kind;
}

const PartyKind& PartyKind::vendors() {
    static const PartyKind kind = makeVendors();
    return kind;
}
