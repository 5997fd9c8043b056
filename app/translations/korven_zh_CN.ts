<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>ArcDataMessages</name>
    <message>
        <source>Error in Arc Datas....</source>
        <translation>Error in Arc Datas....</translation>
    </message>
    <message>
        <source>Ignore All</source>
        <translation>全部忽略</translation>
    </message>
    <message>
        <source> (%1 more ignored)</source>
        <translation>（另有 %1 个已忽略）</translation>
    </message>
</context>
<context>
    <name>CompensationMenu</name>
    <message>
        <source>Cutter compensation</source>
        <translation>刀具半径补偿</translation>
    </message>
    <message>
        <source>Show the programmed contour</source>
        <translation>显示程序轮廓</translation>
    </message>
    <message>
        <source>Tool table beside the program</source>
        <translation>程序旁的刀具表</translation>
    </message>
    <message>
        <source>Other tool table…</source>
        <translation>其他刀具表…</translation>
    </message>
    <message>
        <source>Tool table</source>
        <translation>刀具表</translation>
    </message>
    <message>
        <source>Tool tables</source>
        <translation>刀具表</translation>
    </message>
    <message>
        <source>Tool table %1</source>
        <translation>刀具表 %1</translation>
    </message>
</context>
<context>
    <name>MeasureMode</name>
    <message>
        <source>Measure: click two points (Esc leaves)</source>
        <translation>测量：点击两点（Esc 退出）</translation>
    </message>
    <message>
        <source>From line %1: X %2 Y %3 Z %4</source>
        <translation>自第 %1 行：X %2 Y %3 Z %4</translation>
    </message>
    <message>
        <source>Distance</source>
        <translation>距离</translation>
    </message>
</context>
<context>
    <name>PlanReadout</name>
    <message>
        <source>Machine profile</source>
        <translation>机床配置</translation>
    </message>
    <message>
        <source>None</source>
        <translation>无</translation>
    </message>
    <message>
        <source>Other profile…</source>
        <translation>其他配置…</translation>
    </message>
    <message>
        <source>Machine profiles</source>
        <translation>机床配置</translation>
    </message>
    <message>
        <source>Show the machine readout</source>
        <translation>显示机床信息</translation>
    </message>
    <message>
        <source>Show the travel box</source>
        <translation>显示行程框</translation>
    </message>
    <message>
        <source>This machine profile cannot be used:</source>
        <translation>无法使用此机床配置：</translation>
    </message>
    <message>
        <source>%1 leaves the machine&apos;s travel by %2</source>
        <translation>%1 超出机床行程 %2</translation>
    </message>
    <message>
        <source>Planned: planning…</source>
        <translation>计划时间：计算中…</translation>
    </message>
    <message>
        <source>Planned %1 (feed-only %2)</source>
        <translation>计划时间 %1（仅按进给 %2）</translation>
    </message>
    <message>
        <source>Selected lines %1</source>
        <translation>所选行 %1</translation>
    </message>
    <message>
        <source>All moves</source>
        <translation>全部移动</translation>
    </message>
</context>
<context>
    <name>ProgramPane</name>
    <message>
        <source>The file has changed since it was read.</source>
        <translation>文件在读入后已改变。</translation>
    </message>
    <message>
        <source>The file has changed since it was read: its text is not shown.</source>
        <translation>文件在读入后已改变：不显示其文本。</translation>
    </message>
</context>
<context>
    <name>ReadingChoice</name>
    <message>
        <source>读法</source>
        <translation>读法</translation>
    </message>
    <message>
        <source>程式的读法；改变后重新读入显示的程式</source>
        <translation>程式的读法；改变后重新读入显示的程式</translation>
    </message>
    <message>
        <source>Fanuc family</source>
        <translation>Fanuc 系列</translation>
    </message>
