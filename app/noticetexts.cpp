#include "app/noticetexts.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <vector>

namespace {

struct Form {
    const char* pattern;  // the core's wording, values captured in order
    const char* text;     // the same with %1, %2 ... for the captures
};

// Codes and words: "G81", "G38.2", "X"; numbers as the core prints them.
#define CODE "([A-Z][0-9.]*)"
#define NUMBER "([-+0-9.eE]+)"
// An O-word as the core names it: "o100", "o<name>".
#define OWORD "(o[0-9]+|o<[^>]+>)"

// Longer forms first where a shorter one would match their start.
const Form kForms[] = {
    {CODE " with cutter compensation already on",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "%1 with cutter compensation already on")},
    {CODE " with cutter compensation on",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "%1 with cutter compensation on")},
    {CODE " works in the XY plane \\(G17\\) only",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "%1 works in the XY plane (G17) only")},
    {CODE " needs D, the tool diameter, not negative",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "%1 needs D, the tool diameter, not negative")},
    {CODE " needs D, the tool diameter",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "%1 needs D, the tool diameter")},
    {CODE " needs D, a tool number",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "%1 needs D, a tool number")},
    {"G41/G42 without a tool table",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "G41/G42 without a tool table")},
    {"G41/G42 D([0-9]+) not in the tool table",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "G41/G42 D%1 not in the tool table")},
    {"G41/G42 D([0-9]+) not in the offset file",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "G41/G42 D%1 not in the offset file")},
    {"(.+) cannot be read", QT_TRANSLATE_NOOP("ReadingNoticeRow", "%1 cannot be read")},
    // The lines of a tool table or offset file.
    {"unknown word (.) ignored", QT_TRANSLATE_NOOP("ReadingNoticeRow", "unknown word %1 ignored")},
    {"no T word: not a tool", QT_TRANSLATE_NOOP("ReadingNoticeRow", "no T word: not a tool")},
    {"tool number T must be a whole number",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "tool number T must be a whole number")},
    {"pocket P must be a whole number", QT_TRANSLATE_NOOP("ReadingNoticeRow", "pocket P must be a whole number")},
    {"diameter D must not be negative", QT_TRANSLATE_NOOP("ReadingNoticeRow", "diameter D must not be negative")},
    {"corner radius R must lie between 0 and half the diameter",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "corner radius R must lie between 0 and half the diameter")},
    {"point angle A must lie between 0 and 180 degrees",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "point angle A must lie between 0 and 180 degrees")},
    {"tool ([0-9]+) given again \\(first at line ([0-9]+)\\)",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "tool %1 given again (first at line %2)")},
    {"([DH][0-9]+) given again \\(first at line ([0-9]+)\\)",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "%1 given again (first at line %2)")},
    {"a register line starts with D or H",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "a register line starts with D or H")},
    {"register number ([DH]) must be a whole number",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "register number %1 must be a whole number")},
    {"(D[0-9]+) needs R, the radius, or D, the diameter",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "%1 needs R, the radius, or D, the diameter")},
    {"(H[0-9]+) needs Z, the tool length", QT_TRANSLATE_NOOP("ReadingNoticeRow", "%1 needs Z, the tool length")},
    {"bad number in (.+)", QT_TRANSLATE_NOOP("ReadingNoticeRow", "bad number in %1")},
    {"([A-Z]) given twice", QT_TRANSLATE_NOOP("ReadingNoticeRow", "%1 given twice")},
    {"unexpected (.)", QT_TRANSLATE_NOOP("ReadingNoticeRow", "unexpected %1")},
    {"([0-9]+) more compensation problems not listed",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "%1 more compensation problems not listed")},
    {"compensation cannot start on an arc at line ([0-9]+)",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "compensation cannot start on an arc at line %1")},
    {"gouge: entry move not longer than tool radius " NUMBER " at line ([0-9]+)",
     QT_TRANSLATE_NOOP("ReadingNoticeRow",
                       "gouge: entry move not longer than tool radius %1 at line %2")},
    {"gouge: inside arc of radius " NUMBER " tighter than tool radius " NUMBER " at line ([0-9]+)",
     QT_TRANSLATE_NOOP("ReadingNoticeRow",
                       "gouge: inside arc of radius %1 tighter than tool radius %2 at line %3")},
    {"gouge: inside corner tighter than tool radius " NUMBER " at line ([0-9]+)",
     QT_TRANSLATE_NOOP("ReadingNoticeRow",
                       "gouge: inside corner tighter than tool radius %1 at line %2")},
    {"gouge: move too short for tool radius " NUMBER " at line ([0-9]+)",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "gouge: move too short for tool radius %1 at line %2")},
    {CODE " after the first move in mm: the lengths that follow are converted to mm",
     QT_TRANSLATE_NOOP("ReadingNoticeRow",
                       "%1 after the first move in mm: the lengths that follow are converted to mm")},
    {CODE " after the first move in inches: the lengths that follow are converted to inches",
     QT_TRANSLATE_NOOP(
         "ReadingNoticeRow",
         "%1 after the first move in inches: the lengths that follow are converted to inches")},
    {"unknown code (.+)", QT_TRANSLATE_NOOP("ReadingNoticeRow", "unknown code %1")},
    {CODE " and " CODE " in one block: they exclude each other",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "%1 and %2 in one block: they exclude each other")},
    {CODE " and " CODE " in one block: both take the axis words",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "%1 and %2 in one block: both take the axis words")},
    {"G4 needs P, the seconds to wait",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "G4 needs P, the seconds to wait")},
    {"G53 without an axis word", QT_TRANSLATE_NOOP("ReadingNoticeRow", "G53 without an axis word")},
    {"G53 works only with G0 or G1",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "G53 works only with G0 or G1")},
    {"G10 needs L2 or L20", QT_TRANSLATE_NOOP("ReadingNoticeRow", "G10 needs L2 or L20")},
    {"G10 needs P 0 to 9", QT_TRANSLATE_NOOP("ReadingNoticeRow", "G10 needs P 0 to 9")},
    {"G92 needs an axis word", QT_TRANSLATE_NOOP("ReadingNoticeRow", "G92 needs an axis word")},
    {"axis words with no motion in force \\(G80\\)",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "axis words with no motion in force (G80)")},
    {CODE " with both R and a centre word",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "%1 with both R and a centre word")},
    {CODE " needs ([A-Z]) or ([A-Z]), or R",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "%1 needs %2 or %3, or R")},
    {CODE " needs P as a whole number of turns from 1 to 1000",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "%1 needs P as a whole number of turns from 1 to 1000")},
    {CODE " with R needs an end point other than its start",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "%1 with R needs an end point other than its start")},
    {CODE " radius R" NUMBER " does not reach its end point",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "%1 radius R%2 does not reach its end point")},
    {CODE " end is not on its circle: radius " NUMBER " at the start, " NUMBER " at the end",
     QT_TRANSLATE_NOOP("ReadingNoticeRow",
                       "%1 end is not on its circle: radius %2 at the start, %3 at the end")},
    {CODE " needs a positive Q", QT_TRANSLATE_NOOP("ReadingNoticeRow", "%1 needs a positive Q")},
    {CODE " needs L as a whole number of repeats",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "%1 needs L as a whole number of repeats")},
    {CODE " needs ([A-Z])", QT_TRANSLATE_NOOP("ReadingNoticeRow", "%1 needs %2")},
    {CODE " Q too small", QT_TRANSLATE_NOOP("ReadingNoticeRow", "%1 Q too small")},
    // The Fanuc-family reading.
    {"subprogram ends without M99", QT_TRANSLATE_NOOP("ReadingNoticeRow", "subprogram ends without M99")},
    {"sequence number N([0-9]+) not found",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "sequence number N%1 not found")},
    {"program O([0-9]+) not found", QT_TRANSLATE_NOOP("ReadingNoticeRow", "program O%1 not found")},
    {"the file changed while it was read",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "the file changed while it was read")},
    {"calls nested more than ([0-9]+) deep",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "calls nested more than %1 deep")},
    {"macro calls nested too deep", QT_TRANSLATE_NOOP("ReadingNoticeRow", "macro calls nested too deep")},
    {"M99 needs P, a sequence number",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "M99 needs P, a sequence number")},
    {CODE " needs P, a program number",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "%1 needs P, a program number")},
    {CODE " needs K as a whole number of repeats",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "%1 needs K as a whole number of repeats")},
    {CODE " repeats more than 9999 times",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "%1 repeats more than 9999 times")},
    {"M98, M99 and G65 exclude each other in one block",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "M98, M99 and G65 exclude each other in one block")},
    {"G65 and G66 exclude each other in one block",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "G65 and G66 exclude each other in one block")},
    {"a call takes ([IJK]) at most 10 times",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "a call takes %1 at most 10 times")},
    {"G54.1 needs P 1 to 48", QT_TRANSLATE_NOOP("ReadingNoticeRow", "G54.1 needs P 1 to 48")},
    {"G10 L2 needs P 0 to 6", QT_TRANSLATE_NOOP("ReadingNoticeRow", "G10 L2 needs P 0 to 6")},
    {"G10 L20 needs P 1 to 48", QT_TRANSLATE_NOOP("ReadingNoticeRow", "G10 L20 needs P 1 to 48")},
    {CODE " needs H, an offset number",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "%1 needs H, an offset number")},
    {"G51 needs a scale factor other than 0",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "G51 needs a scale factor other than 0")},
    {"G4 needs P or X, the time to wait",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "G4 needs P or X, the time to wait")},
    {"G87 returns to the initial level only",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "G87 returns to the initial level only")},
    {"GOTO needs a sequence number 0 to 99999",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "GOTO needs a sequence number 0 to 99999")},
    {"DO([0-9]+) without END([0-9]+)", QT_TRANSLATE_NOOP("ReadingNoticeRow", "DO%1 without END%2")},
    {"END([0-9]+) without DO([0-9]+)", QT_TRANSLATE_NOOP("ReadingNoticeRow", "END%1 without DO%2")},
    {"variable #(.+) does not exist", QT_TRANSLATE_NOOP("ReadingNoticeRow", "variable #%1 does not exist")},
    {"#0 is always null and cannot be set",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "#0 is always null and cannot be set")},
    {"# without a variable number", QT_TRANSLATE_NOOP("ReadingNoticeRow", "# without a variable number")},
    {"'=' missing after the variable",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "'=' missing after the variable")},
    {"unexpected text after the expression",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "unexpected text after the expression")},
    {"an assignment after words in one block",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "an assignment after words in one block")},
    {"([A-Z]) is not a number", QT_TRANSLATE_NOOP("ReadingNoticeRow", "%1 is not a number")},
    {"(IF|WHILE) needs a condition in \\[ \\]",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "%1 needs a condition in [ ]")},
    {"IF needs GOTO or THEN after its condition",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "IF needs GOTO or THEN after its condition")},
    {"WHILE needs DO after its condition",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "WHILE needs DO after its condition")},
    {"(DO|END) needs a loop number", QT_TRANSLATE_NOOP("ReadingNoticeRow", "%1 needs a loop number")},
    {"N without a number", QT_TRANSLATE_NOOP("ReadingNoticeRow", "N without a number")},
    {"bad program number", QT_TRANSLATE_NOOP("ReadingNoticeRow", "bad program number")},
    {"O inside a block", QT_TRANSLATE_NOOP("ReadingNoticeRow", "O inside a block")},
    {"G43/G44 without an offset file",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "G43/G44 without an offset file")},
    {"G43/G44 H([0-9]+) not in the offset file",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "G43/G44 H%1 not in the offset file")},
    {"M99 at the end of the main program \\(run once\\)",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "M99 at the end of the main program (run once)")},
    {"line too long: only its start is read",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "line too long: only its start is read")},
    {"([0-9]+) more problems not listed",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "%1 more problems not listed")},
    // Parameters, expressions and O-words (specific forms before the general ones below).
    {"parameter #([0-9]+) does not exist \\(#([0-9]+) to #([0-9]+)\\)",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "parameter #%1 does not exist (#%2 to #%3)")},
    {"parameter #([0-9]+) does not exist",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "parameter #%1 does not exist")},
    {"parameter number #(.+) is not whole",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "parameter number #%1 is not whole")},
    {"parameter #<(.+)> not set",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "parameter #<%1> not set")},
    {"parameter #([0-9]+) is the machine\'s to set",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "parameter #%1 is the machine's to set")},
    {"parameter name not closed with \'>\'",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "parameter name not closed with '>'")},
    {"parameter name empty",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "parameter name empty")},
    {"parameter setting without \'=\'",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "parameter setting without '='")},
    {"# without a parameter number",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "# without a parameter number")},
    {"division by zero",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "division by zero")},
    {"square root of a negative number",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "square root of a negative number")},
    {"LN of zero or a negative number",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "LN of zero or a negative number")},
    {"(ACOS|ASIN) of a number outside -1 to 1",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "%1 of a number outside -1 to 1")},
    {"negative number to a fractional power",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "negative number to a fractional power")},
    {"result too large",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "result too large")},
    {"number out of range",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "number out of range")},
    {"unknown function (.+)",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "unknown function %1")},
    {"unknown operator (.+)",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "unknown operator %1")},
    {"expression not closed with \'\\]\'",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "expression not closed with ']'")},
    {"expression nested too deep",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "expression nested too deep")},
    {"value missing at the end of the line",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "value missing at the end of the line")},
    {"unexpected character \'(.)\' where a value belongs",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "unexpected character '%1' where a value belongs")},
    {"unexpected character \'(.)\' in an expression",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "unexpected character '%1' in an expression")},
    {"ATAN needs \\[y\\]/\\[x\\]",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "ATAN needs [y]/[x]")},
    {"EXISTS needs \\[#<name>\\]",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "EXISTS needs [#<name>]")},
    {"([A-Z]+) needs \\[ \\]",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "%1 needs [ ]")},
    {"an O-word must begin its line",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "an O-word must begin its line")},
    {"O-word name not closed with \'>\'",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "O-word name not closed with '>'")},
    {OWORD " without a keyword",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "%1 without a keyword")},
    {OWORD " (\\S+): unknown O-word",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "%1 %2: unknown O-word")},
    {OWORD " call with more than 30 values",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "%1 call with more than 30 values")},
    {OWORD " (\\S+) needs a value in \\[ \\]",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "%1 %2 needs a value in [ ]")},
    {"unexpected text after " OWORD " (\\S+)",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "unexpected text after %1 %2")},
    {OWORD " sub inside another structure",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "%1 sub inside another structure")},
    {OWORD " (\\S+) outside its loop",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "%1 %2 outside its loop")},
    {OWORD " (\\S+) without its opening",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "%1 %2 without its opening")},
    {OWORD " (\\S+) after else",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "%1 %2 after else")},
    {OWORD " (\\S+) without its (\\S+)",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "%1 %2 without its %3")},
    {OWORD " return outside a subroutine",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "%1 return outside a subroutine")},
    {OWORD " call: calls nested deeper than ([0-9]+)",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "%1 call: calls nested deeper than %2")},
    {OWORD " call: no such subroutine",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "%1 call: no such subroutine")},
    {OWORD " call: (.+) is not a regular file",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "%1 call: %2 is not a regular file")},
    {OWORD " call: (.+) is too large",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "%1 call: %2 is too large")},
    {OWORD " call: cannot read (.+)",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "%1 call: cannot read %2")},
    {"stopped: line ([0-9]+) ran ([0-9]+) times",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "stopped: line %1 ran %2 times")},
    {"polar words with ([A-Z]) or ([A-Z]) in one block",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "polar words with %1 or %2 in one block")},
    {"polar words only with G0 to G3 and the cycles",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "polar words only with G0 to G3 and the cycles")},
    {CODE " outside G17 in a turned coordinate system is drawn straight",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "%1 outside G17 in a turned coordinate system is drawn straight")},
    {CODE " outside G17 in a turned coordinate system",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "%1 outside G17 in a turned coordinate system")},
    {"bad number",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "bad number")},
    {"comment not closed", QT_TRANSLATE_NOOP("ReadingNoticeRow", "comment not closed")},
    {"unexpected character (.+)", QT_TRANSLATE_NOOP("ReadingNoticeRow", "unexpected character %1")},
    {"([A-Z]) without a number", QT_TRANSLATE_NOOP("ReadingNoticeRow", "%1 without a number")},
    {"bad number (.+)", QT_TRANSLATE_NOOP("ReadingNoticeRow", "bad number %1")},
    {"too many codes", QT_TRANSLATE_NOOP("ReadingNoticeRow", "too many codes")},
    {"unknown word (.+)", QT_TRANSLATE_NOOP("ReadingNoticeRow", "unknown word %1")},
    {"two (.) words", QT_TRANSLATE_NOOP("ReadingNoticeRow", "two %1 words")},
    {"rapid through material at line ([0-9]+), X" NUMBER " Y" NUMBER " Z" NUMBER ", depth " NUMBER,
     QT_TRANSLATE_NOOP("ReadingNoticeRow",
                       "rapid through material at line %1, X%2 Y%3 Z%4, depth %5")},
    {"plunge past the flute length at line ([0-9]+), X" NUMBER " Y" NUMBER " Z" NUMBER
     ", depth " NUMBER,
     QT_TRANSLATE_NOOP("ReadingNoticeRow",
                       "plunge past the flute length at line %1, X%2 Y%3 Z%4, depth %5")},
    {"no tool table for T([0-9]+): simulated as a " NUMBER " mm flat end mill",
     QT_TRANSLATE_NOOP("ReadingNoticeRow",
                       "no tool table for T%1: simulated as a %2 mm flat end mill")},
    {"no tool was selected: simulated as a " NUMBER " mm flat end mill",
     QT_TRANSLATE_NOOP("ReadingNoticeRow",
                       "no tool was selected: simulated as a %1 mm flat end mill")},
    {"tool (T[0-9]+) is not in the tool table: simulated as a " NUMBER " mm flat end mill",
     QT_TRANSLATE_NOOP("ReadingNoticeRow",
                       "tool %1 is not in the tool table: simulated as a %2 mm flat end mill")},
    {"the program makes no feed moves: there is nothing to cut",
     QT_TRANSLATE_NOOP("ReadingNoticeRow",
                       "the program makes no feed moves: there is nothing to cut")},
    {"the stock has no thickness: each corner must differ from the other in X, Y and Z",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "the stock has no thickness: each corner must differ "
                                           "from the other in X, Y and Z")},
    {"a grid of ([0-9]+) x ([0-9]+) cells would need ([0-9]+) bytes, more than the ([0-9]+) "
     "bytes allowed: choose a larger cell",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "a grid of %1 x %2 cells would need %3 bytes, more "
                                           "than the %4 bytes allowed: choose a larger cell")},
    {"([0-9]+) moves reach past 1000000 or have no number for a coordinate: left out of the "
     "simulation",
     QT_TRANSLATE_NOOP("ReadingNoticeRow", "%1 moves reach past 1000000 or have no number for a "
                                           "coordinate: left out of the simulation")},
};

