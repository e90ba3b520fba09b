// Closing a modal box hands the activation back to the window underneath, so that keys such
// as Tab reach it even where no window manager does this (a bare X server, VNC).
#include "kit/activationkeeper.h"
#include "support/datarows.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QTest>

class TestActivationKeeper : public QObject {
    Q_OBJECT
private slots:
    void activationReturns_data() {
        columns<bool>("installed");
        addRow("keeper installed", true);
        addRow("nothing installed", false);
    }

    void activationReturns() {
        const bool installed = std::get<0>(fetch<bool>("installed"));
        const bool returned = installed;
        ActivationKeeper keeper;
        if (installed)
            qApp->installEventFilter(&keeper);
        // The window underneath is itself modal, as every task window is.
        QDialog window;
        window.setWindowModality(Qt::ApplicationModal);
        auto* field = new QLineEdit(&window);
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        field->setFocus();
        // A box without a parent, as a message box shown while no window was active.
        QDialog box;
        box.setWindowModality(Qt::ApplicationModal);
        box.show();
        QApplication::setActiveWindow(&box);
        QVERIFY(QTest::qWaitForWindowActive(&box));
        box.hide();
        QCOMPARE(QTest::qWaitForWindowActive(&window, 300), returned);
        if (returned)
            QCOMPARE(QApplication::focusWidget(), field);
        qApp->removeEventFilter(&keeper);
    }
};

QTEST_MAIN(TestActivationKeeper)
#include "tst_activationkeeper.moc"
