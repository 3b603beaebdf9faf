#pragma once
#include "shell/MessagePresenter.h"
#include "shell/ReportRequest.h"

namespace ravelt {

class RaveltDT;

// The report run as "Stampa" starts it: the cash report for the request, with the day and
// column in the window's progress label and the hourglass, then, when some payments of
// the period fall in no column, a message that lists them, then the print menu. A failed
// run is told with its description and source; the window stays usable and the previous
// report file is untouched.
void runCashReportWindow(RaveltDT& window, const ReportRequest& request, MessagePresenter& messages);

}
