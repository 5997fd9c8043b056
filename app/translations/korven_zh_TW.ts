<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW">
<context>
    <name>ArcDataMessages</name>
    <message>
        <source>Error in Arc Datas....</source>
        <translation>圓弧資料錯誤....</translation>
    </message>
    <message>
        <source>Ignore All</source>
        <translation>全部略過</translation>
    </message>
    <message>
        <source> (%1 more ignored)</source>
        <translation>（另有 %1 個已略過）</translation>
    </message>
</context>
<context>
    <name>CompensationMenu</name>
    <message>
        <source>Cutter compensation</source>
        <translation>刀具半徑補正</translation>
    </message>
    <message>
        <source>Show the programmed contour</source>
        <translation>顯示程式輪廓</translation>
    </message>
    <message>
        <source>Tool table beside the program</source>
        <translation>程式旁的刀具表</translation>
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
        <translation>測量：點擊兩點（Esc 退出）</translation>
    </message>
    <message>
        <source>From line %1: X %2 Y %3 Z %4</source>
        <translation>自第 %1 行：X %2 Y %3 Z %4</translation>
    </message>
    <message>
        <source>Distance</source>
        <translation>距離</translation>
    </message>
</context>
<context>
    <name>PlanReadout</name>
    <message>
        <source>Machine profile</source>
        <translation>機床設定檔</translation>
    </message>
    <message>
        <source>None</source>
        <translation>無</translation>
    </message>
    <message>
        <source>Other profile…</source>
        <translation>其他設定檔…</translation>
    </message>
    <message>
        <source>Machine profiles</source>
        <translation>機床設定檔</translation>
    </message>
    <message>
        <source>Show the machine readout</source>
        <translation>顯示機床資訊</translation>
    </message>
    <message>
        <source>This machine profile cannot be used:</source>
        <translation>無法使用此機床設定檔：</translation>
    </message>
    <message>
        <source>%1 leaves the machine&apos;s travel by %2</source>
        <translation>%1 超出機床行程 %2</translation>
    </message>
    <message>
        <source>Planned: planning…</source>
        <translation>計劃時間：計算中…</translation>
    </message>
    <message>
        <source>Planned %1 (feed-only %2)</source>
        <translation>計劃時間 %1（僅按進給 %2）</translation>
    </message>
    <message>
        <source>Selected lines %1</source>
        <translation>所選行 %1</translation>
    </message>
    <message>
        <source>Show the travel box</source>
        <translation>顯示行程框</translation>
    </message>
    <message>
        <source>All moves</source>
        <translation>全部移動</translation>
    </message>
</context>
<context>
    <name>ProgramPane</name>
    <message>
        <source>The file has changed since it was read.</source>
        <translation>檔案在讀入後已改變。</translation>
    </message>
    <message>
        <source>The file has changed since it was read: its text is not shown.</source>
        <translation>檔案在讀入後已改變：不顯示其文字。</translation>
    </message>
