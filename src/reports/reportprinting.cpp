#include "reportprinting.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

bool ReportPrinting::hasPrinter() const {
    return !QPrinterInfo::availablePrinters().isEmpty();
}

bool ReportPrinting::choose(QPrinter& printer, QWidget* parent, int pageCount) {
    QPrintDialog dialog(&printer, parent);
    dialog.setMinMax(1, pageCount);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    return dialog.exec() == QDialog::Accepted;
}
