#pragma once
// The machine options of korven-info: "--machine FILE|NAME" adds the planned time, the time
// per tool and the travel check to the report; "--check" makes a broken travel limit the exit
// status 3, for scripts. The extents of every move are printed either way.

#include <string>

#include "nc/ncjob.h"
#include "plan/machineprofile.h"
#include "tools/inforeport.h"

struct PlanRequest {
    bool wanted = false;  // --machine was given
    bool check = false;
    std::string machine;  // as given
    MachineProfile profile;
    std::string error;  // non-empty: the options were wrong and this says how
};

// Takes "--machine X" and "--check" out of argv (shifting the rest down and lowering argc).
PlanRequest extractplanoptions(int& argc, char** argv);

// Reads the profile named by the request: a file, or a name looked up as
// machines/NAME.ini in the data folders. Empty on success, else the message.
std::string loadplanprofile(PlanRequest& request);

// "extents-all ..." always; with a profile "time planned ...", "time tool ..." and, on
// stderr, "limit ..." lines. Returns the exit status it calls for: 3 for a broken limit under
// --check, 1 when the time cannot be planned, else 0.
int writeplanreport(const NcJob& job, const PlanRequest& request, ReportWriter& out);
