#pragma once
#include "cashreport/CashReportError.h"
#include "cashreport/CashReportRequest.h"
#include "cashreport/CashReportResult.h"

namespace ravelt {

// Builds the cash-detail report for the request's period, type and counter and writes
// it as the report file FD<PCLocal> of the working folder: the hotel's name, the title,
// the framed headings, one line per day from the start date to the end date with every
// headed column's amount, their total and the day's two counts, then the period totals.
//
// The file is written whole or not at all: on any failure the run raises
// CashReportError (the description of what failed, and the source "Dettaglio forme di
// incasso") and the previous report file is left as it was. Dates that are not
// dd/mm/yyyy days of the calendar and a type other than the three are refused before
// any store is opened. Before anything is summed, the period's amounts and counts are
// checked in the stores: one the field's type cannot hold (a text, a blob, a number out
// of range) fails the run with a description naming the store, the table, the document
// and the value, and so does a sum that leaves the currency range. Every day is
// computed before the file is written, so that a cell too wide for its column widens
// the whole column on every line. A start date after the end date is not an error: the
// report has no day lines and a totals line of zeros.
CashReportResult CreaDettaglioCassa(const CashReportRequest& request);

}
