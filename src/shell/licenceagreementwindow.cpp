#include "licenceagreementwindow.h"

#include "kit/shellprocs.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

QString LicenceAgreementWindow::licenceText() {
    return QStringLiteral(
        "Quillan v1.0\n"
        "\n"
        "Quillan is free software: you can redistribute it and/or modify it under the terms "
        "of the GNU General Public License as published by the Free Software Foundation, "
        "either version 3 of the License, or (at your option) any later version.\n"
        "\n"
        "Quillan is distributed in the hope that it will be useful, but WITHOUT ANY "
        "WARRANTY; without even the implied warranty of MERCHANTABILITY or FITNESS FOR A "
        "PARTICULAR PURPOSE. See the GNU General Public License for more details.\n"
        "\n"
        "You should have received a copy of the GNU General Public License along with "
        "Quillan. If not, see <https://www.gnu.org/licenses/>.");
}

LicenceAgreementWindow::LicenceAgreementWindow(Services& services, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("frmLicenceAgreement"));
    setWindowTitle(QStringLiteral("Licence Agreement"));
    resize(560, 380);

    auto* layout = new QVBoxLayout(this);
    auto* text = new QPlainTextEdit(this);
    text->setObjectName(QStringLiteral("txtLicenceAgreement"));
    text->setReadOnly(true);
    text->setPlainText(licenceText());
    // Read-only, but still reachable by keyboard to scroll and copy.
    text->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    auto* label = new QLabel(QStringLiteral("&Licence agreement"), this);
    label->setBuddy(text);
    layout->addWidget(label);
    layout->addWidget(text, 1);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);

    installFunctionKeys(this, services, QStringLiteral("frmLicenceAgreement"));
}
