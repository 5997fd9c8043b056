G21 G90 G17 F100
G0 X-10 Y-10 Z5
G41.1 D4
G0 X0 Y0
G1 Z-2 (plunges wait at the end of the entry move)
G1 Z-3
G1 X20
G0 Z5
G40 G0 X30 Y-10
M2
