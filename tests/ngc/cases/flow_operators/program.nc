(each coordinate is one expression: the operators' order and direction)
G21 G90 G17
G0 X[2+3*4**2] Y[10-4-3] Z[2**3**2]
G0 X[7/2*2] Y[-7 MOD 3] Z[1+2 EQ 3 AND 4 GT 5]
G0 X[1 OR 0 AND 0] Y[-2**2] Z[1 XOR 1 + 0]
G0 X[0.1*3 EQ 0.3] Y[2 GE 2] Z[3 LE 2]
G0 X[10 - -2] Y[[1 + 2] * 3] Z[6 / 4 / 3]
M2
