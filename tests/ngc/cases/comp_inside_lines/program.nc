G21 G90 G17 F100
G0 X0 Y-10 Z1
G41.1 D2 G1 X0 Y0
G1 X10
G1 X0 Y10 (a 45 degree inside corner at X10: 135 degrees of turn)
G40 G1 X-10
M2