</context>
<context>
    <name>ReadingChoice</name>
    <message>
        <source>读法</source>
        <translation>讀法</translation>
    </message>
    <message>
        <source>程式的读法；改变后重新读入显示的程式</source>
        <translation>程式的讀法；變更後重新讀入顯示的程式</translation>
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
        <translation>按一下查看完整清單</translation>
    </message>
    <message>
        <source>%1 ×%2</source>
        <translation>%1 ×%2</translation>
    </message>
    <message>
        <source>未执行: %1</source>
        <translation>未執行: %1</translation>
    </message>
    <message>
        <source>无小数点 ×%1: %2=%3</source>
        <translation>無小數點 ×%1: %2=%3</translation>
    </message>
    <message>
        <source>问题: %1</source>
        <translation>問題: %1</translation>
    </message>
    <message>
        <source>… %1 more</source>
        <translation>… 還有 %1 項</translation>
    </message>
    <message>
        <source>unknown code %1</source>
        <translation>未知代碼 %1</translation>
    </message>
    <message>
        <source>%1 and %2 in one block: they exclude each other</source>
        <translation>%1 和 %2 在同一單節中：兩者互相排斥</translation>
    </message>
    <message>
        <source>%1 and %2 in one block: both take the axis words</source>
        <translation>%1 和 %2 在同一單節中：兩者都使用座標軸字</translation>
    </message>
    <message>
        <source>G4 needs P, the seconds to wait</source>
        <translation>G4 需要 P（等待的秒數）</translation>
    </message>
    <message>
        <source>G53 without an axis word</source>
        <translation>G53 沒有座標軸字</translation>
    </message>
    <message>
        <source>G53 works only with G0 or G1</source>
        <translation>G53 只能與 G0 或 G1 一起使用</translation>
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
        <translation>G92 需要座標軸字</translation>
    </message>
    <message>
        <source>axis words with no motion in force (G80)</source>
        <translation>沒有生效的運動指令時出現座標軸字 (G80)</translation>
    </message>
    <message>
        <source>%1 with both R and a centre word</source>
        <translation>%1 同時有 R 和圓心字</translation>
    </message>
    <message>
        <source>%1 needs %2 or %3, or R</source>
        <translation>%1 需要 %2 或 %3，或 R</translation>
    </message>
    <message>
        <source>%1 needs P as a whole number of turns from 1 to 1000</source>
        <translation>%1 需要 P 為 1 到 1000 的整圈數</translation>
    </message>
    <message>
        <source>%1 with R needs an end point other than its start</source>
        <translation>%1 使用 R 時終點不能與起點相同</translation>
    </message>
    <message>
        <source>%1 radius R%2 does not reach its end point</source>
        <translation>%1 半徑 R%2 達不到終點</translation>
    </message>
    <message>
        <source>%1 end is not on its circle: radius %2 at the start, %3 at the end</source>
        <translation>%1 終點不在圓上：起點半徑 %2，終點半徑 %3</translation>
    </message>
    <message>
        <source>%1 needs a positive Q</source>
        <translation>%1 需要正的 Q</translation>
    </message>
    <message>
        <source>%1 needs L as a whole number of repeats</source>
        <translation>%1 需要 L 為整數的重複次數</translation>
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
        <translation>行太長：只讀入開頭部分</translation>
    </message>
    <message>
        <source>%1 more problems not listed</source>
        <translation>另有 %1 個問題未列出</translation>
    </message>
    <message>
        <source>comment not closed</source>
        <translation>註解未閉合</translation>
    </message>
    <message>
        <source>unexpected character %1</source>
        <translation>意外的字元 %1</translation>
    </message>
    <message>
        <source>%1 without a number</source>
        <translation>%1 沒有數值</translation>
    </message>
    <message>
        <source>bad number %1</source>
        <translation>錯誤的數值 %1</translation>
    </message>
    <message>
        <source>too many codes</source>
        <translation>代碼太多</translation>
    </message>
    <message>
        <source>unknown word %1</source>
        <translation>未知的字 %1</translation>
    </message>
    <message>
        <source>two %1 words</source>
        <translation>兩個 %1 字</translation>
    </message>
    <message>
        <source>ignored: %1 1 time, first at line %2</source>
        <translation>未執行: %1 1 次，首次在第 %2 行</translation>
    </message>
    <message>
        <source>ignored: %1 %2 times, first at line %3</source>
        <translation>未執行: %1 %2 次，首次在第 %3 行</translation>
    </message>
    <message>
        <source>thousandths: 1 number, first %1 at line %2 read as %3</source>
        <translation>無小數點: 1 個數，首個 %1 在第 %2 行，讀作 %3</translation>
    </message>
    <message>
        <source>thousandths: %1 numbers, first %2 at line %3 read as %4</source>
        <translation>無小數點: %1 個數，首個 %2 在第 %3 行，讀作 %4</translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation>第 %1 行: %2</translation>
    </message>
    <message>
        <source>%1 with cutter compensation already on</source>
        <translation>%1 在刀具半徑補正已開啟時</translation>
    </message>
    <message>
        <source>%1 with cutter compensation on</source>
        <translation>%1 在刀具半徑補正開啟時</translation>
    </message>
    <message>
        <source>%1 works in the XY plane (G17) only</source>
        <translation>%1 只在 XY 平面（G17）有效</translation>
    </message>
    <message>
        <source>%1 needs D, the tool diameter, not negative</source>
        <translation>%1 需要 D（刀具直徑），不可為負</translation>
    </message>
    <message>
        <source>%1 needs D, the tool diameter</source>
        <translation>%1 需要 D（刀具直徑）</translation>
    </message>
    <message>
        <source>%1 needs D, a tool number</source>
        <translation>%1 需要 D（刀具號）</translation>
    </message>
    <message>
        <source>G41/G42 without a tool table</source>
        <translation>G41/G42 無刀具表</translation>
    </message>
    <message>
        <source>G41/G42 D%1 not in the tool table</source>
        <translation>G41/G42 D%1 不在刀具表中</translation>
    </message>
    <message>
        <source>%1 more compensation problems not listed</source>
        <translation>另有 %1 個補正問題未列出</translation>
    </message>
    <message>
        <source>compensation cannot start on an arc at line %1</source>
        <translation>第 %1 行：補正不能在圓弧上開始</translation>
    </message>
    <message>
        <source>gouge: entry move not longer than tool radius %1 at line %2</source>
        <translation>過切：第 %2 行的進刀移動不長於刀具半徑 %1</translation>
    </message>
    <message>
        <source>gouge: inside arc of radius %1 tighter than tool radius %2 at line %3</source>
        <translation>過切：第 %3 行的內圓弧半徑 %1 小於刀具半徑 %2</translation>
    </message>
    <message>
        <source>gouge: inside corner tighter than tool radius %1 at line %2</source>
        <translation>過切：第 %2 行的內角小於刀具半徑 %1</translation>
    </message>
    <message>
        <source>gouge: move too short for tool radius %1 at line %2</source>
        <translation>過切：第 %2 行的移動對刀具半徑 %1 而言太短</translation>
    </message>
    <message>
        <source>%1 after the first move in mm: the lengths that follow are converted to mm</source>
        <translation>%1 出現在第一個移動之後（單位為公釐）：其後的長度換算為公釐</translation>
    </message>
    <message>
        <source>%1 after the first move in inches: the lengths that follow are converted to inches</source>
        <translation>%1 出現在第一個移動之後（單位為英吋）：其後的長度換算為英吋</translation>
    </message>
    <message>
        <source>rapid through material at line %1, X%2 Y%3 Z%4, depth %5</source>
        <translation>快速移動穿過材料：第 %1 行，X%2 Y%3 Z%4，深度 %5</translation>
    </message>
    <message>
        <source>plunge past the flute length at line %1, X%2 Y%3 Z%4, depth %5</source>
        <translation>下刀超過刃長：第 %1 行，X%2 Y%3 Z%4，深度 %5</translation>
    </message>
    <message>
        <source>no tool table for T%1: simulated as a %2 mm flat end mill</source>
        <translation>T%1 沒有刀具表：按 %2 mm 平底銑刀模擬</translation>
    </message>
    <message>
        <source>no tool was selected: simulated as a %1 mm flat end mill</source>
        <translation>未選擇刀具：按 %1 mm 平底銑刀模擬</translation>
    </message>
    <message>
        <source>tool %1 is not in the tool table: simulated as a %2 mm flat end mill</source>
        <translation>刀具 %1 不在刀具表中：按 %2 mm 平底銑刀模擬</translation>
    </message>
    <message>
        <source>the program makes no feed moves: there is nothing to cut</source>
        <translation>程式沒有進給移動：沒有可切削的內容</translation>
    </message>
    <message>
        <source>%1 moves reach past 1000000 or have no number for a coordinate: left out of the simulation</source>
        <translation>%1 個移動超出 1000000 或座標不是數字：未參與模擬</translation>
    </message>
    <message>
        <source>parameter #%1 does not exist (#%2 to #%3)</source>
        <translation>參數 #%1 不存在（#%2 到 #%3）</translation>
    </message>
    <message>
        <source>parameter #%1 does not exist</source>
        <translation>參數 #%1 不存在</translation>
    </message>
    <message>
        <source>parameter number #%1 is not whole</source>
        <translation>參數編號 #%1 不是整數</translation>
    </message>
    <message>
        <source>parameter #&lt;%1&gt; not set</source>
        <translation>參數 #&lt;%1&gt; 未設定</translation>
    </message>
    <message>
        <source>parameter #%1 is the machine&apos;s to set</source>
        <translation>參數 #%1 由機台設定</translation>
    </message>
    <message>
        <source>parameter name not closed with &apos;&gt;&apos;</source>
        <translation>參數名稱缺少 &apos;&gt;&apos;</translation>
    </message>
    <message>
        <source>parameter name empty</source>
        <translation>參數名稱為空</translation>
    </message>
    <message>
        <source>parameter setting without &apos;=&apos;</source>
        <translation>參數設定缺少 &apos;=&apos;</translation>
    </message>
    <message>
        <source># without a parameter number</source>
        <translation># 後沒有參數編號</translation>
    </message>
    <message>
        <source>division by zero</source>
        <translation>除以零</translation>
    </message>
    <message>
        <source>square root of a negative number</source>
        <translation>負數的平方根</translation>
    </message>
    <message>
        <source>LN of zero or a negative number</source>
        <translation>零或負數的 LN</translation>
    </message>
    <message>
        <source>%1 of a number outside -1 to 1</source>
        <translation>%1 的參數超出 -1 到 1</translation>
    </message>
    <message>
        <source>negative number to a fractional power</source>
        <translation>負數的小數次方</translation>
    </message>
    <message>
        <source>result too large</source>
        <translation>結果過大</translation>
    </message>
    <message>
        <source>number out of range</source>
        <translation>數字超出範圍</translation>
    </message>
    <message>
        <source>unknown function %1</source>
        <translation>未知函數 %1</translation>
    </message>
    <message>
        <source>unknown operator %1</source>
        <translation>未知運算子 %1</translation>
    </message>
    <message>
        <source>expression not closed with &apos;]&apos;</source>
        <translation>運算式缺少 &apos;]&apos;</translation>
    </message>
    <message>
        <source>expression nested too deep</source>
        <translation>運算式巢狀過深</translation>
    </message>
    <message>
        <source>value missing at the end of the line</source>
        <translation>行尾缺少數值</translation>
    </message>
    <message>
        <source>unexpected character &apos;%1&apos; where a value belongs</source>
        <translation>應為數值處出現意外字元 &apos;%1&apos;</translation>
    </message>
    <message>
        <source>unexpected character &apos;%1&apos; in an expression</source>
        <translation>運算式中出現意外字元 &apos;%1&apos;</translation>
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
        <translation>O 字必須位於行首</translation>
    </message>
    <message>
        <source>O-word name not closed with &apos;&gt;&apos;</source>
        <translation>O 字名稱缺少 &apos;&gt;&apos;</translation>
    </message>
    <message>
        <source>%1 without a keyword</source>
        <translation>%1 缺少關鍵字</translation>
    </message>
    <message>
        <source>%1 %2: unknown O-word</source>
        <translation>%1 %2：未知的 O 字</translation>
    </message>
    <message>
        <source>%1 call with more than 30 values</source>
        <translation>%1 call 的值超過 30 個</translation>
    </message>
    <message>
        <source>%1 %2 needs a value in [ ]</source>
        <translation>%1 %2 需要 [ ] 中的值</translation>
    </message>
    <message>
        <source>unexpected text after %1 %2</source>
        <translation>%1 %2 之後有多餘文字</translation>
    </message>
    <message>
        <source>%1 sub inside another structure</source>
        <translation>%1 sub 位於另一個結構內</translation>
    </message>
    <message>
        <source>%1 %2 outside its loop</source>
        <translation>%1 %2 不在其迴圈內</translation>
    </message>
    <message>
        <source>%1 %2 without its opening</source>
        <translation>%1 %2 缺少其開頭</translation>
    </message>
    <message>
        <source>%1 %2 after else</source>
        <translation>%1 %2 位於 else 之後</translation>
    </message>
    <message>
        <source>%1 %2 without its %3</source>
        <translation>%1 %2 缺少其 %3</translation>
    </message>
    <message>
        <source>%1 return outside a subroutine</source>
        <translation>%1 return 不在副程式內</translation>
    </message>
    <message>
        <source>%1 call: calls nested deeper than %2</source>
        <translation>%1 call：呼叫巢狀超過 %2 層</translation>
    </message>
    <message>
        <source>%1 call: no such subroutine</source>
        <translation>%1 call：沒有此副程式</translation>
    </message>
    <message>
        <source>%1 call: %2 is not a regular file</source>
        <translation>%1 call：%2 不是一般檔案</translation>
    </message>
    <message>
        <source>%1 call: %2 is too large</source>
        <translation>%1 call：%2 過大</translation>
    </message>
    <message>
        <source>%1 call: cannot read %2</source>
        <translation>%1 call：無法讀取 %2</translation>
    </message>
    <message>
        <source>stopped: line %1 ran %2 times</source>
        <translation>已停止：第 %1 行執行了 %2 次</translation>
    </message>
    <message>
        <source>polar words with %1 or %2 in one block</source>
        <translation>極座標字與 %1 或 %2 在同一單節</translation>
    </message>
    <message>
        <source>polar words only with G0 to G3 and the cycles</source>
        <translation>極座標字只能用於 G0 到 G3 及固定循環</translation>
    </message>
    <message>
        <source>%1 outside G17 in a turned coordinate system is drawn straight</source>
        <translation>旋轉座標系中 G17 以外的 %1 畫為直線</translation>
    </message>
    <message>
        <source>%1 outside G17 in a turned coordinate system</source>
        <translation>旋轉座標系中 G17 以外的 %1</translation>
    </message>
    <message>
        <source>bad number</source>
        <translation>錯誤的數字</translation>
    </message>
    <message>
        <source>%1 (in %2)</source>
        <translation>%1（在 %2 中）</translation>
    </message>
    <message>
        <source>subprogram ends without M99</source>
        <translation>副程式沒有 M99 就結束了</translation>
    </message>
    <message>
        <source>sequence number N%1 not found</source>
        <translation>找不到順序號碼 N%1</translation>
    </message>
    <message>
        <source>program O%1 not found</source>
        <translation>找不到程式 O%1</translation>
    </message>
    <message>
        <source>calls nested more than %1 deep</source>
        <translation>呼叫巢狀超過 %1 層</translation>
    </message>
    <message>
        <source>macro calls nested too deep</source>
        <translation>巨集呼叫巢狀過深</translation>
    </message>
    <message>
        <source>M99 needs P, a sequence number</source>
        <translation>M99 需要 P（順序號碼）</translation>
    </message>
    <message>
        <source>%1 needs P, a program number</source>
        <translation>%1 需要 P（程式號碼）</translation>
    </message>
    <message>
        <source>%1 needs K as a whole number of repeats</source>
        <translation>%1 的 K 須為重複次數（整數）</translation>
    </message>
    <message>
        <source>%1 repeats more than 9999 times</source>
        <translation>%1 重複超過 9999 次</translation>
    </message>
    <message>
        <source>M98, M99 and G65 exclude each other in one block</source>
        <translation>M98、M99 與 G65 不能在同一單節中</translation>
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
        <translation>%1 需要 H（補正號碼）</translation>
    </message>
    <message>
        <source>G51 needs a scale factor other than 0</source>
        <translation>G51 需要不為 0 的比例</translation>
    </message>
    <message>
        <source>G4 needs P or X, the time to wait</source>
        <translation>G4 需要 P 或 X（暫停時間）</translation>
    </message>
    <message>
        <source>G87 returns to the initial level only</source>
        <translation>G87 只能返回初始點高度</translation>
    </message>
    <message>
        <source>GOTO needs a sequence number 0 to 99999</source>
        <translation>GOTO 需要順序號碼 0 至 99999</translation>
    </message>
    <message>
        <source>DO%1 without END%2</source>
        <translation>DO%1 沒有 END%2</translation>
    </message>
    <message>
        <source>END%1 without DO%2</source>
        <translation>END%1 沒有 DO%2</translation>
    </message>
    <message>
        <source>variable #%1 does not exist</source>
        <translation>變數 #%1 不存在</translation>
    </message>
    <message>
        <source>#0 is always null and cannot be set</source>
        <translation>#0 永遠為空，不能設定</translation>
    </message>
    <message>
        <source># without a variable number</source>
        <translation># 後沒有變數號碼</translation>
    </message>
    <message>
        <source>&apos;=&apos; missing after the variable</source>
        <translation>變數後缺少 &apos;=&apos;</translation>
    </message>
    <message>
        <source>unexpected text after the expression</source>
        <translation>運算式後有多餘的文字</translation>
    </message>
    <message>
        <source>an assignment after words in one block</source>
        <translation>同一單節中字碼之後有設定</translation>
    </message>
    <message>
        <source>%1 is not a number</source>
        <translation>%1 不是數值</translation>
    </message>
    <message>
        <source>%1 needs a condition in [ ]</source>
        <translation>%1 需要 [ ] 中的條件</translation>
    </message>
    <message>
        <source>IF needs GOTO or THEN after its condition</source>
        <translation>IF 的條件後需要 GOTO 或 THEN</translation>
    </message>
    <message>
        <source>WHILE needs DO after its condition</source>
        <translation>WHILE 的條件後需要 DO</translation>
    </message>
    <message>
        <source>%1 needs a loop number</source>
        <translation>%1 需要迴圈號碼</translation>
    </message>
    <message>
        <source>N without a number</source>
        <translation>N 後沒有數字</translation>
    </message>
    <message>
        <source>bad program number</source>
        <translation>程式號碼無效</translation>
    </message>
    <message>
        <source>O inside a block</source>
        <translation>單節中間有 O</translation>
    </message>
    <message>
        <source>G43/G44 without an offset file</source>
        <translation>G43/G44 沒有補正檔案</translation>
    </message>
    <message>
        <source>G43/G44 H%1 not in the offset file</source>
        <translation>G43/G44 H%1 不在補正檔案中</translation>
    </message>
    <message>
        <source>M99 at the end of the main program (run once)</source>
        <translation>主程式結尾的 M99（只執行一次）</translation>
    </message>
    <message>
        <source>G65 and G66 exclude each other in one block</source>
        <translation>G65 與 G66 不能在同一單節中</translation>
    </message>
    <message>
        <source>a call takes %1 at most 10 times</source>
        <translation>呼叫最多接受 10 次 %1</translation>
    </message>
    <message>
        <source>the stock has no thickness: each corner must differ from the other in X, Y and Z</source>
        <translation>毛坯沒有厚度：兩個角點的 X、Y、Z 必須各不相同</translation>
    </message>
    <message>
        <source>a grid of %1 x %2 cells would need %3 bytes, more than the %4 bytes allowed: choose a larger cell</source>
        <translation>%1 x %2 格的網格需要 %3 位元組，超過允許的 %4 位元組：請選擇更大的格子</translation>
    </message>
    <message>
        <source>G41/G42 D%1 not in the offset file</source>
        <translation>G41/G42 D%1 不在補正檔案中</translation>
    </message>
    <message>
        <source>%1 cannot be read</source>
        <translation>無法讀取 %1</translation>
    </message>
    <message>
        <source>unknown word %1 ignored</source>
        <translation>未知的字 %1 已忽略</translation>
    </message>
    <message>
        <source>no T word: not a tool</source>
        <translation>沒有 T 字: 不是刀具</translation>
    </message>
    <message>
        <source>tool number T must be a whole number</source>
        <translation>刀號 T 必須是整數</translation>
    </message>
    <message>
        <source>pocket P must be a whole number</source>
        <translation>刀位 P 必須是整數</translation>
    </message>
    <message>
        <source>diameter D must not be negative</source>
        <translation>直徑 D 不能為負</translation>
    </message>
    <message>
        <source>corner radius R must lie between 0 and half the diameter</source>
        <translation>刀尖圓角 R 必須在 0 與半徑之間</translation>
    </message>
    <message>
        <source>point angle A must lie between 0 and 180 degrees</source>
        <translation>刀尖角 A 必須在 0 到 180 度之間</translation>
    </message>
    <message>
        <source>tool %1 given again (first at line %2)</source>
        <translation>刀具 %1 重複給出 (首次在第 %2 行)</translation>
    </message>
    <message>
        <source>%1 given again (first at line %2)</source>
        <translation>%1 重複給出 (首次在第 %2 行)</translation>
    </message>
    <message>
        <source>a register line starts with D or H</source>
        <translation>暫存器行須以 D 或 H 開頭</translation>
    </message>
    <message>
        <source>register number %1 must be a whole number</source>
        <translation>暫存器號 %1 必須是整數</translation>
    </message>
    <message>
        <source>%1 needs R, the radius, or D, the diameter</source>
        <translation>%1 需要 R (半徑) 或 D (直徑)</translation>
    </message>
    <message>
        <source>%1 needs Z, the tool length</source>
        <translation>%1 需要 Z (刀具長度)</translation>
    </message>
    <message>
        <source>bad number in %1</source>
        <translation>%1 中的數值錯誤</translation>
    </message>
    <message>
        <source>%1 given twice</source>
        <translation>%1 給出兩次</translation>
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
        <translation>檔案在讀取期間已改變</translation>
    </message>
