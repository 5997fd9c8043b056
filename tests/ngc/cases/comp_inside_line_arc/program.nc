G21 G90 G17 F100
G0 X-10 Y0 Z1
G41.1 D2 G1 X0 Y0
G1 X10
G3 X0 Y10 I-10 J0 (the arc leaves the line upward: a left turn, inside a left tool)
G1 X-10
G40 G1 Y20
M2