#undef CODE
#undef NUMBER
#undef OWORD

struct CompiledForm {
    QRegularExpression pattern;
    const char* text;
};

const std::vector<CompiledForm>& forms() {
    static const std::vector<CompiledForm> compiled = [] {
        std::vector<CompiledForm> all;
        for (const Form& form : kForms) {
            all.push_back({QRegularExpression(QRegularExpression::anchoredPattern(
                               QString::fromLatin1(form.pattern))),
                           form.text});
        }
        return all;
    }();
    return compiled;
}

}  // namespace

QString problemtext(const std::string& message) {
    // A problem in a called subroutine's file names that file at its end.
    static const QRegularExpression infile(QStringLiteral("^(.*) \\(in (.+)\\)$"));
    const QRegularExpressionMatch file = infile.match(QString::fromStdString(message));
    if (file.hasMatch()) {
        return QCoreApplication::translate("ReadingNoticeRow", "%1 (in %2)")
            .arg(problemtext(file.captured(1).toStdString()), file.captured(2));
    }
    // A bad line of a tool table or offset file names the file and its line first.
    static const QRegularExpression tableline(QStringLiteral("^(\\S+) line ([0-9]+): (.+)$"));
    const QRegularExpressionMatch table = tableline.match(QString::fromStdString(message));
    if (table.hasMatch()) {
        return QCoreApplication::translate("ReadingNoticeRow", "%1 line %2: %3")
            .arg(table.captured(1), table.captured(2), problemtext(table.captured(3).toStdString()));
    }
    const QString text = QString::fromStdString(message);
    for (const CompiledForm& form : forms()) {
        const QRegularExpressionMatch match = form.pattern.match(text);
        if (!match.hasMatch()) continue;
        const QString shown = QCoreApplication::translate("ReadingNoticeRow", form.text);
        // One pass over the place holders, so that a value holding "%2" stays as it is.
        switch (match.lastCapturedIndex()) {
            case 0: return shown;
            case 1: return shown.arg(match.captured(1));
            case 2: return shown.arg(match.captured(1), match.captured(2));
            case 3: return shown.arg(match.captured(1), match.captured(2), match.captured(3));
            case 4:
                return shown.arg(match.captured(1), match.captured(2), match.captured(3),
                                 match.captured(4));
            default:
                return shown.arg(match.captured(1), match.captured(2), match.captured(3),
                                 match.captured(4), match.captured(5));
        }
    }
    return text;
}
