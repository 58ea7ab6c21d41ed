// Must not compile with the estimate library's include roots: the report
// text is built on the estimates, not under them.
#include "report/report.h"
