(functions, angles in degrees)
G21 G90 G17
G0 X[SIN[30]*10] Y[COS[60]*10] Z[TAN[45]]
G0 X[ATAN[1]/[-1]] Y[ATAN[-1]/[-1]] Z[ACOS[0.5]]
G0 X[ASIN[-0.5]] Y[SQRT[2]**2] Z[ABS[-3.5]]
G0 X[FIX[-2.5]] Y[FUP[-2.5]] Z[ROUND[2.5]]
G0 X[LN[EXP[3]]] Y[EXP[0]] Z[ROUND[0.49]]
M2
