G21 G90 G17 F100
G0 X-10 Y-10 Z1
G41.1 D2 G1 X0 Y0
G2 X20 Y0 I10 J-10 (two humps: they meet at a left turn, inside a left tool)
G2 X40 Y0 I10 J-10
G40 G1 X50
M2