</context>
<context>
    <name>StockDialog</name>
    <message>
        <source>Simulation stock</source>
        <translation>模擬毛坯</translation>
    </message>
    <message>
        <source>Automatic: the cuts grown by the largest tool radius</source>
        <translation>自動：切削範圍向外擴大最大刀具半徑</translation>
    </message>
    <message>
        <source>From</source>
        <translation>從</translation>
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
        <translation>粗略：長邊 %1 格</translation>
    </message>
    <message>
        <source>Normal: %1 cells on the longer side</source>
        <translation>普通：長邊 %1 格</translation>
    </message>
    <message>
        <source>Fine: %1 cells on the longer side</source>
        <translation>精細：長邊 %1 格</translation>
    </message>
    <message>
        <source>This stock cannot be used: %1</source>
        <translation>無法使用此毛坯：%1</translation>
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
        <translation>實體視圖</translation>
    </message>
    <message>
        <source>Toolpath over the solid</source>
        <translation>在實體上顯示刀具路徑</translation>
    </message>
    <message>
        <source>No solid view: %1</source>
        <translation>無法顯示實體視圖：%1</translation>
    </message>
    <message>
        <source>Simulating… %1 % (Escape stops)</source>
        <translation>模擬中… %1 %（Esc 停止）</translation>
    </message>
    <message>
        <source>Stock cell %1</source>
        <translation>毛坯網格 %1</translation>
    </message>
    <message>
        <source>Simulation stock…</source>
        <translation>模擬毛坯…</translation>
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
        <translation>%1 是資料夾。請拖放程式檔案。</translation>
    </message>
    <message>
        <source>%1 is not a regular file and is not opened.</source>
        <translation>%1 不是一般檔案，不予開啟。</translation>
    </message>
    <message>
        <source>%1 cannot be read: no permission.</source>
        <translation>無權讀取 %1。</translation>
    </message>
    <message>
        <source>%1 is empty: there is nothing to show.</source>
        <translation>%1 是空檔案，沒有可顯示的內容。</translation>
    </message>
    <message>
        <source>Only files on this computer can be opened, not %1.</source>
        <translation>只能開啟本機上的檔案，無法開啟 %1。</translation>
    </message>
    <message>
        <source>No recent files</source>
        <translation>沒有最近的檔案</translation>
    </message>
    <message>
        <source>%1 no longer exists; it is taken off the recent files.</source>
        <translation>%1 已不存在，已從最近的檔案中移除。</translation>
    </message>
    <message>
        <source>自动重新载入</source>
        <translation>自動重新載入</translation>
    </message>
    <message>
        <source>File gone; picture kept</source>
        <translation>檔案不見了，保留圖形</translation>
    </message>
    <message>
        <source>%1 is no longer there. The picture stays as it was; the file is read again when it comes back.</source>
        <translation>%1 已不存在。圖形保持原樣；檔案回來時會重新讀取。</translation>
    </message>
    <message>
        <source>NC Steps : %1</source>
        <translation>NC 步數 : %1</translation>
    </message>
    <message>
        <source>Working...</source>
        <translation>處理中...</translation>
    </message>
    <message>
        <source>Loading : </source>
        <translation>載入 : </translation>
    </message>
    <message>
        <source>NC Steps : ALL</source>
        <translation>NC 步數 : 全部</translation>
    </message>
    <message>
        <source>Front Buffer : %1</source>
        <translation>前緩衝區 : %1</translation>
    </message>
    <message>
        <source>Back Buffer</source>
        <translation>後緩衝區</translation>
    </message>
    <message>
        <source>Cannot read the logo file %1:
