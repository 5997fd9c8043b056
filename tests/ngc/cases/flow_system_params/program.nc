(system parameters read from and written to the state they describe)
G21 G90 G17
G10 L2 P2 X3 Y4 Z5
G55 G0 X1 Y1 Z1
G0 X#5241 Y#5242 Z[#5220 * 10]
T7 M6
G0 X#5400
G92 X0
G0 Y[#5211]
G0 X[#5420 + 1]
#5221 = 100
G54 G0 Y0
G0 X0
G0 Z#5061
M2
