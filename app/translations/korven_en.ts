<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>ArcDataMessages</name>
    <message>
        <source>Error in Arc Datas....</source>
        <translation>Error in Arc Datas....</translation>
    </message>
    <message>
        <source>Ignore All</source>
        <translation>Ignore All</translation>
    </message>
    <message>
        <source> (%1 more ignored)</source>
        <translation> (%1 more ignored)</translation>
    </message>
</context>
<context>
    <name>CompensationMenu</name>
    <message>
        <source>Cutter compensation</source>
        <translation>Cutter compensation</translation>
    </message>
    <message>
        <source>Show the programmed contour</source>
        <translation>Show the programmed contour</translation>
    </message>
    <message>
        <source>Tool table beside the program</source>
        <translation>Tool table beside the program</translation>
    </message>
    <message>
        <source>Other tool table…</source>
        <translation>Other tool table…</translation>
    </message>
    <message>
        <source>Tool table</source>
        <translation>Tool table</translation>
    </message>
    <message>
        <source>Tool tables</source>
        <translation>Tool tables</translation>
    </message>
    <message>
        <source>Tool table %1</source>
        <translation>Tool table %1</translation>
    </message>
</context>
<context>
    <name>MeasureMode</name>
    <message>
        <source>Measure: click two points (Esc leaves)</source>
        <translation>Measure: click two points (Esc leaves)</translation>
    </message>
    <message>
        <source>From line %1: X %2 Y %3 Z %4</source>
        <translation>From line %1: X %2 Y %3 Z %4</translation>
    </message>
    <message>
        <source>Distance</source>
        <translation>Distance</translation>
    </message>
</context>
<context>
    <name>PlanReadout</name>
    <message>
        <source>Machine profile</source>
        <translation>Machine profile</translation>
    </message>
    <message>
        <source>None</source>
        <translation>None</translation>
    </message>
    <message>
        <source>Other profile…</source>
        <translation>Other profile…</translation>
    </message>
    <message>
        <source>Machine profiles</source>
        <translation>Machine profiles</translation>
    </message>
    <message>
        <source>Show the machine readout</source>
        <translation>Show the machine readout</translation>
    </message>
    <message>
        <source>This machine profile cannot be used:</source>
        <translation>This machine profile cannot be used:</translation>
    </message>
    <message>
        <source>%1 leaves the machine&apos;s travel by %2</source>
        <translation>%1 leaves the machine&apos;s travel by %2</translation>
    </message>
    <message>
        <source>Planned: planning…</source>
        <translation>Planned: planning…</translation>
    </message>
    <message>
        <source>Planned %1 (feed-only %2)</source>
        <translation>Planned %1 (feed-only %2)</translation>
    </message>
    <message>
        <source>Selected lines %1</source>
        <translation>Selected lines %1</translation>
    </message>
    <message>
        <source>Show the travel box</source>
        <translation>Show the travel box</translation>
    </message>
    <message>
        <source>All moves</source>
        <translation>All moves</translation>
    </message>
</context>
<context>
    <name>ProgramPane</name>
    <message>
        <source>The file has changed since it was read.</source>
        <translation>The file has changed since it was read.</translation>
    </message>
    <message>
        <source>The file has changed since it was read: its text is not shown.</source>
        <translation>The file has changed since it was read: its text is not shown.</translation>
    </message>
</context>
<context>
    <name>ReadingChoice</name>
    <message>
        <source>读法</source>
        <translation>Reading</translation>
    </message>
    <message>
        <source>程式的读法；改变后重新读入显示的程式</source>
        <translation>How the program is read; a change reads the shown program again</translation>
    </message>
    <message>
        <source>Fanuc family</source>
        <translation>Fanuc family</translation>
    </message>
