G21 G90 G17 F100
G0 X0 Y-10 Z1
G42.1 D2 G1 X0 Y0
G2 X10 Y10 I10 J0 (a quarter clockwise: right of it is inside)
G1 X10 Y-10 (a line straight down, a right turn)
G40 G1 X20
M2
