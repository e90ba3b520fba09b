#pragma once

class CommandBinder;
struct ReportPreparation;

// Binds the Reports page's buttons and the Reports menu. The four reports over the GL
// distribution (GL listing and summary, cashbook, bank reconciliation) are bound only when
// `preparation` is given: they cannot be shown without the distribution and the balances.
void installReportCommands(CommandBinder& commands, const ReportPreparation* preparation = nullptr);
