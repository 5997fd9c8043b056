X1-2 Y1.2.3 Z--5
X. Y-. Z 1 2. F 1 0 0
G1.5 G2.5 G90.4 T3.5
x5 y6 z7 ?? 12 -3
Z1e3 X+4
G0 Z1 (unclosed comment
G1 X9 Y9