</context>
<context>
    <name>ReadingNoticeRow</name>
    <message>
        <source>Click for the whole list</source>
        <translation>单击查看完整列表</translation>
    </message>
    <message>
        <source>%1 ×%2</source>
        <translation>%1 ×%2</translation>
    </message>
    <message>
        <source>未执行: %1</source>
        <translation>未执行: %1</translation>
    </message>
    <message>
        <source>无小数点 ×%1: %2=%3</source>
        <translation>无小数点 ×%1: %2=%3</translation>
    </message>
    <message>
        <source>问题: %1</source>
        <translation>问题: %1</translation>
    </message>
    <message>
        <source>… %1 more</source>
        <translation>… 还有 %1 项</translation>
    </message>
    <message>
        <source>unknown code %1</source>
        <translation>未知代码 %1</translation>
    </message>
    <message>
        <source>%1 and %2 in one block: they exclude each other</source>
        <translation>%1 和 %2 在同一程序段中：两者互相排斥</translation>
    </message>
    <message>
        <source>%1 and %2 in one block: both take the axis words</source>
        <translation>%1 和 %2 在同一程序段中：两者都使用坐标轴字</translation>
    </message>
    <message>
        <source>G4 needs P, the seconds to wait</source>
        <translation>G4 需要 P（等待的秒数）</translation>
    </message>
    <message>
        <source>G53 without an axis word</source>
        <translation>G53 没有坐标轴字</translation>
    </message>
    <message>
        <source>G53 works only with G0 or G1</source>
        <translation>G53 只能与 G0 或 G1 一起使用</translation>
    </message>
    <message>
        <source>G10 needs L2 or L20</source>
        <translation>G10 需要 L2 或 L20</translation>
    </message>
    <message>
        <source>G10 needs P 0 to 9</source>
        <translation>G10 需要 P 0 到 9</translation>
    </message>
    <message>
        <source>G92 needs an axis word</source>
        <translation>G92 需要坐标轴字</translation>
    </message>
    <message>
        <source>axis words with no motion in force (G80)</source>
        <translation>没有生效的运动指令时出现坐标轴字 (G80)</translation>
    </message>
    <message>
        <source>%1 with both R and a centre word</source>
        <translation>%1 同时有 R 和圆心字</translation>
    </message>
    <message>
        <source>%1 needs %2 or %3, or R</source>
        <translation>%1 需要 %2 或 %3，或 R</translation>
    </message>
    <message>
        <source>%1 needs P as a whole number of turns from 1 to 1000</source>
        <translation>%1 需要 P 为 1 到 1000 的整圈数</translation>
    </message>
    <message>
        <source>%1 with R needs an end point other than its start</source>
        <translation>%1 使用 R 时终点不能与起点相同</translation>
    </message>
    <message>
        <source>%1 radius R%2 does not reach its end point</source>
        <translation>%1 半径 R%2 达不到终点</translation>
    </message>
    <message>
        <source>%1 end is not on its circle: radius %2 at the start, %3 at the end</source>
        <translation>%1 终点不在圆上：起点半径 %2，终点半径 %3</translation>
    </message>
    <message>
        <source>%1 needs a positive Q</source>
        <translation>%1 需要正的 Q</translation>
    </message>
    <message>
        <source>%1 needs L as a whole number of repeats</source>
        <translation>%1 需要 L 为整数的重复次数</translation>
    </message>
    <message>
        <source>%1 needs %2</source>
        <translation>%1 需要 %2</translation>
    </message>
    <message>
        <source>%1 Q too small</source>
        <translation>%1 的 Q 太小</translation>
    </message>
    <message>
        <source>line too long: only its start is read</source>
        <translation>行太长：只读入开头部分</translation>
    </message>
    <message>
        <source>%1 more problems not listed</source>
        <translation>另有 %1 个问题未列出</translation>
    </message>
    <message>
        <source>comment not closed</source>
        <translation>注释未闭合</translation>
    </message>
    <message>
        <source>unexpected character %1</source>
        <translation>意外的字符 %1</translation>
    </message>
    <message>
        <source>%1 without a number</source>
        <translation>%1 没有数值</translation>
    </message>
    <message>
        <source>bad number %1</source>
        <translation>错误的数值 %1</translation>
    </message>
    <message>
        <source>too many codes</source>
        <translation>代码太多</translation>
    </message>
    <message>
        <source>unknown word %1</source>
        <translation>未知的字 %1</translation>
    </message>
    <message>
        <source>two %1 words</source>
        <translation>两个 %1 字</translation>
    </message>
    <message>
        <source>ignored: %1 1 time, first at line %2</source>
        <translation>未执行: %1 1 次，首次在第 %2 行</translation>
    </message>
    <message>
        <source>ignored: %1 %2 times, first at line %3</source>
        <translation>未执行: %1 %2 次，首次在第 %3 行</translation>
    </message>
    <message>
        <source>thousandths: 1 number, first %1 at line %2 read as %3</source>
        <translation>无小数点: 1 个数，首个 %1 在第 %2 行，读作 %3</translation>
    </message>
    <message>
        <source>thousandths: %1 numbers, first %2 at line %3 read as %4</source>
        <translation>无小数点: %1 个数，首个 %2 在第 %3 行，读作 %4</translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation>第 %1 行: %2</translation>
    </message>
    <message>
        <source>%1 with cutter compensation already on</source>
        <translation>%1 在刀具半径补偿已开启时</translation>
    </message>
    <message>
        <source>%1 with cutter compensation on</source>
        <translation>%1 在刀具半径补偿开启时</translation>
    </message>
    <message>
        <source>%1 works in the XY plane (G17) only</source>
        <translation>%1 只在 XY 平面（G17）有效</translation>
    </message>
    <message>
        <source>%1 needs D, the tool diameter, not negative</source>
        <translation>%1 需要 D（刀具直径），不可为负</translation>
    </message>
    <message>
        <source>%1 needs D, the tool diameter</source>
        <translation>%1 需要 D（刀具直径）</translation>
    </message>
    <message>
        <source>%1 needs D, a tool number</source>
        <translation>%1 需要 D（刀具号）</translation>
    </message>
    <message>
        <source>G41/G42 without a tool table</source>
        <translation>G41/G42 无刀具表</translation>
    </message>
    <message>
        <source>G41/G42 D%1 not in the tool table</source>
        <translation>G41/G42 D%1 不在刀具表中</translation>
    </message>
    <message>
        <source>%1 more compensation problems not listed</source>
        <translation>另有 %1 个补偿问题未列出</translation>
    </message>
    <message>
        <source>compensation cannot start on an arc at line %1</source>
        <translation>第 %1 行：补偿不能在圆弧上开始</translation>
    </message>
    <message>
        <source>gouge: entry move not longer than tool radius %1 at line %2</source>
        <translation>过切：第 %2 行的进刀移动不长于刀具半径 %1</translation>
    </message>
    <message>
        <source>gouge: inside arc of radius %1 tighter than tool radius %2 at line %3</source>
        <translation>过切：第 %3 行的内圆弧半径 %1 小于刀具半径 %2</translation>
    </message>
    <message>
        <source>gouge: inside corner tighter than tool radius %1 at line %2</source>
        <translation>过切：第 %2 行的内角小于刀具半径 %1</translation>
    </message>
    <message>
        <source>gouge: move too short for tool radius %1 at line %2</source>
        <translation>过切：第 %2 行的移动对刀具半径 %1 而言太短</translation>
    </message>
    <message>
        <source>%1 after the first move in mm: the lengths that follow are converted to mm</source>
        <translation>%1 出现在第一个移动之后（单位为毫米）：其后的长度换算为毫米</translation>
    </message>
    <message>
        <source>%1 after the first move in inches: the lengths that follow are converted to inches</source>
        <translation>%1 出现在第一个移动之后（单位为英寸）：其后的长度换算为英寸</translation>
    </message>
    <message>
        <source>rapid through material at line %1, X%2 Y%3 Z%4, depth %5</source>
        <translation>快速移动穿过材料：第 %1 行，X%2 Y%3 Z%4，深度 %5</translation>
    </message>
    <message>
        <source>plunge past the flute length at line %1, X%2 Y%3 Z%4, depth %5</source>
        <translation>下刀超过刃长：第 %1 行，X%2 Y%3 Z%4，深度 %5</translation>
    </message>
    <message>
        <source>no tool table for T%1: simulated as a %2 mm flat end mill</source>
        <translation>T%1 没有刀具表：按 %2 mm 平底铣刀模拟</translation>
    </message>
    <message>
        <source>no tool was selected: simulated as a %1 mm flat end mill</source>
        <translation>未选择刀具：按 %1 mm 平底铣刀模拟</translation>
    </message>
    <message>
        <source>tool %1 is not in the tool table: simulated as a %2 mm flat end mill</source>
        <translation>刀具 %1 不在刀具表中：按 %2 mm 平底铣刀模拟</translation>
    </message>
    <message>
        <source>the program makes no feed moves: there is nothing to cut</source>
        <translation>程序没有进给移动：没有可切削的内容</translation>
    </message>
    <message>
        <source>%1 moves reach past 1000000 or have no number for a coordinate: left out of the simulation</source>
        <translation>%1 个移动超出 1000000 或坐标不是数字：未参与模拟</translation>
    </message>
    <message>
        <source>parameter #%1 does not exist (#%2 to #%3)</source>
        <translation>参数 #%1 不存在（#%2 到 #%3）</translation>
    </message>
    <message>
        <source>parameter #%1 does not exist</source>
        <translation>参数 #%1 不存在</translation>
    </message>
    <message>
        <source>parameter number #%1 is not whole</source>
        <translation>参数编号 #%1 不是整数</translation>
    </message>
    <message>
        <source>parameter #&lt;%1&gt; not set</source>
        <translation>参数 #&lt;%1&gt; 未设定</translation>
    </message>
    <message>
        <source>parameter #%1 is the machine&apos;s to set</source>
        <translation>参数 #%1 由机床设定</translation>
    </message>
    <message>
        <source>parameter name not closed with &apos;&gt;&apos;</source>
        <translation>参数名缺少 &apos;&gt;&apos;</translation>
    </message>
    <message>
        <source>parameter name empty</source>
        <translation>参数名为空</translation>
    </message>
    <message>
        <source>parameter setting without &apos;=&apos;</source>
        <translation>参数设定缺少 &apos;=&apos;</translation>
    </message>
    <message>
        <source># without a parameter number</source>
        <translation># 后没有参数编号</translation>
    </message>
    <message>
        <source>division by zero</source>
        <translation>除以零</translation>
    </message>
    <message>
        <source>square root of a negative number</source>
        <translation>负数的平方根</translation>
    </message>
    <message>
        <source>LN of zero or a negative number</source>
        <translation>零或负数的 LN</translation>
    </message>
    <message>
        <source>%1 of a number outside -1 to 1</source>
        <translation>%1 的参数超出 -1 到 1</translation>
    </message>
    <message>
        <source>negative number to a fractional power</source>
        <translation>负数的小数次幂</translation>
    </message>
    <message>
        <source>result too large</source>
        <translation>结果过大</translation>
    </message>
    <message>
        <source>number out of range</source>
        <translation>数字超出范围</translation>
    </message>
    <message>
        <source>unknown function %1</source>
        <translation>未知函数 %1</translation>
    </message>
    <message>
        <source>unknown operator %1</source>
        <translation>未知运算符 %1</translation>
    </message>
    <message>
        <source>expression not closed with &apos;]&apos;</source>
        <translation>表达式缺少 &apos;]&apos;</translation>
    </message>
    <message>
        <source>expression nested too deep</source>
        <translation>表达式嵌套过深</translation>
    </message>
    <message>
        <source>value missing at the end of the line</source>
        <translation>行尾缺少数值</translation>
    </message>
    <message>
        <source>unexpected character &apos;%1&apos; where a value belongs</source>
        <translation>应为数值处出现意外字符 &apos;%1&apos;</translation>
    </message>
    <message>
        <source>unexpected character &apos;%1&apos; in an expression</source>
        <translation>表达式中出现意外字符 &apos;%1&apos;</translation>
    </message>
    <message>
        <source>ATAN needs [y]/[x]</source>
        <translation>ATAN 需要 [y]/[x]</translation>
    </message>
    <message>
        <source>EXISTS needs [#&lt;name&gt;]</source>
        <translation>EXISTS 需要 [#&lt;name&gt;]</translation>
    </message>
    <message>
        <source>%1 needs [ ]</source>
        <translation>%1 需要 [ ]</translation>
    </message>
    <message>
        <source>an O-word must begin its line</source>
        <translation>O 字必须位于行首</translation>
    </message>
    <message>
        <source>O-word name not closed with &apos;&gt;&apos;</source>
        <translation>O 字名称缺少 &apos;&gt;&apos;</translation>
    </message>
    <message>
        <source>%1 without a keyword</source>
        <translation>%1 缺少关键字</translation>
    </message>
    <message>
        <source>%1 %2: unknown O-word</source>
        <translation>%1 %2：未知的 O 字</translation>
    </message>
    <message>
        <source>%1 call with more than 30 values</source>
        <translation>%1 call 的值超过 30 个</translation>
    </message>
    <message>
        <source>%1 %2 needs a value in [ ]</source>
        <translation>%1 %2 需要 [ ] 中的值</translation>
    </message>
    <message>
        <source>unexpected text after %1 %2</source>
        <translation>%1 %2 之后有多余文字</translation>
    </message>
    <message>
        <source>%1 sub inside another structure</source>
        <translation>%1 sub 位于另一个结构内</translation>
    </message>
    <message>
        <source>%1 %2 outside its loop</source>
        <translation>%1 %2 不在其循环内</translation>
    </message>
    <message>
        <source>%1 %2 without its opening</source>
        <translation>%1 %2 缺少其开头</translation>
    </message>
    <message>
        <source>%1 %2 after else</source>
        <translation>%1 %2 位于 else 之后</translation>
    </message>
    <message>
        <source>%1 %2 without its %3</source>
        <translation>%1 %2 缺少其 %3</translation>
    </message>
    <message>
        <source>%1 return outside a subroutine</source>
        <translation>%1 return 不在子程序内</translation>
    </message>
    <message>
        <source>%1 call: calls nested deeper than %2</source>
        <translation>%1 call：调用嵌套超过 %2 层</translation>
    </message>
    <message>
        <source>%1 call: no such subroutine</source>
        <translation>%1 call：没有此子程序</translation>
    </message>
    <message>
        <source>%1 call: %2 is not a regular file</source>
        <translation>%1 call：%2 不是普通文件</translation>
    </message>
    <message>
        <source>%1 call: %2 is too large</source>
        <translation>%1 call：%2 过大</translation>
    </message>
    <message>
        <source>%1 call: cannot read %2</source>
        <translation>%1 call：无法读取 %2</translation>
    </message>
    <message>
        <source>stopped: line %1 ran %2 times</source>
        <translation>已停止：第 %1 行执行了 %2 次</translation>
    </message>
    <message>
        <source>polar words with %1 or %2 in one block</source>
        <translation>极坐标字与 %1 或 %2 在同一单节</translation>
    </message>
    <message>
        <source>polar words only with G0 to G3 and the cycles</source>
        <translation>极坐标字只能用于 G0 到 G3 及固定循环</translation>
    </message>
    <message>
        <source>%1 outside G17 in a turned coordinate system is drawn straight</source>
        <translation>旋转坐标系中 G17 以外的 %1 画为直线</translation>
    </message>
    <message>
        <source>%1 outside G17 in a turned coordinate system</source>
        <translation>旋转坐标系中 G17 以外的 %1</translation>
    </message>
    <message>
        <source>bad number</source>
        <translation>错误的数字</translation>
    </message>
    <message>
        <source>%1 (in %2)</source>
        <translation>%1（在 %2 中）</translation>
    </message>
    <message>
        <source>subprogram ends without M99</source>
        <translation>子程序没有 M99 就结束了</translation>
    </message>
    <message>
        <source>sequence number N%1 not found</source>
        <translation>找不到顺序号 N%1</translation>
    </message>
    <message>
        <source>program O%1 not found</source>
        <translation>找不到程序 O%1</translation>
    </message>
    <message>
        <source>calls nested more than %1 deep</source>
        <translation>调用嵌套超过 %1 层</translation>
    </message>
    <message>
        <source>macro calls nested too deep</source>
        <translation>宏调用嵌套过深</translation>
    </message>
    <message>
        <source>M99 needs P, a sequence number</source>
        <translation>M99 需要 P（顺序号）</translation>
    </message>
    <message>
        <source>%1 needs P, a program number</source>
        <translation>%1 需要 P（程序号）</translation>
    </message>
    <message>
        <source>%1 needs K as a whole number of repeats</source>
        <translation>%1 的 K 须为重复次数（整数）</translation>
    </message>
    <message>
        <source>%1 repeats more than 9999 times</source>
        <translation>%1 重复超过 9999 次</translation>
    </message>
    <message>
        <source>M98, M99 and G65 exclude each other in one block</source>
        <translation>M98、M99 与 G65 不能在同一程序段中</translation>
    </message>
    <message>
        <source>G54.1 needs P 1 to 48</source>
        <translation>G54.1 需要 P 1 至 48</translation>
    </message>
    <message>
        <source>G10 L2 needs P 0 to 6</source>
        <translation>G10 L2 需要 P 0 至 6</translation>
    </message>
    <message>
        <source>G10 L20 needs P 1 to 48</source>
        <translation>G10 L20 需要 P 1 至 48</translation>
    </message>
    <message>
        <source>%1 needs H, an offset number</source>
        <translation>%1 需要 H（补偿号）</translation>
    </message>
    <message>
        <source>G51 needs a scale factor other than 0</source>
        <translation>G51 需要不为 0 的比例</translation>
    </message>
    <message>
        <source>G4 needs P or X, the time to wait</source>
        <translation>G4 需要 P 或 X（暂停时间）</translation>
    </message>
    <message>
        <source>G87 returns to the initial level only</source>
        <translation>G87 只能返回初始平面</translation>
    </message>
    <message>
        <source>GOTO needs a sequence number 0 to 99999</source>
        <translation>GOTO 需要顺序号 0 至 99999</translation>
    </message>
    <message>
        <source>DO%1 without END%2</source>
        <translation>DO%1 没有 END%2</translation>
    </message>
    <message>
        <source>END%1 without DO%2</source>
        <translation>END%1 没有 DO%2</translation>
    </message>
    <message>
        <source>variable #%1 does not exist</source>
        <translation>变量 #%1 不存在</translation>
    </message>
    <message>
        <source>#0 is always null and cannot be set</source>
        <translation>#0 永远为空，不能赋值</translation>
    </message>
    <message>
        <source># without a variable number</source>
        <translation># 后没有变量号</translation>
    </message>
    <message>
        <source>&apos;=&apos; missing after the variable</source>
        <translation>变量后缺少 &apos;=&apos;</translation>
    </message>
    <message>
        <source>unexpected text after the expression</source>
        <translation>表达式后有多余的文字</translation>
    </message>
    <message>
        <source>an assignment after words in one block</source>
        <translation>同一程序段中字之后有赋值</translation>
    </message>
    <message>
        <source>%1 is not a number</source>
        <translation>%1 不是数值</translation>
    </message>
    <message>
        <source>%1 needs a condition in [ ]</source>
        <translation>%1 需要 [ ] 中的条件</translation>
    </message>
    <message>
        <source>IF needs GOTO or THEN after its condition</source>
        <translation>IF 的条件后需要 GOTO 或 THEN</translation>
    </message>
    <message>
        <source>WHILE needs DO after its condition</source>
        <translation>WHILE 的条件后需要 DO</translation>
    </message>
    <message>
        <source>%1 needs a loop number</source>
        <translation>%1 需要循环号</translation>
    </message>
    <message>
        <source>N without a number</source>
        <translation>N 后没有数字</translation>
    </message>
    <message>
        <source>bad program number</source>
        <translation>程序号无效</translation>
    </message>
    <message>
        <source>O inside a block</source>
        <translation>程序段中间有 O</translation>
    </message>
    <message>
        <source>G43/G44 without an offset file</source>
        <translation>G43/G44 没有补偿文件</translation>
    </message>
    <message>
        <source>G43/G44 H%1 not in the offset file</source>
        <translation>G43/G44 H%1 不在补偿文件中</translation>
    </message>
    <message>
        <source>M99 at the end of the main program (run once)</source>
        <translation>主程序末尾的 M99（只执行一次）</translation>
    </message>
    <message>
        <source>G65 and G66 exclude each other in one block</source>
        <translation>G65 与 G66 不能在同一程序段中</translation>
    </message>
    <message>
        <source>a call takes %1 at most 10 times</source>
        <translation>调用最多接受 10 次 %1</translation>
    </message>
    <message>
        <source>the stock has no thickness: each corner must differ from the other in X, Y and Z</source>
        <translation>毛坯没有厚度：两个角点的 X、Y、Z 必须各不相同</translation>
    </message>
    <message>
        <source>a grid of %1 x %2 cells would need %3 bytes, more than the %4 bytes allowed: choose a larger cell</source>
        <translation>%1 x %2 格的网格需要 %3 字节，超过允许的 %4 字节：请选择更大的格子</translation>
    </message>
    <message>
        <source>G41/G42 D%1 not in the offset file</source>
        <translation>G41/G42 D%1 不在补偿文件中</translation>
    </message>
    <message>
        <source>%1 cannot be read</source>
        <translation>无法读取 %1</translation>
    </message>
    <message>
        <source>unknown word %1 ignored</source>
        <translation>未知的字 %1 已忽略</translation>
    </message>
    <message>
        <source>no T word: not a tool</source>
        <translation>没有 T 字: 不是刀具</translation>
    </message>
    <message>
        <source>tool number T must be a whole number</source>
        <translation>刀号 T 必须是整数</translation>
    </message>
    <message>
        <source>pocket P must be a whole number</source>
        <translation>刀位 P 必须是整数</translation>
    </message>
    <message>
        <source>diameter D must not be negative</source>
        <translation>直径 D 不能为负</translation>
    </message>
    <message>
        <source>corner radius R must lie between 0 and half the diameter</source>
        <translation>刀尖圆角 R 必须在 0 与半径之间</translation>
    </message>
    <message>
        <source>point angle A must lie between 0 and 180 degrees</source>
        <translation>刀尖角 A 必须在 0 到 180 度之间</translation>
    </message>
    <message>
        <source>tool %1 given again (first at line %2)</source>
        <translation>刀具 %1 重复给出 (首次在第 %2 行)</translation>
    </message>
    <message>
        <source>%1 given again (first at line %2)</source>
        <translation>%1 重复给出 (首次在第 %2 行)</translation>
    </message>
    <message>
        <source>a register line starts with D or H</source>
        <translation>寄存器行须以 D 或 H 开头</translation>
    </message>
    <message>
        <source>register number %1 must be a whole number</source>
        <translation>寄存器号 %1 必须是整数</translation>
    </message>
    <message>
        <source>%1 needs R, the radius, or D, the diameter</source>
        <translation>%1 需要 R (半径) 或 D (直径)</translation>
    </message>
    <message>
        <source>%1 needs Z, the tool length</source>
        <translation>%1 需要 Z (刀具长度)</translation>
    </message>
    <message>
        <source>bad number in %1</source>
        <translation>%1 中的数值错误</translation>
    </message>
    <message>
        <source>%1 given twice</source>
        <translation>%1 给出两次</translation>
    </message>
    <message>
        <source>unexpected %1</source>
        <translation>意外的 %1</translation>
    </message>
    <message>
        <source>%1 line %2: %3</source>
        <translation>%1 第 %2 行: %3</translation>
    </message>
    <message>
        <source>the file changed while it was read</source>
        <translation>文件在读取期间已改变</translation>
    </message>
</context>
<context>
    <name>StockDialog</name>
    <message>
        <source>Simulation stock</source>
        <translation>模拟毛坯</translation>
    </message>
    <message>
        <source>Automatic: the cuts grown by the largest tool radius</source>
        <translation>自动：切削范围向外扩大最大刀具半径</translation>
    </message>
    <message>
        <source>From</source>
        <translation>从</translation>
    </message>
    <message>
        <source>To</source>
        <translation>到</translation>
    </message>
    <message>
        <source>Quality</source>
        <translation>精度</translation>
    </message>
    <message>
        <source>Draft: %1 cells on the longer side</source>
        <translation>粗略：长边 %1 格</translation>
    </message>
    <message>
        <source>Normal: %1 cells on the longer side</source>
        <translation>普通：长边 %1 格</translation>
    </message>
    <message>
        <source>Fine: %1 cells on the longer side</source>
        <translation>精细：长边 %1 格</translation>
    </message>
    <message>
        <source>This stock cannot be used: %1</source>
        <translation>无法使用此毛坯：%1</translation>
    </message>
    <message>
        <source>Cell %1, %2 × %3 cells</source>
        <translation>格子 %1，%2 × %3 格</translation>
    </message>
</context>
<context>
    <name>StockView</name>
    <message>
        <source>Solid view</source>
        <translation>实体视图</translation>
    </message>
    <message>
        <source>Toolpath over the solid</source>
        <translation>在实体上显示刀具路径</translation>
    </message>
    <message>
        <source>No solid view: %1</source>
        <translation>无法显示实体视图：%1</translation>
    </message>
    <message>
        <source>Simulating… %1 % (Escape stops)</source>
        <translation>模拟中… %1 %（Esc 停止）</translation>
    </message>
    <message>
        <source>Stock cell %1</source>
        <translation>毛坯网格 %1</translation>
    </message>
    <message>
        <source>Simulation stock…</source>
        <translation>模拟毛坯…</translation>
    </message>
</context>
<context>
    <name>Tvorlixform</name>
    <message>
        <source>%1 does not exist.</source>
        <translation>%1 不存在。</translation>
    </message>
    <message>
        <source>%1 is a folder. Drop a program file instead.</source>
        <translation>%1 是文件夹。请拖放程式文件。</translation>
    </message>
    <message>
        <source>%1 is not a regular file and is not opened.</source>
        <translation>%1 不是普通文件，不予打开。</translation>
    </message>
    <message>
        <source>%1 cannot be read: no permission.</source>
        <translation>无权读取 %1。</translation>
    </message>
    <message>
        <source>%1 is empty: there is nothing to show.</source>
        <translation>%1 是空文件，没有可显示的内容。</translation>
    </message>
    <message>
        <source>Only files on this computer can be opened, not %1.</source>
        <translation>只能打开本机上的文件，无法打开 %1。</translation>
    </message>
    <message>
        <source>No recent files</source>
        <translation>没有最近的文件</translation>
    </message>
    <message>
        <source>%1 no longer exists; it is taken off the recent files.</source>
        <translation>%1 已不存在，已从最近的文件中移除。</translation>
    </message>
    <message>
        <source>自动重新载入</source>
        <translation>自动重新载入</translation>
    </message>
    <message>
        <source>File gone; picture kept</source>
        <translation>文件不见了，保留图形</translation>
    </message>
    <message>
        <source>%1 is no longer there. The picture stays as it was; the file is read again when it comes back.</source>
        <translation>%1 已不存在。图形保持原样；文件回来时会重新读入。</translation>
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
        <translation>无法读取标志文件 %1：
%2</translation>
    </message>
    <message>
        <source>精度由小到大</source>
        <translation>精度由小到大</translation>
    </message>
    <message>
        <source>默认</source>
        <translation>默认</translation>
    </message>
    <message>
        <source>所有文件</source>
        <translation>所有文件</translation>
    </message>
    <message>
        <source>nc文件</source>
        <translation>nc文件</translation>
    </message>
    <message>
        <source>Pan: press and move the mouse (on the picture: Ctrl + left drag)</source>
        <translation>平移：按住并移动鼠标（在图形上：Ctrl + 左键拖动）</translation>
    </message>
    <message>
        <source>Open a program file (or drop one on the window); right press: recent files</source>
        <translation>打开程式文件（或拖放到窗口上）；按右键：最近的文件</translation>
    </message>
    <message>
        <source>Open the manual</source>
        <translation>打开说明书</translation>
    </message>
    <message>
        <source>Exit the viewer</source>
        <translation>退出本程序</translation>
    </message>
    <message>
        <source>Zoom: press and move the mouse (on the picture: right drag)</source>
        <translation>缩放：按住并移动鼠标（在图形上：右键拖动）</translation>
    </message>
    <message>
        <source>Fit the whole toolpath in the window (Page Up)</source>
        <translation>将整个刀具路径放进窗口（Page Up）</translation>
    </message>
    <message>
        <source>Magnify two times (keypad -)</source>
        <translation>放大两倍（小键盘 -）</translation>
    </message>
    <message>
        <source>Shrink to half (keypad *)</source>
        <translation>缩小一半（小键盘 *）</translation>
    </message>
    <message>
        <source>Rotate: press and move the mouse (arrow keys turn in steps)</source>
        <translation>旋转：按住并移动鼠标（方向键逐步转动）</translation>
    </message>
    <message>
        <source>Top view, fitted (F1)</source>
        <translation>俯视图，整体显示（F1）</translation>
    </message>
    <message>
        <source>Front view, fitted (F2)</source>
        <translation>前视图，整体显示（F2）</translation>
    </message>
    <message>
        <source>Left view, fitted (F3)</source>
        <translation>左视图，整体显示（F3）</translation>
    </message>
    <message>
        <source>ISO1 view, fitted (F4)</source>
        <translation>ISO1 视图，整体显示（F4）</translation>
    </message>
    <message>
        <source>ISO2 view, fitted</source>
        <translation>ISO2 视图，整体显示</translation>
    </message>
    <message>
        <source>ISO3 view, fitted</source>
        <translation>ISO3 视图，整体显示</translation>
    </message>
    <message>
        <source>ISO4 view, fitted</source>
        <translation>ISO4 视图，整体显示</translation>
    </message>
    <message>
        <source>Draw the box of the toolpath&apos;s extents (the stock)</source>
        <translation>画出刀具路径范围的方框（毛坯）</translation>
    </message>
    <message>
        <source>How many steps of the toolpath to draw: a power of two, or all at the right end</source>
        <translation>要画出的刀具路径步数：2 的乘方，最右端为全部</translation>
    </message>
    <message>
        <source>The first step drawn</source>
        <translation>画出的第一步</translation>
    </message>
    <message>
        <source>Read the program again by itself when it changes on disk (F5 reads it by hand)</source>
        <translation>程式在磁盘上改变时自动重新读入（F5 手动读入）</translation>
    </message>
    <message>
        <source>平移</source>
        <translation>平移</translation>
    </message>
    <message>
        <source>打开</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>帮助</source>
        <translation>帮助</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>退出</translation>
    </message>
    <message>
        <source>缩放</source>
        <translation>缩放</translation>
    </message>
    <message>
        <source>全屏幕</source>
        <translation>全屏幕</translation>
    </message>
    <message>
        <source>放大</source>
        <translation>放大</translation>
    </message>
    <message>
        <source>缩小</source>
        <translation>缩小</translation>
    </message>
    <message>
        <source>俯视</source>
        <translation>俯视</translation>
    </message>
    <message>
        <source>前视</source>
        <translation>前视</translation>
    </message>
    <message>
        <source>左视</source>
        <translation>左视</translation>
    </message>
    <message>
        <source>显示程式的毛坯</source>
        <translation>显示程式的毛坯</translation>
    </message>
    <message>
        <source>显示程式文本</source>
        <translation>显示程式文本</translation>
    </message>
    <message>
        <source>Show the program&apos;s text beside the picture (F6)</source>
        <translation>在图形旁显示程式文本（F6）</translation>
    </message>
    <message>
        <source>Go to line</source>
        <translation>转到行</translation>
    </message>
    <message>
        <source>Line, or block number as N120:</source>
        <translation>行号，或程序段号如 N120：</translation>
    </message>
    <message>
        <source>Line %1</source>
        <translation>第 %1 行</translation>
    </message>
    <message>
        <source>Lines %1-%2</source>
        <translation>第 %1–%2 行</translation>
    </message>
    <message>
        <source>%1 made no move.</source>
        <translation>%1没有产生移动。</translation>
    </message>
    <message>
        <source>%1 made one move.</source>
        <translation>%1产生 1 个移动。</translation>
    </message>
    <message>
        <source>%1 made %2 moves.</source>
        <translation>%1产生 %2 个移动。</translation>
    </message>
    <message>
        <source>rapid</source>
        <translation>快速</translation>
    </message>
    <message>
        <source>feed</source>
        <translation>进给</translation>
    </message>
    <message>
        <source>line %1</source>
        <translation>第 %1 行</translation>
    </message>
    <message>
        <source>No block N%1 in the program.</source>
        <translation>程式中没有程序段 N%1。</translation>
    </message>
    <message>
        <source>拖动时简化路径</source>
        <translation>拖动时简化路径</translation>
    </message>
    <message>
        <source> : stopped at line %1</source>
        <translation> : 停止于第 %1 行</translation>
    </message>
    <message>
        <source> : the file changed while it was read</source>
        <translation> : 文件在读取期间已改变</translation>
    </message>
    <message>
        <source> : not enough memory to draw the toolpath</source>
        <translation> : 内存不足，无法画出刀具路径</translation>
    </message>
    <message>
        <source>Out of memory: toolpath cut at line %1: no memory was left for its points</source>
        <translation>内存不足：刀具路径在第 %1 行截断：已没有内存存放其点</translation>
    </message>
    <message>
        <source>Too many points: toolpath cut at line %1: the program has more than 33 554 432 points</source>
        <translation>点太多：刀具路径在第 %1 行截断：程式的点超过 33 554 432 个</translation>
    </message>
    <message>
        <source>NC path viewer</source>
        <translation>NC 刀具路径查看器</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>不是普通文件</translation>
    </message>
    <message>
        <source>%1 is no longer a regular file. The picture stays as it was; the file is read again when it changes.</source>
        <translation>%1 已不是普通文件。图形保持不变；文件改变时会再次读取。</translation>
    </message>
    <message>
        <source>re-read gave no toolpath; picture kept</source>
        <translation>重新载入无刀具路径；保留原图</translation>
    </message>
    <message>
        <source>%1 gave no toolpath when it was read again. The picture stays as it was; the file is read again when it changes.</source>
        <translation>%1 重新读取时没有刀具路径。图形保持不变；文件改变时会再次读取。</translation>
    </message>
    <message>
        <source>NC programs</source>
        <translation>NC 程序</translation>
    </message>
    <message>
        <source>line %1 of %2</source>
        <translation>%2 第 %1 行</translation>
    </message>
</context>
</TS>
