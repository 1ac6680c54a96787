#pragma once

class CountSheet;
class QPrinter;
class QWidget;

// The window's print commands on the ledger grid: the printer (and its setup)
// belongs to the window and stays for the next command.
namespace ledgerprintui {

// The print dialog, then every page on the printer.
void print(QWidget *parent, const CountSheet &sheet, QPrinter &printer);
// A preview that draws only the page shown, so a large count opens at once.
void preview(QWidget *parent, const CountSheet &sheet, QPrinter &printer);
// The printer's page setup.
void setup(QWidget *parent, QPrinter &printer);

} // namespace ledgerprintui
