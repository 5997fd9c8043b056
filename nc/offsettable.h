#pragma once
// The offset file of the Fanuc-family reading: the controller's D (cutter radius) and H (tool
// length) registers, one a line in the tool table's line form, the register's word first:
//
//   D12 R3.0      ;register D12 holds the radius 3
//   D13 D6.0      ;or the diameter, 6: the radius is again 3
//   H3 Z120.5     ;register H3 holds the length 120.5
//
// Lengths are kept in millimetres; ";units=inch" makes the lines after it inches (";units=mm"
// goes back). A value keeps its sign: a negative radius or length is the controller's own
// business (the other side, a shorter tool), not a typing fault.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "nc/tooltable.h"

class OffsetTable {
  public:
    using Problem = ToolTable::Problem;

    // Reads the file's text; a line with a bad value is named and its register left out.
    static OffsetTable parse(std::string_view text, std::string source = "offset file");
    // Reads the file; one that cannot be read gives a table that was not found.
    static OffsetTable readfile(const std::string& path);
    // "offset.tbl" in the folder of the program at path.
    static std::string besideprogram(const std::string& programpath);

    bool found() const { return found_; }
    const std::string& source() const { return source_; }
    // The radius in D register number, or the length in H register number, in millimetres;
    // false when the file does not give that register.
    bool radius(int32_t number, double& millimetres) const;
    bool length(int32_t number, double& millimetres) const;
    const std::vector<Problem>& problems() const { return problems_; }

  private:
    struct Register {
        double value = 0;
        int64_t line = 0;
    };
    void parseline(std::string_view text, int64_t line, bool inch);

    bool found_ = false;
    std::string source_;
    std::map<int32_t, Register> radii_, lengths_;
    std::vector<Problem> problems_;
};