</context>
<context>
    <name>ReadingNoticeRow</name>
    <message>
        <source>Click for the whole list</source>
        <translation>Click for the whole list</translation>
    </message>
    <message>
        <source>%1 ×%2</source>
        <translation>%1 ×%2</translation>
    </message>
    <message>
        <source>未执行: %1</source>
        <translation>No effect: %1</translation>
    </message>
    <message>
        <source>无小数点 ×%1: %2=%3</source>
        <translation>No point ×%1: %2=%3</translation>
    </message>
    <message>
        <source>问题: %1</source>
        <translation>Problems: %1</translation>
    </message>
    <message>
        <source>… %1 more</source>
        <translation>… %1 more</translation>
    </message>
    <message>
        <source>unknown code %1</source>
        <translation>unknown code %1</translation>
    </message>
    <message>
        <source>%1 and %2 in one block: they exclude each other</source>
        <translation>%1 and %2 in one block: they exclude each other</translation>
    </message>
    <message>
        <source>%1 and %2 in one block: both take the axis words</source>
        <translation>%1 and %2 in one block: both take the axis words</translation>
    </message>
    <message>
        <source>G4 needs P, the seconds to wait</source>
        <translation>G4 needs P, the seconds to wait</translation>
    </message>
    <message>
        <source>G53 without an axis word</source>
        <translation>G53 without an axis word</translation>
    </message>
    <message>
        <source>G53 works only with G0 or G1</source>
        <translation>G53 works only with G0 or G1</translation>
    </message>
    <message>
        <source>G10 needs L2 or L20</source>
        <translation>G10 needs L2 or L20</translation>
    </message>
    <message>
        <source>G10 needs P 0 to 9</source>
        <translation>G10 needs P 0 to 9</translation>
    </message>
    <message>
        <source>G92 needs an axis word</source>
        <translation>G92 needs an axis word</translation>
    </message>
    <message>
        <source>axis words with no motion in force (G80)</source>
        <translation>axis words with no motion in force (G80)</translation>
    </message>
    <message>
        <source>%1 with both R and a centre word</source>
        <translation>%1 with both R and a centre word</translation>
    </message>
    <message>
        <source>%1 needs %2 or %3, or R</source>
        <translation>%1 needs %2 or %3, or R</translation>
    </message>
    <message>
        <source>%1 needs P as a whole number of turns from 1 to 1000</source>
        <translation>%1 needs P as a whole number of turns from 1 to 1000</translation>
    </message>
    <message>
        <source>%1 with R needs an end point other than its start</source>
        <translation>%1 with R needs an end point other than its start</translation>
    </message>
    <message>
        <source>%1 radius R%2 does not reach its end point</source>
        <translation>%1 radius R%2 does not reach its end point</translation>
    </message>
    <message>
        <source>%1 end is not on its circle: radius %2 at the start, %3 at the end</source>
        <translation>%1 end is not on its circle: radius %2 at the start, %3 at the end</translation>
    </message>
    <message>
        <source>%1 needs a positive Q</source>
        <translation>%1 needs a positive Q</translation>
    </message>
    <message>
        <source>%1 needs L as a whole number of repeats</source>
        <translation>%1 needs L as a whole number of repeats</translation>
    </message>
    <message>
        <source>%1 needs %2</source>
        <translation>%1 needs %2</translation>
    </message>
    <message>
        <source>%1 Q too small</source>
        <translation>%1 Q too small</translation>
    </message>
    <message>
        <source>line too long: only its start is read</source>
        <translation>line too long: only its start is read</translation>
    </message>
    <message>
        <source>%1 more problems not listed</source>
        <translation>%1 more problems not listed</translation>
    </message>
    <message>
        <source>comment not closed</source>
        <translation>comment not closed</translation>
    </message>
    <message>
        <source>unexpected character %1</source>
        <translation>unexpected character %1</translation>
    </message>
    <message>
        <source>%1 without a number</source>
        <translation>%1 without a number</translation>
    </message>
    <message>
        <source>bad number %1</source>
        <translation>bad number %1</translation>
    </message>
    <message>
        <source>too many codes</source>
        <translation>too many codes</translation>
    </message>
    <message>
        <source>unknown word %1</source>
        <translation>unknown word %1</translation>
    </message>
    <message>
        <source>two %1 words</source>
        <translation>two %1 words</translation>
    </message>
    <message>
        <source>ignored: %1 1 time, first at line %2</source>
        <translation>ignored: %1 1 time, first at line %2</translation>
    </message>
    <message>
        <source>ignored: %1 %2 times, first at line %3</source>
        <translation>ignored: %1 %2 times, first at line %3</translation>
    </message>
    <message>
        <source>thousandths: 1 number, first %1 at line %2 read as %3</source>
        <translation>thousandths: 1 number, first %1 at line %2 read as %3</translation>
    </message>
    <message>
        <source>thousandths: %1 numbers, first %2 at line %3 read as %4</source>
        <translation>thousandths: %1 numbers, first %2 at line %3 read as %4</translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation>line %1: %2</translation>
    </message>
    <message>
        <source>%1 with cutter compensation already on</source>
        <translation>%1 with cutter compensation already on</translation>
    </message>
    <message>
        <source>%1 with cutter compensation on</source>
        <translation>%1 with cutter compensation on</translation>
    </message>
    <message>
        <source>%1 works in the XY plane (G17) only</source>
        <translation>%1 works in the XY plane (G17) only</translation>
    </message>
    <message>
        <source>%1 needs D, the tool diameter, not negative</source>
        <translation>%1 needs D, the tool diameter, not negative</translation>
    </message>
    <message>
        <source>%1 needs D, the tool diameter</source>
        <translation>%1 needs D, the tool diameter</translation>
    </message>
    <message>
        <source>%1 needs D, a tool number</source>
        <translation>%1 needs D, a tool number</translation>
    </message>
    <message>
        <source>G41/G42 without a tool table</source>
        <translation>G41/G42 without a tool table</translation>
    </message>
    <message>
        <source>G41/G42 D%1 not in the tool table</source>
        <translation>G41/G42 D%1 not in the tool table</translation>
    </message>
    <message>
        <source>%1 more compensation problems not listed</source>
        <translation>%1 more compensation problems not listed</translation>
    </message>
    <message>
        <source>compensation cannot start on an arc at line %1</source>
        <translation>compensation cannot start on an arc at line %1</translation>
    </message>
    <message>
        <source>gouge: entry move not longer than tool radius %1 at line %2</source>
        <translation>gouge: entry move not longer than tool radius %1 at line %2</translation>
    </message>
    <message>
        <source>gouge: inside arc of radius %1 tighter than tool radius %2 at line %3</source>
        <translation>gouge: inside arc of radius %1 tighter than tool radius %2 at line %3</translation>
    </message>
    <message>
        <source>gouge: inside corner tighter than tool radius %1 at line %2</source>
        <translation>gouge: inside corner tighter than tool radius %1 at line %2</translation>
    </message>
    <message>
        <source>gouge: move too short for tool radius %1 at line %2</source>
        <translation>gouge: move too short for tool radius %1 at line %2</translation>
    </message>
    <message>
        <source>%1 after the first move in mm: the lengths that follow are converted to mm</source>
        <translation>%1 after the first move in mm: the lengths that follow are converted to mm</translation>
    </message>
    <message>
        <source>%1 after the first move in inches: the lengths that follow are converted to inches</source>
        <translation>%1 after the first move in inches: the lengths that follow are converted to inches</translation>
    </message>
    <message>
        <source>rapid through material at line %1, X%2 Y%3 Z%4, depth %5</source>
        <translation>rapid through material at line %1, X%2 Y%3 Z%4, depth %5</translation>
    </message>
    <message>
        <source>plunge past the flute length at line %1, X%2 Y%3 Z%4, depth %5</source>
        <translation>plunge past the flute length at line %1, X%2 Y%3 Z%4, depth %5</translation>
    </message>
    <message>
        <source>no tool table for T%1: simulated as a %2 mm flat end mill</source>
        <translation>no tool table for T%1: simulated as a %2 mm flat end mill</translation>
    </message>
    <message>
        <source>no tool was selected: simulated as a %1 mm flat end mill</source>
        <translation>no tool was selected: simulated as a %1 mm flat end mill</translation>
    </message>
    <message>
        <source>tool %1 is not in the tool table: simulated as a %2 mm flat end mill</source>
        <translation>tool %1 is not in the tool table: simulated as a %2 mm flat end mill</translation>
    </message>
    <message>
        <source>the program makes no feed moves: there is nothing to cut</source>
        <translation>the program makes no feed moves: there is nothing to cut</translation>
    </message>
    <message>
        <source>%1 moves reach past 1000000 or have no number for a coordinate: left out of the simulation</source>
        <translation>%1 moves reach past 1000000 or have no number for a coordinate: left out of the simulation</translation>
    </message>
    <message>
        <source>parameter #%1 does not exist (#%2 to #%3)</source>
        <translation>parameter #%1 does not exist (#%2 to #%3)</translation>
    </message>
    <message>
        <source>parameter #%1 does not exist</source>
        <translation>parameter #%1 does not exist</translation>
    </message>
    <message>
        <source>parameter number #%1 is not whole</source>
        <translation>parameter number #%1 is not whole</translation>
    </message>
    <message>
        <source>parameter #&lt;%1&gt; not set</source>
        <translation>parameter #&lt;%1&gt; not set</translation>
    </message>
    <message>
        <source>parameter #%1 is the machine&apos;s to set</source>
        <translation>parameter #%1 is the machine&apos;s to set</translation>
    </message>
    <message>
        <source>parameter name not closed with &apos;&gt;&apos;</source>
        <translation>parameter name not closed with &apos;&gt;&apos;</translation>
    </message>
    <message>
        <source>parameter name empty</source>
        <translation>parameter name empty</translation>
    </message>
    <message>
        <source>parameter setting without &apos;=&apos;</source>
        <translation>parameter setting without &apos;=&apos;</translation>
    </message>
    <message>
        <source># without a parameter number</source>
        <translation># without a parameter number</translation>
    </message>
    <message>
        <source>division by zero</source>
        <translation>division by zero</translation>
    </message>
    <message>
        <source>square root of a negative number</source>
        <translation>square root of a negative number</translation>
    </message>
    <message>
        <source>LN of zero or a negative number</source>
        <translation>LN of zero or a negative number</translation>
    </message>
    <message>
        <source>%1 of a number outside -1 to 1</source>
        <translation>%1 of a number outside -1 to 1</translation>
    </message>
    <message>
        <source>negative number to a fractional power</source>
        <translation>negative number to a fractional power</translation>
    </message>
    <message>
        <source>result too large</source>
        <translation>result too large</translation>
    </message>
    <message>
        <source>number out of range</source>
        <translation>number out of range</translation>
    </message>
    <message>
        <source>unknown function %1</source>
        <translation>unknown function %1</translation>
    </message>
    <message>
        <source>unknown operator %1</source>
        <translation>unknown operator %1</translation>
    </message>
    <message>
        <source>expression not closed with &apos;]&apos;</source>
        <translation>expression not closed with &apos;]&apos;</translation>
    </message>
    <message>
        <source>expression nested too deep</source>
        <translation>expression nested too deep</translation>
    </message>
    <message>
        <source>value missing at the end of the line</source>
        <translation>value missing at the end of the line</translation>
    </message>
    <message>
        <source>unexpected character &apos;%1&apos; where a value belongs</source>
        <translation>unexpected character &apos;%1&apos; where a value belongs</translation>
    </message>
    <message>
        <source>unexpected character &apos;%1&apos; in an expression</source>
        <translation>unexpected character &apos;%1&apos; in an expression</translation>
    </message>
    <message>
        <source>ATAN needs [y]/[x]</source>
        <translation>ATAN needs [y]/[x]</translation>
    </message>
    <message>
        <source>EXISTS needs [#&lt;name&gt;]</source>
        <translation>EXISTS needs [#&lt;name&gt;]</translation>
    </message>
    <message>
        <source>%1 needs [ ]</source>
        <translation>%1 needs [ ]</translation>
    </message>
    <message>
        <source>an O-word must begin its line</source>
        <translation>an O-word must begin its line</translation>
    </message>
    <message>
        <source>O-word name not closed with &apos;&gt;&apos;</source>
        <translation>O-word name not closed with &apos;&gt;&apos;</translation>
    </message>
    <message>
        <source>%1 without a keyword</source>
        <translation>%1 without a keyword</translation>
    </message>
    <message>
        <source>%1 %2: unknown O-word</source>
        <translation>%1 %2: unknown O-word</translation>
    </message>
    <message>
        <source>%1 call with more than 30 values</source>
        <translation>%1 call with more than 30 values</translation>
    </message>
    <message>
        <source>%1 %2 needs a value in [ ]</source>
        <translation>%1 %2 needs a value in [ ]</translation>
    </message>
    <message>
        <source>unexpected text after %1 %2</source>
        <translation>unexpected text after %1 %2</translation>
    </message>
    <message>
        <source>%1 sub inside another structure</source>
        <translation>%1 sub inside another structure</translation>
    </message>
    <message>
        <source>%1 %2 outside its loop</source>
        <translation>%1 %2 outside its loop</translation>
    </message>
    <message>
        <source>%1 %2 without its opening</source>
        <translation>%1 %2 without its opening</translation>
    </message>
    <message>
        <source>%1 %2 after else</source>
        <translation>%1 %2 after else</translation>
    </message>
    <message>
        <source>%1 %2 without its %3</source>
        <translation>%1 %2 without its %3</translation>
    </message>
    <message>
        <source>%1 return outside a subroutine</source>
        <translation>%1 return outside a subroutine</translation>
    </message>
    <message>
        <source>%1 call: calls nested deeper than %2</source>
        <translation>%1 call: calls nested deeper than %2</translation>
    </message>
    <message>
        <source>%1 call: no such subroutine</source>
        <translation>%1 call: no such subroutine</translation>
    </message>
    <message>
        <source>%1 call: %2 is not a regular file</source>
        <translation>%1 call: %2 is not a regular file</translation>
    </message>
    <message>
        <source>%1 call: %2 is too large</source>
        <translation>%1 call: %2 is too large</translation>
    </message>
    <message>
        <source>%1 call: cannot read %2</source>
        <translation>%1 call: cannot read %2</translation>
    </message>
    <message>
        <source>stopped: line %1 ran %2 times</source>
        <translation>stopped: line %1 ran %2 times</translation>
    </message>
    <message>
        <source>polar words with %1 or %2 in one block</source>
        <translation>polar words with %1 or %2 in one block</translation>
    </message>
    <message>
        <source>polar words only with G0 to G3 and the cycles</source>
        <translation>polar words only with G0 to G3 and the cycles</translation>
    </message>
    <message>
        <source>%1 outside G17 in a turned coordinate system is drawn straight</source>
        <translation>%1 outside G17 in a turned coordinate system is drawn straight</translation>
    </message>
    <message>
        <source>%1 outside G17 in a turned coordinate system</source>
        <translation>%1 outside G17 in a turned coordinate system</translation>
    </message>
    <message>
        <source>bad number</source>
        <translation>bad number</translation>
    </message>
    <message>
        <source>%1 (in %2)</source>
        <translation>%1 (in %2)</translation>
    </message>
    <message>
        <source>subprogram ends without M99</source>
        <translation>subprogram ends without M99</translation>
    </message>
    <message>
        <source>sequence number N%1 not found</source>
        <translation>sequence number N%1 not found</translation>
    </message>
    <message>
        <source>program O%1 not found</source>
        <translation>program O%1 not found</translation>
    </message>
    <message>
        <source>calls nested more than %1 deep</source>
        <translation>calls nested more than %1 deep</translation>
    </message>
    <message>
        <source>macro calls nested too deep</source>
        <translation>macro calls nested too deep</translation>
    </message>
    <message>
        <source>M99 needs P, a sequence number</source>
        <translation>M99 needs P, a sequence number</translation>
    </message>
    <message>
        <source>%1 needs P, a program number</source>
        <translation>%1 needs P, a program number</translation>
    </message>
    <message>
        <source>%1 needs K as a whole number of repeats</source>
        <translation>%1 needs K as a whole number of repeats</translation>
    </message>
    <message>
        <source>%1 repeats more than 9999 times</source>
        <translation>%1 repeats more than 9999 times</translation>
    </message>
    <message>
        <source>M98, M99 and G65 exclude each other in one block</source>
        <translation>M98, M99 and G65 exclude each other in one block</translation>
    </message>
    <message>
        <source>G54.1 needs P 1 to 48</source>
        <translation>G54.1 needs P 1 to 48</translation>
    </message>
    <message>
        <source>G10 L2 needs P 0 to 6</source>
        <translation>G10 L2 needs P 0 to 6</translation>
    </message>
    <message>
        <source>G10 L20 needs P 1 to 48</source>
        <translation>G10 L20 needs P 1 to 48</translation>
    </message>
    <message>
        <source>%1 needs H, an offset number</source>
        <translation>%1 needs H, an offset number</translation>
    </message>
    <message>
        <source>G51 needs a scale factor other than 0</source>
        <translation>G51 needs a scale factor other than 0</translation>
    </message>
    <message>
        <source>G4 needs P or X, the time to wait</source>
        <translation>G4 needs P or X, the time to wait</translation>
    </message>
    <message>
        <source>G87 returns to the initial level only</source>
        <translation>G87 returns to the initial level only</translation>
    </message>
    <message>
        <source>GOTO needs a sequence number 0 to 99999</source>
        <translation>GOTO needs a sequence number 0 to 99999</translation>
    </message>
    <message>
        <source>DO%1 without END%2</source>
        <translation>DO%1 without END%2</translation>
    </message>
    <message>
        <source>END%1 without DO%2</source>
        <translation>END%1 without DO%2</translation>
    </message>
    <message>
        <source>variable #%1 does not exist</source>
        <translation>variable #%1 does not exist</translation>
    </message>
    <message>
        <source>#0 is always null and cannot be set</source>
        <translation>#0 is always null and cannot be set</translation>
    </message>
    <message>
        <source># without a variable number</source>
        <translation># without a variable number</translation>
    </message>
    <message>
        <source>&apos;=&apos; missing after the variable</source>
        <translation>&apos;=&apos; missing after the variable</translation>
    </message>
    <message>
        <source>unexpected text after the expression</source>
        <translation>unexpected text after the expression</translation>
    </message>
    <message>
        <source>an assignment after words in one block</source>
        <translation>an assignment after words in one block</translation>
    </message>
    <message>
        <source>%1 is not a number</source>
        <translation>%1 is not a number</translation>
    </message>
    <message>
        <source>%1 needs a condition in [ ]</source>
        <translation>%1 needs a condition in [ ]</translation>
    </message>
    <message>
        <source>IF needs GOTO or THEN after its condition</source>
        <translation>IF needs GOTO or THEN after its condition</translation>
    </message>
    <message>
        <source>WHILE needs DO after its condition</source>
        <translation>WHILE needs DO after its condition</translation>
    </message>
    <message>
        <source>%1 needs a loop number</source>
        <translation>%1 needs a loop number</translation>
    </message>
    <message>
        <source>N without a number</source>
        <translation>N without a number</translation>
    </message>
    <message>
        <source>bad program number</source>
        <translation>bad program number</translation>
    </message>
    <message>
        <source>O inside a block</source>
        <translation>O inside a block</translation>
    </message>
    <message>
        <source>G43/G44 without an offset file</source>
        <translation>G43/G44 without an offset file</translation>
    </message>
    <message>
        <source>G43/G44 H%1 not in the offset file</source>
        <translation>G43/G44 H%1 not in the offset file</translation>
    </message>
    <message>
        <source>M99 at the end of the main program (run once)</source>
        <translation>M99 at the end of the main program (run once)</translation>
    </message>
    <message>
        <source>G65 and G66 exclude each other in one block</source>
        <translation>G65 and G66 exclude each other in one block</translation>
    </message>
    <message>
        <source>a call takes %1 at most 10 times</source>
        <translation>a call takes %1 at most 10 times</translation>
    </message>
    <message>
        <source>the stock has no thickness: each corner must differ from the other in X, Y and Z</source>
        <translation>the stock has no thickness: each corner must differ from the other in X, Y and Z</translation>
    </message>
    <message>
        <source>a grid of %1 x %2 cells would need %3 bytes, more than the %4 bytes allowed: choose a larger cell</source>
        <translation>a grid of %1 x %2 cells would need %3 bytes, more than the %4 bytes allowed: choose a larger cell</translation>
    </message>
    <message>
        <source>G41/G42 D%1 not in the offset file</source>
        <translation>G41/G42 D%1 not in the offset file</translation>
    </message>
    <message>
        <source>%1 cannot be read</source>
        <translation>%1 cannot be read</translation>
    </message>
    <message>
        <source>unknown word %1 ignored</source>
        <translation>unknown word %1 ignored</translation>
    </message>
    <message>
        <source>no T word: not a tool</source>
        <translation>no T word: not a tool</translation>
    </message>
    <message>
        <source>tool number T must be a whole number</source>
        <translation>tool number T must be a whole number</translation>
    </message>
    <message>
        <source>pocket P must be a whole number</source>
        <translation>pocket P must be a whole number</translation>
    </message>
    <message>
        <source>diameter D must not be negative</source>
        <translation>diameter D must not be negative</translation>
    </message>
    <message>
        <source>corner radius R must lie between 0 and half the diameter</source>
        <translation>corner radius R must lie between 0 and half the diameter</translation>
    </message>
    <message>
        <source>point angle A must lie between 0 and 180 degrees</source>
        <translation>point angle A must lie between 0 and 180 degrees</translation>
    </message>
    <message>
        <source>tool %1 given again (first at line %2)</source>
        <translation>tool %1 given again (first at line %2)</translation>
    </message>
    <message>
        <source>%1 given again (first at line %2)</source>
        <translation>%1 given again (first at line %2)</translation>
    </message>
    <message>
        <source>a register line starts with D or H</source>
        <translation>a register line starts with D or H</translation>
    </message>
    <message>
        <source>register number %1 must be a whole number</source>
        <translation>register number %1 must be a whole number</translation>
    </message>
    <message>
        <source>%1 needs R, the radius, or D, the diameter</source>
        <translation>%1 needs R, the radius, or D, the diameter</translation>
    </message>
    <message>
        <source>%1 needs Z, the tool length</source>
        <translation>%1 needs Z, the tool length</translation>
    </message>
    <message>
        <source>bad number in %1</source>
        <translation>bad number in %1</translation>
    </message>
    <message>
        <source>%1 given twice</source>
        <translation>%1 given twice</translation>
    </message>
    <message>
        <source>unexpected %1</source>
        <translation>unexpected %1</translation>
    </message>
    <message>
        <source>%1 line %2: %3</source>
        <translation>%1 line %2: %3</translation>
    </message>
    <message>
        <source>the file changed while it was read</source>
        <translation>the file changed while it was read</translation>
    </message>
</context>
<context>
    <name>StockDialog</name>
    <message>
        <source>Simulation stock</source>
        <translation>Simulation stock</translation>
    </message>
    <message>
        <source>Automatic: the cuts grown by the largest tool radius</source>
        <translation>Automatic: the cuts grown by the largest tool radius</translation>
    </message>
    <message>
        <source>From</source>
        <translation>From</translation>
    </message>
    <message>
        <source>To</source>
        <translation>To</translation>
    </message>
    <message>
        <source>Quality</source>
        <translation>Quality</translation>
    </message>
    <message>
        <source>Draft: %1 cells on the longer side</source>
        <translation>Draft: %1 cells on the longer side</translation>
    </message>
    <message>
        <source>Normal: %1 cells on the longer side</source>
        <translation>Normal: %1 cells on the longer side</translation>
    </message>
    <message>
        <source>Fine: %1 cells on the longer side</source>
        <translation>Fine: %1 cells on the longer side</translation>
    </message>
    <message>
        <source>This stock cannot be used: %1</source>
        <translation>This stock cannot be used: %1</translation>
    </message>
    <message>
        <source>Cell %1, %2 × %3 cells</source>
        <translation>Cell %1, %2 × %3 cells</translation>
    </message>
</context>
<context>
    <name>StockView</name>
    <message>
        <source>Solid view</source>
        <translation>Solid view</translation>
    </message>
    <message>
        <source>Toolpath over the solid</source>
        <translation>Toolpath over the solid</translation>
    </message>
    <message>
        <source>No solid view: %1</source>
        <translation>No solid view: %1</translation>
    </message>
    <message>
        <source>Simulating… %1 % (Escape stops)</source>
        <translation>Simulating… %1 % (Escape stops)</translation>
    </message>
    <message>
        <source>Stock cell %1</source>
        <translation>Stock cell %1</translation>
    </message>
    <message>
        <source>Simulation stock…</source>
        <translation>Simulation stock…</translation>
    </message>
</context>
<context>
    <name>Tvorlixform</name>
    <message>
        <source>%1 does not exist.</source>
        <translation>%1 does not exist.</translation>
    </message>
    <message>
        <source>%1 is a folder. Drop a program file instead.</source>
        <translation>%1 is a folder. Drop a program file instead.</translation>
    </message>
    <message>
        <source>%1 is not a regular file and is not opened.</source>
        <translation>%1 is not a regular file and is not opened.</translation>
    </message>
    <message>
        <source>%1 cannot be read: no permission.</source>
        <translation>%1 cannot be read: no permission.</translation>
    </message>
    <message>
        <source>%1 is empty: there is nothing to show.</source>
        <translation>%1 is empty: there is nothing to show.</translation>
    </message>
    <message>
        <source>Only files on this computer can be opened, not %1.</source>
        <translation>Only files on this computer can be opened, not %1.</translation>
    </message>
    <message>
        <source>No recent files</source>
        <translation>No recent files</translation>
    </message>
    <message>
        <source>%1 no longer exists; it is taken off the recent files.</source>
        <translation>%1 no longer exists; it is taken off the recent files.</translation>
    </message>
    <message>
        <source>自动重新载入</source>
        <translation>Reload on change</translation>
    </message>
    <message>
        <source>File gone; picture kept</source>
        <translation>File gone; picture kept</translation>
    </message>
    <message>
        <source>%1 is no longer there. The picture stays as it was; the file is read again when it comes back.</source>
        <translation>%1 is no longer there. The picture stays as it was; the file is read again when it comes back.</translation>
    </message>
    <message>
        <source>NC Steps : %1</source>
        <translation>NC Steps : %1</translation>
    </message>
    <message>
        <source>Working...</source>
        <translation>Working...</translation>
    </message>
    <message>
        <source>Loading : </source>
        <translation>Loading : </translation>
    </message>
    <message>
        <source>NC Steps : ALL</source>
        <translation>NC Steps : ALL</translation>
    </message>
    <message>
        <source>Front Buffer : %1</source>
        <translation>Front Buffer : %1</translation>
    </message>
    <message>
        <source>Back Buffer</source>
        <translation>Back Buffer</translation>
    </message>
    <message>
        <source>Cannot read the logo file %1:
%2</source>
        <translation>Cannot read the logo file %1:
%2</translation>
    </message>
    <message>
        <source>精度由小到大</source>
        <translation>Step delay, small to large</translation>
    </message>
    <message>
        <source>默认</source>
        <translation>Default</translation>
    </message>
    <message>
        <source>所有文件</source>
        <translation>All files</translation>
    </message>
    <message>
        <source>nc文件</source>
        <translation>NC files</translation>
    </message>
    <message>
        <source>Pan: press and move the mouse (on the picture: Ctrl + left drag)</source>
        <translation>Pan: press and move the mouse (on the picture: Ctrl + left drag)</translation>
    </message>
    <message>
        <source>Open a program file (or drop one on the window); right press: recent files</source>
        <translation>Open a program file (or drop one on the window); right press: recent files</translation>
    </message>
    <message>
        <source>Open the manual</source>
        <translation>Open the manual</translation>
    </message>
    <message>
        <source>Exit the viewer</source>
        <translation>Exit the viewer</translation>
    </message>
    <message>
        <source>Zoom: press and move the mouse (on the picture: right drag)</source>
        <translation>Zoom: press and move the mouse (on the picture: right drag)</translation>
    </message>
    <message>
        <source>Fit the whole toolpath in the window (Page Up)</source>
        <translation>Fit the whole toolpath in the window (Page Up)</translation>
    </message>
    <message>
        <source>Magnify two times (keypad -)</source>
        <translation>Magnify two times (keypad -)</translation>
    </message>
    <message>
        <source>Shrink to half (keypad *)</source>
        <translation>Shrink to half (keypad *)</translation>
    </message>
    <message>
        <source>Rotate: press and move the mouse (arrow keys turn in steps)</source>
        <translation>Rotate: press and move the mouse (arrow keys turn in steps)</translation>
    </message>
    <message>
        <source>Top view, fitted (F1)</source>
        <translation>Top view, fitted (F1)</translation>
    </message>
    <message>
        <source>Front view, fitted (F2)</source>
        <translation>Front view, fitted (F2)</translation>
    </message>
    <message>
        <source>Left view, fitted (F3)</source>
        <translation>Left view, fitted (F3)</translation>
    </message>
    <message>
        <source>ISO1 view, fitted (F4)</source>
        <translation>ISO1 view, fitted (F4)</translation>
    </message>
    <message>
        <source>ISO2 view, fitted</source>
        <translation>ISO2 view, fitted</translation>
    </message>
    <message>
        <source>ISO3 view, fitted</source>
        <translation>ISO3 view, fitted</translation>
    </message>
    <message>
        <source>ISO4 view, fitted</source>
        <translation>ISO4 view, fitted</translation>
    </message>
    <message>
        <source>Draw the box of the toolpath&apos;s extents (the stock)</source>
        <translation>Draw the box of the toolpath&apos;s extents (the stock)</translation>
    </message>
    <message>
        <source>How many steps of the toolpath to draw: a power of two, or all at the right end</source>
        <translation>How many steps of the toolpath to draw: a power of two, or all at the right end</translation>
    </message>
    <message>
        <source>The first step drawn</source>
        <translation>The first step drawn</translation>
    </message>
    <message>
        <source>Read the program again by itself when it changes on disk (F5 reads it by hand)</source>
        <translation>Read the program again by itself when it changes on disk (F5 reads it by hand)</translation>
    </message>
    <message>
        <source>平移</source>
        <translation>Pan</translation>
    </message>
    <message>
        <source>打开</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>帮助</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>缩放</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>全屏幕</source>
        <translation>Fit all</translation>
    </message>
    <message>
        <source>放大</source>
        <translation>Enlarge</translation>
    </message>
    <message>
        <source>缩小</source>
        <translation>Reduce</translation>
    </message>
    <message>
        <source>俯视</source>
        <translation>Top</translation>
    </message>
    <message>
        <source>前视</source>
        <translation>Front</translation>
    </message>
    <message>
        <source>左视</source>
        <translation>Left</translation>
    </message>
    <message>
        <source>显示程式的毛坯</source>
        <translation>Show stock block</translation>
    </message>
    <message>
        <source>显示程式文本</source>
        <translation>Show program text</translation>
    </message>
    <message>
        <source>Show the program&apos;s text beside the picture (F6)</source>
        <translation>Show the program&apos;s text beside the picture (F6)</translation>
    </message>
    <message>
        <source>Go to line</source>
        <translation>Go to line</translation>
    </message>
    <message>
        <source>Line, or block number as N120:</source>
        <translation>Line, or block number as N120:</translation>
    </message>
    <message>
        <source>Line %1</source>
        <translation>Line %1</translation>
    </message>
    <message>
        <source>Lines %1-%2</source>
        <translation>Lines %1-%2</translation>
    </message>
    <message>
        <source>%1 made no move.</source>
        <translation>%1 made no move.</translation>
    </message>
    <message>
        <source>%1 made one move.</source>
        <translation>%1 made one move.</translation>
    </message>
    <message>
        <source>%1 made %2 moves.</source>
        <translation>%1 made %2 moves.</translation>
    </message>
    <message>
        <source>rapid</source>
        <translation>rapid</translation>
    </message>
    <message>
        <source>feed</source>
        <translation>feed</translation>
    </message>
    <message>
        <source>line %1</source>
        <translation>line %1</translation>
    </message>
    <message>
        <source>No block N%1 in the program.</source>
        <translation>No block N%1 in the program.</translation>
    </message>
    <message>
        <source>拖动时简化路径</source>
        <translation>Simplify the path while dragging</translation>
    </message>
    <message>
        <source> : stopped at line %1</source>
        <translation> : stopped at line %1</translation>
    </message>
    <message>
        <source> : the file changed while it was read</source>
        <translation> : the file changed while it was read</translation>
    </message>
    <message>
        <source> : not enough memory to draw the toolpath</source>
        <translation> : not enough memory to draw the toolpath</translation>
    </message>
    <message>
        <source>Out of memory: toolpath cut at line %1: no memory was left for its points</source>
        <translation>Out of memory: toolpath cut at line %1: no memory was left for its points</translation>
    </message>
    <message>
        <source>Too many points: toolpath cut at line %1: the program has more than 33 554 432 points</source>
        <translation>Too many points: toolpath cut at line %1: the program has more than 33 554 432 points</translation>
    </message>
    <message>
        <source>NC path viewer</source>
        <translation>NC path viewer</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>not a regular file</translation>
    </message>
    <message>
        <source>%1 is no longer a regular file. The picture stays as it was; the file is read again when it changes.</source>
        <translation>%1 is no longer a regular file. The picture stays as it was; the file is read again when it changes.</translation>
    </message>
    <message>
        <source>re-read gave no toolpath; picture kept</source>
        <translation>re-read gave no toolpath; picture kept</translation>
    </message>
    <message>
        <source>%1 gave no toolpath when it was read again. The picture stays as it was; the file is read again when it changes.</source>
        <translation>%1 gave no toolpath when it was read again. The picture stays as it was; the file is read again when it changes.</translation>
    </message>
    <message>
        <source>NC programs</source>
        <translation>NC programs</translation>
    </message>
    <message>
        <source>line %1 of %2</source>
        <translation>line %1 of %2</translation>
    </message>
</context>
</TS>
