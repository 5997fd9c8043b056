G21 G90 G17 F100
G0 X-10 Y0 Z1
G41.1 D4
G1 X0 Y0
G1 Y20 (clockwise round the square: left of it is outside)
G1 X20
G1 Y0
G1 X0
G40 G1 X-10
M2
