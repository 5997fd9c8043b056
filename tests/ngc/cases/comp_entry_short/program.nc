G21 G90 G17 F100
G0 X0 Y0 Z1
G42.1 D10
G1 X3 Y4 (5 long: no longer than the radius)
G1 X20 Y4
G1 Y20
G40 G1 X30
M2
