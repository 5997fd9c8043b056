#pragma once
// The tool table: one tool a line, "T<n> P<pocket> D<diameter> Z<length> ;comment" with the
// letters in any order, as machinists keep it for their controllers. R (corner radius) and A
// (point angle) are KORVEN's own, for the shape of the tool. Lengths are kept in millimetres;
// a ";units=inch" line makes the lines after it inches (";units=mm" goes back).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum class ToolShape { Flat, Ball, BullNose, Point };

struct ToolEntry {
    int32_t number = 0;
    int32_t pocket = 0;
    double diameter = 0;       // mm
    double length = 0;         // mm
    double cornerradius = 0;   // mm; 0 for a flat end
    double pointangle = 0;     // degrees, included; 0 when the tool has no point
    int64_t line = 0;          // where the table gives it
    std::string comment;

    double radius() const { return diameter / 2; }
    ToolShape shape() const;
};

class ToolTable {
  public:
    struct Problem {
        int64_t line = 0;
        std::string message;
    };

    // Reads table text; a line with a bad value is named and its tool left out.
    static ToolTable parse(std::string_view text, std::string source = "tool table");
    // Reads the file; one that cannot be read gives a table that was not found.
    static ToolTable readfile(const std::string& path);
    // "tool.tbl" in the folder of the program at path.
    static std::string besideprogram(const std::string& programpath);

    bool found() const { return found_; }
    const std::string& source() const { return source_; }
    const ToolEntry* find(int32_t number) const;
    const std::vector<ToolEntry>& tools() const { return tools_; }
    const std::vector<Problem>& problems() const { return problems_; }

  private:
    void parseline(std::string_view text, int64_t line, bool inch);

    bool found_ = false;
    std::string source_;
    std::vector<ToolEntry> tools_;
    std::vector<Problem> problems_;
};
