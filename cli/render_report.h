// Running a loaded report onto each output the runner was asked for.
#pragma once

class TReport;
class TRpRunSession;

namespace cli {

struct RenderOptions;

// One pass per output: recorded pages for RPP and PNG, the PDF and printer drawn
// directly at their own resolution, and an export pass. Raises on any failure.
void renderReport(TReport& report, TRpRunSession& session, const RenderOptions& options);

} // namespace cli