%2</source>
        <translation>無法讀取標誌檔 %1：
%2</translation>
    </message>
    <message>
        <source>精度由小到大</source>
        <translation>精度由小到大</translation>
    </message>
    <message>
        <source>默认</source>
        <translation>預設</translation>
    </message>
    <message>
        <source>所有文件</source>
        <translation>所有檔案</translation>
    </message>
    <message>
        <source>nc文件</source>
        <translation>nc檔案</translation>
    </message>
    <message>
        <source>Pan: press and move the mouse (on the picture: Ctrl + left drag)</source>
        <translation>平移：按住並移動滑鼠（在圖形上：Ctrl + 左鍵拖曳）</translation>
    </message>
    <message>
        <source>Open a program file (or drop one on the window); right press: recent files</source>
        <translation>開啟程式檔案（或拖放到視窗上）；按右鍵：最近的檔案</translation>
    </message>
    <message>
        <source>Open the manual</source>
        <translation>開啟說明書</translation>
    </message>
    <message>
        <source>Exit the viewer</source>
        <translation>結束程式</translation>
    </message>
    <message>
        <source>Zoom: press and move the mouse (on the picture: right drag)</source>
        <translation>縮放：按住並移動滑鼠（在圖形上：右鍵拖曳）</translation>
    </message>
    <message>
        <source>Fit the whole toolpath in the window (Page Up)</source>
        <translation>將整個刀具路徑放進視窗（Page Up）</translation>
    </message>
    <message>
        <source>Magnify two times (keypad -)</source>
        <translation>放大兩倍（數字鍵盤 -）</translation>
    </message>
    <message>
        <source>Shrink to half (keypad *)</source>
        <translation>縮小一半（數字鍵盤 *）</translation>
    </message>
    <message>
        <source>Rotate: press and move the mouse (arrow keys turn in steps)</source>
        <translation>旋轉：按住並移動滑鼠（方向鍵逐步轉動）</translation>
    </message>
    <message>
        <source>Top view, fitted (F1)</source>
        <translation>俯視圖，並調整大小（F1）</translation>
    </message>
    <message>
        <source>Front view, fitted (F2)</source>
        <translation>前視圖，並調整大小（F2）</translation>
    </message>
    <message>
        <source>Left view, fitted (F3)</source>
        <translation>左視圖，並調整大小（F3）</translation>
    </message>
    <message>
        <source>ISO1 view, fitted (F4)</source>
        <translation>ISO1 視圖，並調整大小（F4）</translation>
    </message>
    <message>
        <source>ISO2 view, fitted</source>
        <translation>ISO2 視圖，並調整大小</translation>
    </message>
    <message>
        <source>ISO3 view, fitted</source>
        <translation>ISO3 視圖，並調整大小</translation>
    </message>
    <message>
        <source>ISO4 view, fitted</source>
        <translation>ISO4 視圖，並調整大小</translation>
    </message>
    <message>
        <source>Draw the box of the toolpath&apos;s extents (the stock)</source>
        <translation>畫出刀具路徑範圍的方框（毛坯）</translation>
    </message>
    <message>
        <source>How many steps of the toolpath to draw: a power of two, or all at the right end</source>
        <translation>要畫出的刀具路徑步數：2 的次方，最右端為全部</translation>
    </message>
    <message>
        <source>The first step drawn</source>
        <translation>畫出的第一步</translation>
    </message>
    <message>
        <source>Read the program again by itself when it changes on disk (F5 reads it by hand)</source>
        <translation>程式在磁碟上變更時自動重新讀取（F5 手動讀取）</translation>
    </message>
    <message>
        <source>平移</source>
        <translation>平移</translation>
    </message>
    <message>
        <source>打开</source>
        <translation>打開</translation>
    </message>
    <message>
        <source>帮助</source>
        <translation>說明</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>退出</translation>
    </message>
    <message>
        <source>缩放</source>
        <translation>縮放</translation>
    </message>
    <message>
        <source>全屏幕</source>
        <translation>全螢幕</translation>
    </message>
    <message>
        <source>放大</source>
        <translation>放大</translation>
    </message>
    <message>
        <source>缩小</source>
        <translation>縮小</translation>
    </message>
    <message>
        <source>俯视</source>
        <translation>俯視</translation>
    </message>
    <message>
        <source>前视</source>
        <translation>前視</translation>
    </message>
    <message>
        <source>左视</source>
        <translation>左視</translation>
    </message>
    <message>
        <source>显示程式的毛坯</source>
        <translation>顯示程式的毛坯</translation>
    </message>
    <message>
        <source>显示程式文本</source>
        <translation>顯示程式文本</translation>
    </message>
    <message>
        <source>Show the program&apos;s text beside the picture (F6)</source>
        <translation>在畫面旁顯示程式的文字（F6）</translation>
    </message>
    <message>
        <source>Go to line</source>
        <translation>跳到行</translation>
    </message>
    <message>
        <source>Line, or block number as N120:</source>
        <translation>行號，或程式段號如 N120：</translation>
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
        <translation>%1沒有產生移動。</translation>
    </message>
    <message>
        <source>%1 made one move.</source>
        <translation>%1產生 1 個移動。</translation>
    </message>
    <message>
        <source>%1 made %2 moves.</source>
        <translation>%1產生 %2 個移動。</translation>
    </message>
    <message>
        <source>rapid</source>
        <translation>快速</translation>
    </message>
    <message>
        <source>feed</source>
        <translation>進給</translation>
    </message>
    <message>
        <source>line %1</source>
        <translation>第 %1 行</translation>
    </message>
    <message>
        <source>No block N%1 in the program.</source>
        <translation>程式中沒有程式段 N%1。</translation>
    </message>
    <message>
        <source>拖动时简化路径</source>
        <translation>拖曳時簡化路徑</translation>
    </message>
    <message>
        <source> : stopped at line %1</source>
        <translation> : 停止於第 %1 行</translation>
    </message>
    <message>
        <source> : the file changed while it was read</source>
        <translation> : 檔案在讀取期間已改變</translation>
    </message>
    <message>
        <source> : not enough memory to draw the toolpath</source>
        <translation> : 記憶體不足，無法畫出刀具路徑</translation>
    </message>
    <message>
        <source>Out of memory: toolpath cut at line %1: no memory was left for its points</source>
        <translation>記憶體不足：刀具路徑在第 %1 行截斷：已沒有記憶體存放其點</translation>
    </message>
    <message>
        <source>Too many points: toolpath cut at line %1: the program has more than 33 554 432 points</source>
        <translation>點太多：刀具路徑在第 %1 行截斷：程式的點超過 33 554 432 個</translation>
    </message>
    <message>
        <source>NC path viewer</source>
        <translation>NC 刀具路徑檢視器</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>不是一般檔案</translation>
    </message>
    <message>
        <source>%1 is no longer a regular file. The picture stays as it was; the file is read again when it changes.</source>
        <translation>%1 已不是一般檔案。圖形保持不變；檔案改變時會再次讀取。</translation>
    </message>
    <message>
        <source>re-read gave no toolpath; picture kept</source>
        <translation>重新載入無刀具路徑；保留原圖</translation>
    </message>
    <message>
        <source>%1 gave no toolpath when it was read again. The picture stays as it was; the file is read again when it changes.</source>
        <translation>%1 重新讀取時沒有刀具路徑。圖形保持不變；檔案改變時會再次讀取。</translation>
    </message>
    <message>
        <source>NC programs</source>
        <translation>NC 程式</translation>
    </message>
    <message>
        <source>line %1 of %2</source>
        <translation>%2 第 %1 行</translation>
    </message>
</context>
</TS>
