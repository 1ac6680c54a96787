#include "countsheet.h"

#include "documentoutput.h"

// The output commands of the check mode that make documents; the checks, the
// status texts and the viewer are DocumentOutput's, shared with the command line.

void CountSheet::mnuFOutBill()
{
    outputDocuments(1);
}

void CountSheet::mnuFOutLossBill()
{
    outputDocuments(2);
}

void CountSheet::outputDocuments(int kind)
{
    if (m_mode != SheetMode::Check || currentProcess() <= 0)
        return;
    DocumentOutput::run(m_model, kind, currentProcess(),
                        [this](const QString &text) { setStatus(MessagePanel, text); });
}
