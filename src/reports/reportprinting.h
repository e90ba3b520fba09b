#pragma once

class QPrinter;
class QWidget;

// The printers of the system: whether there is one, and the print dialog that sets up the
// printer and the pages. Tests put a printer of their own in its place.
class ReportPrinting {
public:
    virtual ~ReportPrinting() = default;
    virtual bool hasPrinter() const;
    // Shows the system's print dialog for pages 1 to pageCount; false when cancelled.
    virtual bool choose(QPrinter& printer, QWidget* parent, int pageCount);
};
