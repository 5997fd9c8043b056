#pragma once
// The "--simulate [--stock X0,Y0,Z0,X1,Y1,Z1] [--cell SIZE]" options of korven-info: run the
// stock simulation over the job and report the stock, the removed volume and the lowest point
// left; each rapid into material (and plunge past a tool's flutes) goes to stderr.

#include <memory>
#include <string>

#include "nc/ncjob.h"
#include "sim/stocksimulation.h"
#include "tools/inforeport.h"

struct SimulateRequest {
    bool wanted = false;  // --simulate was given
    sim::StockRequest stock;
    std::string error;  // non-empty: the options were wrong and this says how
};

// Takes "--simulate", "--stock ..." and "--cell ..." out of argv (shifting the rest down).
SimulateRequest extractsimulateoptions(int& argc, char** argv);

// Simulates the whole job and writes "stock X0 Y0 Z0 X1 Y1 Z1 cell SIZE", "removed-volume V"
// and "lowest-cut Z"; on stderr one "alarm rapid LINE X Y Z DEPTH" (or "alarm plunge ...") per
// alarm and what was assumed. The table is the job's, else the one named (or the one beside
// the program). Returns 3 when there is an alarm, 1 when no grid could be made, else 0; the
// simulation is handed back in `simulation` for a picture.
int writesimulatereport(const NcJob& job, const std::string& programpath, const SimulateRequest& request,
                        ReportWriter& out, std::unique_ptr<sim::StockSimulation>& simulation);
